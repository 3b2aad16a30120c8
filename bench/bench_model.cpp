// The slip list's load and the slip's save, each beside the same work
// written directly on the engine's calls. Both run on a scratch copy of the
// 100,000-slip database: the saves add a slip to it, the shared file stays
// as generated.
#include "bench_support.h"
#include "gen_benchdb.h"
#include "raw_slips.h"

#include "core/DateValue.h"
#include "core/Globals.h"
#include "model/Denpyo.h"
#include "model/denpyos.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <stdexcept>
#include <vector>

namespace {

using rawslips::prepare;
using rawslips::run;

// 10,000 slips, sorted on another column than the key, as the main list does.
const QString kWhere = QStringLiteral("伝票テーブル.伝票番号 BETWEEN 90001 AND 100000");
const QString kOrder = QStringLiteral("伝票テーブル.納期, 伝票テーブル.伝票番号");
constexpr qint32 kSavedSlip = benchdb::kSlips + 1;
constexpr int kSavedLines = 20;

const QString &databaseCopy()
{
    static const QString path = benchsupport::scratchCopy(benchdb::largeDatabase());
    return path;
}

void openModel()
{
    if (!gConnection)
        gConnection = db::Connection::open(databaseCopy());
}

// The engine's own handle on the copy, opened as the program opens its own.
sqlite3 *openRaw()
{
    static sqlite3 *db = nullptr;
    if (!db) {
        db = rawslips::openForWriting(databaseCopy());
    }
    return db;
}

// --- listing -------------------------------------------------------------

void BM_ListLoad_denpyos(benchmark::State &state)
{
    openModel();
    for (auto _ : state) {
        denpyos list;
        list.Load(kWhere, QString(), kOrder);
        if (list.Count() != 10000)
            state.SkipWithError("unexpected row count");
        benchmark::DoNotOptimize(list.Item(list.Count()).Nouki());
    }
    state.SetItemsProcessed(state.iterations() * 10000);
}

// The same statement, prepared once per load, its 18 listed columns read by
// position into QString, numbers, flags and local date-times, built as the
// list builds them (rawslips::load).
void BM_ListLoad_raw(benchmark::State &state)
{
    sqlite3 *db = openRaw();
    const QByteArray sql = denpyos::listStatement(kWhere, QString(), kOrder).toUtf8();
    std::vector<rawslips::Row> rows;
    rows.reserve(10000);
    for (auto _ : state) {
        rawslips::load(db, sql, rows);
        if (rows.size() != 10000)
            state.SkipWithError("unexpected row count");
        benchmark::DoNotOptimize(rows.back().nouki);
    }
    state.SetItemsProcessed(state.iterations() * 10000);
}

// --- saving --------------------------------------------------------------

void fillSlip(Denpyo &d)
{
    d.setDenpyoID(kSavedSlip);
    d.setCustomerID(QStringLiteral("C00001"));
    d.setNouki(QDateTime(QDate(2024, 12, 20), QTime(0, 0)));
    d.setCustomerName(QStringLiteral("株式会社山田商店"));
    d.setCustomerAddress1(QStringLiteral("東京都千代田区丸の内1-2-3"));
    d.setCustomerTelephone(QStringLiteral("03-1234-5678"));
    d.setMitsumori(true);
    d.setMitsumoriDate(QDateTime(QDate(2024, 12, 1), QTime(0, 0)));
    d.setJuchu(true);
    d.setJuchuDate(QDateTime(QDate(2024, 12, 2), QTime(0, 0)));
    d.setTanto(QStringLiteral("佐々木"));
    d.setMemo(QStringLiteral("納品時に連絡\r\n現場：丸の内"));
    while (d.Meisais().Count() > 0)
        d.Meisais().Remove(1);
    qint32 sum = 0;
    for (int i = 1; i <= kSavedLines; ++i) {
        Meisai &m = d.Meisais().Add();
        m.setItemID(QStringLiteral("P%1").arg(i, 6, 10, QLatin1Char('0')));
        m.setItemNumber(QStringLiteral("A-%1").arg(i * 37, 5, 10, QLatin1Char('0')));
        m.setItemName(QStringLiteral("六角ボルト M%1").arg(6 + i % 4 * 2));
        m.setItemTanka(120.5);
        m.setItemSuryo(i);
        m.setItemTanni(QStringLiteral("本"));
        m.setItemKingaku(qint32(120.5 * i + 0.5));
        sum += m.ItemKingaku();
    }
    d.setMeisaiSum(sum);
    d.setSummery(sum);
    d.setShouhizei(sum / 10);
    d.setSummeryWithShouhizei(sum + sum / 10);
}

void BM_Save_Denpyo(benchmark::State &state)
{
    openModel();
    Denpyo d;
    if (!d.Load(kSavedSlip))
        d.Initialize();
    fillSlip(d);
    if (!d.Apply())
        state.SkipWithError("not saved");
    for (auto _ : state) {
        if (!d.Apply())
            state.SkipWithError("not saved");
    }
}

// The values a slip holds while being edited, as the raw save starts from.
struct RawSlip {
    QString customerID = QStringLiteral("C00001"), name = QStringLiteral("株式会社山田商店"),
            address1 = QStringLiteral("東京都千代田区丸の内1-2-3"), telephone = QStringLiteral("03-1234-5678"),
            tanto = QStringLiteral("佐々木"), memo = QStringLiteral("納品時に連絡\r\n現場：丸の内");
    QDateTime nouki = QDateTime(QDate(2024, 12, 20), QTime(0, 0)), mitsumori = QDateTime(QDate(2024, 12, 1), QTime(0, 0)),
              juchu = QDateTime(QDate(2024, 12, 2), QTime(0, 0)), inserted = QDateTime(QDate(2024, 12, 20), QTime(10, 0));
    struct Line {
        QString id, number, name, unit;
        double tanka, suryo;
        qint32 kingaku;
    };
    std::vector<Line> lines;
    RawSlip()
    {
        for (int n = 1; n <= kSavedLines; ++n)
            lines.push_back({QStringLiteral("P%1").arg(n, 6, 10, QLatin1Char('0')),
                             QStringLiteral("A-%1").arg(n * 37, 5, 10, QLatin1Char('0')),
                             QStringLiteral("六角ボルト M%1").arg(6 + n % 4 * 2), QStringLiteral("本"), 120.5, double(n),
                             qint32(120.5 * n + 0.5)});
    }
};

// The statements Apply runs for an update, each prepared per save as Apply
// prepares them, bound from the slip's QString and date values, in one
// transaction.
void BM_Save_raw(benchmark::State &state)
{
    openModel();
    {
        Denpyo d; // make sure the slip exists, as in the benchmark above
        if (!d.Load(kSavedSlip)) {
            fillSlip(d);
            d.Apply();
        }
    }
    gConnection.reset();
    sqlite3 *db = openRaw();
    const QString existsSql = QStringLiteral("SELECT 1 FROM 伝票テーブル WHERE (伝票番号 = ?)");
    const QString updateSql = QStringLiteral(
        "UPDATE 伝票テーブル SET 伝票番号 = ?, 納期 = ?, 顧客ID = ?, 顧客郵便 = ?, 顧客所在地１ = ?, "
        "顧客所在地２ = ?, 顧客名 = ?, 顧客部門 = ?, 顧客電話 = ?, 顧客FAX = ?, 明細数 = ?, 明細計 = ?, "
        "値引率計算 = ?, 値引率 = ?, 値引金額 = ?, 合計 = ?, 消費税含 = ?, 消費税 = ?, 合計消費税込み = ?, "
        "見積もり = ?, 見積もり日付 = ?, 受注 = ?, 受注日付 = ?, 納品 = ?, 納品日付 = ?, 請求 = ?, "
        "請求日付 = ?, 入金 = ?, 入金日付 = ?, 部門 = ?, 担当 = ?, メモ = ?, 作成日付 = ?, 更新日付 = ? "
        "WHERE (伝票番号 = ?)");
    const QString deleteLinesSql = QStringLiteral("DELETE FROM 明細テーブル WHERE (伝票番号 = ?)");
    const QString insertLineSql = QStringLiteral(
        "INSERT INTO 明細テーブル (伝票番号, 明細番号, 商品ID, 品番, 品名, 単価, 数量, 単位, 金額, 備考) "
        "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    const QString counterSql = QStringLiteral("SELECT 数値型データ FROM 基本情報テーブル WHERE 基本情報ID = ?");
    const auto text = [](sqlite3_stmt *st, int i, const QString &value) {
        if (value.isEmpty()) {
            sqlite3_bind_null(st, i);
            return;
        }
        const QByteArray utf8 = value.toUtf8();
        sqlite3_bind_text(st, i, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
    };
    const auto day = [&](sqlite3_stmt *st, int i, const QDateTime &value) {
        text(st, i, value.date().toString(QStringLiteral("yyyy/MM/dd")));
    };
    const auto stamp = [&](sqlite3_stmt *st, int i, const QDateTime &value) {
        text(st, i, value.toString(QStringLiteral("yyyy/MM/dd HH:mm:ss")));
    };
    const RawSlip slip;
    for (auto _ : state) {
        sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
        sqlite3_stmt *exists = prepare(db, existsSql);
        sqlite3_bind_int(exists, 1, kSavedSlip);
        if (sqlite3_step(exists) != SQLITE_ROW)
            state.SkipWithError("slip missing");
        sqlite3_finalize(exists);
        sqlite3_stmt *update = prepare(db, updateSql);
        int i = 0;
        sqlite3_bind_int(update, ++i, kSavedSlip);
        day(update, ++i, slip.nouki);
        text(update, ++i, slip.customerID);
        text(update, ++i, QString());
        text(update, ++i, slip.address1);
        text(update, ++i, QString());
        text(update, ++i, slip.name);
        text(update, ++i, QString());
        text(update, ++i, slip.telephone);
        text(update, ++i, QString());
        for (int n = 0; n < 9; ++n)
            sqlite3_bind_int(update, ++i, n + 1000);
        sqlite3_bind_int(update, ++i, 1);
        day(update, ++i, slip.mitsumori);
        sqlite3_bind_int(update, ++i, 1);
        day(update, ++i, slip.juchu);
        for (int s = 0; s < 3; ++s) {
            sqlite3_bind_int(update, ++i, 0);
            sqlite3_bind_null(update, ++i);
        }
        text(update, ++i, QString());
        text(update, ++i, slip.tanto);
        text(update, ++i, slip.memo);
        stamp(update, ++i, slip.inserted);
        stamp(update, ++i, now());
        sqlite3_bind_int(update, ++i, kSavedSlip);
        run(db, update);
        sqlite3_finalize(update);
        sqlite3_stmt *deleteLines = prepare(db, deleteLinesSql);
        sqlite3_bind_int(deleteLines, 1, kSavedSlip);
        run(db, deleteLines);
        sqlite3_finalize(deleteLines);
        sqlite3_stmt *insertLine = prepare(db, insertLineSql);
        int n = 0;
        for (const RawSlip::Line &line : slip.lines) {
            sqlite3_reset(insertLine);
            sqlite3_bind_int(insertLine, 1, kSavedSlip);
            sqlite3_bind_int(insertLine, 2, ++n);
            text(insertLine, 3, line.id);
            text(insertLine, 4, line.number);
            text(insertLine, 5, line.name);
            sqlite3_bind_double(insertLine, 6, line.tanka);
            sqlite3_bind_double(insertLine, 7, line.suryo);
            text(insertLine, 8, line.unit);
            sqlite3_bind_int(insertLine, 9, line.kingaku);
            text(insertLine, 10, QString());
            run(db, insertLine);
        }
        sqlite3_finalize(insertLine);
        sqlite3_stmt *counter = prepare(db, counterSql);
        text(counter, 1, QStringLiteral("CurrentDenpyoID"));
        run(db, counter);
        sqlite3_finalize(counter);
        if (sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK)
            state.SkipWithError("commit failed");
    }
}

} // namespace

BENCHMARK(BM_ListLoad_denpyos)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListLoad_raw)->Unit(benchmark::kMillisecond);
// A save waits for the disk: wall time is what the user sees.
BENCHMARK(BM_Save_Denpyo)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_Save_raw)->Unit(benchmark::kMicrosecond)->UseRealTime();

int main(int argc, char **argv)
{
    // As the program's main does: the zone file is then read once rather
    // than looked up for every local date-time built.
    if (qEnvironmentVariableIsEmpty("TZ"))
        qputenv("TZ", ":/etc/localtime");
    return benchsupport::run(argc, argv, {{"BM_ListLoad_denpyos", "BM_ListLoad_raw"}, {"BM_Save_Denpyo", "BM_Save_raw"}});
}
