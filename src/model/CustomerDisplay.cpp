#include "model/CustomerDisplay.h"

#include "model/RecordFields.h"

void CustomerDisplay::setCustomerID(const QString &value)
{
    m_customerID = recordfields::removeTrailingBlanks(value);
}

void CustomerDisplay::setNameKana(const QString &value)
{
    m_nameKana = recordfields::removeTrailingBlanks(value);
}

void CustomerDisplay::setNameKnj(const QString &value)
{
    m_nameKnj = recordfields::removeTrailingBlanks(value);
}

void CustomerDisplay::setBumon(const QString &value)
{
    m_bumon = recordfields::removeTrailingBlanks(value);
}

void CustomerDisplay::setPostNumber(const QString &value)
{
    m_postNumber = recordfields::removeTrailingBlanks(value);
}

void CustomerDisplay::setAddress1(const QString &value)
{
    m_address1 = recordfields::removeTrailingBlanks(value);
}

void CustomerDisplay::setAddress2(const QString &value)
{
    m_address2 = recordfields::removeTrailingBlanks(value);
}

void CustomerDisplay::setPhone(const QString &value)
{
    m_phone = recordfields::removeTrailingBlanks(value);
}

void CustomerDisplay::setFax(const QString &value)
{
    m_fax = recordfields::removeTrailingBlanks(value);
}

void CustomerDisplay::setMemo(const QString &value)
{
    m_memo = recordfields::removeTrailingBlanks(value);
}

void CustomerDisplay::setShimeBi(const QString &value)
{
    m_shimeBi = recordfields::removeTrailingBlanks(value);
}

void CustomerDisplay::setSeikyushoForm(const QString &value)
{
    m_seikyushoForm = recordfields::removeTrailingBlanks(value);
}
