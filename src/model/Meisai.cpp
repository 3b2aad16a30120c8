#include "model/Meisai.h"

#include "core/Routines.h"

void Meisai::setItemID(const QString &value)
{
    m_id = fnRemoveCrLf(value);
}

void Meisai::setItemNumber(const QString &value)
{
    m_number = fnRemoveCrLf(value);
}

void Meisai::setItemName(const QString &value)
{
    m_name = fnRemoveCrLf(value);
}

void Meisai::setItemTanni(const QString &value)
{
    m_tanni = fnRemoveCrLf(value);
}

void Meisai::setItemBikou(const QString &value)
{
    m_bikou = fnRemoveCrLf(value);
}
