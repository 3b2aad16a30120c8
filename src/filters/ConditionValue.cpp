#include "filters/ConditionValue.h"

#include "core/DateValue.h"
#include "core/Routines.h"

namespace conditionvalue {
namespace {

constexpr qint64 kLargest = 999999999; // nine digits

// The bound of a box as a whole number; unreadable text counts as 0. A
// whole part of more than nine digits is out of range even where the
// number routine would give up on it and read 0.
qint64 boundOf(const QString &text)
{
    const QString whole = fnFilterChars(text, QStringLiteral("0123456789.")).section(QLatin1Char('.'), 0, 0);
    QString significant = whole;
    while (significant.startsWith(QLatin1Char('0')))
        significant.remove(0, 1);
    if (significant.size() > 9)
        return significant.size() <= 18 ? significant.toLongLong() : kLargest + 1;
    const QString number = fnBlankToZero(fnCheckNumberText(text));
    bool ok = false;
    const double value = number.toDouble(&ok);
    return ok ? fnRoundOff(value) : 0;
}

QString nineDigits(qint64 value)
{
    return QStringLiteral("%1").arg(value, 9, 10, QLatin1Char('0'));
}

} // namespace

Range checkRange(const QString &fromText, const QString &toText)
{
    Range r;
    const qint64 from = boundOf(fromText);
    qint64 to = boundOf(toText);
    if (to == 0)
        to = from;
    r.from = QString::number(from);
    r.to = QString::number(to);
    if (from < 0 || to < 0 || from > kLargest || to > kLargest)
        r.check = Range::Check::OutOfRange;
    else if (to < from)
        r.check = Range::Check::Reversed;
    else
        r.value = nineDigits(from) + nineDigits(to);
    return r;
}

std::pair<QString, QString> rangeBounds(const QString &value)
{
    if (value.isEmpty())
        return {};
    const auto bound = [](const QString &digits) { return QString::number(digits.trimmed().toLongLong()); };
    return {bound(value.left(9)), bound(value.mid(9, 9))};
}

QString dateRange(const QDate &from, const QDate &to)
{
    return formatShortDate(from) + formatShortDate(to);
}

std::optional<std::pair<QDate, QDate>> parseDateRange(const QString &value)
{
    const QDateTime from = parseDateTime(value.left(8));
    const QDateTime to = parseDateTime(value.mid(8, 8));
    if (!from.isValid() || !to.isValid())
        return std::nullopt;
    return std::make_pair(from.date(), to.date());
}

QString padded(const QString &text, int width)
{
    return text.leftJustified(width, QLatin1Char(' '));
}

} // namespace conditionvalue
