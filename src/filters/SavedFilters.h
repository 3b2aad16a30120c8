#pragma once

#include "filters/SearchFilterKind.h"

#include <QString>

// What the main window and the editor do with saved filters as files:
// names they may take, renaming and deleting.
namespace searchfilter {

// Names no saved filter may take: "全件" and "検索フィルター" (fixed rows of
// the menus and nodes of the tree, which a filter of that name would hide
// behind) and every name beginning with the temporary search's name (one
// of them is rewritten by every one-off search, the others would never be
// listed).
bool isReservedName(const QString &name);
// What the user is told when a reserved name is given.
QString reservedNameMessage();

enum class RenameResult { Renamed, Exists, Failed };
// Renames a filter's file; never replaces another filter.
RenameResult rename(SearchFilterKind kind, const QString &from, const QString &to);

// Deletes a filter's file; false when there was none to delete or it could
// not be deleted.
bool remove(SearchFilterKind kind, const QString &name);

} // namespace searchfilter
