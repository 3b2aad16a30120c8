#include "model/RecordFields.h"

#include "core/DateValue.h"
#include "platform/db/DbError.h"
#include "platform/db/Statement.h"

#include <limits>
#include <sqlite3.h>

namespace recordfields {
namespace {

[[noreturn]] void notFitting(const db::Statement &st, int column, const QString &what)
{
    throw db::DbError(SQLITE_MISMATCH,
                      QStringLiteral("列 %1 の値が%2").arg(st.columnName(column), what));
}

[[noreturn]] void notPresent(const db::Statement &st, int column)
{
    notFitting(st, column, QStringLiteral("ありません (Null)。"));
}

void requirePresent(const db::Statement &st, int column)
{
    if (st.isNull(column))
        notPresent(st, column);
}

// The whole number of a column that must not be Null.
qint64 presentInt(const db::Statement &st, int column)
{
    qint64 v = 0;
    if (!st.int64IfPresent(column, v))
        notPresent(st, column);
    return v;
}

template <typename Int>
Int checkedInt(const db::Statement &st, int column)
{
    const qint64 v = presentInt(st, column);
    if (v < std::numeric_limits<Int>::min() || v > std::numeric_limits<Int>::max())
        notFitting(st, column, QStringLiteral("範囲外です (%1)。").arg(v));
    return Int(v);
}

int twoDigits(const QChar *p)
{
    const int a = p[0].unicode() - '0';
    const int b = p[1].unicode() - '0';
    if (a < 0 || a > 9 || b < 0 || b > 9)
        return -1;
    return a * 10 + b;
}

} // namespace

void bindTextOrNull(db::Statement &st, int index, const QString &text)
{
    if (text.isEmpty())
        st.bindNull(index);
    else
        st.bindText(index, text);
}

void bindDate(db::Statement &st, int index, const QDateTime &value)
{
    st.bindText(index, formatDate(value));
}

void bindDateTime(db::Statement &st, int index, const QDateTime &value)
{
    if (formatDate(value) == formatDate(zeroDate()))
        st.bindNull(index);
    else
        st.bindText(index, formatDateTime(value));
}

QString whereClause(const QString &condition)
{
    const QString trimmed = condition.trimmed();
    return trimmed.isEmpty() ? QString() : QStringLiteral(" WHERE ") + trimmed;
}

bool isBlank(const db::Statement &st, int column)
{
    // The engine's bytes: no text is built to be thrown away.
    return st.isNull(column) || st.utf8(column).isEmpty();
}

qint32 int32(const db::Statement &st, int column)
{
    return checkedInt<qint32>(st, column);
}

qint16 int16(const db::Statement &st, int column)
{
    return checkedInt<qint16>(st, column);
}

double real(const db::Statement &st, int column)
{
    requirePresent(st, column);
    return st.real(column);
}

bool flag(const db::Statement &st, int column)
{
    return presentInt(st, column) != 0;
}

QDateTime date(const db::Statement &st, int column)
{
    const QString text = st.text(column);
    const QDateTime value = parseStoredDate(text);
    if (!value.isValid())
        notFitting(st, column, QStringLiteral("日付ではありません (%1)。").arg(text));
    return value;
}

QDateTime parseStoredDate(const QString &text)
{
    // The two forms this program writes are read without the general parser;
    // a listing reads several dates per row.
    const QChar *p = text.constData();
    if ((text.size() == 10 || text.size() == 19) && p[4] == QLatin1Char('/')
        && p[7] == QLatin1Char('/')) {
        const int c = twoDigits(p), y = twoDigits(p + 2), m = twoDigits(p + 5), d = twoDigits(p + 8);
        if (c >= 0 && y >= 0 && m >= 0 && d >= 0) {
            const QDate day(c * 100 + y, m, d);
            if (text.size() == 10)
                return day.isValid() ? localDateTime(day, QTime(0, 0)) : QDateTime();
            if (p[10] == QLatin1Char(' ') && p[13] == QLatin1Char(':') && p[16] == QLatin1Char(':')) {
                const QTime time(twoDigits(p + 11), twoDigits(p + 14), twoDigits(p + 17));
                return day.isValid() && time.isValid() ? localDateTime(day, time) : QDateTime();
            }
        }
    }
    return parseDateTime(text);
}

int digits(const char *p, int n)
{
    int v = 0;
    for (int i = 0; i < n; ++i) {
        if (p[i] < '0' || p[i] > '9')
            return -1;
        v = v * 10 + (p[i] - '0');
    }
    return v;
}

namespace {
std::string_view view(QByteArrayView bytes)
{
    return std::string_view(bytes.data(), size_t(bytes.size()));
}
} // namespace

QString SharedTexts::get(QByteArrayView utf8)
{
    const auto it = m_texts.find(view(utf8));
    if (it != m_texts.end())
        return it->second;
    QString text = QString::fromUtf8(utf8);
    // Past this many distinct texts the column does not repeat enough.
    if (m_texts.size() < 8192)
        m_texts.emplace(std::string(view(utf8)), text);
    return text;
}

QDateTime DateReader::read(const db::Statement &st, int column, QByteArrayView bytes)
{
    if ((bytes.size() == 10 || bytes.size() == 19) && bytes[4] == '/' && bytes[7] == '/') {
        const Day &day = this->day(bytes.first(10));
        if (bytes.size() == 10 && day.valid)
            return day.midnight;
        if (bytes.size() == 19 && day.steady && bytes[10] == ' ' && bytes[13] == ':' && bytes[16] == ':') {
            const int h = digits(bytes.data() + 11, 2), m = digits(bytes.data() + 14, 2),
                      s = digits(bytes.data() + 17, 2);
            if (QTime::isValid(h, m, s))
                return QDateTime::fromMSecsSinceEpoch(day.epochMSecs + (h * 3600 + m * 60 + s) * 1000LL);
        }
    }
    return date(st, column);
}

const DateReader::Day &DateReader::day(QByteArrayView text)
{
    const int y = digits(text.data(), 4), m = digits(text.data() + 5, 2), dd = digits(text.data() + 8, 2);
    if (y < 0 || m < 0 || dd < 0) {
        static const Day none;
        return none;
    }
    const int key = y * 10000 + m * 100 + dd;
    const auto it = m_days.find(key);
    if (it != m_days.end())
        return it->second;
    Day d;
    const QDate date(y, m, dd);
    if (date.isValid()) {
        d.midnight = localDateTime(date, QTime(0, 0));
        d.valid = d.midnight.isValid();
        const QDateTime next(date.addDays(1), QTime(0, 0));
        d.steady = d.valid && d.midnight.time() == QTime(0, 0) && next.isValid()
                   && next.offsetFromUtc() == d.midnight.offsetFromUtc() && d.midnight.secsTo(next) == 86400;
        d.epochMSecs = d.midnight.toMSecsSinceEpoch();
    }
    return m_days.emplace(key, d).first->second;
}

} // namespace recordfields
