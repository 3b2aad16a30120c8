#include "core/Routines.h"
#include "platform/report/FormatPattern.h"
#include "platform/text/FileFailure.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QInputMethod>
#include <QPlainTextEdit>
#include <QWidget>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <limits>

namespace {

const QChar kFullWidthSpace(0x3000);

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == kFullWidthSpace;
}

// The magnitude of a value as plain decimal digits, rounded to 15
// significant digits first: a product a hair below a half is judged as the
// half it was meant to be.
struct DecimalText {
    QByteArray whole;    // no leading zeros; empty for 0
    QByteArray fraction; // no trailing zeros
};

DecimalText withoutOuterZeros(DecimalText d)
{
    while (d.whole.startsWith('0'))
        d.whole.remove(0, 1);
    while (d.fraction.endsWith('0'))
        d.fraction.chop(1);
    return d;
}

DecimalText decimalText(double value)
{
    DecimalText d;
    value = std::fabs(value);
    if (!std::isfinite(value) || value == 0.0)
        return d;
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.14e", value);
    // buf: "d.dddddddddddddde[+-]xx"
    QByteArray digits;
    const char *p = buf;
    for (; *p && *p != 'e'; ++p) {
        if (*p >= '0' && *p <= '9')
            digits += *p;
    }
    const int exponent = *p == 'e' ? std::atoi(p + 1) : 0;
    // digits stand for 0.ddd... * 10^(exponent + 1)
    const int pointAt = exponent + 1;
    if (pointAt <= 0) {
        d.fraction = QByteArray(-pointAt, '0') + digits;
    } else if (pointAt >= digits.size()) {
        d.whole = digits + QByteArray(pointAt - digits.size(), '0');
    } else {
        d.whole = digits.left(pointAt);
        d.fraction = digits.mid(pointAt);
    }
    return withoutOuterZeros(d);
}

// Adds one to a string of decimal digits.
QByteArray incremented(QByteArray digits)
{
    for (qsizetype i = digits.size() - 1; i >= 0; --i) {
        if (digits[i] == '9') {
            digits[i] = '0';
        } else {
            digits[i] = char(digits[i] + 1);
            return digits;
        }
    }
    return '1' + digits;
}

// Rounds to `places` decimals, halves away from zero.
DecimalText roundedTo(DecimalText d, int places)
{
    if (d.fraction.size() <= places)
        return d;
    const bool up = d.fraction.at(places) >= '5';
    d.fraction.truncate(places);
    if (up) {
        QByteArray all = incremented(d.whole + d.fraction);
        d.whole = all.left(all.size() - places);
        d.fraction = all.right(places);
    }
    return withoutOuterZeros(d);
}

QString grouped(const QString &digits)
{
    QString out;
    const qsizetype n = digits.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out += QLatin1Char(',');
        out += digits.at(i);
    }
    return out;
}

// The CR LF form of a plain-text box's content and the caret in it: the box
// keeps its lines apart by LF alone.
QString crLfText(const QPlainTextEdit *box, int *caret)
{
    const QString plain = box->toPlainText();
    const int position = box->textCursor().selectionStart();
    *caret = position + int(plain.left(position).count(QLatin1Char('\n')));
    QString text = plain;
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return text;
}

} // namespace

QString fnTrimBlanks(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text.at(begin)))
        ++begin;
    while (end > begin && isBlank(text.at(end - 1)))
        --end;
    return text.mid(begin, end - begin);
}

QString fnTrimTrailingBlanks(const QString &text)
{
    qsizetype end = text.size();
    while (end > 0 && isBlank(text.at(end - 1)))
        --end;
    return text.left(end);
}

QString fnRemoveCrLf(const QString &text)
{
    QString out = text;
    out.remove(QLatin1Char('\r'));
    out.remove(QLatin1Char('\n'));
    return fnTrimBlanks(out);
}

qint64 fnRoundOff(double number)
{
    if (std::isnan(number))
        return 0;
    const qint64 sign = number > 0 ? 1 : -1;
    const DecimalText d = roundedTo(decimalText(number), 0);
    if (d.whole.size() > 18)
        return sign > 0 ? std::numeric_limits<qint64>::max() : std::numeric_limits<qint64>::min();
    return sign * (d.whole.isEmpty() ? 0 : d.whole.toLongLong());
}

QString fnFormatComma(const QString &text)
{
    if (text.isEmpty())
        return text;
    const QStringList parts = text.split(QLatin1Char('.'));
    const QString wholePart = parts.at(0);
    QString formatted = wholePart;

    const QString trimmed = wholePart.trimmed();
    QString digits = trimmed;
    bool negative = false;
    if (digits.startsWith(QLatin1Char('-')) || digits.startsWith(QLatin1Char('+'))) {
        negative = digits.startsWith(QLatin1Char('-'));
        digits.remove(0, 1);
    }
    bool allDigits = !digits.isEmpty();
    for (QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
            allDigits = false;
            break;
        }
    }
    if (allDigits) {
        // Digit by digit, so that long whole parts lose no precision.
        while (digits.size() > 1 && digits.startsWith(QLatin1Char('0')))
            digits.remove(0, 1);
        formatted = grouped(digits);
        // "-0" keeps its sign so that "-0.5" still reads as negative.
        if (negative)
            formatted.prepend(QLatin1Char('-'));
    } else {
        QString plain = trimmed;
        plain.remove(QLatin1Char(','));
        bool ok = false;
        const double value = plain.toDouble(&ok);
        if (ok && !plain.isEmpty())
            formatted = fnFormatNumber(QStringLiteral("#,##0"), value);
    }

    if (parts.size() > 1 && !parts.at(1).isEmpty())
        return formatted + QLatin1Char('.') + parts.at(1);
    return formatted;
}

QString fnFilterChars(const QString &text, const QString &allowed)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        if (allowed.contains(c))
            out += c;
    }
    return out;
}

QString fnCheckNumberText(const QString &text)
{
    const QString kept = fnFilterChars(text, QStringLiteral("0123456789.-"));
    // The limits count digits: a minus sign before or after them is none.
    const QStringList parts = kept.split(QLatin1Char('.'));
    if (parts.at(0).size() - parts.at(0).count(QLatin1Char('-')) > 12)
        return QString();
    if (parts.size() > 1 && parts.at(1).size() - parts.at(1).count(QLatin1Char('-')) > 3)
        return QString();

    // A number: digits with at most one point, and at most one minus sign at
    // its start or its end.
    QString body = kept;
    if (body.startsWith(QLatin1Char('-')))
        body.remove(0, 1);
    else if (body.endsWith(QLatin1Char('-')))
        body.chop(1);
    if (body.contains(QLatin1Char('-')) || body.count(QLatin1Char('.')) > 1)
        return QString();
    bool digit = false;
    for (QChar c : body) {
        if (c.isDigit())
            digit = true;
    }
    return digit ? kept : QString();
}

QString fnCheckDigitText(const QString &text)
{
    return fnFilterChars(text, QStringLiteral("0123456789"));
}

QString fnBlankToZero(const QString &text)
{
    return fnTrimBlanks(text).isEmpty() ? QStringLiteral("0") : text;
}

QString fnLikeWildcard(const QString &text)
{
    return text.left(text.size() - 1) + QLatin1Char('%');
}

QString fnFormatNumber(const QString &format, double number)
{
    QString out = report::formatNumber(number, format);
    if (out.endsWith(QLatin1Char('.')))
        out.chop(1);
    return out;
}

QString fnDashToBlank(const QString &text)
{
    return fnTrimBlanks(text) == QLatin1String("-") ? QString() : text;
}

QStringList fnSplitLines(const QString &text)
{
    const QString trimmed = fnTrimBlanks(text);
    if (trimmed.isEmpty())
        return QStringList{QString()};
    QStringList lines = trimmed.split(QLatin1String("\r\n"));
    lines.append(QString());
    return lines;
}

bool fnIsValidFileName(const QString &name)
{
    // "." and ".." name folders, not files: a file named after them would
    // be hidden, and the filter folders refuse such names outright.
    if (name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    static const QString forbidden = QStringLiteral("\\/:*?<>|");
    for (QChar c : name) {
        if (forbidden.contains(c) || c.isNull())
            return false;
    }
    return true;
}

QDateTime fnGetNextMonthFirstDay(const QDateTime &date)
{
    const QDate first(date.date().year(), date.date().month(), 1);
    const QDate next = first.addDays(31);
    return QDateTime(QDate(next.year(), next.month(), 1), date.time());
}

namespace {
// The object-error base of the original component model, plus 1000.
constexpr int kSystemErrorNumber = -2147221504 + 1000;
constexpr int kPathNotFound = 76;
constexpr int kPermissionDenied = 70;
} // namespace

void CreateSubFolder(const QString &parent, const QString &name)
{
    if (!QFileInfo(parent).isDir())
        throw FolderError(kSystemErrorNumber, QStringLiteral("システムエラー"));
    QDir dir(parent);
    if (dir.exists(name) && QFileInfo(dir.filePath(name)).isDir())
        return;
    errno = 0;
    if (!dir.mkdir(name))
        throw FolderError(kPermissionDenied, QStringLiteral("フォルダー(%1)を作成できません。").arg(dir.filePath(name))
                                                 + text::failureReason(errno));
}

bool fnFolderExists(const QString &path)
{
    return !path.isEmpty() && QFileInfo(path).isDir();
}

void DeleteFolder(const QString &path)
{
    QFileInfo info(path);
    if (path.isEmpty() || !info.isDir())
        throw FolderError(kPathNotFound, QStringLiteral("パスが見つかりません。"));
    QDir dir(path);
    // Files first, deepest folders last; a file that will not go stops the
    // deletion with its name.
    QDirIterator it(path, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    QStringList folders;
    while (it.hasNext()) {
        it.next();
        const QFileInfo entry = it.fileInfo();
        if (entry.isDir() && !entry.isSymLink()) {
            folders.prepend(entry.absoluteFilePath());
        } else if (!QFile::remove(entry.absoluteFilePath())) {
            throw FolderError(kPermissionDenied, QStringLiteral("書き込みできません。(%1)").arg(entry.absoluteFilePath())
                                                     + text::failureReason(errno));
        }
    }
    std::sort(folders.begin(), folders.end(),
              [](const QString &a, const QString &b) { return a.size() > b.size(); });
    for (const QString &folder : folders) {
        if (!QDir().rmdir(folder))
            throw FolderError(kPermissionDenied,
                              QStringLiteral("書き込みできません。(%1)").arg(folder) + text::failureReason(errno));
    }
    if (!QDir().rmdir(dir.absolutePath()))
        throw FolderError(kPermissionDenied, QStringLiteral("書き込みできません。(%1)").arg(dir.absolutePath())
                                                 + text::failureReason(errno));
}

bool fnIsCaretOnFirstLine(const QString &text, int caret)
{
    if (caret < 2)
        return true;
    return !text.left(caret).contains(QLatin1String("\r\n"));
}

bool fnIsCaretOnLastLine(const QString &text, int caret)
{
    if (text.size() - caret == 1)
        return true;
    return text.indexOf(QLatin1String("\r\n"), qMax(0, caret)) < 0;
}

bool fnIsCaretOnFirstLine(const QPlainTextEdit *box)
{
    int caret = 0;
    const QString text = crLfText(box, &caret);
    return fnIsCaretOnFirstLine(text, caret);
}

bool fnIsCaretOnLastLine(const QPlainTextEdit *box)
{
    int caret = 0;
    const QString text = crLfText(box, &caret);
    return fnIsCaretOnLastLine(text, caret);
}

int fnBoolToCheck(bool flag)
{
    return flag ? 1 : 0;
}

bool fnCheckToBool(int value)
{
    return value != 0;
}

void ImeHiraganaOn()
{
    ImeHiraganaOn(QApplication::focusWidget());
}

void ImeHiraganaOn(QWidget *box)
{
    if (!box)
        return;
    // The conversion mode cannot be chosen by a program here; enabling the
    // input method for the control is what remains of the switch.
    box->setAttribute(Qt::WA_InputMethodEnabled, true);
    if (QInputMethod *im = QGuiApplication::inputMethod())
        im->update(Qt::ImEnabled);
}
