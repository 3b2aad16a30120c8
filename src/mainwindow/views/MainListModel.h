#pragma once

#include "mainwindow/views/MainListRows.h"

#include <QAbstractTableModel>
#include <QVector>
#include <memory>
#include <vector>

// The model of the main window's list: a set of columns and the rows of the
// last fill, shown in the order of the last sort. Sorting compares the cells'
// texts, except in the columns whose rows give a value to sort by (amounts
// and dates).
class MainListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Role { ImageRole = Qt::UserRole + 1, TagRole };

    struct Column {
        QString caption;
        int widthTwips = 0;
        Qt::Alignment alignment = Qt::AlignLeft;
    };

    explicit MainListModel(QObject *parent = nullptr);

    // Replaces columns and rows; the list is empty afterwards.
    void setColumns(const QVector<Column> &columns);
    const QVector<Column> &columns() const { return m_columns; }
    // Replaces the rows and sorts them by the current sort column.
    void setRows(std::shared_ptr<MainListRows> rows);
    void clearRows();
    const MainListRows *rows() const { return m_rows.get(); }

    // The cell text and tag of a row as shown (after sorting).
    QString text(int row, int column = 0) const;
    int image(int row) const;
    QString tag(int row) const;

    // A row's bold mark (the rows a list print would take); it follows the
    // row through sorting and goes with the rows on the next fill.
    bool isBold(int row) const;
    void setBold(int row, bool bold);

    int sortColumn() const { return m_sortColumn; }
    Qt::SortOrder sortOrder() const { return m_sortOrder; }
    void setSort(int column, Qt::SortOrder order);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void sort(int column, Qt::SortOrder order) override;

private:
    void applySort();
    int sourceRow(int row) const { return m_order.empty() ? row : m_order[size_t(row)]; }

    QVector<Column> m_columns;
    std::shared_ptr<MainListRows> m_rows;
    std::vector<int> m_order;
    std::vector<bool> m_bold; // by source row; empty while no row is bold
    int m_sortColumn = 0;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
};
