#pragma once

#include "model/Meisai.h"
#include "model/RowList.h"

namespace db {
class Statement;
}

// The ordered lines of one slip, positions 1 to Count. Item and Remove
// throw std::out_of_range for a position outside that range.
class Meisais : public RowList<Meisai> {
public:

    // Replaces every stored line of slip denpyoID by these lines, numbered
    // from 1. Runs inside the caller's transaction (the slip save); opens
    // none of its own. Throws db::DbError.
    bool Apply(qint32 denpyoID);
    // Deletes every stored line of slip denpyoID and empties the collection.
    bool Delete(qint32 denpyoID);
    // Appends a line with initial values and returns it for filling.
    Meisai &Add();
    void Remove(qint32 index);

private:
    friend class DenpyoReader;
    // The statement that reads one slip's lines in their order, the slip
    // number bound as parameter 1.
    static const QString &SelectStatement();
    // Replaces the lines by those the bound statement gives; a slip without
    // stored lines gets one empty line.
    bool LoadFrom(db::Statement &st);
};
