#include "printing/RecordPrint.h"

#include "printing/OwnCompanyInfo.h"
#include "printing/PrintValues.h"
#include "printing/clsReportPrint.h"

bool PrintRecordSheet(const std::function<void(clsReportPrint &)> &setItems, const QString &formFolder,
                      const QString &formName, const QDateTime &printDate, QWidget *parent)
{
    clsReportPrint report;
    report.SetPageData(QStringLiteral("印刷日付"), fnReportDate(printDate));
    setItems(report);
    SetOwnCompanyPageData(report);
    report.AddDetailData();
    return report.ReportPrintView(formFolder + formName + QStringLiteral(".rpx"), QString(), parent);
}

void SetRecordListPageData(clsReportPrint &report, const QDateTime &printDate)
{
    report.SetPageData(QStringLiteral("印刷日付"), fnReportDate(printDate));
    SetOwnCompanyPageData(report);
}

bool PrintRecordList(const std::function<void(clsReportPrint &, const QStringList &)> &setRows,
                     const QString &formFolder, const QString &formName, const QDateTime &printDate,
                     const QStringList &keys, const QString &savePath, QWidget *parent)
{
    const QString layoutPath = formFolder + formName + QStringLiteral(".rpx");
    clsReportPrint report;
    SetRecordListPageData(report, printDate);
    setRows(report, keys);
    return report.ReportPrintView(layoutPath, savePath, parent);
}
