#pragma once

#include "model/CustomerDisplay.h"
#include "model/RowIterator.h"

#include <QString>
#include <memory>
#include <vector>

// Customer rows matching a condition, in load order, positions 1 to Count.
class Customers {
public:
    qint32 Count() const { return qint32(m_rows.size()); }
    // Throws std::out_of_range outside 1 to Count.
    CustomerDisplay &Item(qint32 index) const;
    RowIterator<CustomerDisplay> begin() const { return RowIterator<CustomerDisplay>(m_rows.cbegin()); }
    RowIterator<CustomerDisplay> end() const { return RowIterator<CustomerDisplay>(m_rows.cend()); }

    // Appends the rows of strSQLWHERE (a condition without WHERE, "" for
    // all) in strORDERBY order ("" for 顧客ID). The texts are SQL built by
    // the caller and go in as given. Throws db::DbError.
    void Load(const QString &strSQLWHERE, const QString &strORDERBY);

    // The statement Load runs.
    static QString listStatement(const QString &strSQLWHERE, const QString &strORDERBY);

private:
    std::vector<std::shared_ptr<CustomerDisplay>> m_rows;
};
