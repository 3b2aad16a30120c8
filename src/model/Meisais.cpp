#include "model/Meisais.h"

#include "core/Globals.h"
#include "model/RecordFields.h"

namespace {

const QString kDeleteLines = QStringLiteral("DELETE FROM 明細テーブル WHERE (伝票番号 = ?)");
const QString kInsertLine = QStringLiteral(
    "INSERT INTO 明細テーブル (伝票番号, 明細番号, 商品ID, 品番, 品名, 単価, 数量, 単位, 金額, 備考) "
    "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
const QString kSelectLines = QStringLiteral(
    "SELECT * FROM 明細テーブル WHERE (伝票番号 = ?) ORDER BY 伝票番号, 明細番号;");

} // namespace

bool Meisais::Apply(qint32 denpyoID)
{
    db::Connection &c = connection();
    c.cached(kDeleteLines).bindInt(1, denpyoID).exec();
    db::Statement insert = c.cached(kInsertLine);
    qint32 position = 0;
    for (const auto &line : m_rows) {
        insert.reset();
        insert.bindInt(1, denpyoID);
        insert.bindInt(2, ++position);
        recordfields::bindTextOrNull(insert, 3, line->ItemID());
        recordfields::bindTextOrNull(insert, 4, line->ItemNumber());
        recordfields::bindTextOrNull(insert, 5, line->ItemName());
        insert.bindDouble(6, line->ItemTanka());
        insert.bindDouble(7, line->ItemSuryo());
        recordfields::bindTextOrNull(insert, 8, line->ItemTanni());
        insert.bindInt(9, line->ItemKingaku());
        recordfields::bindTextOrNull(insert, 10, line->ItemBikou());
        insert.exec();
    }
    return true;
}

bool Meisais::Delete(qint32 denpyoID)
{
    connection().cached(kDeleteLines).bindInt(1, denpyoID).exec();
    m_rows.clear();
    return true;
}

Meisai &Meisais::Add()
{
    m_rows.push_back(std::make_shared<Meisai>());
    return *m_rows.back();
}

void Meisais::Remove(qint32 index)
{
    m_rows.erase(m_rows.begin() + std::ptrdiff_t(offset(index)));
}

const QString &Meisais::SelectStatement()
{
    return kSelectLines;
}

bool Meisais::LoadFrom(db::Statement &st)
{
    m_rows.clear();
    const int id = st.columnIndex(QStringLiteral("商品ID"));
    const int number = st.columnIndex(QStringLiteral("品番"));
    const int name = st.columnIndex(QStringLiteral("品名"));
    const int tanka = st.columnIndex(QStringLiteral("単価"));
    const int suryo = st.columnIndex(QStringLiteral("数量"));
    const int tanni = st.columnIndex(QStringLiteral("単位"));
    const int kingaku = st.columnIndex(QStringLiteral("金額"));
    const int bikou = st.columnIndex(QStringLiteral("備考"));
    // Build the lines aside so that a value that does not convert leaves no
    // half-read collection behind.
    std::vector<std::shared_ptr<Meisai>> lines;
    while (st.step()) {
        auto line = std::make_shared<Meisai>();
        if (!recordfields::isBlank(st, id))
            line->setItemID(st.text(id));
        if (!recordfields::isBlank(st, number))
            line->setItemNumber(st.text(number));
        if (!recordfields::isBlank(st, name))
            line->setItemName(st.text(name));
        line->setItemTanka(recordfields::real(st, tanka));
        line->setItemSuryo(recordfields::real(st, suryo));
        if (!recordfields::isBlank(st, tanni))
            line->setItemTanni(st.text(tanni));
        line->setItemKingaku(recordfields::int32(st, kingaku));
        if (!recordfields::isBlank(st, bikou))
            line->setItemBikou(st.text(bikou));
        lines.push_back(std::move(line));
    }
    if (lines.empty())
        lines.push_back(std::make_shared<Meisai>());
    m_rows = std::move(lines);
    return true;
}
