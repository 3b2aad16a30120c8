#include "printing/SeikyushoArchive.h"

#include "core/Globals.h"
#include "platform/report/PageFile.h"
#include "platform/text/LineFile.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace seikyusho {

QString invoiceName(const QString &customerID, const QDate &date)
{
    return customerID + QLatin1Char('_') + date.toString(QStringLiteral("yyyyMMdd"));
}

QString customerFolder(const QString &customerID)
{
    return gstrTsukiSeikyushoFolder + customerID + QLatin1Char('/');
}

QString invoiceFolder(const QString &customerID, const QDate &date)
{
    return customerFolder(customerID) + invoiceName(customerID, date) + QLatin1Char('/');
}

QString pageBasePath(const QString &customerID, const QDate &date)
{
    return invoiceFolder(customerID, date) + invoiceName(customerID, date) + QStringLiteral(".cnv");
}

QString stagingFolder(const QString &customerID, const QDate &date)
{
    return customerFolder(customerID) + QLatin1Char('.') + invoiceName(customerID, date) + QStringLiteral(".new/");
}

QString stagingBasePath(const QString &customerID, const QDate &date)
{
    return stagingFolder(customerID, date) + invoiceName(customerID, date) + QStringLiteral(".cnv");
}

namespace {
QString withoutSlash(const QString &folder)
{
    return folder.endsWith(QLatin1Char('/')) ? folder.chopped(1) : folder;
}

QString oldFolder(const QString &customerID, const QDate &date)
{
    return customerFolder(customerID) + QLatin1Char('.') + invoiceName(customerID, date) + QStringLiteral(".old");
}

bool removeTree(const QString &path)
{
    QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return true;
    if (info.isDir() && !info.isSymLink())
        return QDir(path).removeRecursively();
    return QFile::remove(path);
}

bool exists(const QString &path)
{
    return QFileInfo::exists(path);
}

bool move(const QString &from, const QString &to)
{
    return text::moveWithoutReplacing(from, to) == text::MoveResult::Moved;
}

// The three names of one invoice date. An invoice is replaced in two
// renames: the invoice folder moves aside to `old`, then the complete
// staging folder takes its place, and only then is `old` removed. A run
// killed (or failing for good) between the renames leaves `old` and
// `staging` without `invoice`; see settle().
struct Folders {
    QString invoice;
    QString old;
    QString staging;
};

Folders foldersOf(const QString &customerID, const QDate &date)
{
    return {withoutSlash(invoiceFolder(customerID, date)), oldFolder(customerID, date),
            withoutSlash(stagingFolder(customerID, date))};
}

// A staging folder is held locked (flock) by the registration writing into
// it, from prepareStaging to its commit or discard, so that no reader, in
// this program or another one running beside it, takes it for a leftover.
// A lock dies with its process: a killed registration holds nothing.
QHash<QString, int> &heldStagings()
{
    static QHash<QString, int> held;
    return held;
}

bool sameFolder(int fd, const QString &path)
{
    struct stat opened {}, named {};
    return ::fstat(fd, &opened) == 0 && ::lstat(QFile::encodeName(path).constData(), &named) == 0
           && opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

// A network file system may offer no locks at all.
bool cannotLock(int error)
{
    return error == ENOLCK || error == EOPNOTSUPP || error == EINVAL || error == ENOSYS;
}

// The descriptor holding the folder locked, or -1 with errno: EWOULDBLOCK
// when another holds it, ESTALE when the name no longer is the folder
// opened, or why it cannot be opened or locked.
int lockFolder(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return -1;
    int error = 0;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0)
        error = errno;
    else if (!sameFolder(fd, path))
        error = ESTALE;
    if (!error)
        return fd;
    ::close(fd);
    errno = error;
    return -1;
}

void release(const QString &staging)
{
    const auto held = heldStagings().constFind(staging);
    if (held == heldStagings().cend())
        return;
    if (*held >= 0)
        ::close(*held);
    heldStagings().erase(held);
}

// Where it cannot be told (no locks), a staging folder is taken as being
// written: a leftover stays rather than a registration being cut short.
bool beingWritten(const QString &staging)
{
    if (!exists(staging))
        return false;
    if (heldStagings().contains(staging))
        return true;
    const int fd = lockFolder(staging);
    if (fd < 0)
        return true;
    ::close(fd);
    return false;
}

// Removes a staging folder nobody is writing into; false when one is.
bool removeStaging(const QString &staging)
{
    if (!exists(staging))
        return true;
    if (heldStagings().contains(staging))
        return false;
    const int fd = lockFolder(staging);
    if (fd < 0)
        return false;
    const bool removed = removeTree(staging);
    ::close(fd);
    return removed;
}

// A staging folder that reached the swap holds its pages from page 0.
bool holdsPages(const QString &staging)
{
    const QString name = QFileInfo(staging).fileName().chopped(4).sliced(1); // ".<name>.new"
    return QFileInfo::exists(staging + QLatin1Char('/') + name + QStringLiteral(".cnv_0"));
}

// Finishes or undoes what an interrupted replacement left. The slips are
// marked before the new pages are written and the old folder moves aside
// only once the new pages are complete and synced, so:
// - `old` without `invoice`: the new pages were complete; with `staging`
//   they take the invoice's place (they match the marks), without it (a
//   failed run discarded them) the old pages go back.
// - `old` beside `invoice`: the new invoice is in place; `old` goes.
// - `staging` alone, not being written: an unfinished print; it goes, and
//   the invoice (if any) stays as it was.
// A registration writing now is left alone: its own commit finishes.
void settle(const Folders &f)
{
    if (beingWritten(f.staging))
        return;
    if (exists(f.old)) {
        if (!exists(f.invoice))
            move(holdsPages(f.staging) ? f.staging : f.old, f.invoice);
        if (exists(f.invoice))
            removeTree(f.old);
    }
    if (!exists(f.old))
        removeStaging(f.staging);
}

// Where the invoice's pages are: its folder, or, while a failing disk keeps
// settle() from renaming, the leftover that takes its place.
QString currentFolder(const Folders &f)
{
    if (exists(f.invoice))
        return f.invoice;
    if (!exists(f.old))
        return {};
    return holdsPages(f.staging) && !beingWritten(f.staging) ? f.staging : f.old;
}

// The date of an invoice folder name (<ID>_<YYYYMMDD>), or none.
QDate dateOfName(const QString &customerID, QStringView name)
{
    const QString prefix = customerID + QLatin1Char('_');
    if (!name.startsWith(prefix) || name.size() != prefix.size() + 8)
        return {};
    const QStringView digits = name.sliced(prefix.size());
    for (QChar ch : digits) {
        if (ch < QLatin1Char('0') || ch > QLatin1Char('9'))
            return {};
    }
    return QDate::fromString(digits.toString(), QStringLiteral("yyyyMMdd"));
}

bool validCustomer(const QString &customerID)
{
    return !customerID.isEmpty() && !customerID.contains(QLatin1Char('/'));
}
} // namespace

QVector<QDate> invoiceDates(const QString &customerID)
{
    QVector<QDate> dates;
    if (!validCustomer(customerID))
        return dates;
    const QDir folder(customerFolder(customerID));
    const QStringList names = folder.entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    QSet<QDate> leftovers;
    for (const QString &name : names) {
        for (const auto *suffix : {".old", ".new"}) {
            if (name.startsWith(QLatin1Char('.')) && name.endsWith(QLatin1String(suffix))) {
                const QDate date = dateOfName(customerID, QStringView(name).sliced(1, name.size() - 5));
                if (date.isValid())
                    leftovers.insert(date);
            }
        }
    }
    for (const QDate &date : leftovers)
        settle(foldersOf(customerID, date));
    for (const QString &name : names) {
        const QDate date = name.startsWith(QLatin1Char('.')) ? QDate() : dateOfName(customerID, name);
        if (date.isValid())
            dates << date;
    }
    // What a failing disk keeps from being renamed is still listed.
    for (const QDate &date : leftovers) {
        if (!dates.contains(date) && !currentFolder(foldersOf(customerID, date)).isEmpty())
            dates << date;
    }
    std::sort(dates.begin(), dates.end());
    return dates;
}

bool invoiceExists(const QString &customerID, const QDate &date)
{
    const Folders f = foldersOf(customerID, date);
    settle(f);
    return !currentFolder(f).isEmpty();
}

QStringList pagePaths(const QString &customerID, const QDate &date)
{
    const Folders f = foldersOf(customerID, date);
    settle(f);
    const QString folder = currentFolder(f);
    if (folder.isEmpty())
        return {};
    return report::pageFilePaths(folder + QLatin1Char('/') + invoiceName(customerID, date) + QStringLiteral(".cnv"));
}

void prepareStaging(const QString &customerID, const QDate &date)
{
    const Folders f = foldersOf(customerID, date);
    const auto fail = [&] {
        throw ArchiveError(QStringLiteral("請求書フォルダーを作成できません。\r\n")
                           + QDir::toNativeSeparators(f.staging));
    };
    release(f.staging);
    settle(f);
    // A replacement that could not be finished is not started again.
    if (exists(f.old) || !removeStaging(f.staging) || !QDir().mkpath(f.staging))
        fail();
    const int fd = lockFolder(f.staging);
    // Without locks only this program knows that it writes there.
    if (fd < 0 && !cannotLock(errno))
        fail();
    heldStagings().insert(f.staging, fd);
}

void commitStaging(const QString &customerID, const QDate &date)
{
    const Folders f = foldersOf(customerID, date);
    const auto fail = [&] {
        throw ArchiveError(QStringLiteral("請求書フォルダーを置き換えられません。\r\n")
                           + QDir::toNativeSeparators(f.invoice));
    };
    const bool hadOld = exists(f.invoice);
    if (!removeTree(f.old))
        fail();
    if (hadOld && !move(f.invoice, f.old))
        fail();
    if (!move(f.staging, f.invoice)) {
        // Put back what can be; whatever stays is settled by
        // discardStaging or the next reader.
        if (hadOld && !exists(f.invoice))
            move(f.old, f.invoice);
        fail();
    }
    release(f.staging);
    if (hadOld)
        removeTree(f.old);
}

void discardStaging(const QString &customerID, const QDate &date)
{
    const Folders f = foldersOf(customerID, date);
    release(f.staging);
    settle(f);
}

bool deleteInvoice(const QString &customerID, const QDate &date)
{
    const Folders f = foldersOf(customerID, date);
    settle(f);
    // A leftover that could not be settled would bring the invoice back;
    // without it, a staging folder no registration holds goes too.
    const bool removed = removeTree(f.invoice) && removeTree(f.old);
    settle(f);
    return removed;
}

} // namespace seikyusho
