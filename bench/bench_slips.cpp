// The slip editor with a 99-line slip: the amount rules alone after one
// edit; the whole path of a committed quantity cell until the grid has
// repainted (cleaning, recalculation of every line and total, the cells and
// boxes rewritten and shown; target: under 5 ms per edit); and a new slip
// registered with F12 until the window is closed, beside the same inserts
// and the same settings file written directly on the engine's and the
// system's calls.
#include "bench_support.h"
#include "raw_slips.h"

#include "TestSupport.h"

#include "core/DateValue.h"
#include "core/Settings.h"
#include "model/Denpyo.h"
#include "platform/grid/FlexGrid.h"
#include "platform/ui/MessageBox.h"
#include "slips/SlipAmounts.h"
#include "slips/frmDenpyo.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QTest>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <optional>
#include <sqlite3.h>
#include <stdexcept>
#include <unistd.h>
#include <xcb/xcb.h>

namespace {

using rawslips::prepare;
using rawslips::run;

constexpr int kLines = 99;

SlipAmountInput input()
{
    SlipAmountInput in;
    for (int i = 0; i < kLines; ++i)
        in.lines.push_back({1234.5 + i, 3.0 + i % 7});
    in.rateOn = true;
    in.rateText = QStringLiteral("7");
    in.taxOn = true;
    in.taxRate = 10;
    return in;
}

void BM_SlipAmountsCompute(benchmark::State &state)
{
    SlipAmountInput in = input();
    int i = 0;
    for (auto _ : state) {
        in.lines[i % kLines].suryo = 1 + (i % 13);
        ++i;
        benchmark::DoNotOptimize(SlipAmounts::compute(in));
    }
}
BENCHMARK(BM_SlipAmountsCompute);

// Stores slip `id` with 99 lines, as a user would have typed it.
void storeSlip(qint32 id)
{
    Denpyo slip;
    slip.setDenpyoID(id);
    slip.setNouki(QDateTime(QDate(2024, 6, 14), QTime(0, 0)));
    slip.setCustomerID(QStringLiteral("C00001"));
    slip.setCustomerName(QStringLiteral("株式会社山田商店"));
    slip.setCustomerAddress1(QStringLiteral("東京都千代田区丸の内1-2-3"));
    slip.setCustomerTelephone(QStringLiteral("03-1234-5678"));
    for (int i = 0; i < kLines; ++i) {
        Meisai &line = slip.Meisais().Add();
        line.setItemID(QStringLiteral("P%1").arg(i + 1, 6, 10, QLatin1Char('0')));
        line.setItemNumber(QStringLiteral("A-%1").arg(i * 37, 5, 10, QLatin1Char('0')));
        line.setItemName(QStringLiteral("品名%1").arg(i));
        line.setItemTanka(1234.5 + i);
        line.setItemSuryo(3);
        line.setItemTanni(QStringLiteral("本"));
    }
    if (!slip.Apply())
        throw std::runtime_error("the slip was not stored");
}

using benchsupport::PaintCounter;

// A 99-line slip open in the editor; each iteration types a new quantity
// into one cell and commits it, and waits until the grid has repainted:
// the user waits for the new amounts to show.
void BM_EditorCellEdit(benchmark::State &state)
{
    testsupport::OpenedProgramFolder folder;
    storeSlip(1);

    frmDenpyo form;
    form.strMode = QStringLiteral("SelectedUpdate");
    form.strDenpyoID = QStringLiteral("1");
    form.show();
    QApplication::processEvents();
    auto *grid = form.findChild<grid::FlexGrid *>(QStringLiteral("VSFlexGrid1"));
    grid->setFocus();
    PaintCounter painted;
    grid->viewport()->installEventFilter(&painted);
    int i = 0;
    for (auto _ : state) {
        const int row = 1 + i % kLines;
        painted.paints = 0;
        grid->setCurrentCell(row, 5);
        grid->EditCell();
        if (QLineEdit *editor = grid->editor())
            editor->setText(QString::number(1 + i % 17));
        grid->commitEdit();
        // The window repaints on its next update request, as on screen.
        painted.waitForPaint();
        if (painted.paints == 0)
            state.SkipWithError("the grid was not repainted");
        ++i;
    }
    grid->viewport()->removeEventFilter(&painted);
    if (form.amounts().overflow)
        state.SkipWithError("the slip overflowed");
    form.close();
}
BENCHMARK(BM_EditorCellEdit)->Unit(benchmark::kMillisecond)->UseRealTime();

// --- registering ------------------------------------------------------------

// The reference slip the editor opens as "ReferenceNew": F12 registers a
// copy under the next number and closes the window.
constexpr qint32 kReference = 1;

// Waits until the display has carried out every request sent so far, as
// it has long before a user presses a key in a window just drawn.
void waitForDisplay()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return;
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (xcb_connection_t *connection = x11 ? x11->connection() : nullptr)
        std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
}

// A window over the screen, standing where the main window stands behind
// the editor in the program: closing the editor uncovers it.
QWidget *mainWindowStandIn()
{
    static QWidget *const window = [] {
        auto *w = new QWidget;
        if (QScreen *screen = QGuiApplication::primaryScreen())
            w->setGeometry(screen->availableGeometry());
        w->show();
        static_cast<void>(QTest::qWaitForWindowExposed(w));
        return w;
    }();
    return window;
}

// Opens the editor on a copy of the reference slip, shown and active, and
// modal over the main window's stand-in, as the program shows it.
std::unique_ptr<frmDenpyo> openCopyEditor()
{
    auto form = std::make_unique<frmDenpyo>(mainWindowStandIn());
    form->strMode = QStringLiteral("ReferenceNew");
    form->strDenpyoID = QString::number(kReference);
    form->setModal(true);
    form->show();
    form->activateWindow();
    // Should the window stay inactive, F12 goes to the window itself.
    static_cast<void>(QTest::qWaitForWindowActive(form.get()));
    QApplication::processEvents();
    waitForDisplay();
    return form;
}

// F12 to the window closed; false when the window stays open.
bool registerWithF12(frmDenpyo &form)
{
    QWidget *focus = QApplication::focusWidget();
    QTest::keyClick(focus ? focus : &form, Qt::Key_F12);
    return !form.isVisible();
}

// Wall time: the save and the settings file wait for the disk.
void BM_EditorRegister(benchmark::State &state)
{
    testsupport::OpenedProgramFolder folder;
    storeSlip(kReference);
    // One registration first: the settings file then holds the window's
    // place, as it does after the first registration of a user.
    if (!registerWithF12(*openCopyEditor()))
        state.SkipWithError("the window stayed open");
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<frmDenpyo> form = openCopyEditor();
        state.ResumeTiming();
        if (!registerWithF12(*form))
            state.SkipWithError("the window stayed open");
        state.PauseTiming();
        form.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_EditorRegister)->Unit(benchmark::kMillisecond)->UseRealTime();

// What one registration stores, taken from a registration by the program:
// the slip row, its lines, and the settings file's bytes after the window
// has closed.
struct Registered {
    Denpyo slip;
    QString settingsName;
    QByteArray settings;
};

Registered registeredByProgram()
{
    testsupport::OpenedProgramFolder folder;
    storeSlip(kReference);
    std::unique_ptr<frmDenpyo> form = openCopyEditor();
    if (!registerWithF12(*form))
        throw std::runtime_error("the window stayed open");
    Registered r;
    // The copy takes the number after the reference's.
    if (!r.slip.Load(kReference + 1))
        throw std::runtime_error("the registered slip is missing");
    r.settingsName = settingsFileName(QStringLiteral("Size")) + QStringLiteral(".txt");
    QFile file(QDir(folder.path()).filePath(r.settingsName));
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("no settings file");
    r.settings = file.readAll();
    return r;
}

void bindText(sqlite3_stmt *st, int i, const QString &value)
{
    if (value.isEmpty()) {
        sqlite3_bind_null(st, i);
        return;
    }
    const QByteArray utf8 = value.toUtf8();
    sqlite3_bind_text(st, i, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

void bindDay(sqlite3_stmt *st, int i, const QDateTime &value)
{
    bindText(st, i, value.date().toString(QStringLiteral("yyyy/MM/dd")));
}

// A stage's flag and its date, stored only while the stage is on.
void bindStage(sqlite3_stmt *st, int &i, bool on, const QDateTime &value)
{
    sqlite3_bind_int(st, ++i, on ? 1 : 0);
    if (on)
        bindDay(st, ++i, value);
    else
        sqlite3_bind_null(st, ++i);
}

// Replaces the file with the bytes as the program's writer must: a
// temporary file beside it, written, synced and closed, renamed over the
// old file, and the folder synced so that the rename lasts.
void replaceFile(const QByteArray &folder, const QByteArray &name, const QByteArray &bytes)
{
    const QByteArray target = folder + '/' + name;
    const QByteArray temporary = target + ".tmp";
    const int fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0 || ::write(fd, bytes.constData(), size_t(bytes.size())) != bytes.size() || ::fsync(fd) != 0
        || ::close(fd) != 0 || ::rename(temporary.constData(), target.constData()) != 0)
        throw std::runtime_error("cannot write the settings file");
    const int dir = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ::fsync(dir);
    ::close(dir);
}

// The statements Apply runs for a new slip, each prepared per save as Apply
// prepares them, bound from the slip's values, in one transaction; then the
// window's settings file read and, where its bytes change, replaced. The
// work goes into the program folder the editor uses, and each registration
// runs as the program's does: with the editor just opened on the copy and
// shown (not timed), closed again afterwards (not timed). Run back to back
// with no window between, the same statements take about half as long,
// which is not the state a user's F12 finds them in.
void BM_EditorRegister_raw(benchmark::State &state)
{
    const Registered registered = registeredByProgram();
    const Denpyo &slip = registered.slip;
    testsupport::OpenedProgramFolder folder;
    storeSlip(kReference);
    const QByteArray folderPath = QFile::encodeName(folder.path());
    sqlite3 *db = rawslips::openForWriting(folder.databasePath());

    const QString existsSql = QStringLiteral("SELECT 1 FROM 伝票テーブル WHERE (伝票番号 = ?)");
    const QString insertSql = QStringLiteral(
        "INSERT INTO 伝票テーブル (伝票番号, 納期, 顧客ID, 顧客郵便, 顧客所在地１, 顧客所在地２, 顧客名, "
        "顧客部門, 顧客電話, 顧客FAX, 明細数, 明細計, 値引率計算, 値引率, 値引金額, 合計, 消費税含, 消費税, "
        "合計消費税込み, 見積もり, 見積もり日付, 受注, 受注日付, 納品, 納品日付, 請求, 請求日付, 入金, "
        "入金日付, 部門, 担当, メモ, 作成日付, 更新日付) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
        "?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    const QString deleteLinesSql = QStringLiteral("DELETE FROM 明細テーブル WHERE (伝票番号 = ?)");
    const QString insertLineSql = QStringLiteral(
        "INSERT INTO 明細テーブル (伝票番号, 明細番号, 商品ID, 品番, 品名, 単価, 数量, 単位, 金額, 備考) "
        "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    const QString counterSql = QStringLiteral("SELECT 数値型データ FROM 基本情報テーブル WHERE 基本情報ID = ?");
    const QString counterUpdateSql = QStringLiteral("UPDATE 基本情報テーブル SET 数値型データ = ? WHERE 基本情報ID = ?");
    const QString counterKey = QStringLiteral("CurrentDenpyoID");
    // The settings file holds the window's place from the start, as the
    // program's does after its first registration.
    replaceFile(folderPath, QFile::encodeName(registered.settingsName), registered.settings);
    const QByteArray settingsPath = folderPath + '/' + QFile::encodeName(registered.settingsName);
    const QByteArray windowKey = "WINDOW POSITIONS,FRMDENPYO,";
    QByteArray windowLine;
    for (const QByteArray &line : registered.settings.split('\n'))
        if (line.startsWith(windowKey))
            windowLine = line.chopped(line.endsWith('\r') ? 1 : 0);

    qint32 number = kReference;
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<frmDenpyo> form = openCopyEditor();
        state.ResumeTiming();
        ++number;
        if (sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) != SQLITE_OK)
            state.SkipWithError("cannot begin");
        sqlite3_stmt *exists = prepare(db, existsSql);
        sqlite3_bind_int(exists, 1, number);
        if (sqlite3_step(exists) == SQLITE_ROW)
            state.SkipWithError("the number is taken");
        sqlite3_finalize(exists);

        sqlite3_stmt *insert = prepare(db, insertSql);
        int i = 0;
        sqlite3_bind_int(insert, ++i, number);
        bindDay(insert, ++i, slip.Nouki());
        bindText(insert, ++i, slip.CustomerID());
        bindText(insert, ++i, slip.CustomerPostNumber());
        bindText(insert, ++i, slip.CustomerAddress1());
        bindText(insert, ++i, slip.CustomerAddress2());
        bindText(insert, ++i, slip.CustomerName());
        bindText(insert, ++i, slip.CustomerBumon());
        bindText(insert, ++i, slip.CustomerTelephone());
        bindText(insert, ++i, slip.CustomerFax());
        sqlite3_bind_int(insert, ++i, slip.Meisais().Count());
        sqlite3_bind_int(insert, ++i, slip.MeisaiSum());
        sqlite3_bind_int(insert, ++i, slip.NebikiRitsuOn() ? 1 : 0);
        sqlite3_bind_int(insert, ++i, slip.NebikiRitsu());
        sqlite3_bind_int(insert, ++i, slip.NebikiKingaku());
        sqlite3_bind_int(insert, ++i, slip.Summery());
        sqlite3_bind_int(insert, ++i, slip.ShouhizeiIn() ? 1 : 0);
        sqlite3_bind_int(insert, ++i, slip.Shouhizei());
        sqlite3_bind_int(insert, ++i, slip.SummeryWithShouhizei());
        bindStage(insert, i, slip.Mitsumori(), slip.MitsumoriDate());
        bindStage(insert, i, slip.Juchu(), slip.JuchuDate());
        bindStage(insert, i, slip.Nouhin(), slip.NouhinDate());
        bindStage(insert, i, slip.Seikyu(), slip.SeikyuDate());
        bindStage(insert, i, slip.Nyukin(), slip.NyukinDate());
        bindText(insert, ++i, slip.Bumon());
        bindText(insert, ++i, slip.Tanto());
        bindText(insert, ++i, slip.Memo());
        const QString stamp = now().toString(QStringLiteral("yyyy/MM/dd HH:mm:ss"));
        bindText(insert, ++i, stamp);
        sqlite3_bind_null(insert, ++i);
        run(db, insert);
        sqlite3_finalize(insert);

        sqlite3_stmt *deleteLines = prepare(db, deleteLinesSql);
        sqlite3_bind_int(deleteLines, 1, number);
        run(db, deleteLines);
        sqlite3_finalize(deleteLines);
        sqlite3_stmt *insertLine = prepare(db, insertLineSql);
        int n = 0;
        for (const Meisai &line : slip.Meisais()) {
            sqlite3_reset(insertLine);
            sqlite3_bind_int(insertLine, 1, number);
            sqlite3_bind_int(insertLine, 2, ++n);
            bindText(insertLine, 3, line.ItemID());
            bindText(insertLine, 4, line.ItemNumber());
            bindText(insertLine, 5, line.ItemName());
            sqlite3_bind_double(insertLine, 6, line.ItemTanka());
            sqlite3_bind_double(insertLine, 7, line.ItemSuryo());
            bindText(insertLine, 8, line.ItemTanni());
            sqlite3_bind_int(insertLine, 9, line.ItemKingaku());
            bindText(insertLine, 10, line.ItemBikou());
            run(db, insertLine);
        }
        sqlite3_finalize(insertLine);

        sqlite3_stmt *counter = prepare(db, counterSql);
        bindText(counter, 1, counterKey);
        if (sqlite3_step(counter) == SQLITE_ROW && sqlite3_column_int64(counter, 0) < number) {
            sqlite3_stmt *update = prepare(db, counterUpdateSql);
            sqlite3_bind_int(update, 1, number);
            bindText(update, 2, counterKey);
            run(db, update);
            sqlite3_finalize(update);
        }
        sqlite3_finalize(counter);
        if (sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK)
            state.SkipWithError("commit failed");

        // The window's line put into the file as it was read; a file that
        // holds it already is left as it is.
        QFile file(QString::fromLocal8Bit(settingsPath));
        if (!file.open(QIODevice::ReadOnly))
            state.SkipWithError("cannot read the settings file");
        const QByteArray old = file.readAll();
        file.close();
        QByteArray bytes;
        for (const QByteArray &line : old.split('\n')) {
            if (line.isEmpty())
                continue;
            bytes += line.startsWith(windowKey) ? windowLine : line.chopped(line.endsWith('\r') ? 1 : 0);
            bytes += "\r\n";
        }
        if (bytes != old)
            replaceFile(folderPath, QFile::encodeName(registered.settingsName), bytes);
        state.PauseTiming();
        form.reset();
        state.ResumeTiming();
    }
    sqlite3_close(db);
}
BENCHMARK(BM_EditorRegister_raw)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    // The editor's windows are shown on the X display when there is one
    // (run under xvfb-run), otherwise drawn off screen.
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    else
        qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    // The registration's question is answered Yes.
    ui::setMessageResponder([](const ui::MessageRequest &) { return ui::Answer::Yes; });
    return benchsupport::run(argc, argv, {{"BM_EditorRegister", "BM_EditorRegister_raw"}});
}
