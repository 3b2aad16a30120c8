#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

// Money of the slip editor and of printed totals: a signed 64-bit count of
// ten-thousandths of a yen. Every step that can leave the 64-bit range
// says so by returning no value instead of wrapping.
class Money {
public:
    static constexpr qint64 kScale = 10000;
    // Amounts the slip shows lie within ±9,999,999,999 yen.
    static constexpr qint64 kSlipLimitYen = 9'999'999'999LL;

    constexpr Money() = default;
    static constexpr Money fromUnits(qint64 units) { return Money(units); }
    static std::optional<Money> fromYen(qint64 yen);
    // The nearest ten-thousandth; none for NaN, infinity or a value too
    // large for the type.
    static std::optional<Money> fromDouble(double value);

    constexpr qint64 units() const { return m_units; }
    double toDouble() const { return double(m_units) / double(kScale); }

    std::optional<Money> plus(Money other) const;
    std::optional<Money> minus(Money other) const;
    // The product cut toward zero to four decimals, which keeps the digit
    // that rounding to whole yen looks at.
    std::optional<Money> times(Money other) const;

    // Whole yen, halves away from zero (100.5 -> 101, -100.5 -> -101).
    Money roundOff() const;
    // The whole-yen part (the value is expected to be whole already).
    qint64 yen() const { return m_units / kScale; }

    bool inSlipRange() const;
    // Whole yen that a 32-bit field can hold.
    bool fitsLong() const;

    // "#,##0": the whole part with thousands separators, "-" when negative.
    QString display() const;

    friend constexpr bool operator==(Money, Money) = default;
    friend constexpr auto operator<=>(Money a, Money b) { return a.m_units <=> b.m_units; }

private:
    constexpr explicit Money(qint64 units) : m_units(units) {}
    qint64 m_units = 0;
};

// Thousands separators on a whole number: -1234567 -> "-1,234,567".
QString formatThousands(qint64 value);
