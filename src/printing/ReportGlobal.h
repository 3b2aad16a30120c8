#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <functional>

// The data of the one report being printed. Each list keeps an unused
// element 0, so that its last index is its count.
//
// A value keeps the type it was handed with: QString, qint16, int,
// ReportCurrency, double or QDateTime (texts and other values format
// differently).
struct ReportItem {
    QString name;
    QVariant value;
};
// Moved as bytes when the lists grow: a long list print holds a million.
Q_DECLARE_TYPEINFO(ReportItem, Q_RELOCATABLE_TYPE);

extern QVector<ReportItem> garrReportPageData;
extern QVector<ReportItem> garrReportDetailData;
// Element r: the position in garrReportDetailData of detail row r's first
// item; the row owns the items up to the next row's first one.
extern QVector<int> garrReportDetailIndex;
extern QStringList garrReportErrorMessage;

void AddErrorMessage(const QString &text);
// Makes room for `rows` more detail rows holding `items` items in all, so
// that a long list is collected without growing its lists step by step.
void ReserveReportDetailData(qsizetype rows, qsizetype items);
// Every list back to its element 0 alone, and no feed.
void ClearReportData();

// Detail rows collected as the pages come to them: a long list knows how
// many rows it has before it reads them, and the first page need not wait
// for the rows of the last. `collect(row)` adds rows in order (through
// clsReportPrint) until at least `row` of them are there or the list has
// no more.
struct ReportDetailFeed {
    int rowCount = 0;
    std::function<void(int row)> collect;
};
void SetReportDetailFeed(ReportDetailFeed feed);
// Collects the rows up to `row` when they come from a feed.
void CollectReportDetailRows(int row);

// Every detail row of the report, those a feed has still to collect
// included.
int ReportDetailRowCount();
// The detail rows in the lists now.
int ReportDetailRowsCollected();
