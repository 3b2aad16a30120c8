#include "raw_slips.h"

#include "platform/db/TextFunctions.h"

#include <sqlite3.h>
#include <stdexcept>

namespace rawslips {
namespace {

QString text(sqlite3_stmt *st, int i)
{
    const auto *p = reinterpret_cast<const char *>(sqlite3_column_text(st, i));
    return p ? QString::fromUtf8(p, sqlite3_column_bytes(st, i)) : QString();
}

int digits(const unsigned char *p, int n)
{
    int v = 0;
    for (int i = 0; i < n; ++i)
        v = v * 10 + (p[i] - '0');
    return v;
}

// "yyyy/mm/dd" or "yyyy/mm/dd hh:nn:ss", as stored; Null stays invalid.
QDateTime date(sqlite3_stmt *st, int i)
{
    const unsigned char *p = sqlite3_column_text(st, i);
    const int n = sqlite3_column_bytes(st, i);
    if (!p || (n != 10 && n != 19))
        return QDateTime();
    const QDate day(digits(p, 4), digits(p + 5, 2), digits(p + 8, 2));
    const QTime time = n == 19 ? QTime(digits(p + 11, 2), digits(p + 14, 2), digits(p + 17, 2)) : QTime(0, 0);
    return QDateTime(day, time);
}

} // namespace

std::vector<Row> load(sqlite3 *db, const QByteArray &sql)
{
    sqlite3_stmt *st = nullptr;
    if (sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &st, nullptr) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(db));
    // Column positions of 伝票テーブル.*.
    enum { id = 0, nouki = 1, customerID = 2, name = 6, bumon = 7, total = 18, firstStage = 19,
           insertDate = 32, modifyDate = 33 };
    std::vector<Row> rows;
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        Row r;
        r.id = sqlite3_column_int(st, id);
        r.customerID = text(st, customerID);
        r.nouki = date(st, nouki);
        r.name = text(st, name);
        r.bumon = text(st, bumon);
        r.total = sqlite3_column_int(st, total);
        for (int s = 0; s < 5; ++s) {
            r.stage[s] = sqlite3_column_int(st, firstStage + 2 * s) != 0;
            r.stageDate[s] = date(st, firstStage + 2 * s + 1);
        }
        r.insertDate = date(st, insertDate);
        r.modifyDate = date(st, modifyDate);
        rows.push_back(std::move(r));
    }
    sqlite3_finalize(st);
    if (rc != SQLITE_DONE)
        throw std::runtime_error(sqlite3_errmsg(db));
    return rows;
}

sqlite3 *openReadOnly(const QString &path)
{
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr) != SQLITE_OK)
        throw std::runtime_error("cannot open the benchmark database");
    // Indexes on the program's own functions need them registered.
    db::registerTextFunctions(db);
    return db;
}

} // namespace rawslips
