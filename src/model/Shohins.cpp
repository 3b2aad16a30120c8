#include "model/Shohins.h"

#include "core/Globals.h"
#include "model/RecordFields.h"


QString Shohins::listStatement(const QString &strSQLWHERE)
{
    return QStringLiteral("SELECT * FROM 商品テーブル ") + recordfields::whereClause(strSQLWHERE)
           + QStringLiteral(" ORDER BY 商品ID;");
}

void Shohins::Load(const QString &strSQLWHERE)
{
    db::Statement st = connection().prepare(listStatement(strSQLWHERE));
    const int cShohinID = st.columnIndex(QStringLiteral("商品ID"));
    const int cNumber = st.columnIndex(QStringLiteral("品番"));
    const int cName = st.columnIndex(QStringLiteral("品名"));
    const int cMaker = st.columnIndex(QStringLiteral("製造元"));
    const int cTanka = st.columnIndex(QStringLiteral("単価"));
    const int cTanni = st.columnIndex(QStringLiteral("単位"));
    const int cMemo = st.columnIndex(QStringLiteral("説明"));
    while (st.step()) {
        auto row = std::make_shared<ShohinDisplay>();
        row->setShohinID(st.text(cShohinID));
        row->setNumber(st.text(cNumber));
        row->setName(st.text(cName));
        row->setMaker(st.text(cMaker));
        row->setTanka(recordfields::real(st, cTanka));
        row->setTanni(st.text(cTanni));
        row->setMemo(st.text(cMemo));
        m_rows.push_back(std::move(row));
    }
}
