#pragma once

#include "model/Meisai.h"
#include "model/RowList.h"

class Denpyo;

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
    friend class Denpyo;
    // Replaces the lines by the stored ones of the slip; a slip without
    // stored lines gets one empty line.
    bool LoadFromDenpyo(qint32 denpyoID);
};
