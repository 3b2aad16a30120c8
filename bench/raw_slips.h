#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

// The slip list's work written directly on the engine's calls: the program's
// list statement, prepared once per load, stepped through, and the 18
// columns the list keeps read by position in their own types into QString,
// whole numbers, flags and local QDateTime values. The values are built the
// cheapest correct way, as the list builds them: a text that repeats in a
// load is converted once and shared, each day once as a local date-time and
// a time of day counted from its midnight.
namespace rawslips {

struct Row {
    qint32 id = 0;
    QString customerID;
    QDateTime nouki;
    QString name, bumon;
    qint32 total = 0;
    bool stage[5] = {};
    QDateTime stageDate[5];
    QDateTime insertDate, modifyDate;
};

// Replaces the rows with those of the statement. The caller keeps the
// vector between loads, reserved for the count it expects (the main list
// knows it from its count check): the rows' values are built and released
// on every load, the room for them is taken from the system once, as the
// program's row allocations reuse the memory its previous list released.
void load(sqlite3 *db, const QByteArray &sql, std::vector<Row> &rows);

// A read-only handle on the database file without the per-call lock, as
// the program opens its own.
sqlite3 *openReadOnly(const QString &path);
// A handle for writing, set up as the program sets up its own: extended
// result codes, a 2 s busy timeout, its text functions, full syncs.
sqlite3 *openForWriting(const QString &path);
// The statement prepared; throws with the engine's message.
sqlite3_stmt *prepare(sqlite3 *db, const QString &sql);
// Steps the statement to its end and resets it; throws on an error.
void run(sqlite3 *db, sqlite3_stmt *st);

} // namespace rawslips
