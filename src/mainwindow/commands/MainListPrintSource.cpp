#include "mainwindow/commands/MainListPrintSource.h"

#include "mainwindow/views/MainListModel.h"
#include "mainwindow/views/MainListView.h"

#include <QHeaderView>
#include <QItemSelectionModel>

int MainListPrintSource::rowCount() const
{
    return m_list->listModel()->rowCount();
}

QString MainListPrintSource::rowText(int row) const
{
    return m_list->listModel()->text(row);
}

bool MainListPrintSource::rowSelected(int row) const
{
    return m_list->selectionModel()->isRowSelected(row, QModelIndex());
}

void MainListPrintSource::setRowBold(int row, bool bold)
{
    m_list->listModel()->setBold(row, bold);
}

void MainListPrintSource::sortByFirstColumn()
{
    MainListModel *model = m_list->listModel();
    const Qt::SortOrder order = model->sortOrder();
    model->sort(0, order);
    m_list->header()->setSortIndicatorShown(true);
    m_list->header()->setSortIndicator(0, order);
}
