#pragma once

#include <QHash>
#include <QString>

struct sqlite3_stmt;

namespace db {

// The prepared statements of one connection that a run of saves repeats per
// record, kept between uses instead of being compiled again each time. A
// statement is out of the cache while in use, so two users never share one;
// given back, it is reset with its parameters cleared. The connection's
// cached Statements share this object, so that one outliving its connection
// is still finalized, not handed back into a closed cache.
class StatementCache {
public:
    StatementCache() = default;
    ~StatementCache();
    StatementCache(const StatementCache &) = delete;
    StatementCache &operator=(const StatementCache &) = delete;

    // The idle statement prepared for sql, taken out of the cache, or null.
    sqlite3_stmt *take(const QString &sql);
    // Keeps a statement taken at generation() for the next user of the same
    // text; one from before the last clear(), a second one of the same text,
    // or one more than the cache holds is finalized instead.
    void giveBack(const QString &sql, sqlite3_stmt *stmt, quint64 generation);
    // Finalizes every idle statement; those in use are finalized when given
    // back. Called when the schema changes.
    void clear();
    // clear(), and from now on every statement given back is finalized.
    void close();
    quint64 generation() const { return m_generation; }

private:
    static constexpr int kCapacity = 16;
    QHash<QString, sqlite3_stmt *> m_idle;
    quint64 m_generation = 0;
    bool m_closed = false;
};

} // namespace db
