#include "model/DenpyoReader.h"

#include "core/Globals.h"
#include "model/Denpyo.h"
#include "platform/db/Connection.h"

DenpyoReader::DenpyoReader(bool withLines) : m_row(connection().prepare(Denpyo::SelectStatement()))
{
    if (withLines)
        m_lines.emplace(connection().prepare(Meisais::SelectStatement()));
}

bool DenpyoReader::Load(Denpyo &d, qint32 denpyoID)
{
    d.ItemClear();
    m_row.reset();
    m_row.bindInt(1, denpyoID);
    const bool found = d.Fetch(m_row, m_texts, m_dates);
    // A statement left on its row would keep the database locked.
    m_row.reset();
    if (!found)
        return false;
    if (m_lines) {
        try {
            m_lines->reset();
            m_lines->bindInt(1, denpyoID);
            d.m_meisais->LoadFrom(*m_lines);
            m_lines->reset();
        } catch (...) {
            d.ItemClear();
            throw;
        }
    }
    d.m_isNew = false;
    return true;
}
