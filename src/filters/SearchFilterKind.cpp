#include "filters/SearchFilterKind.h"

#include "core/Globals.h"
#include "filters/SearchFilterFile.h"

#include <QDir>
#include <QFileInfo>

namespace searchfilter {

QString objectName(SearchFilterKind kind)
{
    switch (kind) {
    case SearchFilterKind::Denpyo:
        return QStringLiteral("伝票");
    case SearchFilterKind::Customer:
        return QStringLiteral("顧客");
    case SearchFilterKind::Shohin:
        return QStringLiteral("商品");
    }
    return {};
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
    switch (kind) {
    case SearchFilterKind::Denpyo:
        return gstrDenpyoKensakuFilterFolder;
    case SearchFilterKind::Customer:
        return gstrCustomerKensakuFilterFolder;
    case SearchFilterKind::Shohin:
        return gstrShohinKensakuFilterFolder;
    }
    return {};
}

QString extension(SearchFilterKind kind)
{
    switch (kind) {
    case SearchFilterKind::Denpyo:
        return QStringLiteral(".dkj");
    case SearchFilterKind::Customer:
        return QStringLiteral(".ckj");
    case SearchFilterKind::Shohin:
        return QStringLiteral(".skj");
    }
    return {};
}

QString filePath(SearchFilterKind kind, const QString &name)
{
    return folder(kind) + name + extension(kind);
}

bool exists(SearchFilterKind kind, const QString &name)
{
    return QFileInfo(filePath(kind, name)).isFile();
}

const QStringList &itemTable(SearchFilterKind kind)
{
    switch (kind) {
    case SearchFilterKind::Denpyo:
        return garrDenpyoKensakuItems;
    case SearchFilterKind::Customer:
        return garrCustomerKensakuItems;
    case SearchFilterKind::Shohin:
        break;
    }
    return garrShohinKensakuItems;
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
        if (name != kTemporaryName)
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
