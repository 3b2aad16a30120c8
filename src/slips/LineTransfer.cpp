#include "slips/LineTransfer.h"

#include "core/Routines.h"
#include "model/Meisais.h"

#include <algorithm>
#include <cfenv>
#include <cmath>
#include <limits>
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

qint32 carriedAmount(double tanka, double suryo)
{
    const double product = suryo * tanka;
    if (std::isnan(product))
        return 0;
    // Ties to even, whatever rounding mode the process was left in.
    const int mode = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double rounded = std::nearbyint(product);
    std::fesetround(mode);
    constexpr double lowest = std::numeric_limits<qint32>::min();
    constexpr double highest = std::numeric_limits<qint32>::max();
    return qint32(std::clamp(rounded, lowest, highest));
}

void carryLine(const Meisai &from, Meisai &to)
{
    to.setItemID(from.ItemID());
    to.setItemNumber(from.ItemNumber());
    to.setItemName(from.ItemName());
    to.setItemTanka(from.ItemTanka());
    to.setItemTanni(from.ItemTanni());
    to.setItemSuryo(from.ItemSuryo());
    to.setItemKingaku(carriedAmount(from.ItemTanka(), from.ItemSuryo()));
    to.setItemBikou(from.ItemBikou());
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
