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
#include <ctime>
#include <climits>
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

// Every temporary name the program gives ends so; no user and no other
// program makes such names, so that only the program's own are removed.
const QLatin1String kTemporaryMark(".quorvex5-tmp");

// Hidden, named after what it stands in for, unique to this process and
// this call: ".<name>.<pid>-<random>.quorvex5-tmp". A long name is cut, so
// that a file whose own name just fits can still be written.
QString temporaryName(const QString &name)
{
    const QString unique = QLatin1Char('.') + QString::number(::getpid(), 36) + QLatin1Char('-')
                           + QString::number(QRandomGenerator::global()->generate64(), 36) + kTemporaryMark;
    QString shown = name;
    while (!shown.isEmpty() && QFile::encodeName(QLatin1Char('.') + shown + unique).size() > NAME_MAX)
        shown.chop(shown.size() >= 2 && shown.back().isLowSurrogate() ? 2 : 1);
    return QLatin1Char('.') + shown + unique;
}

bool isBase36(QStringView part)
{
    if (part.isEmpty())
        return false;
    for (const QChar ch : part) {
        if (!(ch >= QLatin1Char('0') && ch <= QLatin1Char('9')) && !(ch >= QLatin1Char('a') && ch <= QLatin1Char('z')))
            return false;
    }
    return true;
}

bool isTemporaryName(QStringView name)
{
    if (!name.startsWith(QLatin1Char('.')) || !name.endsWith(kTemporaryMark))
        return false;
    const QStringView rest = name.chopped(kTemporaryMark.size());
    const qsizetype dot = rest.lastIndexOf(QLatin1Char('.'));
    if (dot <= 0)
        return false;
    const QStringView unique = rest.sliced(dot + 1);
    const qsizetype dash = unique.indexOf(QLatin1Char('-'));
    return dash > 0 && isBase36(unique.first(dash)) && isBase36(unique.sliced(dash + 1));
}

bool sameFile(const struct stat &a, const struct stat &b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Where nothing can be locked, a temporary untouched this long is taken as
// left by a killed write (a running one writes it, or renames it, at once).
constexpr time_t kStaleWithoutLocks = 24 * 60 * 60;

// A temporary file or folder is held locked (lockInUse) by its writer from
// its creation until it has been renamed or removed; one that nobody holds
// was left by a write that was killed. The lock is checked and held while
// the name is removed, and the name must still be the one locked.
void removeIfNotHeld(const QByteArray &path)
{
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0)
        return;
    struct stat locked {}, named {};
    if (::fstat(fd, &locked) == 0 && (S_ISREG(locked.st_mode) || S_ISDIR(locked.st_mode))) {
        const int error = lockInUse(fd, QFile::decodeName(path));
        const bool stale = error == 0 || (noLocks(error) && locked.st_mtime + kStaleWithoutLocks < ::time(nullptr));
        // A folder goes only when empty: the program's own are renamed as
        // soon as they are locked, before anything is put in them.
        if (stale && ::lstat(path.constData(), &named) == 0 && sameFile(locked, named)) {
            if (S_ISDIR(locked.st_mode))
                ::rmdir(path.constData());
            else
                ::unlink(path.constData());
        }
    }
    ::close(fd);
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
        const QString candidate = info.absolutePath() + QLatin1Char('/') + temporaryName(info.fileName());
        *name = QFile::encodeName(candidate);
        const int fd = ::open(name->constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno == EEXIST)
            continue;
        if (fd < 0)
            return -1;
        // Another writer's clean-up may have taken the new name between
        // open and lock; then it is gone, and another name is tried. A file
        // system without locks leaves it unlocked, and no clean-up takes it
        // while it is written.
        struct stat created {}, named {};
        if (lockInUse(fd, candidate) == EWOULDBLOCK || ::fstat(fd, &created) != 0
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

namespace {

// The whole file behind an open descriptor, which it closes.
std::optional<QByteArray> readOpened(int fd, qint64 maxSize)
{
    if (fd < 0)
        return std::nullopt;
    struct stat info {};
    int error = ::fstat(fd, &info) != 0  ? errno
                : S_ISDIR(info.st_mode)  ? EISDIR
                : !S_ISREG(info.st_mode) ? EINVAL
                : info.st_size > maxSize ? EFBIG
                                         : 0;
    if (error) {
        ::close(fd);
        errno = error;
        return std::nullopt;
    }
    QByteArray bytes;
    bytes.reserve(qsizetype(info.st_size));
    char buffer[16384];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n == 0)
            break;
        if (n < 0 && errno == EINTR)
            continue;
        // Part of a file is not the file, nor is one that grows past the
        // limit while it is read.
        if (n < 0 || bytes.size() + n > maxSize) {
            error = n < 0 ? errno : EFBIG;
            ::close(fd);
            errno = error;
            return std::nullopt;
        }
        bytes.append(buffer, qsizetype(n));
    }
    ::close(fd);
    return bytes;
}

} // namespace

// Not blocking: a pipe put where a file should be is refused instead of
// waiting for a writer.
std::optional<QByteArray> readBytes(const QString &path, qint64 maxSize)
{
    return readOpened(::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK), maxSize);
}

std::optional<QByteArray> readBytesAt(int folder, const QString &name, qint64 maxSize)
{
    return readOpened(::openat(folder, QFile::encodeName(name).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK),
                      maxSize);
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

namespace {

// A NUL byte is in no text the program writes: the file is damaged or not
// a text file, and no part of it is taken as text.
std::optional<QByteArray> readTextBytes(const QString &path, qint64 maxSize)
{
    auto bytes = readBytes(path, maxSize);
    if (bytes && bytes->contains('\0')) {
        errno = EILSEQ;
        return std::nullopt;
    }
    return bytes;
}

} // namespace

std::optional<QString> readText(const QString &path, qint64 maxSize)
{
    const auto bytes = readTextBytes(path, maxSize);
    if (!bytes)
        return std::nullopt;
    return fromCp932(*bytes);
}

std::optional<QStringList> readLines(const QString &path, qint64 maxSize)
{
    const auto bytes = readTextBytes(path, maxSize);
    if (!bytes)
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
        removeStaleTemporaries(QFileInfo(target).absolutePath());
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

namespace {

// A rename that never replaces: 0, or -1 with errno (EEXIST when the name
// is taken).
int renameWithoutReplacing(const QString &from, const QString &to)
{
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    if (const int error = injected(FileStep::Rename, to)) {
        errno = error;
        return -1;
    }
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
    return result;
}

} // namespace

void removeStaleTemporaries(const QString &folder)
{
    const QByteArray name = QFile::encodeName(folder);
    DIR *dir = ::opendir(name.constData());
    if (!dir)
        return;
    QList<QByteArray> stale;
    while (const dirent *entry = ::readdir(dir)) {
        if (entry->d_name[0] == '.' && isTemporaryName(QFile::decodeName(entry->d_name)))
            stale << name + '/' + entry->d_name;
    }
    ::closedir(dir);
    for (const QByteArray &path : stale)
        removeIfNotHeld(path);
}

int makeHeldFolder(const QString &path, bool *locked)
{
    const QFileInfo info(path);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString candidate = info.absolutePath() + QLatin1Char('/') + temporaryName(info.fileName());
        const QByteArray temporary = QFile::encodeName(candidate);
        if (const int error = injected(FileStep::Create, candidate)) {
            errno = error;
            return -1;
        }
        if (::mkdir(temporary.constData(), 0777) != 0) {
            if (errno == EEXIST)
                continue;
            return -1;
        }
        // As in createBeside: a clean-up that took the new name first
        // leaves it to another try.
        const int fd = ::open(temporary.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NOFOLLOW);
        if (fd < 0)
            continue;
        const int error = lockInUse(fd, candidate);
        struct stat made {}, named {};
        if ((error && !noLocks(error)) || ::fstat(fd, &made) != 0 || ::lstat(temporary.constData(), &named) != 0
            || !sameFile(made, named)) {
            ::close(fd);
            continue;
        }
        *locked = error == 0;
        if (renameWithoutReplacing(candidate, path) == 0)
            return fd;
        const int why = errno;
        ::rmdir(temporary.constData());
        ::close(fd);
        errno = why;
        return -1;
    }
    errno = EEXIST;
    return -1;
}

int lockInUse(int fd, const QString &path)
{
    if (const int error = injected(FileStep::Lock, path))
        return error;
    return ::flock(fd, LOCK_EX | LOCK_NB) == 0 ? 0 : errno;
}

bool noLocks(int error)
{
    return error == ENOLCK || error == EOPNOTSUPP || error == EINVAL || error == ENOSYS;
}

void syncFolder(const QString &folder)
{
    if (const int error = folderSyncError(folder))
        throw TextFileError(cannotWrite(folder, systemMessage(error)));
}

MoveResult moveWithoutReplacing(const QString &from, const QString &to)
{
    if (renameWithoutReplacing(from, to) != 0)
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
