#pragma once

#include "model/CustomerDisplay.h"
#include "model/KeyedRecord.h"

#include <QString>

// One customer of 顧客テーブル, by its text key. Refusals return false and leave a
// sentence in ErrorMessage (never cleared by a later success); every other
// failure throws db::DbError. There is no transaction: one row per call.
//
// The columns are held as a list row, privately, so that no setter of the
// row can bypass the rules of this record's text setters.
class Customer : private CustomerDisplay {
public:
    Customer();

    // Clears every field and marks the record new.
    void Initialize();
    const QString &ErrorMessage() const { return m_record.ErrorMessage(); }

    // Texts lose line breaks and surrounding blanks when assigned; Memo
    // keeps line breaks and leading blanks and loses trailing blanks, as
    // the list row's does.
    using CustomerDisplay::CustomerID, CustomerDisplay::NameKana, CustomerDisplay::NameKnj,
        CustomerDisplay::Bumon, CustomerDisplay::PostNumber, CustomerDisplay::Address1,
        CustomerDisplay::Address2, CustomerDisplay::Phone, CustomerDisplay::Fax,
        CustomerDisplay::NebikiRitsu, CustomerDisplay::Memo, CustomerDisplay::TsukiSeikyu,
        CustomerDisplay::ShimeBi, CustomerDisplay::SeikyushoForm;
    using CustomerDisplay::setNebikiRitsu, CustomerDisplay::setMemo,
        CustomerDisplay::setTsukiSeikyu;
    void setCustomerID(const QString &value);
    void setNameKana(const QString &value);
    void setNameKnj(const QString &value);
    void setBumon(const QString &value);
    void setPostNumber(const QString &value);
    void setAddress1(const QString &value);
    void setAddress2(const QString &value);
    void setPhone(const QString &value);
    void setFax(const QString &value);
    void setShimeBi(const QString &value);
    void setSeikyushoForm(const QString &value);

    // Clears the record and reads the row; false when there is none (the
    // new-record flag then stays as it was).
    bool Load(const QString &customerID);
    // Inserts a new record or updates the loaded one.
    bool Apply();
    // Deletes the row and clears the record; a row that is not there throws.
    bool Delete();

    // The refusal of a record that is not stored.
    static QString MissingMessage();

    // Moves with every customer stored or deleted, by whichever window: the
    // main window's tree and customer choice, built from the register, compare
    // it with the count they were built at. A refusal does not move it.
    static quint64 ChangeCount();

private:
    void ItemClear();
    // Gives the fields, in column order, to a write statement.
    void Save(db::Statement &st) const;
    bool Fetch(const QString &customerID);

    KeyedRecord m_record;
};
