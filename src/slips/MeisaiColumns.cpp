#include "slips/MeisaiColumns.h"

#include "core/Routines.h"

namespace MeisaiColumns {

namespace {
const Spec kSpecs[Count] = {
    {u"", 540, Qt::Alignment(), -1, u""},
    {u"商品ID", 1005, Qt::AlignLeft, 15, u"txtShohinID"},
    {u"品番", 1470, Qt::AlignLeft, 50, u"txtShohinNumber"},
    {u"品名", 1695, Qt::AlignLeft, 50, u"txtShohinMei"},
    {u"単価", 1140, Qt::AlignRight, 0, u"txtTanka"},
    {u"数量", 915, Qt::Alignment(), 0, u"txtSuryo"},
    {u"単位", 900, Qt::AlignLeft, 10, u"txtTanni"},
    {u"金額", 1305, Qt::Alignment(), -1, u""},
    {u"備考", 1380, Qt::AlignLeft, 50, u"txtBiko"},
};
} // namespace

const Spec &spec(int col)
{
    return kSpecs[col >= 0 && col < Count ? col : 0];
}

bool isEditable(int col)
{
    return col >= ShohinID && col <= Biko && col != Kingaku;
}

bool usesIme(int col)
{
    return col == Hinmei || col == Tanni || col == Biko;
}

bool isNumber(int col)
{
    return col == Tanka || col == Suryo;
}

QString cleanedText(int col, const QString &text)
{
    if (isNumber(col))
        return fnCheckNumberText(text);
    const int limit = spec(col).limit;
    return limit > 0 && text.size() > limit ? text.left(limit) : text;
}

bool isGridKey(const QString &name)
{
    for (int col = ShohinID; col < Count; ++col) {
        if (col != Kingaku && name == QString::fromUtf16(spec(col).key))
            return true;
    }
    return false;
}

QString guideText(const QString &name, bool lastRow)
{
    const QString altEnter = lastRow ? QStringLiteral("Alt+Enter-行追加") : QStringLiteral("Alt+Enter-次の行");
    if (name == QLatin1String("txtCustomerID"))
        return QStringLiteral("F11-顧客検索");
    if (name == QLatin1String("txtShohinID"))
        return QStringLiteral("F11-商品検索  ") + altEnter;
    if (name == QLatin1String("txtBiko"))
        return lastRow ? QStringLiteral("Enter-行追加") : QStringLiteral("Enter-次の行");
    if (isGridKey(name))
        return altEnter;
    return QString();
}

} // namespace MeisaiColumns
