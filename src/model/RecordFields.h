#pragma once

#include <QDateTime>
#include <QString>

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

} // namespace recordfields
