#include "gen_benchdb.h"

#include "core/DateValue.h"
#include "core/Globals.h"
#include "core/Startup.h"
#include "mainwindow/commands/MainCommands.h"
#include "mainwindow/views/MainListView.h"
#include "mainwindow/views/frmMainForm.h"
#include "model/denpyos.h"
#include "platform/ui/MessageBox.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

namespace {

// A program folder around the large database (linked, not copied).
class BenchProgramFolder {
public:
    BenchProgramFolder()
    {
        QDir d(m_dir.path());
        d.mkpath(QStringLiteral("DATABASE/TsukiSeikyusho"));
        for (const char *f : {"DenpyoKensakuFilter", "CustomerKensakuFilter", "ShohinKensakuFilter", "DenpyoPrintForm",
                              "DenpyoListPrintForm", "TsukiSeikyushoPrintForm", "CustomerPrintForm",
                              "CustomerListPrintForm", "ShohinPrintForm", "ShohinListPrintForm"})
            d.mkpath(QStringLiteral("Define/") + QLatin1String(f));
        QFile::link(benchdb::largeDatabase(), d.filePath(QStringLiteral("DATABASE/QVX.MDB")));
        setProgramFolder(m_dir.path());
        QDir::setCurrent(m_dir.path());
    }

private:
    QTemporaryDir m_dir;
};

BenchProgramFolder &folder()
{
    static BenchProgramFolder f;
    return f;
}

const QString kOrder = QStringLiteral("伝票テーブル.伝票番号");

// The statement the slip list runs for 全件, stepped through by the engine's
// own calls with every column read as text.
void BM_AllSlips_RawQuery(benchmark::State &state)
{
    sqlite3 *db = nullptr;
    const QByteArray path = benchdb::largeDatabase().toUtf8();
    sqlite3_open_v2(path.constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    const QByteArray sql = denpyos::listStatement(QString(), QString(), kOrder).toUtf8();
    for (auto _ : state) {
        sqlite3_stmt *st = nullptr;
        sqlite3_prepare_v2(db, sql.constData(), -1, &st, nullptr);
        int rows = 0;
        const int columns = sqlite3_column_count(st);
        while (sqlite3_step(st) == SQLITE_ROW) {
            for (int c = 0; c < columns; ++c)
                benchmark::DoNotOptimize(sqlite3_column_text(st, c));
            ++rows;
        }
        sqlite3_finalize(st);
        if (rows != benchdb::kSlips)
            state.SkipWithError("unexpected row count");
    }
    sqlite3_close(db);
    state.SetItemsProcessed(state.iterations() * benchdb::kSlips);
}

// The same rows counted, loaded and put into the main window's list.
void BM_AllSlips_MainList(benchmark::State &state)
{
    folder();
    frmMainForm form;
    if (!form.Form_Load()) {
        state.SkipWithError("start-up refused");
        return;
    }
    form.Form_Activate();
    for (auto _ : state) {
        form.ShowDenpyoList(QStringLiteral("全件"), QStringLiteral("全件"), true);
        if (form.lvwList->rowCountShown() != benchdb::kSlips)
            state.SkipWithError("unexpected row count");
    }
    form.Form_Unload();
    state.SetItemsProcessed(state.iterations() * benchdb::kSlips);
}

// From creating the window to its first list on screen, on a day with slips.
void BM_FirstWindow(benchmark::State &state)
{
    folder();
    setFixedNow(QDateTime(QDate(2024, 6, 14), QTime(9, 0)));
    for (auto _ : state) {
        auto form = std::make_unique<frmMainForm>();
        if (!form->Form_Load()) {
            state.SkipWithError("start-up refused");
            return;
        }
        new MainCommands(form.get());
        form->show();
        form->Form_Activate();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(form->lvwList->rowCountShown());
        state.PauseTiming();
        form->Form_Unload();
        form.reset();
        state.ResumeTiming();
    }
    setFixedNow(QDateTime());
}

} // namespace

BENCHMARK(BM_AllSlips_RawQuery)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AllSlips_MainList)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FirstWindow)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    // As the program does: the zone file is read once, not stat'ed per date.
    if (qEnvironmentVariableIsEmpty("TZ"))
        qputenv("TZ", ":/etc/localtime");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvex5"));
    // The soft limit's question is answered Yes: the whole list is measured.
    ui::setMessageResponder([](const ui::MessageRequest &) { return ui::Answer::Yes; });
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
