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
    static_cast<ShohinDisplay &>(*this) = ShohinDisplay();
}

// The list row's setter then trims trailing blanks again, and finds none.
void Shohin::setShohinID(const QString &value)
{
    ShohinDisplay::setShohinID(fnRemoveCrLf(value));
}

void Shohin::setNumber(const QString &value)
{
    ShohinDisplay::setNumber(fnRemoveCrLf(value));
}

void Shohin::setName(const QString &value)
{
    ShohinDisplay::setName(fnRemoveCrLf(value));
}

void Shohin::setMaker(const QString &value)
{
    ShohinDisplay::setMaker(fnRemoveCrLf(value));
}

void Shohin::setTanni(const QString &value)
{
    ShohinDisplay::setTanni(fnRemoveCrLf(value));
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
    // that does not fit leaves the record as it was. The row's text setters
    // trim trailing blanks, as reading a stored text does.
    ShohinDisplay row;
    row.setShohinID(st->text(0));
    row.setNumber(st->text(1));
    row.setName(st->text(2));
    row.setMaker(st->text(3));
    row.setTanka(recordfields::real(*st, 4));
    row.setTanni(st->text(5));
    row.setMemo(st->text(6));
    static_cast<ShohinDisplay &>(*this) = std::move(row);
    return true;
}

bool Shohin::Apply()
{
    return m_record.apply(ShohinID(), [this](db::Statement &st) { Save(st); });
}

void Shohin::Save(db::Statement &st) const
{
    int i = 0;
    recordfields::bindTextOrNull(st, ++i, ShohinID());
    recordfields::bindTextOrNull(st, ++i, Number());
    recordfields::bindTextOrNull(st, ++i, Name());
    recordfields::bindTextOrNull(st, ++i, Maker());
    st.bindDouble(++i, Tanka());
    recordfields::bindTextOrNull(st, ++i, Tanni());
    recordfields::bindTextOrNull(st, ++i, Memo());
}

bool Shohin::Delete()
{
    if (!m_record.remove(ShohinID()))
        return false;
    ItemClear();
    return true;
}

QString Shohin::MissingMessage()
{
    return table().missing;
}
