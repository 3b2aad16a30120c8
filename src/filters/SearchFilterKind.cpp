#include "filters/SearchFilterKind.h"

#include "core/Globals.h"
#include "filters/SearchFilterFile.h"

#include <QDir>
#include <QFileInfo>

namespace searchfilter {
namespace {

// Indexed by SearchFilterKind.
struct KindInfo {
    QString objectName;
    QString extension;
    QString *folder;
    QStringList *items;
};

const KindInfo &info(SearchFilterKind kind)
{
    static const KindInfo kinds[] = {
        {QStringLiteral("伝票"), QStringLiteral(".dkj"), &gstrDenpyoKensakuFilterFolder,
         &garrDenpyoKensakuItems},
        {QStringLiteral("顧客"), QStringLiteral(".ckj"),
         &gstrCustomerKensakuFilterFolder, &garrCustomerKensakuItems},
        {QStringLiteral("商品"), QStringLiteral(".skj"), &gstrShohinKensakuFilterFolder,
         &garrShohinKensakuItems},
    };
    return kinds[int(kind)];
}

} // namespace

QString objectName(SearchFilterKind kind)
{
    return info(kind).objectName;
}

std::optional<SearchFilterKind> kindFromObjectName(const QString &name)
{
    for (auto kind : {SearchFilterKind::Denpyo, SearchFilterKind::Customer, SearchFilterKind::Shohin}) {
        if (objectName(kind) == name)
            return kind;
    }
    return std::nullopt;
}

QString folder(SearchFilterKind kind)
{
    return *info(kind).folder;
}

QString extension(SearchFilterKind kind)
{
    return info(kind).extension;
}

bool isValidName(const QString &name)
{
    if (name.trimmed().isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    for (QChar c : name) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.isNull())
            return false;
    }
    return true;
}

// Every path built from a filter name is built here.
QString filePath(SearchFilterKind kind, const QString &name)
{
    if (!isValidName(name))
        throw InvalidFilterName(QStringLiteral("%1検索フィルター名(%2)はファイル名に使えません。")
                                    .arg(objectName(kind), name));
    return folder(kind) + name + extension(kind);
}

bool exists(SearchFilterKind kind, const QString &name)
{
    return isValidName(name) && QFileInfo(filePath(kind, name)).isFile();
}

const QStringList &itemTable(SearchFilterKind kind)
{
    return *info(kind).items;
}

QStringList savedNames(SearchFilterKind kind)
{
    const QString ext = extension(kind);
    QDir dir(folder(kind));
    QStringList names;
    // The pattern match is case-insensitive on some systems only; compare
    // the extension ourselves so every platform lists the same filters.
    const auto entries = dir.entryInfoList(QDir::Files);
    for (const QFileInfo &info : entries) {
        const QString fileName = info.fileName();
        if (fileName.size() <= ext.size() || !fileName.endsWith(ext, Qt::CaseInsensitive))
            continue;
        const QString name = fileName.left(fileName.size() - ext.size());
        if (name != kTemporaryName && isValidName(name))
            names << name;
    }
    names.sort();
    return names;
}

void ensureTemporaryFilter(SearchFilterKind kind)
{
    if (!exists(kind, kTemporaryName))
        SearchFilterFile().write(filePath(kind, kTemporaryName));
}

} // namespace searchfilter
