#pragma once

#include "model/ShohinDisplay.h"
#include "model/RowList.h"

#include <QString>

// Product rows matching a condition, in 商品ID order, positions 1 to Count.
class Shohins : public RowList<ShohinDisplay> {
public:
    // Appends the rows of strSQLWHERE (a condition without WHERE, "" for
    // all). The text is SQL built by the caller and goes in as given.
    // Throws db::DbError.
    void Load(const QString &strSQLWHERE);

    // The statement Load runs.
    static QString listStatement(const QString &strSQLWHERE);
};
