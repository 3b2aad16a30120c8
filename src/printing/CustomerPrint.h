#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

class Customer;
class QWidget;
class clsReportPrint;

// Prints one customer on a customer sheet formFolder + formName + ".rpx" in
// the modal preview: the customer's items and memo lines and the own
// company as page items, and one empty detail row for the sheet's page.
// False when the print form could not be loaded (the user has been told).
// Throws db::DbError.
bool PrintCustomer(const Customer &customer, const QString &formFolder, const QString &formName,
                   const QDateTime &printDate, QWidget *parent = nullptr);

// Prints the customers customerIDs[1..] (element 0 is not used) in the
// given order, one detail row each; a customer that is gone prints as a
// cleared record. savePath as for the slip list.
bool PrintCustomerList(const QString &formFolder, const QString &formName, const QDateTime &printDate,
                       const QStringList &customerIDs, const QString &savePath, QWidget *parent = nullptr);

void SetCustomerListDetailData(clsReportPrint &report, const QStringList &customerIDs);
