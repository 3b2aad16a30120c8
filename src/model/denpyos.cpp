#include "model/denpyos.h"

#include "core/Globals.h"
#include "model/RecordFields.h"

namespace {

// The list statement up to, not including, its ORDER BY.
QString selectPart(const QString &columns, const QString &strSQLWHERE, const QString &strSQLMEISAIWHERE)
{
    QString sql = QStringLiteral("SELECT DISTINCT ") + columns + QStringLiteral(" FROM 伝票テーブル ");
    if (!strSQLMEISAIWHERE.isEmpty())
        sql += QStringLiteral(" INNER JOIN 明細テーブル ON (伝票テーブル.伝票番号 = 明細テーブル.伝票番号 AND ")
               + strSQLMEISAIWHERE + QStringLiteral(")");
    return sql + recordfields::whereClause(strSQLWHERE);
}

} // namespace

QString denpyos::listStatement(const QString &strSQLWHERE, const QString &strSQLMEISAIWHERE,
                               const QString &strSQLORDER)
{
    return selectPart(QStringLiteral("伝票テーブル.*"), strSQLWHERE, strSQLMEISAIWHERE) + QStringLiteral(" ORDER BY ") + strSQLORDER
           + QStringLiteral(";");
}

QString denpyos::countStatement(const QString &strSQLWHERE, const QString &strSQLMEISAIWHERE,
                                const QString &strSQLORDER)
{
    // The order changes no count. 伝票番号 is the key: without a line
    // condition every row is one slip, and with one each slip counts once.
    Q_UNUSED(strSQLORDER);
    if (strSQLMEISAIWHERE.isEmpty())
        return QStringLiteral("SELECT COUNT(*) FROM 伝票テーブル") + recordfields::whereClause(strSQLWHERE);
    return QStringLiteral("SELECT COUNT(*) FROM (")
           + selectPart(QStringLiteral("伝票テーブル.伝票番号"), strSQLWHERE, strSQLMEISAIWHERE) + QStringLiteral(")");
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

    recordfields::SharedTexts texts;
    recordfields::DateReader dates;
    // Blank texts and dates leave the row's empty text and zero date.
    const auto setText = [&](int column, auto &&set) {
        const QByteArrayView bytes = st.utf8(column);
        if (!bytes.isEmpty())
            set(texts.get(bytes));
    };
    const auto setDate = [&](int column, auto &&set) {
        const QByteArrayView bytes = st.utf8(column);
        if (!bytes.isEmpty())
            set(dates.read(st, column, bytes));
    };

    while (st.step()) {
        auto row = std::make_shared<DenpyoDisplay>();
        DenpyoDisplay &r = *row;
        if (!st.isNull(denpyoID))
            r.setDenpyoID(recordfields::int32(st, denpyoID));
        setText(customerID, [&](const QString &v) { r.setCustomerID(v); });
        setDate(nouki, [&](const QDateTime &v) { r.setNouki(v); });
        setText(customerName, [&](const QString &v) { r.setCustomerName(v); });
        setText(customerBumon, [&](const QString &v) { r.setCustomerBumon(v); });
        r.setSummeryWithShouhizei(recordfields::int32(st, total));
        r.setMitsumori(recordfields::flag(st, mitsumori));
        setDate(mitsumoriDate, [&](const QDateTime &v) { r.setMitsumoriDate(v); });
        r.setJuchu(recordfields::flag(st, juchu));
        setDate(juchuDate, [&](const QDateTime &v) { r.setJuchuDate(v); });
        r.setNouhin(recordfields::flag(st, nouhin));
        setDate(nouhinDate, [&](const QDateTime &v) { r.setNouhinDate(v); });
        r.setSeikyu(recordfields::flag(st, seikyu));
        setDate(seikyuDate, [&](const QDateTime &v) { r.setSeikyuDate(v); });
        r.setNyukin(recordfields::flag(st, nyukin));
        setDate(nyukinDate, [&](const QDateTime &v) { r.setNyukinDate(v); });
        setDate(insertDate, [&](const QDateTime &v) { r.setInsertDate(v); });
        setDate(modifyDate, [&](const QDateTime &v) { r.setModifyDate(v); });
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

bool denpyos::LoadAfterCount(const QString &strSQLWHERE, const QString &strSQLMEISAIWHERE,
                             const QString &strSQLORDER, const std::function<bool(qint32 count)> &proceed)
{
    if (strSQLMEISAIWHERE.isEmpty()) {
        // Without a join the count reads the slip table alone, a fraction of
        // the list's work, and a refused list is never read.
        if (!proceed(CountCheck(strSQLWHERE, strSQLMEISAIWHERE, strSQLORDER)))
            return false;
        Load(strSQLWHERE, strSQLMEISAIWHERE, strSQLORDER);
        return true;
    }
    denpyos found;
    found.Load(strSQLWHERE, strSQLMEISAIWHERE, strSQLORDER);
    if (!proceed(found.Count()))
        return false;
    m_rows.insert(m_rows.end(), std::make_move_iterator(found.m_rows.begin()),
                  std::make_move_iterator(found.m_rows.end()));
    return true;
}
