#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The three registers a saved search filter can be written for. Each kind
// has its own folder, file extension and search-item table.
enum class SearchFilterKind { Denpyo, Customer, Shohin };

namespace searchfilter {

// The reserved name of each kind's one-off search: an ordinary filter file
// that is rewritten for every temporary search and never listed.
inline const QString kTemporaryName = QStringLiteral("一時検索");

// "伝票", "顧客", "商品": the register's word, also the editor's ObjectName.
QString objectName(SearchFilterKind kind);
std::optional<SearchFilterKind> kindFromObjectName(const QString &objectName);

// The kind's folder (ends in "/"), extension (".dkj", ".ckj", ".skj") and
// the file of a named filter.
QString folder(SearchFilterKind kind);
QString extension(SearchFilterKind kind);
QString filePath(SearchFilterKind kind, const QString &name);
bool exists(SearchFilterKind kind, const QString &name);

// The kind's search-item table as built at start-up.
const QStringList &itemTable(SearchFilterKind kind);

// The saved filters of a kind, sorted by name, without the temporary one.
QStringList savedNames(SearchFilterKind kind);

// Creates the kind's temporary filter as an empty file when it is missing.
// Throws text::TextFileError when it cannot be written.
void ensureTemporaryFilter(SearchFilterKind kind);

} // namespace searchfilter
