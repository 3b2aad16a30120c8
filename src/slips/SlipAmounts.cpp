#include "slips/SlipAmounts.h"

#include "core/Routines.h"

#include <QRegularExpression>
#include <cmath>
#include <limits>

namespace {

// fnRoundOff of a double as money; none when it cannot be held.
std::optional<Money> roundedMoney(double value)
{
    if (!std::isfinite(value) || std::fabs(value) >= 9.0e14)
        return std::nullopt;
    return Money::fromYen(fnRoundOff(value));
}

enum class Parsed { Value, Zero, TooLarge };

// The discount amount box as a 32-bit whole number. A text that is no
// number counts as 0; a number that a 32-bit amount cannot hold (a rate
// discount left in the box, for example) is reported, not cut.
Parsed parseDiscountAmount(const QString &text, qint32 *value)
{
    const QString checked = fnCheckNumberText(text);
    if (checked.isEmpty()) {
        static const QRegularExpression longNumber(QStringLiteral("^-?[0-9]{13,}(\\.[0-9]*)?-?$"));
        const QString kept = fnFilterChars(text, QStringLiteral("0123456789.-"));
        return longNumber.match(kept).hasMatch() ? Parsed::TooLarge : Parsed::Zero;
    }
    const double v = std::round(SlipAmounts::numberValue(checked));
    if (v > std::numeric_limits<qint32>::max() || v < std::numeric_limits<qint32>::min())
        return Parsed::TooLarge;
    *value = qint32(v);
    return Parsed::Value;
}

} // namespace

QString SlipAmountResult::lineTotalText() const
{
    return overflow ? SlipAmounts::kOverflowText : lineTotal.display();
}

QString SlipAmounts::lineAmountText(Money amount)
{
    return amount.yen() == 0 ? QString() : formatThousands(amount.yen());
}

double SlipAmounts::numberValue(const QString &text)
{
    QString t = text;
    t.remove(QLatin1Char(','));
    t = t.trimmed();
    if (t.isEmpty())
        return 0;
    bool negative = false;
    if (t.endsWith(QLatin1Char('-')) && !t.startsWith(QLatin1Char('-'))) {
        negative = true;
        t.chop(1);
    }
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return 0;
    return negative ? -v : v;
}

namespace {

// A value left the shown range: the totals are not shown, and in rate mode
// the discount amount box is emptied.
SlipAmountResult &overflowed(SlipAmountResult &r, const SlipAmountInput &in)
{
    r.overflow = true;
    if (in.rateOn)
        r.amountBoxText = QString();
    return r;
}

// The steps after the lines: discount, total, tax and total with tax of
// `lineTotal` by the input's discount controls and tax settings.
SlipAmountResult &applyTotals(SlipAmountResult &r, Money lineTotal, const SlipAmountInput &in)
{
    const auto overflow = [&r, &in]() -> SlipAmountResult & { return overflowed(r, in); };

    r.lineTotal = lineTotal;
    if (!lineTotal.inSlipRange())
        return overflow();

    // Discount.
    r.discountReached = true;
    Money discount;
    bool discountTooLarge = false;
    if (in.rateOn) {
        const qint32 rate = fnBlankToZero(in.rateText).trimmed().toInt();
        const auto d = roundedMoney(lineTotal.toDouble() * (double(rate) / 100.0));
        if (!d)
            return overflow();
        discount = *d;
        r.amountBoxText = discount.display();
    } else {
        qint32 amount = 0;
        switch (parseDiscountAmount(in.amountText, &amount)) {
        case Parsed::TooLarge:
            discountTooLarge = true;
            break;
        case Parsed::Value:
            discount = *Money::fromYen(amount);
            break;
        case Parsed::Zero:
            break;
        }
        if (!in.amountTyped && !discountTooLarge)
            r.amountBoxText = discount.display();
        r.rateBoxText = QStringLiteral("0");
    }
    r.discount = discount;
    if (discountTooLarge)
        return overflow();

    const auto total = lineTotal.minus(discount);
    if (!total || !total->inSlipRange())
        return overflow();
    r.total = *total;

    // Tax.
    Money tax;
    if (in.taxOn) {
        const double rate = double(in.taxRate);
        const double share = in.taxPattern == 0 ? rate / 100.0 : rate / (rate + 100.0);
        const auto t = roundedMoney(total->toDouble() * share);
        if (!t)
            return overflow();
        tax = *t;
    }
    r.tax = tax;

    const auto withTax = in.taxPattern == 0 ? total->plus(tax) : std::optional<Money>(*total);
    if (!withTax || !withTax->inSlipRange())
        return overflow();
    r.totalWithTax = *withTax;
    return r;
}

} // namespace

SlipAmountResult SlipAmounts::totals(Money lineTotal, const SlipAmountInput &input)
{
    SlipAmountResult r;
    return applyTotals(r, lineTotal, input);
}

SlipAmountResult SlipAmounts::compute(const SlipAmountInput &in)
{
    SlipAmountResult r;
    r.lineAmounts.reserve(in.lines.size());
    const auto limit = *Money::fromYen(Money::kSlipLimitYen);

    const auto overflow = [&r, &in]() -> SlipAmountResult & { return overflowed(r, in); };

    Money lineTotal;
    for (std::size_t i = 0; i < in.lines.size(); ++i) {
        const auto tanka = Money::fromDouble(in.lines[i].tanka);
        const auto suryo = Money::fromDouble(in.lines[i].suryo);
        std::optional<Money> product;
        if (tanka && suryo)
            product = tanka->times(*suryo);
        if (!product || *product > limit) {
            r.overflowRow = int(i);
            return overflow();
        }
        const Money amount = product->roundOff();
        r.lineAmounts.push_back(amount);
        const auto sum = lineTotal.plus(amount);
        if (!sum)
            return overflow();
        lineTotal = *sum;
    }
    return applyTotals(r, lineTotal, in);
}
