#include "filters/SavedFilters.h"

#include "filters/SearchFilterFile.h"
#include "platform/text/LineFile.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>

namespace searchfilter {

namespace {
quint64 changes[3] = {};

void changed(SearchFilterKind kind, const QString &name)
{
    if (!isReservedName(name))
        ++changes[int(kind)];
}
} // namespace

bool isReservedName(const QString &name)
{
    return name == QStringLiteral("全件") || name == QStringLiteral("検索フィルター")
           || name.startsWith(kTemporaryName);
}

QString reservedNameMessage()
{
    return QStringLiteral("この名前は検索フィルター名には使えません。");
}

void write(SearchFilterKind kind, const QString &name, const SearchFilterFile &filter)
{
    filter.write(filePath(kind, name));
    changed(kind, name);
}

RenameResult rename(SearchFilterKind kind, const QString &from, const QString &to, int *error)
{
    if (!isValidName(from) || !isValidName(to))
        return RenameResult::Failed;
    const QString target = filePath(kind, to);
    // An unchanged name exists too.
    if (QFileInfo::exists(target))
        return RenameResult::Exists;
    const QString source = filePath(kind, from);
    if (!QFileInfo(source).isFile())
        return RenameResult::Failed;
    // A file that appeared meanwhile is not replaced either.
    switch (text::moveWithoutReplacing(source, target)) {
    case text::MoveResult::Moved:
        changed(kind, isReservedName(from) ? to : from);
        return RenameResult::Renamed;
    case text::MoveResult::Exists:
        return RenameResult::Exists;
    case text::MoveResult::Failed:
        if (error)
            *error = errno;
        break;
    }
    return RenameResult::Failed;
}

bool remove(SearchFilterKind kind, const QString &name)
{
    if (!QFile::remove(filePath(kind, name)))
        return false;
    changed(kind, name);
    return true;
}

quint64 changeCount(SearchFilterKind kind)
{
    return changes[int(kind)];
}

} // namespace searchfilter
