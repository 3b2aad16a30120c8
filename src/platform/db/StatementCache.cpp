#include "platform/db/StatementCache.h"

#include <sqlite3.h>

namespace db {

StatementCache::~StatementCache()
{
    clear();
}

sqlite3_stmt *StatementCache::take(const QString &sql)
{
    if (m_closed)
        return nullptr;
    return m_idle.take(sql);
}

void StatementCache::giveBack(const QString &sql, sqlite3_stmt *stmt, quint64 generation)
{
    sqlite3_reset(stmt);
    sqlite3_clear_bindings(stmt);
    if (m_closed || generation != m_generation || m_idle.size() >= kCapacity || m_idle.contains(sql)) {
        sqlite3_finalize(stmt);
        return;
    }
    m_idle.insert(sql, stmt);
}

void StatementCache::clear()
{
    ++m_generation;
    for (sqlite3_stmt *stmt : std::as_const(m_idle))
        sqlite3_finalize(stmt);
    m_idle.clear();
}

void StatementCache::close()
{
    clear();
    m_closed = true;
}

} // namespace db
