#include "masters/DecimalText.h"

#include <charconv>
#include <cmath>

QString plainDecimalText(double value)
{
    if (!std::isfinite(value))
        return QStringLiteral("0");
    if (value == 0)
        return QStringLiteral("0");
    // The shortest text that reads back as the value: when it has at most 15
    // significant digits it is the value rounded to 15 digits already, in
    // the form wanted, and most stored prices and quantities have one.
    char shortest[400];
    const auto written = std::to_chars(shortest, shortest + sizeof shortest, value, std::chars_format::fixed);
    if (written.ec == std::errc()) {
        int significant = 0, zeros = 0;
        bool leading = true;
        for (const char *p = shortest; p < written.ptr; ++p) {
            if (*p < '0' || *p > '9' || (leading && *p == '0'))
                continue;
            leading = false;
            if (*p == '0') {
                ++zeros;
            } else {
                significant += zeros + 1;
                zeros = 0;
            }
        }
        if (significant <= 15)
            return QString::fromLatin1(shortest, written.ptr - shortest);
    }
    // Rounded to 15 significant digits first, then written out in full:
    // an exponent would read as different digits to the number boxes.
    QString digits = QString::number(value, 'e', 14);
    const qsizetype e = digits.indexOf(QLatin1Char('e'));
    const int exponent = digits.mid(e + 1).toInt();
    const bool negative = digits.startsWith(QLatin1Char('-'));
    digits = digits.left(e).remove(QLatin1Char('-')).remove(QLatin1Char('.'));
    while (digits.size() > 1 && digits.endsWith(QLatin1Char('0')))
        digits.chop(1);
    if (digits == QLatin1String("0"))
        return digits;
    QString text;
    if (exponent < 0) {
        text = QStringLiteral("0.") + QString(-exponent - 1, QLatin1Char('0')) + digits;
    } else if (digits.size() <= exponent + 1) {
        text = digits + QString(exponent + 1 - digits.size(), QLatin1Char('0'));
    } else {
        text = digits.left(exponent + 1) + QLatin1Char('.') + digits.mid(exponent + 1);
    }
    return negative ? QLatin1Char('-') + text : text;
}
