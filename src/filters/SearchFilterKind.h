#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <stdexcept>

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

// A filter name that cannot name a file inside the kind's folder.
class InvalidFilterName : public std::runtime_error {
public:
    explicit InvalidFilterName(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString &message() const { return m_message; }

private:
    QString m_message;
};

// False for a name that is empty or blank, "." or "..", or holds a path
// separator ("/" or "\\") or a NUL: such a name, whoever passes it, would
// not name a file of its own inside the filter folder.
bool isValidName(const QString &name);

// The kind's folder (ends in "/"), extension (".dkj", ".ckj", ".skj") and
// the file of a named filter. filePath throws InvalidFilterName for a name
// that is not valid; exists is false for it.
QString folder(SearchFilterKind kind);
QString extension(SearchFilterKind kind);
QString filePath(SearchFilterKind kind, const QString &name);
bool exists(SearchFilterKind kind, const QString &name);

// The kind's search-item table as built at start-up.
const QStringList &itemTable(SearchFilterKind kind);

// The saved filters of a kind, sorted by name, without the temporary one
// and without files whose name part is no valid filter name.
QStringList savedNames(SearchFilterKind kind);

// Creates the kind's temporary filter as an empty file when it is missing.
// Throws text::TextFileError when it cannot be written.
void ensureTemporaryFilter(SearchFilterKind kind);

} // namespace searchfilter
