#pragma once

#include "model/RecordFields.h"
#include "platform/db/Statement.h"

#include <QtGlobal>
#include <optional>

class Denpyo;

// Reads slips by number one after another through statements prepared once:
// a list print reads thousands of slips, and preparing a statement costs
// more than a read. Each read gives what Denpyo::Load gives; a reader made
// without lines leaves every slip's line collection empty. Open a
// db::ReadTransaction around a run of reads so that they see one state of
// the database. Throws db::DbError.
class DenpyoReader {
public:
    explicit DenpyoReader(bool withLines = true);

    // As Denpyo::Load: clears the slip and reads the row and, when the
    // reader reads lines, its lines; false when there is no such slip (the
    // slip then stays cleared).
    bool Load(Denpyo &denpyo, qint32 denpyoID);

private:
    db::Statement m_row;
    std::optional<db::Statement> m_lines;
    // A customer's texts and the days repeat over the slips of a list.
    recordfields::SharedTexts m_texts;
    recordfields::DateReader m_dates;
};
