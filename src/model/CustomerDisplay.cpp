#include "model/CustomerDisplay.h"

#include "core/Routines.h"

void CustomerDisplay::setCustomerID(const QString &value)
{
    m_customerID = fnTrimTrailingBlanks(value);
}

void CustomerDisplay::setNameKana(const QString &value)
{
    m_nameKana = fnTrimTrailingBlanks(value);
}

void CustomerDisplay::setNameKnj(const QString &value)
{
    m_nameKnj = fnTrimTrailingBlanks(value);
}

void CustomerDisplay::setBumon(const QString &value)
{
    m_bumon = fnTrimTrailingBlanks(value);
}

void CustomerDisplay::setPostNumber(const QString &value)
{
    m_postNumber = fnTrimTrailingBlanks(value);
}

void CustomerDisplay::setAddress1(const QString &value)
{
    m_address1 = fnTrimTrailingBlanks(value);
}

void CustomerDisplay::setAddress2(const QString &value)
{
    m_address2 = fnTrimTrailingBlanks(value);
}

void CustomerDisplay::setPhone(const QString &value)
{
    m_phone = fnTrimTrailingBlanks(value);
}

void CustomerDisplay::setFax(const QString &value)
{
    m_fax = fnTrimTrailingBlanks(value);
}

void CustomerDisplay::setMemo(const QString &value)
{
    m_memo = fnTrimTrailingBlanks(value);
}

void CustomerDisplay::setShimeBi(const QString &value)
{
    m_shimeBi = fnTrimTrailingBlanks(value);
}

void CustomerDisplay::setSeikyushoForm(const QString &value)
{
    m_seikyushoForm = fnTrimTrailingBlanks(value);
}
