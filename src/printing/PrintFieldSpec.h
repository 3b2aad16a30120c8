#pragma once

#include <QString>

// The text of a print-form field that links it to the report's data:
// "ページ番号", "ページ数", "P_", "F_" or "L_" and a page item, a slot number,
// "_" and a detail item; an item beginning with "@" is printed as it stands.
struct PrintFieldSpec {
    enum class Kind { None, PageNumber, PageCount, Page, FirstPage, LastPage, Detail };

    Kind kind = Kind::None;
    QString prefix;      // the part before the first "_"
    QString item;        // the part between the first and second "_"
    bool numeric = false; // the prefix is a number
    double number = 0;   // its value
    int slot = 0;        // Detail: the value rounded, 1 to 32767

    // The text with blanks at both ends removed, cut at "_".
    static PrintFieldSpec parse(const QString &text);

    bool isLiteral() const { return item.startsWith(QLatin1Char('@')); }
    QString literalText() const { return item.mid(1); }
};

// Numeric text: blanks around, an optional sign, digits with an optional
// point and exponent.
bool fnParseNumeric(const QString &text, double &value);
