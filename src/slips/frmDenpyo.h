#pragma once

#include "slips/SlipAmounts.h"

#include <QDate>
#include <QDialog>
#include <memory>
#include <optional>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class QStatusBar;
class DateBox;
class Denpyo;
class ucDenpyoID;
class ucIDInput;
class ucJaInput;
class ucKingakuInput;
class ucNumLeftInput;
class ucNumRightInput;
class ucRightLabel;
class ucTelInput;
class ucTextInput;
namespace grid {
class FlexGrid;
}
namespace ui {
class KeyNavigator;
}

// The slip editor: creates or changes one slip with its customer block,
// line grid, discount, consumption tax and totals, driven from the keyboard.
// The caller sets strMode (and strDenpyoID), shows it modally and reads
// ResultModified after it has closed.
class frmDenpyo : public QDialog {
    Q_OBJECT
public:
    explicit frmDenpyo(QWidget *parent = nullptr);
    ~frmDenpyo() override;

    // "New", "ReferenceNew", "SelectableUpdate" or "SelectedUpdate".
    QString strMode;
    // The slip of "ReferenceNew" and "SelectedUpdate", as decimal text.
    QString strDenpyoID;
    // True from the first successful save on.
    bool ResultModified() const { return m_resultModified; }

    // "Key" or "Data" (mode "SelectableUpdate" only).
    const QString &editState() const { return strEditState; }
    // The amounts of the last recalculation.
    const SlipAmountResult &amounts() const { return m_amounts; }

    // The print box's action: prints the slip the form shows with the print
    // form chosen in the box.
    void DenpyoPrintShow();

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void done(int result) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void buildKeys();
    void FormLoad();
    void ApplyMode();
    void SetEditState(const QString &state);
    qint32 GetNextDenpyoID();
    void CancelOrClose();
    void SetTabOrder(bool withNumber);
    void FormLayout();
    bool windowKey(QKeyEvent *event);

    // Load and save.
    void DenpyoRegist();
    // The slip of the form, with the amounts computed from it.
    bool SetDenpyoFromForm(Denpyo &denpyo, bool dropBlankLastRow, const SlipAmountResult &amounts);
    bool SetFormFromDenpyo(qint32 denpyoID, const Denpyo *denpyo);
    void FormClear();
    void DenpyoSearchLoad();
    void DenpyoRefer();
    void FillPrintBox();
    void printBoxChosen();
    // The form's amounts when every one fits the slip's 32-bit fields;
    // otherwise nothing, after saying why.
    std::optional<SlipAmountResult> amountsFitSlip();
    void startNewSlip();

    // Amounts.
    void DenpyoKingakuKeisan(bool flgKingakuChanged);
    SlipAmountInput amountInput(bool flgKingakuChanged) const;
    void NebikiInputEnable(bool rateOn);

    // Header and customer block.
    bool numberEntered();
    bool CustomerLoadByID();
    bool CustomerListSelect();
    void takeDiscountRate(int rate);
    void setPostNumber(const QString &postNumber);

    // Grid.
    void gridReset();
    bool GridKeyProcess(int row, int col, int key, Qt::KeyboardModifiers modifiers);
    void MeisaiRenumber();
    void numberRows();
    void MeisaiRowInsert();
    void MeisaiRowDelete();
    void appendRow();
    bool ShohinLoadByID(int row);
    bool ShohinListSelect(int row);
    void cellEdited(int row, int col);
    void gridFocusArrived();
    bool gridHasFocus() const;
    void editCurrentCell();
    void focusPriceOrQuantity(int row);
    // The key hint of the grid's current cell.
    void showCellGuide();

    // Keyboard and hints.
    void F11Key();
    void StatusGuideShow(const QString &name);
    void CellFormatOnLeave(int row, int col);
    void focusGridFirstCell();

    // Runs an action; a database failure becomes a message.
    bool guarded(const std::function<void()> &action);

    // Window state.
    bool m_opened = false;
    bool m_resultModified = false;
    bool flgLoading = false;
    bool flgNewDenpyo = false;
    QString strEditState = QStringLiteral("Data");
    bool flgShouhizeiDefault = false;
    qint32 lngShouhizeiRitsu = 0;
    qint32 lngShouhizeiPattern = 0;
    QDate dtmToday;
    bool flgActivated = false;
    bool flgKeepGridCell = false;
    bool m_recalculating = false;
    bool m_layingOut = false;
    SlipAmountResult m_amounts;
    ui::KeyNavigator *m_keys = nullptr;

    // Controls.
    QLabel *lblTitle;
    QFrame *Line1;
    QFrame *Line2;
    QLabel *lblDenpyoID;
    ucDenpyoID *txtDenpyoID;
    QPushButton *cmdDenpyoID;
    QLabel *lblNouki;
    DateBox *datNouki;
    QComboBox *cmbPrint;
    QFrame *framCustomer;
    ucIDInput *txtCustomerID;
    QPushButton *cmdCustomerID;
    QPushButton *cmdDenpyoSearch;
    ucNumLeftInput *txtCustomerPostNumber1;
    ucNumLeftInput *txtCustomerPostNumber2;
    ucJaInput *txtCustomerAddress1;
    ucJaInput *txtCustomerAddress2;
    ucJaInput *txtCustomerName;
    ucJaInput *txtCustomerBumon;
    ucTelInput *txtCustomerTelephone;
    ucTelInput *txtCustomerFax;
    QFrame *frmMeisai;
    grid::FlexGrid *VSFlexGrid1;
    QPushButton *cmdShohinID;
    QPushButton *cmdDel;
    QPushButton *cmdIns;
    QFrame *fram3;
    QLabel *lblMeisaiKei;
    ucRightLabel *wlbMeisaisu;
    QCheckBox *chkNebikiRitsu;
    ucNumRightInput *txtNebikiRitsu;
    ucKingakuInput *txtNebikiKingaku;
    ucRightLabel *wlbSum;
    QCheckBox *chkShouhizei;
    ucRightLabel *wlbShouhizei;
    ucRightLabel *wlbSumWithShouhizei;
    QPushButton *cmdOK;
    QPushButton *cmdEnd;
    QLabel *lblMessage;
    QStatusBar *stbStatusBar;
    QLabel *stbPanel1;
    QLabel *stbPanel2;
};
