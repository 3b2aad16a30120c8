#include "core/Settings.h"
#include "core/Globals.h"
#include "core/Routines.h"
#include "platform/text/Cp932.h"
#include "platform/text/FileFailure.h"
#include "platform/text/LineFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cerrno>

namespace {

// A settings file holds a few lines per window; one far longer is damaged
// (or no settings file at all) and is neither read nor replaced.
constexpr qint64 kMaxSettingsFileSize = 1 << 20;

// Settings files have no folder part: they live in the start-up directory.
QString resolve(const QString &file)
{
    if (QDir::isAbsolutePath(file) || gstrStartupDir.isEmpty())
        return file;
    return QDir(gstrStartupDir).filePath(file);
}

QString valueText(const QVariant &value)
{
    if (!value.isValid() || value.isNull())
        return QString();
    if (value.typeId() == QMetaType::Bool)
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    return value.toString();
}

// A line break inside a value would split its line in two.
QString oneLine(const QString &text)
{
    QString out = text;
    out.remove(QLatin1Char('\r'));
    out.remove(QLatin1Char('\n'));
    return out;
}

// Lines with fewer than three fields (hand edits, blank lines) match nothing.
bool matches(const QString &line, const QString &section, const QString &key)
{
    const QStringList fields = line.split(QLatin1Char(','));
    return fields.size() >= 3 && fields.at(0) == section && fields.at(1) == key;
}

} // namespace

QString settingsFileName(const QString &suffix)
{
    QString exe;
    if (QCoreApplication::instance())
        exe = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    if (exe.isEmpty())
        exe = QStringLiteral("quorvex");
    return (exe + QLatin1Char('5') + suffix).toUpper();
}

QString fnReadSetting(const QString &file, const QString &section, const QString &key,
                      const QVariant &defaultValue)
{
    const QString fallback = valueText(defaultValue);
    const QString value = fnTrimBlanks(fnGetTextSetting(resolve(file.toUpper() + QStringLiteral(".txt")),
                                                        section.toUpper(), key.toUpper()));
    return value.isEmpty() ? fallback : value;
}

bool fnWriteSetting(const QString &file, const QString &section, const QString &key,
                    const QVariant &value)
{
    const QString line = oneLine(section.toUpper()) + QLatin1Char(',') + oneLine(key.toUpper())
                         + QLatin1Char(',') + oneLine(valueText(value).toUpper());
    try {
        SaveTextSetting(line, resolve(file.toUpper() + QStringLiteral(".txt")));
        return true;
    } catch (const std::exception &) {
        // A settings file that cannot be written must not keep a window from
        // opening or closing; the old file stays whole.
        return false;
    }
}

QString fnGetTextSetting(const QString &path, const QString &section, const QString &key)
{
    const auto bytes = text::readBytes(path, kMaxSettingsFileSize);
    if (!bytes)
        return QString();
    QString value;
    for (const QByteArray &raw : text::splitLines(*bytes)) {
        // A line holding a NUL is damaged and not taken; the others still are.
        if (raw.contains('\0'))
            continue;
        const QString line = text::fromCp932(raw);
        if (matches(line, section, key))
            value = line.section(QLatin1Char(','), 2, 2);
    }
    return value;
}

void SaveTextSetting(const QString &line, const QString &path)
{
    bool ok = true;
    const QByteArray encoded = text::toCp932(line, &ok);
    if (!ok || line.contains(QChar(0)))
        throw text::TextFileError(QStringLiteral("ファイル(%1)に保存できない文字があります。").arg(path));
    const auto old = text::readBytes(path, kMaxSettingsFileSize);
    if (!old) {
        const int error = errno;
        // A file that exists but cannot be read is not replaced by one line.
        if (QFileInfo::exists(path))
            throw text::TextFileError(QStringLiteral("ファイル(%1)を読み込めません。").arg(path)
                                      + text::readFailureReason(error));
        text::writeBytes(path, encoded + "\r\n");
        return;
    }
    const QString section = line.section(QLatin1Char(','), 0, 0);
    const QString key = line.section(QLatin1Char(','), 1, 1);
    // Lines other than the one set go back as they were read: a line the
    // program cannot decode, or a character with two codes, stays as stored.
    QByteArray bytes;
    bool replaced = false;
    for (const QByteArray &existing : text::splitLines(*old)) {
        if (existing.isEmpty())
            continue;
        if (matches(text::fromCp932(existing), section, key)) {
            bytes += encoded;
            replaced = true;
        } else {
            bytes += existing;
        }
        bytes += "\r\n";
    }
    if (!replaced)
        bytes += encoded + "\r\n";
    // A file that holds these bytes already stays as it is: most windows
    // close where they opened, and a rewrite would wait for two syncs.
    if (bytes == *old)
        return;
    text::writeBytes(path, bytes);
}
