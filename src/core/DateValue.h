#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>

// Dates as the program keeps them: a date-time whose zero value,
// 1899/12/30 00:00:00, stands for "no date".

QDateTime zeroDate();
bool isZeroDate(const QDateTime &value);

// "yyyy/mm/dd" and "yyyy/mm/dd hh:nn:ss", "/" whatever the locale.
QString formatDate(const QDateTime &value);
QString formatDate(const QDate &value);
QString formatDateTime(const QDateTime &value);
// "yy/mm/dd" as filter files and period texts carry it.
QString formatShortDate(const QDate &value);

// Reads "yyyy/mm/dd", "yyyy/mm/dd hh:nn:ss", "yyyy/m/d" and "yy/mm/dd"
// (a two-digit year is 2000 + yy). An invalid QDateTime when it is no date.
QDateTime parseDateTime(const QString &text);

// Today's date and the current time; tests fix them.
QDate today();
QDateTime now();
void setFixedNow(const QDateTime &value); // invalid: the real clock again
