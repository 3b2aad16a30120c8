#include "mainwindow/views/MainListModel.h"

#include "mainwindow/views/MainImages.h"

#include <QFont>
#include <algorithm>
#include <numeric>

MainListModel::MainListModel(QObject *parent) : QAbstractTableModel(parent) {}

void MainListModel::setColumns(const QVector<Column> &columns)
{
    beginResetModel();
    m_columns = columns;
    m_rows.reset();
    m_order.clear();
    m_bold.clear();
    endResetModel();
}

void MainListModel::setRows(std::shared_ptr<MainListRows> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    m_order.clear();
    m_bold.clear();
    applySort();
    endResetModel();
}

void MainListModel::clearRows()
{
    setRows(nullptr);
}

QString MainListModel::text(int row, int column) const
{
    if (!m_rows || row < 0 || row >= m_rows->count())
        return QString();
    return m_rows->text(sourceRow(row), column);
}

int MainListModel::image(int row) const
{
    if (!m_rows || row < 0 || row >= m_rows->count())
        return 0;
    return m_rows->image(sourceRow(row));
}

QString MainListModel::tag(int row) const
{
    if (!m_rows || row < 0 || row >= m_rows->count())
        return QString();
    return m_rows->tag(sourceRow(row));
}

void MainListModel::setSort(int column, Qt::SortOrder order)
{
    sort(column, order);
}

int MainListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() || !m_rows ? 0 : m_rows->count();
}

int MainListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant MainListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || !m_rows)
        return QVariant();
    const int row = sourceRow(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return m_rows->text(row, index.column());
    case Qt::DecorationRole:
        if (index.column() == 0) {
            const int picture = m_rows->image(row);
            return picture > 0 ? QVariant(MainImages::listImage(picture)) : QVariant();
        }
        return QVariant();
    case Qt::TextAlignmentRole:
        if (index.column() < m_columns.size())
            return int(m_columns[index.column()].alignment | Qt::AlignVCenter);
        return QVariant();
    case Qt::FontRole:
        if (size_t(row) < m_bold.size() && m_bold[size_t(row)]) {
            QFont font;
            font.setBold(true);
            return font;
        }
        return QVariant();
    case ImageRole:
        return m_rows->image(row);
    case TagRole:
        return m_rows->tag(row);
    default:
        return QVariant();
    }
}

QVariant MainListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_columns.size())
        return QVariant();
    if (role == Qt::DisplayRole)
        return m_columns[section].caption;
    if (role == Qt::TextAlignmentRole)
        return int(m_columns[section].alignment | Qt::AlignVCenter);
    return QVariant();
}

bool MainListModel::isBold(int row) const
{
    if (!m_rows || row < 0 || row >= m_rows->count())
        return false;
    const size_t source = size_t(sourceRow(row));
    return source < m_bold.size() && m_bold[source];
}

void MainListModel::setBold(int row, bool bold)
{
    if (!m_rows || row < 0 || row >= m_rows->count() || isBold(row) == bold)
        return;
    if (m_bold.empty())
        m_bold.resize(size_t(m_rows->count()), false);
    m_bold[size_t(sourceRow(row))] = bold;
    emit dataChanged(index(row, 0), index(row, columnCount() - 1), {Qt::FontRole});
}

void MainListModel::sort(int column, Qt::SortOrder order)
{
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    std::vector<int> oldSource;
    oldSource.reserve(size_t(before.size()));
    for (const QModelIndex &index : before)
        oldSource.push_back(sourceRow(index.row()));
    m_sortColumn = column;
    m_sortOrder = order;
    applySort();
    if (!before.isEmpty()) {
        std::vector<int> position(m_order.size());
        for (size_t i = 0; i < m_order.size(); ++i)
            position[size_t(m_order[i])] = int(i);
        QModelIndexList after;
        after.reserve(before.size());
        for (qsizetype i = 0; i < before.size(); ++i)
            after.push_back(index(position[size_t(oldSource[size_t(i)])], before[i].column()));
        changePersistentIndexList(before, after);
    }
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void MainListModel::applySort()
{
    const int n = m_rows ? m_rows->count() : 0;
    m_order.resize(size_t(n));
    std::iota(m_order.begin(), m_order.end(), 0);
    if (n < 2 || m_sortColumn < 0 || m_sortColumn >= m_columns.size())
        return;
    const bool ascending = m_sortOrder == Qt::AscendingOrder;
    if (m_rows->inOrder(m_sortColumn, ascending))
        return;
    // Rows already in key order (a slip list loaded in number order) keep
    // their order without the cost of a sort.
    const auto sortBy = [&](auto compare) {
        auto less = [&](int a, int b) {
            const int c = compare(a, b);
            return ascending ? c < 0 : c > 0;
        };
        if (!std::is_sorted(m_order.begin(), m_order.end(), less))
            std::stable_sort(m_order.begin(), m_order.end(), less);
    };
    if (m_rows->sortsByValue(m_sortColumn)) {
        std::vector<std::optional<double>> keys(static_cast<size_t>(n));
        for (int i = 0; i < n; ++i)
            keys[size_t(i)] = m_rows->sortValue(i, m_sortColumn);
        sortBy([&](int a, int b) {
            const std::optional<double> &x = keys[size_t(a)], &y = keys[size_t(b)];
            if (!x || !y)
                return int(bool(x)) - int(bool(y));
            return *x < *y ? -1 : *y < *x ? 1 : 0;
        });
        return;
    }
    std::vector<QString> keys(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
        keys[size_t(i)] = m_rows->text(i, m_sortColumn);
    sortBy([&](int a, int b) { return QString::compare(keys[size_t(a)], keys[size_t(b)], Qt::CaseInsensitive); });
}
