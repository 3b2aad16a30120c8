#include "FullFileSystem.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <cerrno>
#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

namespace testsupport {

namespace {
const char kFiller[] = ".filler";
}

TmpfsMount::TmpfsMount(const QString &folder, int kilobytes) : m_folder(QFile::encodeName(folder))
{
    if (m_folder.isEmpty() || geteuid() != 0)
        return;
    const QByteArray options = "size=" + QByteArray::number(kilobytes) + "k,mode=0755";
    m_mounted = ::mount("tmpfs", m_folder.constData(), "tmpfs", MS_NOSUID | MS_NODEV, options.constData()) == 0;
}

TmpfsMount::~TmpfsMount()
{
    if (m_mounted)
        ::umount2(m_folder.constData(), MNT_DETACH);
}

FullFileSystem::FullFileSystem(int kilobytes)
    : m_mount(m_dir.isValid() ? m_dir.path() : QString(), kilobytes)
{
}

FullFileSystem::~FullFileSystem() = default;

bool FullFileSystem::fill(qint64 leave)
{
    const QByteArray name = QFile::encodeName(filePath(QString::fromLatin1(kFiller)));
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_APPEND, 0600);
    if (fd < 0)
        return false;
    // Big blocks first, then single bytes for the last partly used page.
    static const char zeros[65536] = {};
    bool full = false;
    for (size_t block = sizeof zeros; block > 0; block /= 2) {
        for (;;) {
            const ssize_t n = ::write(fd, zeros, block);
            if (n > 0)
                continue;
            if (n < 0 && errno == EINTR)
                continue;
            full = n < 0 && errno == ENOSPC;
            break;
        }
    }
    if (full && leave > 0) {
        const off_t size = ::lseek(fd, 0, SEEK_END);
        full = size >= leave && ::ftruncate(fd, size - leave) == 0;
    }
    ::close(fd);
    return full;
}

void FullFileSystem::release()
{
    QFile::remove(filePath(QString::fromLatin1(kFiller)));
}

bool FullFileSystem::makeReadOnly()
{
    return isMounted()
           && ::mount(nullptr, QFile::encodeName(path()).constData(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
}

bool saysWhyInJapanese(const QString &message, const QString &reason)
{
    static const QRegularExpression paths(QStringLiteral("/[^\\s()]*"));
    static const QRegularExpression letters(QStringLiteral("[A-Za-z]"));
    QString rest = message;
    rest.remove(paths);
    if (!message.contains(reason) || rest.contains(letters)) {
        qWarning().noquote() << "message:" << message;
        return false;
    }
    return true;
}

QByteArray FullFileSystem::contents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList FullFileSystem::entries(const QString &folder) const
{
    QStringList names = QDir(folder.isEmpty() ? path() : folder)
                            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                       QDir::Name);
    names.removeAll(QString::fromLatin1(kFiller));
    return names;
}

} // namespace testsupport
