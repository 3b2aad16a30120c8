#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>

class QWidget;
class clsReportPrint;

// The two shapes the customer and product prints share.

// One record on a sheet: the print date, the record's page items
// (setItems), the own company, and one empty detail row for the sheet's
// one page. False when the print form could not be loaded.
bool PrintRecordSheet(const std::function<void(clsReportPrint &)> &setItems, const QString &formFolder,
                      const QString &formName, const QDateTime &printDate, QWidget *parent);

// "印刷日付" and the own company, the page items of every record list.
void SetRecordListPageData(clsReportPrint &report, const QDateTime &printDate);

// A list of records: the page items above and one detail row per key of
// keys[1..], filled by setRow for that key. False when the print form could
// not be loaded or the pages not kept.
bool PrintRecordList(const std::function<void(clsReportPrint &, const QStringList &)> &setRows,
                     const QString &formFolder, const QString &formName, const QDateTime &printDate,
                     const QStringList &keys, const QString &savePath, QWidget *parent);
