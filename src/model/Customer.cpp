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

quint64 changeCount = 0;

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
    static_cast<CustomerDisplay &>(*this) = CustomerDisplay();
}

// The list row's setter then trims trailing blanks again, and finds none.
void Customer::setCustomerID(const QString &value)
{
    CustomerDisplay::setCustomerID(fnRemoveCrLf(value));
}

void Customer::setNameKana(const QString &value)
{
    CustomerDisplay::setNameKana(fnRemoveCrLf(value));
}

void Customer::setNameKnj(const QString &value)
{
    CustomerDisplay::setNameKnj(fnRemoveCrLf(value));
}

void Customer::setBumon(const QString &value)
{
    CustomerDisplay::setBumon(fnRemoveCrLf(value));
}

void Customer::setPostNumber(const QString &value)
{
    CustomerDisplay::setPostNumber(fnRemoveCrLf(value));
}

void Customer::setAddress1(const QString &value)
{
    CustomerDisplay::setAddress1(fnRemoveCrLf(value));
}

void Customer::setAddress2(const QString &value)
{
    CustomerDisplay::setAddress2(fnRemoveCrLf(value));
}

void Customer::setPhone(const QString &value)
{
    CustomerDisplay::setPhone(fnRemoveCrLf(value));
}

void Customer::setFax(const QString &value)
{
    CustomerDisplay::setFax(fnRemoveCrLf(value));
}

void Customer::setShimeBi(const QString &value)
{
    CustomerDisplay::setShimeBi(fnRemoveCrLf(value));
}

void Customer::setSeikyushoForm(const QString &value)
{
    CustomerDisplay::setSeikyushoForm(fnRemoveCrLf(value));
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
    // that does not fit leaves the record as it was. The row's text setters
    // trim trailing blanks, as reading a stored text does.
    CustomerDisplay row;
    row.setCustomerID(st->text(0));
    row.setNameKana(st->text(1));
    row.setNameKnj(st->text(2));
    row.setBumon(st->text(3));
    row.setPostNumber(st->text(4));
    row.setAddress1(st->text(5));
    row.setAddress2(st->text(6));
    row.setPhone(st->text(7));
    row.setFax(st->text(8));
    row.setNebikiRitsu(recordfields::int16(*st, 9));
    row.setMemo(st->text(10));
    row.setTsukiSeikyu(recordfields::flag(*st, 11));
    row.setShimeBi(st->text(12));
    row.setSeikyushoForm(st->text(13));
    static_cast<CustomerDisplay &>(*this) = std::move(row);
    return true;
}

bool Customer::Apply()
{
    if (!m_record.apply(CustomerID(), [this](db::Statement &st) { Save(st); }))
        return false;
    ++changeCount;
    return true;
}

void Customer::Save(db::Statement &st) const
{
    int i = 0;
    recordfields::bindTextOrNull(st, ++i, CustomerID());
    recordfields::bindTextOrNull(st, ++i, NameKana());
    recordfields::bindTextOrNull(st, ++i, NameKnj());
    recordfields::bindTextOrNull(st, ++i, Bumon());
    recordfields::bindTextOrNull(st, ++i, PostNumber());
    recordfields::bindTextOrNull(st, ++i, Address1());
    recordfields::bindTextOrNull(st, ++i, Address2());
    recordfields::bindTextOrNull(st, ++i, Phone());
    recordfields::bindTextOrNull(st, ++i, Fax());
    st.bindInt(++i, NebikiRitsu());
    recordfields::bindTextOrNull(st, ++i, Memo());
    st.bindInt(++i, fnIIf(TsukiSeikyu(), 1, 0));
    recordfields::bindTextOrNull(st, ++i, ShimeBi());
    recordfields::bindTextOrNull(st, ++i, SeikyushoForm());
}

bool Customer::Delete()
{
    if (!m_record.remove(CustomerID()))
        return false;
    ++changeCount;
    ItemClear();
    return true;
}

QString Customer::MissingMessage()
{
    return table().missing;
}

quint64 Customer::ChangeCount()
{
    return changeCount;
}
