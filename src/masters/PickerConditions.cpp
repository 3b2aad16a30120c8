#include "masters/PickerConditions.h"

#include <QStringList>

namespace {
QString quoted(const QString &value)
{
    QString v = value;
    return v.replace(QLatin1Char('\''), QLatin1String("''"));
}

QString joinParts(const QStringList &parts)
{
    return parts.join(QStringLiteral(" AND "));
}
} // namespace

QString CustomerSearchWhereMake(const QString &name, const QString &id)
{
    QString where;
    if (!name.isEmpty()) {
        const QString n = quoted(name);
        where = QStringLiteral("(顧客名かな LIKE '%") + n + QStringLiteral("%' OR ")
            + QStringLiteral("顧客名漢字 LIKE '%") + n + QStringLiteral("%') ");
    }
    if (!id.isEmpty()) {
        if (where.isEmpty())
            where = QStringLiteral("顧客ID LIKE '") + quoted(id) + QStringLiteral("%'");
        else
            where += QStringLiteral(" AND 顧客ID LIKE  '") + quoted(id) + QStringLiteral("%'");
    }
    return where;
}

QString ShohinSearchWhereMake(const QString &id, const QString &hinban, const QString &hinmei,
                              const QString &maker)
{
    QString where;
    if (!id.isEmpty())
        where = QStringLiteral("商品ID LIKE '") + quoted(id) + QStringLiteral("%'");
    const struct {
        const QString &value;
        const char16_t *column;
    } parts[] = {{hinban, u" 品番 LIKE  '%"}, {hinmei, u" 品名 LIKE  '%"}, {maker, u" 製造元 LIKE  '%"}};
    for (const auto &p : parts) {
        if (p.value.isEmpty())
            continue;
        if (!where.isEmpty())
            where += QStringLiteral(" AND ");
        where += QString::fromUtf16(p.column) + quoted(p.value) + QStringLiteral("%'");
    }
    return where;
}

QString DenpyoSearchWhereMake(const QString &digits, const QString &nouki, const QString &customerID,
                              const QString &customerName)
{
    if (!digits.isEmpty())
        return QStringLiteral("伝票番号 = ") + digits;
    QStringList parts;
    if (nouki.size() == 10)
        parts << QStringLiteral("(納期 = '") + quoted(nouki) + QStringLiteral("')");
    else if (!nouki.isEmpty())
        parts << QStringLiteral("(納期 >= '") + quoted(nouki.left(10)) + QStringLiteral("' AND 納期 <= '")
                     + quoted(nouki.right(10)) + QStringLiteral("')");
    if (!customerID.isEmpty())
        parts << QStringLiteral("(顧客ID LIKE '") + quoted(customerID) + QStringLiteral("%')");
    if (!customerName.isEmpty())
        parts << QStringLiteral("(顧客名 LIKE '%") + quoted(customerName) + QStringLiteral("%')");
    return joinParts(parts);
}

QString DenpyoMeisaiWhereMake(const QString &shohinID, const QString &hinban, const QString &hinmei)
{
    QStringList parts;
    if (!shohinID.isEmpty())
        parts << QStringLiteral("(商品ID LIKE '") + quoted(shohinID) + QStringLiteral("%')");
    if (!hinban.isEmpty())
        parts << QStringLiteral("(品番 LIKE '%") + quoted(hinban) + QStringLiteral("%')");
    if (!hinmei.isEmpty())
        parts << QStringLiteral("(品名 LIKE '%") + quoted(hinmei) + QStringLiteral("%')");
    return joinParts(parts);
}
