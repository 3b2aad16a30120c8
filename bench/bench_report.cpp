// The slip-list sample form shows 30 rows a page; 30,000 rows make 1,000
// pages. Each case runs the report from the filled store, then writes the
// pages one way.
#include "platform/report/PageFile.h"
#include "platform/report/PageOutput.h"
#include "printing/ActiveReport1.h"
#include "printing/ReportCurrency.h"
#include "printing/clsReportPrint.h"

#include <QApplication>
#include <QDir>
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

void BM_Run(benchmark::State &state)
{
    for (auto _ : state) {
        const QVector<report::Page> pages = runReport();
        if (pages.size() != 1000)
            state.SkipWithError("not 1,000 pages");
    }
}

void BM_RunAndPageFiles(benchmark::State &state)
{
    QDir().mkpath(QStringLiteral(QVX_BENCH_DIR "/report"));
    const QString base = QStringLiteral(QVX_BENCH_DIR "/report/list.cnv");
    for (auto _ : state)
        report::writePageFiles(base, runReport());
}

void BM_RunAndPdf(benchmark::State &state)
{
    for (auto _ : state) {
        const QByteArray pdf = report::pdfBytes(runReport());
        benchmark::DoNotOptimize(pdf.data());
        state.counters["MB"] = pdf.size() / 1e6;
    }
}

} // namespace

BENCHMARK(BM_Run)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RunAndPageFiles)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RunAndPdf)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    fillStore();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
