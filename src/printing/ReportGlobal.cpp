#include "printing/ReportGlobal.h"

QVector<ReportItem> garrReportPageData{ReportItem{}};
QVector<ReportItem> garrReportDetailData{ReportItem{}};
QVector<int> garrReportDetailIndex{0};
QStringList garrReportErrorMessage{QString()};

namespace {
ReportDetailFeed gFeed;
}

void AddErrorMessage(const QString &text)
{
    garrReportErrorMessage.append(text);
}

void ReserveReportDetailData(qsizetype rows, qsizetype items)
{
    if (rows > 0)
        garrReportDetailIndex.reserve(garrReportDetailIndex.size() + rows);
    if (items > 0)
        garrReportDetailData.reserve(garrReportDetailData.size() + items);
}

void ClearReportData()
{
    garrReportPageData = {ReportItem{}};
    garrReportDetailData = {ReportItem{}};
    garrReportDetailIndex = {0};
    garrReportErrorMessage = {QString()};
    gFeed = {};
}

void SetReportDetailFeed(ReportDetailFeed feed)
{
    gFeed = std::move(feed);
}

void CollectReportDetailRows(int row)
{
    if (gFeed.collect && row > ReportDetailRowsCollected())
        gFeed.collect(qMin(row, gFeed.rowCount));
}

int ReportDetailRowCount()
{
    return gFeed.collect ? qMax(gFeed.rowCount, ReportDetailRowsCollected()) : ReportDetailRowsCollected();
}

int ReportDetailRowsCollected()
{
    return int(garrReportDetailIndex.size()) - 1;
}
