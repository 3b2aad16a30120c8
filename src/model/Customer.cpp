#include "model/Customer.h"

#include "core/Routines.h"
#include "model/RecordFields.h"

namespace {

const KeyedRecord::Table &table()
{
    static const KeyedRecord::Table t(
        QStringLiteral("顧客テーブル"),
        {QStringLiteral("顧客ID"), QStringLiteral("顧客名かな"), QStringLiteral("顧客名漢字"),
         QStringLiteral("部門"), QStringLiteral("郵便番号"), QStringLiteral("所在地１"),
         QStringLiteral("所在地２"), QStringLiteral("電話番号"), QStringLiteral("FAX番号"),
         QStringLiteral("値引率"), QStringLiteral("メモ"), QStringLiteral("月締め請求"),
         QStringLiteral("締め日"), QStringLiteral("請求書フォーム")},
        QStringLiteral("顧客IDが設定されていません。"), QStringLiteral("この顧客は既に存在します。"),
        QStringLiteral("この顧客は存在しません。"));
    return t;
}

} // namespace

Customer::Customer() : m_record(table())
{
    Initialize();
}

void Customer::Initialize()
{
    ItemClear();
    m_record.setNew(true);
}

void Customer::ItemClear()
{
    m_customerID = QString();
    m_nameKana = QString();
    m_nameKnj = QString();
    m_bumon = QString();
    m_postNumber = QString();
    m_address1 = QString();
    m_address2 = QString();
    m_phone = QString();
    m_fax = QString();
    m_nebikiRitsu = 0;
    m_memo = QString();
    m_tsukiSeikyu = false;
    m_shimeBi = QString();
    m_seikyushoForm = QString();
}

void Customer::setCustomerID(const QString &value)
{
    m_customerID = fnRemoveCrLf(value);
}

void Customer::setNameKana(const QString &value)
{
    m_nameKana = fnRemoveCrLf(value);
}

void Customer::setNameKnj(const QString &value)
{
    m_nameKnj = fnRemoveCrLf(value);
}

void Customer::setBumon(const QString &value)
{
    m_bumon = fnRemoveCrLf(value);
}

void Customer::setPostNumber(const QString &value)
{
    m_postNumber = fnRemoveCrLf(value);
}

void Customer::setAddress1(const QString &value)
{
    m_address1 = fnRemoveCrLf(value);
}

void Customer::setAddress2(const QString &value)
{
    m_address2 = fnRemoveCrLf(value);
}

void Customer::setPhone(const QString &value)
{
    m_phone = fnRemoveCrLf(value);
}

void Customer::setFax(const QString &value)
{
    m_fax = fnRemoveCrLf(value);
}

void Customer::setMemo(const QString &value)
{
    m_memo = fnTrimTrailingBlanks(value);
}

void Customer::setShimeBi(const QString &value)
{
    m_shimeBi = fnRemoveCrLf(value);
}

void Customer::setSeikyushoForm(const QString &value)
{
    m_seikyushoForm = fnRemoveCrLf(value);
}

bool Customer::Load(const QString &customerID)
{
    ItemClear();
    if (!Fetch(customerID))
        return false;
    m_record.setNew(false);
    return true;
}

bool Customer::Fetch(const QString &customerID)
{
    const std::optional<db::Statement> st = m_record.fetch(customerID);
    if (!st)
        return false;
    // Every value is converted before the first field changes, so a value
    // that does not fit leaves the record as it was.
    Customer row;
    row.m_customerID = recordfields::trimmedText(*st, 0);
    row.m_nameKana = recordfields::trimmedText(*st, 1);
    row.m_nameKnj = recordfields::trimmedText(*st, 2);
    row.m_bumon = recordfields::trimmedText(*st, 3);
    row.m_postNumber = recordfields::trimmedText(*st, 4);
    row.m_address1 = recordfields::trimmedText(*st, 5);
    row.m_address2 = recordfields::trimmedText(*st, 6);
    row.m_phone = recordfields::trimmedText(*st, 7);
    row.m_fax = recordfields::trimmedText(*st, 8);
    row.m_nebikiRitsu = recordfields::int16(*st, 9);
    row.m_memo = recordfields::trimmedText(*st, 10);
    row.m_tsukiSeikyu = recordfields::flag(*st, 11);
    row.m_shimeBi = recordfields::trimmedText(*st, 12);
    row.m_seikyushoForm = recordfields::trimmedText(*st, 13);
    row.m_record = m_record;
    *this = std::move(row);
    return true;
}

bool Customer::Apply()
{
    return m_record.apply(m_customerID, [this](db::Statement &st) { Save(st); });
}

void Customer::Save(db::Statement &st) const
{
    int i = 0;
    recordfields::bindTextOrNull(st, ++i, m_customerID);
    recordfields::bindTextOrNull(st, ++i, m_nameKana);
    recordfields::bindTextOrNull(st, ++i, m_nameKnj);
    recordfields::bindTextOrNull(st, ++i, m_bumon);
    recordfields::bindTextOrNull(st, ++i, m_postNumber);
    recordfields::bindTextOrNull(st, ++i, m_address1);
    recordfields::bindTextOrNull(st, ++i, m_address2);
    recordfields::bindTextOrNull(st, ++i, m_phone);
    recordfields::bindTextOrNull(st, ++i, m_fax);
    st.bindInt(++i, m_nebikiRitsu);
    recordfields::bindTextOrNull(st, ++i, m_memo);
    st.bindInt(++i, fnIIf(m_tsukiSeikyu, 1, 0));
    recordfields::bindTextOrNull(st, ++i, m_shimeBi);
    recordfields::bindTextOrNull(st, ++i, m_seikyushoForm);
}

bool Customer::Delete()
{
    if (!m_record.remove(m_customerID))
        return false;
    ItemClear();
    return true;
}
