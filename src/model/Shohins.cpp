#include "model/Shohins.h"

#include "core/Globals.h"
#include "model/RecordFields.h"

#include <stdexcept>

ShohinDisplay &Shohins::Item(qint32 index) const
{
    if (index < 1 || index > Count())
        throw std::out_of_range("一覧の位置が範囲外です。");
    return *m_rows[size_t(index - 1)];
}

QString Shohins::listStatement(const QString &strSQLWHERE)
{
    QString sql = QStringLiteral("SELECT * FROM 商品テーブル ");
    // A condition of blanks only counts as none rather than leaving a bare
    // WHERE for the engine to reject.
    const QString where = strSQLWHERE.trimmed();
    if (!where.isEmpty())
        sql += QStringLiteral(" WHERE ") + where;
    sql += QStringLiteral(" ORDER BY 商品ID;");
    return sql;
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
        if (const QString text = st.text(cShohinID); !text.isEmpty())
            row->setShohinID(text);
        if (const QString text = st.text(cNumber); !text.isEmpty())
            row->setNumber(text);
        if (const QString text = st.text(cName); !text.isEmpty())
            row->setName(text);
        if (const QString text = st.text(cMaker); !text.isEmpty())
            row->setMaker(text);
        row->setTanka(recordfields::real(st, cTanka));
        if (const QString text = st.text(cTanni); !text.isEmpty())
            row->setTanni(text);
        if (const QString text = st.text(cMemo); !text.isEmpty())
            row->setMemo(text);
        m_rows.push_back(std::move(row));
    }
}
