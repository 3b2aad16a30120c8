#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>

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

// The local date-time of a day and a time of day. A time the clock skips
// (a daylight-saving change, at midnight in some zones) gives the moment the
// clock shows after the change, so that a stored day always reads back.
QDateTime localDateTime(const QDate &day, const QTime &time);

// Reads "yyyy/mm/dd", "yyyy/mm/dd hh:nn:ss", "yyyy/m/d" and "yy/mm/dd"
// (a two-digit year is 2000 + yy). An invalid QDateTime when it is no date.
QDateTime parseDateTime(const QString &text);

// The months ("yyyy/MM") a delivery-month choice offers on a given day:
// from the month of 1000 days before it up to the first month that starts
// on or after the day a year (365 days) ahead, oldest first.
QStringList deliveryMonths(const QDate &day);

// Today's date and the current time; tests fix them.
QDate today();
QDateTime now();
void setFixedNow(const QDateTime &value); // invalid: the real clock again
