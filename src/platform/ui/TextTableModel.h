#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <QVector>

namespace ui {

// A read-only table of texts for a list view: a caption and an alignment
// per column, the rows' cells as given. A long list is handed over in one
// step and shown without an item object per cell.
class TextTableModel : public QAbstractTableModel {
public:
    struct Column {
        QString caption;
        Qt::Alignment alignment = Qt::AlignLeft;
    };

    using QAbstractTableModel::QAbstractTableModel;

    void setColumns(const QVector<Column> &columns);
    // A row with fewer cells than columns shows the rest empty.
    void setRows(QVector<QStringList> rows);
    void clear() { setRows({}); }
    // The cell's text; "" outside the table.
    QString text(int row, int column) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QVector<Column> m_columns;
    QVector<QStringList> m_rows;
};

} // namespace ui
