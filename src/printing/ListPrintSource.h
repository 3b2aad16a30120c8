#pragma once

#include <QString>

// The list a list print takes its rows from (the main window's list), as
// the list shows them: rows 0 to rowCount() - 1 in their shown order.
class ListPrintSource {
public:
    virtual ~ListPrintSource() = default;
    virtual int rowCount() const = 0;
    // The row's key: its first column.
    virtual QString rowText(int row) const = 0;
    virtual bool rowSelected(int row) const = 0;
    // Marks a row in bold (the rows a print would take).
    virtual void setRowBold(int row, bool bold) = 0;
    // Sorts by the first column, keeping the sort direction.
    virtual void sortByFirstColumn() = 0;
};
