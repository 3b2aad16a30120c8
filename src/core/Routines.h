#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <stdexcept>

class QPlainTextEdit;
class QTextEdit;
class QWidget;

// Small stateless routines shared by windows, controls, records, filter
// compilers and print procedures. None of them shows a message.

template <typename T>
T fnIIf(bool condition, const T &whenTrue, const T &whenFalse)
{
    return condition ? whenTrue : whenFalse;
}

// Blanks are half- and full-width spaces; tabs and line breaks are no blanks.
QString fnTrimBlanks(const QString &text);
QString fnTrimTrailingBlanks(const QString &text);
// Removes every CR and LF, then blanks at both ends.
QString fnRemoveCrLf(const QString &text);
// Rounds half away from zero, judged on the value's 15-significant-digit text.
qint64 fnRoundOff(double number);
// Thousands separators on the whole part: "1234.50" -> "1,234.50".
QString fnFormatComma(const QString &text);
// The number text kept (digits, ".", "-"), or "" when it is no number or too long.
QString fnCheckNumberText(const QString &text);
QString fnCheckDigitText(const QString &text);
QString fnFilterChars(const QString &text, const QString &allowed);
QString fnBlankToZero(const QString &text);
QString fnLikeWildcard(const QString &text);
// Formats with a VB-style pattern ("#,##0", "0.00", "#,##0.##"); a trailing "." is dropped.
QString fnFormatNumber(const QString &format, double number);
QString fnDashToBlank(const QString &text);
// Lines separated by CR LF, then one empty element.
QStringList fnSplitLines(const QString &text);
bool fnIsValidFileName(const QString &name);
QDateTime fnGetNextMonthFirstDay(const QDateTime &date);

// Folder routines; errors reach the caller as FolderError.
class FolderError : public std::runtime_error {
public:
    FolderError(int number, const QString &description)
        : std::runtime_error(description.toStdString()), m_number(number), m_description(description) {}
    int number() const { return m_number; }
    const QString &description() const { return m_description; }

private:
    int m_number;
    QString m_description;
};
void CreateSubFolder(const QString &parent, const QString &name);
bool fnFolderExists(const QString &path);
void DeleteFolder(const QString &path);

bool fnIsCaretOnFirstLine(const QString &text, int caret);
bool fnIsCaretOnLastLine(const QString &text, int caret);
bool fnIsCaretOnFirstLine(const QPlainTextEdit *box);
bool fnIsCaretOnLastLine(const QPlainTextEdit *box);

int fnBoolToCheck(bool flag);
bool fnCheckToBool(int value);

// Turns the input method on for the focused control. The conversion mode
// (hiragana) is the user's to choose on this platform. No pending event
// runs, so keys typed ahead wait for the control that has the focus when
// their turn comes.
void ImeHiraganaOn();
// The same for the given control.
void ImeHiraganaOn(QWidget *box);
