#pragma once

#include "printing/TsukiSeikyuState.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QPushButton;
class QStatusBar;
class QTreeView;

namespace ui {
class TextTableModel;
}

// " 月締め請求書印刷": the monthly invoice of one customer. Proposes the
// period from the closing day, lists its slips with their lines and
// discounts, and registers: marks the slips invoiced, prints them through
// the chosen invoice form and keeps the printed pages in the archive. Set
// CustomerID, exec() it, read ResultModified.
class frmTsukiSeikyushoPrint : public QDialog {
    Q_OBJECT
public:
    explicit frmTsukiSeikyushoPrint(const QString &customerID, QWidget *parent = nullptr);

    QString CustomerID;
    bool ResultModified = false;

    QLabel *lblCustomerId, *lblCustomerName, *lblShimeBi, *lblNoukiFromTo;
    QComboBox *cmbDateItem, *cmbSeikyushoForm;
    QDateEdit *dtpFrom, *dtpTo, *dtpSeikyuDate, *dtpPrintDate;
    QCheckBox *chkMiSeikyu;
    QPushButton *cmdCreateList, *cmdOK, *cmdExit;
    QTreeView *lvwMeisaiList;
    QStatusBar *StatusBar1;
    QLabel *lblTotal;

    // The controls as they stand.
    TsukiSeikyuState state() const;
    void SeikyuListShow();
    // Registers and prints; see the class comment. Closes the window unless
    // no form is chosen, the period is empty or a failure was shown.
    void SeikyushoRegistPrint();
    qint64 total() const { return m_total; }

public slots:
    void done(int result) override;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void loadForm();
    void updateOK();
    void listChanged();
    bool registerSlips(const TsukiSeikyuState &state);

    ui::TextTableModel *m_listModel;
    QString m_formFolder;
    qint64 m_total = 0;
    bool m_listCurrent = false;
};
