#include "model/denpyos.h"

#include "core/DateValue.h"
#include "core/Globals.h"
#include "model/RecordFields.h"

#include <string>
#include <string_view>
#include <unordered_map>

namespace {

using recordfields::digits;

// The list statement up to, not including, its ORDER BY.
QString selectPart(const QString &columns, const QString &strSQLWHERE, const QString &strSQLMEISAIWHERE)
{
    QString sql = QStringLiteral("SELECT DISTINCT ") + columns + QStringLiteral(" FROM 伝票テーブル ");
    if (!strSQLMEISAIWHERE.isEmpty())
        sql += QStringLiteral(" INNER JOIN 明細テーブル ON (伝票テーブル.伝票番号 = 明細テーブル.伝票番号 AND ")
               + strSQLMEISAIWHERE + QStringLiteral(")");
    return sql + recordfields::whereClause(strSQLWHERE);
}

struct BytesHash {
    using is_transparent = void;
    size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
};
template <typename Value>
using BytesMap = std::unordered_map<std::string, Value, BytesHash, std::equal_to<>>;

std::string_view view(QByteArrayView bytes)
{
    return std::string_view(bytes.data(), size_t(bytes.size()));
}

// Texts that repeat over the rows of one load (a customer's name on each of
// its slips) are converted once and shared by the rows.
class SharedTexts {
public:
    QString get(QByteArrayView utf8)
    {
        const auto it = m_texts.find(view(utf8));
        if (it != m_texts.end())
            return it->second;
        QString text = QString::fromUtf8(utf8);
        // Past this many distinct texts the column does not repeat enough.
        if (m_texts.size() < 8192)
            m_texts.emplace(std::string(view(utf8)), text);
        return text;
    }

private:
    BytesMap<QString> m_texts;
};

// The dates of one load as recordfields::date reads them. The two forms this
// program writes are parsed from the engine's bytes; each day is built as a
// local date-time once, and a time of day on a day without a clock change is
// counted from that day's midnight. Anything else takes recordfields::date,
// which also names the column of a value that is no date.
class DateReader {
public:
    explicit DateReader(const db::Statement &st) : m_st(st) {}

    QDateTime read(int column, QByteArrayView bytes)
    {
        if ((bytes.size() == 10 || bytes.size() == 19) && bytes[4] == '/' && bytes[7] == '/') {
            const Day &day = this->day(bytes.first(10));
            if (bytes.size() == 10 && day.valid)
                return day.midnight;
            if (bytes.size() == 19 && day.steady && bytes[10] == ' ' && bytes[13] == ':' && bytes[16] == ':') {
                const int h = digits(bytes.data() + 11, 2), m = digits(bytes.data() + 14, 2),
                          s = digits(bytes.data() + 17, 2);
                if (QTime::isValid(h, m, s))
                    return QDateTime::fromMSecsSinceEpoch(day.epochMSecs + (h * 3600 + m * 60 + s) * 1000LL);
            }
        }
        return recordfields::date(m_st, column);
    }

private:
    struct Day {
        bool valid = false;  // the day exists
        bool steady = false; // its clock starts at 00:00 and keeps one offset all day
        QDateTime midnight;  // the day as a date: its first moment
        qint64 epochMSecs = 0;
    };

    const Day &day(QByteArrayView text)
    {
        const auto it = m_days.find(view(text));
        if (it != m_days.end())
            return it->second;
        Day d;
        const int y = digits(text.data(), 4), m = digits(text.data() + 5, 2), dd = digits(text.data() + 8, 2);
        const QDate date(y, m, dd);
        if (y >= 0 && m >= 0 && dd >= 0 && date.isValid()) {
            d.midnight = localDateTime(date, QTime(0, 0));
            d.valid = d.midnight.isValid();
            const QDateTime next(date.addDays(1), QTime(0, 0));
            d.steady = d.valid && d.midnight.time() == QTime(0, 0) && next.isValid()
                       && next.offsetFromUtc() == d.midnight.offsetFromUtc()
                       && d.midnight.secsTo(next) == 86400;
            d.epochMSecs = d.midnight.toMSecsSinceEpoch();
        }
        return m_days.emplace(std::string(view(text)), d).first->second;
    }

    const db::Statement &m_st;
    BytesMap<Day> m_days;
};

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

    SharedTexts texts;
    DateReader dates(st);
    // Blank texts and dates leave the row's empty text and zero date.
    const auto setText = [&](int column, auto &&set) {
        const QByteArrayView bytes = st.utf8(column);
        if (!bytes.isEmpty())
            set(texts.get(bytes));
    };
    const auto setDate = [&](int column, auto &&set) {
        const QByteArrayView bytes = st.utf8(column);
        if (!bytes.isEmpty())
            set(dates.read(column, bytes));
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
