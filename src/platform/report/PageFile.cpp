#include "platform/report/PageFile.h"

#include "platform/text/FileFailure.h"
#include "platform/text/LineFile.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QTemporaryDir>

#include <cerrno>
#include <cstdio>
#include <optional>

namespace report {

namespace {

const quint32 kMagic = 0x51504731; // "QPG1"
const quint16 kVersion = 1;

QDataStream &operator<<(QDataStream &s, const FontSpec &f)
{
    return s << f.family << f.size << f.bold << f.italic << f.underline;
}

QDataStream &operator>>(QDataStream &s, FontSpec &f)
{
    return s >> f.family >> f.size >> f.bold >> f.italic >> f.underline;
}

[[noreturn]] void broken()
{
    throw PageFileError(QStringLiteral("印刷ページのファイルが壊れています。"));
}

bool within(qint64 v, qint64 lowest, qint64 highest)
{
    return v >= lowest && v <= highest;
}

bool drawable(const QRect &box)
{
    for (const int v : {box.left(), box.top(), box.right(), box.bottom()}) {
        if (!within(v, -kMaxItemTwips, kMaxItemTwips))
            return false;
    }
    return true;
}

// The fewest bytes an item takes in a file: a count above what the rest of
// the file can hold is a broken file, not a reason to reserve memory.
qsizetype smallestItemBytes()
{
    PageItem item;
    item.font.family.clear();
    Page one;
    one.items = {item};
    return serializePage(one).size() - serializePage(Page()).size();
}

} // namespace

QByteArray serializePage(const Page &page)
{
    QByteArray bytes;
    QDataStream s(&bytes, QIODevice::WriteOnly);
    s.setVersion(QDataStream::Qt_6_4);
    s << kMagic << kVersion << qint32(page.width) << qint32(page.height) << qint32(page.items.size());
    for (const PageItem &item : page.items) {
        s << quint8(item.type) << item.box << item.text << item.font << qint32(item.flags) << item.color
          << item.fill << qint32(item.penWidth) << quint8(item.shape) << quint8(item.sizing) << item.image;
    }
    return bytes;
}

Page parsePage(const QByteArray &bytes)
{
    QDataStream s(bytes);
    s.setVersion(QDataStream::Qt_6_4);
    quint32 magic = 0;
    quint16 version = 0;
    qint32 width = 0, height = 0, count = 0;
    s >> magic >> version >> width >> height >> count;
    if (s.status() != QDataStream::Ok || magic != kMagic)
        throw PageFileError(QStringLiteral("印刷ページのファイルではありません。"));
    if (version > kVersion)
        throw PageFileError(QStringLiteral("新しい形式の印刷ページは読み込めません。"));
    static const qsizetype itemBytes = smallestItemBytes();
    if (count < 0 || count > (bytes.size() - s.device()->pos()) / itemBytes)
        broken();
    if (!within(width, 1, kMaxTwips) || !within(height, 1, kMaxTwips))
        broken();
    Page page;
    page.width = width;
    page.height = height;
    page.items.reserve(count);
    for (int i = 0; i < count; ++i) {
        PageItem item;
        quint8 type = 0, shape = 0, sizing = 0;
        qint32 flags = 0, pen = 0;
        s >> type >> item.box >> item.text >> item.font >> flags >> item.color >> item.fill >> pen >> shape
            >> sizing >> item.image;
        if (s.status() != QDataStream::Ok || type > quint8(PageItem::Type::Image)
            || shape > quint8(ShapeStyle::Ellipse) || sizing > quint8(PictureSizing::Zoom)
            || !drawable(item.box) || !within(pen, -kMaxTwips, kMaxTwips)
            || !(item.font.size >= 0.0 && item.font.size <= kMaxFontPoints))
            broken();
        item.type = PageItem::Type(type);
        item.flags = flags;
        item.penWidth = pen;
        item.shape = ShapeStyle(shape);
        item.sizing = PictureSizing(sizing);
        page.items.append(std::move(item));
    }
    return page;
}

void savePage(const QString &path, const Page &page)
{
    text::writeBytes(path, serializePage(page));
}

namespace {

// `error`: the errno of the failed read.
PageFileError cannotOpen(const QString &path, int error)
{
    return PageFileError(QStringLiteral("ファイルを開けません: %1\r\n").arg(path) + text::readFailureReason(error));
}

Page parseFile(const QString &path, const QByteArray &bytes)
{
    try {
        return parsePage(bytes);
    } catch (const PageFileError &e) {
        throw PageFileError(path + QStringLiteral("\r\n") + e.message());
    }
}

} // namespace

Page loadPage(const QString &path)
{
    const auto bytes = text::readBytes(path);
    if (!bytes)
        throw cannotOpen(path, errno);
    return parseFile(path, *bytes);
}

QVector<Page> loadPagesAt(int folder, const QString &folderPath, const QString &prefix)
{
    QList<QByteArray> files;
    for (int i = 0;; ++i) {
        const QString name = prefix + QLatin1Char('_') + QString::number(i);
        const auto bytes = text::readBytesAt(folder, name);
        if (!bytes) {
            if (errno == ENOENT)
                break;
            throw cannotOpen(folderPath + QLatin1Char('/') + name, errno);
        }
        files << *bytes;
    }
    QVector<Page> pages;
    pages.reserve(files.size());
    for (int i = 0; i < files.size(); ++i)
        pages << parseFile(folderPath + QLatin1Char('/') + prefix + QLatin1Char('_') + QString::number(i), files[i]);
    return pages;
}

QVector<Page> loadPages(const QStringList &paths)
{
    QVector<Page> pages;
    pages.reserve(paths.size());
    for (const QString &p : paths)
        pages.append(loadPage(p));
    return pages;
}

namespace {

bool moveFile(const QString &from, const QString &to)
{
    return ::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

// A file of a set that could not be moved, and the errno why.
struct MoveFailure {
    QString name;
    int error;
};

// Moves the named files from one folder to another; on a failure moves the
// ones already moved back and says which name failed.
std::optional<MoveFailure> moveAll(const QStringList &names, const QDir &from, const QDir &to)
{
    for (int i = 0; i < names.size(); ++i) {
        if (moveFile(from.filePath(names[i]), to.filePath(names[i])))
            continue;
        const int error = errno;
        for (int j = i - 1; j >= 0; --j)
            moveFile(to.filePath(names[j]), from.filePath(names[j]));
        return MoveFailure{names[i], error};
    }
    return std::nullopt;
}

QTemporaryDir besidePages(const QDir &folder, const QString &what)
{
    errno = 0;
    QTemporaryDir dir(folder.filePath(QStringLiteral(".pages-%1-XXXXXX").arg(what)));
    // Qt's own error text is English; errno still holds the failed mkdir's.
    const int error = errno;
    if (!dir.isValid())
        throw text::TextFileError(QStringLiteral("ファイル(%1)に書き込めません。%2")
                                      .arg(folder.path(), text::failureReason(error)));
    return dir;
}

} // namespace

void writePageFiles(const QString &basePath, const QVector<Page> &pages)
{
    const QFileInfo base(basePath);
    const QDir folder = base.dir();
    const QString prefix = base.fileName();
    // An empty name part would match, and delete, every file of the folder.
    if (prefix.isEmpty())
        throw PageFileError(QStringLiteral("印刷ページの保存先にファイル名がありません: %1").arg(basePath));

    // The whole new set is written aside first; a failure (a full disk)
    // leaves the old set untouched and the new pages go with their folder.
    // Each page is synced; the names become durable with the one sync of
    // the folder they are finally moved into.
    QTemporaryDir fresh = besidePages(folder, QStringLiteral("new"));
    const QDir freshDir(fresh.path());
    QStringList newNames;
    for (int i = 0; i < pages.size(); ++i) {
        newNames << prefix + QLatin1Char('_') + QString::number(i);
        text::writeBytes(freshDir.filePath(newNames.last()), serializePage(pages[i]), text::WriteMode::IntoNewFolder);
    }

    // Then the old set moves aside and the new one takes its place; renames
    // in one folder need no space, and each one can be undone.
    QTemporaryDir old = besidePages(folder, QStringLiteral("old"));
    const QDir oldDir(old.path());
    QStringList oldNames;
    for (const QString &name : folder.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (name.startsWith(prefix))
            oldNames << name;
    }
    if (const auto failed = moveAll(oldNames, folder, oldDir))
        throw PageFileError(QStringLiteral("ファイルを削除できません: %1\r\n").arg(folder.filePath(failed->name))
                            + text::failureReason(failed->error));
    if (const auto failed = moveAll(newNames, freshDir, folder)) {
        moveAll(oldNames, oldDir, folder);
        throw text::TextFileError(QStringLiteral("ファイル(%1)に書き込めません。").arg(folder.filePath(failed->name))
                                  + text::failureReason(failed->error));
    }
    text::syncFolder(folder.path());
}

QStringList pageFilePaths(const QString &basePath)
{
    QStringList paths;
    for (int i = 0;; ++i) {
        const QString p = basePath + QLatin1Char('_') + QString::number(i);
        if (!QFileInfo::exists(p))
            break;
        paths << p;
    }
    return paths;
}

} // namespace report
