#include "platform/text/LineFile.h"
#include "platform/text/Cp932.h"

#include <QFile>
#include <QSaveFile>

namespace text {

std::optional<QString> readText(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    // A NUL byte is in no text the program writes: the file is damaged or
    // not a text file, and no part of it is taken.
    if (bytes.contains('\0'))
        return std::nullopt;
    return fromCp932(bytes);
}

std::optional<QStringList> readLines(const QString &path)
{
    const auto content = readText(path);
    if (!content)
        return std::nullopt;
    QStringList lines = content->split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (QString &line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    }
    return lines;
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw TextFileError(QStringLiteral("ファイル(%1)に書き込めません。%2").arg(path, file.errorString()));
    const qint64 written = file.write(bytes);
    if (written != bytes.size()) {
        file.cancelWriting();
        throw TextFileError(QStringLiteral("ファイル(%1)に書き込めません。%2").arg(path, file.errorString()));
    }
    if (!file.commit())
        throw TextFileError(QStringLiteral("ファイル(%1)に書き込めません。%2").arg(path, file.errorString()));
}

void writeLines(const QString &path, const QStringList &lines)
{
    QString all;
    for (const QString &line : lines) {
        all += line;
        all += QLatin1String("\r\n");
    }
    bool ok = true;
    const QByteArray bytes = toCp932(all, &ok);
    if (!ok || all.contains(QChar(0)))
        throw TextFileError(QStringLiteral("ファイル(%1)に保存できない文字があります。").arg(path));
    writeBytes(path, bytes);
}

} // namespace text
