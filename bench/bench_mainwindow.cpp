// The main window over the 100,000-slip database: the 全件 list beside the
// raw query that reads the same rows, the first window of the real program
// from process start, and the peak memory of a 全件 list. Everything runs on
// scratch copies; the shared database stays as generated.
#include "bench_support.h"
#include "gen_benchdb.h"
#include "main_window.h"
#include "raw_slips.h"

#include "TestSupport.h"

#include "core/DateValue.h"
#include "core/Globals.h"
#include "core/Startup.h"
#include "mainwindow/commands/MainCommands.h"
#include "mainwindow/views/DateBarState.h"
#include "mainwindow/views/MainListView.h"
#include "mainwindow/views/frmMainForm.h"
#include "model/denpyos.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/TextTableModel.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTreeView>
#include <QThreadPool>
#include <QTimer>
#include <QMainWindow>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

extern char **environ;

namespace {

// A day of the generated database with slips on it: the first window lists
// the slips of today.
const QDateTime kToday(QDate(2024, 6, 14), QTime(9, 0));

// A program folder around a scratch copy of a generated database, with the
// real executable copied in when asked (the program finds its folder from
// its own path).
class BenchProgramFolder : public testsupport::ProgramFolder {
public:
    explicit BenchProgramFolder(int slips, bool withExecutable = false) : ProgramFolder(benchdb::database(slips))
    {
        if (withExecutable) {
            m_executable = QDir(path()).filePath(QStringLiteral("quorvex"));
            if (!QFile::copy(QStringLiteral(QVX_PROGRAM), m_executable))
                qFatal("cannot copy %s", QVX_PROGRAM);
            QFile::setPermissions(m_executable, QFile::permissions(m_executable) | QFile::ExeOwner);
        }
    }
    QString executable() const { return m_executable; }

private:
    QString m_executable;
};

BenchProgramFolder &inProcessFolder()
{
    static BenchProgramFolder f(benchdb::kSlips);
    f.enter();
    return f;
}

const QString kOrder = QStringLiteral("伝票テーブル.伝票番号");

using benchsupport::PaintCounter;

// The statement the slip list runs for 全件, prepared once per load, its 18
// listed columns read into QString, numbers, flags and local date-times,
// built as the list builds them (rawslips::load).
void BM_AllSlips_RawQuery(benchmark::State &state)
{
    sqlite3 *db = rawslips::openReadOnly(benchdb::largeDatabase());
    const QByteArray sql = denpyos::listStatement(QString(), QString(), kOrder).toUtf8();
    std::vector<rawslips::Row> rows;
    rows.reserve(size_t(benchdb::kSlips));
    for (auto _ : state) {
        rawslips::load(db, sql, rows);
        if (rows.size() != size_t(benchdb::kSlips))
            state.SkipWithError("unexpected row count");
        benchmark::DoNotOptimize(rows.back().modifyDate);
    }
    sqlite3_close(db);
    state.SetItemsProcessed(state.iterations() * benchdb::kSlips);
}

// The floor under both: the same statement stepped through with the 18
// columns read in the engine's own types, nothing converted or kept.
void BM_AllSlips_EngineOnly(benchmark::State &state)
{
    sqlite3 *db = rawslips::openReadOnly(benchdb::largeDatabase());
    const QByteArray sql = denpyos::listStatement(QString(), QString(), kOrder).toUtf8();
    const int columns[] = {0, 1, 2, 6, 7, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 32, 33};
    for (auto _ : state) {
        sqlite3_stmt *st = nullptr;
        sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &st, nullptr);
        int rows = 0;
        qint64 sum = 0;
        while (sqlite3_step(st) == SQLITE_ROW) {
            for (int c : columns) {
                if (sqlite3_column_type(st, c) == SQLITE_TEXT)
                    sum += sqlite3_column_bytes(st, c) + *sqlite3_column_text(st, c);
                else
                    sum += sqlite3_column_int64(st, c);
            }
            ++rows;
        }
        sqlite3_finalize(st);
        benchmark::DoNotOptimize(sum);
        if (rows != benchdb::kSlips)
            state.SkipWithError("unexpected row count");
    }
    sqlite3_close(db);
    state.SetItemsProcessed(state.iterations() * benchdb::kSlips);
}

// Runs one slip list on the shown main window per iteration, from the
// command to the list painted. Wall time: it includes the wait for the
// window's next update, as a user sees it. Returns the rows last listed.
int timeSlipList(benchmark::State &state, const QString &caption, const QString &joken)
{
    inProcessFolder();
    frmMainForm form;
    if (!form.Form_Load()) {
        state.SkipWithError("start-up refused");
        return 0;
    }
    form.show();
    form.Form_Activate();
    QCoreApplication::processEvents();
    PaintCounter painted;
    form.lvwList->viewport()->installEventFilter(&painted);
    int rows = 0;
    for (auto _ : state) {
        painted.paints = 0;
        form.ShowDenpyoList(caption, joken, true);
        // The window repaints on its next update request, as on screen.
        painted.waitForPaint();
        rows = form.lvwList->rowCountShown();
        if (painted.paints == 0)
            state.SkipWithError("list not painted");
    }
    form.lvwList->viewport()->removeEventFilter(&painted);
    form.Form_Unload();
    state.SetItemsProcessed(state.iterations() * rows);
    return rows;
}

// The program's 全件 on the shown main window: count check, load, total,
// list model, and the list painted.
void BM_AllSlips_MainList(benchmark::State &state)
{
    if (timeSlipList(state, QStringLiteral("全件"), QStringLiteral("全件")) != benchdb::kSlips)
        state.SkipWithError("unexpected row count");
}

// The date bar's month list (2024/06, about 2,700 of the 100,000 slips) for
// each date column. Every column, 作成日 and 更新日 among them, is read
// through an index: a scan of every slip would take as long as 全件.
void BM_DateBarMonth(benchmark::State &state)
{
    DateBarState bar;
    bar.dateItem = int(state.range(0));
    bar.dayMode = false;
    bar.month = QStringLiteral("2024/06");
    state.SetLabel(DateBarState::dateItemLabel(bar.dateItem).toStdString());
    state.counters["rows"] = timeSlipList(state, bar.caption(), QLatin1Char('/') + bar.joken());
}

// Second figure: creating the window again in a warm process, from its
// creation to its first list painted, on a day with slips.
void BM_FirstWindow_InProcessWarm(benchmark::State &state)
{
    inProcessFolder();
    setFixedNow(kToday);
    for (auto _ : state) {
        auto form = std::make_unique<frmMainForm>();
        if (!form->Form_Load()) {
            state.SkipWithError("start-up refused");
            return;
        }
        new MainCommands(form.get());
        form->show();
        form->Form_Activate();
        form->repaint();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(form->lvwList->rowCountShown());
        state.PauseTiming();
        form->Form_Unload();
        form.reset();
        state.ResumeTiming();
    }
    setFixedNow(QDateTime());
}

double seconds()
{
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

// The library that shows a process a fixed clock, if installed.
QString fakeTimeLibrary()
{
    for (const char *path : {"/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1", "/usr/lib/faketime/libfaketime.so.1"})
        if (QFileInfo::exists(QString::fromLatin1(path)))
            return QString::fromLatin1(path);
    return QString();
}

// Starts the program with the extra environment (in `folder` when given)
// and returns the seconds from the start until it writes the line `until`,
// or -1; it is then left to end by itself (killed if it does not).
double timeChild(const QStringList &command, const QStringList &extraEnvironment, const QByteArray &until,
                 QByteArray *output = nullptr, const QString &folder = QString())
{
    int out = -1;
    const double start = seconds();
    const pid_t pid = benchsupport::spawnChild(command, extraEnvironment, folder, &out);
    if (pid < 0)
        return -1;
    QByteArray seen;
    double elapsed = -1;
    pollfd p{out, POLLIN, 0};
    while (poll(&p, 1, 120000) > 0) {
        char buffer[4096];
        const ssize_t n = read(out, buffer, sizeof buffer);
        if (n <= 0)
            break;
        seen.append(buffer, n);
        if (seen.contains(until)) {
            elapsed = seconds() - start;
            break;
        }
    }
    // Whatever else it writes before ending.
    while (elapsed >= 0) {
        char buffer[4096];
        const ssize_t n = read(out, buffer, sizeof buffer);
        if (n <= 0)
            break;
        seen.append(buffer, n);
    }
    close(out);
    int status = 0;
    if (elapsed < 0)
        kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    if (output)
        *output = seen;
    return elapsed;
}

// The real program started as a user starts it, on the X display of
// DISPLAY (run the benchmark under xvfb-run), timed from process start to
// its first list painted and flushed to the display.
void BM_FirstWindow_Process(benchmark::State &state)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        state.SkipWithError("needs an X display: run under xvfb-run -a");
        for (auto _ : state) {
        }
        return;
    }
    static BenchProgramFolder folder(benchdb::kSlips, true);
    QStringList env{QStringLiteral("QT_QPA_PLATFORM=xcb"), QStringLiteral("QVX_FIRST_PAINT_EXIT=1")};
    const QString fake = fakeTimeLibrary();
    if (!fake.isEmpty()) {
        // Only the program's calendar clock is set back: file times stay
        // real (fontconfig trusts its cache only while the font folders'
        // times match it, and rescans every font otherwise), and so does the
        // monotonic clock its event loop's timers run on.
        env << QStringLiteral("LD_PRELOAD=") + fake
            << QStringLiteral("FAKETIME=@") + kToday.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))
            << QStringLiteral("NO_FAKE_STAT=1") << QStringLiteral("FAKETIME_DONT_FAKE_MONOTONIC=1");
    } else {
        state.SetLabel("no libfaketime: today's list of the real clock");
    }
    for (auto _ : state) {
        QByteArray output;
        // Started in its own folder, as from its shortcut: its settings
        // files are read and written there.
        const double s = timeChild({folder.executable()}, env, "painted", &output, folder.path());
        if (s < 0) {
            state.SkipWithError("the program did not paint its first list");
            break;
        }
        state.SetIterationTime(s);
        // "painted <rows>"
        state.counters["rows"] = output.trimmed().split(' ').value(1).toInt();
    }
}

// The raw twin: a plain Qt window (a list view in a main window) listing
// the same day's slips, read directly, started alike with the same clock and
// timed alike from process start to its list painted and flushed to the
// display. It must list as many slips as the program's first list.
void BM_FirstWindow_RawProcess(benchmark::State &state)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        state.SkipWithError("needs an X display: run under xvfb-run -a");
        for (auto _ : state) {
        }
        return;
    }
    static BenchProgramFolder folder(benchdb::kSlips);
    QStringList env{QStringLiteral("QT_QPA_PLATFORM=xcb")};
    const QString fake = fakeTimeLibrary();
    if (!fake.isEmpty())
        env << QStringLiteral("LD_PRELOAD=") + fake
            << QStringLiteral("FAKETIME=@") + kToday.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))
            << QStringLiteral("NO_FAKE_STAT=1") << QStringLiteral("FAKETIME_DONT_FAKE_MONOTONIC=1");
    for (auto _ : state) {
        QByteArray output;
        const double s = timeChild({QCoreApplication::applicationFilePath(),
                                    QStringLiteral("--qvx-plain-window=") + folder.path()},
                                   env, "painted", &output, folder.path());
        if (s < 0) {
            state.SkipWithError("the plain window did not paint its list");
            break;
        }
        state.SetIterationTime(s);
        state.counters["rows"] = output.trimmed().split(' ').value(1).toInt();
    }
}

// In the child: the plain window over the folder's database, listing the
// slips due today by slip number; says "painted <rows>" once the list has
// been painted and flushed, and ends.
int plainWindowChild(const QString &folderPath)
{
    // The drawing threads kept once made, as the program keeps them.
    QThreadPool::globalInstance()->setExpiryTimeout(-1);
    sqlite3 *db = rawslips::openReadOnly(folderPath + QStringLiteral("/DATABASE/QVX.MDB"));
    const QString where =
        QStringLiteral("伝票テーブル.納期 = '%1'").arg(QDate::currentDate().toString(QStringLiteral("yyyy/MM/dd")));
    std::vector<rawslips::Row> rows;
    rawslips::load(db, denpyos::listStatement(where, QString(), kOrder).toUtf8(), rows);
    const auto day = [](const QDateTime &d) { return d.isValid() ? d.toString(QStringLiteral("yyyy/MM/dd")) : QString(); };
    QVector<QStringList> texts;
    for (const rawslips::Row &r : rows) {
        QStringList cells{QString::number(r.id).rightJustified(9, QLatin1Char('0')), day(r.nouki), r.customerID,
                          r.name, r.bumon, QString::number(r.total)};
        for (int i = 0; i < 5; ++i)
            cells << (r.stage[i] ? day(r.stageDate[i]) : QString());
        cells << day(r.insertDate) << day(r.modifyDate);
        texts << cells;
    }
    QMainWindow window;
    auto *list = new QTreeView(&window);
    auto *model = new ui::TextTableModel(list);
    QVector<ui::TextTableModel::Column> columns;
    for (const char *caption : {"伝票番号", "納期", "顧客ID", "顧客名", "部門", "合計", "見積", "受注", "納品", "請求",
                                "入金", "作成日", "更新日"})
        columns.append({QString::fromUtf8(caption), Qt::AlignLeft});
    model->setColumns(columns);
    model->setRows(std::move(texts));
    list->setModel(model);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    window.setCentralWidget(list);
    window.resize(1024, 700);
    struct Probe : QObject {
        int rows = 0;
        bool done = false;
        bool eventFilter(QObject *, QEvent *event) override
        {
            if (event->type() == QEvent::Paint && !done) {
                done = true;
                // Runs after this paint has been flushed to the display.
                QTimer::singleShot(0, [this] {
                    std::printf("painted %d\n", rows);
                    std::fflush(stdout);
                    QCoreApplication::quit();
                });
            }
            return false;
        }
    } probe;
    probe.rows = model->rowCount();
    list->viewport()->installEventFilter(&probe);
    window.show();
    const int rc = QCoreApplication::exec();
    sqlite3_close(db);
    return rc;
}

// The peak resident memory of a fresh process after the 全件 list of a
// database of 10,000 slips and of one of 100,000, shown and painted, and what
// each further listed slip adds.
struct PeakMemory {
    double bytes = 0;
    int rows = 0;
    double seconds = -1;
};

PeakMemory peakMemory(int slips)
{
    BenchProgramFolder folder(slips);
    QByteArray output;
    PeakMemory m;
    m.seconds = timeChild({QCoreApplication::applicationFilePath(), QStringLiteral("--qvx-memory-child=") + folder.path()},
                          {}, "peak ", &output);
    // "peak <bytes> rows <n>"
    const QList<QByteArray> words = output.trimmed().split(' ');
    m.bytes = words.value(1).toDouble();
    m.rows = words.value(3).toInt();
    return m;
}

void BM_AllSlips_PeakMemory(benchmark::State &state)
{
    PeakMemory small, large;
    for (auto _ : state) {
        small = peakMemory(10000);
        large = peakMemory(benchdb::kSlips);
        state.SetIterationTime(small.seconds + large.seconds);
    }
    if (small.rows != 10000 || large.rows != benchdb::kSlips) {
        state.SkipWithError("unexpected row count");
        return;
    }
    state.counters["MB_10k"] = small.bytes / 1e6;
    state.counters["MB_100k"] = large.bytes / 1e6;
    state.counters["KB_per_slip"] = (large.bytes - small.bytes) / 1e3 / (benchdb::kSlips - 10000);
}

// In the child: the program folder given, the window shown, 全件, painted.
int memoryChild(const QString &folderPath)
{
    setProgramFolder(folderPath);
    QDir::setCurrent(folderPath);
    frmMainForm form;
    if (!benchmain::openWithAllSlips(form))
        return 1;
    const QByteArray line = "peak " + QByteArray::number(benchsupport::peakResidentBytes()) + " rows "
                            + QByteArray::number(form.lvwList->rowCountShown()) + "\n";
    fwrite(line.constData(), 1, size_t(line.size()), stdout);
    fflush(stdout);
    form.Form_Unload();
    return 0;
}

} // namespace

BENCHMARK(BM_AllSlips_RawQuery)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_AllSlips_EngineOnly)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_AllSlips_MainList)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_DateBarMonth)->DenseRange(0, 7)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FirstWindow_Process)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);
BENCHMARK(BM_FirstWindow_RawProcess)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);
BENCHMARK(BM_FirstWindow_InProcessWarm)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AllSlips_PeakMemory)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1)->Repetitions(1);

int main(int argc, char **argv)
{
    // As the program does: the zone file is read once, not stat'ed per date.
    if (qEnvironmentVariableIsEmpty("TZ"))
        qputenv("TZ", ":/etc/localtime");
    // The benchmark's own windows paint off screen; the started program
    // draws on the X display.
    const char *plainFlag = "--qvx-plain-window=";
    if (argc == 2 && std::strncmp(argv[1], plainFlag, std::strlen(plainFlag)) == 0) {
        // The plain window draws on the X display, as the program does.
        QApplication app(argc, argv);
        return plainWindowChild(QString::fromLocal8Bit(argv[1] + std::strlen(plainFlag)));
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const char *childFlag = "--qvx-memory-child=";
    const bool child = argc == 2 && std::strncmp(argv[1], childFlag, std::strlen(childFlag)) == 0;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvex5"));
    // The soft limit's question is answered Yes: the whole list is measured.
    ui::setMessageResponder([](const ui::MessageRequest &) { return ui::Answer::Yes; });
    if (child)
        return memoryChild(QString::fromLocal8Bit(argv[1] + std::strlen(childFlag)));
    return benchsupport::run(argc, argv, {{"BM_FirstWindow_Process", "BM_FirstWindow_RawProcess"},
                                             {"BM_AllSlips_MainList", "BM_AllSlips_RawQuery"},
                                             {"BM_AllSlips_MainList", "BM_AllSlips_EngineOnly"},
                                             {"BM_AllSlips_RawQuery", "BM_AllSlips_EngineOnly"}});
}
