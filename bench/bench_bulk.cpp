// Two actions a user takes on many selected slips of the main window over the
// 100,000-slip database, each beside a raw baseline that makes the same
// output: the copy of every slip of 全件 to the clipboard (and the memory it
// takes), and the deletion of the first 1,000 or 10,000 slips of the list.
// Everything runs on scratch copies; the shared database stays as generated.
#include "bench_support.h"
#include "gen_benchdb.h"
#include "main_window.h"
#include "raw_slips.h"

#include "TestSupport.h"

#include "core/Globals.h"
#include "core/Startup.h"
#include "mainwindow/commands/RecordDeletion.h"
#include "mainwindow/views/MainListModel.h"
#include "mainwindow/views/MainListView.h"
#include "mainwindow/views/frmMainForm.h"
#include "model/denpyos.h"
#include "platform/db/Connection.h"
#include "platform/ui/MessageBox.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QItemSelectionModel>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <charconv>
#include <cstring>
#include <map>
#include <sqlite3.h>

namespace {

// --- the copy of 全件 -------------------------------------------------------

testsupport::ProgramFolder &readFolder()
{
    static testsupport::ProgramFolder f(benchdb::largeDatabase());
    f.enter();
    return f;
}

// Every row of the list selected, as Ctrl+A selects them: one range.
void selectFirstRows(frmMainForm &form, int rows)
{
    MainListModel *model = form.lvwList->listModel();
    const QItemSelection all(model->index(0, 0), model->index(rows - 1, model->columnCount() - 1));
    form.lvwList->selectionModel()->select(all, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

QByteArray digest(const QString &text)
{
    return QCryptographicHash::hash(
        QByteArrayView(reinterpret_cast<const char *>(text.utf16()), text.size() * qsizetype(sizeof(char16_t))),
        QCryptographicHash::Sha1);
}

QByteArray &oursDigest()
{
    static QByteArray d;
    return d;
}

QByteArray &rawDigest()
{
    static QByteArray d;
    return d;
}

// The program's copy of every slip of 全件 (Ctrl+C, through the edit menu's
// command), from the command until the clipboard holds the text: the
// selection read, every slip read with its lines, the text made and handed
// to the clipboard.
void BM_CopyAllSlips(benchmark::State &state)
{
    // A window of its own for each run (not timed): the deletion's runs
    // open and close the program's one connection between them.
    readFolder();
    frmMainForm form;
    if (!benchmain::openWithAllSlips(form)) {
        state.SkipWithError("start-up refused");
        return;
    }
    selectFirstRows(form, form.lvwList->listModel()->rowCount());
    QClipboard *clipboard = QGuiApplication::clipboard();
    for (auto _ : state) {
        state.PauseTiming();
        clipboard->clear();
        state.ResumeTiming();
        form.mnuCopy->trigger();
    }
    const QString text = clipboard->text();
    state.counters["MB_utf8"] = double(text.toUtf8().size()) / 1e6;
    oursDigest() = digest(text);
    if (!text.contains(QStringLiteral("\r\n%1/伝票番号//").arg(benchdb::kSlips)))
        state.SkipWithError("not every slip copied");
    clipboard->clear();
    form.Form_Unload();
}

// The same text made directly on the engine's calls: one statement over the
// slips and their lines in number order, each value written by hand into
// UTF-8, the whole converted once and handed to the clipboard.
class RawClip {
public:
    QByteArray out;
    QByteArray prefix; // "n/" or "n/明細/j/"

    void key(const char *k)
    {
        out += prefix;
        out += k;
        out += "//";
    }
    void end() { out += "\r\n"; }
    void text(const char *k, sqlite3_stmt *st, int c)
    {
        key(k);
        const char *p = reinterpret_cast<const char *>(sqlite3_column_text(st, c));
        const int n = sqlite3_column_bytes(st, c);
        if (!std::memchr(p, '\r', size_t(n)) && !std::memchr(p, '\n', size_t(n))) {
            out.append(p, n);
        } else {
            for (int i = 0; i < n; ++i)
                if (p[i] != '\r' && p[i] != '\n')
                    out += p[i];
        }
        end();
    }
    void memo(const char *k, sqlite3_stmt *st, int c)
    {
        key(k);
        const char *p = reinterpret_cast<const char *>(sqlite3_column_text(st, c));
        const int n = sqlite3_column_bytes(st, c);
        if (!std::memchr(p, '\r', size_t(n))) {
            out.append(p, n);
            end();
            return;
        }
        for (int i = 0; i < n; ++i) {
            if (p[i] == '\r' && i + 1 < n && p[i + 1] == '\n') {
                out += "<CRLF>";
                ++i;
            } else {
                out += p[i];
            }
        }
        end();
    }
    void whole(const char *k, qint64 v)
    {
        key(k);
        char b[24];
        out.append(b, std::to_chars(b, b + sizeof b, v).ptr - b);
        end();
    }
    void number(const char *k, double v)
    {
        key(k);
        char b[400];
        out.append(b, std::to_chars(b, b + sizeof b, v == 0 ? 0.0 : v, std::chars_format::fixed).ptr - b);
        end();
    }
    void flag(const char *k, sqlite3_stmt *st, int c)
    {
        key(k);
        out += sqlite3_column_int(st, c) ? "True" : "False";
        end();
    }
    // A stored date or time as it stands (the program's own form).
    void stored(const char *k, sqlite3_stmt *st, int c) { text(k, st, c); }
};

QString rawCopyText(sqlite3 *db, int slips)
{
    static const char *const columns[] = {
        "伝票番号", "納期", "顧客ID", "顧客郵便", "顧客所在地１", "顧客所在地２", "顧客名", "顧客部門", "顧客電話",
        "顧客FAX", "明細数", "明細計", "値引率計算", "値引率", "値引金額", "合計", "消費税含", "消費税",
        "合計消費税込み", "見積もり", "見積もり日付", "受注", "受注日付", "納品", "納品日付", "請求", "請求日付",
        "入金", "入金日付", "部門", "担当", "メモ", "作成日付", "更新日付"};
    QByteArray sql = "SELECT ";
    for (const char *c : columns)
        sql += QByteArray("s.") + c + ", ";
    sql += "m.商品ID, m.品番, m.品名, m.単価, m.数量, m.単位, m.金額, m.備考, m.明細番号 FROM 伝票テーブル s "
           "LEFT JOIN 明細テーブル m ON m.伝票番号 = s.伝票番号 ORDER BY s.伝票番号, m.明細番号";
    sqlite3_stmt *st = nullptr;
    sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &st, nullptr);
    RawClip clip;
    clip.out = "Quorvex5\r\nオブジェクト/伝票\r\n件数/" + QByteArray::number(slips) + "\r\n";
    RawClip items;
    QByteArray number;
    qint64 previous = -1;
    int record = 0, lines = 0;
    const auto finishSlip = [&] {
        if (record == 0)
            return;
        clip.prefix = number;
        clip.whole("明細数", lines);
        clip.out += items.out;
        items.out.resize(0);
    };
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        const qint64 id = sqlite3_column_int64(st, 0);
        if (id != previous) {
            finishSlip();
            previous = id;
            lines = 0;
            number = QByteArray::number(++record) + '/';
            clip.prefix = number;
            clip.whole("伝票番号", id);
            clip.stored("納期", st, 1);
            for (int c = 2; c <= 9; ++c)
                clip.text(columns[c], st, c);
            clip.whole("明細計", sqlite3_column_int64(st, 11));
            clip.flag("値引率計算", st, 12);
            clip.whole("値引率", sqlite3_column_int64(st, 13));
            clip.whole("値引金額", sqlite3_column_int64(st, 14));
            clip.whole("合計", sqlite3_column_int64(st, 15));
            clip.flag("消費税含", st, 16);
            clip.whole("消費税", sqlite3_column_int64(st, 17));
            clip.whole("合計消費税込み", sqlite3_column_int64(st, 18));
            for (int c = 19; c <= 27; c += 2) {
                clip.flag(columns[c], st, c);
                clip.stored(columns[c + 1], st, c + 1);
            }
            clip.text("部門", st, 29);
            clip.text("担当", st, 30);
            clip.memo("メモ", st, 31);
            clip.stored("作成日付", st, 32);
            clip.stored("更新日付", st, 33);
        }
        if (sqlite3_column_type(st, 42) == SQLITE_NULL)
            continue;
        items.prefix = number + "明細/" + QByteArray::number(++lines) + '/';
        items.text("商品ID", st, 34);
        items.text("品番", st, 35);
        items.text("品名", st, 36);
        items.number("単価", sqlite3_column_double(st, 37));
        items.number("数量", sqlite3_column_double(st, 38));
        items.text("単位", st, 39);
        items.whole("金額", sqlite3_column_int64(st, 40));
        items.text("備考", st, 41);
    }
    finishSlip();
    sqlite3_finalize(st);
    if (rc != SQLITE_DONE)
        return {};
    return QString::fromUtf8(clip.out);
}

void BM_CopyAllSlips_Raw(benchmark::State &state)
{
    sqlite3 *db = rawslips::openReadOnly(readFolder().databasePath());
    QClipboard *clipboard = QGuiApplication::clipboard();
    for (auto _ : state) {
        state.PauseTiming();
        clipboard->clear();
        state.ResumeTiming();
        sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
        clipboard->setText(rawCopyText(db, benchdb::kSlips));
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    }
    sqlite3_close(db);
    rawDigest() = digest(clipboard->text());
    clipboard->clear();
}

// In the child: 全件 listed and selected; the resident memory then, the
// peak during the copy (the kernel's peak mark is reset just before it) and
// the size of the text in memory.
int copyMemoryChild(const QString &folderPath)
{
    setProgramFolder(folderPath);
    QDir::setCurrent(folderPath);
    frmMainForm form;
    if (!benchmain::openWithAllSlips(form))
        return 1;
    selectFirstRows(form, form.lvwList->listModel()->rowCount());
    const qint64 before = benchsupport::statusBytes("VmRSS:");
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (!clear.open(QIODevice::WriteOnly) || clear.write("5") != 1)
        return 1;
    clear.close();
    form.mnuCopy->trigger();
    const qint64 peak = benchsupport::statusBytes("VmHWM:");
    const qint64 textBytes = QGuiApplication::clipboard()->text().size() * qint64(sizeof(char16_t));
    const QByteArray line = "before " + QByteArray::number(before) + " peak " + QByteArray::number(peak) + " text "
                            + QByteArray::number(textBytes) + "\n";
    fwrite(line.constData(), 1, size_t(line.size()), stdout);
    fflush(stdout);
    QGuiApplication::clipboard()->clear();
    form.Form_Unload();
    return 0;
}

// A fresh process with 全件 listed and selected: how much its peak resident
// memory grows during the copy, against the size of the text in memory
// (UTF-16; target: at most 1.5 times).
void BM_CopyAllSlips_PeakMemory(benchmark::State &state)
{
    testsupport::ProgramFolder own(benchdb::largeDatabase());
    QList<QByteArray> words;
    for (auto _ : state) {
        const QByteArray output = benchsupport::runChild(
            {QCoreApplication::applicationFilePath(), QStringLiteral("--qvx-copy-memory-child=") + own.path()});
        words = output.trimmed().split(' ');
    }
    const double before = words.value(1).toDouble(), peak = words.value(3).toDouble();
    const double text = words.value(5).toDouble();
    if (before <= 0 || text <= 0) {
        state.SkipWithError("the child did not copy");
        return;
    }
    state.counters["MB_before"] = before / 1e6;
    state.counters["MB_peak"] = peak / 1e6;
    state.counters["MB_text"] = text / 1e6;
    state.counters["growth_over_text"] = (peak - before) / text;
}

// --- the deletion of selected slips -------------------------------------------

// What a deletion leaves: the slips, the sum of their numbers, the lines.
struct Remains {
    qint64 slips = -1, idSum = -1, lines = -1;
    bool operator==(const Remains &) const = default;
};

Remains remains(sqlite3 *db)
{
    Remains r;
    sqlite3_stmt *st = nullptr;
    sqlite3_prepare_v2(db,
                       "SELECT (SELECT COUNT(*) FROM 伝票テーブル), (SELECT SUM(伝票番号) FROM 伝票テーブル), "
                       "(SELECT COUNT(*) FROM 明細テーブル)",
                       -1, &st, nullptr);
    if (sqlite3_step(st) == SQLITE_ROW)
        r = {sqlite3_column_int64(st, 0), sqlite3_column_int64(st, 1), sqlite3_column_int64(st, 2)};
    sqlite3_finalize(st);
    return r;
}

std::map<int, Remains> &oursRemains()
{
    static std::map<int, Remains> m;
    return m;
}

std::map<int, Remains> &rawRemains()
{
    static std::map<int, Remains> m;
    return m;
}

// The program's deletion of the first n slips of 全件 (in a fresh copy of
// the database each time, not timed), from the delete command, its question
// answered Yes, until the list is shown again and painted: every slip read
// and deleted with its lines, the transaction committed to disk, 全件 listed
// again. (Answering the question takes no time here.)
void BM_DeleteSlips(benchmark::State &state)
{
    const int n = int(state.range(0));
    Remains left;
    for (auto _ : state) {
        testsupport::ProgramFolder folder(benchdb::largeDatabase());
        folder.enter();
        frmMainForm form;
        if (!benchmain::openWithAllSlips(form)) {
            state.SkipWithError("start-up refused");
            return;
        }
        selectFirstRows(form, n);
        benchsupport::PaintCounter painted;
        form.lvwList->viewport()->installEventFilter(&painted);
        QElapsedTimer clock;
        clock.start();
        DeleteRecordsCommand(form);
        painted.waitForPaint();
        state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
        form.lvwList->viewport()->removeEventFilter(&painted);
        if (painted.paints == 0 || form.lvwList->rowCountShown() != benchdb::kSlips - n)
            state.SkipWithError("the list was not shown again without the slips");
        left = remains(connection().handle());
        form.Form_Unload();
        CloseDatabase();
    }
    oursRemains()[n] = left;
    state.counters["slips"] = n;
}

// The same deletion directly on the engine's calls, on a fresh copy each
// time: one transaction; per slip a savepoint, the slip's row read (every
// column; the program reads no lines either), the row and the lines deleted,
// the savepoint released; the commit; then the list's slips counted (the
// list's check against the count that asks first) and its rows read again as
// the list keeps them. Every statement of the loop is prepared once for the
// run, as the program prepares them.
void BM_DeleteSlips_Raw(benchmark::State &state)
{
    const int n = int(state.range(0));
    const QString order = QStringLiteral("伝票テーブル.伝票番号");
    const QByteArray listSql = denpyos::listStatement(QString(), QString(), order).toUtf8();
    const QString countSql = denpyos::countStatement(QString(), QString(), order);
    std::vector<rawslips::Row> rows;
    rows.reserve(size_t(benchdb::kSlips));
    Remains left;
    for (auto _ : state) {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("QVX.MDB"));
        QFile::copy(benchdb::largeDatabase(), path);
        sqlite3 *db = rawslips::openForWriting(path);
        // The slips the list shows first, as selected in the window.
        rawslips::load(db, listSql, rows);
        std::vector<qint32> ids;
        for (int i = 0; i < n; ++i)
            ids.push_back(rows[size_t(i)].id);

        QElapsedTimer clock;
        clock.start();
        sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
        sqlite3_stmt *slip = rawslips::prepare(db, QStringLiteral("SELECT * FROM 伝票テーブル WHERE 伝票番号 = ?"));
        sqlite3_stmt *deleteSlip = rawslips::prepare(db, QStringLiteral("DELETE FROM 伝票テーブル WHERE 伝票番号 = ?"));
        sqlite3_stmt *deleteLines = rawslips::prepare(db, QStringLiteral("DELETE FROM 明細テーブル WHERE 伝票番号 = ?"));
        sqlite3_stmt *savepoint = rawslips::prepare(db, QStringLiteral("SAVEPOINT part"));
        sqlite3_stmt *release = rawslips::prepare(db, QStringLiteral("RELEASE part"));
        const auto readAll = [](sqlite3_stmt *st) {
            while (sqlite3_step(st) == SQLITE_ROW) {
                for (int c = 0; c < sqlite3_column_count(st); ++c)
                    benchmark::DoNotOptimize(sqlite3_column_text(st, c));
            }
            sqlite3_reset(st);
        };
        for (qint32 id : ids) {
            rawslips::run(db, savepoint);
            sqlite3_bind_int(slip, 1, id);
            readAll(slip);
            for (sqlite3_stmt *st : {deleteSlip, deleteLines}) {
                sqlite3_bind_int(st, 1, id);
                rawslips::run(db, st);
            }
            rawslips::run(db, release);
        }
        for (sqlite3_stmt *st : {slip, deleteSlip, deleteLines, savepoint, release})
            sqlite3_finalize(st);
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        sqlite3_stmt *count = rawslips::prepare(db, countSql);
        if (sqlite3_step(count) != SQLITE_ROW || sqlite3_column_int(count, 0) != benchdb::kSlips - n)
            state.SkipWithError("the slips were not counted");
        sqlite3_finalize(count);
        rawslips::load(db, listSql, rows);
        state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
        if (rows.size() != size_t(benchdb::kSlips - n))
            state.SkipWithError("the slips were not deleted");
        left = remains(db);
        sqlite3_close(db);
    }
    rawRemains()[n] = left;
    state.counters["slips"] = n;
}

} // namespace

BENCHMARK(BM_CopyAllSlips)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(BM_CopyAllSlips_Raw)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(BM_CopyAllSlips_PeakMemory)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1)->Repetitions(1);
BENCHMARK(BM_DeleteSlips)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);
BENCHMARK(BM_DeleteSlips_Raw)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("TZ"))
        qputenv("TZ", ":/etc/localtime");
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const char *childFlag = "--qvx-copy-memory-child=";
    const bool child = argc == 2 && std::strncmp(argv[1], childFlag, std::strlen(childFlag)) == 0;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvex5"));
    // The soft limit's and the deletion's questions are answered Yes.
    ui::setMessageResponder([](const ui::MessageRequest &) { return ui::Answer::Yes; });
    if (child)
        return copyMemoryChild(QString::fromLocal8Bit(argv[1] + std::strlen(childFlag)));
    const int rc = benchsupport::run(argc, argv,
                                     {{"BM_CopyAllSlips", "BM_CopyAllSlips_Raw"},
                                      {"BM_DeleteSlips/1000", "BM_DeleteSlips_Raw/1000"},
                                      {"BM_DeleteSlips/10000", "BM_DeleteSlips_Raw/10000"}});
    // Same work, same output: a figure whose output differs from its raw
    // twin's is no figure.
    bool same = true;
    if (!oursDigest().isEmpty() && !rawDigest().isEmpty()) {
        const bool equal = oursDigest() == rawDigest();
        std::printf("clipboard texts of ours and raw: %s\n", equal ? "the same" : "DIFFERENT");
        same = same && equal;
    }
    for (const auto &[n, ours] : oursRemains()) {
        const auto raw = rawRemains().find(n);
        if (raw == rawRemains().end())
            continue;
        const bool equal = ours == raw->second;
        std::printf("deletion of %d slips, what is left in ours and raw: %s (%lld slips, %lld lines)\n", n,
                    equal ? "the same" : "DIFFERENT", static_cast<long long>(ours.slips),
                    static_cast<long long>(ours.lines));
        same = same && equal;
    }
    return same ? rc : 1;
}
