#pragma once

#include "model/CustomerDisplay.h"
#include "model/RowList.h"

#include <QString>

// Customer rows matching a condition, in load order, positions 1 to Count.
class Customers : public RowList<CustomerDisplay> {
public:
    // Appends the rows of strSQLWHERE (a condition without WHERE, "" for
    // all) in strORDERBY order ("" for 顧客ID). The texts are SQL built by
    // the caller and go in as given. Throws db::DbError.
    void Load(const QString &strSQLWHERE, const QString &strORDERBY);

    // The statement Load runs.
    static QString listStatement(const QString &strSQLWHERE, const QString &strORDERBY);
};
