#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <limits>
#include <optional>
#include <stdexcept>

namespace text {

// A text file that could not be written; the old file is left whole.
class TextFileError : public std::runtime_error {
public:
    explicit TextFileError(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString &message() const { return m_message; }

private:
    QString m_message;
};

// The readers below take the most bytes their caller expects of the kind of
// file it reads: a longer file (damaged, or not the file it should be) reads
// as one that cannot be read, instead of filling the memory.
constexpr qint64 kAnySize = std::numeric_limits<qint64>::max();

// Reads a CP932 text file as lines (CR LF separated; a missing last CR LF
// still reads, a lone LF also ends a line). nullopt when the file cannot be
// opened, is longer than maxSize or holds a NUL byte (errno EILSEQ).
std::optional<QStringList> readLines(const QString &path, qint64 maxSize = kAnySize);
// Whole file as text (CP932), nullopt when it cannot be opened, is longer
// than maxSize or holds a NUL byte.
std::optional<QString> readText(const QString &path, qint64 maxSize = kAnySize);
// Whole file as it is stored (NUL bytes included), nullopt when it cannot
// be opened, is no plain file (a folder, a pipe, a device), is longer than
// maxSize or cannot be read to its end; errno then says why (ENOENT for a
// missing file, EFBIG for a long one).
std::optional<QByteArray> readBytes(const QString &path, qint64 maxSize = kAnySize);
// readBytes for a file named inside an open folder (a descriptor), so that
// the files read together all come from that folder, wherever it has moved.
std::optional<QByteArray> readBytesAt(int folder, const QString &name, qint64 maxSize = kAnySize);
// The lines of a file's bytes by the rule of readLines, undecoded, so that a
// line can be written back exactly as it was read.
QList<QByteArray> splitLines(const QByteArray &bytes);

// Writes the lines, each followed by CR LF, in CP932 through writeBytes.
// Throws TextFileError when a character has no CP932 form, a line holds a
// NUL character or the write fails.
void writeLines(const QString &path, const QStringList &lines);
// How writeBytes makes a new file durable.
enum class WriteMode {
    // The folder is synced after the rename, and the temporary files that
    // earlier, killed writes left in the folder are removed (see
    // removeStaleTemporaries).
    Single,
    // One of many files written into a folder the caller has just made for
    // them: the file is synced but its folder is neither synced nor searched
    // (a new folder holds no leftovers); the caller syncs the folder once,
    // with syncFolder, after the last file.
    IntoNewFolder,
};
// The one way the program replaces a file: the bytes go to a temporary file
// beside it, every write is checked, the file is synced to the disk and
// closed, and only then renamed over the old file. When any step before the
// rename fails (a full disk, an I/O error) the old file stays whole, the
// temporary file goes, and TextFileError says why; when the folder cannot
// be synced after the rename, the new file is in place but may not survive
// a crash, and TextFileError says so too. A symbolic link keeps pointing at
// the replaced file; an old file's permissions carry over to the new one.
void writeBytes(const QString &path, const QByteArray &bytes, WriteMode mode = WriteMode::Single);
// writeBytes for a file made piece by piece, never held whole in memory:
// `produce` hands the file's bytes, in order, to the writer it is given.
// The old file is replaced only once produce has returned and every piece
// is on the disk. A failed write throws TextFileError out of the writer;
// that or any exception of produce's own leaves the old file whole, removes
// the temporary file and reaches the caller unchanged.
using PieceWriter = std::function<void(const QByteArray &piece)>;
void writeStreamed(const QString &path, const std::function<void(const PieceWriter &write)> &produce);
// Removes from the folder the temporary files and folders that writes of
// this program, in this or any other process, made and left when they were
// killed: only names that carry the program's own mark, and only those that
// no running write holds (see lockInUse). Where the file system has no
// locks, only those untouched for a day go. Files of other programs and of
// the user stay whatever their names.
void removeStaleTemporaries(const QString &folder);

// Makes the folder `path` (which must not exist yet) so that it is held by
// this process from the moment it carries its name: it is made under a
// temporary name, locked (lockInUse) and only then renamed. Returns the
// descriptor that holds it (closing it releases the folder), or -1 with
// errno (EEXIST when the name is taken). *locked is false where the file
// system has no locks; the folder is made all the same. Its name is not
// synced: it is a place to work in, made durable by the caller's own
// renames (moveWithoutReplacing) once its work is done.
int makeHeldFolder(const QString &path, bool *locked);
// Marks an open file or folder as in use by this process for as long as
// the descriptor stays open, without waiting: 0, or errno (EWOULDBLOCK when
// another holds it). A lock dies with its process.
int lockInUse(int fd, const QString &path);
// The error a file system without locks (some network ones) answers.
bool noLocks(int error);

// Makes renames and deletions inside a folder durable; for callers that
// move finished files into place. Throws TextFileError when the sync fails;
// a file system that cannot sync a folder at all is no failure.
void syncFolder(const QString &folder);

// The one way the program renames a finished file or folder: in place, never
// by copying (a copy could be cut short by a full disk), never over a name
// that exists, and made durable in both folders. Failed when the rename
// was refused, and also when it was made but its folder could not be synced
// (errno says why in both cases).
enum class MoveResult { Moved, Exists, Failed };
MoveResult moveWithoutReplacing(const QString &from, const QString &to);

// The steps of the calls above that change the disk, and the taking of a
// lock (lockInUse).
enum class FileStep { Create, Write, SyncFile, Rename, SyncFolder, Lock };
// A stand-in for failures of the file system, for tests: when set, it is
// called before each step with the path the step changes (for a rename, the
// new name) and a nonzero errno value it returns makes the step fail with
// that error. The program never sets one.
using FaultHook = std::function<int(FileStep step, const QString &path)>;
void setFaultHook(FaultHook hook);

} // namespace text
