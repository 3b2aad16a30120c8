#pragma once

#include <QLineEdit>
#include <QPointer>
#include <QTableView>
#include <QVector>


namespace grid {

class GridModel;

// A grid of text cells for keyboard entry: a fixed heading row (row 0) and
// a fixed first column (column 0); data rows are numbered from 1. Cells are
// edited in place, and only when the program opens the editor (EditCell);
// the owner decides from the events below what a key or a click does.
//
// Key events hand the key code by reference: a handler that sets it to 0
// keeps the key from the grid and the cell editor.
class FlexGrid : public QTableView {
    Q_OBJECT
public:
    explicit FlexGrid(QWidget *parent = nullptr);
    ~FlexGrid() override;

    // Columns including the fixed one; headings are row 0's texts.
    int Cols() const;
    void setCols(int cols);
    void setHeading(int col, const QString &text);
    void setColumnAlignment(int col, Qt::Alignment alignment);
    // Columns whose cells the editor may be opened on.
    void setColumnEditable(int col, bool editable);

    // Rows including the heading row. Fewer drops rows from the end, more
    // appends blank rows.
    int Rows() const;
    void setRows(int rows);
    // Appends a row (row < 1) or inserts one at `row`, moving that row and
    // the ones below it down; `fixedText` goes into column 0.
    void AddItem(const QString &fixedText, int row = -1);
    void RemoveItem(int row);
    void moveRow(int from, int to);

    // The current cell; row 0 when there is no current data row.
    int Row() const;
    int Col() const;
    // Makes a cell current (committing an open edit first).
    void setCurrentCell(int row, int col);

    QString TextMatrix(int row, int col) const;
    void setTextMatrix(int row, int col, const QString &text);
    // The number a cell shows ("1,234.5" -> 1234.5); 0 when blank or no number.
    double ValueMatrix(int row, int col) const;

    // Width of a column in pixels.
    int ColWidth(int col) const;
    void setColWidth(int col, int pixels);

    void setForeColor(const QColor &color);

    // Opens the editor on the current cell when its column is editable.
    void EditCell();
    bool isEditing() const;
    // The open cell editor, or nullptr.
    QLineEdit *editor() const { return m_editor; }
    int editRow() const { return m_editIndex.isValid() ? m_editIndex.row() + 1 : 0; }
    int editCol() const { return m_editIndex.isValid() ? m_editIndex.column() : 0; }
    // Ends an open edit, storing (commit) or dropping (cancel) its text.
    void commitEdit();
    void cancelEdit();

signals:
    void cellClicked();
    // The current cell changed: `cellLeft` for the cell that was current,
    // then `cellEntered` for the new one (rows of 1 and more only).
    void cellLeft(int row, int col);
    void cellEntered(int row, int col);
    void editStarted(int row, int col);
    // The editor's text was stored into the cell.
    void editCommitted(int row, int col);
    // A key on the grid itself (no editor open).
    void keyDown(int &key, Qt::KeyboardModifiers modifiers);
    // A key on the cell editor, before the editor handles it.
    void editorKeyDown(int row, int col, int &key, Qt::KeyboardModifiers modifiers);
    // A character typed into the cell editor; the handler may replace it.
    void editorKeyPress(int row, int col, QChar &character);
    // The user dragged a column's edge.
    void columnResized(int col);
    // The focus came to the grid from another control.
    void focusReceived();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void keyboardSearch(const QString &) override {}
    void commitData(QWidget *editor) override;
    void closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint) override;
    bool edit(const QModelIndex &index, EditTrigger trigger, QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    friend class GridDelegate;
    void editorCreated(QLineEdit *editor, const QModelIndex &index);
    bool editorKey(QKeyEvent *event);
    void currentMoved(const QModelIndex &current, const QModelIndex &previous);

    GridModel *m_model;
    QPointer<QLineEdit> m_editor;
    // Follows its row when rows are inserted or removed above it.
    QPersistentModelIndex m_editIndex;
    bool m_committing = false;
    bool m_closingEditor = false;
    bool m_headerPressed = false;
    int m_resizedColumn = -1;
};

} // namespace grid
