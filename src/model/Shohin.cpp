#include "model/Shohin.h"

#include "core/Routines.h"
#include "model/RecordFields.h"

namespace {

const KeyedRecord::Table &table()
{
    static const KeyedRecord::Table t(
        QStringLiteral("商品テーブル"),
        {QStringLiteral("商品ID"), QStringLiteral("品番"), QStringLiteral("品名"), QStringLiteral("製造元"),
         QStringLiteral("単価"), QStringLiteral("単位"), QStringLiteral("説明")},
        QStringLiteral("商品IDが設定されていません。"), QStringLiteral("この商品は既に存在します。"),
        QStringLiteral("この商品は存在しません。"));
    return t;
}

} // namespace

Shohin::Shohin() : m_record(table())
{
    Initialize();
}

void Shohin::Initialize()
{
    ItemClear();
    m_record.setNew(true);
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
    m_record.setNew(false);
    return true;
}

bool Shohin::Fetch(const QString &shohinID)
{
    const std::optional<db::Statement> st = m_record.fetch(shohinID);
    if (!st)
        return false;
    // Every value is converted before the first field changes, so a value
    // that does not fit leaves the record as it was.
    Shohin row;
    row.m_shohinID = recordfields::trimmedText(*st, 0);
    row.m_number = recordfields::trimmedText(*st, 1);
    row.m_name = recordfields::trimmedText(*st, 2);
    row.m_maker = recordfields::trimmedText(*st, 3);
    row.m_tanka = recordfields::real(*st, 4);
    row.m_tanni = recordfields::trimmedText(*st, 5);
    row.m_memo = recordfields::trimmedText(*st, 6);
    row.m_record = m_record;
    *this = std::move(row);
    return true;
}

bool Shohin::Apply()
{
    return m_record.apply(m_shohinID, [this](db::Statement &st) { Save(st); });
}

void Shohin::Save(db::Statement &st) const
{
    int i = 0;
    recordfields::bindTextOrNull(st, ++i, m_shohinID);
    recordfields::bindTextOrNull(st, ++i, m_number);
    recordfields::bindTextOrNull(st, ++i, m_name);
    recordfields::bindTextOrNull(st, ++i, m_maker);
    st.bindDouble(++i, m_tanka);
    recordfields::bindTextOrNull(st, ++i, m_tanni);
    recordfields::bindTextOrNull(st, ++i, m_memo);
}

bool Shohin::Delete()
{
    if (!m_record.remove(m_shohinID))
        return false;
    ItemClear();
    return true;
}
