#include "core/DateValue.h"

#include <QRegularExpression>

namespace {
QDateTime &fixedNow()
{
    static QDateTime value;
    return value;
}
} // namespace

QDateTime zeroDate()
{
    return QDateTime(QDate(1899, 12, 30), QTime(0, 0, 0));
}

bool isZeroDate(const QDateTime &value)
{
    return !value.isValid() || value == zeroDate();
}

QString formatDate(const QDate &value)
{
    // Written digit by digit: a long export formats hundreds of thousands.
    int y = 0, m = 0, d = 0;
    value.getDate(&y, &m, &d);
    if (!value.isValid() || y < 1 || y > 9999)
        return value.toString(QStringLiteral("yyyy/MM/dd"));
    const char16_t text[10] = {char16_t(u'0' + y / 1000), char16_t(u'0' + y / 100 % 10), char16_t(u'0' + y / 10 % 10),
                               char16_t(u'0' + y % 10),   u'/',
                               char16_t(u'0' + m / 10),   char16_t(u'0' + m % 10),
                               u'/',                      char16_t(u'0' + d / 10),
                               char16_t(u'0' + d % 10)};
    return QString(reinterpret_cast<const QChar *>(text), 10);
}

QString formatDate(const QDateTime &value)
{
    return formatDate(value.isValid() ? value.date() : zeroDate().date());
}

QString formatDateTime(const QDateTime &value)
{
    return (value.isValid() ? value : zeroDate()).toString(QStringLiteral("yyyy/MM/dd HH:mm:ss"));
}

QString formatShortDate(const QDate &value)
{
    return value.toString(QStringLiteral("yy/MM/dd"));
}

QDateTime localDateTime(const QDate &day, const QTime &time)
{
    QDateTime value(day, time);
    if (value.isValid() || !day.isValid() || !time.isValid())
        return value;
    // In the skipped hour: count from the same wall-clock reading in UTC,
    // shifted by the offset in force just before the change.
    const QDateTime asUtc(day, time, Qt::UTC);
    const int offset = asUtc.addDays(-1).toLocalTime().offsetFromUtc();
    return QDateTime::fromSecsSinceEpoch(asUtc.toSecsSinceEpoch() - offset);
}

QDateTime parseDateTime(const QString &text)
{
    static const QRegularExpression re(QStringLiteral(
        "^\\s*(\\d{1,4})/(\\d{1,2})/(\\d{1,2})(?:\\s+(\\d{1,2}):(\\d{1,2})(?::(\\d{1,2}))?)?\\s*$"));
    const auto m = re.match(text);
    if (!m.hasMatch())
        return {};
    int year = m.captured(1).toInt();
    if (m.captured(1).size() <= 2)
        year += 2000;
    const QDate d(year, m.captured(2).toInt(), m.captured(3).toInt());
    if (!d.isValid())
        return {};
    QTime t(0, 0, 0);
    if (!m.captured(4).isEmpty()) {
        t = QTime(m.captured(4).toInt(), m.captured(5).toInt(),
                  m.captured(6).isEmpty() ? 0 : m.captured(6).toInt());
        if (!t.isValid())
            return {};
    }
    return localDateTime(d, t);
}

QDate today()
{
    return now().date();
}

QDateTime now()
{
    if (fixedNow().isValid())
        return fixedNow();
    const QDateTime n = QDateTime::currentDateTime();
    return QDateTime(n.date(), QTime(n.time().hour(), n.time().minute(), n.time().second()));
}

void setFixedNow(const QDateTime &value)
{
    fixedNow() = value;
}

QStringList deliveryMonths(const QDate &day)
{
    auto month = [](const QDate &d) { return d.toString(QStringLiteral("yyyy/MM")); };
    QDate d = day.addDays(-1000);
    QStringList months{month(d)};
    const QDate limit = day.addDays(365);
    for (;;) {
        d = QDate(d.year(), d.month(), 1).addMonths(1);
        months << month(d);
        if (!(d < limit))
            return months;
    }
}
