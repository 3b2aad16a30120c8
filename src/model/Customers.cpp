#include "model/Customers.h"

#include "core/Globals.h"
#include "model/RecordFields.h"


QString Customers::listStatement(const QString &strSQLWHERE, const QString &strORDERBY)
{
    QString sql = QStringLiteral("SELECT * FROM 顧客テーブル ") + recordfields::whereClause(strSQLWHERE);
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
        row->setCustomerID(st.text(cCustomerID));
        row->setNameKana(st.text(cNameKana));
        row->setNameKnj(st.text(cNameKnj));
        row->setBumon(st.text(cBumon));
        row->setPostNumber(st.text(cPostNumber));
        row->setAddress1(st.text(cAddress1));
        row->setAddress2(st.text(cAddress2));
        row->setPhone(st.text(cPhone));
        row->setFax(st.text(cFax));
        row->setNebikiRitsu(recordfields::int16(st, cNebikiRitsu));
        row->setMemo(st.text(cMemo));
        row->setTsukiSeikyu(recordfields::flag(st, cTsukiSeikyu));
        row->setShimeBi(st.text(cShimeBi));
        row->setSeikyushoForm(st.text(cSeikyushoForm));
        m_rows.push_back(std::move(row));
    }
}
