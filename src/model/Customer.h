#pragma once

#include "model/KeyedRecord.h"

#include <QString>

// One customer of 顧客テーブル, by its text key. Refusals return false and leave a
// sentence in ErrorMessage (never cleared by a later success); every other
// failure throws db::DbError. There is no transaction: one row per call.
class Customer {
public:
    Customer();

    // Clears every field and marks the record new.
    void Initialize();
    const QString &ErrorMessage() const { return m_record.ErrorMessage(); }

    // Texts lose line breaks and surrounding blanks when assigned; Memo
    // keeps line breaks and leading blanks and loses trailing blanks.
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

    // Clears the record and reads the row; false when there is none (the
    // new-record flag then stays as it was).
    bool Load(const QString &customerID);
    // Inserts a new record or updates the loaded one.
    bool Apply();
    // Deletes the row and clears the record; a row that is not there throws.
    bool Delete();

private:
    void ItemClear();
    // Gives the fields, in column order, to a write statement.
    void Save(db::Statement &st) const;
    bool Fetch(const QString &customerID);

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

    KeyedRecord m_record;
};
