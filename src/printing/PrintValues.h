#pragma once

#include <QDateTime>
#include <QString>
#include <QVariant>

class clsReportPrint;

// The small value rules every print procedure shares. Money is whole yen
// in 64-bit integers; a value reaches the report with the type its field
// formats it by (text, qint16, int, ReportCurrency, double or QDateTime).

// "1234567" -> "123-4567"; a code that leaves only the dash prints empty.
QString fnPostNumberText(const QString &postNumber);

// A date as a report value; the zero date (a stage that is not set, a
// cleared record) is the empty text, so that it prints nothing.
QVariant fnReportDate(const QDateTime &value);

QVariant fnReportCurrency(qint64 yen);

// Characters 1 to 25 and 26 to 50 of a product name.
QString fnNameHead(const QString &name);
QString fnNameTail(const QString &name);

// value x mul / div rounded to whole yen, halves away from zero, without
// overflow or a division by zero (0 then).
qint64 fnRoundRatio(qint64 value, qint64 mul, qint64 div);

// The consumption tax rate in whole percent ("ShouhizeiRitsu"; 0 when the
// key is missing). Throws db::DbError.
qint32 fnShouhizeiRitsu();

// Where an item goes: a page item, or a detail item of the row started last.
enum class ReportPart { Page, Detail };
void SetReportData(clsReportPrint &report, ReportPart part, const QString &name, const QVariant &value);

// "メモ１行目" to "メモ６行目" (with a name prefix such as "先頭伝票/"): the
// memo trimmed, cut at CR LF, its first six lines; missing lines are empty.
void SetMemoLines(clsReportPrint &report, ReportPart part, const QString &memo,
                  const QString &namePrefix = QString());

// The per-line taxes of an amount at a rate: the tax added on top, and the
// tax held within the amount.
struct LineTax {
    qint64 soto = 0; // round(amount x rate / 100)
    qint64 uchi = 0; // round(amount x rate / (rate + 100))
};
LineTax fnLineTax(qint64 amount, qint32 rate);
