#pragma once

#include <QByteArray>
#include <QString>

namespace text {

// Windows code page 932 (Japanese), the encoding of the program's text files.
QString fromCp932(const QByteArray &bytes);
// Characters that have no CP932 form are written as "?" and clear *ok.
QByteArray toCp932(const QString &text, bool *ok = nullptr);
// As toCp932, and tells how many characters were written as "?".
QByteArray toCp932Replacing(const QString &text, qsizetype *replaced);
// As toCp932Replacing, for a text already in UTF-8; a byte sequence that is
// no UTF-8 character is written as "?" and counted too.
QByteArray utf8ToCp932Replacing(const QByteArray &utf8, qsizetype *replaced);
// True when every character of the text has a CP932 form.
bool fitsCp932(const QString &text);

// The character as a CP932 file gives it back: characters that CP932 keeps
// only as another character (〜 U+301C as ～ U+FF5E, ‖ as ∥, − as －, — as
// ―, ¢ £ ¬ as ￠ ￡ ￢, ...) become that character; every other character,
// and every character without a CP932 form, stays as it is. Text that enters
// the program is put in this form, so what is typed, stored, saved in a file
// and read back compares equal.
QChar toCp932Form(QChar c);
QString toCp932Form(const QString &text);

} // namespace text
