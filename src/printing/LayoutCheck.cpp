#include "printing/LayoutCheck.h"

#include "printing/PrintFieldSpec.h"

#include <cmath>

namespace {

bool isFieldName(const QString &name)
{
    return name.startsWith(QLatin1String("Field"));
}

// The parts before the first "_" and between the first and second "_".
void splitSpec(const QString &text, QString &prefix, QString &item)
{
    const int first = text.indexOf(QLatin1Char('_'));
    prefix = text.left(first);
    const int second = text.indexOf(QLatin1Char('_'), first + 1);
    item = second < 0 ? text.mid(first + 1) : text.mid(first + 1, second - first - 1);
}

// A slot number the report can show: a whole number from 1 to 32767.
bool isSlotNumber(const QString &prefix)
{
    double value = 0;
    if (!fnParseNumeric(prefix, value))
        return false;
    return value == std::floor(value) && value >= 1 && value <= 32767;
}

} // namespace

bool fnIsItemName(const QStringList &items, const QString &name)
{
    for (int i = 1; i < items.size(); ++i)
        if (items.at(i) == name)
            return true;
    return false;
}

LayoutCheckResult CheckLayout(const report::Layout &layout, const QString &kindCode, const QStringList &pageItems,
                              const QStringList &detailItems, bool shohinMeisai)
{
    using namespace LayoutCheckText;
    LayoutCheckResult result;
    auto fault = [&result](const QString &entry) {
        result.entries << entry;
        result.hasErrors = true;
    };
    if (layout.sections.size() > 1) {
        fault(kSections);
        return result;
    }
    // A layout without any section has no Detail section either.
    if (layout.sections.isEmpty() || layout.sections.first().name != QLatin1String("Detail")) {
        fault(kSectionName);
        return result;
    }
    const report::Section &detail = layout.sections.first();
    if (detail.newPage != report::NewPageBefore)
        fault(kNewPage);

    static const QStringList lineItems = {QStringLiteral("商品ID"), QStringLiteral("品番"), QStringLiteral("品名"),
                                          QStringLiteral("単価"),   QStringLiteral("数量"), QStringLiteral("単位"),
                                          QStringLiteral("金額"),   QStringLiteral("備考")};
    bool lineItemUsed = false;
    for (const report::Control &c : detail.controls) {
        if (!isFieldName(c.name))
            continue;
        const QString &text = c.text;
        if (text == QStringLiteral("ページ番号") || text == QStringLiteral("ページ数"))
            continue;
        if (!text.contains(QLatin1Char('_'))) {
            fault(c.name + QStringLiteral(" / ") + text + kFormat);
            continue;
        }
        QString prefix, item;
        splitSpec(text, prefix, item);
        if (lineItems.contains(item))
            lineItemUsed = true;
        const bool pagePrefix =
            prefix == QLatin1String("P") || prefix == QLatin1String("F") || prefix == QLatin1String("L");
        if (!pagePrefix && !isSlotNumber(prefix)) {
            fault(c.name + QStringLiteral(" / ") + text + kFormat);
            continue;
        }
        if (item.startsWith(QLatin1Char('@')))
            continue;
        if (!fnIsItemName(pagePrefix ? pageItems : detailItems, item))
            fault(c.name + QStringLiteral(" / ") + text + kItemName);
    }

    if (kindCode == QLatin1String("TsukiSeikyusho")) {
        if (shohinMeisai && !lineItemUsed)
            result.entries << kMeisaiCheckedUnused;
        else if (!shohinMeisai && lineItemUsed)
            result.entries << kMeisaiUncheckedUsed;
    }
    return result;
}
