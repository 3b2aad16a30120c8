// The slip-list print as a user runs it: 30,000 slips of the 100,000-slip
// database listed in the main window (the latest by 納期), printed through
// the sample list form, whose 30 rows a page make 1,000 pages; and every
// slip of the database listed (the *_All cases, 3,334 pages). Ours is the
// program's print procedure, from the list's keys to the preview; raw reads
// the same database through the engine's own calls (the totals by one
// aggregate query, each page's rows by their keys) and fills the same form.
// Both build the same pages, checked once before the benchmarks run, and
// draw them the same way.
//
// - *_Process: a fresh process from its start until the first page is
//   painted in the preview window (on the X display of DISPLAY when there is
//   one, run under xvfb-run -a; else off screen). cpu_s: the processor
//   time the process took until then, which a busy machine does not stretch.
// - Preview: the same in a warm process, until the preview window holds its
//   first page (the rest render while it shows). The first page waits for
//   the totals over the whole list, not for the rows of the other pages:
//   the *_All cases show how little it grows with the list.
// - Pdf: the whole list written as a PDF file, as the preview's PDF button
//   writes it.
#include "bench_support.h"
#include "gen_benchdb.h"

#include "TestSupport.h"

#include "core/Globals.h"
#include "core/Startup.h"
#include "platform/report/FormatPattern.h"
#include "platform/report/LayoutFile.h"
#include "platform/report/PageOutput.h"
#include "platform/report/PreviewDialog.h"
#include "platform/report/PreviewWidget.h"
#include "platform/report/Report.h"
#include "printing/DenpyoListPrint.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <optional>
#include <sqlite3.h>
#include <sys/resource.h>

namespace {

const QString kFormName = QStringLiteral("伝票一覧");
const QString kSample = QStringLiteral(QVX_SAMPLES "/DenpyoListPrintSampleForm/伝票一覧.rpx");
constexpr int kListed = 30000;
const QDateTime kPrintDate(QDate(2024, 6, 14), QTime(0, 0));
const char *kChildFlag = "--qvx-print-child=";

// A program folder around a copy of the benchmark database, with the sample
// list form as the user's list form and the listed keys in a file for the
// child processes.
class PrintFolder : public testsupport::ProgramFolder {
public:
    PrintFolder() : ProgramFolder(benchdb::largeDatabase())
    {
        if (!QFile::copy(kSample, QDir(path()).filePath(QStringLiteral("Define/DenpyoListPrintForm/") + kFormName
                                                        + QStringLiteral(".rpx"))))
            qFatal("cannot copy the sample list form");
    }
    QString keysPath(int listed) const { return QDir(path()).filePath(QStringLiteral("keys%1.txt").arg(listed)); }
};

sqlite3 *openReadOnly(const QString &path)
{
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
        qFatal("cannot open %s", qPrintable(path));
    return db;
}

// The list print's keys as the main list hands them over: element 0 empty,
// then the slip numbers as the list's first column shows them; the latest
// `limit` by 納期, every slip for -1.
QStringList listedKeys(const QString &databasePath, int limit)
{
    sqlite3 *db = openReadOnly(databasePath);
    sqlite3_stmt *st = nullptr;
    sqlite3_prepare_v2(db, "SELECT 伝票番号 FROM 伝票テーブル ORDER BY 納期 DESC, 伝票番号 DESC LIMIT ?", -1, &st,
                       nullptr);
    sqlite3_bind_int(st, 1, limit);
    QStringList keys{QString()};
    while (sqlite3_step(st) == SQLITE_ROW)
        keys << QString::number(sqlite3_column_int(st, 0)).rightJustified(9, QLatin1Char('0'));
    sqlite3_finalize(st);
    sqlite3_close(db);
    if (limit >= 0 && keys.size() != limit + 1)
        qFatal("not %d slips", limit);
    return keys;
}

QStringList readKeys(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(path));
    QStringList keys{QString()};
    for (const QByteArray &line : f.readAll().split('\n'))
        if (!line.isEmpty())
            keys << QString::fromLatin1(line);
    return keys;
}

void writeKeys(const QString &path, const QStringList &keys)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    f.write(keys.mid(1).join(QLatin1Char('\n')).toLatin1());
}

// Makes the folder the program's and opens its database, as start-up does.
void enterProgram(const QString &folder)
{
    setProgramFolder(folder);
    QDir::setCurrent(folder);
    SetFolderGlobals(folder);
    if (!fnOpenDatabase())
        qFatal("cannot open the program's database");
}

// Ours: the list print procedure, with the preview handed to `preview`.
void printOurs(const QStringList &keys, const std::function<void(report::PreviewDialog &)> &preview)
{
    report::setPreviewDriver([&](report::PreviewDialog &d) {
        preview(d);
        return int(QDialog::Accepted);
    });
    PrintDenpyoList(gstrDenpyoListPrintFormFolder, kFormName, kPrintDate, keys, QString());
    report::setPreviewDriver({});
}

// Raw: the list print written directly on the engine's calls.
class RawListPrint {
public:
    RawListPrint(const QString &databasePath, const QString &formPath) : m_db(openReadOnly(databasePath))
    {
        m_layout = report::loadLayout(formPath);
        m_detail = m_layout.section(QStringLiteral("Detail"));
        if (!m_detail)
            qFatal("the list form has no Detail section");
        for (int i = 0; i < m_detail->controls.size(); ++i) {
            const report::Control &c = m_detail->controls[i];
            if (c.name.startsWith(QLatin1String("Field")))
                m_fields.push_back(field(i, c));
            if (m_fields.size() && m_fields.back().slot > m_rowsPerPage)
                m_rowsPerPage = m_fields.back().slot;
        }
        prepare(m_row, "SELECT 伝票番号, 納品, 納品日付, 顧客名, 合計, 消費税, 合計消費税込み, 担当 FROM 伝票テーブル "
                       "WHERE 伝票番号 = ?");
    }
    ~RawListPrint()
    {
        sqlite3_finalize(m_row);
        sqlite3_close(m_db);
    }

    // The read of one print: the page's texts, the totals over the list.
    void begin(const QStringList &keys)
    {
        sqlite3_exec(m_db, "BEGIN", nullptr, nullptr, nullptr);
        m_keys = keys;
        m_pageCount = (int(keys.size()) - 1 + m_rowsPerPage - 1) / m_rowsPerPage;
        sqlite3_stmt *st = nullptr;
        prepare(st, "SELECT テキスト型データ FROM 基本情報テーブル WHERE 基本情報ID = 'MyName'");
        m_ownName = sqlite3_step(st) == SQLITE_ROW ? text(st, 0) : QString();
        sqlite3_finalize(st);
        QByteArray numbers = "[";
        for (int i = 1; i < keys.size(); ++i) {
            if (i > 1)
                numbers += ',';
            numbers += QByteArray::number(keys[i].toInt());
        }
        numbers += ']';
        prepare(st, "SELECT TOTAL(合計), TOTAL(消費税), TOTAL(合計消費税込み) FROM json_each(?) AS k "
                    "JOIN 伝票テーブル ON 伝票テーブル.伝票番号 = k.value");
        sqlite3_bind_text(st, 1, numbers.constData(), int(numbers.size()), SQLITE_STATIC);
        sqlite3_step(st);
        for (int i = 0; i < 3; ++i)
            m_totals[i] = qint64(sqlite3_column_double(st, i));
        sqlite3_finalize(st);
    }
    void end() { sqlite3_exec(m_db, "COMMIT", nullptr, nullptr, nullptr); }

    int pageCount() const { return m_pageCount; }

    // Page `number` (from 1) as the report renders it.
    report::Page page(int number)
    {
        const int first = (number - 1) * m_rowsPerPage + 1;
        struct Row {
            qint32 id = 0;
            QDateTime nouhinDate;
            QString name, tanto;
            qint64 amounts[3] = {};
        } rows[64];
        const int count = qMin(m_rowsPerPage, int(m_keys.size()) - first);
        for (int r = 0; r < count; ++r) {
            sqlite3_reset(m_row);
            sqlite3_bind_int(m_row, 1, m_keys[first + r].toInt());
            Row &row = rows[r];
            if (sqlite3_step(m_row) != SQLITE_ROW)
                continue;
            row.id = sqlite3_column_int(m_row, 0);
            if (sqlite3_column_int(m_row, 1) && sqlite3_column_type(m_row, 2) != SQLITE_NULL)
                row.nouhinDate = QDateTime(QDate::fromString(text(m_row, 2), QStringLiteral("yyyy/MM/dd")), QTime(0, 0));
            row.name = text(m_row, 3);
            for (int i = 0; i < 3; ++i)
                row.amounts[i] = sqlite3_column_int64(m_row, 4 + i);
            row.tanto = text(m_row, 7);
        }
        for (const Field &f : m_fields) {
            QString value;
            switch (f.kind) {
            case Field::PageNumber: value = report::formatNumber(number, f.format); break;
            case Field::PageCount: value = report::formatNumber(m_pageCount, f.format); break;
            case Field::Page:
                if (f.when == 'F' && number != 1)
                    break;
                if (f.when == 'L' && number != m_pageCount)
                    break;
                if (f.item == QStringLiteral("印刷日付"))
                    value = report::formatDate(kPrintDate, f.format);
                else if (f.item == QStringLiteral("自社会社名"))
                    value = m_ownName;
                else
                    value = report::formatNumber(double(m_totals[totalIndex(f.item)]), f.format);
                break;
            case Field::Detail: {
                if (f.slot > count)
                    break;
                const Row &row = rows[f.slot - 1];
                switch (f.column) {
                case 0: value = report::formatNumber(first + f.slot - 1, f.format); break;
                case 1: value = report::formatNumber(row.id, f.format); break;
                case 2: value = row.nouhinDate.isValid() ? report::formatDate(row.nouhinDate, f.format) : QString(); break;
                case 3: value = row.name; break;
                case 4: case 5: case 6: value = report::formatNumber(double(row.amounts[f.column - 4]), f.format); break;
                case 7: value = row.tanto; break;
                }
                break;
            }
            }
            m_detail->controls[f.control].text = value;
        }
        report::Page page;
        page.width = m_layout.pageSetup.pageWidth();
        page.height = m_layout.pageSetup.pageHeight();
        report::Report::renderSection(page, *m_detail, m_layout.pageSetup.leftMargin, m_layout.pageSetup.topMargin);
        return page;
    }

private:
    struct Field {
        enum Kind { PageNumber, PageCount, Page, Detail } kind = Page;
        int control = 0;
        char when = 'P';
        int slot = 0;
        int column = 0;
        QString item, format;
    };

    // The items of the sample list form; any other is a form this case does
    // not know.
    static Field field(int control, const report::Control &c)
    {
        Field f;
        f.control = control;
        f.format = c.outputFormat;
        const QString spec = c.text.trimmed();
        if (spec == QStringLiteral("ページ番号")) {
            f.kind = Field::PageNumber;
        } else if (spec == QStringLiteral("ページ数")) {
            f.kind = Field::PageCount;
        } else if (spec.size() > 2 && QStringLiteral("PFL").contains(spec[0]) && spec[1] == QLatin1Char('_')) {
            f.when = char(spec[0].unicode());
            f.item = spec.mid(2);
            if (f.item != QStringLiteral("印刷日付") && f.item != QStringLiteral("自社会社名"))
                totalIndex(f.item);
        } else {
            f.kind = Field::Detail;
            f.slot = spec.section(QLatin1Char('_'), 0, 0).toInt();
            f.item = spec.section(QLatin1Char('_'), 1);
            static const QStringList columns{"行番号", "伝票番号", "納品日", "顧客名", "合計", "消費税", "税込合計", "担当"};
            f.column = int(columns.indexOf(f.item));
            if (f.slot < 1 || f.slot > 64 || f.column < 0)
                qFatal("the raw list print does not know the field %s", qPrintable(spec));
        }
        return f;
    }

    static int totalIndex(const QString &item)
    {
        static const QStringList totals{"伝票集計/合計", "伝票集計/消費税", "伝票集計/税込合計"};
        const int i = int(totals.indexOf(item));
        if (i < 0)
            qFatal("the raw list print does not know the page item %s", qPrintable(item));
        return i;
    }

    void prepare(sqlite3_stmt *&st, const char *sql)
    {
        if (sqlite3_prepare_v2(m_db, sql, -1, &st, nullptr) != SQLITE_OK)
            qFatal("%s", sqlite3_errmsg(m_db));
    }

    static QString text(sqlite3_stmt *st, int column)
    {
        return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, column)),
                                 sqlite3_column_bytes(st, column));
    }

    sqlite3 *m_db;
    sqlite3_stmt *m_row = nullptr;
    report::Layout m_layout;
    report::Section *m_detail = nullptr;
    std::vector<Field> m_fields;
    int m_rowsPerPage = 0;
    int m_pageCount = 0;
    QStringList m_keys;
    QString m_ownName;
    qint64 m_totals[3] = {};
};

// Every page of the raw print.
QVector<report::Page> rawPages(RawListPrint &raw, const QStringList &keys)
{
    raw.begin(keys);
    QVector<report::Page> pages;
    pages.reserve(raw.pageCount());
    for (int p = 1; p <= raw.pageCount(); ++p)
        pages.append(raw.page(p));
    raw.end();
    return pages;
}

// The preview's first page: the raw print reads and fills only that page,
// and knows how many there are.
void rawPreview(RawListPrint &raw, const QStringList &keys, report::PreviewDialog &dialog)
{
    raw.begin(keys);
    dialog.setPages({raw.page(1)});
    raw.end();
}

// One list: the 30,000 latest slips, or every slip.
struct Listed {
    int limit = 0; // -1: every slip
    QStringList keys;
    QString keysPath;
};

struct Shared {
    PrintFolder folder;
    Listed latest{kListed, {}, {}}, all{-1, {}, {}};
    std::optional<RawListPrint> raw;
    QString pdfPath;
};
Shared *gShared = nullptr;

const Listed &listed(const benchmark::State &state)
{
    return state.range(0) < 0 ? gShared->all : gShared->latest;
}

void BM_ListPrint_Preview(benchmark::State &state)
{
    const Listed &list = listed(state);
    for (auto _ : state) {
        int pages = 0;
        printOurs(list.keys, [&](report::PreviewDialog &d) { pages = d.viewer()->shownPageCount(); });
        if (pages < 1)
            state.SkipWithError("no page in the preview");
    }
}

void BM_ListPrint_Preview_Raw(benchmark::State &state)
{
    const Listed &list = listed(state);
    for (auto _ : state) {
        report::PreviewDialog dialog;
        rawPreview(*gShared->raw, list.keys, dialog);
        benchmark::DoNotOptimize(dialog.viewer()->pageCount());
    }
}

void BM_ListPrint_Pdf(benchmark::State &state)
{
    for (auto _ : state) {
        printOurs(gShared->latest.keys, [](report::PreviewDialog &d) { d.viewer()->savePdf(gShared->pdfPath); });
        state.counters["MB"] = QFileInfo(gShared->pdfPath).size() / 1e6;
    }
}

void BM_ListPrint_Pdf_Raw(benchmark::State &state)
{
    for (auto _ : state) {
        report::writePdf(gShared->pdfPath, rawPages(*gShared->raw, gShared->latest.keys), kFormName);
        state.counters["MB"] = QFileInfo(gShared->pdfPath).size() / 1e6;
    }
}

// Seconds from starting a child in `mode` until it says its first page is
// painted, or -1; cpuSeconds, the processor time it had taken by then.
double timeChild(const QString &mode, const Listed &list, double &cpuSeconds)
{
    QProcess child;
    child.setStandardErrorFile(QProcess::nullDevice());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"),
               qEnvironmentVariableIsEmpty("DISPLAY") ? QStringLiteral("offscreen") : QStringLiteral("xcb"));
    child.setProcessEnvironment(env);
    QElapsedTimer timer;
    timer.start();
    child.start(QCoreApplication::applicationFilePath(),
                {QLatin1String(kChildFlag) + mode, gShared->folder.path(), list.keysPath});
    QByteArray seen;
    double seconds = -1;
    while (child.waitForReadyRead(120000)) {
        seen += child.readAllStandardOutput();
        if (seen.contains("shown")) {
            seconds = double(timer.nsecsElapsed()) / 1e9;
            break;
        }
    }
    // "shown <cpu seconds>"
    if (!seen.contains('\n') && child.waitForReadyRead(10000))
        seen += child.readAllStandardOutput();
    cpuSeconds = seen.mid(seen.indexOf("shown") + 5).trimmed().toDouble();
    if (!child.waitForFinished(10000))
        child.kill();
    child.waitForFinished();
    return seconds;
}

void timeProcess(benchmark::State &state, const QString &mode)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        state.SetLabel("off screen: run under xvfb-run -a for the X display");
    double cpu = 0;
    for (auto _ : state) {
        double childCpu = 0;
        const double s = timeChild(mode, listed(state), childCpu);
        if (s < 0) {
            state.SkipWithError("the child did not show its first page");
            break;
        }
        state.SetIterationTime(s);
        cpu += childCpu;
    }
    state.counters["cpu_s"] = benchmark::Counter(cpu, benchmark::Counter::kAvgIterations);
}

void BM_ListPrint_FirstPage_Process(benchmark::State &state)
{
    timeProcess(state, QStringLiteral("ours"));
}

void BM_ListPrint_FirstPage_RawProcess(benchmark::State &state)
{
    timeProcess(state, QStringLiteral("raw"));
}

// In the child: says "shown" once the preview's page has been painted, and
// ends the process there.
class ShownProbe : public QObject {
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !m_done && isPageCanvas(watched)) {
            m_done = true;
            // Runs once this paint has been flushed.
            QTimer::singleShot(0, [] {
                // The processor time the process has taken so far, its own
                // and the system's on its behalf: what a busy machine's wait
                // for the processor leaves out.
                rusage usage{};
                getrusage(RUSAGE_SELF, &usage);
                const auto seconds = [](const timeval &t) { return double(t.tv_sec) + t.tv_usec / 1e6; };
                std::printf("shown %.3f\n", seconds(usage.ru_utime) + seconds(usage.ru_stime));
                std::fflush(stdout);
                std::_Exit(0);
            });
        }
        return false;
    }

private:
    // The widget a preview draws its page on: the scroll area's widget.
    static bool isPageCanvas(QObject *watched)
    {
        auto *w = qobject_cast<QWidget *>(watched);
        if (!w || !w->parentWidget())
            return false;
        auto *area = qobject_cast<QAbstractScrollArea *>(w->parentWidget()->parentWidget());
        if (!area)
            return false;
        for (QWidget *p = area; p; p = p->parentWidget())
            if (qobject_cast<report::PreviewWidget *>(p))
                return true;
        return false;
    }

    bool m_done = false;
};

int printChild(const QString &mode, const QString &folder, const QString &keysPath)
{
    auto *probe = new ShownProbe;
    qApp->installEventFilter(probe);
    const QStringList keys = readKeys(keysPath);
    if (mode == QStringLiteral("ours")) {
        enterProgram(folder);
        PrintDenpyoList(gstrDenpyoListPrintFormFolder, kFormName, kPrintDate, keys, QString());
    } else {
        RawListPrint raw(folder + QStringLiteral("/DATABASE/QVX.MDB"),
                         folder + QStringLiteral("/Define/DenpyoListPrintForm/") + kFormName + QStringLiteral(".rpx"));
        report::PreviewDialog dialog;
        rawPreview(raw, keys, dialog);
        dialog.viewer()->setTitle(kFormName);
        dialog.execPreview();
    }
    return 1; // the probe ends the process when the page shows
}

// Ours and raw print the same pages, 30 slips a page.
void checkSameOutput(const Listed &list)
{
    QVector<report::Page> ours;
    printOurs(list.keys, [&](report::PreviewDialog &d) { ours = d.viewer()->pages(); });
    const QVector<report::Page> raw = rawPages(*gShared->raw, list.keys);
    if (ours.size() != (list.keys.size() - 1 + 29) / 30 || raw != ours)
        qFatal("the raw list print differs from ours");
    std::fprintf(stderr, "check: ours and raw print the same %d pages of %d slips\n", int(ours.size()),
                 int(list.keys.size() - 1));
}

} // namespace

// The cases of both lists; a pair is matched by name, so those of every
// slip have names of their own.
void registerCases()
{
    using Fn = void (*)(benchmark::State &);
    const struct {
        const char *name;
        Fn fn;
        bool process;
    } cases[] = {{"BM_ListPrint_FirstPage_Process", BM_ListPrint_FirstPage_Process, true},
                 {"BM_ListPrint_FirstPage_RawProcess", BM_ListPrint_FirstPage_RawProcess, true},
                 {"BM_ListPrint_Preview", BM_ListPrint_Preview, false},
                 {"BM_ListPrint_Preview_Raw", BM_ListPrint_Preview_Raw, false}};
    for (const auto &c : cases) {
        for (const int limit : {kListed, -1}) {
            const std::string name = std::string(c.name) + (limit < 0 ? "_All" : "");
            auto *b = benchmark::RegisterBenchmark(name.c_str(), c.fn)->Arg(limit)->Unit(benchmark::kMillisecond);
            if (c.process)
                b->UseManualTime()->Iterations(3);
            else
                b->UseRealTime();
        }
    }
}

BENCHMARK(BM_ListPrint_Pdf)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ListPrint_Pdf_Raw)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char **argv)
{
    // As the program does: the zone file is read once, not stat'ed per date.
    if (qEnvironmentVariableIsEmpty("TZ"))
        qputenv("TZ", ":/etc/localtime");
    const bool child = argc == 4 && std::strncmp(argv[1], kChildFlag, std::strlen(kChildFlag)) == 0;
    if (!child)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvex5"));
    if (child)
        return printChild(QString::fromLocal8Bit(argv[1] + std::strlen(kChildFlag)), QString::fromLocal8Bit(argv[2]),
                          QString::fromLocal8Bit(argv[3]));

    Shared shared;
    gShared = &shared;
    for (Listed *list : {&shared.latest, &shared.all}) {
        list->keys = listedKeys(shared.folder.databasePath(), list->limit);
        list->keysPath = shared.folder.keysPath(list->limit);
        writeKeys(list->keysPath, list->keys);
    }
    shared.pdfPath = shared.folder.path() + QStringLiteral("/list.pdf");
    enterProgram(shared.folder.path());
    shared.raw.emplace(shared.folder.databasePath(), gstrDenpyoListPrintFormFolder + kFormName + QStringLiteral(".rpx"));
    checkSameOutput(shared.latest);
    checkSameOutput(shared.all);
    registerCases();
    static_assert(kListed == 30000, "the pairs name the cases by the list's length");
    return benchsupport::run(argc, argv,
                             // Named with their argument as the runs are: the list's length.
                             {{"BM_ListPrint_FirstPage_Process/30000", "BM_ListPrint_FirstPage_RawProcess/30000"},
                              {"BM_ListPrint_FirstPage_Process_All/-1", "BM_ListPrint_FirstPage_RawProcess_All/-1"},
                              {"BM_ListPrint_Preview/30000", "BM_ListPrint_Preview_Raw/30000"},
                              {"BM_ListPrint_Preview_All/-1", "BM_ListPrint_Preview_Raw_All/-1"},
                              {"BM_ListPrint_Pdf", "BM_ListPrint_Pdf_Raw"}});
}
