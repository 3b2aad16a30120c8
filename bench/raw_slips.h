#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <vector>

struct sqlite3;

// The slip list's work written directly on the engine's calls: the program's
// list statement, prepared once per load, stepped through, and the 18
// columns the list keeps read by position in their own types into QString,
// whole numbers, flags and local QDateTime values.
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

std::vector<Row> load(sqlite3 *db, const QByteArray &sql);

// A read-only handle on the database file, opened as the program opens its
// own: no per-call lock, the same text functions registered.
sqlite3 *openReadOnly(const QString &path);

} // namespace rawslips
