#include "slips/CopyTotals.h"

#include "slips/SlipAmounts.h"

#include <limits>

namespace {
const QString kHidden = QStringLiteral("######");

bool fitsStored(qint64 value)
{
    return value >= std::numeric_limits<qint32>::min() && value <= std::numeric_limits<qint32>::max();
}
} // namespace

CopyTotals CopyTotals::compute(qint64 lineSum, bool ritsuOn, qint32 ritsu, qint64 nebikiKingaku, bool shouhizeiIn,
                               qint32 taxRate, qint32 taxPattern)
{
    // The discount and tax controls as the slip editor shows this slip.
    SlipAmountInput in;
    in.rateOn = ritsuOn;
    in.rateText = QString::number(ritsu);
    in.amountText = QString::number(nebikiKingaku);
    in.taxOn = shouhizeiIn;
    in.taxRate = taxRate;
    in.taxPattern = taxPattern;

    CopyTotals t;
    t.meisaiSum = lineSum;
    t.nebikiKingaku = ritsuOn ? 0 : nebikiKingaku;
    const std::optional<Money> sum = Money::fromYen(lineSum);
    if (!sum) {
        t.overflow = true;
        return t;
    }
    const SlipAmountResult r = SlipAmounts::totals(*sum, in);
    if (r.discountReached)
        t.nebikiKingaku = r.discount.yen();
    t.overflow = r.overflow;
    if (r.overflow)
        return t;
    t.summery = r.total.yen();
    t.shouhizei = r.tax.yen();
    t.summeryWithShouhizei = r.totalWithTax.yen();
    return t;
}

bool CopyTotals::committable() const
{
    return !overflow && summeryWithShouhizei <= kLimit && fitsStored(meisaiSum) && fitsStored(nebikiKingaku)
           && fitsStored(summery) && fitsStored(shouhizei) && fitsStored(summeryWithShouhizei);
}

QStringList CopyTotals::texts() const
{
    if (hidden())
        return {format(meisaiSum), format(nebikiKingaku), kHidden, kHidden, kHidden};
    return {format(meisaiSum), format(nebikiKingaku), format(summery), format(shouhizei),
            format(summeryWithShouhizei)};
}

QString CopyTotals::format(qint64 value)
{
    if (value == 0)
        return QString();
    QString digits = QString::number(value < 0 ? -value : value);
    for (qsizetype i = digits.size() - 3; i > 0; i -= 3)
        digits.insert(i, QLatin1Char(','));
    return value < 0 ? QLatin1Char('-') + digits : digits;
}
