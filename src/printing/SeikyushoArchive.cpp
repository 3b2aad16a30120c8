#include "printing/SeikyushoArchive.h"

#include "core/Globals.h"
#include "platform/report/PageFile.h"
#include "platform/text/LineFile.h"

#include <QDir>
#include <QFileInfo>

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
} // namespace

QVector<QDate> invoiceDates(const QString &customerID)
{
    QVector<QDate> dates;
    if (customerID.isEmpty() || customerID.contains(QLatin1Char('/')))
        return dates;
    const QString prefix = customerID + QLatin1Char('_');
    const QStringList names = QDir(customerFolder(customerID)).entryList(QDir::Dirs | QDir::NoDotAndDotDot,
                                                                          QDir::Name);
    for (const QString &name : names) {
        if (!name.startsWith(prefix) || name.size() != prefix.size() + 8)
            continue;
        const QString digits = name.mid(prefix.size());
        bool allDigits = true;
        for (QChar ch : digits)
            allDigits = allDigits && ch >= QLatin1Char('0') && ch <= QLatin1Char('9');
        const QDate date = QDate::fromString(digits, QStringLiteral("yyyyMMdd"));
        if (allDigits && date.isValid())
            dates << date;
    }
    return dates;
}

bool invoiceExists(const QString &customerID, const QDate &date)
{
    return QFileInfo(withoutSlash(invoiceFolder(customerID, date))).exists();
}

QStringList pagePaths(const QString &customerID, const QDate &date)
{
    return report::pageFilePaths(pageBasePath(customerID, date));
}

void prepareStaging(const QString &customerID, const QDate &date)
{
    const QString staging = withoutSlash(stagingFolder(customerID, date));
    if (!removeTree(staging) || !QDir().mkpath(staging))
        throw ArchiveError(QStringLiteral("請求書フォルダーを作成できません。\r\n") + QDir::toNativeSeparators(staging));
}

void commitStaging(const QString &customerID, const QDate &date)
{
    const QString staging = withoutSlash(stagingFolder(customerID, date));
    const QString target = withoutSlash(invoiceFolder(customerID, date));
    const QString old = oldFolder(customerID, date);
    const bool hadOld = QFileInfo(target).exists();
    const auto move = [](const QString &from, const QString &to) {
        return text::moveWithoutReplacing(from, to) == text::MoveResult::Moved;
    };
    if (hadOld && (!removeTree(old) || !move(target, old)))
        throw ArchiveError(QStringLiteral("請求書フォルダーを置き換えられません。\r\n") + QDir::toNativeSeparators(target));
    if (!move(staging, target)) {
        if (hadOld)
            move(old, target);
        throw ArchiveError(QStringLiteral("請求書フォルダーを置き換えられません。\r\n") + QDir::toNativeSeparators(target));
    }
    if (hadOld)
        removeTree(old);
}

void discardStaging(const QString &customerID, const QDate &date)
{
    removeTree(withoutSlash(stagingFolder(customerID, date)));
}

bool deleteInvoice(const QString &customerID, const QDate &date)
{
    return removeTree(withoutSlash(invoiceFolder(customerID, date)));
}

} // namespace seikyusho
