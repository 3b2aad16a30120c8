#include "printing/SeikyushoArchive.h"

#include "core/Globals.h"
#include "platform/report/PageFile.h"
#include "platform/text/FileFailure.h"
#include "platform/text/LineFile.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QThread>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
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
// How long a reader waits for a re-registration to finish its swap before
// it says that the invoice is being written: about two seconds.
constexpr int kReadAttempts = 200;
constexpr unsigned long kReadPauseMs = 10;

QString withoutSlash(const QString &folder)
{
    return folder.endsWith(QLatin1Char('/')) ? folder.chopped(1) : folder;
}

QString oldFolder(const QString &customerID, const QDate &date)
{
    return customerFolder(customerID) + QLatin1Char('.') + invoiceName(customerID, date) + QStringLiteral(".old");
}

// The errno of the last removal or rename below that failed, for the
// message that says why.
int &lastFailure()
{
    static int error = 0;
    return error;
}

bool failed(bool done)
{
    if (!done)
        lastFailure() = errno;
    return !done;
}

bool removeTree(const QString &path)
{
    QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return true;
    if (info.isDir() && !info.isSymLink())
        return !failed(QDir(path).removeRecursively());
    return !failed(QFile::remove(path));
}

bool exists(const QString &path)
{
    return QFileInfo::exists(path);
}

bool move(const QString &from, const QString &to)
{
    const text::MoveResult result = text::moveWithoutReplacing(from, to);
    if (result == text::MoveResult::Exists)
        errno = EEXIST;
    return !failed(result == text::MoveResult::Moved);
}

// The names of one invoice date. An invoice is replaced in two renames:
// the invoice folder moves aside to `old`, then the complete staging folder
// takes its place, and only then is `old` removed. A run killed (or failing
// for good) between the renames leaves `old` and `staging` without
// `invoice`; see settle(). A folder being deleted is first renamed to
// `deleted`, so that no reader finds it half gone under a name it reads.
struct Folders {
    QString invoice;
    QString old;
    QString staging;
    QString deleted;
};

Folders foldersOf(const QString &customerID, const QDate &date)
{
    return {withoutSlash(invoiceFolder(customerID, date)), oldFolder(customerID, date),
            withoutSlash(stagingFolder(customerID, date)),
            customerFolder(customerID) + QLatin1Char('.') + invoiceName(customerID, date) + QStringLiteral(".del")};
}

// A staging folder is held locked by the registration writing into it,
// from prepareStaging to its commit or discard, so that no reader, in this
// program or another one running beside it, takes it for a leftover; it is
// made already held (text::makeHeldFolder). A lock dies with its process: a
// killed registration holds nothing.
struct Held {
    int fd = -1;
    bool locked = false;
};

QHash<QString, Held> &heldStagings()
{
    static QHash<QString, Held> held;
    return held;
}

bool sameFolder(int fd, const QString &path)
{
    struct stat opened {}, named {};
    return ::fstat(fd, &opened) == 0 && ::lstat(QFile::encodeName(path).constData(), &named) == 0
           && opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

void release(const QString &staging)
{
    const auto held = heldStagings().constFind(staging);
    if (held == heldStagings().cend())
        return;
    if (held->fd >= 0)
        ::close(held->fd);
    heldStagings().erase(held);
}

// Who writes into a staging folder: nobody (a leftover of a killed or
// failed run), a registration of this or another running program, or, on a
// file system without locks, nobody can tell.
enum class Writer { None, Running, Unknown };

// `*fd`, when given, receives the descriptor that holds the folder locked
// while the answer is None; the caller closes it.
Writer writerOf(const QString &staging, int *fd = nullptr)
{
    if (heldStagings().contains(staging))
        return Writer::Running;
    const int opened = ::open(QFile::encodeName(staging).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (opened < 0)
        return errno == ENOENT ? Writer::None : Writer::Unknown;
    const int error = text::lockInUse(opened, staging);
    // A name that no longer is the folder locked is being moved by another.
    const Writer writer = error == 0 ? (sameFolder(opened, staging) ? Writer::None : Writer::Running)
                          : text::noLocks(error) ? Writer::Unknown
                                                 : Writer::Running;
    if (fd && writer == Writer::None)
        *fd = opened;
    else
        ::close(opened);
    return writer;
}

// Removes a staging folder nobody writes into; where that cannot be told,
// only when `takeOver` (a registration of that date about to begin). False
// when the folder stays.
bool removeStaging(const QString &staging, bool takeOver)
{
    if (!exists(staging))
        return true;
    int fd = -1;
    const Writer writer = writerOf(staging, &fd);
    if (writer == Writer::Running || (writer == Writer::Unknown && !takeOver))
        return false;
    const bool removed = removeTree(staging);
    if (fd >= 0)
        ::close(fd);
    return removed;
}

// Takes a folder out of the invoice's names before its pages go, so that a
// reader never finds some of them; a file system that refuses the rename
// has it removed in place. False when it could not be removed.
bool removeAside(const Folders &f, const QString &folder)
{
    if (!exists(folder))
        return true;
    removeTree(f.deleted);
    if (move(folder, f.deleted)) {
        removeTree(f.deleted);
        return true;
    }
    return !exists(folder) || removeTree(folder);
}

// A staging folder that reached the swap holds its pages from page 0.
bool holdsPages(const QString &staging)
{
    const QString name = QFileInfo(staging).fileName().chopped(4).sliced(1); // ".<name>.new"
    return QFileInfo::exists(staging + QLatin1Char('/') + name + QStringLiteral(".cnv_0"));
}

// Finishes or undoes what an interrupted replacement left. The slips are
// marked before the new pages are written and the old folder moves aside
// only once the new pages are complete and synced, so what is on the disk
// decides, with locks or without:
// - `old` without `invoice`: the new pages were complete; with `staging`
//   holding them they take the invoice's place (they match the marks),
//   without (a failed run discarded them) the old pages go back.
// - `old` beside `invoice`: the new invoice is in place; `old` goes.
// - `staging` alone, not being written: an unfinished print; it goes, and
//   the invoice (if any) stays as it was. Where nobody can tell whether it
//   is being written, it stays until the next registration of that date.
// A registration writing now is left alone: its own commit finishes.
void settle(const Folders &f)
{
    const Writer writer = writerOf(f.staging);
    if (writer == Writer::Running)
        return;
    removeTree(f.deleted);
    if (exists(f.old)) {
        if (!exists(f.invoice))
            move(holdsPages(f.staging) ? f.staging : f.old, f.invoice);
        if (exists(f.invoice))
            removeTree(f.old);
    }
    if (!exists(f.old) && writer == Writer::None)
        removeStaging(f.staging, false);
}

// Where the invoice's pages are: its folder, or, while a failing disk keeps
// settle() from renaming, the leftover that takes its place.
QString currentFolder(const Folders &f)
{
    if (exists(f.invoice))
        return f.invoice;
    // A swap may have moved the old pages aside after the first look and
    // finished before the second: the invoice is there again.
    if (!exists(f.old))
        return exists(f.invoice) ? f.invoice : QString();
    return holdsPages(f.staging) && writerOf(f.staging) != Writer::Running ? f.staging : f.old;
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
    // A staging folder's creation that was killed before it took its name.
    text::removeStaleTemporaries(folder.path());
    const QStringList names = folder.entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    QSet<QDate> leftovers;
    for (const QString &name : names) {
        for (const auto *suffix : {".old", ".new", ".del"}) {
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

QVector<report::Page> loadPages(const QString &customerID, const QDate &date)
{
    const Folders f = foldersOf(customerID, date);
    settle(f);
    // The folder read must still hold the invoice once its pages are read:
    // one that a re-registration moved aside meanwhile may have lost pages
    // already, and is read again from where the invoice now is.
    for (int attempt = 0; attempt < kReadAttempts; ++attempt) {
        if (attempt > 0)
            QThread::msleep(kReadPauseMs);
        const QString folder = currentFolder(f);
        if (folder.isEmpty())
            return {};
        const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0)
            continue;
        QVector<report::Page> pages;
        bool read = true;
        try {
            pages = report::loadPagesAt(fd, folder, invoiceName(customerID, date) + QStringLiteral(".cnv"));
        } catch (const report::PageFileError &) {
            read = false;
            if (sameFolder(fd, currentFolder(f))) {
                ::close(fd);
                throw;
            }
        }
        const bool whole = read && sameFolder(fd, currentFolder(f));
        ::close(fd);
        if (whole)
            return pages;
    }
    throw ArchiveError(QStringLiteral("請求書は書き込み中です。しばらくしてからもう一度開いてください。\r\n")
                       + QDir::toNativeSeparators(f.invoice));
}

void prepareStaging(const QString &customerID, const QDate &date)
{
    const Folders f = foldersOf(customerID, date);
    // errno of the call that failed; none when another registration of the
    // date is writing into the staging folder.
    const auto fail = [&](int error) {
        throw ArchiveError(QStringLiteral("請求書フォルダーを作成できません。") + text::failureReason(error ? error : EBUSY)
                           + QStringLiteral("\r\n") + QDir::toNativeSeparators(f.staging));
    };
    release(f.staging);
    text::removeStaleTemporaries(customerFolder(customerID));
    lastFailure() = 0;
    settle(f);
    // A replacement that could not be finished is not started again. A
    // staging folder whose writer cannot be told (no locks) is taken over:
    // this registration replaces whatever it held.
    if (exists(f.old) || !removeStaging(f.staging, true))
        fail(lastFailure());
    errno = 0;
    if (!QDir().mkpath(customerFolder(customerID)))
        fail(errno);
    Held held;
    held.fd = text::makeHeldFolder(f.staging, &held.locked);
    if (held.fd < 0)
        fail(errno);
    heldStagings().insert(f.staging, held);
}

void commitStaging(const QString &customerID, const QDate &date)
{
    const Folders f = foldersOf(customerID, date);
    const auto fail = [&](int error) {
        throw ArchiveError(QStringLiteral("請求書フォルダーを置き換えられません。") + text::failureReason(error)
                           + QStringLiteral("\r\n") + QDir::toNativeSeparators(f.invoice));
    };
    const bool hadOld = exists(f.invoice);
    if (!removeTree(f.old) || (hadOld && !move(f.invoice, f.old)))
        fail(lastFailure());
    if (!move(f.staging, f.invoice)) {
        const int error = lastFailure();
        // Without locks a reader in another program may have finished this
        // swap itself: the staging folder, complete, is the invoice now.
        const bool finished = !heldStagings().value(f.staging).locked && !exists(f.staging) && exists(f.invoice);
        // Put back what can be; whatever stays is settled by
        // discardStaging or the next reader.
        if (!finished && hadOld && !exists(f.invoice))
            move(f.old, f.invoice);
        if (!finished)
            fail(error);
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

bool deleteInvoice(const QString &customerID, const QDate &date, int *error)
{
    const Folders f = foldersOf(customerID, date);
    settle(f);
    // A leftover that could not be settled would bring the invoice back;
    // without it, a staging folder no registration holds goes too.
    lastFailure() = 0;
    const bool removed = removeAside(f, f.invoice) && removeAside(f, f.old);
    if (error)
        *error = removed ? 0 : lastFailure();
    settle(f);
    return removed;
}

} // namespace seikyusho
