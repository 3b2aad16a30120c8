#include "printing/DenpyoListPrint.h"

#include "core/Globals.h"
#include "model/Customer.h"
#include "model/Denpyo.h"
#include "model/DenpyoReader.h"
#include "model/RecordFields.h"
#include "platform/db/Connection.h"
#include "platform/db/DbError.h"
#include "platform/db/ReadTransaction.h"
#include "platform/db/Statement.h"
#include "printing/DenpyoPrint.h"
#include "printing/OwnCompanyInfo.h"
#include "printing/PrintFormOption.h"
#include "printing/PrintValues.h"
#include "printing/ReportGlobal.h"
#include "printing/clsReportPrint.h"

#include <charconv>
#include <exception>
#include <optional>

namespace {

// The stage dates a slip row may hold (見積日 to 入金日).
constexpr qsizetype kStageDates = 5;

qint32 denpyoNumber(const QString &text)
{
    // A list hands over plain digits; anything else goes the long way.
    if (text.size() > 0 && text.size() <= 9) {
        qint32 n = 0;
        bool digits = true;
        for (const QChar c : text) {
            if (c < u'0' || c > u'9') {
                digits = false;
                break;
            }
            n = n * 10 + (c.unicode() - '0');
        }
        if (digits)
            return n;
    }
    bool ok = false;
    const qint32 n = text.trimmed().toInt(&ok);
    return ok ? n : 0;
}

void setFirstDenpyo(clsReportPrint &report, const Denpyo &d)
{
    const QString p = QStringLiteral("先頭伝票/");
    report.SetPageData(p + QStringLiteral("納期"), fnReportDate(d.Nouki()));
    report.SetPageData(p + QStringLiteral("顧客ID"), d.CustomerID());
    report.SetPageData(p + QStringLiteral("顧客郵便"), fnPostNumberText(d.CustomerPostNumber()));
    report.SetPageData(p + QStringLiteral("顧客所在地１"), d.CustomerAddress1());
    report.SetPageData(p + QStringLiteral("顧客所在地２"), d.CustomerAddress2());
    report.SetPageData(p + QStringLiteral("顧客名"), d.CustomerName());
    report.SetPageData(p + QStringLiteral("顧客名+様"), d.CustomerName() + QStringLiteral(" 様"));
    report.SetPageData(p + QStringLiteral("顧客名+御中"), d.CustomerName() + QStringLiteral(" 御中"));
    report.SetPageData(p + QStringLiteral("顧客部門"), d.CustomerBumon());
    report.SetPageData(p + QStringLiteral("顧客電話"), d.CustomerTelephone());
    report.SetPageData(p + QStringLiteral("顧客FAX"), d.CustomerFax());
    report.SetPageData(p + QStringLiteral("見積日付"), fnReportDate(d.MitsumoriDate()));
    report.SetPageData(p + QStringLiteral("受注日付"), fnReportDate(d.JuchuDate()));
    report.SetPageData(p + QStringLiteral("納品日付"), fnReportDate(d.NouhinDate()));
    report.SetPageData(p + QStringLiteral("請求日付"), fnReportDate(d.SeikyuDate()));
    report.SetPageData(p + QStringLiteral("入金日付"), fnReportDate(d.NyukinDate()));
    report.SetPageData(p + QStringLiteral("部門"), d.Bumon());
    report.SetPageData(p + QStringLiteral("担当"), d.Tanto());
    report.SetPageData(p + QStringLiteral("値引率"), qint16(d.NebikiRitsu()));
    SetMemoLines(report, ReportPart::Page, d.Memo(), p);
}

void setFirstDenpyoCustomer(clsReportPrint &report, const QString &customerID)
{
    Customer c;
    c.Initialize();
    c.Load(customerID);
    const QString p = QStringLiteral("先頭伝票顧客/");
    report.SetPageData(p + QStringLiteral("顧客郵便"), fnPostNumberText(c.PostNumber()));
    report.SetPageData(p + QStringLiteral("顧客所在地１"), c.Address1());
    report.SetPageData(p + QStringLiteral("顧客所在地２"), c.Address2());
    report.SetPageData(p + QStringLiteral("顧客名"), c.NameKnj());
    report.SetPageData(p + QStringLiteral("顧客名+様"), c.NameKnj() + QStringLiteral(" 様"));
    report.SetPageData(p + QStringLiteral("顧客名+御中"), c.NameKnj() + QStringLiteral(" 御中"));
    report.SetPageData(p + QStringLiteral("顧客部門"), c.Bumon());
    report.SetPageData(p + QStringLiteral("顧客電話"), c.Phone());
    report.SetPageData(p + QStringLiteral("顧客FAX"), c.Fax());
}

// The sums of the slip amounts over the list, a slip listed twice counted
// twice.
struct Totals {
    qint64 nebiki = 0, summery = 0, shouhizei = 0, withShouhizei = 0, lessShouhizei = 0;

    void add(qint32 nebikiKingaku, qint32 summeryOfSlip, qint32 shouhizeiOfSlip, qint32 summeryWithShouhizei)
    {
        nebiki += nebikiKingaku;
        summery += summeryOfSlip;
        shouhizei += shouhizeiOfSlip;
        withShouhizei += summeryWithShouhizei;
        lessShouhizei += qint64(summeryOfSlip) - shouhizeiOfSlip;
    }
};

void setTotals(clsReportPrint &report, const Totals &t)
{
    const qint32 rate = fnShouhizeiRitsu();
    const qint64 soto = fnRoundRatio(t.summery, rate, 100);
    const qint64 uchi = fnRoundRatio(t.summery, rate, qint64(rate) + 100);
    const QString p = QStringLiteral("伝票集計/");
    report.SetPageData(p + QStringLiteral("値引金額"), fnReportCurrency(t.nebiki));
    report.SetPageData(p + QStringLiteral("合計"), fnReportCurrency(t.summery));
    report.SetPageData(p + QStringLiteral("消費税"), fnReportCurrency(t.shouhizei));
    report.SetPageData(p + QStringLiteral("税込合計"), fnReportCurrency(t.withShouhizei));
    report.SetPageData(p + QStringLiteral("合計-消費税"), fnReportCurrency(t.lessShouhizei));
    report.SetPageData(p + QStringLiteral("合計x消費税率"), fnReportCurrency(soto));
    report.SetPageData(p + QStringLiteral("合計+(合計x消費税率)"), fnReportCurrency(t.summery + soto));
    report.SetPageData(p + QStringLiteral("合計x消費税率(内税計算)"), fnReportCurrency(uchi));
    report.SetPageData(p + QStringLiteral("合計-(合計x消費税率(内税計算))"), fnReportCurrency(t.summery - uchi));
}

void setDenpyoRow(clsReportPrint &report, const Denpyo &d, int position)
{
    report.SetDetailData(QStringLiteral("伝票連番"), position);
    report.SetDetailData(QStringLiteral("伝票番号"), int(d.DenpyoID()));
    report.SetDetailData(QStringLiteral("納期"), fnReportDate(d.Nouki()));
    SetDenpyoCustomerItems(report, ReportPart::Detail, d);
    SetDenpyoStageDates(report, ReportPart::Detail, d);
    report.SetDetailData(QStringLiteral("値引率"), qint16(d.NebikiRitsu()));
    report.SetDetailData(QStringLiteral("値引金額"), int(d.NebikiKingaku()));
    report.SetDetailData(QStringLiteral("合計"), int(d.Summery()));
    report.SetDetailData(QStringLiteral("消費税"), int(d.Shouhizei()));
    report.SetDetailData(QStringLiteral("税込合計"), int(d.SummeryWithShouhizei()));
    report.SetDetailData(QStringLiteral("合計-消費税"), qlonglong(qint64(d.Summery()) - d.Shouhizei()));
    report.SetDetailData(QStringLiteral("部門"), d.Bumon());
    report.SetDetailData(QStringLiteral("担当"), d.Tanto());
    SetMemoLines(report, ReportPart::Detail, d.Memo());
}

// The rows of one slip at position `position` of the list; `row` is the
// running row number.
void addDenpyoRows(clsReportPrint &report, const Denpyo &d, int position, int &row, bool ShohinMeisai,
                   bool DenpyoLine)
{
    report.AddDetailData();
    report.SetDetailData(QStringLiteral("行番号"), ++row);
    setDenpyoRow(report, d, position);
    if (!ShohinMeisai)
        return;
    const Meisais &lines = d.Meisais();
    for (int k = 1; k <= lines.Count(); ++k) {
        if (DenpyoLine || k > 1) {
            report.AddDetailData();
            report.SetDetailData(QStringLiteral("行番号"), ++row);
        }
        SetMeisaiItems(report, lines.Item(k));
    }
    if (d.NebikiKingaku() > 0) {
        report.AddDetailData();
        report.SetDetailData(QStringLiteral("行番号"), ++row);
        report.SetDetailData(QStringLiteral("金額"), qlonglong(-qint64(d.NebikiKingaku())));
        const QString rate = d.NebikiRitsu() > 0 ? QString::number(d.NebikiRitsu()) + QLatin1Char('%') : QString();
        report.SetDetailData(QStringLiteral("備考"), QStringLiteral("値引き ") + rate);
    }
}

// The totals over the listed slips and the number of detail rows they make.
struct ListSums {
    Totals totals;
    int rows = 0;
};

// The listed numbers as a JSON array, for json_each: the list is read by one
// statement however long it is.
QString jsonList(const QVector<qint32> &numbers)
{
    QByteArray list(numbers.size() * 12 + 2, Qt::Uninitialized);
    char *out = list.data();
    *out++ = '[';
    for (qsizetype i = 1; i < numbers.size(); ++i) {
        if (i > 1)
            *out++ = ',';
        out = std::to_chars(out, out + 11, numbers[i]).ptr;
    }
    *out++ = ']';
    return QString::fromLatin1(list.constData(), out - list.constData());
}

// The sums by the engine, or nothing when a listed slip holds an amount
// that is not stored as a whole number within a slip's range: those the
// engine would sum as it likes, where a slip read converts or refuses them.
// Per row only the range is looked at, which a missing amount, a text or a
// blob fails; a fraction makes its sum a real number.
std::optional<ListSums> readWholeListSums(const QString &list, qsizetype listed, bool ShohinMeisai, bool DenpyoLine)
{
    const QStringList amounts{QStringLiteral("d.値引金額"), QStringLiteral("d.合計"), QStringLiteral("d.消費税"),
                              QStringLiteral("d.合計消費税込み")};
    QStringList inRange, sums;
    for (const QString &a : amounts) {
        inRange << a + QStringLiteral(" BETWEEN -2147483648 AND 2147483647");
        sums << QStringLiteral("SUM(%1)").arg(a);
    }
    QString sql = QStringLiteral("SELECT COUNT(*), COUNT(CASE WHEN ")
                  + inRange.join(QStringLiteral(" AND ")) + QStringLiteral(" THEN 1 END), ")
                  + sums.join(QStringLiteral(", "));
    // The rows addDenpyoRows lays out besides each slip row, as
    // readListSums counts them.
    if (ShohinMeisai)
        sql += QStringLiteral(", SUM(max(1, (SELECT COUNT(*) FROM 明細テーブル AS m WHERE m.伝票番号 = d.伝票番号)) - %1 "
                              "+ (d.値引金額 > 0))")
                   .arg(DenpyoLine ? 0 : 1);
    // Only the slips that are there: one that is gone is a row of its own
    // and adds nothing.
    sql += QStringLiteral(" FROM json_each(?) AS k JOIN 伝票テーブル AS d ON d.伝票番号 = k.value");
    db::Statement st = connection().prepare(sql);
    st.bindText(1, list);
    if (!st.step() || st.int64(0) != st.int64(1))
        return std::nullopt;
    qint64 values[4] = {};
    for (int i = 0; i < 4; ++i) {
        if (st.isNull(2 + i))
            continue; // no slip that is there
        const QVariant sum = st.value(2 + i);
        if (sum.typeId() != QMetaType::LongLong)
            return std::nullopt;
        values[i] = sum.toLongLong();
    }
    ListSums result;
    Totals &t = result.totals;
    t.nebiki = values[0];
    t.summery = values[1];
    t.shouhizei = values[2];
    t.withShouhizei = values[3];
    t.lessShouhizei = t.summery - t.shouhizei;
    result.rows = int(listed + (ShohinMeisai ? st.int64(6) : 0));
    return result;
}

// By one read over the list's slips, each amount read and checked as a
// slip read takes it (the engine's own sums would take amounts a slip read
// refuses), with the number of lines of each slip when they are printed.
ListSums readListSums(const QVector<qint32> &numbers, bool ShohinMeisai, bool DenpyoLine)
{
    const QString list = jsonList(numbers);
    // Summed by the engine, a long list's totals take a fraction of the
    // time; the slip by slip read below is left for amounts it must check.
    if (const std::optional<ListSums> sums = readWholeListSums(list, numbers.size() - 1, ShohinMeisai, DenpyoLine))
        return *sums;
    QString sql = QStringLiteral("SELECT d.伝票番号 IS NOT NULL, d.値引金額, d.合計, d.消費税, d.合計消費税込み");
    if (ShohinMeisai)
        sql += QStringLiteral(", (SELECT COUNT(*) FROM 明細テーブル AS m WHERE m.伝票番号 = d.伝票番号)");
    sql += QStringLiteral(" FROM json_each(?) AS k LEFT JOIN 伝票テーブル AS d ON d.伝票番号 = k.value");
    db::Statement st = connection().prepare(sql);
    st.bindText(1, list);
    ListSums sums;
    while (st.step()) {
        // A slip that is gone makes one cleared row and adds nothing.
        ++sums.rows;
        if (st.int64(0) == 0)
            continue;
        const qint32 nebiki = recordfields::int32(st, 1);
        sums.totals.add(nebiki, recordfields::int32(st, 2), recordfields::int32(st, 3), recordfields::int32(st, 4));
        if (!ShohinMeisai)
            continue;
        // As addDenpyoRows lays them out: the lines (the first in the slip
        // row unless the slip row stands apart; a slip without stored lines
        // has one empty line), then the discount.
        const qint64 lines = qMax<qint64>(1, st.int64(5));
        sums.rows += int(DenpyoLine ? lines : lines - 1) + (nebiki > 0 ? 1 : 0);
    }
    return sums;
}

// The report data of a list print. The page items (the first slip and its
// customer, the totals over every listed slip, the own company) are set at
// once; the rows are read slip by slip as the report's pages come to them,
// each page's inside one read transaction, so that the first page does not
// wait for the rows of the others. Lives while the report runs.
class DenpyoListData {
public:
    DenpyoListData(clsReportPrint &report, const QDateTime &printDate, const QStringList &denpyoIDs,
                   bool ShohinMeisai, bool DenpyoLine)
        : m_report(report), m_shohinMeisai(ShohinMeisai), m_denpyoLine(DenpyoLine)
    {
        m_numbers.reserve(denpyoIDs.size());
        m_numbers.append(0);
        for (qsizetype i = 1; i < denpyoIDs.size(); ++i)
            m_numbers.append(denpyoNumber(denpyoIDs[i]));
        // The page items and the sums see one state of the database.
        db::ReadTransaction read(connection());
        m_reader.emplace(ShohinMeisai);
        report.SetPageData(QStringLiteral("印刷日付"), fnReportDate(printDate));
        // A slip that is gone stays cleared.
        m_reader->Load(m_first, m_numbers.value(1));
        setFirstDenpyo(report, m_first);
        setFirstDenpyoCustomer(report, m_first.CustomerID());
        const ListSums sums = readListSums(m_numbers, ShohinMeisai, DenpyoLine);
        setTotals(report, sums.totals);
        SetOwnCompanyPageData(report);
        SetReportDetailFeed({sums.rows, [this](int row) { collect(row); }});
    }
    ~DenpyoListData() { SetReportDetailFeed({}); }
    DenpyoListData(const DenpyoListData &) = delete;
    DenpyoListData &operator=(const DenpyoListData &) = delete;

    // The read that failed while the report ran, passed on once the
    // report is done with: the pages it left blank are not the list.
    void rethrowFailure() const
    {
        if (m_failure)
            std::rethrow_exception(m_failure);
    }

private:
    void collect(int row)
    {
        if (m_failure || m_next >= m_numbers.size())
            return;
        try {
            db::ReadTransaction read(connection());
            while (ReportDetailRowsCollected() < row && m_next < m_numbers.size()) {
                const int i = int(m_next++);
                if (i > 1)
                    m_reader->Load(m_slip, m_numbers[i]);
                addRows(i == 1 ? m_first : m_slip, i);
            }
        } catch (const db::DbError &) {
            // Thrown out of the report's run it would cross the preview's
            // event loop.
            m_failure = std::current_exception();
        }
    }

    void addRows(const Denpyo &d, int position)
    {
        const qsizetype itemsBefore = garrReportDetailData.size();
        addDenpyoRows(m_report, d, position, m_row, m_shohinMeisai, m_denpyoLine);
        if (position == 1 && !m_shohinMeisai) {
            // Without lines every slip makes one row of the first slip's
            // items but for the stage dates, which each slip has its own of.
            const qsizetype stages = d.Mitsumori() + d.Juchu() + d.Nouhin() + d.Seikyu() + d.Nyukin();
            const qsizetype slips = m_numbers.size() - 2;
            ReserveReportDetailData(slips,
                                    slips * (garrReportDetailData.size() - itemsBefore - stages + kStageDates));
        }
    }

    clsReportPrint &m_report;
    const bool m_shohinMeisai;
    const bool m_denpyoLine;
    QVector<qint32> m_numbers; // from element 1 on
    std::optional<DenpyoReader> m_reader;
    Denpyo m_first; // read with the page items
    Denpyo m_slip;
    qsizetype m_next = 1;
    int m_row = 0;
    std::exception_ptr m_failure;
};

} // namespace

bool PrintDenpyoList(const QString &formFolder, const QString &formName, const QDateTime &printDate,
                     const QStringList &denpyoIDs, const QString &savePath, QWidget *parent)
{
    if (denpyoIDs.size() < 2)
        return false;
    const QString layoutPath = formFolder + formName + QStringLiteral(".rpx");
    bool onlySelect = false, shohinMeisai = false, denpyoLine = false;
    GetDenpyoListFormOption(layoutPath, onlySelect, shohinMeisai, denpyoLine);
    clsReportPrint report;
    DenpyoListData data(report, printDate, denpyoIDs, shohinMeisai, denpyoLine);
    const bool shown = report.ReportPrintView(layoutPath, savePath, parent);
    data.rethrowFailure();
    return shown;
}
