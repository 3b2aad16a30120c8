#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

class QWidget;
class Shohin;
class clsReportPrint;

// Prints one product on a product sheet formFolder + formName + ".rpx" in
// the modal preview: the product's items and memo lines and the own
// company as page items, and one empty detail row for the sheet's page.
// False when the print form could not be loaded (the user has been told).
// Throws db::DbError.
bool PrintShohin(const Shohin &shohin, const QString &formFolder, const QString &formName,
                 const QDateTime &printDate, QWidget *parent = nullptr);

// Prints the products shohinIDs[1..] (element 0 is not used) in the given
// order, one detail row each; a product that is gone prints as a cleared
// record. savePath as for the slip list.
bool PrintShohinList(const QString &formFolder, const QString &formName, const QDateTime &printDate,
                     const QStringList &shohinIDs, const QString &savePath, QWidget *parent = nullptr);

void SetShohinListDetailData(clsReportPrint &report, const QStringList &shohinIDs);
