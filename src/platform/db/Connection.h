#pragma once

#include "platform/db/DbError.h"
#include "platform/db/Statement.h"

#include <QString>
#include <memory>

struct sqlite3;
struct sqlite3_stmt;

namespace db {

class StatementCache;

// The one connection to the database file. Opens an existing file only,
// speaks one SQL statement at a time and offers the text functions the
// program's SQL texts use (Mid, ...).
class Connection {
public:
    // Throws DbError when the file is missing, cannot be opened or is no
    // database.
    static std::unique_ptr<Connection> open(const QString &path);
    // Opens (creating when needed) a file; for tools and tests that build
    // databases, never for the program's own database.
    static std::unique_ptr<Connection> create(const QString &path);
    // Builds a new database file at path from a script, in one transaction
    // under a temporary name that is renamed into place once complete, so
    // that a failure leaves no file behind. False, touching nothing, when a
    // file is there already. Throws DbError when the file cannot be built.
    static bool createFile(const QString &path, const QString &script);

    ~Connection();
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    // Prepares exactly one statement; a text with a second statement after
    // ";" is refused with DbError.
    Statement prepare(const QString &sql);
    // prepare() for a statement a run repeats per record (a deletion, a
    // line insert): the text's statement prepared before and done with is
    // handed out again, reset and with its parameters cleared, instead of
    // being compiled again. One in use is never handed out a second time;
    // a schema change or closing the connection finalizes them.
    Statement cached(const QString &sql);
    // Prepares and runs one statement that returns no rows.
    void exec(const QString &sql);
    // Runs a script of several statements (schema creation only).
    void execScript(const QString &sql);
    // First column of the first row, or an invalid QVariant when no row.
    QVariant scalar(const QString &sql);

    void begin();
    void commit();
    void rollback();
    bool inTransaction() const;

    qint64 changes() const;
    qint64 lastInsertRowId() const;
    const QString &path() const { return m_path; }
    sqlite3 *handle() const { return m_db; }

    // Throws DbError for a failing engine result code.
    void check(int rc) const;
    // What the user is told of a failing engine result code: why the file
    // could not be written or read, in Japanese, or the engine's own message.
    QString failureText(int rc) const;

private:
    friend class Transaction;
    Connection(sqlite3 *db, QString path);
    static std::unique_ptr<Connection> openWith(const QString &path, int flags);
    void configure();
    sqlite3_stmt *compile(const QString &sql);
    void execCached(const QString &sql);

    sqlite3 *m_db = nullptr;
    QString m_path;
    std::shared_ptr<StatementCache> m_cache;
    // Transaction objects open on this connection, the outermost included.
    int m_transactions = 0;
};

// Rolls back on scope exit unless committed.
//
// One opened while another Transaction is open on the connection is a part
// of it (a savepoint): its commit keeps its changes for the outer one to
// commit or roll back, and leaving it uncommitted undoes its own changes
// only, so that a run of saves in one transaction can pass over one that
// fails. A read-only ReadTransaction is not such an outer transaction.
class Transaction {
public:
    explicit Transaction(Connection &connection);
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;
    void commit();

private:
    void undo();

    Connection &m_connection;
    bool m_part = false;
    bool m_done = false;
};

} // namespace db
