#pragma once

#include "filters/SearchFilterKind.h"
#include "mainwindow/views/MainListModel.h"
#include "mainwindow/views/MainListRows.h"

// The rows of a register's root action menu: five fixed actions (new,
// edit, search, saved filters, all records), then one row per saved filter,
// ordered by the hidden sort-key column. Each row's tag says what it is, so
// that a saved filter named like a fixed row still opens as a filter.
class RootMenuRows : public TextListRows {
public:
    static inline const QString kNew = QStringLiteral("New");
    static inline const QString kUpdate = QStringLiteral("Update");
    static inline const QString kFind = QStringLiteral("Find");
    static inline const QString kFilters = QStringLiteral("Filters");
    static inline const QString kAll = QStringLiteral("All");
    static inline const QString kFilter = QStringLiteral("Filter");

    explicit RootMenuRows(SearchFilterKind kind);

    // 名前, 説明 and the hidden ｿｰﾄｷｰ (sort by column 2).
    static QVector<MainListModel::Column> columns();
    static constexpr int kSortColumn = 2;
};
