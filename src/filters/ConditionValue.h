#pragma once

#include <QDate>
#include <QString>
#include <optional>
#include <utility>

// The values the condition dialogs hand to the filter editor, in the forms
// a condition key stores them. No widgets: the dialogs only show these.
namespace conditionvalue {

// A number or amount range: two whole numbers of nine digits each.
struct Range {
    enum class Check { Ok, Reversed, OutOfRange };
    Check check = Check::Ok;
    QString from; // the cleaned bounds the boxes show again
    QString to;
    QString value; // 18 characters when Ok
};

// Cleans the two typed bounds as the dialogs do on OK: an empty or
// unreadable box counts as 0, an upper bound of 0 takes the lower one, a
// fraction is rounded to a whole number. A bound below 0 or above nine
// digits is OutOfRange (the stored key has room for nine digits only); an
// upper bound below the lower one is Reversed.
Range checkRange(const QString &fromText, const QString &toText);

// The two bounds of a stored range, without leading zeros ("0" for zero);
// empty texts for an empty value.
std::pair<QString, QString> rangeBounds(const QString &value);

// A date pair "yy/mm/ddyy/mm/dd".
QString dateRange(const QDate &from, const QDate &to);
// The dates of a stored pair; nullopt when the text holds no two dates.
std::optional<std::pair<QDate, QDate>> parseDateRange(const QString &value);

// What a dialog's result store holds: the text filled up with blanks to a
// fixed width (a period label in the 16-character date store).
QString padded(const QString &text, int width);

} // namespace conditionvalue
