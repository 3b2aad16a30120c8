#include "mainwindow/views/ShohinListRows.h"

#include "core/Routines.h"
#include "model/Shohins.h"

ShohinListRows::ShohinListRows(const Shohins &shohins)
{
    reserve(shohins.Count());
    setValueColumn(kPriceColumn);
    for (const ShohinDisplay &s : shohins)
        add({s.ShohinID(), s.Number(), s.Name(), s.Maker(), priceCell(s.Tanka())}, 6, QString(), s.Tanka());
}

QVector<MainListModel::Column> ShohinListRows::columns()
{
    return {{QStringLiteral("商品ID"), 2000, Qt::AlignLeft},
            {QStringLiteral("品番"), 2400, Qt::AlignLeft},
            {QStringLiteral("品名"), 2400, Qt::AlignLeft},
            {QStringLiteral("製造元"), 2400, Qt::AlignLeft},
            {QStringLiteral("単価"), 1200, Qt::AlignRight}};
}

QString ShohinListRows::priceCell(double tanka)
{
    return fnFormatNumber(QStringLiteral("#,##0.###"), tanka).rightJustified(11, QLatin1Char(' '));
}
