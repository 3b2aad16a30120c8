#include "filters/SavedFilters.h"

#include "platform/text/LineFile.h"

#include <QFile>
#include <QFileInfo>

namespace searchfilter {

bool isReservedName(const QString &name)
{
    return name == QStringLiteral("全件") || name == QStringLiteral("検索フィルター")
           || name.startsWith(kTemporaryName);
}

QString reservedNameMessage()
{
    return QStringLiteral("この名前は検索フィルター名には使えません。");
}

RenameResult rename(SearchFilterKind kind, const QString &from, const QString &to)
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
        return RenameResult::Renamed;
    case text::MoveResult::Exists:
        return RenameResult::Exists;
    case text::MoveResult::Failed:
        break;
    }
    return RenameResult::Failed;
}

bool remove(SearchFilterKind kind, const QString &name)
{
    return QFile::remove(filePath(kind, name));
}

} // namespace searchfilter
