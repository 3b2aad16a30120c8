#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace testsupport {

// A small tmpfs mounted on an existing folder for the life of the object,
// unmounted after. Mounting needs root; isMounted() is false otherwise. A
// folder with a file system on it cannot be removed.
class TmpfsMount {
public:
    TmpfsMount(const QString &folder, int kilobytes);
    ~TmpfsMount();
    TmpfsMount(const TmpfsMount &) = delete;
    TmpfsMount &operator=(const TmpfsMount &) = delete;

    bool isMounted() const { return m_mounted; }

private:
    QByteArray m_folder;
    bool m_mounted = false;
};

// A small file system of its own (tmpfs), mounted for one test, that the
// test can fill to the last byte: a real "no space left on device", not a
// simulated one. Mounting needs root; isMounted() is false otherwise and the
// test skips.
class FullFileSystem {
public:
    explicit FullFileSystem(int kilobytes = 256);
    ~FullFileSystem();
    FullFileSystem(const FullFileSystem &) = delete;
    FullFileSystem &operator=(const FullFileSystem &) = delete;

    bool isMounted() const { return m_mount.isMounted(); }
    QString path() const { return m_dir.path(); } // no trailing "/"
    QString filePath(const QString &name) const { return m_dir.filePath(name); }

    // Takes every free byte with a filler file but `leave` (rounded to the
    // file system's pages); false when it could not.
    bool fill(qint64 leave = 0);
    // Gives the space back.
    void release();
    // Mounts the file system again read-only (what a disk that failed, or a
    // share the user may only read, answers); false when it could not.
    bool makeReadOnly();

    // Test helpers: a whole file's bytes (empty when missing), and the
    // names of the files and folders in a folder of the file system,
    // hidden ones included.
    static QByteArray contents(const QString &path);
    QStringList entries(const QString &folder = QString()) const;

private:
    QTemporaryDir m_dir;
    TmpfsMount m_mount;
};

// Whether a message about a failed file operation says why in Japanese:
// it holds `reason`, and beside the paths it names (from a "/" to the next
// blank, bracket or line end) no ASCII letter, as the C library's and Qt's
// English texts have.
bool saysWhyInJapanese(const QString &message, const QString &reason);

} // namespace testsupport

// Skips the test when the file system cannot be mounted (not root).
#define QVX_NEED_FULL_FS(fs)                                                                       \
    do {                                                                                           \
        if (!(fs).isMounted())                                                                     \
            QSKIP("needs root to mount a small tmpfs");                                            \
    } while (false)
