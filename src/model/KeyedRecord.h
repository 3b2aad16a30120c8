#pragma once

#include "platform/db/Statement.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

// What the register records (Customer, Shohin) share: one row found by its
// text key, a new-record flag that alone decides between insert and update,
// and refusals that leave a sentence in ErrorMessage, which no later
// success clears. Every value, the key included, is bound as a parameter.
class KeyedRecord {
public:
    // One register table: its columns in the order they are written, the
    // key first, and the sentences of its refusals.
    struct Table {
        Table(const QString &name, const QStringList &columns, QString noKey, QString alreadyExists,
              QString missing);

        QString noKey;
        QString alreadyExists;
        QString missing;
        QString selectSql;
        QString existsSql;
        QString insertSql;
        QString updateSql;
        QString deleteSql;
    };

    explicit KeyedRecord(const Table &table) : m_table(&table) {}

    const QString &ErrorMessage() const { return m_errorMessage; }
    bool isNew() const { return m_isNew; }
    void setNew(bool value) { m_isNew = value; }

    // The row of the key, its columns in table order, or nullopt.
    std::optional<db::Statement> fetch(const QString &key) const;
    // Refuses an empty key, a new record whose key is taken and a loaded
    // one whose row has gone; otherwise inserts or updates the row with
    // the values `bind` gives to parameters 1 to n in column order, and the
    // record is no longer new. Throws db::DbError.
    bool apply(const QString &key, const std::function<void(db::Statement &)> &bind);
    // Refuses an empty key; otherwise deletes the row and the record is no
    // longer new. A key without a row throws db::DbError: callers load the
    // record before they delete it.
    bool remove(const QString &key);

private:
    const Table *m_table;
    QString m_errorMessage;
    bool m_isNew = true;
};
