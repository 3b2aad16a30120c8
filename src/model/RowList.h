#pragma once

#include "model/RowIterator.h"

#include <QtGlobal>
#include <memory>
#include <stdexcept>
#include <vector>

// An ordered list of rows, positions 1 to Count, that the list classes and
// the slip's lines build on. Rows are shared: a caller that keeps a row
// keeps it alive after the list has gone.
template <typename Row>
class RowList {
public:
    qint32 Count() const { return qint32(m_rows.size()); }
    // Throws std::out_of_range outside 1 to Count.
    Row &Item(qint32 index) const { return *m_rows[offset(index)]; }
    RowIterator<Row> begin() const { return RowIterator<Row>(m_rows.cbegin()); }
    RowIterator<Row> end() const { return RowIterator<Row>(m_rows.cend()); }

protected:
    std::size_t offset(qint32 index) const
    {
        if (index < 1 || index > Count())
            throw std::out_of_range("一覧の位置が範囲外です。");
        return std::size_t(index - 1);
    }

    std::vector<std::shared_ptr<Row>> m_rows;
};
