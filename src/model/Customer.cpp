#include "model/Customer.h"

#include "core/Globals.h"
#include "core/Routines.h"
#include "model/RecordFields.h"

#include <sqlite3.h>

namespace {

const QString kSelect = QStringLiteral("SELECT 顧客ID, 顧客名かな, 顧客名漢字, 部門, 郵便番号, 所在地１, 所在地２, 電話番号, FAX番号, 値引率, メモ, 月締め請求, 締め日, 請求書フォーム FROM 顧客テーブル WHERE (顧客ID = ?)");
const QString kExists = QStringLiteral("SELECT 1 FROM 顧客テーブル WHERE (顧客ID = ?)");
const QString kInsert = QStringLiteral("INSERT INTO 顧客テーブル (顧客ID, 顧客名かな, 顧客名漢字, 部門, 郵便番号, 所在地１, 所在地２, 電話番号, FAX番号, 値引率, メモ, 月締め請求, 締め日, 請求書フォーム) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
const QString kUpdate = QStringLiteral("UPDATE 顧客テーブル SET 顧客ID = ?, 顧客名かな = ?, 顧客名漢字 = ?, 部門 = ?, 郵便番号 = ?, 所在地１ = ?, 所在地２ = ?, 電話番号 = ?, FAX番号 = ?, 値引率 = ?, メモ = ?, 月締め請求 = ?, 締め日 = ?, 請求書フォーム = ? WHERE (顧客ID = ?)");
const QString kDelete = QStringLiteral("DELETE FROM 顧客テーブル WHERE (顧客ID = ?)");

const QString kNoID = QStringLiteral("顧客IDが設定されていません。");
const QString kAlreadyExists = QStringLiteral("この顧客は既に存在します。");
const QString kMissing = QStringLiteral("この顧客は存在しません。");

QString storedText(const db::Statement &st, int column)
{
    return fnTrimTrailingBlanks(st.text(column));
}

} // namespace

Customer::Customer()
{
    Initialize();
}

void Customer::Initialize()
{
    ItemClear();
    m_isNew = true;
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
    m_isNew = false;
    return true;
}

bool Customer::Fetch(const QString &customerID)
{
    db::Statement st = connection().prepare(kSelect);
    st.bindText(1, customerID);
    if (!st.step())
        return false;
    // Every value is converted before the first field changes, so a value
    // that does not fit leaves the record as it was.
    Customer row;
    row.m_customerID = storedText(st, 0);
    row.m_nameKana = storedText(st, 1);
    row.m_nameKnj = storedText(st, 2);
    row.m_bumon = storedText(st, 3);
    row.m_postNumber = storedText(st, 4);
    row.m_address1 = storedText(st, 5);
    row.m_address2 = storedText(st, 6);
    row.m_phone = storedText(st, 7);
    row.m_fax = storedText(st, 8);
    row.m_nebikiRitsu = recordfields::int16(st, 9);
    row.m_memo = storedText(st, 10);
    row.m_tsukiSeikyu = recordfields::flag(st, 11);
    row.m_shimeBi = storedText(st, 12);
    row.m_seikyushoForm = storedText(st, 13);
    row.m_errorMessage = m_errorMessage;
    row.m_isNew = m_isNew;
    *this = std::move(row);
    return true;
}

bool Customer::Apply()
{
    if (m_customerID.isEmpty()) {
        m_errorMessage = kNoID;
        return false;
    }
    if (!Save())
        return false;
    m_isNew = false;
    return true;
}

bool Customer::Save()
{
    db::Connection &c = connection();
    db::Statement exists = c.prepare(kExists);
    exists.bindText(1, m_customerID);
    const bool found = exists.step();
    if (found && m_isNew) {
        m_errorMessage = kAlreadyExists;
        return false;
    }
    if (!found && !m_isNew) {
        m_errorMessage = kMissing;
        return false;
    }
    db::Statement st = c.prepare(found ? kUpdate : kInsert);
    recordfields::bindTextOrNull(st, 1, m_customerID);
    recordfields::bindTextOrNull(st, 2, m_nameKana);
    recordfields::bindTextOrNull(st, 3, m_nameKnj);
    recordfields::bindTextOrNull(st, 4, m_bumon);
    recordfields::bindTextOrNull(st, 5, m_postNumber);
    recordfields::bindTextOrNull(st, 6, m_address1);
    recordfields::bindTextOrNull(st, 7, m_address2);
    recordfields::bindTextOrNull(st, 8, m_phone);
    recordfields::bindTextOrNull(st, 9, m_fax);
    st.bindInt(10, m_nebikiRitsu);
    recordfields::bindTextOrNull(st, 11, m_memo);
    st.bindInt(12, fnIIf(m_tsukiSeikyu, 1, 0));
    recordfields::bindTextOrNull(st, 13, m_shimeBi);
    recordfields::bindTextOrNull(st, 14, m_seikyushoForm);
    if (found)
        st.bindText(15, m_customerID);
    st.exec();
    return true;
}

bool Customer::Delete()
{
    if (m_customerID.isEmpty()) {
        m_errorMessage = kNoID;
        return false;
    }
    DeleteObject();
    m_isNew = false;
    ItemClear();
    return true;
}

void Customer::DeleteObject()
{
    db::Connection &c = connection();
    c.prepare(kDelete).bindText(1, m_customerID).exec();
    // Deleting a row that is not there is an error for the caller, not a
    // refusal: callers load the record before they delete it.
    if (c.changes() == 0)
        throw db::DbError(SQLITE_NOTFOUND, kMissing);
}
