#pragma once

#include "slips/CopyTotals.h"

#include <QDialog>
#include <QString>
#include <memory>

class Denpyo;
class QDateEdit;
class QFrame;
class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class ucDenpyoID;
namespace ui {
class KeyNavigator;
}

// The line-transfer dialog: carries lines of a stored slip (the source)
// into another slip (the destination). "Copy" copies them into a new or a
// stored slip and "Split" moves them there, both saving what they change;
// "Refer" takes them into the slip open in the slip editor and saves
// nothing. The caller sets Mode, FromDenpyoID and in "Refer" ToDenpyoObject,
// shows the dialog modally and reads ResultModified.
class frmDenpyoCopy : public QDialog {
    Q_OBJECT
public:
    explicit frmDenpyoCopy(QWidget *parent = nullptr);
    ~frmDenpyoCopy() override;

    QString Mode;
    QString FromDenpyoID;
    // "Refer": the slip being edited. It is changed in place: after a
    // commit it holds the taken lines and the new totals.
    Denpyo *ToDenpyoObject = nullptr;
    bool ResultModified() const { return m_resultModified; }

    // What the buttons and keys run.
    void ToDenpyoDecide();
    void ToDenpyoSearch();
    void cmdSelect_Click();
    void cmdAllSelect_Click();
    void cmdBack_Click();
    void cmdAllBack_Click();
    void CopyKingakuKeisan();
    void CopyExecute();

    // The totals of the last CopyKingakuKeisan.
    const CopyTotals &fromTotals() const { return m_fromTotals; }
    const CopyTotals &toTotals() const { return m_toTotals; }

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void done(int result) override;

private:
    enum class Kind { Copy, Split, Refer };
    void buildControls();
    void buildKeys();
    // False when the source slip is not there (the dialog then closes).
    bool load();
    void prepareNewDestination();
    void prepareReferDestination();
    void showDestination(bool storedRows, QChar times);
    void unlock();
    void setDecided(bool decided);
    void CopyFormLayout();
    // The source slip's line as a row of either list.
    QStringList rowCells(const QString &text, qint32 line, QChar times, const Denpyo &slip) const;
    void insertRow(QTreeWidget *list, const QStringList &cells);
    void fillSourceRows();
    bool hasRow(QTreeWidget *list, const QString &text) const;
    void limitMessage();
    // The slip number the box holds, or 0.
    qint32 typedNumber() const;
    bool commit();

    Kind m_kind = Kind::Copy;
    bool m_loaded = false;
    bool m_resultModified = false;
    bool flgToDenpyoExists = false;
    bool flgLoading = false;
    bool m_decided = false;
    qint32 m_taxRate = 0;
    qint32 m_taxPattern = 0;
    QString m_proposedNumber;
    std::unique_ptr<Denpyo> m_from;
    std::unique_ptr<Denpyo> m_ownTo;
    Denpyo *m_to = nullptr;
    CopyTotals m_fromTotals;
    CopyTotals m_toTotals;

    ui::KeyNavigator *m_keys = nullptr;
    QLabel *lblTitle = nullptr;
    QLabel *lblFrom = nullptr;
    QLabel *lblTo = nullptr;
    QFrame *Line1 = nullptr;
    QFrame *Line2 = nullptr;
    QFrame *framMain = nullptr;
    QFrame *framNewDenpyo = nullptr;
    QFrame *framOperation = nullptr;
    QFrame *framFromKei = nullptr;
    QFrame *framToKei = nullptr;
    QLabel *wlbFromDenpyoID = nullptr;
    QLabel *datFromNouki = nullptr;
    QLabel *wlbFromCustomerID = nullptr;
    QLabel *wlbFromCustomerName = nullptr;
    QLabel *wlbFromCustomerBumon = nullptr;
    ucDenpyoID *txtToDenpyoID = nullptr;
    QPushButton *cmdDenpyoID = nullptr;
    QPushButton *cmdDenpyoSearch = nullptr;
    QDateEdit *datToNouki = nullptr;
    QLabel *wlbToCustomerID = nullptr;
    QLabel *wlbToCustomerName = nullptr;
    QLabel *wlbToCustomerBumon = nullptr;
    QTreeWidget *lstSelectable = nullptr;
    QTreeWidget *lstSelected = nullptr;
    QPushButton *cmdAllSelect = nullptr;
    QPushButton *cmdSelect = nullptr;
    QPushButton *cmdBack = nullptr;
    QPushButton *cmdAllBack = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdEnd = nullptr;
    QLabel *m_fromKei[5] = {};
    QLabel *m_toKei[5] = {};
};
