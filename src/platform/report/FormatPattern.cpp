#include "platform/report/FormatPattern.h"

#include <QLocale>
#include <QStringList>
#include <QVarLengthArray>
#include <cmath>
#include <iterator>
#include <string>
#include <string_view>
#include <unordered_map>

namespace report {

namespace {

// A short text built in place and made one QString of its exact size at the
// end: a report keeps the text of every field it prints.
class TextBuilder {
public:
    TextBuilder &operator+=(QChar c)
    {
        m_text.append(c.unicode());
        return *this;
    }
    TextBuilder &operator+=(QStringView text)
    {
        m_text.append(text.utf16(), text.size());
        return *this;
    }
    // n in at least `width` digits, zeros in front: the small numbers of
    // dates and times are written digit by digit.
    void addNumber(int n, int width)
    {
        if (n < 0 || n >= 10000 || width > 4) {
            *this += QStringLiteral("%1").arg(n, width, 10, QLatin1Char('0'));
            return;
        }
        for (int div = 1000, place = 4; place > 0; div /= 10, --place)
            if (place <= width || n >= div)
                m_text.append(char16_t(u'0' + n / div % 10));
    }
    QString take() const
    {
        return m_text.isEmpty() ? QString() : QString(reinterpret_cast<const QChar *>(m_text.constData()), m_text.size());
    }

private:
    QVarLengthArray<char16_t, 64> m_text;
};

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

bool isDigitTok(Tok k)
{
    return k == Tok::Zero || k == Tok::Hash;
}

// One number section read once: its tokens and what they ask for.
struct NumSection {
    bool blank = true; // the section's text is empty
    QVector<NumToken> tokens;
    int point = -1;   // the decimal point's token, or -1
    int intEnd = 0;   // the tokens of the integer part end here
    int firstInt = -1, lastInt = -1;
    bool grouping = false;
    int scale = 0;    // divisions by 1000
    int percent = 0;  // multiplications by 100
    int fracPlaces = 0, fracMin = 0, intMin = 0;
};

NumSection compileSection(const QString &section)
{
    NumSection s;
    s.blank = section.isEmpty();
    s.tokens = numberTokens(section);
    const QVector<NumToken> &tokens = s.tokens;
    for (int i = 0; i < tokens.size(); ++i)
        if (tokens[i].kind == Tok::Point) {
            s.point = i;
            break;
        }
    s.intEnd = s.point < 0 ? tokens.size() : s.point;
    for (int i = 0; i < s.intEnd; ++i)
        if (isDigitTok(tokens[i].kind)) {
            if (s.firstInt < 0)
                s.firstInt = i;
            s.lastInt = i;
        }

    // Commas right after the last integer place divide by 1000 each; a comma
    // between integer places asks for grouping.
    for (int i = 0; i < s.intEnd; ++i) {
        if (tokens[i].kind != Tok::Comma)
            continue;
        if (s.firstInt >= 0 && i > s.firstInt && i < s.lastInt)
            s.grouping = true;
        else if (s.lastInt >= 0 && i > s.lastInt)
            ++s.scale;
    }
    for (const NumToken &t : tokens)
        if (t.kind == Tok::Percent)
            ++s.percent;
    if (s.point >= 0)
        for (int i = s.point + 1; i < tokens.size(); ++i)
            if (isDigitTok(tokens[i].kind)) {
                ++s.fracPlaces;
                if (tokens[i].kind == Tok::Zero)
                    s.fracMin = s.fracPlaces;
            }
    for (int i = 0; i < s.intEnd; ++i)
        if (isDigitTok(tokens[i].kind) && (s.intMin > 0 || tokens[i].kind == Tok::Zero))
            ++s.intMin;
    return s;
}

// A pattern cut into its sections, each read as a number section.
struct Pattern {
    QStringList texts;
    QVector<NumSection> numbers;
};

struct ViewHash {
    using is_transparent = void;
    size_t operator()(std::u16string_view s) const { return std::hash<std::u16string_view>{}(s); }
};

// A report formats every field of every row through a handful of patterns:
// each is read once. The cache starts over when it holds more patterns than
// any print form uses.
const Pattern &compiledPattern(QStringView text)
{
    thread_local std::unordered_map<std::u16string, Pattern, ViewHash, std::equal_to<>> cache;
    const std::u16string_view key(text.utf16(), size_t(text.size()));
    const auto it = cache.find(key);
    if (it != cache.end())
        return it->second;
    if (cache.size() >= 256)
        cache.clear();
    Pattern p;
    p.texts = splitSections(text.toString());
    for (const QString &section : std::as_const(p.texts))
        p.numbers.append(compileSection(section));
    return cache.emplace(std::u16string(key), std::move(p)).first->second;
}

QString formatSection(double value, const NumSection &s, bool withMinus)
{
    const QVector<NumToken> &tokens = s.tokens;
    const int intEnd = s.intEnd, firstInt = s.firstInt, lastInt = s.lastInt, point = s.point;
    const bool grouping = s.grouping;

    double v = std::fabs(value);
    for (int i = 0; i < s.percent; ++i)
        v *= 100.0;
    for (int i = 0; i < s.scale; ++i)
        v /= 1000.0;

    QString whole, fraction;
    char16_t wholeDigits[20];
    if (v < 1e15 && v == std::floor(v)) {
        // A whole number of at most 15 digits is its own 15-digit text: its
        // digits come straight from the integer, into this frame's buffer.
        char16_t *const end = wholeDigits + std::size(wholeDigits);
        char16_t *first = end;
        for (qint64 n = qint64(v); n > 0; n /= 10)
            *--first = char16_t(u'0' + n % 10);
        whole = QString::fromRawData(reinterpret_cast<const QChar *>(first), end - first);
    } else {
        decimalDigits(v, whole, fraction);
    }
    roundDigits(whole, fraction, s.fracPlaces);
    while (fraction.size() > s.fracMin && fraction.endsWith(QLatin1Char('0')))
        fraction.chop(1);

    if (whole.size() < s.intMin)
        whole = QString(s.intMin - whole.size(), QLatin1Char('0')) + whole;

    // Integer part: digits placed from the right; digits beyond the places
    // go where the first place is.
    int places = 0;
    for (int i = firstInt; i >= 0 && i <= lastInt; ++i)
        if (isDigitTok(tokens[i].kind))
            ++places;
    const bool isZero = whole.isEmpty() || whole.count(QLatin1Char('0')) == whole.size();
    const bool fracZero = fraction.count(QLatin1Char('0')) == fraction.size();
    TextBuilder out;
    if (withMinus && value < 0 && !(isZero && fracZero))
        out += QLatin1Char('-');
    int place = 0;
    for (int i = 0; i < intEnd; ++i) {
        const NumToken &t = tokens[i];
        if (t.kind == Tok::Literal) {
            if (!grouping || i < firstInt || i > lastInt)
                out += t.text;
        } else if (t.kind == Tok::Percent) {
            out += QLatin1Char('%');
        } else if (isDigitTok(t.kind)) {
            if (grouping) {
                if (i == firstInt)
                    for (qsizetype d = 0; d < whole.size(); ++d) {
                        if (d > 0 && (whole.size() - d) % 3 == 0)
                            out += QLatin1Char(',');
                        out += whole.at(d);
                    }
                continue;
            }
            // Place `place` from the left takes the digit at `at`; the first
            // place also takes every digit before it.
            const qsizetype at = whole.size() - places + place;
            if (place == 0)
                out += QStringView(whole).left(qMax<qsizetype>(0, at + 1));
            else if (at >= 0)
                out += whole.at(at);
            ++place;
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
    return out.take();
}

// --- dates ------------------------------------------------------------------

const char *const kJaWeekdays[] = {"月", "火", "水", "木", "金", "土", "日"};

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
    TextBuilder out;
    if (d != QDate(1899, 12, 30)) {
        out.addNumber(d.year(), 4);
        out += QLatin1Char('/');
        out.addNumber(d.month(), 2);
        out += QLatin1Char('/');
        out.addNumber(d.day(), 2);
        if (t == QTime(0, 0))
            return out.take();
        out += QLatin1Char(' ');
    }
    out.addNumber(t.hour(), 1);
    out += QLatin1Char(':');
    out.addNumber(t.minute(), 2);
    out += QLatin1Char(':');
    out.addNumber(t.second(), 2);
    return out.take();
}

QString formatNumber(double value, QStringView pattern)
{
    if (pattern.isEmpty())
        return plainNumberText(value);
    const QVector<NumSection> &sections = compiledPattern(pattern).numbers;
    if (value < 0 && sections.size() >= 2 && !sections[1].blank)
        return formatSection(value, sections[1], false);
    if (value == 0 && sections.size() >= 3 && !sections[2].blank)
        return formatSection(value, sections[2], false);
    return formatSection(value, sections[0], true);
}

QString formatDate(const QDateTime &value, QStringView pattern)
{
    if (pattern.isEmpty())
        return plainDateText(value);
    const QDate d = value.date();
    const QTime t = value.time();
    const QString &p = compiledPattern(pattern).texts.first();
    const bool twelve = p.contains(QLatin1String("AM/PM"), Qt::CaseInsensitive)
                        || p.contains(QLatin1String("A/P"), Qt::CaseInsensitive);
    const QLocale c = QLocale::c();
    TextBuilder out;
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
        if (QStringView(p).mid(i, 5).compare(QLatin1String("AM/PM"), Qt::CaseInsensitive) == 0) {
            const QString ampm = t.hour() < 12 ? QStringLiteral("AM") : QStringLiteral("PM");
            out += p.at(i).isUpper() ? ampm : ampm.toLower();
            i += 5;
            continue;
        }
        if (QStringView(p).mid(i, 3).compare(QLatin1String("A/P"), Qt::CaseInsensitive) == 0) {
            const QString ap = t.hour() < 12 ? QStringLiteral("A") : QStringLiteral("P");
            out += p.at(i).isUpper() ? ap : ap.toLower();
            i += 3;
            continue;
        }
        const int n = countRun(p, i, lc);
        if (lc == QLatin1Char('y')) {
            if (n >= 3)
                out.addNumber(d.year(), 4);
            else if (n == 2)
                out.addNumber(d.year() % 100, 2);
            else
                out.addNumber(d.dayOfYear(), 1);
        } else if (lc == QLatin1Char('q')) {
            out += QString::number((d.month() - 1) / 3 + 1).repeated(n);
        } else if (lc == QLatin1Char('m')) {
            if (afterHour && n <= 2)
                out.addNumber(t.minute(), n);
            else if (n <= 2)
                out.addNumber(d.month(), n);
            else if (n == 3)
                out += c.monthName(d.month(), QLocale::ShortFormat);
            else
                out += c.monthName(d.month(), QLocale::LongFormat);
        } else if (lc == QLatin1Char('d')) {
            if (n <= 2)
                out.addNumber(d.day(), n);
            else
                out += n == 3   ? c.dayName(d.dayOfWeek(), QLocale::ShortFormat)
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
            out.addNumber(h, qMin(n, 2));
        } else if (lc == QLatin1Char('n')) {
            out.addNumber(t.minute(), qMin(n, 2));
        } else if (lc == QLatin1Char('s')) {
            out.addNumber(t.second(), qMin(n, 2));
        } else {
            out += QStringView(p).mid(i, n == 0 ? 1 : n);
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
    return out.take();
}

} // namespace report
