#pragma once

#include "filters/SearchFilterKind.h"

#include <QString>

class SearchFilterFile;

// What the main window and the editor do with saved filters as files:
// names they may take, writing, renaming and deleting.
namespace searchfilter {

// Names no saved filter may take: "全件" and "検索フィルター" (fixed rows of
// the menus and nodes of the tree, which a filter of that name would hide
// behind) and every name beginning with the temporary search's name (one
// of them is rewritten by every one-off search, the others would never be
// listed).
bool isReservedName(const QString &name);
// What the user is told when a reserved name is given.
QString reservedNameMessage();

// Writes a filter under its name (SearchFilterFile::write: throws
// text::TextFileError, the old file then stays as it was).
void write(SearchFilterKind kind, const QString &name, const SearchFilterFile &filter);

enum class RenameResult { Renamed, Exists, Failed };
// Renames a filter's file; never replaces another filter. When the file
// system refuses the rename, `*error` (when given) holds the errno why.
RenameResult rename(SearchFilterKind kind, const QString &from, const QString &to, int *error = nullptr);

// Deletes a filter's file; false when there was none to delete or it could
// not be deleted.
bool remove(SearchFilterKind kind, const QString &name);

// Moves with every filter of the kind written, renamed or deleted through
// the routines above, whichever window called them: the main window's tree
// and menus, which list the saved filters, compare it with the count they
// were built at. Filters of reserved names (the one-off search's, rewritten
// for every search) are listed nowhere and do not move it.
quint64 changeCount(SearchFilterKind kind);

} // namespace searchfilter
