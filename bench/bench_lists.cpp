// Two long paths of the main window over the 100,000-slip database, each
// beside a raw baseline that does the same work with the same output: the
// CSV export of every slip of 全件 (and the memory it takes), and a saved
// slip filter with a line condition listed under the soft limit's question.
// Everything runs on scratch copies; the shared database stays as generated.
#include "bench_support.h"
#include "gen_benchdb.h"
#include "main_window.h"
#include "raw_slips.h"

#include "TestSupport.h"

#include "core/Globals.h"
#include "core/Startup.h"
#include "filters/FilterCompiler.h"
#include "filters/SearchFilterFile.h"
#include "mainwindow/commands/ListCsvFile.h"
#include "mainwindow/views/MainListModel.h"
#include "mainwindow/views/MainListView.h"
#include "mainwindow/views/frmMainForm.h"
#include "model/denpyos.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/SaveFileBox.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <iconv.h>
#include <sqlite3.h>
#include <unistd.h>

namespace {

const QString kFilter = QStringLiteral("ボルト");

// A program folder around a scratch copy of a generated database, with a
// saved slip filter on 品名 (a line condition): "ボルト" is in about 58% of
// the slips.
class ListsFolder : public testsupport::ProgramFolder {
public:
    explicit ListsFolder(int slips) : ProgramFolder(benchdb::database(slips))
    {
        SearchFilterFile filter;
        filter.addCondition(QStringLiteral("rt5D"), QStringLiteral("品名"), QStringLiteral("S33品名@ボルト"), kFilter,
                            QDateTime(QDate(2024, 6, 14), QTime(9, 0)));
        filter.write(QDir(path()).filePath(QStringLiteral("Define/DenpyoKensakuFilter/") + kFilter
                                           + QStringLiteral(".dkj")));
    }
};

ListsFolder &folder()
{
    static ListsFolder f(benchdb::kSlips);
    f.enter();
    return f;
}

QString outputPath(const char *name)
{
    static QTemporaryDir dir;
    return dir.filePath(QString::fromLatin1(name));
}

std::unique_ptr<frmMainForm> &window()
{
    static std::unique_ptr<frmMainForm> form;
    return form;
}

// The main window, shown, with the folder's database open.
frmMainForm &mainWindow()
{
    std::unique_ptr<frmMainForm> &form = window();
    if (!form) {
        folder();
        auto f = std::make_unique<frmMainForm>();
        if (!benchmain::open(*f))
            qFatal("start-up refused");
        form = std::move(f);
    }
    return *form;
}

// The row texts of 全件 as the list shows them, in its order.
QStringList allSlipTexts(const frmMainForm &form)
{
    const MainListModel *model = form.lvwList->listModel();
    QStringList texts;
    texts.reserve(model->rowCount());
    for (int row = 0; row < model->rowCount(); ++row)
        texts << model->text(row);
    return texts;
}

// ファイルへ保存 as a user runs it on the main window with 全件 listed (not
// timed): すべて選択, then the command with the file named in its box, until
// the file is in place: the selection read back, every slip read, its rows
// made, written, synced and renamed.
void BM_CsvExport_AllSlips(benchmark::State &state)
{
    frmMainForm &form = mainWindow();
    form.ShowDenpyoList(QStringLiteral("全件"), QStringLiteral("全件"), true);
    const QString path = outputPath("ours.csv");
    ui::setSaveFileResponder([&](const ui::SaveFileRequest &) { return path; });
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(path);
        form.lvwList->clearSelection();
        state.ResumeTiming();
        form.mnuSelectAll->trigger();
        form.mnuWriteFile->trigger();
    }
    ui::setSaveFileResponder({});
    state.counters["MB"] = double(QFileInfo(path).size()) / 1e6;
    if (form.lvwList->selectedRowNumbers().size() != benchdb::kSlips || QFileInfo(path).size() == 0)
        state.SkipWithError("not every slip written");
}

// --- the raw CSV export -------------------------------------------------------

class RawCsv {
public:
    void text(const unsigned char *p, int n)
    {
        separate();
        out += '"';
        for (int i = 0; i < n; ++i) {
            const char c = char(p[i]);
            if (c == '"')
                out += "\"\"";
            else if (c == '\r' || c == '\n') {
                out += "//";
                if (c == '\r' && i + 1 < n && p[i + 1] == '\n')
                    ++i;
            } else
                out += c;
        }
        out += '"';
    }
    void text(const char *s) { text(reinterpret_cast<const unsigned char *>(s), int(std::strlen(s))); }
    void column(sqlite3_stmt *st, int i) { text(sqlite3_column_text(st, i), sqlite3_column_bytes(st, i)); }
    void whole(qint64 v)
    {
        char b[24];
        text(reinterpret_cast<unsigned char *>(b), int(std::to_chars(b, b + 24, v).ptr - b));
    }
    void grouped(qint64 v)
    {
        char d[32];
        int n = 0;
        quint64 m = v < 0 ? quint64(0) - quint64(v) : quint64(v);
        do {
            if (n % 4 == 3)
                d[n++] = ',';
            d[n++] = char('0' + m % 10);
            m /= 10;
        } while (m);
        if (v < 0)
            d[n++] = '-';
        char r[32];
        for (int i = 0; i < n; ++i)
            r[i] = d[n - 1 - i];
        text(reinterpret_cast<unsigned char *>(r), n);
    }
    void decimal(double v)
    {
        char b[400];
        const int n = int(std::to_chars(b, b + sizeof b, v == 0 ? 0.0 : v, std::chars_format::fixed).ptr - b);
        text(reinterpret_cast<unsigned char *>(b), n);
    }
    void endRow()
    {
        out += "\r\n";
        first = true;
    }
    QByteArray out;

private:
    void separate()
    {
        if (!first)
            out += ',';
        first = false;
    }
    bool first = true;
};

void rawCsvExport(sqlite3 *db, const QByteArray &header, const QString &path)
{
    const char *sql =
        "SELECT s.伝票番号, s.納期, s.顧客ID, s.顧客郵便, s.顧客所在地１, s.顧客所在地２, s.顧客名, s.顧客部門, "
        "s.顧客電話, s.顧客FAX, s.値引率, s.値引金額, s.合計, s.消費税, s.合計消費税込み, s.見積もり, s.見積もり日付, "
        "s.受注, s.受注日付, s.納品, s.納品日付, s.請求, s.請求日付, s.入金, s.入金日付, s.部門, s.担当, s.メモ, "
        "m.商品ID, m.品番, m.品名, m.単価, m.数量, m.単位, m.金額, m.備考 FROM 伝票テーブル s "
        "LEFT JOIN 明細テーブル m ON m.伝票番号 = s.伝票番号 ORDER BY s.伝票番号, m.明細番号";
    sqlite3_stmt *st = nullptr;
    sqlite3_prepare_v2(db, sql, -1, &st, nullptr);
    const QByteArray temporary = QFile::encodeName(path + QStringLiteral(".tmp"));
    const int fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    iconv_t cd = iconv_open("CP932", "UTF-8");
    RawCsv csv;
    csv.out = header;
    QByteArray converted;
    const auto flush = [&] {
        converted.resize(csv.out.size() * 2 + 16);
        char *in = csv.out.data();
        size_t inLeft = size_t(csv.out.size());
        char *o = converted.data();
        size_t outLeft = size_t(converted.size());
        iconv(cd, &in, &inLeft, &o, &outLeft);
        const ssize_t n = o - converted.data();
        if (::write(fd, converted.constData(), size_t(n)) != n)
            qFatal("raw write failed");
        csv.out.resize(0);
    };
    qint64 previous = -1;
    int position = 0;
    while (sqlite3_step(st) == SQLITE_ROW) {
        const qint64 id = sqlite3_column_int64(st, 0);
        position = id == previous ? position + 1 : 1;
        previous = id;
        if (position == 1) {
            csv.whole(id);
            csv.column(st, 1);
            csv.column(st, 2);
            const unsigned char *post = sqlite3_column_text(st, 3);
            const int postBytes = sqlite3_column_bytes(st, 3);
            QByteArray code(reinterpret_cast<const char *>(post), qMin(postBytes, 3));
            code += '-';
            if (postBytes > 3)
                code.append(reinterpret_cast<const char *>(post) + 3, qMin(postBytes - 3, 4));
            csv.text(code.constData());
            for (int c = 4; c <= 9; ++c)
                csv.column(st, c);
            csv.whole(sqlite3_column_int64(st, 10));
            for (int c = 11; c <= 14; ++c)
                csv.grouped(sqlite3_column_int64(st, c));
            for (int c = 15; c <= 23; c += 2) {
                const bool on = sqlite3_column_int64(st, c) != 0;
                csv.text(on ? ">>" : "");
                if (on)
                    csv.column(st, c + 1);
                else
                    csv.text("");
            }
            for (int c = 25; c <= 27; ++c)
                csv.column(st, c);
        } else {
            for (int c = 0; c < 28; ++c)
                csv.text("");
        }
        csv.whole(position);
        csv.column(st, 28);
        csv.column(st, 29);
        csv.column(st, 30);
        csv.decimal(sqlite3_column_double(st, 31));
        csv.decimal(sqlite3_column_double(st, 32));
        csv.column(st, 33);
        csv.grouped(sqlite3_column_int64(st, 34));
        csv.column(st, 35);
        csv.endRow();
        if (csv.out.size() >= 256 * 1024)
            flush();
    }
    flush();
    sqlite3_finalize(st);
    iconv_close(cd);
    ::fsync(fd);
    ::close(fd);
    ::rename(temporary.constData(), QFile::encodeName(path).constData());
}

// The same file written directly on the engine's calls: one statement over
// the slips and their lines in number order, each value formatted by hand,
// quoted, converted by iconv a piece at a time into a temporary file that is
// synced and renamed into place.
void rawCsvExportOnce(const QString &path)
{
    sqlite3 *db = rawslips::openReadOnly(folder().databasePath());
    // The column-name row as the program writes it, in UTF-8.
    const QByteArray names =
        "\"伝票番号\",\"納期\",\"顧客ID\",\"郵便番号\",\"所在地１\",\"所在地２\",\"顧客名\",\"部門名\",\"電話番号\","
        "\"FAX番号\",\"値引率\",\"値引金額\",\"小計\",\"消費税等\",\"合計金額\",\"見積\",\"見積日\",\"受注\",\"受注日\","
        "\"納品\",\"納品日\",\"請求\",\"請求日\",\"入金\",\"入金日\",\"部門\",\"担当\",\"メモ\",\"明細№\",\"商品ID\","
        "\"品番\",\"品名\",\"単価\",\"数量\",\"単位\",\"金額\",\"備考\"\r\n";
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    rawCsvExport(db, names, path);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

void BM_CsvExport_AllSlips_Raw(benchmark::State &state)
{
    const QString path = outputPath("raw.csv");
    for (auto _ : state)
        rawCsvExportOnce(path);
    state.counters["MB"] = double(QFileInfo(path).size()) / 1e6;
}

QByteArray sha1Of(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha1) : QByteArray();
}

// Same work, same output: the program's file of 全件, written as the command
// writes it, and the raw one must be byte for byte the same before either is
// timed.
void checkSameCsv()
{
    frmMainForm &form = mainWindow();
    form.ShowDenpyoList(QStringLiteral("全件"), QStringLiteral("全件"), true);
    const QString ours = outputPath("check-ours.csv"), raw = outputPath("check-raw.csv");
    ListCsvFile::writeList(ours, QStringLiteral("伝票"), allSlipTexts(form));
    rawCsvExportOnce(raw);
    const QByteArray hash = sha1Of(ours);
    if (hash.isEmpty() || hash != sha1Of(raw))
        qFatal("the raw CSV export differs from ours");
    std::fprintf(stderr, "check: ours and raw write the same CSV file (%lld bytes)\n",
                 qlonglong(QFileInfo(ours).size()));
    QFile::remove(ours);
    QFile::remove(raw);
}

// --- peak memory of the export -------------------------------------------------

// In the child: 全件 listed and selected; the resident memory then, and the
// peak during the export (the kernel's peak mark is reset just before it).
int memoryChild(const QString &folderPath)
{
    setProgramFolder(folderPath);
    QDir::setCurrent(folderPath);
    frmMainForm form;
    if (!benchmain::openWithAllSlips(form))
        return 1;
    const QStringList texts = allSlipTexts(form);
    const QString path = folderPath + QStringLiteral("/export.csv");
    const qint64 before = benchsupport::statusBytes("VmRSS:");
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (!clear.open(QIODevice::WriteOnly) || clear.write("5") != 1)
        return 1;
    clear.close();
    ListCsvFile::writeList(path, QStringLiteral("伝票"), texts);
    const qint64 peak = benchsupport::statusBytes("VmHWM:");
    const QByteArray line = "before " + QByteArray::number(before) + " peak " + QByteArray::number(peak) + " bytes "
                            + QByteArray::number(QFileInfo(path).size()) + "\n";
    fwrite(line.constData(), 1, size_t(line.size()), stdout);
    fflush(stdout);
    form.Form_Unload();
    return 0;
}

// A fresh process with 全件 listed and selected: its resident memory before
// the export and its peak during it.
void BM_CsvExport_PeakMemory(benchmark::State &state)
{
    ListsFolder own(benchdb::kSlips);
    QList<QByteArray> words;
    for (auto _ : state) {
        const QByteArray output =
            benchsupport::runChild({QCoreApplication::applicationFilePath(), QStringLiteral("--qvx-csv-memory-child=") + own.path()});
        words = output.trimmed().split(' ');
    }
    const double before = words.value(1).toDouble(), peak = words.value(3).toDouble();
    if (before <= 0 || words.value(5).toLongLong() == 0) {
        state.SkipWithError("the child did not export");
        return;
    }
    state.counters["MB_before"] = before / 1e6;
    state.counters["MB_peak"] = peak / 1e6;
    state.counters["peak_over_before"] = peak / before;
}

// --- a saved filter with a line condition ---------------------------------------

using benchsupport::PaintCounter;

// The program's list of the saved filter on the shown main window, from the
// command to the list painted: the filter compiled, the soft limit's count
// (its question answered Yes), the load, the total and the list model.
void BM_SavedFilter_LineCondition(benchmark::State &state)
{
    frmMainForm &form = mainWindow();
    PaintCounter painted;
    form.lvwList->viewport()->installEventFilter(&painted);
    int rows = 0;
    for (auto _ : state) {
        painted.paints = 0;
        form.ShowDenpyoList(kFilter, kFilter, true);
        painted.waitForPaint();
        rows = form.lvwList->rowCountShown();
        if (painted.paints == 0)
            state.SkipWithError("list not painted");
    }
    form.lvwList->viewport()->removeEventFilter(&painted);
    state.counters["rows"] = rows;
}

QByteArray compiledStatement(QString *where = nullptr, QString *lines = nullptr)
{
    folder();
    mainWindow();
    QString w, l;
    if (!fnMakeDenpyoSQLWHERE(kFilter, w, l) || l.isEmpty())
        qFatal("the filter does not compile to a line condition");
    if (where)
        *where = w;
    if (lines)
        *lines = l;
    return denpyos::listStatement(w, l, QStringLiteral("伝票テーブル.伝票番号")).toUtf8();
}

// The compiled statement run once, its rows read as the list keeps them and
// counted: what the soft limit's count and the list need.
void BM_SavedFilter_LineCondition_Raw(benchmark::State &state)
{
    const QByteArray sql = compiledStatement();
    sqlite3 *db = rawslips::openReadOnly(folder().databasePath());
    size_t rows = 0;
    std::vector<rawslips::Row> listed;
    for (auto _ : state) {
        rawslips::load(db, sql, listed);
        rows = listed.size();
        benchmark::DoNotOptimize(rows);
    }
    sqlite3_close(db);
    state.counters["rows"] = double(rows);
}

// For comparison: the compiled statement beside its own count statement,
// two runs of the join.
void BM_SavedFilter_LineCondition_RawTwoRuns(benchmark::State &state)
{
    QString where, lines;
    const QByteArray sql = compiledStatement(&where, &lines);
    const QByteArray count = denpyos::countStatement(where, lines, QStringLiteral("伝票テーブル.伝票番号")).toUtf8();
    sqlite3 *db = rawslips::openReadOnly(folder().databasePath());
    std::vector<rawslips::Row> listed;
    for (auto _ : state) {
        sqlite3_stmt *st = nullptr;
        sqlite3_prepare_v2(db, count.constData(), int(count.size()), &st, nullptr);
        sqlite3_step(st);
        benchmark::DoNotOptimize(sqlite3_column_int(st, 0));
        sqlite3_finalize(st);
        rawslips::load(db, sql, listed);
        benchmark::DoNotOptimize(listed.size());
    }
    sqlite3_close(db);
}

} // namespace

BENCHMARK(BM_CsvExport_AllSlips)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(BM_CsvExport_AllSlips_Raw)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(BM_CsvExport_PeakMemory)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1)->Repetitions(1);
BENCHMARK(BM_SavedFilter_LineCondition)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_SavedFilter_LineCondition_Raw)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_SavedFilter_LineCondition_RawTwoRuns)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("TZ"))
        qputenv("TZ", ":/etc/localtime");
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const char *childFlag = "--qvx-csv-memory-child=";
    const bool child = argc == 2 && std::strncmp(argv[1], childFlag, std::strlen(childFlag)) == 0;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvex5"));
    // The soft limit's question is answered Yes: the whole list is measured.
    ui::setMessageResponder([](const ui::MessageRequest &) { return ui::Answer::Yes; });
    if (child)
        return memoryChild(QString::fromLocal8Bit(argv[1] + std::strlen(childFlag)));
    checkSameCsv();
    const int rc = benchsupport::run(argc, argv, {{"BM_CsvExport_AllSlips", "BM_CsvExport_AllSlips_Raw"},
                                                  {"BM_SavedFilter_LineCondition", "BM_SavedFilter_LineCondition_Raw"},
                                                  {"BM_SavedFilter_LineCondition", "BM_SavedFilter_LineCondition_RawTwoRuns"}});
    // The window goes while the application is still there.
    if (window()) {
        window()->Form_Unload();
        window().reset();
    }
    // The timed runs wrote the same bytes too.
    const QByteArray ours = sha1Of(outputPath("ours.csv")), raw = sha1Of(outputPath("raw.csv"));
    if (!ours.isEmpty() && !raw.isEmpty() && ours != raw) {
        std::printf("CSV files of ours and raw: DIFFERENT\n");
        return 1;
    }
    return rc;
}
