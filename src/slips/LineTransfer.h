#pragma once

#include <QChar>
#include <QString>
#include <QStringList>
#include <QtGlobal>

class Meisai;
class Meisais;

// The line rules of the line-transfer dialog, without its window.
namespace linetransfer {

// A row's text: the line number as two digits at least ("01", "100"),
// preceded by "*" for a line the destination already had.
QString rowText(qint32 line, bool stored = false);
// The line number a row text stands for; 0 when it holds none.
qint32 rowLine(const QString &text);
bool isStoredRow(const QString &text);

// "1,200x3(個)/至急": unit price, `times`, quantity, then the unit and the
// remark when they are there.
QString detailText(const Meisai &line, QChar times = QLatin1Char('x'));

// Copies the fields of `from` into `to`, its stored amount included: a
// carried line keeps the amount its slip's totals were made of.
void carryLine(const Meisai &from, Meisai &to);

// What the rows of a list stand for: a row of a line the destination had
// already ("*07") counts that line of `destination`, any other row the
// source line of its number; a row without its line counts nothing.
qint64 rowsAmount(const QStringList &rowTexts, const Meisais &source, const Meisais *destination);

// Takes line `index` out of the lines: the later lines move up one place and
// the last is removed; a single line is blanked instead. Throws
// std::runtime_error("整合性エラー") for a line that is not there.
void FromMeisaiRemove(Meisais &lines, qint32 index);

} // namespace linetransfer
