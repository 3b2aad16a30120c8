#include "model/denpyos.h"

#include "core/Globals.h"
#include "model/RecordFields.h"

#include <stdexcept>

namespace {

// The list statement up to, not including, its ORDER BY.
QString selectPart(const QString &strSQLWHERE, const QString &strSQLMEISAIWHERE)
{
    QString sql = QStringLiteral("SELECT DISTINCT 伝票テーブル.* FROM 伝票テーブル ");
    if (!strSQLMEISAIWHERE.isEmpty())
        sql += QStringLiteral(" INNER JOIN 明細テーブル ON (伝票テーブル.伝票番号 = 明細テーブル.伝票番号 AND ")
               + strSQLMEISAIWHERE + QStringLiteral(")");
    // A condition of blanks only counts as none: " WHERE " with nothing
    // behind it would only be rejected by the engine.
    const QString where = strSQLWHERE.trimmed();
    if (!where.isEmpty())
        sql += QStringLiteral(" WHERE ") + where;
    return sql;
}

} // namespace

DenpyoDisplay &denpyos::Item(qint32 index) const
{
    if (index < 1 || index > Count())
        throw std::out_of_range("伝票一覧の位置が範囲外です。");
    return *m_rows[size_t(index - 1)];
}

QString denpyos::listStatement(const QString &strSQLWHERE, const QString &strSQLMEISAIWHERE,
                               const QString &strSQLORDER)
{
    return selectPart(strSQLWHERE, strSQLMEISAIWHERE) + QStringLiteral(" ORDER BY ") + strSQLORDER
           + QStringLiteral(";");
}

QString denpyos::countStatement(const QString &strSQLWHERE, const QString &strSQLMEISAIWHERE,
                                const QString &strSQLORDER)
{
    return QStringLiteral("SELECT COUNT(*) FROM (") + selectPart(strSQLWHERE, strSQLMEISAIWHERE)
           + QStringLiteral(" ORDER BY ") + strSQLORDER + QStringLiteral(")");
}

void denpyos::Load(const QString &strSQLWHERE, const QString &strSQLMEISAIWHERE,
                   const QString &strSQLORDER)
{
    db::Statement st = connection().prepare(listStatement(strSQLWHERE, strSQLMEISAIWHERE, strSQLORDER));
    const auto column = [&st](const char16_t *name) { return st.columnIndex(QString::fromUtf16(name)); };
    const int denpyoID = column(u"伝票番号");
    const int customerID = column(u"顧客ID");
    const int nouki = column(u"納期");
    const int customerName = column(u"顧客名");
    const int customerBumon = column(u"顧客部門");
    const int total = column(u"合計消費税込み");
    const int mitsumori = column(u"見積もり");
    const int mitsumoriDate = column(u"見積もり日付");
    const int juchu = column(u"受注");
    const int juchuDate = column(u"受注日付");
    const int nouhin = column(u"納品");
    const int nouhinDate = column(u"納品日付");
    const int seikyu = column(u"請求");
    const int seikyuDate = column(u"請求日付");
    const int nyukin = column(u"入金");
    const int nyukinDate = column(u"入金日付");
    const int insertDate = column(u"作成日付");
    const int modifyDate = column(u"更新日付");

    using recordfields::isBlank;
    while (st.step()) {
        auto row = std::make_shared<DenpyoDisplay>();
        if (!isBlank(st, denpyoID))
            row->setDenpyoID(recordfields::int32(st, denpyoID));
        if (!isBlank(st, customerID))
            row->setCustomerID(st.text(customerID));
        if (!isBlank(st, nouki))
            row->setNouki(recordfields::date(st, nouki));
        if (!isBlank(st, customerName))
            row->setCustomerName(st.text(customerName));
        if (!isBlank(st, customerBumon))
            row->setCustomerBumon(st.text(customerBumon));
        row->setSummeryWithShouhizei(recordfields::int32(st, total));
        row->setMitsumori(recordfields::flag(st, mitsumori));
        if (!isBlank(st, mitsumoriDate))
            row->setMitsumoriDate(recordfields::date(st, mitsumoriDate));
        row->setJuchu(recordfields::flag(st, juchu));
        if (!isBlank(st, juchuDate))
            row->setJuchuDate(recordfields::date(st, juchuDate));
        row->setNouhin(recordfields::flag(st, nouhin));
        if (!isBlank(st, nouhinDate))
            row->setNouhinDate(recordfields::date(st, nouhinDate));
        row->setSeikyu(recordfields::flag(st, seikyu));
        if (!isBlank(st, seikyuDate))
            row->setSeikyuDate(recordfields::date(st, seikyuDate));
        row->setNyukin(recordfields::flag(st, nyukin));
        if (!isBlank(st, nyukinDate))
            row->setNyukinDate(recordfields::date(st, nyukinDate));
        if (!isBlank(st, insertDate))
            row->setInsertDate(recordfields::date(st, insertDate));
        if (!isBlank(st, modifyDate))
            row->setModifyDate(recordfields::date(st, modifyDate));
        m_rows.push_back(std::move(row));
    }
}

qint32 denpyos::CountCheck(const QString &strSQLWHERE, const QString &strSQLMEISAIWHERE,
                           const QString &strSQLORDER) const
{
    db::Statement st = connection().prepare(countStatement(strSQLWHERE, strSQLMEISAIWHERE, strSQLORDER));
    st.step();
    return recordfields::int32(st, 0);
}
