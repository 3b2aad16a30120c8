#include "masters/DecimalText.h"

#include <cmath>

QString plainDecimalText(double value)
{
    if (!std::isfinite(value))
        return QStringLiteral("0");
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
