#pragma once

#include "masters/RecordPicker.h"

class QComboBox;
class QDateEdit;
class QLineEdit;
class ucDenpyoID;
class ucEnInput;
class ucIDInput;
class ucJaInput;
class ucTextInput;

// The slip finder: search by slip number, delivery day or month, customer
// and product boxes, or by a saved slip filter; lists each slip with its
// customer, total and first eight lines. After it closed with OK,
// ResultDenpyoID is the chosen slip's number as nine digits.
class frmDenpyoList : public RecordPicker {
    Q_OBJECT
public:
    explicit frmDenpyoList(QWidget *parent = nullptr);

    const QString &ResultDenpyoID() const { return currentChoice(); }

    // The line cells of one slip line: product text and amount text
    // ("@1500x2個=3000").
    static QString productText(const QString &number, const QString &name);
    static QString amountText(double tanka, double suryo, const QString &tanni, qint32 kingaku);

protected:
    QString boxCondition() const override;
    bool filterCondition(const QString &name, QString *condition) const override;
    QList<QStringList> loadRows(const QString &condition) override;
    void clearBoxes() override;
    void loadChosen(const QString &) override {}
    QString createRecord() override { return QString(); }
    void showNewKey(const QString &) override {}
    QWidget *aboveList() const override;
    QWidget *homeBox() const override;
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void CustomerPick(ucTextInput *box);
    void ShohinPick(ucTextInput *box);
    void monthChosen();
    void dateChosen();

    ucDenpyoID *txtSearchDenpyoID;
    QLineEdit *txtSearchNouki;
    QDateEdit *dtpSearchNouki;
    QComboBox *cmbSearchNouki;
    ucIDInput *txtSearchCustomerID;
    ucJaInput *txtSearchCustomerName;
    ucIDInput *txtSearchShohinID;
    ucEnInput *txtSearchShohinHinban;
    ucJaInput *txtSearchShohinHinmei;
    bool m_prepared = false;
};
