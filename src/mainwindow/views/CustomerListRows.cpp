#include "mainwindow/views/CustomerListRows.h"

#include "model/Customers.h"

CustomerListRows::CustomerListRows(const Customers &customers)
{
    reserve(customers.Count());
    for (const CustomerDisplay &c : customers)
        add({c.CustomerID(), c.NameKnj(), c.Bumon(), c.ShimeBi()}, 3);
}

QVector<MainListModel::Column> CustomerListRows::columns()
{
    return {{QStringLiteral("顧客ID"), 2000, Qt::AlignLeft},
            {QStringLiteral("顧客名"), 3000, Qt::AlignLeft},
            {QStringLiteral("部門"), 2000, Qt::AlignLeft},
            {QStringLiteral("締め日"), 2000, Qt::AlignHCenter}};
}
