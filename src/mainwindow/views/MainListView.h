#pragma once

#include <QTreeView>

class MainListModel;

// A report-style list of the main window (the main list, the action menu
// and the details pane). It takes no typed text; it reports the keys the
// main window acts on and leaves their meaning to the commands.
class MainListView : public QTreeView {
    Q_OBJECT
public:
    explicit MainListView(const QString &name, QWidget *parent = nullptr);

    MainListModel *listModel() const { return m_model; }
    int rowCountShown() const;
    // Row numbers (as shown) of the selected rows, ascending.
    QList<int> selectedRowNumbers() const;
    // The current row, or -1.
    int currentRowNumber() const;
    // The row a command on "the selected item" works on: the current row
    // when it is selected, else the first selected row; -1 when no row is
    // selected.
    int selectedItemRow() const;
    void setMultiSelect(bool on);
    bool multiSelect() const;
    // How the rows are shown: 0 large icons, 1 small icons, 2 names only,
    // 3 report (every column under its header). The icon and name modes
    // show the first column alone, without the header.
    void setListViewMode(int mode);
    int listViewMode() const { return m_viewMode; }

signals:
    void openRequested();          // Enter or a double click on a list with rows
    void escapePressed();
    void deletePressed();
    void f2Pressed();
    // The right button released over the list, or the Menu key or
    // Shift+F10 (at the current row, as the keyboard has no pointer).
    void contextMenuReleased(const QPoint &globalPos);
    void focusLost();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void keyboardSearch(const QString &search) override;

private:
    QPoint menuPositionAtCurrentRow() const;

    MainListModel *m_model;
    int m_viewMode = 3;
};
