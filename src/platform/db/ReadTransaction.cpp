#include "platform/db/ReadTransaction.h"

#include "platform/db/Connection.h"

namespace db {

ReadTransaction::ReadTransaction(Connection &connection) : m_connection(connection)
{
    if (m_connection.inTransaction())
        return;
    // Deferred: the shared lock comes with the first read, and a writer
    // elsewhere is kept waiting only while the reads run.
    m_connection.exec(QStringLiteral("BEGIN DEFERRED"));
    m_own = true;
}

ReadTransaction::~ReadTransaction()
{
    if (!m_own)
        return;
    try {
        m_connection.rollback();
    } catch (...) {
    }
}

} // namespace db
