#include "platform/db/Connection.h"
#include "platform/db/StatementCache.h"
#include "platform/db/TextFunctions.h"
#include "platform/text/FileFailure.h"
#include "platform/text/LineFile.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <sqlite3.h>

namespace db {
namespace {

// What a user meets without any fault of ours (a second copy of the program
// holding the file, a file that is no database or is damaged) is said in
// Japanese; empty for the rest.
QString userText(int rc, const QString &path)
{
    switch (rc & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QStringLiteral("データベースファイル(%1)は、ほかのプログラムが使用しています。"
                              "しばらくしてからもう一度行ってください。").arg(path);
    case SQLITE_NOTADB:
        return QStringLiteral("ファイル(%1)はデータベースではありません。").arg(path);
    case SQLITE_CORRUPT:
        return QStringLiteral("データベースファイル(%1)が壊れています。").arg(path);
    case SQLITE_NOMEM:
        return QStringLiteral("メモリが足りません。");
    default:
        return QString();
    }
}

// A statement the engine refuses keeps the engine's own words: that is a
// fault of the program, and they name it best.
QString engineMessage(sqlite3 *db, int rc, const QString &path)
{
    const QString text = userText(rc, path);
    if (!text.isEmpty())
        return text;
    if (db)
        return QString::fromUtf8(sqlite3_errmsg(db));
    return QString::fromUtf8(sqlite3_errstr(rc));
}

// The errno behind a failure of the database file, 0 for any other
// failure. The engine keeps the system's error only for files it could not
// open and for I/O errors; a full disk and a file it could only open for
// reading it reports by its own codes.
int fileError(sqlite3 *db, int rc)
{
    switch (rc & 0xff) {
    case SQLITE_FULL:
        return ENOSPC;
    case SQLITE_READONLY:
        return EROFS;
    case SQLITE_CANTOPEN:
    case SQLITE_IOERR:
        if (const int error = db ? sqlite3_system_errno(db) : 0)
            return error;
        return (rc & 0xff) == SQLITE_IOERR ? EIO : ENOENT;
    default:
        return 0;
    }
}

// True when nothing but blanks, ";" and comments follow the first statement.
bool onlyTerminatorLeft(sqlite3 *db, const char *tail)
{
    const char *p = tail;
    while (p && (*p == ';' || *p == ' ' || *p == '\t' || *p == '\r' || *p == '\n'))
        ++p;
    if (!p || !*p)
        return true;
    sqlite3_stmt *next = nullptr;
    const int rc = sqlite3_prepare_v2(db, p, -1, &next, nullptr);
    sqlite3_finalize(next);
    return rc == SQLITE_OK && !next;
}

// True for a statement that changes the schema, after which the cached
// statements are compiled afresh.
bool changesSchema(const QString &sql)
{
    const QStringView text = QStringView(sql).trimmed();
    for (const char *word : {"CREATE", "DROP", "ALTER"}) {
        const QLatin1String w(word);
        if (text.startsWith(w, Qt::CaseInsensitive) && (text.size() == w.size() || !text[w.size()].isLetterOrNumber()))
            return true;
    }
    return false;
}

} // namespace

Connection::Connection(sqlite3 *db, QString path)
    : m_db(db), m_path(std::move(path)), m_cache(std::make_shared<StatementCache>())
{
}

Connection::~Connection()
{
    // Statements in use at this point are finalized when they are done; the
    // engine closes the handle after the last of them.
    m_cache->close();
    if (m_db)
        sqlite3_close_v2(m_db);
}

std::unique_ptr<Connection> Connection::openWith(const QString &path, int flags)
{
    sqlite3 *raw = nullptr;
    // A connection is used by one thread only: the engine's per-call lock
    // would only cost time on every column read.
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &raw, flags | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        const int error = fileError(raw, rc);
        const bool creating = flags & SQLITE_OPEN_CREATE;
        const QString msg = !error ? engineMessage(raw, rc, path)
                            : QStringLiteral("データベースファイル(%1)を開けません。").arg(path)
                                  + (creating ? text::failureReason(error) : text::readFailureReason(error));
        sqlite3_close_v2(raw);
        throw DbError(rc, msg);
    }
    std::unique_ptr<Connection> c(new Connection(raw, path));
    c->configure();
    return c;
}

std::unique_ptr<Connection> Connection::open(const QString &path)
{
    if (!QFileInfo(path).isFile())
        throw DbError(SQLITE_CANTOPEN, QStringLiteral("データベースファイル(%1)が見つかりません。").arg(path));
    return openWith(path, SQLITE_OPEN_READWRITE);
}

std::unique_ptr<Connection> Connection::create(const QString &path)
{
    return openWith(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
}

bool Connection::createFile(const QString &path, const QString &script)
{
    if (QFileInfo::exists(path))
        return false;
    const QString building = path + QStringLiteral(".new");
    QFile::remove(building);
    try {
        create(building)->execScript(QStringLiteral("BEGIN;") + script + QStringLiteral("\nCOMMIT;"));
    } catch (const DbError &) {
        QFile::remove(building);
        throw;
    }
    // Renaming never replaces a file that appeared meanwhile.
    const text::MoveResult moved = text::moveWithoutReplacing(building, path);
    if (moved != text::MoveResult::Moved) {
        const int error = errno;
        QFile::remove(building);
        if (moved == text::MoveResult::Exists)
            return false;
        throw DbError(SQLITE_CANTOPEN,
                      QStringLiteral("データベースファイル(%1)を作成できません。").arg(path) + text::failureReason(error));
    }
    return true;
}

void Connection::configure()
{
    sqlite3_extended_result_codes(m_db, 1);
    sqlite3_busy_timeout(m_db, 2000);
    // Reading the schema makes a file that is no database fail here, at open.
    exec(QStringLiteral("PRAGMA synchronous=FULL"));
    scalar(QStringLiteral("SELECT count(*) FROM sqlite_master"));
    registerTextFunctions(m_db);
}

void Connection::check(int rc) const
{
    if (rc != SQLITE_OK && rc != SQLITE_ROW && rc != SQLITE_DONE)
        throw DbError(rc, failureText(rc));
}

QString Connection::failureText(int rc) const
{
    const int error = fileError(m_db, rc);
    if (!error)
        return engineMessage(m_db, rc, m_path);
    if (rc == SQLITE_IOERR_READ || rc == SQLITE_IOERR_SHORT_READ)
        return QStringLiteral("データベースファイル(%1)を読み込めません。").arg(m_path) + text::readFailureReason(error);
    return QStringLiteral("データベースファイル(%1)に書き込めません。").arg(m_path) + text::failureReason(error);
}

Statement Connection::prepare(const QString &sql)
{
    return Statement(this, compile(sql), sql);
}

Statement Connection::cached(const QString &sql)
{
    sqlite3_stmt *stmt = m_cache->take(sql);
    if (!stmt)
        stmt = compile(sql);
    return Statement(this, stmt, sql, m_cache, m_cache->generation());
}

sqlite3_stmt *Connection::compile(const QString &sql)
{
    if (changesSchema(sql))
        m_cache->clear();
    const QByteArray utf8 = sql.toUtf8();
    sqlite3_stmt *stmt = nullptr;
    const char *tail = nullptr;
    const int rc = sqlite3_prepare_v2(m_db, utf8.constData(), int(utf8.size()), &stmt, &tail);
    if (rc != SQLITE_OK) {
        sqlite3_finalize(stmt);
        check(rc);
    }
    if (!onlyTerminatorLeft(m_db, tail)) {
        sqlite3_finalize(stmt);
        throw DbError(SQLITE_MISUSE, QStringLiteral("一度に実行できる SQL 文は一つだけです。"));
    }
    if (!stmt)
        throw DbError(SQLITE_MISUSE, QStringLiteral("SQL 文がありません。"));
    return stmt;
}

void Connection::exec(const QString &sql)
{
    prepare(sql).exec();
}

void Connection::execCached(const QString &sql)
{
    cached(sql).exec();
}

void Connection::execScript(const QString &sql)
{
    m_cache->clear();
    char *err = nullptr;
    const int rc = sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, &err);
    if (rc != SQLITE_OK) {
        const QString msg = err && !fileError(m_db, rc) && userText(rc, m_path).isEmpty() ? QString::fromUtf8(err)
                                                                                   : failureText(rc);
        sqlite3_free(err);
        throw DbError(rc, msg);
    }
}

QVariant Connection::scalar(const QString &sql)
{
    Statement st = prepare(sql);
    if (!st.step())
        return {};
    return st.value(0);
}

void Connection::begin()
{
    execCached(QStringLiteral("BEGIN IMMEDIATE"));
}

void Connection::commit()
{
    try {
        execCached(QStringLiteral("COMMIT"));
    } catch (const DbError &) {
        // A commit that fails (full disk, I/O error) must not leave the
        // transaction half open.
        if (inTransaction())
            sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

void Connection::rollback()
{
    if (inTransaction())
        execCached(QStringLiteral("ROLLBACK"));
}

bool Connection::inTransaction() const
{
    return sqlite3_get_autocommit(m_db) == 0;
}

qint64 Connection::changes() const
{
    return sqlite3_changes64(m_db);
}

qint64 Connection::lastInsertRowId() const
{
    return sqlite3_last_insert_rowid(m_db);
}

Transaction::Transaction(Connection &connection) : m_connection(connection)
{
    m_part = m_connection.m_transactions > 0;
    // An outer transaction that the engine has ended after an error (a full
    // disk) cannot take a part: begun afresh, it would be committed alone.
    if (m_part && !m_connection.inTransaction())
        throw DbError(SQLITE_ERROR, QStringLiteral("データベースの更新が途中で取り消されました。"));
    if (m_part)
        m_connection.execCached(QStringLiteral("SAVEPOINT part"));
    else
        m_connection.begin();
    ++m_connection.m_transactions;
}

Transaction::~Transaction()
{
    --m_connection.m_transactions;
    if (!m_done) {
        try {
            undo();
        } catch (...) {
        }
    }
}

void Transaction::undo()
{
    // After some errors (a full disk, an I/O error) the engine has rolled
    // the whole transaction back already.
    if (!m_connection.inTransaction())
        return;
    if (!m_part) {
        m_connection.rollback();
        return;
    }
    // The innermost savepoint of the name is this part's.
    m_connection.execCached(QStringLiteral("ROLLBACK TO part"));
    m_connection.execCached(QStringLiteral("RELEASE part"));
}

void Transaction::commit()
{
    m_done = true;
    if (m_part)
        m_connection.execCached(QStringLiteral("RELEASE part"));
    else
        m_connection.commit();
}

} // namespace db
