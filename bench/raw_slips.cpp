#include "raw_slips.h"

#include "core/DateValue.h"
#include "platform/db/TextFunctions.h"

#include <sqlite3.h>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>

namespace rawslips {
namespace {

int digits(const unsigned char *p, int n)
{
    int v = 0;
    for (int i = 0; i < n; ++i) {
        if (p[i] < '0' || p[i] > '9')
            return -1;
        v = v * 10 + (p[i] - '0');
    }
    return v;
}

// Texts that repeat over the rows (a customer's ID, name and department on
// each of its slips), converted once per load.
class Texts {
public:
    QString get(sqlite3_stmt *st, int i)
    {
        const auto *p = reinterpret_cast<const char *>(sqlite3_column_text(st, i));
        if (!p)
            return QString();
        const std::string_view bytes(p, size_t(sqlite3_column_bytes(st, i)));
        const auto it = m_texts.find(bytes);
        if (it != m_texts.end())
            return it->second;
        return m_texts.emplace(std::string(bytes), QString::fromUtf8(p, qsizetype(bytes.size()))).first->second;
    }

private:
    struct Hash {
        using is_transparent = void;
        size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };
    std::unordered_map<std::string, QString, Hash, std::equal_to<>> m_texts;
};

// "yyyy/mm/dd" or "yyyy/mm/dd hh:nn:ss", as stored; Null stays invalid.
// Each day is made a local date-time once; a time on a day whose clock runs
// 24 hours from midnight at one offset is counted from that midnight.
class Dates {
public:
    QDateTime get(sqlite3_stmt *st, int i)
    {
        const unsigned char *p = sqlite3_column_text(st, i);
        const int n = sqlite3_column_bytes(st, i);
        if (!p || (n != 10 && n != 19))
            return QDateTime();
        const int y = digits(p, 4), m = digits(p + 5, 2), d = digits(p + 8, 2);
        auto it = m_days.find(y * 10000 + m * 100 + d);
        if (it == m_days.end())
            it = m_days.emplace(y * 10000 + m * 100 + d, makeDay(QDate(y, m, d))).first;
        const Day &day = it->second;
        if (n == 10)
            return day.midnight;
        const int h = digits(p + 11, 2), min = digits(p + 14, 2), s = digits(p + 17, 2);
        if (day.steady)
            return QDateTime::fromMSecsSinceEpoch(day.epochMSecs + (h * 3600 + min * 60 + s) * 1000LL);
        return localDateTime(QDate(y, m, d), QTime(h, min, s));
    }

private:
    struct Day {
        QDateTime midnight;
        bool steady = false;
        qint64 epochMSecs = 0;
    };

    static Day makeDay(const QDate &date)
    {
        Day day;
        day.midnight = localDateTime(date, QTime(0, 0));
        const QDateTime next(date.addDays(1), QTime(0, 0));
        day.steady = day.midnight.isValid() && day.midnight.time() == QTime(0, 0) && next.isValid()
                     && next.offsetFromUtc() == day.midnight.offsetFromUtc() && day.midnight.secsTo(next) == 86400;
        day.epochMSecs = day.midnight.toMSecsSinceEpoch();
        return day;
    }

    std::unordered_map<int, Day> m_days;
};

} // namespace

void load(sqlite3 *db, const QByteArray &sql, std::vector<Row> &rows)
{
    rows.clear();
    sqlite3_stmt *st = nullptr;
    if (sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &st, nullptr) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(db));
    // Column positions of 伝票テーブル.*.
    enum { id = 0, nouki = 1, customerID = 2, name = 6, bumon = 7, total = 18, firstStage = 19,
           insertDate = 32, modifyDate = 33 };
    Texts texts;
    Dates dates;
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        Row &r = rows.emplace_back();
        r.id = sqlite3_column_int(st, id);
        r.customerID = texts.get(st, customerID);
        r.nouki = dates.get(st, nouki);
        r.name = texts.get(st, name);
        r.bumon = texts.get(st, bumon);
        r.total = sqlite3_column_int(st, total);
        for (int s = 0; s < 5; ++s) {
            r.stage[s] = sqlite3_column_int(st, firstStage + 2 * s) != 0;
            r.stageDate[s] = dates.get(st, firstStage + 2 * s + 1);
        }
        r.insertDate = dates.get(st, insertDate);
        r.modifyDate = dates.get(st, modifyDate);
    }
    sqlite3_finalize(st);
    if (rc != SQLITE_DONE)
        throw std::runtime_error(sqlite3_errmsg(db));
}

sqlite3 *openReadOnly(const QString &path)
{
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr) != SQLITE_OK)
        throw std::runtime_error("cannot open the benchmark database");
    return db;
}

sqlite3 *openForWriting(const QString &path)
{
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr) != SQLITE_OK)
        throw std::runtime_error("cannot open the database");
    sqlite3_extended_result_codes(db, 1);
    sqlite3_busy_timeout(db, 2000);
    db::registerTextFunctions(db);
    sqlite3_exec(db, "PRAGMA synchronous=FULL", nullptr, nullptr, nullptr);
    return db;
}

sqlite3_stmt *prepare(sqlite3 *db, const QString &sql)
{
    sqlite3_stmt *st = nullptr;
    const QByteArray utf8 = sql.toUtf8();
    if (sqlite3_prepare_v2(db, utf8.constData(), int(utf8.size()), &st, nullptr) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(db));
    return st;
}

void run(sqlite3 *db, sqlite3_stmt *st)
{
    while (sqlite3_step(st) == SQLITE_ROW) {
    }
    if (sqlite3_reset(st) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(db));
}

} // namespace rawslips
