#pragma once

#include "printing/ListPrintSource.h"

class MainListView;

// The main window's list as the list print dialog sees it.
class MainListPrintSource : public ListPrintSource {
public:
    explicit MainListPrintSource(MainListView *list) : m_list(list) {}

    int rowCount() const override;
    QString rowText(int row) const override;
    bool rowSelected(int row) const override;
    void setRowBold(int row, bool bold) override;
    void sortByFirstColumn() override;

private:
    MainListView *m_list;
};
