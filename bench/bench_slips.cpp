// The slip editor after one edit of a 99-line slip: the amount rules alone,
// and the whole path of a committed quantity cell (cleaning, recalculation
// of every line and total, the cells and boxes rewritten). Target: under
// 5 ms per edit.
#include "TestSupport.h"

#include "model/Denpyo.h"
#include "platform/grid/FlexGrid.h"
#include "platform/ui/MessageBox.h"
#include "slips/SlipAmounts.h"
#include "slips/frmDenpyo.h"

#include <QApplication>
#include <QLineEdit>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

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

// A 99-line slip open in the editor; each iteration types a new quantity
// into one cell and commits it.
void BM_EditorCellEdit(benchmark::State &state)
{
    testsupport::OpenedProgramFolder folder;
    Denpyo slip;
    slip.setDenpyoID(1);
    for (int i = 0; i < kLines; ++i) {
        Meisai &line = slip.Meisais().Add();
        line.setItemName(QStringLiteral("品名%1").arg(i));
        line.setItemTanka(1234.5 + i);
        line.setItemSuryo(3);
    }
    slip.Apply();

    frmDenpyo form;
    form.strMode = QStringLiteral("SelectedUpdate");
    form.strDenpyoID = QStringLiteral("1");
    form.show();
    QApplication::processEvents();
    auto *grid = form.findChild<grid::FlexGrid *>(QStringLiteral("VSFlexGrid1"));
    grid->setFocus();
    int i = 0;
    for (auto _ : state) {
        const int row = 1 + i % kLines;
        grid->setCurrentCell(row, 5);
        grid->EditCell();
        if (QLineEdit *editor = grid->editor())
            editor->setText(QString::number(1 + i % 17));
        grid->commitEdit();
        ++i;
    }
    if (form.amounts().overflow)
        state.SkipWithError("the slip overflowed");
    form.close();
}
BENCHMARK(BM_EditorCellEdit)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ui::setMessageResponder([](const ui::MessageRequest &) { return ui::Answer::Yes; });
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
