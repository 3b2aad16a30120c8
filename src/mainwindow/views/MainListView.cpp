#include "mainwindow/views/MainListView.h"

#include "mainwindow/views/MainListModel.h"

#include <algorithm>

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMouseEvent>

MainListView::MainListView(const QString &name, QWidget *parent) : QTreeView(parent), m_model(new MainListModel(this))
{
    setObjectName(name);
    setModel(m_model);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setIconSize(QSize(16, 16));
    header()->setStretchLastSection(false);
    header()->setSectionsMovable(false);
    header()->setMinimumSectionSize(0);
}

void MainListView::setListViewMode(int mode)
{
    m_viewMode = mode >= 0 && mode <= 3 ? mode : 3;
    const bool report = m_viewMode == 3;
    setHeaderHidden(!report);
    for (int column = 1; column < m_model->columnCount(); ++column)
        setColumnHidden(column, !report);
    const int icon = m_viewMode == 0 ? 32 : 16;
    setIconSize(QSize(icon, icon));
}

int MainListView::rowCountShown() const
{
    return m_model->rowCount();
}

QList<int> MainListView::selectedRowNumbers() const
{
    // Read from the selection's ranges: asking the selection model for its
    // rows checks every row against every range, which takes minutes once
    // a long list is selected row by row.
    QList<int> rows;
    const int lastColumn = model() ? model()->columnCount() - 1 : -1;
    for (const QItemSelectionRange &range : selectionModel()->selection()) {
        if (range.parent().isValid())
            continue;
        const bool wholeRows = range.left() <= 0 && range.right() >= lastColumn;
        for (int row = range.top(); row <= range.bottom(); ++row) {
            if (wholeRows || selectionModel()->isRowSelected(row, QModelIndex()))
                rows.append(row);
        }
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

int MainListView::currentRowNumber() const
{
    const QModelIndex index = currentIndex();
    return index.isValid() ? index.row() : -1;
}

int MainListView::selectedItemRow() const
{
    const int current = currentRowNumber();
    if (current >= 0 && selectionModel()->isRowSelected(current, QModelIndex()))
        return current;
    const QList<int> rows = selectedRowNumbers();
    return rows.isEmpty() ? -1 : rows.first();
}

void MainListView::setMultiSelect(bool on)
{
    setSelectionMode(on ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
}

bool MainListView::multiSelect() const
{
    return selectionMode() == QAbstractItemView::ExtendedSelection;
}

void MainListView::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (rowCountShown() > 0)
            emit openRequested();
        return;
    case Qt::Key_Delete:
        emit deletePressed();
        return;
    case Qt::Key_Escape:
        emit escapePressed();
        return;
    case Qt::Key_F2:
        emit f2Pressed();
        return;
    case Qt::Key_Menu:
        emit contextMenuReleased(menuPositionAtCurrentRow());
        return;
    case Qt::Key_F10:
        if (event->modifiers() == Qt::ShiftModifier) {
            emit contextMenuReleased(menuPositionAtCurrentRow());
            return;
        }
        break;
    default:
        break;
    }
    // Select all and copy are the window's commands, not the list's own.
    if (event->modifiers() & Qt::ControlModifier) {
        if (event->key() == Qt::Key_A || event->key() == Qt::Key_C)
            return;
    }
    QTreeView::keyPressEvent(event);
}

void MainListView::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rowCountShown() > 0) {
        emit openRequested();
        return;
    }
    QTreeView::mouseDoubleClickEvent(event);
}

void MainListView::mouseReleaseEvent(QMouseEvent *event)
{
    QTreeView::mouseReleaseEvent(event);
    if (event->button() == Qt::RightButton)
        emit contextMenuReleased(event->globalPosition().toPoint());
}

void MainListView::contextMenuEvent(QContextMenuEvent *event)
{
    // The window system may report the Menu key as a request of its own
    // beside the key press, which opens the menu already; the mouse opens
    // it on the button's release.
    event->accept();
}

QPoint MainListView::menuPositionAtCurrentRow() const
{
    const QRect row = visualRect(currentIndex());
    if (!row.isValid() || !viewport()->rect().intersects(row))
        return viewport()->mapToGlobal(QPoint(0, 0));
    // Beside the row, not over it, so that the row stays readable.
    return viewport()->mapToGlobal(QPoint(row.left() + row.height(), row.bottom() + 1));
}

void MainListView::focusOutEvent(QFocusEvent *event)
{
    QTreeView::focusOutEvent(event);
    emit focusLost();
}

void MainListView::keyboardSearch(const QString &search)
{
    Q_UNUSED(search); // the window discards typed characters
}
