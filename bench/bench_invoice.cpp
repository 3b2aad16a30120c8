// The monthly invoice of one customer over a month of about 3,000 slips:
// opening its window, and registering it (the slips marked, the pages kept
// in the archive), each beside the same work written directly on the
// engine's and the system's calls. Everything runs in a program folder
// around a scratch copy of the 100,000-slip database, in which the slips
// due in May 2024 are given to one customer; the shared file stays as
// generated.
#include "bench_support.h"
#include "raw_slips.h"
#include "gen_benchdb.h"

#include "TestSupport.h"
#include "core/DateValue.h"
#include "core/Globals.h"
#include "core/Routines.h"
#include "model/Denpyo.h"
#include "platform/report/PageFile.h"
#include "platform/report/PreviewDialog.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/TextTableModel.h"
#include "printing/DenpyoListPrint.h"
#include "printing/SeikyushoArchive.h"
#include "printing/TsukiSeikyuState.h"
#include "printing/frmTsukiSeikyushoPrint.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeView>
#include <benchmark/benchmark.h>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <memory>
#include <sqlite3.h>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using rawslips::prepare;

const QString kCustomer = QStringLiteral("C00001");
const QString kForm = QStringLiteral("請求書");
// A month-end customer seen on 2024/06/14 is offered May.
const QDateTime kToday(QDate(2024, 6, 14), QTime(9, 0));
const QDate kFrom(2024, 5, 1);
const QDate kTo(2024, 5, 31);
const QDate kInvoiceDate(2024, 5, 31);

// The program folder, the invoice's slips and the pages its registration
// keeps for them, made once.
struct Invoice {
    testsupport::ProgramFolder folder;
    QVector<qint32> ids; // in slip-number order, as registration takes them
    QVector<report::Page> pages;
    QVector<QByteArray> pageBytes; // the page files as the archive holds them
    // Each slip's invoice mark and date before any registration.
    QVector<std::pair<qint64, QString>> marks;

    Invoice()
    {
        const QString path = folder.databasePath();
        if (!QFile::remove(path) || !QFile::copy(benchdb::largeDatabase(), path))
            qFatal("cannot copy the benchmark database");
        folder.open();
        setFixedNow(kToday);
        if (!QFile::copy(QStringLiteral(QVX_SAMPLES "/TsukiSeikyushoPrintSampleForm/請求書.rpx"),
                         gstrTsukiSeikyushoPrintFormFolder + kForm + QStringLiteral(".rpx")))
            qFatal("cannot copy the invoice form");
        gConnection->exec(QStringLiteral("UPDATE 顧客テーブル SET 締め日 = '月末締め', 請求書フォーム = '%1' "
                                         "WHERE 顧客ID = '%2'").arg(kForm, kCustomer));
        gConnection->exec(QStringLiteral("UPDATE 伝票テーブル SET 顧客ID = '%1' WHERE 納期 >= '%2' AND 納期 <= '%3'")
                              .arg(kCustomer, kFrom.toString(QStringLiteral("yyyy/MM/dd")),
                                   kTo.toString(QStringLiteral("yyyy/MM/dd"))));
        db::Statement st = gConnection->prepare(
            QStringLiteral("SELECT 伝票番号 FROM 伝票テーブル WHERE %1 ORDER BY 伝票番号").arg(state().where()));
        while (st.step())
            ids << qint32(st.int64(0));
        db::Statement mark = gConnection->prepare(
            QStringLiteral("SELECT 請求, 請求日付 FROM 伝票テーブル WHERE 伝票番号 = ?"));
        for (qint32 id : ids) {
            mark.reset();
            mark.bindInt(1, id);
            if (!mark.step())
                qFatal("a slip is missing");
            marks.append({mark.int64(0), mark.isNull(1) ? QString() : mark.text(1)});
        }
        mark.reset();
    }

    // Every slip as it was before any registration, and no invoice kept.
    void restore()
    {
        seikyusho::deleteInvoice(kCustomer, kInvoiceDate);
        gConnection->exec(QStringLiteral("BEGIN IMMEDIATE"));
        db::Statement update =
            gConnection->prepare(QStringLiteral("UPDATE 伝票テーブル SET 請求 = ?, 請求日付 = ? WHERE 伝票番号 = ?"));
        for (int i = 0; i < ids.size(); ++i) {
            update.reset();
            update.bindInt(1, marks[i].first);
            if (marks[i].second.isNull())
                update.bindNull(2);
            else
                update.bindText(2, marks[i].second);
            update.bindInt(3, ids[i]);
            update.exec();
        }
        update.reset();
        gConnection->exec(QStringLiteral("COMMIT"));
    }

    static TsukiSeikyuState state()
    {
        TsukiSeikyuState s;
        s.customerID = kCustomer;
        s.from = kFrom;
        s.to = kTo;
        return s;
    }
};

Invoice &invoice()
{
    static Invoice i;
    return i;
}

// The kept invoice's page files, in page order.
QVector<QByteArray> archivedPageBytes()
{
    QVector<QByteArray> out;
    for (const QString &path : seikyusho::pagePaths(kCustomer, kInvoiceDate)) {
        QFile f(path);
        out.append(f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray());
    }
    return out;
}

// The engine's own handle on the same file, opened as the program opens
// its own.
sqlite3 *openRaw()
{
    static sqlite3 *db = nullptr;
    if (!db) {
        db = rawslips::openForWriting(invoice().folder.databasePath());
    }
    return db;
}

void bindText(sqlite3_stmt *st, int i, const QString &value)
{
    const QByteArray utf8 = value.toUtf8();
    sqlite3_bind_text(st, i, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

// --- registration ------------------------------------------------------

using benchsupport::PaintCounter;

// Shows the window and waits until its list has been painted.
bool showAndPaint(QWidget *window, QWidget *list)
{
    PaintCounter painted;
    list->installEventFilter(&painted);
    window->show();
    painted.waitForPaint();
    list->removeEventFilter(&painted);
    return painted.paints > 0;
}

// The preview as the user sees it after 登録: shown, its first page painted,
// then closed.
int showPreview(report::PreviewDialog &dialog)
{
    // The page is drawn on the viewer's child of that name.
    auto *page = dialog.viewer()->findChild<QWidget *>(QStringLiteral("page"));
    if (!page || !showAndPaint(&dialog, page))
        qFatal("the preview did not show its page");
    return int(QDialog::Accepted);
}

// The registration as a user runs it: the window open for the customer with
// its list painted (not timed), then from 登録 (the questions answered Yes)
// through the marking, the pages laid out and drawn, the preview shown on
// its first page and closed, the pages kept in the archive, until the
// window has closed. Each iteration starts from the slips as they were and
// no invoice kept (not timed).
void BM_Register(benchmark::State &state)
{
    Invoice &inv = invoice();
    report::setPreviewDriver(showPreview);
    for (auto _ : state) {
        state.PauseTiming();
        inv.restore();
        auto window = std::make_unique<frmTsukiSeikyushoPrint>(kCustomer);
        if (!showAndPaint(window.get(), window->lvwMeisaiList->viewport()))
            state.SkipWithError("list not painted");
        state.ResumeTiming();
        window->cmdOK->click();
        if (window->isVisible())
            state.SkipWithError("the window stayed open");
        state.PauseTiming();
        window.reset();
        if (seikyusho::pagePaths(kCustomer, kInvoiceDate).size() != inv.pages.size())
            state.SkipWithError("pages missing");
        state.ResumeTiming();
    }
    report::setPreviewDriver({});
    state.counters["slips"] = inv.ids.size();
    state.counters["pages"] = inv.pages.size();
}

// The two marks set by an UPDATE per slip (with the update time a save
// sets), one prepared statement, one transaction, and the slip-number
// counter checked as a save checks it.
bool markRaw(sqlite3 *db, const QVector<qint32> &ids)
{
    sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    sqlite3_stmt *update = prepare(db, QStringLiteral("UPDATE 伝票テーブル SET 請求 = 1, 請求日付 = ?, 更新日付 = ? "
                                                      "WHERE (伝票番号 = ?)"));
    bindText(update, 1, kInvoiceDate.toString(QStringLiteral("yyyy/MM/dd")));
    bindText(update, 2, now().toString(QStringLiteral("yyyy/MM/dd HH:mm:ss")));
    bool ok = true;
    qint32 highest = 0;
    for (qint32 id : ids) {
        sqlite3_bind_int(update, 3, id);
        ok = ok && sqlite3_step(update) == SQLITE_DONE && sqlite3_changes(db) == 1;
        sqlite3_reset(update);
        highest = std::max(highest, id);
    }
    sqlite3_finalize(update);
    sqlite3_stmt *counter =
        prepare(db, QStringLiteral("SELECT 数値型データ FROM 基本情報テーブル WHERE 基本情報ID = 'CurrentDenpyoID'"));
    ok = ok && sqlite3_step(counter) == SQLITE_ROW && sqlite3_column_int64(counter, 0) >= highest;
    sqlite3_finalize(counter);
    return sqlite3_exec(db, ok ? "COMMIT" : "ROLLBACK", nullptr, nullptr, nullptr) == SQLITE_OK && ok;
}

bool syncPath(const QByteArray &path, int flags)
{
    const int fd = ::open(path.constData(), flags | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

// The same page bytes in the same files, durable: each page written and
// synced in a fresh folder, the folder synced once, renamed into place and
// its parent synced.
bool writePagesRaw(const QVector<report::Page> &pages)
{
    const QByteArray customer = QFile::encodeName(seikyusho::customerFolder(kCustomer));
    const QByteArray staging = QFile::encodeName(seikyusho::stagingFolder(kCustomer, kInvoiceDate).chopped(1));
    const QByteArray target = QFile::encodeName(seikyusho::invoiceFolder(kCustomer, kInvoiceDate).chopped(1));
    const QByteArray base = QFile::encodeName(seikyusho::stagingBasePath(kCustomer, kInvoiceDate)) + '_';
    if (::mkdir(staging.constData(), 0777) != 0)
        return false;
    for (int i = 0; i < pages.size(); ++i) {
        const QByteArray bytes = report::serializePage(pages[i]);
        const int fd = ::open((base + QByteArray::number(i)).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0)
            return false;
        const bool ok = ::write(fd, bytes.constData(), size_t(bytes.size())) == bytes.size() && ::fsync(fd) == 0;
        ::close(fd);
        if (!ok)
            return false;
    }
    return syncPath(staging, O_RDONLY | O_DIRECTORY) && ::rename(staging.constData(), target.constData()) == 0
           && syncPath(customer, O_RDONLY | O_DIRECTORY);
}

void BM_Register_raw(benchmark::State &state)
{
    Invoice &inv = invoice();
    sqlite3 *db = openRaw();
    QDir().mkpath(seikyusho::customerFolder(kCustomer));
    for (auto _ : state) {
        state.PauseTiming();
        inv.restore();
        state.ResumeTiming();
        if (!markRaw(db, inv.ids))
            state.SkipWithError("not marked");
        if (!writePagesRaw(inv.pages))
            state.SkipWithError("pages not written");
    }
    if (seikyusho::pagePaths(kCustomer, kInvoiceDate).size() != inv.pages.size())
        state.SkipWithError("pages missing");
}

// The marking alone, both ways.
void BM_Mark(benchmark::State &state)
{
    Invoice &inv = invoice();
    for (auto _ : state) {
        QString refusal;
        if (!Denpyo::SeikyuOn(inv.ids, kInvoiceDate, &refusal))
            state.SkipWithError("not marked");
    }
}

void BM_Mark_raw(benchmark::State &state)
{
    Invoice &inv = invoice();
    sqlite3 *db = openRaw();
    for (auto _ : state) {
        if (!markRaw(db, inv.ids))
            state.SkipWithError("not marked");
    }
}

// --- the window --------------------------------------------------------

// The window opened for the customer, from its creation until its list of
// the proposed month has been painted.
void BM_WindowOpen(benchmark::State &state)
{
    invoice();
    int rows = 0;
    for (auto _ : state) {
        auto window = std::make_unique<frmTsukiSeikyushoPrint>(kCustomer);
        if (!showAndPaint(window.get(), window->lvwMeisaiList->viewport()))
            state.SkipWithError("list not painted");
        rows = window->lvwMeisaiList->model()->rowCount();
        state.PauseTiming();
        window.reset();
        state.ResumeTiming();
    }
    state.counters["rows"] = rows;
}

QString plain(qint64 value)
{
    return value == 0 ? QString() : fnFormatNumber(QStringLiteral("#,###"), double(value));
}

// The list's rows read directly: the customer's row, the month's slips (the
// listed columns) in the list's order and each slip's lines by one prepared
// statement, the cells formatted as the list formats them.
struct RawList {
    QVector<QStringList> rows;
    qint64 total = 0;
};

RawList readListRaw(sqlite3 *db)
{
    const TsukiSeikyuState s = Invoice::state();
    static const QString customerSql =
        QStringLiteral("SELECT 顧客名漢字, 締め日, 請求書フォーム FROM 顧客テーブル WHERE 顧客ID = ?");
    static const QString slipSql = QStringLiteral("SELECT 伝票番号, 納期, 合計, 消費税, 合計消費税込み, 値引金額, 値引率 "
                                                  "FROM 伝票テーブル WHERE %1 ORDER BY %2").arg(s.where(), s.order());
    static const QString lineSql = QStringLiteral("SELECT 商品ID, 品番, 品名, 数量, 単位, 単価, 金額, 備考 FROM 明細テーブル "
                                                  "WHERE (伝票番号 = ?) ORDER BY 伝票番号, 明細番号");
    const auto text = [](sqlite3_stmt *st, int c) {
        return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, c)),
                                 sqlite3_column_bytes(st, c));
    };
    // The stored "yyyy/mm/dd" (a time may follow) as the list shows the day.
    const auto day = [](const QString &stored) {
        const QDate date = QDate::fromString(stored.left(10), QStringLiteral("yyyy/MM/dd"));
        return date.isValid() ? date.toString(QStringLiteral("yyyy/MM/dd")) : QString();
    };
    RawList list;
    const auto add = [&](QStringList cells) {
        for (int i = 1; i < 13; ++i)
            if (cells[i].isEmpty())
                cells[i] = QStringLiteral(" ");
        list.rows << cells;
    };

    sqlite3_stmt *customer = prepare(db, customerSql);
    bindText(customer, 1, kCustomer);
    if (sqlite3_step(customer) == SQLITE_ROW)
        benchmark::DoNotOptimize(text(customer, 0).size() + text(customer, 1).size() + text(customer, 2).size());
    sqlite3_finalize(customer);

    sqlite3_stmt *slips = prepare(db, slipSql);
    sqlite3_stmt *lines = prepare(db, lineSql);
    while (sqlite3_step(slips) == SQLITE_ROW) {
        const qint32 id = sqlite3_column_int(slips, 0);
        QStringList cells(13);
        cells[0] = QStringLiteral("%1").arg(id, 9, 10, QLatin1Char('0'));
        cells[1] = day(text(slips, 1));
        cells[10] = plain(sqlite3_column_int(slips, 2));
        cells[11] = plain(sqlite3_column_int(slips, 3));
        const qint32 withTax = sqlite3_column_int(slips, 4);
        cells[12] = plain(withTax);
        add(cells);
        sqlite3_bind_int(lines, 1, id);
        int count = 0;
        while (sqlite3_step(lines) == SQLITE_ROW) {
            QStringList l(13);
            l[2] = fnRemoveCrLf(text(lines, 0));
            l[3] = fnRemoveCrLf(text(lines, 1));
            l[4] = fnRemoveCrLf(text(lines, 2));
            l[5] = fnFormatNumber(QStringLiteral("#,###.###"), sqlite3_column_double(lines, 3));
            l[6] = fnRemoveCrLf(text(lines, 4));
            l[7] = fnFormatNumber(QStringLiteral("#,###.###"), sqlite3_column_double(lines, 5));
            l[8] = plain(sqlite3_column_int(lines, 6));
            l[9] = fnRemoveCrLf(text(lines, 7));
            add(l);
            ++count;
        }
        sqlite3_reset(lines);
        if (count == 0) {
            QStringList blank(13);
            blank[5] = blank[7] = fnFormatNumber(QStringLiteral("#,###.###"), 0);
            add(blank);
        }
        const qint32 discount = sqlite3_column_int(slips, 5);
        if (discount > 0) {
            const int rate = sqlite3_column_int(slips, 6);
            QStringList d(13);
            d[8] = plain(-qint64(discount));
            d[9] = QStringLiteral("値引き ") + (rate > 0 ? QString::number(rate) + QStringLiteral("%") : QString());
            add(d);
        }
        list.total += withTax;
    }
    sqlite3_finalize(lines);
    sqlite3_finalize(slips);
    return list;
}

// The read alone: what the window shows, as texts, without the window.
void BM_WindowList_rawRead(benchmark::State &state)
{
    invoice();
    sqlite3 *db = openRaw();
    int rows = 0;
    for (auto _ : state) {
        const RawList list = readListRaw(db);
        rows = int(list.rows.size());
        benchmark::DoNotOptimize(list.total);
    }
    state.counters["rows"] = rows;
}

// The read, then the same list (13 columns, the same texts and alignments)
// handed to a view in one step with rows of one height, shown and painted.
void BM_WindowOpen_raw(benchmark::State &state)
{
    invoice();
    sqlite3 *db = openRaw();
    const QString headers[] = {QStringLiteral("伝票番号"), QStringLiteral("納期"), QStringLiteral("商品ID"),
                               QStringLiteral("品番"), QStringLiteral("品名"), QStringLiteral("数量"),
                               QStringLiteral("単位"), QStringLiteral("単価"), QStringLiteral("金額"),
                               QStringLiteral("備考"), QStringLiteral("合計"), QStringLiteral("消費税"),
                               QStringLiteral("税込合計")};
    const int widths[] = {1300, 1200, 1200, 2500, 2500, 800, 800, 1000, 1000, 1500, 1000, 1000, 1000};
    const bool right[] = {false, false, false, false, false, true, false, true, true, false, true, true, true};
    QVector<ui::TextTableModel::Column> columns;
    for (int i = 0; i < 13; ++i)
        columns.append({headers[i], right[i] ? Qt::AlignRight : Qt::AlignLeft});
    int rows = 0;
    for (auto _ : state) {
        auto owner = std::make_unique<QWidget>();
        QWidget &window = *owner;
        auto *list = new QTreeView(&window);
        auto *model = new ui::TextTableModel(list);
        list->setModel(model);
        list->setRootIsDecorated(false);
        list->setUniformRowHeights(true);
        model->setColumns(columns);
        for (int i = 0; i < 13; ++i)
            list->header()->resizeSection(i, widths[i] * window.logicalDpiX() / 1440);
        window.resize(900, 560);
        list->resize(860, 400);

        RawList read = readListRaw(db);
        model->setRows(std::move(read.rows));
        auto *label = new QLabel(fnFormatNumber(QStringLiteral("#,##0"), double(read.total)), &window);
        benchmark::DoNotOptimize(label);
        if (!showAndPaint(&window, list->viewport()))
            state.SkipWithError("list not painted");
        rows = model->rowCount();
        state.PauseTiming();
        owner.reset();
        state.ResumeTiming();
    }
    state.counters["rows"] = rows;
}

// Registers once through the window: the pages it keeps are those the raw
// registration writes; both archives must then hold the same bytes.
void checkSameOutput()
{
    Invoice &inv = invoice();
    inv.restore();
    report::setPreviewDriver([](report::PreviewDialog &) { return int(QDialog::Accepted); });
    {
        frmTsukiSeikyushoPrint window(kCustomer);
        window.SeikyushoRegistPrint();
    }
    report::setPreviewDriver({});
    inv.pageBytes = archivedPageBytes();
    inv.pages = report::loadPages(seikyusho::pagePaths(kCustomer, kInvoiceDate));
    inv.restore();
    QDir().mkpath(seikyusho::customerFolder(kCustomer));
    if (inv.pages.isEmpty() || !markRaw(openRaw(), inv.ids) || !writePagesRaw(inv.pages)
        || archivedPageBytes() != inv.pageBytes)
        qFatal("the raw registration keeps other pages than ours");
    std::fprintf(stderr, "check: ours and raw keep the same %d pages\n", int(inv.pages.size()));
    inv.restore();
}

} // namespace

BENCHMARK(BM_Register)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Register_raw)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Mark)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Mark_raw)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_WindowOpen)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_WindowOpen_raw)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_WindowList_rawRead)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char **argv)
{
    // As the program's main does: the zone file is read once.
    if (qEnvironmentVariableIsEmpty("TZ"))
        qputenv("TZ", ":/etc/localtime");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvex5"));
    // The questions on the way are answered Yes.
    ui::setMessageResponder([](const ui::MessageRequest &) { return ui::Answer::Yes; });
    checkSameOutput();
    return benchsupport::run(argc, argv,
                             {{"BM_Register", "BM_Register_raw"}, {"BM_Mark", "BM_Mark_raw"},
                              {"BM_WindowOpen", "BM_WindowOpen_raw"}, {"BM_WindowOpen", "BM_WindowList_rawRead"}});
}
