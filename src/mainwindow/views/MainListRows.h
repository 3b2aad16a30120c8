#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// The rows behind one fill of the main window's list. A source gives each
// cell as text on demand, so a list of many slips is formatted only where
// it is looked at (and once per column when it is sorted).
class MainListRows {
public:
    virtual ~MainListRows() = default;
    virtual int count() const = 0;
    virtual QString text(int row, int column) const = 0;
    // 1-based picture index of the list images; 0 for none.
    virtual int image(int row) const = 0;
    // What the row is, independent of its text (for example the fixed
    // action of a root menu row); empty for ordinary record rows.
    virtual QString tag(int row) const { Q_UNUSED(row); return QString(); }
    // Columns of amounts and dates sort by the value behind the text
    // (1,171 before 10,032; a date of 1999 before one of 2026), which the
    // rows already hold. No value is a blank cell; blanks sort first.
    virtual bool sortsByValue(int column) const
    {
        Q_UNUSED(column);
        return false;
    }
    virtual std::optional<double> sortValue(int row, int column) const
    {
        Q_UNUSED(row);
        Q_UNUSED(column);
        return std::nullopt;
    }
    // True when the rows as given are already in the order of that column,
    // so that a large list need not be formatted to be sorted.
    virtual bool inOrder(int column, bool ascending) const
    {
        Q_UNUSED(column);
        Q_UNUSED(ascending);
        return false;
    }
};

// Rows held as ready texts: menus, customers, products.
class TextListRows : public MainListRows {
public:
    struct Row {
        QStringList cells;
        int image = 0;
        QString tag;
        std::optional<double> value;
    };

    // value: what the row sorts by in the value column (see setValueColumn).
    void add(const QStringList &cells, int image, const QString &tag = QString(),
             std::optional<double> value = std::nullopt)
    {
        m_rows.push_back(Row{cells, image, tag, value});
    }
    // The one column that sorts by the rows' values rather than their texts.
    void setValueColumn(int column) { m_valueColumn = column; }
    void reserve(int n) { m_rows.reserve(size_t(n)); }

    int count() const override { return int(m_rows.size()); }
    QString text(int row, int column) const override
    {
        const QStringList &cells = m_rows[size_t(row)].cells;
        return column < cells.size() ? cells.at(column) : QString();
    }
    int image(int row) const override { return m_rows[size_t(row)].image; }
    QString tag(int row) const override { return m_rows[size_t(row)].tag; }
    bool sortsByValue(int column) const override { return column >= 0 && column == m_valueColumn; }
    std::optional<double> sortValue(int row, int column) const override
    {
        return sortsByValue(column) ? m_rows[size_t(row)].value : std::nullopt;
    }

private:
    std::vector<Row> m_rows;
    int m_valueColumn = -1;
};
