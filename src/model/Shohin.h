#pragma once

#include "model/KeyedRecord.h"
#include "model/ShohinDisplay.h"

#include <QString>

// One product of 商品テーブル, by its text key. Refusals return false and leave a
// sentence in ErrorMessage (never cleared by a later success); every other
// failure throws db::DbError. There is no transaction: one row per call.
//
// The columns are held as a list row, privately, so that no setter of the
// row can bypass the rules of this record's text setters.
class Shohin : private ShohinDisplay {
public:
    Shohin();

    // Clears every field and marks the record new.
    void Initialize();
    const QString &ErrorMessage() const { return m_record.ErrorMessage(); }

    // Texts lose line breaks and surrounding blanks when assigned; Memo
    // keeps line breaks and leading blanks and loses trailing blanks, as
    // the list row's does.
    using ShohinDisplay::ShohinID, ShohinDisplay::Number, ShohinDisplay::Name, ShohinDisplay::Maker,
        ShohinDisplay::Tanka, ShohinDisplay::Tanni, ShohinDisplay::Memo;
    using ShohinDisplay::setTanka, ShohinDisplay::setMemo;
    void setShohinID(const QString &value);
    void setNumber(const QString &value);
    void setName(const QString &value);
    void setMaker(const QString &value);
    void setTanni(const QString &value);

    // Clears the record and reads the row; false when there is none (the
    // new-record flag then stays as it was).
    bool Load(const QString &shohinID);
    // Inserts a new record or updates the loaded one.
    bool Apply();
    // Deletes the row and clears the record; a row that is not there throws.
    bool Delete();

    // The refusal of a record that is not stored.
    static QString MissingMessage();

private:
    void ItemClear();
    // Gives the fields, in column order, to a write statement.
    void Save(db::Statement &st) const;
    bool Fetch(const QString &shohinID);

    KeyedRecord m_record;
};
