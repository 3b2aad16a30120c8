#include "slips/LineTransfer.h"

#include "core/Routines.h"
#include "model/Meisais.h"

#include <stdexcept>

namespace linetransfer {

QString rowText(qint32 line, bool stored)
{
    const QString number = QStringLiteral("%1").arg(line, 2, 10, QLatin1Char('0'));
    return stored ? QLatin1Char('*') + number : number;
}

qint32 rowLine(const QString &text)
{
    return (isStoredRow(text) ? text.mid(1) : text).toInt();
}

bool isStoredRow(const QString &text)
{
    return text.startsWith(QLatin1Char('*'));
}

QString detailText(const Meisai &line, QChar times)
{
    QString text = fnFormatNumber(QStringLiteral("###,###,##0.##"), line.ItemTanka()) + times
                   + fnFormatNumber(QStringLiteral("##,##0.##"), line.ItemSuryo());
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    if (!line.ItemTanni().isEmpty())
        text += QLatin1Char('(') + line.ItemTanni() + QLatin1Char(')');
    if (!line.ItemBikou().isEmpty())
        text += QLatin1Char('/') + line.ItemBikou();
    return text;
}

void carryLine(const Meisai &from, Meisai &to)
{
    to.setItemID(from.ItemID());
    to.setItemNumber(from.ItemNumber());
    to.setItemName(from.ItemName());
    to.setItemTanka(from.ItemTanka());
    to.setItemTanni(from.ItemTanni());
    to.setItemSuryo(from.ItemSuryo());
    to.setItemKingaku(from.ItemKingaku());
    to.setItemBikou(from.ItemBikou());
}

qint64 rowsAmount(const QStringList &rowTexts, const Meisais &source, const Meisais *destination)
{
    qint64 sum = 0;
    for (const QString &text : rowTexts) {
        const Meisais *lines = isStoredRow(text) ? destination : &source;
        const qint32 line = rowLine(text);
        if (lines && line >= 1 && line <= lines->Count())
            sum += lines->Item(line).ItemKingaku();
    }
    return sum;
}

void FromMeisaiRemove(Meisais &lines, qint32 index)
{
    const qint32 n = lines.Count();
    if (index < 1 || index > n)
        throw std::runtime_error("整合性エラー");
    if (n < 2) {
        Meisai &line = lines.Item(1);
        line = Meisai();
        return;
    }
    lines.Remove(index);
}

} // namespace linetransfer
