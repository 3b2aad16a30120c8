#pragma once

#include <QString>
#include <memory>

class TextListRows;
class frmMainForm;

// The saved search filters of one register as the main list shows them,
// and what the list does with their files.
namespace filterfolder {

// The list name of the folder of saved filters.
inline const QString kFolderName = QStringLiteral("検索フィルター");
// The first row, which creates a filter; its leading blank sorts it first.
inline const QString kAddRow = QStringLiteral(" フィルターの追加");
inline const QString kAddRowTag = QStringLiteral("AddFilter");

// The add row, then one row per filter file of the kind ("伝票", "顧客",
// "商品"), the temporary search left out.
std::shared_ptr<TextListRows> rows(const QString &kind);

} // namespace filterfolder

// Deletes the filters selected in the main list after one question; true
// when a file was deleted.
bool DeleteFilters(frmMainForm &form, const QString &kind);
// Renames a filter through the name dialog; true when its file got the new
// name.
bool RenameFilter(frmMainForm &form, const QString &kind, const QString &name);
