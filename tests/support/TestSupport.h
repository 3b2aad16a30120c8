#pragma once

#include <QString>
#include <QTemporaryDir>
#include <memory>

namespace testsupport {

// The schema of a fresh database (tools/schema.sql).
QString schemaSql();

// Creates a fresh database file at path from the schema, as qvx_dbinit
// does for the program folder; returns path.
QString createFreshDatabase(const QString &path);

// Gives the database at path the day indexes of the earlier schema, built
// on the program's own Mid(), which no other SQLite tool knows.
void useEarlierSchema(const QString &path);

// A complete program folder in a temporary directory: DATABASE/QVX.MDB,
// DATABASE/TsukiSeikyusho/ and the ten Define/ folders.
class ProgramFolder {
public:
    // With a fresh database.
    ProgramFolder();
    // With a copy of the database file at `database`.
    explicit ProgramFolder(const QString &database);
    QString path() const { return m_dir.path(); }           // no trailing "/"
    QString databasePath() const { return path() + QStringLiteral("/DATABASE/QVX.MDB"); }
    // Makes this folder the program folder and changes to it, nothing more.
    void enter() const;
    // Makes this folder the program folder, changes to it, sets the folder
    // globals, opens the database as gConnection and builds the fixed tables
    // (the work of a successful start-up).
    void open();

private:
    QTemporaryDir m_dir;
};

// A fresh program folder opened for one test function; the connection is
// closed again when it goes. Held in a std::optional: emplace() in init(),
// reset() in cleanup().
class OpenedProgramFolder : public ProgramFolder {
public:
    OpenedProgramFolder() { open(); }
    ~OpenedProgramFolder();
};

} // namespace testsupport
