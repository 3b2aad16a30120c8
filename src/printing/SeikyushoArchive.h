#pragma once

#include "platform/report/Page.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVector>
#include <stdexcept>

// The archive of printed monthly invoices under gstrTsukiSeikyushoFolder:
// one folder per customer, in it one folder per invoice named
// <ID>_<YYYYMMDD>, holding the pages <ID>_<YYYYMMDD>.cnv_0, _1, ...
namespace seikyusho {

// Its message says why in Japanese.
class ArchiveError : public std::runtime_error {
public:
    explicit ArchiveError(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString &message() const { return m_message; }

private:
    QString m_message;
};

QString invoiceName(const QString &customerID, const QDate &date); // "A01_20240320"
QString customerFolder(const QString &customerID);                 // ends with "/"
QString invoiceFolder(const QString &customerID, const QDate &date); // ends with "/"
QString pageBasePath(const QString &customerID, const QDate &date);
// Where a new invoice's pages are written before they take the place of
// the invoice folder (its name begins with ".", so no list shows it).
QString stagingFolder(const QString &customerID, const QDate &date);
QString stagingBasePath(const QString &customerID, const QDate &date);

// Every call below that reads or changes an invoice first settles what an
// interrupted replacement of it left behind (the program or the disk failed
// between its renames): afterwards the invoice has all its old pages or all
// its new ones, and staging folders no registration is writing into are
// gone.

// The invoice dates archived for the customer, oldest first: only folders
// named <ID>_<YYYYMMDD> with a valid date.
QVector<QDate> invoiceDates(const QString &customerID);
bool invoiceExists(const QString &customerID, const QDate &date);
// The page files of an invoice, from 0 up to the first gap.
QStringList pagePaths(const QString &customerID, const QDate &date);
// The pages of an invoice, from 0 up to the first gap, all of one
// registration even while another program replaces them; none when there
// is no invoice. Throws report::PageFileError for a page that cannot be
// read, ArchiveError when a replacement keeps them changing.
QVector<report::Page> loadPages(const QString &customerID, const QDate &date);

// Makes an empty staging folder (the customer folder when missing too) and
// holds it as being written until commitStaging or discardStaging. Throws
// ArchiveError.
void prepareStaging(const QString &customerID, const QDate &date);
// The staged pages, complete and synced, take the invoice folder's place;
// the old invoice is removed only once the new one is in place. Throws
// ArchiveError; discardStaging then leaves the old invoice or, when the old
// one had already moved aside, the new one.
void commitStaging(const QString &customerID, const QDate &date);
void discardStaging(const QString &customerID, const QDate &date);

// Deletes the invoice folder with its pages; false when it could not be
// removed completely, `*error` (when given) then holding the errno why.
bool deleteInvoice(const QString &customerID, const QDate &date, int *error = nullptr);

} // namespace seikyusho
