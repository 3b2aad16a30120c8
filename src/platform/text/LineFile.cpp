#include "platform/text/LineFile.h"
#include "platform/text/Cp932.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace text {

namespace {

QString cannotWrite(const QString &path, const QString &why)
{
    return QStringLiteral("ファイル(%1)に書き込めません。%2").arg(path, why);
}

QString systemMessage(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// A replaced symbolic link would lose its target; the target is replaced.
QString replacedFile(const QString &path)
{
    const QFileInfo info(path);
    return info.isSymLink() ? info.symLinkTarget() : info.absoluteFilePath();
}

// A new, empty temporary file beside `target` with a name of its own; the
// descriptor and the name come back through the arguments.
int createBeside(const QString &target, QByteArray *name)
{
    const QFileInfo info(target);
    // The old file's permissions; a new file gets 0666 less the umask.
    struct stat old {};
    const bool hasOld = ::stat(QFile::encodeName(target).constData(), &old) == 0 && S_ISREG(old.st_mode);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString candidate = info.absolutePath() + QStringLiteral("/.") + info.fileName() + QLatin1Char('.')
                                  + QString::number(QRandomGenerator::global()->generate(), 36) + QStringLiteral(".tmp");
        *name = QFile::encodeName(candidate);
        const int fd = ::open(name->constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno == EEXIST)
            continue;
        if (fd >= 0 && hasOld && ::fchmod(fd, old.st_mode & 07777) != 0) {
            const int error = errno;
            ::close(fd);
            ::unlink(name->constData());
            errno = error;
            return -1;
        }
        return fd;
    }
    errno = EEXIST;
    return -1;
}

bool writeAll(int fd, const QByteArray &bytes)
{
    const char *data = bytes.constData();
    qint64 left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, data, size_t(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = EIO;
            return false;
        }
        data += n;
        left -= n;
    }
    return true;
}

} // namespace

std::optional<QByteArray> readBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

QList<QByteArray> splitLines(const QByteArray &bytes)
{
    QList<QByteArray> lines = bytes.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (QByteArray &line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
    }
    return lines;
}

// A NUL byte is in no text the program writes: the file is damaged or not
// a text file, and no part of it is taken as text.
std::optional<QString> readText(const QString &path)
{
    const auto bytes = readBytes(path);
    if (!bytes || bytes->contains('\0'))
        return std::nullopt;
    return fromCp932(*bytes);
}

std::optional<QStringList> readLines(const QString &path)
{
    const auto bytes = readBytes(path);
    if (!bytes || bytes->contains('\0'))
        return std::nullopt;
    // CR and LF never occur inside a CP932 character, so the bytes split
    // where the text would.
    QStringList lines;
    for (const QByteArray &line : splitLines(*bytes))
        lines << fromCp932(line);
    return lines;
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    writeStreamed(path, [&bytes](const PieceWriter &write) { write(bytes); });
}

void writeStreamed(const QString &path, const std::function<void(const PieceWriter &write)> &produce)
{
    const QString target = replacedFile(path);
    QByteArray temporary;
    int fd = createBeside(target, &temporary);
    if (fd < 0)
        throw TextFileError(cannotWrite(path, systemMessage(errno)));
    const auto fail = [&](int error) {
        if (fd >= 0)
            ::close(fd);
        ::unlink(temporary.constData());
        throw TextFileError(cannotWrite(path, systemMessage(error)));
    };
    // After a failed piece the file is gone: a producer that goes on
    // regardless writes nothing more and replaces nothing.
    int pieceError = 0;
    try {
        produce([&](const QByteArray &piece) {
            if (pieceError)
                throw TextFileError(cannotWrite(path, systemMessage(pieceError)));
            if (!writeAll(fd, piece)) {
                pieceError = errno;
                fail(pieceError);
            }
        });
    } catch (...) {
        // Any other failure goes on as it is, once fail has removed the
        // temporary file.
        if (!pieceError) {
            try {
                fail(0);
            } catch (const TextFileError &) {
            }
        }
        throw;
    }
    if (pieceError)
        throw TextFileError(cannotWrite(path, systemMessage(pieceError)));
    // A delayed write error (space that the file system only finds short
    // when the data leaves the cache) shows here or at close.
    if (::fsync(fd) != 0 && errno != EINVAL)
        fail(errno);
    const int closed = ::close(fd);
    fd = -1;
    if (closed != 0 && errno != EINTR)
        fail(errno);
    if (::rename(temporary.constData(), QFile::encodeName(target).constData()) != 0)
        fail(errno);
    syncFolder(QFileInfo(target).absolutePath());
}

void syncFolder(const QString &folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    // Not every file system syncs folders; the files themselves are synced.
    ::fsync(fd);
    ::close(fd);
}

MoveResult moveWithoutReplacing(const QString &from, const QString &to)
{
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    int result = ::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE);
    if (result != 0 && (errno == EINVAL || errno == ENOSYS)) {
        // A file system without the no-replace rename: a hard link fails on
        // a taken name; a folder can only be checked first.
        struct stat info {};
        if (::lstat(source.constData(), &info) == 0 && !S_ISDIR(info.st_mode)) {
            result = ::link(source.constData(), target.constData());
            if (result == 0)
                ::unlink(source.constData());
        } else if (::lstat(target.constData(), &info) == 0) {
            errno = EEXIST;
        } else {
            result = ::rename(source.constData(), target.constData());
        }
    }
    if (result != 0)
        return errno == EEXIST ? MoveResult::Exists : MoveResult::Failed;
    syncFolder(QFileInfo(to).absolutePath());
    syncFolder(QFileInfo(from).absolutePath());
    return MoveResult::Moved;
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
