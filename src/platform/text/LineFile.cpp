#include "platform/text/LineFile.h"
#include "platform/text/Cp932.h"
#include "platform/text/FileFailure.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace text {

namespace {

FaultHook &faultHook()
{
    static FaultHook hook;
    return hook;
}

// 0, or the error a test makes this step fail with.
int injected(FileStep step, const QString &path)
{
    const FaultHook &hook = faultHook();
    return hook ? hook(step, path) : 0;
}

QString cannotWrite(const QString &path, const QString &why)
{
    return QStringLiteral("ファイル(%1)に書き込めません。%2").arg(path, why);
}

QString systemMessage(int error)
{
    return failureReason(error);
}

// A replaced symbolic link would lose its target; the target is replaced.
QString replacedFile(const QString &path)
{
    const QFileInfo info(path);
    return info.isSymLink() ? info.symLinkTarget() : info.absoluteFilePath();
}

QString temporaryPrefix(const QFileInfo &target)
{
    return QStringLiteral(".") + target.fileName() + QLatin1Char('.');
}

// The random part of a temporary name: a 32-bit number in base 36.
QString randomPart()
{
    return QString::number(QRandomGenerator::global()->generate(), 36);
}

bool isRandomPart(QStringView part)
{
    if (part.isEmpty() || part.size() > 7)
        return false;
    for (const QChar ch : part) {
        if (!(ch >= QLatin1Char('0') && ch <= QLatin1Char('9')) && !(ch >= QLatin1Char('a') && ch <= QLatin1Char('z')))
            return false;
    }
    return true;
}

bool sameFile(const struct stat &a, const struct stat &b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// A temporary file is held locked (flock) by its writer from its creation
// until it has been renamed or removed; one that nobody holds was left by a
// write that was killed. The lock is checked and held while the name is
// removed, and the name must still be the file locked.
void removeIfNotHeld(const QByteArray &path)
{
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0)
        return;
    struct stat locked {}, named {};
    if (::fstat(fd, &locked) == 0 && S_ISREG(locked.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0
        && ::lstat(path.constData(), &named) == 0 && sameFile(locked, named))
        ::unlink(path.constData());
    ::close(fd);
}

// Removes the temporary files of `target` that earlier writes left behind
// when they were killed: only names createBeside gives for this target.
void removeStaleTemporaries(const QFileInfo &target)
{
    const QByteArray folder = QFile::encodeName(target.absolutePath());
    DIR *dir = ::opendir(folder.constData());
    if (!dir)
        return;
    const QString prefix = temporaryPrefix(target);
    const QString suffix = QStringLiteral(".tmp");
    QList<QByteArray> stale;
    while (const dirent *entry = ::readdir(dir)) {
        if (entry->d_name[0] != '.')
            continue;
        const QString name = QFile::decodeName(entry->d_name);
        if (name.size() > prefix.size() + suffix.size() && name.startsWith(prefix) && name.endsWith(suffix)
            && isRandomPart(QStringView(name).sliced(prefix.size(), name.size() - prefix.size() - suffix.size())))
            stale << folder + '/' + entry->d_name;
    }
    ::closedir(dir);
    for (const QByteArray &path : stale)
        removeIfNotHeld(path);
}

// A new, empty temporary file beside `target` with a name of its own, held
// locked (see removeIfNotHeld) through `*held` until the caller closes it;
// the descriptor to write through and the name come back through the
// arguments.
int createBeside(const QString &target, QByteArray *name, int *held)
{
    const QFileInfo info(target);
    // The old file's permissions; a new file gets 0666 less the umask.
    struct stat old {};
    const bool hasOld = ::stat(QFile::encodeName(target).constData(), &old) == 0 && S_ISREG(old.st_mode);
    if (const int error = injected(FileStep::Create, target)) {
        errno = error;
        return -1;
    }
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString candidate = info.absolutePath() + QLatin1Char('/') + temporaryPrefix(info) + randomPart()
                                  + QStringLiteral(".tmp");
        *name = QFile::encodeName(candidate);
        const int fd = ::open(name->constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno == EEXIST)
            continue;
        if (fd < 0)
            return -1;
        // Another writer's clean-up may have taken the new name between
        // open and lock; then it is gone, and another name is tried. A file
        // system without locks leaves it unlocked, and no clean-up takes it.
        struct stat created {}, named {};
        if ((::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) || ::fstat(fd, &created) != 0
            || ::lstat(name->constData(), &named) != 0 || !sameFile(created, named)) {
            ::close(fd);
            continue;
        }
        int error = 0;
        if (hasOld && ::fchmod(fd, old.st_mode & 07777) != 0)
            error = errno;
        // The lock lives as long as any descriptor of the open file, so a
        // second one keeps it past the checked close of the first.
        if (!error && (*held = ::fcntl(fd, F_DUPFD_CLOEXEC, 0)) < 0)
            error = errno;
        if (error) {
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

// fsync on a folder fails with EINVAL (fsync(2) names EROFS beside it for
// the same case) where the file system has no way to sync one, and some
// network and FUSE file systems answer ENOTSUP or ENOSYS. That is no failed
// save: the files themselves were synced.
bool cannotSyncFolders(int error)
{
    return error == EINVAL || error == EROFS || error == ENOTSUP || error == ENOSYS;
}

// 0 when the folder is synced or cannot be synced at all, else the error:
// EIO, ENOSPC, EDQUOT and the like mean that the renames in the folder may
// not survive a crash. A folder the user may write into but not open (a
// drop folder, EACCES) is one we cannot sync at all.
int folderSyncError(const QString &folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return errno == EACCES ? 0 : errno;
    int error = injected(FileStep::SyncFolder, folder);
    while (!error && ::fsync(fd) != 0) {
        if (errno != EINTR)
            error = errno;
    }
    ::close(fd);
    return cannotSyncFolders(error) ? 0 : error;
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
    // Not blocking: a pipe put where a file should be is refused below
    // instead of waiting for a writer.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return std::nullopt;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return std::nullopt;
    }
    QByteArray bytes;
    bytes.reserve(qsizetype(info.st_size));
    char buffer[16384];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n == 0)
            break;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            // Part of a file is not the file.
            ::close(fd);
            return std::nullopt;
        }
        bytes.append(buffer, qsizetype(n));
    }
    ::close(fd);
    return bytes;
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

namespace {

void writePieces(const QString &path, WriteMode mode, const std::function<void(const PieceWriter &write)> &produce)
{
    const QString target = replacedFile(path);
    if (mode == WriteMode::Single)
        removeStaleTemporaries(QFileInfo(target));
    QByteArray temporary;
    int held = -1;
    int fd = createBeside(target, &temporary, &held);
    if (fd < 0)
        throw TextFileError(cannotWrite(path, systemMessage(errno)));
    const auto fail = [&](int error) {
        if (fd >= 0)
            ::close(fd);
        ::unlink(temporary.constData());
        ::close(held);
        throw TextFileError(cannotWrite(path, systemMessage(error)));
    };
    if (const int error = injected(FileStep::Write, target))
        fail(error);
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
    if (const int error = injected(FileStep::SyncFile, target))
        fail(error);
    if (::fsync(fd) != 0 && errno != EINVAL)
        fail(errno);
    const int closed = ::close(fd);
    fd = -1;
    if (closed != 0 && errno != EINTR)
        fail(errno);
    if (const int error = injected(FileStep::Rename, target))
        fail(error);
    if (::rename(temporary.constData(), QFile::encodeName(target).constData()) != 0)
        fail(errno);
    ::close(held);
    if (mode == WriteMode::IntoNewFolder)
        return;
    if (const int error = folderSyncError(QFileInfo(target).absolutePath()))
        throw TextFileError(cannotWrite(path, systemMessage(error)));
}

} // namespace

void writeBytes(const QString &path, const QByteArray &bytes, WriteMode mode)
{
    writePieces(path, mode, [&bytes](const PieceWriter &write) { write(bytes); });
}

void writeStreamed(const QString &path, const std::function<void(const PieceWriter &write)> &produce)
{
    writePieces(path, WriteMode::Single, produce);
}

void syncFolder(const QString &folder)
{
    if (const int error = folderSyncError(folder))
        throw TextFileError(cannotWrite(folder, systemMessage(error)));
}

MoveResult moveWithoutReplacing(const QString &from, const QString &to)
{
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    int result = -1;
    if (const int error = injected(FileStep::Rename, to))
        errno = error;
    else
        result = ::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE);
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
    const QString toFolder = QFileInfo(to).absolutePath();
    const QString fromFolder = QFileInfo(from).absolutePath();
    int error = folderSyncError(toFolder);
    if (!error && fromFolder != toFolder)
        error = folderSyncError(fromFolder);
    if (error) {
        errno = error;
        return MoveResult::Failed;
    }
    return MoveResult::Moved;
}

void setFaultHook(FaultHook hook)
{
    faultHook() = std::move(hook);
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
