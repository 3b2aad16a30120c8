#include "gen_benchdb.h"

#include "core/DateValue.h"
#include "core/Globals.h"
#include "model/Denpyo.h"
#include "model/denpyos.h"
#include "platform/db/TextFunctions.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <string>
#include <vector>

namespace {

// 10,000 slips, sorted on another column than the key, as the main list does.
const QString kWhere = QStringLiteral("伝票テーブル.伝票番号 BETWEEN 90001 AND 100000");
const QString kOrder = QStringLiteral("伝票テーブル.納期, 伝票テーブル.伝票番号");
constexpr qint32 kSavedSlip = benchdb::kSlips + 1;
constexpr int kSavedLines = 20;

void openModel()
{
    if (!gConnection)
        gConnection = db::Connection::open(benchdb::largeDatabase());
}

sqlite3 *openRaw()
{
    static sqlite3 *db = nullptr;
    if (!db) {
        const QByteArray path = benchdb::largeDatabase().toUtf8();
        sqlite3_open_v2(path.constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
        sqlite3_busy_timeout(db, 2000);
        // The schema's day indexes are built on Mid, as the program registers it.
        db::registerTextFunctions(db);
        sqlite3_exec(db, "PRAGMA synchronous=FULL", nullptr, nullptr, nullptr);
    }
    return db;
}

sqlite3_stmt *prepare(sqlite3 *db, const QString &sql)
{
    sqlite3_stmt *st = nullptr;
    const QByteArray utf8 = sql.toUtf8();
    if (sqlite3_prepare_v2(db, utf8.constData(), -1, &st, nullptr) != SQLITE_OK)
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

// The same statement read by hand into plain rows: the 18 listed columns,
// texts copied out, dates left as text.
struct RawRow {
    qint64 id = 0;
    std::string customerID, nouki, name, bumon;
    qint64 total = 0;
    bool stage[5] = {};
    std::string stageDate[5];
    std::string insertDate, modifyDate;
};

std::string columnText(sqlite3_stmt *st, int i)
{
    const auto *p = reinterpret_cast<const char *>(sqlite3_column_text(st, i));
    return p ? std::string(p, size_t(sqlite3_column_bytes(st, i))) : std::string();
}

void BM_ListLoad_raw(benchmark::State &state)
{
    sqlite3 *db = openRaw();
    const QString sql = denpyos::listStatement(kWhere, QString(), kOrder);
    for (auto _ : state) {
        sqlite3_stmt *st = prepare(db, sql);
        // Column positions of 伝票テーブル.
        enum { id = 0, nouki = 1, customerID = 2, name = 6, bumon = 7, total = 18, firstStage = 19,
               bu = 29, insertDate = 32, modifyDate = 33 };
        std::vector<RawRow> rows;
        while (sqlite3_step(st) == SQLITE_ROW) {
            RawRow r;
            r.id = sqlite3_column_int64(st, id);
            r.customerID = columnText(st, customerID);
            r.nouki = columnText(st, nouki);
            r.name = columnText(st, name);
            r.bumon = columnText(st, bumon);
            r.total = sqlite3_column_int64(st, total);
            for (int s = 0; s < 5; ++s) {
                r.stage[s] = sqlite3_column_int64(st, firstStage + 2 * s) != 0;
                r.stageDate[s] = columnText(st, firstStage + 2 * s + 1);
            }
            r.insertDate = columnText(st, insertDate);
            r.modifyDate = columnText(st, modifyDate);
            rows.push_back(std::move(r));
        }
        sqlite3_finalize(st);
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

// The statements Apply runs for an update, prepared once and run by hand in
// one transaction.
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
    sqlite3_stmt *exists = prepare(db, QStringLiteral("SELECT 1 FROM 伝票テーブル WHERE (伝票番号 = ?)"));
    sqlite3_stmt *update = prepare(db, QStringLiteral(
        "UPDATE 伝票テーブル SET 伝票番号 = ?, 納期 = ?, 顧客ID = ?, 顧客郵便 = ?, 顧客所在地１ = ?, "
        "顧客所在地２ = ?, 顧客名 = ?, 顧客部門 = ?, 顧客電話 = ?, 顧客FAX = ?, 明細数 = ?, 明細計 = ?, "
        "値引率計算 = ?, 値引率 = ?, 値引金額 = ?, 合計 = ?, 消費税含 = ?, 消費税 = ?, 合計消費税込み = ?, "
        "見積もり = ?, 見積もり日付 = ?, 受注 = ?, 受注日付 = ?, 納品 = ?, 納品日付 = ?, 請求 = ?, "
        "請求日付 = ?, 入金 = ?, 入金日付 = ?, 部門 = ?, 担当 = ?, メモ = ?, 作成日付 = ?, 更新日付 = ? "
        "WHERE (伝票番号 = ?)"));
    sqlite3_stmt *deleteLines = prepare(db, QStringLiteral("DELETE FROM 明細テーブル WHERE (伝票番号 = ?)"));
    sqlite3_stmt *insertLine = prepare(db, QStringLiteral(
        "INSERT INTO 明細テーブル (伝票番号, 明細番号, 商品ID, 品番, 品名, 単価, 数量, 単位, 金額, 備考) "
        "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    sqlite3_stmt *counter = prepare(db, QStringLiteral(
        "SELECT 数値型データ FROM 基本情報テーブル WHERE 基本情報ID = 'CurrentDenpyoID'"));
    const auto text = [](sqlite3_stmt *st, int i, const char *utf8) {
        sqlite3_bind_text(st, i, utf8, -1, SQLITE_TRANSIENT);
    };
    for (auto _ : state) {
        sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
        sqlite3_bind_int(exists, 1, kSavedSlip);
        run(db, exists);
        int i = 0;
        sqlite3_bind_int(update, ++i, kSavedSlip);
        text(update, ++i, "2024/12/20");
        text(update, ++i, "C00001");
        sqlite3_bind_null(update, ++i);
        text(update, ++i, "東京都千代田区丸の内1-2-3");
        sqlite3_bind_null(update, ++i);
        text(update, ++i, "株式会社山田商店");
        sqlite3_bind_null(update, ++i);
        text(update, ++i, "03-1234-5678");
        sqlite3_bind_null(update, ++i);
        for (int n = 0; n < 9; ++n)
            sqlite3_bind_int(update, ++i, n + 1000);
        sqlite3_bind_int(update, ++i, 1);
        text(update, ++i, "2024/12/01");
        sqlite3_bind_int(update, ++i, 1);
        text(update, ++i, "2024/12/02");
        for (int s = 0; s < 3; ++s) {
            sqlite3_bind_int(update, ++i, 0);
            sqlite3_bind_null(update, ++i);
        }
        sqlite3_bind_null(update, ++i);
        text(update, ++i, "佐々木");
        text(update, ++i, "納品時に連絡\r\n現場：丸の内");
        text(update, ++i, "2024/12/20 10:00:00");
        text(update, ++i, "2024/12/21 10:00:00");
        sqlite3_bind_int(update, ++i, kSavedSlip);
        run(db, update);
        sqlite3_bind_int(deleteLines, 1, kSavedSlip);
        run(db, deleteLines);
        for (int n = 1; n <= kSavedLines; ++n) {
            const QByteArray id = QStringLiteral("P%1").arg(n, 6, 10, QLatin1Char('0')).toUtf8();
            const QByteArray number = QStringLiteral("A-%1").arg(n * 37, 5, 10, QLatin1Char('0')).toUtf8();
            const QByteArray name = QStringLiteral("六角ボルト M%1").arg(6 + n % 4 * 2).toUtf8();
            sqlite3_bind_int(insertLine, 1, kSavedSlip);
            sqlite3_bind_int(insertLine, 2, n);
            text(insertLine, 3, id.constData());
            text(insertLine, 4, number.constData());
            text(insertLine, 5, name.constData());
            sqlite3_bind_double(insertLine, 6, 120.5);
            sqlite3_bind_double(insertLine, 7, n);
            text(insertLine, 8, "本");
            sqlite3_bind_int(insertLine, 9, int(120.5 * n + 0.5));
            sqlite3_bind_null(insertLine, 10);
            run(db, insertLine);
        }
        run(db, counter);
        if (sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK)
            state.SkipWithError("commit failed");
    }
    for (sqlite3_stmt *st : {exists, update, deleteLines, insertLine, counter})
        sqlite3_finalize(st);
}

} // namespace

BENCHMARK(BM_ListLoad_denpyos)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_ListLoad_raw)->Unit(benchmark::kMillisecond)->MinTime(2.0);
// A save waits for the disk: wall time is what the user sees.
BENCHMARK(BM_Save_Denpyo)->Unit(benchmark::kMicrosecond)->MinTime(3.0)->UseRealTime();
BENCHMARK(BM_Save_raw)->Unit(benchmark::kMicrosecond)->MinTime(3.0)->UseRealTime();

int main(int argc, char **argv)
{
    // As the program's main does: the zone file is then read once rather
    // than looked up for every local date-time built.
    if (qEnvironmentVariableIsEmpty("TZ"))
        qputenv("TZ", ":/etc/localtime");
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
