#pragma once

#include "model/KeyedRecord.h"

#include <QString>

// One product of 商品テーブル, by its text key. Refusals return false and leave a
// sentence in ErrorMessage (never cleared by a later success); every other
// failure throws db::DbError. There is no transaction: one row per call.
class Shohin {
public:
    Shohin();

    // Clears every field and marks the record new.
    void Initialize();
    const QString &ErrorMessage() const { return m_record.ErrorMessage(); }

    // Texts lose line breaks and surrounding blanks when assigned; Memo
    // keeps line breaks and leading blanks and loses trailing blanks.
    const QString &ShohinID() const { return m_shohinID; }
    void setShohinID(const QString &value);
    const QString &Number() const { return m_number; }
    void setNumber(const QString &value);
    const QString &Name() const { return m_name; }
    void setName(const QString &value);
    const QString &Maker() const { return m_maker; }
    void setMaker(const QString &value);
    double Tanka() const { return m_tanka; }
    void setTanka(double value) { m_tanka = value; }
    const QString &Tanni() const { return m_tanni; }
    void setTanni(const QString &value);
    const QString &Memo() const { return m_memo; }
    void setMemo(const QString &value);

    // Clears the record and reads the row; false when there is none (the
    // new-record flag then stays as it was).
    bool Load(const QString &shohinID);
    // Inserts a new record or updates the loaded one.
    bool Apply();
    // Deletes the row and clears the record; a row that is not there throws.
    bool Delete();

private:
    void ItemClear();
    // Gives the fields, in column order, to a write statement.
    void Save(db::Statement &st) const;
    bool Fetch(const QString &shohinID);

    QString m_shohinID;
    QString m_number;
    QString m_name;
    QString m_maker;
    double m_tanka = 0;
    QString m_tanni;
    QString m_memo;

    KeyedRecord m_record;
};
