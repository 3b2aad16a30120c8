#pragma once

#include "model/Customer.h"
#include "model/Denpyo.h"
#include "model/Shohin.h"

#include <QDialog>

class QDateEdit;
class QLabel;
class QPushButton;
namespace ui {
class KeyNavigator;
}

// Prints one slip, customer or product with one print form: names what is
// printed, asks for the print date and runs the print procedure of the
// kind. It closes itself after the preview.
//
// Set ObjectType ("伝票", "顧客" or "商品"), FormName and either ObjectID
// (the record is loaded when the dialog opens) or, with ObjectID empty, the
// record itself through SetObjectAny (an unsaved slip of the slip editor
// prints as it stands). exec() returns Rejected at once, after a message,
// when the record cannot be loaded.
class frmItemPrint : public QDialog {
    Q_OBJECT
public:
    explicit frmItemPrint(QWidget *parent = nullptr);
    ~frmItemPrint() override;

    QString ObjectType;
    QString ObjectID;
    QString FormName;
    void SetObjectAny(const Denpyo &denpyo);
    void SetObjectAny(const Customer &customer);
    void SetObjectAny(const Shohin &shohin);

    int exec() override;
    // Prints and closes (F12, the print button).
    void ItemPrint();

    QLabel *lblTitle;
    QLabel *lblMessage;
    QDateEdit *dtpPrintDate;
    QPushButton *cmdOK;
    QPushButton *cmdExit;

private:
    // Opening: the record and the texts; false (after a message) when the
    // record cannot be loaded.
    bool Form_Load();
    void setUpKeys();

    QString m_folder;
    Denpyo m_denpyo;
    Customer m_customer;
    Shohin m_shohin;
    ui::KeyNavigator *m_keys;
};
