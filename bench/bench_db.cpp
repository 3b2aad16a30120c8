// Prepared insert and select of 10,000 rows through db::Connection and
// db::Statement, beside the same work through the raw sqlite3 calls. Both
// start from and end in QString, as every caller of the program does, so
// the ratio of each pair is the layer's own overhead.
#include "bench_support.h"

#include "platform/db/Connection.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

namespace {

constexpr int kRows = 10000;

const QString kInsert = QStringLiteral(
    "INSERT INTO 顧客テーブル (顧客ID, 顧客名かな, 顧客名漢字, 値引率, メモ) VALUES (?, ?, ?, ?, ?)");
const QString kSelect = QStringLiteral("SELECT * FROM 顧客テーブル ORDER BY 顧客ID");

struct Row {
    QString id, kana, kanji, memo;
    int discount;
};

const std::vector<Row> &rows()
{
    static const std::vector<Row> r = [] {
        std::vector<Row> v;
        v.reserve(kRows);
        for (int i = 0; i < kRows; ++i)
            v.push_back({QStringLiteral("C%1").arg(i, 6, 10, QLatin1Char('0')),
                         QStringLiteral("やまだしょうてん%1").arg(i), QStringLiteral("山田商店%1").arg(i),
                         QStringLiteral("メモ %1 行目").arg(i), i % 30});
        return v;
    }();
    return r;
}

QString schema()
{
    QFile f(QStringLiteral(QVX_SCHEMA_SQL));
    if (!f.open(QIODevice::ReadOnly))
        qFatal("cannot read the schema");
    return QString::fromUtf8(f.readAll());
}

// A fresh database in a temporary folder for one benchmark.
struct Fixture {
    QTemporaryDir dir;
    QString path;
    Fixture()
    {
        path = dir.filePath(QStringLiteral("bench.mdb"));
        db::Connection::createFile(path, schema());
    }
};

void layerInsert(db::Connection &c)
{
    db::Transaction t(c);
    db::Statement st = c.prepare(kInsert);
    for (const Row &r : rows()) {
        st.reset();
        st.bindText(1, r.id).bindText(2, r.kana).bindText(3, r.kanji).bindInt(4, r.discount).bindText(5, r.memo);
        st.exec();
    }
    t.commit();
}

void bindUtf8(sqlite3_stmt *st, int index, const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    sqlite3_bind_text(st, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

void rawInsert(sqlite3 *db)
{
    sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    const QByteArray sql = kInsert.toUtf8();
    sqlite3_stmt *st = nullptr;
    sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &st, nullptr);
    for (const Row &r : rows()) {
        sqlite3_reset(st);
        bindUtf8(st, 1, r.id);
        bindUtf8(st, 2, r.kana);
        bindUtf8(st, 3, r.kanji);
        sqlite3_bind_int64(st, 4, r.discount);
        bindUtf8(st, 5, r.memo);
        if (sqlite3_step(st) != SQLITE_DONE)
            qFatal("insert failed: %s", sqlite3_errmsg(db));
    }
    sqlite3_finalize(st);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
}

void BM_InsertLayer(benchmark::State &state)
{
    Fixture f;
    auto c = db::Connection::open(f.path);
    for (auto _ : state) {
        state.PauseTiming();
        c->exec(QStringLiteral("DELETE FROM 顧客テーブル"));
        state.ResumeTiming();
        layerInsert(*c);
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}

void BM_InsertRaw(benchmark::State &state)
{
    Fixture f;
    sqlite3 *db = nullptr;
    sqlite3_open_v2(f.path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    sqlite3_exec(db, "PRAGMA synchronous=FULL", nullptr, nullptr, nullptr);
    for (auto _ : state) {
        state.PauseTiming();
        sqlite3_exec(db, "DELETE FROM 顧客テーブル", nullptr, nullptr, nullptr);
        state.ResumeTiming();
        rawInsert(db);
    }
    sqlite3_close_v2(db);
    state.SetItemsProcessed(state.iterations() * kRows);
}

void BM_SelectLayer(benchmark::State &state)
{
    Fixture f;
    auto c = db::Connection::open(f.path);
    layerInsert(*c);
    const QString id = QStringLiteral("顧客ID"), kanji = QStringLiteral("顧客名漢字"),
                  kana = QStringLiteral("顧客名かな"), discount = QStringLiteral("値引率"),
                  memo = QStringLiteral("メモ");
    for (auto _ : state) {
        db::Statement st = c->prepare(kSelect);
        qint64 sum = 0;
        qsizetype chars = 0;
        while (st.step()) {
            chars += st.text(id).size() + st.text(kanji).size() + st.text(kana).size() + st.text(memo).size();
            sum += st.int64(discount);
        }
        benchmark::DoNotOptimize(sum);
        benchmark::DoNotOptimize(chars);
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}

QString columnText(sqlite3_stmt *st, int column)
{
    const auto *p = reinterpret_cast<const char *>(sqlite3_column_text(st, column));
    return p ? QString::fromUtf8(p, sqlite3_column_bytes(st, column)) : QString();
}

void BM_SelectRaw(benchmark::State &state)
{
    Fixture f;
    {
        auto c = db::Connection::open(f.path);
        layerInsert(*c);
    }
    sqlite3 *db = nullptr;
    sqlite3_open_v2(f.path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    const QByteArray sql = kSelect.toUtf8();
    for (auto _ : state) {
        sqlite3_stmt *st = nullptr;
        sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &st, nullptr);
        // The raw code knows its column positions: 顧客ID, かな, 漢字, ..., 値引率, メモ.
        qint64 sum = 0;
        qsizetype chars = 0;
        while (sqlite3_step(st) == SQLITE_ROW) {
            chars += columnText(st, 0).size() + columnText(st, 2).size() + columnText(st, 1).size()
                     + columnText(st, 10).size();
            sum += sqlite3_column_int64(st, 9);
        }
        sqlite3_finalize(st);
        benchmark::DoNotOptimize(sum);
        benchmark::DoNotOptimize(chars);
    }
    sqlite3_close_v2(db);
    state.SetItemsProcessed(state.iterations() * kRows);
}

} // namespace

BENCHMARK(BM_InsertLayer)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InsertRaw)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SelectLayer)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SelectRaw)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    return benchsupport::run(argc, argv, {{"BM_InsertLayer", "BM_InsertRaw"}, {"BM_SelectLayer", "BM_SelectRaw"}});
}
