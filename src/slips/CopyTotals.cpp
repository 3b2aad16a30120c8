#include "slips/CopyTotals.h"

#include <cmath>
#include <limits>

namespace {
const QString kHidden = QStringLiteral("######");

qint64 floorDiv(qint64 value, qint64 divisor)
{
    qint64 q = value / divisor;
    if ((value % divisor != 0) && ((value < 0) != (divisor < 0)))
        --q;
    return q;
}

bool fitsStored(qint64 value)
{
    return value >= std::numeric_limits<qint32>::min() && value <= std::numeric_limits<qint32>::max();
}
} // namespace

CopyTotals CopyTotals::compute(qint64 lineSum, bool ritsuOn, qint32 ritsu, qint64 nebikiKingaku, bool shouhizeiIn,
                               qint32 taxRate)
{
    CopyTotals t;
    t.meisaiSum = lineSum;
    if (ritsuOn) {
        // The factor first, then the product, both in double precision: a
        // sum of 100 at 43 % gives 56.99999... and so a discount of 44.
        const double factor = (100.0 - double(ritsu)) / 100.0;
        const double reduced = std::floor(double(lineSum) * factor);
        t.nebikiKingaku = lineSum - qint64(reduced);
    } else {
        t.nebikiKingaku = nebikiKingaku;
    }
    t.summery = t.meisaiSum - t.nebikiKingaku;
    t.shouhizei = shouhizeiIn ? floorDiv(t.summery * taxRate, 100) : 0;
    t.summeryWithShouhizei = t.summery + t.shouhizei;
    return t;
}

bool CopyTotals::committable() const
{
    return summeryWithShouhizei <= kLimit && fitsStored(meisaiSum) && fitsStored(nebikiKingaku)
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
