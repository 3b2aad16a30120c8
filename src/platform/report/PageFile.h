#pragma once

#include "platform/report/Page.h"

#include <QString>
#include <QStringList>
#include <QVector>
#include <stdexcept>

// Page files: one rendered page per file in a binary form of our own.
namespace report {

class PageFileError : public std::runtime_error {
public:
    explicit PageFileError(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString &message() const { return m_message; }

private:
    QString m_message;
};

QByteArray serializePage(const Page &page);
Page parsePage(const QByteArray &bytes); // throws PageFileError

// Writes safely (temporary file, renamed); throws text::TextFileError.
void savePage(const QString &path, const Page &page);
// Throws PageFileError when the file cannot be read or is no page file.
Page loadPage(const QString &path);
QVector<Page> loadPages(const QStringList &paths);
// The pages prefix_0, prefix_1, ... up to the first gap, read from an open
// folder (a descriptor) so that all come from that one folder, wherever it
// is moved meanwhile; folderPath names it in messages. Throws
// PageFileError like loadPage.
QVector<Page> loadPagesAt(int folder, const QString &folderPath, const QString &prefix);

// Replaces the set of page files under basePath (the folder part of
// basePath names the folder, the rest is the start of the file names):
// afterwards page i is in basePath + "_" + i and no other file's name
// begins with that start. The new set is written completely beside the old
// one before it takes the old one's place, so on any failure the old set
// stays as it was. Throws PageFileError when an old file cannot be moved,
// text::TextFileError when a page cannot be written.
void writePageFiles(const QString &basePath, const QVector<Page> &pages);
// The page files basePath_0, basePath_1, ... that exist, up to the first gap.
QStringList pageFilePaths(const QString &basePath);

} // namespace report
