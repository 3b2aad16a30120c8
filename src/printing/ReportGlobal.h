#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

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
// Every list back to its element 0 alone.
void ClearReportData();
int ReportDetailRowCount();
