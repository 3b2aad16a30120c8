#include "mainwindow/commands/ObjectClipboardText.h"

#include "core/DateValue.h"
#include "core/Routines.h"
#include "masters/DecimalText.h"
#include "platform/text/Cp932.h"

#include <QRegularExpression>
#include <cmath>
#include <limits>

namespace clipboardtext {

namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kCrLfMark = QStringLiteral("<CRLF>");
const QString kFirstLine = QStringLiteral("Quorvex5");
const QString kKindLine = QStringLiteral("オブジェクト/");
const QString kCountLine = QStringLiteral("件数/");
const QString kTrue = QStringLiteral("True");
const QString kFalse = QStringLiteral("False");

// A whole number in the range of the given bits, blanks around it allowed.
std::optional<qint64> wholeNumber(const QString &text, qint64 min, qint64 max)
{
    static const QRegularExpression digits(QStringLiteral("^-?[0-9]{1,18}$"));
    const QString t = fnTrimBlanks(text);
    if (!digits.match(t).hasMatch())
        return std::nullopt;
    const qint64 value = t.toLongLong();
    if (value < min || value > max)
        return std::nullopt;
    return value;
}

} // namespace

RecordLines::RecordLines(qint32 number, QString &out)
    : m_out(&out), m_number(QString::number(number) + QLatin1Char('/'))
{
}

void RecordLines::item(qint32 position)
{
    m_itemPrefix = position > 0 ? QStringLiteral("明細/") + QString::number(position) + QLatin1Char('/') : QString();
}

void RecordLines::line(const QString &key, QStringView value)
{
    // Appended piece by piece: a copy of many slips writes millions of
    // lines, and a temporary text per line costs more than the line.
    QString &out = *m_out;
    out.append(m_number);
    out.append(m_itemPrefix);
    out.append(key);
    out.append(QStringView(u"//"));
    out.append(value);
    out.append(QStringView(u"\r\n"));
}

void RecordLines::text(const QString &key, const QString &value)
{
    // Ordinary texts hold no line breaks; one that came into the database
    // by another road must not start a line of its own here.
    if (!value.contains(QLatin1Char('\r')) && !value.contains(QLatin1Char('\n'))) {
        line(key, value);
        return;
    }
    QString kept = value;
    kept.remove(QLatin1Char('\r')).remove(QLatin1Char('\n'));
    line(key, kept);
}

void RecordLines::memo(const QString &key, const QString &value)
{
    if (!value.contains(kCrLf)) {
        line(key, value);
        return;
    }
    QString kept = value;
    line(key, kept.replace(kCrLf, kCrLfMark));
}

void RecordLines::whole(const QString &key, qint64 value)
{
    char16_t digits[24];
    char16_t *end = digits + 24, *p = end;
    quint64 magnitude = value < 0 ? quint64(0) - quint64(value) : quint64(value);
    do {
        *--p = char16_t(u'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude);
    if (value < 0)
        *--p = u'-';
    line(key, QStringView(p, end - p));
}

void RecordLines::number(const QString &key, double value)
{
    line(key, plainDecimalText(value));
}

void RecordLines::flag(const QString &key, bool value)
{
    line(key, value ? kTrue : kFalse);
}

void RecordLines::date(const QString &key, const QDateTime &value)
{
    line(key, formatDate(value));
}

void RecordLines::stageDate(const QString &key, const QDateTime &value)
{
    line(key, !value.isValid() || isZeroDate(value) ? QString() : formatDate(value));
}

void RecordLines::time(const QString &key, const QDateTime &value)
{
    line(key, !value.isValid() || isZeroDate(value) ? QString() : formatDateTime(value));
}

QString RecordTable::text(const QString &key) const
{
    return m_values.value(key);
}

QString RecordTable::memo(const QString &key) const
{
    return m_values.value(key).replace(kCrLfMark, kCrLf);
}

std::optional<qint64> RecordTable::whole(const QString &key, qint64 min, qint64 max)
{
    if (!m_values.contains(key))
        return 0;
    const std::optional<qint64> value = wholeNumber(m_values.value(key), min, max);
    if (!value)
        m_converted = false;
    return value;
}

qint32 RecordTable::int32(const QString &key)
{
    return qint32(whole(key, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max()).value_or(0));
}

qint16 RecordTable::int16(const QString &key)
{
    return qint16(whole(key, std::numeric_limits<qint16>::min(), std::numeric_limits<qint16>::max()).value_or(0));
}

double RecordTable::number(const QString &key)
{
    if (!m_values.contains(key))
        return 0;
    static const QRegularExpression decimal(QStringLiteral("^-?([0-9]+\\.?[0-9]*|\\.[0-9]+)([eE][-+]?[0-9]{1,3})?$"));
    const QString t = fnTrimBlanks(m_values.value(key));
    bool ok = decimal.match(t).hasMatch();
    const double value = ok ? t.toDouble(&ok) : 0;
    if (!ok || !std::isfinite(value)) {
        m_converted = false;
        return 0;
    }
    return value;
}

bool RecordTable::flag(const QString &key)
{
    if (!m_values.contains(key))
        return false;
    const QString t = fnTrimBlanks(m_values.value(key));
    if (t.compare(kTrue, Qt::CaseInsensitive) == 0)
        return true;
    if (t.compare(kFalse, Qt::CaseInsensitive) != 0)
        m_converted = false;
    return false;
}

QDateTime RecordTable::date(const QString &key)
{
    if (!m_values.contains(key))
        return zeroDate();
    const QDateTime value = parseDateTime(m_values.value(key));
    if (!value.isValid()) {
        m_converted = false;
        return zeroDate();
    }
    return value;
}

QString header(const QString &kind, qint32 count)
{
    return kFirstLine + kCrLf + kKindLine + kind + kCrLf + kCountLine + QString::number(count) + kCrLf;
}

std::optional<QList<RecordTable>> read(const QString &clipText, const QString &kind)
{
    QString text = text::toCp932Form(clipText);
    text.remove(QChar(0));
    const QStringList lines = text.split(kCrLf);
    if (lines.size() < 3 || lines.at(0) != kFirstLine || lines.at(1) != kKindLine + kind
        || !lines.at(2).startsWith(kCountLine))
        return std::nullopt;
    const std::optional<qint64> count =
        wholeNumber(lines.at(2).mid(kCountLine.size()), 0, std::numeric_limits<qint16>::max());
    if (!count)
        return std::nullopt;

    QList<RecordTable> records(*count);
    for (qsizetype i = 3; i < lines.size(); ++i) {
        const QString &line = lines.at(i);
        const qsizetype slash = line.indexOf(QLatin1Char('/'));
        if (slash < 0)
            continue;
        const std::optional<qint64> number = wholeNumber(line.left(slash), std::numeric_limits<qint16>::min(),
                                                         std::numeric_limits<qint16>::max());
        if (!number)
            return std::nullopt;
        if (*number < 1 || *number > *count)
            continue;
        const qsizetype separator = line.indexOf(QStringLiteral("//"));
        if (separator < 0)
            return std::nullopt;
        const QString key = separator > slash ? line.mid(slash + 1, separator - slash - 1) : QString();
        if (fnTrimBlanks(key).isEmpty())
            continue;
        const qsizetype index = *number - 1;
        if (records.at(index).contains(key))
            return std::nullopt;
        records[index].insert(key, line.mid(separator + 2));
    }
    for (const RecordTable &record : records)
        if (record.isEmpty())
            return std::nullopt;
    return records;
}

QString refusalMessage(const QString &kind)
{
    return QStringLiteral("クリップボードに") + kind + QStringLiteral("のコピーがないか、または、フォーマットが不正です。");
}

} // namespace clipboardtext
