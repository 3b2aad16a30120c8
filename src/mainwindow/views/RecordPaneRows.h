#pragma once

#include "mainwindow/views/MainListModel.h"
#include "mainwindow/views/MainListRows.h"

#include <QVector>

class Customer;
class Denpyo;
class Shohin;

// The rows of an opened record's two panes: the contents (one fact per
// row) and the action menu, whose row captions are what the commands act on.
namespace recordpane {

// Contents of a slip: 項目, ｺｰﾄﾞ, 名前, 金額, 詳細.
std::shared_ptr<TextListRows> denpyoContents(const Denpyo &d);
QVector<MainListModel::Column> denpyoContentsColumns(const QVector<int> &widths);
// The five widths of the stored record ("DenpyoColumnWidth"): five fields of
// five digits; a field that is missing or holds no number gives 0, an empty
// record the default.
QVector<int> decodeDenpyoColumnWidths(const QString &record);
QString encodeDenpyoColumnWidths(const QVector<int> &widths);
inline const QString kDefaultDenpyoColumnWidths = QStringLiteral("0100001000025000120003200");

// Contents of a customer or a product: 項目, 内容.
std::shared_ptr<TextListRows> customerContents(const Customer &c);
std::shared_ptr<TextListRows> shohinContents(const Shohin &s);
QVector<MainListModel::Column> registerContentsColumns();

// The action menu of a slip, a customer or a product ("伝票", "顧客",
// "商品"): the fixed rows, then one print row per form in the folder.
std::shared_ptr<TextListRows> itemMenu(const QString &kind, const QString &printFormFolder);
QVector<MainListModel::Column> itemMenuColumns();
constexpr int kItemMenuSortColumn = 2;

} // namespace recordpane
