#include "platform/db/Statement.h"
#include "platform/db/Connection.h"
#include "platform/db/StatementCache.h"

#include <cmath>
#include <sqlite3.h>

namespace db {

Statement::Statement(Connection *connection, sqlite3_stmt *stmt, QString sql)
    : m_connection(connection), m_stmt(stmt), m_sql(std::move(sql))
{
}

Statement::Statement(Connection *connection, sqlite3_stmt *stmt, QString sql, std::shared_ptr<StatementCache> cache,
                     quint64 generation)
    : m_connection(connection), m_stmt(stmt), m_sql(std::move(sql)), m_cache(std::move(cache)),
      m_generation(generation)
{
}

Statement::Statement(Statement &&other) noexcept
    : m_connection(other.m_connection), m_stmt(other.m_stmt), m_sql(std::move(other.m_sql)),
      m_cache(std::move(other.m_cache)), m_generation(other.m_generation), m_columns(std::move(other.m_columns)), m_asked(std::move(other.m_asked))
{
    other.m_stmt = nullptr;
}

Statement &Statement::operator=(Statement &&other) noexcept
{
    if (this != &other) {
        release();
        m_connection = other.m_connection;
        m_stmt = other.m_stmt;
        m_sql = std::move(other.m_sql);
        m_cache = std::move(other.m_cache);
        m_generation = other.m_generation;
        m_columns = std::move(other.m_columns);
        m_asked = std::move(other.m_asked);
        other.m_stmt = nullptr;
    }
    return *this;
}

Statement::~Statement()
{
    release();
}

void Statement::release() noexcept
{
    if (!m_stmt)
        return;
    if (m_cache)
        m_cache->giveBack(m_sql, m_stmt, m_generation);
    else
        sqlite3_finalize(m_stmt);
    m_stmt = nullptr;
}

void Statement::check(int rc) const
{
    m_connection->check(rc);
}

int Statement::paramIndex(const QString &name) const
{
    const int index = sqlite3_bind_parameter_index(m_stmt, name.toUtf8().constData());
    if (index == 0)
        throw DbError(SQLITE_RANGE, QStringLiteral("パラメーター %1 がありません。").arg(name));
    return index;
}

Statement &Statement::bind(int index, const QVariant &value)
{
    if (!value.isValid() || value.isNull())
        return bindNull(index);
    switch (value.typeId()) {
    case QMetaType::Bool:
        return bindInt(index, value.toBool() ? 1 : 0);
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::ULong:
    case QMetaType::ULongLong:
        return bindInt(index, value.toLongLong());
    case QMetaType::Double:
    case QMetaType::Float:
        return bindDouble(index, value.toDouble());
    default:
        return bindText(index, value.toString());
    }
}

Statement &Statement::bind(const QString &name, const QVariant &value)
{
    return bind(paramIndex(name), value);
}

Statement &Statement::bindNull(int index)
{
    check(sqlite3_bind_null(m_stmt, index));
    return *this;
}

Statement &Statement::bindText(int index, const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    check(sqlite3_bind_text(m_stmt, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT));
    return *this;
}

Statement &Statement::bindInt(int index, qint64 value)
{
    check(sqlite3_bind_int64(m_stmt, index, value));
    return *this;
}

Statement &Statement::bindDouble(int index, double value)
{
    check(sqlite3_bind_double(m_stmt, index, value));
    return *this;
}

void Statement::clearBindings()
{
    sqlite3_clear_bindings(m_stmt);
}

int Statement::parameterCount() const
{
    return sqlite3_bind_parameter_count(m_stmt);
}

bool Statement::step()
{
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    // The engine's message belongs to the connection; reset keeps it.
    const QString msg = m_connection->failureText(rc);
    sqlite3_reset(m_stmt);
    throw DbError(rc, msg);
}

void Statement::exec()
{
    while (step()) {
    }
}

void Statement::reset()
{
    sqlite3_reset(m_stmt);
}

int Statement::columnCount() const
{
    return sqlite3_column_count(m_stmt);
}

QString Statement::columnName(int column) const
{
    return QString::fromUtf8(sqlite3_column_name(m_stmt, column));
}

int Statement::columnIndex(const QString &name) const
{
    for (const auto &asked : m_asked) {
        if (asked.first.size() == name.size() && asked.first == name)
            return asked.second;
    }
    if (m_columns.isEmpty()) {
        const int n = columnCount();
        for (int i = 0; i < n; ++i) {
            const QString key = columnName(i).toCaseFolded();
            if (!m_columns.contains(key))
                m_columns.insert(key, i);
        }
    }
    const auto it = m_columns.constFind(name.toCaseFolded());
    if (it == m_columns.constEnd())
        throw DbError(SQLITE_RANGE, QStringLiteral("列 %1 がありません。").arg(name));
    if (m_asked.size() < 64)
        m_asked.append({name, it.value()});
    return it.value();
}

bool Statement::hasColumn(const QString &name) const
{
    try {
        columnIndex(name);
        return true;
    } catch (const DbError &) {
        return false;
    }
}

bool Statement::isNull(int column) const
{
    return sqlite3_column_type(m_stmt, column) == SQLITE_NULL;
}

QVariant Statement::value(int column) const
{
    switch (sqlite3_column_type(m_stmt, column)) {
    case SQLITE_INTEGER:
        return QVariant(qint64(sqlite3_column_int64(m_stmt, column)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(m_stmt, column));
    case SQLITE_NULL:
        return QVariant();
    case SQLITE_BLOB:
        return QVariant(QByteArray(static_cast<const char *>(sqlite3_column_blob(m_stmt, column)),
                                   sqlite3_column_bytes(m_stmt, column)));
    default:
        return QVariant(text(column));
    }
}

QString Statement::text(int column) const
{
    const auto *p = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, column));
    if (!p)
        return QString();
    return QString::fromUtf8(p, sqlite3_column_bytes(m_stmt, column));
}

QByteArrayView Statement::utf8(int column) const
{
    // The column's value is looked up once for its text and its length.
    // Reading it through the value calls is safe on a connection that one
    // thread uses, as this program's are.
    sqlite3_value *value = sqlite3_column_value(m_stmt, column);
    const auto *p = reinterpret_cast<const char *>(sqlite3_value_text(value));
    if (!p)
        return QByteArrayView();
    return QByteArrayView(p, sqlite3_value_bytes(value));
}

bool Statement::int64IfPresent(int column, qint64 &value) const
{
    // One look-up of the column for its type and its number, as utf8().
    sqlite3_value *v = sqlite3_column_value(m_stmt, column);
    switch (sqlite3_value_type(v)) {
    case SQLITE_NULL:
        return false;
    case SQLITE_INTEGER:
        value = sqlite3_value_int64(v);
        return true;
    default:
        value = int64(column);
        return true;
    }
}

qint64 Statement::int64(int column) const
{
    switch (sqlite3_column_type(m_stmt, column)) {
    case SQLITE_NULL:
        return 0;
    case SQLITE_INTEGER:
        return sqlite3_column_int64(m_stmt, column);
    case SQLITE_FLOAT: {
        const double d = sqlite3_column_double(m_stmt, column);
        if (std::isfinite(d) && d == std::trunc(d) && std::fabs(d) < 9.2e18)
            return qint64(d);
        break;
    }
    default: {
        bool ok = false;
        const qint64 v = text(column).trimmed().toLongLong(&ok);
        if (ok)
            return v;
        break;
    }
    }
    throw DbError(SQLITE_MISMATCH,
                  QStringLiteral("列 %1 の値が整数ではありません。").arg(columnName(column)));
}

double Statement::real(int column) const
{
    switch (sqlite3_column_type(m_stmt, column)) {
    case SQLITE_NULL:
        return 0;
    case SQLITE_INTEGER:
    case SQLITE_FLOAT:
        return sqlite3_column_double(m_stmt, column);
    default: {
        bool ok = false;
        const double v = text(column).trimmed().toDouble(&ok);
        if (ok)
            return v;
        throw DbError(SQLITE_MISMATCH,
                      QStringLiteral("列 %1 の値が数値ではありません。").arg(columnName(column)));
    }
    }
}

} // namespace db
