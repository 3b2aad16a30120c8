#include "model/ShohinDisplay.h"

#include "model/RecordFields.h"

void ShohinDisplay::setShohinID(const QString &value)
{
    m_shohinID = recordfields::removeTrailingBlanks(value);
}

void ShohinDisplay::setNumber(const QString &value)
{
    m_number = recordfields::removeTrailingBlanks(value);
}

void ShohinDisplay::setName(const QString &value)
{
    m_name = recordfields::removeTrailingBlanks(value);
}

void ShohinDisplay::setMaker(const QString &value)
{
    m_maker = recordfields::removeTrailingBlanks(value);
}

void ShohinDisplay::setTanni(const QString &value)
{
    m_tanni = recordfields::removeTrailingBlanks(value);
}

void ShohinDisplay::setMemo(const QString &value)
{
    m_memo = recordfields::removeTrailingBlanks(value);
}
