#pragma once

#include <QDateTime>
#include <QString>
#include <optional>

// One condition of a saved filter as its key text holds it:
//   positions 1-17  entry stamp (day count, blank padded), only for uniqueness
//   18              condition letter (N K I S Y Z D T)
//   19-20           two digits, which picker supplied the value
//   21..first "@"   column
//   after the "@"   value (may itself hold "@")
struct SearchConditionKey {
    static constexpr int kStampWidth = 17;

    QString stamp;  // the 17 characters as read, blanks included
    QString code;   // letter and digits, e.g. "N00", "S22"
    QString column;
    QString value;

    QChar letter() const { return code.isEmpty() ? QChar() : code.at(0); }

    // nullopt when the text is too short or has no "@" at or after position 21.
    static std::optional<SearchConditionKey> parse(const QString &key);

    // The key text: stamp, code, column, "@", value.
    QString text() const;
    // The key without its stamp: code, column, "@", value.
    QString withoutStamp() const;

    // The stamp of a moment: day count since 1899/12/30 with the time as the
    // fraction, at most 15 significant digits, padded to 17 characters.
    static QString stampOf(const QDateTime &moment);
    // A full key from a stamp-less key and the moment of entry.
    static QString stamped(const QDateTime &moment, const QString &keyWithoutStamp);

    // The text the editor shows for a value of a code; for "Y00" and "Z00"
    // the two captions of the flag ("済み"/"未済み", "する"/"しない").
    static QString displayText(const QString &code, const QString &value);
    // The code the editor gives a condition of a search item's input kind
    // ("NumInput" -> "N00", "StringInput_Customer_NameKnj" -> "S22", ...);
    // empty for an input kind it does not know.
    static QString codeOf(const QString &inputKind);
    // True when a date value is a period label rather than a date pair.
    static bool isPeriodLabel(const QString &value);
};
