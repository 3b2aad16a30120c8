#include "masters/PickerConditions.h"

namespace {
QString quoted(const QString &value)
{
    QString v = value;
    return v.replace(QLatin1Char('\''), QLatin1String("''"));
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
