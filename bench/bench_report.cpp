// The slip-list sample form shows 30 rows a page; 30,000 rows make 1,000
// pages. Each case fills the report's data, runs the report and writes the
// pages one way; the first of all, in a fresh process, is reported apart as
// the cold figure.
#include "bench_support.h"

#include "platform/report/PageFile.h"
#include "platform/report/PageOutput.h"
#include "printing/ActiveReport1.h"
#include "printing/ReportCurrency.h"
#include "printing/clsReportPrint.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <benchmark/benchmark.h>

namespace {

const QString kLayout = QStringLiteral(QVX_SAMPLES "/DenpyoListPrintSampleForm/伝票一覧.rpx");
const int kRows = 30000;

void fillStore()
{
    clsReportPrint collector;
    collector.SetPageData(QStringLiteral("印刷日付"), QDateTime(QDate(2024, 4, 1), QTime(0, 0)));
    collector.SetPageData(QStringLiteral("自社会社名"), QStringLiteral("見本商事株式会社"));
    collector.SetPageData(QStringLiteral("伝票集計/合計"), QVariant::fromValue(ReportCurrency::fromYen(123456789)));
    for (int r = 1; r <= kRows; ++r) {
        collector.AddDetailData();
        collector.SetDetailData(QStringLiteral("行番号"), r);
        collector.SetDetailData(QStringLiteral("伝票番号"), 100000 + r);
        collector.SetDetailData(QStringLiteral("納品日"), QDateTime(QDate(2024, 3, 1 + r % 28), QTime(0, 0)));
        collector.SetDetailData(QStringLiteral("顧客名"), QStringLiteral("見本顧客%1株式会社").arg(r % 500));
        collector.SetDetailData(QStringLiteral("合計"), r * 10);
        collector.SetDetailData(QStringLiteral("消費税"), r);
        collector.SetDetailData(QStringLiteral("税込合計"), r * 11);
        collector.SetDetailData(QStringLiteral("担当"), QStringLiteral("山田"));
    }
}

QVector<report::Page> runReport()
{
    ActiveReport1 report;
    report.loadLayout(kLayout);
    report.run();
    return report.takePages();
}

QVector<report::Page> fillAndRun()
{
    fillStore();
    return runReport();
}

void BM_FillAndRun(benchmark::State &state)
{
    for (auto _ : state) {
        const QVector<report::Page> pages = fillAndRun();
        if (pages.size() != 1000)
            state.SkipWithError("not 1,000 pages");
    }
}

void BM_FillRunAndPageFiles(benchmark::State &state)
{
    QDir().mkpath(QStringLiteral(QVX_BENCH_DIR "/report"));
    const QString base = QStringLiteral(QVX_BENCH_DIR "/report/list.cnv");
    for (auto _ : state)
        report::writePageFiles(base, fillAndRun());
}

void BM_FillRunAndPdf(benchmark::State &state)
{
    for (auto _ : state) {
        const QByteArray pdf = report::pdfBytes(fillAndRun());
        benchmark::DoNotOptimize(pdf.data());
        state.counters["MB"] = pdf.size() / 1e6;
    }
}

double gColdSeconds = 0;

// The first fill and run of the process, measured before any other.
void BM_FillAndRun_ColdFirst(benchmark::State &state)
{
    for (auto _ : state)
        state.SetIterationTime(gColdSeconds);
}

} // namespace

BENCHMARK(BM_FillAndRun_ColdFirst)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1)->Repetitions(1);
BENCHMARK(BM_FillAndRun)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FillRunAndPageFiles)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FillRunAndPdf)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QElapsedTimer cold;
    cold.start();
    if (fillAndRun().size() != 1000)
        qFatal("not 1,000 pages");
    gColdSeconds = double(cold.nsecsElapsed()) / 1e9;
    return benchsupport::run(argc, argv, {});
}
