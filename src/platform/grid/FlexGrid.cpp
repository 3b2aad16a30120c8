#include "platform/grid/FlexGrid.h"

#include "platform/ui/EntryRule.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyledItemDelegate>
#include <charconv>
#include <cmath>
#include <optional>

namespace grid {

// The cells as texts, row-major; column 0 is the fixed column.
class GridModel : public QAbstractTableModel {
public:
    explicit GridModel(QObject *parent) : QAbstractTableModel(parent) {}

    int rowCount(const QModelIndex &parent = {}) const override { return parent.isValid() ? 0 : int(m_rows.size()); }
    int columnCount(const QModelIndex &parent = {}) const override { return parent.isValid() ? 0 : m_cols; }

    QVariant data(const QModelIndex &index, int role) const override
    {
        if (!index.isValid())
            return {};
        switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole: return m_rows[index.row()][index.column()];
        case Qt::TextAlignmentRole: return QVariant::fromValue(alignment(index));
        case Qt::BackgroundRole:
            return index.column() == 0 ? QVariant(QApplication::palette().button()) : QVariant();
        case Qt::ForegroundRole:
            if (index.column() == 0)
                return QApplication::palette().buttonText();
            return m_foreground.style() == Qt::NoBrush ? QVariant() : QVariant(m_foreground);
        default: return {};
        }
    }

    bool setData(const QModelIndex &index, const QVariant &value, int role) override
    {
        if (!index.isValid() || role != Qt::EditRole)
            return false;
        setText(index.row(), index.column(), value.toString());
        return true;
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || section < 0 || section >= m_cols)
            return {};
        if (role == Qt::DisplayRole)
            return m_headings.value(section);
        if (role == Qt::TextAlignmentRole)
            return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
        return {};
    }

    Qt::ItemFlags flags(const QModelIndex &index) const override
    {
        // The fixed column can neither become current nor be selected.
        if (!index.isValid() || index.column() == 0)
            return Qt::NoItemFlags;
        Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
        if (m_editable.value(index.column()))
            f |= Qt::ItemIsEditable;
        return f;
    }

    Qt::Alignment alignment(const QModelIndex &index) const
    {
        const Qt::Alignment a = m_alignments.value(index.column());
        if (a != Qt::Alignment())
            return a | Qt::AlignVCenter;
        // General: numbers to the right, text to the left.
        const QString &text = m_rows[index.row()][index.column()];
        bool number = false;
        QString plain = text;
        plain.remove(QLatin1Char(','));
        plain.toDouble(&number);
        return (number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
    }

    void setCols(int cols)
    {
        beginResetModel();
        m_cols = std::max(cols, 1);
        for (auto &row : m_rows)
            row.resize(m_cols);
        m_headings.resize(m_cols);
        m_alignments.resize(m_cols);
        m_editable.resize(m_cols);
        endResetModel();
    }

    void setRowCount(int rows)
    {
        rows = std::max(rows, 0);
        const int now = int(m_rows.size());
        if (rows < now) {
            beginRemoveRows({}, rows, now - 1);
            m_rows.resize(rows);
            endRemoveRows();
        } else if (rows > now) {
            beginInsertRows({}, now, rows - 1);
            m_rows.resize(rows, QVector<QString>(m_cols));
            endInsertRows();
        }
    }

    void insertRowAt(int row, const QString &fixedText)
    {
        beginInsertRows({}, row, row);
        QVector<QString> cells(m_cols);
        cells[0] = fixedText;
        m_rows.insert(m_rows.begin() + row, cells);
        endInsertRows();
    }

    void removeRowAt(int row)
    {
        beginRemoveRows({}, row, row);
        m_rows.erase(m_rows.begin() + row);
        endRemoveRows();
    }

    void moveRowTo(int from, int to)
    {
        if (from == to)
            return;
        // Qt counts the destination before the move.
        beginMoveRows({}, from, from, {}, to > from ? to + 1 : to);
        auto cells = m_rows[from];
        m_rows.erase(m_rows.begin() + from);
        m_rows.insert(m_rows.begin() + to, cells);
        endMoveRows();
    }

    const QString &text(int row, int col) const { return m_rows[row][col]; }
    void setText(int row, int col, const QString &text)
    {
        QString &cell = m_rows[row][col];
        if (cell == text)
            return;
        cell = text;
        const QModelIndex i = index(row, col);
        emit dataChanged(i, i, {Qt::DisplayRole, Qt::EditRole});
    }

    QVector<QString> m_headings;
    QVector<Qt::Alignment> m_alignments;
    QVector<bool> m_editable;
    QBrush m_foreground;

private:
    std::vector<QVector<QString>> m_rows;
    int m_cols = 1;
};

// Plain one-line editors without a frame, their text selected on opening.
class GridDelegate : public QStyledItemDelegate {
public:
    explicit GridDelegate(FlexGrid *grid) : QStyledItemDelegate(grid), m_grid(grid) {}

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &index) const override
    {
        auto *editor = new QLineEdit(parent);
        editor->setFrame(false);
        // A cell holds one line of text, as a field keeps it.
        editor->setValidator(new ui::EntryRule(editor));
        editor->setAlignment(m_grid->m_model->alignment(index) & Qt::AlignHorizontal_Mask);
        m_grid->editorCreated(editor, index);
        return editor;
    }

    void setEditorData(QWidget *editor, const QModelIndex &index) const override
    {
        auto *line = static_cast<QLineEdit *>(editor);
        line->setText(index.data(Qt::EditRole).toString());
        line->selectAll();
    }

    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override
    {
        model->setData(index, static_cast<QLineEdit *>(editor)->text(), Qt::EditRole);
    }

private:
    FlexGrid *m_grid;
};

FlexGrid::FlexGrid(QWidget *parent) : QTableView(parent), m_model(new GridModel(this))
{
    setModel(m_model);
    setItemDelegate(new GridDelegate(this));
    setEditTriggers(NoEditTriggers);
    setSelectionMode(SingleSelection);
    setSelectionBehavior(SelectItems);
    setTabKeyNavigation(false);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setMinimumSectionSize(1);
    horizontalHeader()->viewport()->installEventFilter(this);
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this](int col, int, int) {
        if (m_headerPressed)
            m_resizedColumn = col;
    });
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, &FlexGrid::currentMoved);
    connect(this, &QAbstractItemView::clicked, this, [this] { emit cellClicked(); });
}

FlexGrid::~FlexGrid()
{
    // The editor's focus-out must not reach a half-destroyed grid.
    if (m_editor)
        m_editor->removeEventFilter(this);
    horizontalHeader()->viewport()->removeEventFilter(this);
}

int FlexGrid::Cols() const { return m_model->columnCount(); }
void FlexGrid::setCols(int cols) { m_model->setCols(cols); }

void FlexGrid::setHeading(int col, const QString &text)
{
    if (col < 0 || col >= Cols())
        return;
    m_model->m_headings[col] = text;
    emit m_model->headerDataChanged(Qt::Horizontal, col, col);
}

void FlexGrid::setColumnAlignment(int col, Qt::Alignment alignment)
{
    if (col >= 0 && col < Cols())
        m_model->m_alignments[col] = alignment;
}

void FlexGrid::setColumnEditable(int col, bool editable)
{
    if (col >= 0 && col < Cols())
        m_model->m_editable[col] = editable;
}

int FlexGrid::Rows() const { return m_model->rowCount() + 1; }

void FlexGrid::setRows(int rows)
{
    // Rows going away take an open edit with them, unstored.
    if (isEditing() && editRow() >= rows)
        cancelEdit();
    m_model->setRowCount(rows - 1);
}

void FlexGrid::AddItem(const QString &fixedText, int row)
{
    const int at = row < 1 || row > Rows() - 1 ? Rows() - 1 : row - 1;
    m_model->insertRowAt(at, fixedText);
}

void FlexGrid::RemoveItem(int row)
{
    if (row < 1 || row >= Rows())
        return;
    if (isEditing() && editRow() == row)
        cancelEdit();
    m_model->removeRowAt(row - 1);
}

void FlexGrid::moveRow(int from, int to)
{
    if (from < 1 || from >= Rows() || to < 1 || to >= Rows())
        return;
    m_model->moveRowTo(from - 1, to - 1);
}

int FlexGrid::Row() const
{
    const QModelIndex i = currentIndex();
    return i.isValid() ? i.row() + 1 : 0;
}

int FlexGrid::Col() const
{
    const QModelIndex i = currentIndex();
    return i.isValid() ? i.column() : 0;
}

void FlexGrid::setCurrentCell(int row, int col)
{
    if (row < 1 || row >= Rows() || col < 1 || col >= Cols())
        return;
    commitEdit();
    selectionModel()->setCurrentIndex(m_model->index(row - 1, col), QItemSelectionModel::ClearAndSelect);
}

QString FlexGrid::TextMatrix(int row, int col) const
{
    if (row == 0)
        return col >= 0 && col < Cols() ? m_model->m_headings.value(col) : QString();
    if (row < 0 || row >= Rows() || col < 0 || col >= Cols())
        return QString();
    return m_model->text(row - 1, col);
}

void FlexGrid::setTextMatrix(int row, int col, const QString &text)
{
    if (row == 0) {
        setHeading(col, text);
        return;
    }
    if (row < 0 || row >= Rows() || col < 0 || col >= Cols())
        return;
    m_model->setText(row - 1, col, text);
}

namespace {
// A cell of digits with an optional leading minus, thousands commas and a
// decimal point ("-1,234.5"), read without copying the text; nothing for
// any other text, which takes the general reading.
std::optional<double> plainNumber(const QString &text)
{
    char digits[64];
    std::size_t n = 0;
    bool point = false;
    bool digit = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (c == u',')
            continue;
        if (c >= u'0' && c <= u'9')
            digit = true;
        else if (c == u'.' && !point)
            point = true;
        else if (!(c == u'-' && n == 0 && i == 0))
            return std::nullopt;
        if (n == sizeof digits)
            return std::nullopt;
        digits[n++] = char(c);
    }
    if (!digit)
        return std::nullopt;
    double value = 0;
    const auto [end, error] = std::from_chars(digits, digits + n, value);
    if (error != std::errc() || end != digits + n || !std::isfinite(value))
        return std::nullopt;
    return value;
}
} // namespace

double FlexGrid::ValueMatrix(int row, int col) const
{
    QString text = TextMatrix(row, col);
    if (const std::optional<double> value = plainNumber(text))
        return *value;
    text.remove(QLatin1Char(','));
    text = text.trimmed();
    bool negative = false;
    if (text.endsWith(QLatin1Char('-')) && !text.startsWith(QLatin1Char('-'))) {
        negative = true;
        text.chop(1);
    }
    bool ok = false;
    const double v = text.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return 0;
    return negative ? -v : v;
}

int FlexGrid::ColWidth(int col) const { return columnWidth(col); }
void FlexGrid::setColWidth(int col, int pixels) { setColumnWidth(col, pixels); }

void FlexGrid::setForeColor(const QColor &color)
{
    m_model->m_foreground = QBrush(color);
    if (m_model->rowCount() > 0)
        emit m_model->dataChanged(m_model->index(0, 0), m_model->index(m_model->rowCount() - 1, Cols() - 1),
                                  {Qt::ForegroundRole});
}

void FlexGrid::EditCell()
{
    const QModelIndex i = currentIndex();
    if (!i.isValid() || !(m_model->flags(i) & Qt::ItemIsEditable))
        return;
    if (isEditing()) {
        if (m_editIndex == QPersistentModelIndex(i))
            return;
        commitEdit();
    }
    // An editor that went with its row leaves no edit behind.
    if (state() == EditingState && !isEditing())
        setState(NoState);
    QTableView::edit(i);
}

bool FlexGrid::isEditing() const
{
    return m_editor != nullptr && m_editIndex.isValid();
}

void FlexGrid::commitEdit()
{
    if (!isEditing() || m_committing)
        return;
    QLineEdit *editor = m_editor;
    commitData(editor);
    if (m_editor == editor)
        closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void FlexGrid::cancelEdit()
{
    if (!isEditing())
        return;
    closeEditor(m_editor, QAbstractItemDelegate::RevertModelCache);
}

bool FlexGrid::edit(const QModelIndex &index, EditTrigger trigger, QEvent *event)
{
    const bool opened = QTableView::edit(index, trigger, event);
    if (opened && m_editor) {
        // Installed after the view's own filter, so the owner sees each key
        // before the delegate acts on Enter, Tab or Esc.
        m_editor->installEventFilter(this);
        emit editStarted(editRow(), editCol());
    }
    return opened;
}

void FlexGrid::editorCreated(QLineEdit *editor, const QModelIndex &index)
{
    m_editor = editor;
    m_editIndex = index;
}

void FlexGrid::commitData(QWidget *editor)
{
    if (m_committing || editor != m_editor)
        return;
    m_committing = true;
    const int row = editRow();
    const int col = editCol();
    QTableView::commitData(editor);
    m_committing = false;
    emit editCommitted(row, col);
}

void FlexGrid::closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint)
{
    if (editor == m_editor) {
        editor->removeEventFilter(this);
        m_editor = nullptr;
    }
    // The focus coming back from the editor is no arrival from outside.
    m_closingEditor = true;
    QTableView::closeEditor(editor, hint);
    m_closingEditor = false;
}

void FlexGrid::currentMoved(const QModelIndex &current, const QModelIndex &previous)
{
    if (previous.isValid() && previous.row() < m_model->rowCount())
        emit cellLeft(previous.row() + 1, previous.column());
    if (current.isValid())
        emit cellEntered(current.row() + 1, current.column());
}

void FlexGrid::keyPressEvent(QKeyEvent *event)
{
    int key = event->key();
    emit keyDown(key, event->modifiers() & ~Qt::KeypadModifier);
    if (key == 0) {
        event->accept();
        return;
    }
    // Enter belongs to the owner; the view would only report activation.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void FlexGrid::focusInEvent(QFocusEvent *event)
{
    QTableView::focusInEvent(event);
    const Qt::FocusReason reason = event->reason();
    if (m_closingEditor || reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
        return;
    emit focusReceived();
}

bool FlexGrid::editorKey(QKeyEvent *event)
{
    const int row = editRow();
    const int col = editCol();
    int key = event->key();
    emit editorKeyDown(row, col, key, event->modifiers() & ~Qt::KeypadModifier);
    if (key == 0)
        return true;
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down: {
        // The grid's own movement, as without an editor.
        const int target = row + (event->key() == Qt::Key_Up ? -1 : 1);
        commitEdit();
        if (target >= 1 && target < Rows())
            setCurrentCell(target, col);
        return true;
    }
    case Qt::Key_Tab:
    case Qt::Key_Backtab: {
        // Tab leaves the grid for the next control.
        commitEdit();
        QKeyEvent tab(QEvent::KeyPress, event->key(), event->modifiers());
        QApplication::sendEvent(this, &tab);
        return true;
    }
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // The owner moves on by itself; a plain commit is all that is left.
        commitEdit();
        return true;
    default: break;
    }
    const QString text = event->text();
    if (text.size() == 1 && text.at(0).isPrint()
        && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        QChar c = text.at(0);
        emit editorKeyPress(row, col, c);
        if (c.isNull())
            return true;
        if (c != text.at(0)) {
            if (m_editor)
                m_editor->insert(QString(c));
            return true;
        }
    }
    return false;
}

bool FlexGrid::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_editor && event->type() == QEvent::KeyPress)
        return editorKey(static_cast<QKeyEvent *>(event));
    if (watched == horizontalHeader()->viewport()) {
        if (event->type() == QEvent::MouseButtonPress) {
            m_headerPressed = true;
            m_resizedColumn = -1;
        } else if (event->type() == QEvent::MouseButtonRelease) {
            m_headerPressed = false;
            if (m_resizedColumn >= 0) {
                const int col = m_resizedColumn;
                m_resizedColumn = -1;
                emit columnResized(col);
            }
        }
    }
    return QTableView::eventFilter(watched, event);
}

} // namespace grid
