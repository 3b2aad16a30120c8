#pragma once

#include <QString>

// One customer row of a list, and the columns Customer holds. Text setters
// remove trailing blanks only; line breaks and leading blanks stay. Numbers
// and flags are kept as given.
class CustomerDisplay {
public:
    const QString &CustomerID() const { return m_customerID; }
    void setCustomerID(const QString &value);
    const QString &NameKana() const { return m_nameKana; }
    void setNameKana(const QString &value);
    const QString &NameKnj() const { return m_nameKnj; }
    void setNameKnj(const QString &value);
    const QString &Bumon() const { return m_bumon; }
    void setBumon(const QString &value);
    const QString &PostNumber() const { return m_postNumber; }
    void setPostNumber(const QString &value);
    const QString &Address1() const { return m_address1; }
    void setAddress1(const QString &value);
    const QString &Address2() const { return m_address2; }
    void setAddress2(const QString &value);
    const QString &Phone() const { return m_phone; }
    void setPhone(const QString &value);
    const QString &Fax() const { return m_fax; }
    void setFax(const QString &value);
    qint16 NebikiRitsu() const { return m_nebikiRitsu; }
    void setNebikiRitsu(qint16 value) { m_nebikiRitsu = value; }
    const QString &Memo() const { return m_memo; }
    void setMemo(const QString &value);
    bool TsukiSeikyu() const { return m_tsukiSeikyu; }
    void setTsukiSeikyu(bool value) { m_tsukiSeikyu = value; }
    const QString &ShimeBi() const { return m_shimeBi; }
    void setShimeBi(const QString &value);
    const QString &SeikyushoForm() const { return m_seikyushoForm; }
    void setSeikyushoForm(const QString &value);

private:
    QString m_customerID;
    QString m_nameKana;
    QString m_nameKnj;
    QString m_bumon;
    QString m_postNumber;
    QString m_address1;
    QString m_address2;
    QString m_phone;
    QString m_fax;
    qint16 m_nebikiRitsu = 0;
    QString m_memo;
    bool m_tsukiSeikyu = false;
    QString m_shimeBi;
    QString m_seikyushoForm;
};
