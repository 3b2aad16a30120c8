#pragma once

#include "model/RowIterator.h"
#include "model/ShohinDisplay.h"

#include <QString>
#include <memory>
#include <vector>

// Product rows matching a condition, in 商品ID order, positions 1 to Count.
class Shohins {
public:
    qint32 Count() const { return qint32(m_rows.size()); }
    // Throws std::out_of_range outside 1 to Count.
    ShohinDisplay &Item(qint32 index) const;
    RowIterator<ShohinDisplay> begin() const { return RowIterator<ShohinDisplay>(m_rows.cbegin()); }
    RowIterator<ShohinDisplay> end() const { return RowIterator<ShohinDisplay>(m_rows.cend()); }

    // Appends the rows of strSQLWHERE (a condition without WHERE, "" for
    // all). The text is SQL built by the caller and goes in as given.
    // Throws db::DbError.
    void Load(const QString &strSQLWHERE);

    // The statement Load runs.
    static QString listStatement(const QString &strSQLWHERE);

private:
    std::vector<std::shared_ptr<ShohinDisplay>> m_rows;
};
