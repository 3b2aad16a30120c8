#include "core/Money.h"

#include <cmath>
#include <limits>

namespace {
constexpr qint64 kMax = std::numeric_limits<qint64>::max();
constexpr qint64 kMin = std::numeric_limits<qint64>::min();

std::optional<Money> checked(__int128 units)
{
    if (units > kMax || units < kMin)
        return std::nullopt;
    return Money::fromUnits(qint64(units));
}
} // namespace

std::optional<Money> Money::fromYen(qint64 yen)
{
    return checked(__int128(yen) * kScale);
}

std::optional<Money> Money::fromDouble(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    const double scaled = std::round(value * double(kScale));
    // 2^63 is the first double past the type.
    if (scaled >= 9223372036854775808.0 || scaled < -9223372036854775808.0)
        return std::nullopt;
    return Money(qint64(scaled));
}

std::optional<Money> Money::plus(Money other) const
{
    return checked(__int128(m_units) + other.m_units);
}

std::optional<Money> Money::minus(Money other) const
{
    return checked(__int128(m_units) - other.m_units);
}

std::optional<Money> Money::times(Money other) const
{
    // Division of __int128 truncates toward zero.
    return checked(__int128(m_units) * other.m_units / kScale);
}

Money Money::roundOff() const
{
    const bool negative = m_units < 0;
    // The magnitude of the minimum fits in an unsigned 64-bit number.
    const quint64 magnitude = negative ? quint64(0) - quint64(m_units) : quint64(m_units);
    quint64 whole = magnitude / kScale;
    if ((magnitude % kScale) / (kScale / 10) >= 5)
        ++whole;
    // Rounding up can only leave the type at its very ends; keep the end.
    const quint64 limit = negative ? quint64(kMax) + 1 : quint64(kMax);
    const quint64 units = whole > limit / kScale ? (limit / kScale) * kScale : whole * kScale;
    return negative ? Money(qint64(quint64(0) - units)) : Money(qint64(units));
}

bool Money::inSlipRange() const
{
    constexpr qint64 limit = kSlipLimitYen * kScale;
    return m_units >= -limit && m_units <= limit;
}

bool Money::fitsLong() const
{
    return m_units % kScale == 0 && yen() >= std::numeric_limits<qint32>::min()
           && yen() <= std::numeric_limits<qint32>::max();
}

QString Money::display() const
{
    return formatThousands(yen());
}

QString formatThousands(qint64 value)
{
    char digits[32];
    int n = 0;
    const bool negative = value < 0;
    quint64 magnitude = negative ? quint64(0) - quint64(value) : quint64(value);
    do {
        if (n > 0 && n % 4 == 3)
            digits[n++] = ',';
        digits[n++] = char('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude);
    if (negative)
        digits[n++] = '-';
    QString out(n, Qt::Uninitialized);
    for (int i = 0; i < n; ++i)
        out[i] = QLatin1Char(digits[n - 1 - i]);
    return out;
}
