#include "platform/report/FormatPattern.h"

#include <QLocale>
#include <QStringList>
#include <cmath>

namespace report {

namespace {

// --- patterns cut into tokens -------------------------------------------

// Splits at ";" outside quotes and escapes.
QStringList splitSections(const QString &pattern)
{
    QStringList sections;
    QString current;
    bool quoted = false;
    for (int i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern.at(i);
        if (c == QLatin1Char('\\') && !quoted && i + 1 < pattern.size()) {
            current += c;
            current += pattern.at(++i);
            continue;
        }
        if (c == QLatin1Char('"'))
            quoted = !quoted;
        if (c == QLatin1Char(';') && !quoted) {
            sections << current;
            current.clear();
            continue;
        }
        current += c;
    }
    sections << current;
    return sections;
}

enum class Tok { Zero, Hash, Point, Comma, Percent, Literal };

struct NumToken {
    Tok kind;
    QString text; // for literals
};

QVector<NumToken> numberTokens(const QString &section)
{
    QVector<NumToken> tokens;
    auto literal = [&](const QString &t) {
        if (!tokens.isEmpty() && tokens.last().kind == Tok::Literal)
            tokens.last().text += t;
        else
            tokens.append({Tok::Literal, t});
    };
    bool seenPoint = false;
    for (int i = 0; i < section.size(); ++i) {
        const QChar c = section.at(i);
        switch (c.unicode()) {
        case '0': tokens.append({Tok::Zero, {}}); break;
        case '#': tokens.append({Tok::Hash, {}}); break;
        case '.':
            if (seenPoint) {
                literal(QStringLiteral("."));
            } else {
                seenPoint = true;
                tokens.append({Tok::Point, {}});
            }
            break;
        case ',': tokens.append({Tok::Comma, {}}); break;
        case '%': tokens.append({Tok::Percent, {}}); break;
        case '\\':
            if (i + 1 < section.size())
                literal(QString(section.at(++i)));
            break;
        case '"': {
            const int end = section.indexOf(QLatin1Char('"'), i + 1);
            literal(section.mid(i + 1, end < 0 ? -1 : end - i - 1));
            i = end < 0 ? section.size() : end;
            break;
        }
        default: literal(QString(c)); break;
        }
    }
    return tokens;
}

// --- decimal digits -------------------------------------------------------

// The value's digits before and after the point, from its 15-digit text.
void decimalDigits(double value, QString &whole, QString &fraction)
{
    QString text = QString::number(value, 'e', 14); // d.dddddddddddddde+xx
    const int e = text.indexOf(QLatin1Char('e'));
    const int exponent = text.mid(e + 1).toInt();
    QString digits = text.left(e).remove(QLatin1Char('.'));
    const int pointAt = exponent + 1; // digits before the point
    if (pointAt <= 0) {
        whole = QString();
        fraction = QString(-pointAt, QLatin1Char('0')) + digits;
    } else if (pointAt >= digits.size()) {
        whole = digits + QString(pointAt - digits.size(), QLatin1Char('0'));
        fraction = QString();
    } else {
        whole = digits.left(pointAt);
        fraction = digits.mid(pointAt);
    }
    while (fraction.endsWith(QLatin1Char('0')))
        fraction.chop(1);
    while (whole.startsWith(QLatin1Char('0')))
        whole.remove(0, 1);
}

// Rounds to `places` decimals, halves away from zero.
void roundDigits(QString &whole, QString &fraction, int places)
{
    if (fraction.size() <= places) {
        fraction += QString(places - fraction.size(), QLatin1Char('0'));
        return;
    }
    const bool up = fraction.at(places) >= QLatin1Char('5');
    fraction.truncate(places);
    if (!up)
        return;
    QString all = whole + fraction;
    int i = all.size() - 1;
    while (i >= 0 && all.at(i) == QLatin1Char('9')) {
        all[i] = QLatin1Char('0');
        --i;
    }
    if (i < 0)
        all.prepend(QLatin1Char('1'));
    else
        all[i] = QChar(all.at(i).unicode() + 1);
    whole = all.left(all.size() - places);
    fraction = all.right(places);
    while (whole.startsWith(QLatin1Char('0')))
        whole.remove(0, 1);
}

QString groupThousands(const QString &digits)
{
    QString out;
    const int n = digits.size();
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out += QLatin1Char(',');
        out += digits.at(i);
    }
    return out;
}

bool isDigitTok(Tok k)
{
    return k == Tok::Zero || k == Tok::Hash;
}

QString formatSection(double value, const QString &section, bool withMinus)
{
    QVector<NumToken> tokens = numberTokens(section);
    int point = -1;
    for (int i = 0; i < tokens.size(); ++i)
        if (tokens[i].kind == Tok::Point) {
            point = i;
            break;
        }
    const int intEnd = point < 0 ? tokens.size() : point;
    int firstInt = -1, lastInt = -1;
    for (int i = 0; i < intEnd; ++i)
        if (isDigitTok(tokens[i].kind)) {
            if (firstInt < 0)
                firstInt = i;
            lastInt = i;
        }

    // Commas right after the last integer place divide by 1000 each; a comma
    // between integer places asks for grouping.
    bool grouping = false;
    int scale = 0;
    for (int i = 0; i < intEnd; ++i) {
        if (tokens[i].kind != Tok::Comma)
            continue;
        if (firstInt >= 0 && i > firstInt && i < lastInt)
            grouping = true;
        else if (lastInt >= 0 && i > lastInt)
            ++scale;
    }
    int percent = 0;
    for (const NumToken &t : tokens)
        if (t.kind == Tok::Percent)
            ++percent;

    double v = std::fabs(value);
    for (int i = 0; i < percent; ++i)
        v *= 100.0;
    for (int i = 0; i < scale; ++i)
        v /= 1000.0;

    int fracPlaces = 0, fracMin = 0;
    if (point >= 0)
        for (int i = point + 1; i < tokens.size(); ++i)
            if (isDigitTok(tokens[i].kind)) {
                ++fracPlaces;
                if (tokens[i].kind == Tok::Zero)
                    fracMin = fracPlaces;
            }

    QString whole, fraction;
    decimalDigits(v, whole, fraction);
    roundDigits(whole, fraction, fracPlaces);
    while (fraction.size() > fracMin && fraction.endsWith(QLatin1Char('0')))
        fraction.chop(1);

    int intMin = 0;
    for (int i = 0; i < intEnd; ++i)
        if (isDigitTok(tokens[i].kind) && (intMin > 0 || tokens[i].kind == Tok::Zero))
            ++intMin;
    if (whole.size() < intMin)
        whole = QString(intMin - whole.size(), QLatin1Char('0')) + whole;

    // Integer part: digits placed from the right; digits beyond the places
    // go where the first place is.
    QStringList intOut(intEnd);
    if (firstInt >= 0) {
        if (grouping) {
            intOut[firstInt] = groupThousands(whole);
        } else {
            int d = whole.size();
            for (int i = lastInt; i >= firstInt; --i) {
                if (!isDigitTok(tokens[i].kind))
                    continue;
                if (d > 0)
                    intOut[i] = whole.at(--d);
            }
            if (d > 0)
                intOut[firstInt].prepend(whole.left(d));
        }
    }
    QString out;
    for (int i = 0; i < intEnd; ++i) {
        const NumToken &t = tokens[i];
        if (t.kind == Tok::Literal) {
            if (!grouping || i < firstInt || i > lastInt)
                out += t.text;
        } else if (t.kind == Tok::Percent) {
            out += QLatin1Char('%');
        } else if (isDigitTok(t.kind)) {
            out += intOut[i];
        }
    }
    if (point >= 0) {
        out += QLatin1Char('.');
        int f = 0;
        for (int i = point + 1; i < tokens.size(); ++i) {
            const NumToken &t = tokens[i];
            if (isDigitTok(t.kind)) {
                if (f < fraction.size())
                    out += fraction.at(f);
                ++f;
            } else if (t.kind == Tok::Literal) {
                out += t.text;
            } else if (t.kind == Tok::Percent) {
                out += QLatin1Char('%');
            }
        }
    }
    const bool isZero = whole.isEmpty() || whole.count(QLatin1Char('0')) == whole.size();
    const bool fracZero = fraction.count(QLatin1Char('0')) == fraction.size();
    if (withMinus && value < 0 && !(isZero && fracZero))
        out.prepend(QLatin1Char('-'));
    return out;
}

// --- dates ------------------------------------------------------------------

const char *const kJaWeekdays[] = {"月", "火", "水", "木", "金", "土", "日"};

QString two(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

int countRun(const QString &p, int i, QChar c)
{
    int n = 0;
    while (i + n < p.size() && p.at(i + n).toLower() == c)
        ++n;
    return n;
}

} // namespace

QString plainNumberText(double value)
{
    if (value == std::floor(value) && std::fabs(value) < 1e15)
        return QString::number(static_cast<qint64>(value));
    return QString::number(value, 'g', 15);
}

QString plainDateText(const QDateTime &value)
{
    const QDate d = value.date();
    const QTime t = value.time();
    const QString date = QStringLiteral("%1/%2/%3").arg(d.year(), 4, 10, QLatin1Char('0')).arg(two(d.month()), two(d.day()));
    const QString time = QStringLiteral("%1:%2:%3").arg(t.hour()).arg(two(t.minute()), two(t.second()));
    if (d == QDate(1899, 12, 30))
        return time;
    if (t == QTime(0, 0))
        return date;
    return date + QLatin1Char(' ') + time;
}

QString formatNumber(double value, const QString &pattern)
{
    if (pattern.isEmpty())
        return plainNumberText(value);
    const QStringList sections = splitSections(pattern);
    if (value < 0 && sections.size() >= 2 && !sections[1].isEmpty())
        return formatSection(value, sections[1], false);
    if (value == 0 && sections.size() >= 3 && !sections[2].isEmpty())
        return formatSection(value, sections[2], false);
    return formatSection(value, sections[0], true);
}

QString formatDate(const QDateTime &value, const QString &pattern)
{
    if (pattern.isEmpty())
        return plainDateText(value);
    const QDate d = value.date();
    const QTime t = value.time();
    const QString p = splitSections(pattern).first();
    const bool twelve = p.contains(QLatin1String("AM/PM"), Qt::CaseInsensitive)
                        || p.contains(QLatin1String("A/P"), Qt::CaseInsensitive);
    const QLocale c = QLocale::c();
    QString out;
    bool afterHour = false;
    for (int i = 0; i < p.size();) {
        const QChar ch = p.at(i);
        const QChar lc = ch.toLower();
        if (ch == QLatin1Char('\\')) {
            if (i + 1 < p.size())
                out += p.at(i + 1);
            i += 2;
            continue;
        }
        if (ch == QLatin1Char('"')) {
            const int end = p.indexOf(QLatin1Char('"'), i + 1);
            out += p.mid(i + 1, end < 0 ? -1 : end - i - 1);
            i = end < 0 ? p.size() : end + 1;
            continue;
        }
        if (p.mid(i, 5).compare(QLatin1String("AM/PM"), Qt::CaseInsensitive) == 0) {
            const QString ampm = t.hour() < 12 ? QStringLiteral("AM") : QStringLiteral("PM");
            out += p.at(i).isUpper() ? ampm : ampm.toLower();
            i += 5;
            continue;
        }
        if (p.mid(i, 3).compare(QLatin1String("A/P"), Qt::CaseInsensitive) == 0) {
            const QString ap = t.hour() < 12 ? QStringLiteral("A") : QStringLiteral("P");
            out += p.at(i).isUpper() ? ap : ap.toLower();
            i += 3;
            continue;
        }
        const int n = countRun(p, i, lc);
        if (lc == QLatin1Char('y')) {
            out += n >= 3 ? QStringLiteral("%1").arg(d.year(), 4, 10, QLatin1Char('0'))
                 : n == 2 ? two(d.year() % 100)
                          : QString::number(d.dayOfYear());
        } else if (lc == QLatin1Char('q')) {
            out += QString::number((d.month() - 1) / 3 + 1).repeated(n);
        } else if (lc == QLatin1Char('m')) {
            if (afterHour && n <= 2)
                out += n == 2 ? two(t.minute()) : QString::number(t.minute());
            else if (n == 1)
                out += QString::number(d.month());
            else if (n == 2)
                out += two(d.month());
            else if (n == 3)
                out += c.monthName(d.month(), QLocale::ShortFormat);
            else
                out += c.monthName(d.month(), QLocale::LongFormat);
        } else if (lc == QLatin1Char('d')) {
            out += n == 1 ? QString::number(d.day())
                 : n == 2 ? two(d.day())
                 : n == 3 ? c.dayName(d.dayOfWeek(), QLocale::ShortFormat)
                 : n == 4 ? c.dayName(d.dayOfWeek(), QLocale::LongFormat)
                          : plainDateText(QDateTime(d, QTime(0, 0)));
        } else if (lc == QLatin1Char('a') && n >= 3) {
            out += QString::fromUtf8(kJaWeekdays[d.dayOfWeek() - 1]);
            if (n >= 4)
                out += QStringLiteral("曜日");
        } else if (lc == QLatin1Char('h')) {
            int h = t.hour();
            if (twelve) {
                h %= 12;
                if (h == 0)
                    h = 12;
            }
            out += n >= 2 ? two(h) : QString::number(h);
        } else if (lc == QLatin1Char('n')) {
            out += n >= 2 ? two(t.minute()) : QString::number(t.minute());
        } else if (lc == QLatin1Char('s')) {
            out += n >= 2 ? two(t.second()) : QString::number(t.second());
        } else {
            out += p.mid(i, n == 0 ? 1 : n);
            i += n == 0 ? 1 : n;
            continue;
        }
        afterHour = lc == QLatin1Char('h') || (afterHour && lc != QLatin1Char('m') && !lc.isLetter());
        if (lc == QLatin1Char('h'))
            afterHour = true;
        else if (lc == QLatin1Char('m'))
            afterHour = false;
        i += n;
    }
    return out;
}

} // namespace report
