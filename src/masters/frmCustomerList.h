#pragma once

#include "masters/RecordPicker.h"
#include "model/Customer.h"

class ucIDInput;
class ucJaInput;

// The customer picker: search by the start of the ID and part of the name,
// or by a saved customer filter; F2 creates a customer. After it closed with
// OK the Result values are the chosen customer's stored values.
class frmCustomerList : public RecordPicker {
    Q_OBJECT
public:
    explicit frmCustomerList(QWidget *parent = nullptr);

    QString ResultCustomerID() const { return m_chosen.CustomerID(); }
    QString ResultTelephone() const { return m_chosen.Phone(); }
    QString ResultFax() const { return m_chosen.Fax(); }
    QString ResultNameKana() const { return m_chosen.NameKana(); }
    QString ResultNameKnj() const { return m_chosen.NameKnj(); }
    QString ResultPostNumber() const { return m_chosen.PostNumber(); }
    QString ResultAddress1() const { return m_chosen.Address1(); }
    QString ResultAddress2() const { return m_chosen.Address2(); }
    QString ResultBumon() const { return m_chosen.Bumon(); }
    QString ResultNebikiRitsu() const { return QString::number(m_chosen.NebikiRitsu()); }
    QString ResultMemo() const { return m_chosen.Memo(); }
    bool ResultTsukiSeikyu() const { return m_chosen.TsukiSeikyu(); }
    QString ResultShimeBi() const { return m_chosen.ShimeBi(); }
    QString ResultSeikyushoForm() const { return m_chosen.SeikyushoForm(); }
    // The chosen record itself, which the Result values read.
    const Customer &ResultCustomer() const { return m_chosen; }

protected:
    QString boxCondition() const override;
    bool filterCondition(const QString &name, QString *condition) const override;
    QList<QStringList> loadRows(const QString &condition) override;
    void clearBoxes() override;
    void loadChosen(const QString &key) override;
    QString createRecord() override;
    void showNewKey(const QString &key) override;
    QWidget *aboveList() const override;
    void resizeEvent(QResizeEvent *event) override;

private:
    ucIDInput *txtSearchCustomerID;
    ucJaInput *txtSearchCustomerNameKnj;
    Customer m_chosen;
};
