#pragma once

#include "mainwindow/views/MainListRows.h"

#include <QString>
#include <memory>

// The rows of the monthly-invoice views: the customers billed monthly, and
// one customer's archived invoices after the row that makes a new one.
namespace SeikyushoRows {

inline const QString kCreateRow = QStringLiteral("月締め請求書の作成");
inline const QString kInvoiceRow = QStringLiteral("請求書");

std::shared_ptr<TextListRows> customers(); // throws db::DbError
std::shared_ptr<TextListRows> invoices(const QString &customerID);

} // namespace SeikyushoRows
