#include "model/ShohinDisplay.h"

#include "core/Routines.h"

void ShohinDisplay::setShohinID(const QString &value)
{
    m_shohinID = fnTrimTrailingBlanks(value);
}

void ShohinDisplay::setNumber(const QString &value)
{
    m_number = fnTrimTrailingBlanks(value);
}

void ShohinDisplay::setName(const QString &value)
{
    m_name = fnTrimTrailingBlanks(value);
}

void ShohinDisplay::setMaker(const QString &value)
{
    m_maker = fnTrimTrailingBlanks(value);
}

void ShohinDisplay::setTanni(const QString &value)
{
    m_tanni = fnTrimTrailingBlanks(value);
}

void ShohinDisplay::setMemo(const QString &value)
{
    m_memo = fnTrimTrailingBlanks(value);
}
