#pragma once

#include <QDateTime>
#include <QString>

// Output formats of report fields, in the pattern language users know from
// spreadsheet number formats:
//   numbers: "0" and "#" digit places, "." decimal point, "," thousands
//            grouping (or, right before the point, a division by 1000), "%",
//            up to three sections "positive;negative;zero";
//   dates:   yyyy yy q m mm mmm mmmm d dd ddd dddd aaa aaaa h hh n nn s ss
//            AM/PM am/pm A/P a/p ("m" right after an hour means minutes);
//   both:    "\" before a character printed as it stands, "..." quoted text;
//            any other character is printed as it stands.
// Halves round away from zero, judged on the number's 15-digit text.
namespace report {

QString formatNumber(double value, QStringView pattern);
QString formatDate(const QDateTime &value, QStringView pattern);
// The plain text of a value without a pattern: a date as yyyy/mm/dd, with
// the time "h:nn:ss" added when there is one (the time alone on the zero
// date 1899/12/30); a number in decimal digits.
QString plainDateText(const QDateTime &value);
QString plainNumberText(double value);

} // namespace report
