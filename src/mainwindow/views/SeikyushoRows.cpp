#include "mainwindow/views/SeikyushoRows.h"

#include "model/Customers.h"
#include "printing/SeikyushoArchive.h"

namespace SeikyushoRows {

std::shared_ptr<TextListRows> customers()
{
    auto rows = std::make_shared<TextListRows>();
    Customers list;
    list.Load(QString(), QString());
    for (qint32 i = 1; i <= list.Count(); ++i) {
        const auto &c = list.Item(i);
        if (c.TsukiSeikyu())
            rows->add({c.CustomerID(), c.NameKnj()}, 2);
    }
    return rows;
}

std::shared_ptr<TextListRows> invoices(const QString &customerID)
{
    auto rows = std::make_shared<TextListRows>();
    rows->add({kCreateRow, QStringLiteral(" ")}, 20);
    for (const QDate &date : seikyusho::invoiceDates(customerID))
        rows->add({kInvoiceRow, date.toString(QStringLiteral("yyyy/MM/dd"))}, 15);
    return rows;
}

} // namespace SeikyushoRows
