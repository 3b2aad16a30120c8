#pragma once

#include "masters/RecordEditor.h"
#include "model/Customer.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class MemoBox;
class ucIDInput;
class ucJaInput;
class ucNumLeftInput;
class ucNumRightInput;
class ucTelInput;

// The customer editor: creates or changes one customer in the mode the
// caller sets, with the monthly-billing block (closing day, invoice form).
class frmCustomer : public RecordEditor {
    Q_OBJECT
public:
    explicit frmCustomer(QWidget *parent = nullptr);

    // The customer of "ReferenceNew" and "SelectedUpdate".
    QString strCustomerID;
    // The customer shown by "CopyNew".
    Customer CustomerObject;
    // "NewReturn": the ID just saved; untouched otherwise.
    QString ResultCustomerID;

    // The closing-day entries, the empty one first.
    static QStringList shimeBiEntries();
    // Names of the monthly-invoice print forms, sorted, without extension.
    static QStringList seikyushoFormNames();

protected:
    QString recordWord() const override { return QStringLiteral("顧客"); }
    ui::Icon emptyIdOnSaveIcon() const override { return ui::Icon::Exclamation; }
    QString loadKey() const override { return strCustomerID; }
    void prepareFields() override;
    void recordClear() override;
    bool showStored(const QString &id, bool showWhenMissing) override;
    void showCopyObject() override;
    bool checkBeforeConfirm() override;
    SaveOutcome saveRecord(const QString &id, bool isNew, QString *message) override;
    bool pickRecord(bool copyId) override;
    void applyTabChain(bool withId) override;
    void setReturnedId(const QString &id) override { ResultCustomerID = id; }
    void resizeEvent(QResizeEvent *event) override;

private:
    void CustomerShow(const Customer &customer);
    // Every field but the ID box.
    void showDetails(const Customer &customer);
    void tsukiSeikyuSwitched();
    static void selectEntry(QComboBox *box, const QString &text);

    QLabel *lblTitle;
    ucIDInput *txtCustomerID;
    QPushButton *cmdCustomerID;
    QFrame *framMain;
    ucJaInput *txtCustomerNameKana;
    ucJaInput *txtCustomerNameKnj;
    ucJaInput *txtCustomerBumon;
    ucNumLeftInput *txtCustomerPostNumber1;
    ucNumLeftInput *txtCustomerPostNumber2;
    ucJaInput *txtCustomerAddress1;
    ucJaInput *txtCustomerAddress2;
    ucTelInput *txtCustomerTelephone;
    ucTelInput *txtCustomerFax;
    ucNumRightInput *txtCustomerNebikiRitsu;
    MemoBox *txtCustomerMemo;
    QFrame *framTsukiSeikyu;
    QCheckBox *chkTsukiSeikyu;
    QLabel *lblShimeBi;
    QComboBox *cmbShimeBi;
    QLabel *lblSeikyushoForm;
    QComboBox *cmbSeikyushoForm;
    QPushButton *cmdOK;
    QPushButton *cmdEnd;
};
