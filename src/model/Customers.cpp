#include "model/Customers.h"

#include "core/Globals.h"
#include "model/RecordFields.h"

#include <stdexcept>

CustomerDisplay &Customers::Item(qint32 index) const
{
    if (index < 1 || index > Count())
        throw std::out_of_range("一覧の位置が範囲外です。");
    return *m_rows[size_t(index - 1)];
}

QString Customers::listStatement(const QString &strSQLWHERE, const QString &strORDERBY)
{
    QString sql = QStringLiteral("SELECT * FROM 顧客テーブル ");
    // A condition of blanks only counts as none rather than leaving a bare
    // WHERE for the engine to reject.
    const QString where = strSQLWHERE.trimmed();
    if (!where.isEmpty())
        sql += QStringLiteral(" WHERE ") + where;
    if (strORDERBY.isEmpty())
        sql += QStringLiteral(" ORDER BY 顧客ID;");
    else
        sql += QStringLiteral(" ORDER BY ") + strORDERBY + QStringLiteral(";");
    return sql;
}

void Customers::Load(const QString &strSQLWHERE, const QString &strORDERBY)
{
    db::Statement st = connection().prepare(listStatement(strSQLWHERE, strORDERBY));
    const int cCustomerID = st.columnIndex(QStringLiteral("顧客ID"));
    const int cNameKana = st.columnIndex(QStringLiteral("顧客名かな"));
    const int cNameKnj = st.columnIndex(QStringLiteral("顧客名漢字"));
    const int cBumon = st.columnIndex(QStringLiteral("部門"));
    const int cPostNumber = st.columnIndex(QStringLiteral("郵便番号"));
    const int cAddress1 = st.columnIndex(QStringLiteral("所在地１"));
    const int cAddress2 = st.columnIndex(QStringLiteral("所在地２"));
    const int cPhone = st.columnIndex(QStringLiteral("電話番号"));
    const int cFax = st.columnIndex(QStringLiteral("FAX番号"));
    const int cNebikiRitsu = st.columnIndex(QStringLiteral("値引率"));
    const int cMemo = st.columnIndex(QStringLiteral("メモ"));
    const int cTsukiSeikyu = st.columnIndex(QStringLiteral("月締め請求"));
    const int cShimeBi = st.columnIndex(QStringLiteral("締め日"));
    const int cSeikyushoForm = st.columnIndex(QStringLiteral("請求書フォーム"));
    while (st.step()) {
        auto row = std::make_shared<CustomerDisplay>();
        if (const QString text = st.text(cCustomerID); !text.isEmpty())
            row->setCustomerID(text);
        if (const QString text = st.text(cNameKana); !text.isEmpty())
            row->setNameKana(text);
        if (const QString text = st.text(cNameKnj); !text.isEmpty())
            row->setNameKnj(text);
        if (const QString text = st.text(cBumon); !text.isEmpty())
            row->setBumon(text);
        if (const QString text = st.text(cPostNumber); !text.isEmpty())
            row->setPostNumber(text);
        if (const QString text = st.text(cAddress1); !text.isEmpty())
            row->setAddress1(text);
        if (const QString text = st.text(cAddress2); !text.isEmpty())
            row->setAddress2(text);
        if (const QString text = st.text(cPhone); !text.isEmpty())
            row->setPhone(text);
        if (const QString text = st.text(cFax); !text.isEmpty())
            row->setFax(text);
        row->setNebikiRitsu(recordfields::int16(st, cNebikiRitsu));
        if (const QString text = st.text(cMemo); !text.isEmpty())
            row->setMemo(text);
        row->setTsukiSeikyu(recordfields::flag(st, cTsukiSeikyu));
        if (const QString text = st.text(cShimeBi); !text.isEmpty())
            row->setShimeBi(text);
        if (const QString text = st.text(cSeikyushoForm); !text.isEmpty())
            row->setSeikyushoForm(text);
        m_rows.push_back(std::move(row));
    }
}
