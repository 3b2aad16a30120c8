#pragma once

#include <QByteArray>
#include <QString>

namespace text {

// Windows code page 932 (Japanese), the encoding of the program's text files.
QString fromCp932(const QByteArray &bytes);
// Characters that have no CP932 form are written as "?" and clear *ok.
QByteArray toCp932(const QString &text, bool *ok = nullptr);
// True when every character of the text has a CP932 form.
bool fitsCp932(const QString &text);

} // namespace text
