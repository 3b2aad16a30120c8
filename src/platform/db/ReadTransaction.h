#pragma once

namespace db {

class Connection;

// Keeps one snapshot of the database for a run of reads: a long read sees
// every row as of its start and takes the engine's shared lock once rather
// than once per statement. Nothing may be written through it. Inside a
// transaction that is already open it does nothing: the reads then belong
// to that one. Ends (rolled back, nothing having been written) on scope
// exit.
class ReadTransaction {
public:
    explicit ReadTransaction(Connection &connection);
    ~ReadTransaction();
    ReadTransaction(const ReadTransaction &) = delete;
    ReadTransaction &operator=(const ReadTransaction &) = delete;

private:
    Connection &m_connection;
    bool m_own = false;
};

} // namespace db
