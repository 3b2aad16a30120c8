#pragma once

#include <QByteArrayView>
#include <QString>
#include <QVariant>
#include <QHash>
#include <QVarLengthArray>
#include <memory>
#include <utility>

struct sqlite3;
struct sqlite3_stmt;

namespace db {

class Connection;
class StatementCache;

// One prepared statement. Parameters are bound by 1-based index or by name
// (":name"); columns are read by their index or their (Japanese) name.
class Statement {
public:
    Statement(Statement &&other) noexcept;
    Statement &operator=(Statement &&other) noexcept;
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;
    ~Statement();

    Statement &bind(int index, const QVariant &value);
    Statement &bind(const QString &name, const QVariant &value);
    Statement &bindNull(int index);
    Statement &bindText(int index, const QString &text);   // empty text binds as text, not Null
    Statement &bindInt(int index, qint64 value);
    Statement &bindDouble(int index, double value);
    void clearBindings();
    int parameterCount() const;

    // Runs one step: true while a row is available.
    bool step();
    // Runs a statement that returns no rows to its end.
    void exec();
    void reset();

    int columnCount() const;
    QString columnName(int column) const;
    // Index of a column by its name (case-insensitive, as the engine treats
    // identifiers); throws DbError when the statement has no such column.
    int columnIndex(const QString &name) const;
    bool hasColumn(const QString &name) const;

    bool isNull(int column) const;
    bool isNull(const QString &name) const { return isNull(columnIndex(name)); }
    QVariant value(int column) const;
    QVariant value(const QString &name) const { return value(columnIndex(name)); }
    // Text of a column; Null reads as "".
    QString text(int column) const;
    QString text(const QString &name) const { return text(columnIndex(name)); }
    // The text of a column as the engine holds it (UTF-8), valid until the
    // next step or reset; Null reads as empty.
    QByteArrayView utf8(int column) const;
    // Whole number of a column; Null reads as 0. A value that is not a whole
    // number (a text, a fraction) throws DbError naming the column.
    qint64 int64(int column) const;
    qint64 int64(const QString &name) const { return int64(columnIndex(name)); }
    // int64(), but false for Null: one look at the column's type where a
    // reader tells Null apart (a listing reads a few such columns a row).
    bool int64IfPresent(int column, qint64 &value) const;
    // Number of a column; Null reads as 0; a text that is no number throws.
    double real(int column) const;
    double real(const QString &name) const { return real(columnIndex(name)); }

    const QString &sql() const { return m_sql; }

private:
    friend class Connection;
    Statement(Connection *connection, sqlite3_stmt *stmt, QString sql);
    // A statement of the connection's cache, given back to it when done.
    Statement(Connection *connection, sqlite3_stmt *stmt, QString sql, std::shared_ptr<StatementCache> cache,
              quint64 generation);
    // Finalizes the statement, or gives it back to its cache.
    void release() noexcept;
    int paramIndex(const QString &name) const;
    void check(int rc) const;

    Connection *m_connection = nullptr;
    sqlite3_stmt *m_stmt = nullptr;
    QString m_sql;
    std::shared_ptr<StatementCache> m_cache;
    quint64 m_generation = 0;
    mutable QHash<QString, int> m_columns;
    // The names asked for so far, in the spelling the caller used: a row
    // loop asks for the same few names again and again.
    mutable QVarLengthArray<std::pair<QString, int>, 16> m_asked;
};

} // namespace db
