#pragma once

#include <QByteArrayView>
#include <QDateTime>
#include <QString>

#include <string>
#include <string_view>
#include <unordered_map>

namespace db {
class Statement;
}

// Reading and writing the column encodings shared by the record and list
// classes: empty text as Null, flags as 1/0, dates as text. Every reader
// throws db::DbError naming the column when the stored value does not fit.
namespace recordfields {

// Binds the text, or Null when it is empty.
void bindTextOrNull(db::Statement &st, int index, const QString &text);
// Binds "yyyy/mm/dd".
void bindDate(db::Statement &st, int index, const QDateTime &value);
// Binds "yyyy/mm/dd hh:nn:ss", or Null when the day is the zero date's.
void bindDateTime(db::Statement &st, int index, const QDateTime &value);

// " WHERE " and the condition without surrounding blanks, or "" when the
// condition is empty or blanks only (a bare WHERE the engine would reject).
QString whereClause(const QString &condition);

// True when the column is Null or the empty text.
bool isBlank(const db::Statement &st, int column);
// Whole numbers that must be present and fit 32 or 16 bits.
qint32 int32(const db::Statement &st, int column);
qint16 int16(const db::Statement &st, int column);
// A number that must be present.
double real(const db::Statement &st, int column);
// A flag that must be present: true when not 0.
bool flag(const db::Statement &st, int column);
// A date or date-time text ("yyyy/mm/dd", "yyyy/mm/dd hh:nn:ss"); the
// column must not be blank.
QDateTime date(const db::Statement &st, int column);

// The text as a date; an invalid QDateTime when it is none.
QDateTime parseStoredDate(const QString &text);
// The number that the n ASCII digits at p spell, or -1 when one is not a
// digit: for reading stored dates straight from the engine's bytes.
int digits(const char *p, int n);

struct BytesHash {
    using is_transparent = void;
    size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
};
template <typename Value>
using BytesMap = std::unordered_map<std::string, Value, BytesHash, std::equal_to<>>;

// Texts that repeat over the rows of a run of reads (a customer's name on
// each of its slips) are converted once and shared by the rows.
class SharedTexts {
public:
    // The engine's UTF-8 bytes as text.
    QString get(QByteArrayView utf8);

private:
    BytesMap<QString> m_texts;
};

// The dates of a run of reads as date() reads them. The two forms this
// program writes are parsed from the engine's bytes; each day is built as a
// local date-time once, and a time of day on a day without a clock change is
// counted from that day's midnight. Anything else takes date(), which also
// names the column of a value that is no date.
class DateReader {
public:
    // The date of a column that is not blank, whose bytes are `bytes`.
    QDateTime read(const db::Statement &st, int column, QByteArrayView bytes);

private:
    struct Day {
        bool valid = false;  // the day exists
        bool steady = false; // its clock starts at 00:00 and keeps one offset all day
        QDateTime midnight;  // the day as a date: its first moment
        qint64 epochMSecs = 0;
    };
    const Day &day(QByteArrayView text);

    // By the day's number yyyymmdd: hashing a number is a fraction of
    // hashing the text, and a listing looks a day up several times a row.
    std::unordered_map<int, Day> m_days;
};

} // namespace recordfields
