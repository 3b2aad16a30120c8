#include "model/Shohin.h"

#include "core/Globals.h"
#include "core/Routines.h"
#include "model/RecordFields.h"

#include <sqlite3.h>

namespace {

const QString kSelect = QStringLiteral("SELECT 商品ID, 品番, 品名, 製造元, 単価, 単位, 説明 FROM 商品テーブル WHERE (商品ID = ?)");
const QString kExists = QStringLiteral("SELECT 1 FROM 商品テーブル WHERE (商品ID = ?)");
const QString kInsert = QStringLiteral("INSERT INTO 商品テーブル (商品ID, 品番, 品名, 製造元, 単価, 単位, 説明) VALUES (?, ?, ?, ?, ?, ?, ?)");
const QString kUpdate = QStringLiteral("UPDATE 商品テーブル SET 商品ID = ?, 品番 = ?, 品名 = ?, 製造元 = ?, 単価 = ?, 単位 = ?, 説明 = ? WHERE (商品ID = ?)");
const QString kDelete = QStringLiteral("DELETE FROM 商品テーブル WHERE (商品ID = ?)");

const QString kNoID = QStringLiteral("商品IDが設定されていません。");
const QString kAlreadyExists = QStringLiteral("この商品は既に存在します。");
const QString kMissing = QStringLiteral("この商品は存在しません。");

QString storedText(const db::Statement &st, int column)
{
    return fnTrimTrailingBlanks(st.text(column));
}

} // namespace

Shohin::Shohin()
{
    Initialize();
}

void Shohin::Initialize()
{
    ItemClear();
    m_isNew = true;
}

void Shohin::ItemClear()
{
    m_shohinID = QString();
    m_number = QString();
    m_name = QString();
    m_maker = QString();
    m_tanka = 0;
    m_tanni = QString();
    m_memo = QString();
}

void Shohin::setShohinID(const QString &value)
{
    m_shohinID = fnRemoveCrLf(value);
}

void Shohin::setNumber(const QString &value)
{
    m_number = fnRemoveCrLf(value);
}

void Shohin::setName(const QString &value)
{
    m_name = fnRemoveCrLf(value);
}

void Shohin::setMaker(const QString &value)
{
    m_maker = fnRemoveCrLf(value);
}

void Shohin::setTanni(const QString &value)
{
    m_tanni = fnRemoveCrLf(value);
}

void Shohin::setMemo(const QString &value)
{
    m_memo = fnTrimTrailingBlanks(value);
}

bool Shohin::Load(const QString &shohinID)
{
    ItemClear();
    if (!Fetch(shohinID))
        return false;
    m_isNew = false;
    return true;
}

bool Shohin::Fetch(const QString &shohinID)
{
    db::Statement st = connection().prepare(kSelect);
    st.bindText(1, shohinID);
    if (!st.step())
        return false;
    // Every value is converted before the first field changes, so a value
    // that does not fit leaves the record as it was.
    Shohin row;
    row.m_shohinID = storedText(st, 0);
    row.m_number = storedText(st, 1);
    row.m_name = storedText(st, 2);
    row.m_maker = storedText(st, 3);
    row.m_tanka = recordfields::real(st, 4);
    row.m_tanni = storedText(st, 5);
    row.m_memo = storedText(st, 6);
    row.m_errorMessage = m_errorMessage;
    row.m_isNew = m_isNew;
    *this = std::move(row);
    return true;
}

bool Shohin::Apply()
{
    if (m_shohinID.isEmpty()) {
        m_errorMessage = kNoID;
        return false;
    }
    if (!Save())
        return false;
    m_isNew = false;
    return true;
}

bool Shohin::Save()
{
    db::Connection &c = connection();
    db::Statement exists = c.prepare(kExists);
    exists.bindText(1, m_shohinID);
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
    recordfields::bindTextOrNull(st, 1, m_shohinID);
    recordfields::bindTextOrNull(st, 2, m_number);
    recordfields::bindTextOrNull(st, 3, m_name);
    recordfields::bindTextOrNull(st, 4, m_maker);
    st.bindDouble(5, m_tanka);
    recordfields::bindTextOrNull(st, 6, m_tanni);
    recordfields::bindTextOrNull(st, 7, m_memo);
    if (found)
        st.bindText(8, m_shohinID);
    st.exec();
    return true;
}

bool Shohin::Delete()
{
    if (m_shohinID.isEmpty()) {
        m_errorMessage = kNoID;
        return false;
    }
    DeleteObject();
    m_isNew = false;
    ItemClear();
    return true;
}

void Shohin::DeleteObject()
{
    db::Connection &c = connection();
    c.prepare(kDelete).bindText(1, m_shohinID).exec();
    // Deleting a row that is not there is an error for the caller, not a
    // refusal: callers load the record before they delete it.
    if (c.changes() == 0)
        throw db::DbError(SQLITE_NOTFOUND, kMissing);
}
