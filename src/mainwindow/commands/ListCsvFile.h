#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

class Customer;
class Denpyo;
class Shohin;

// The CSV file of the selected rows of a slip, customer or product list:
// a row of column names, then the records' rows, every row ended by CR LF,
// in CP932. Every value stands in double quotes with its own quotes doubled
// and its line breaks written as "//", so that no value breaks a row; the
// 28 empty slip values before a slip's further line items too.
class ListCsvFile {
public:
    // "伝票_", "顧客_" or "商品_" and the moment as YYMMDDHHMMSS.
    static QString suggestedFileName(const QString &kind, const QDateTime &at);

    static QString DenpyoHeader();
    static QString CustomerHeader();
    static QString ShohinHeader();
    // One row per line item.
    static QString DenpyoRows(const Denpyo &slip);
    static QString CustomerRow(const Customer &customer);
    static QString ShohinRow(const Shohin &shohin);

    // The whole file for the list rows' texts of the kind ("伝票", "顧客",
    // "商品"): each record loaded afresh by its row text, a record that has
    // gone left out. Throws db::DbError.
    static QString text(const QString &kind, const QStringList &rowTexts);

    // Writes the text in CP932 through the safe writer, replacing the file
    // only once it is whole; returns how many characters without a CP932
    // form were written as "?". Throws text::TextFileError.
    static qsizetype write(const QString &path, const QString &text);
    // The file of the list rows' texts of the kind, as text() and write()
    // make it, written while the records are read: a slip is read column by
    // column as the file shows it, and the file never stands whole in
    // memory. Returns how many characters were written as "?". Throws
    // db::DbError or text::TextFileError, the old file then left whole.
    static qsizetype writeList(const QString &path, const QString &kind, const QStringList &rowTexts);
    // The note shown after an export that replaced characters.
    static QString replacedMessage(qsizetype count);
};
