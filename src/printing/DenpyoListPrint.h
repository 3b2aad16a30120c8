#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

class QWidget;
class clsReportPrint;

// Prints a list of slips through a slip-list (or monthly invoice) print
// form formFolder + formName + ".rpx" in the modal preview. denpyoIDs holds
// the slip numbers from element 1 on (element 0 is not used), as decimal
// texts (leading zeros allowed); a number whose slip is gone prints as a
// cleared slip. The page items come from the first slip and its customer,
// the totals over all slips and the own company; the rows follow the
// print form's options (product lines, slip rows apart). savePath, when
// not empty, is the base path of the page files the pages are kept in.
//
// False, with nothing shown, for a list without slip numbers; false when
// the print form could not be loaded or the pages not kept (the user has
// been told). The page items and the totals are read before the first page,
// each page's rows as the report comes to that page. Throws db::DbError, a
// read failing on a later page once the preview has closed.
bool PrintDenpyoList(const QString &formFolder, const QString &formName, const QDateTime &printDate,
                     const QStringList &denpyoIDs, const QString &savePath, QWidget *parent = nullptr);
