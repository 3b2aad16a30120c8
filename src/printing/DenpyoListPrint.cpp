#include "printing/DenpyoListPrint.h"

#include "core/Globals.h"
#include "model/Customer.h"
#include "model/Denpyo.h"
#include "model/DenpyoReader.h"
#include "platform/db/ReadTransaction.h"
#include "printing/DenpyoPrint.h"
#include "printing/OwnCompanyInfo.h"
#include "printing/PrintFormOption.h"
#include "printing/PrintValues.h"
#include "printing/ReportGlobal.h"
#include "printing/clsReportPrint.h"

namespace {

// The stage dates a slip row may hold (見積日 to 入金日).
constexpr qsizetype kStageDates = 5;

qint32 denpyoNumber(const QString &text)
{
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

    void add(const Denpyo &d)
    {
        nebiki += d.NebikiKingaku();
        summery += d.Summery();
        shouhizei += d.Shouhizei();
        withShouhizei += d.SummeryWithShouhizei();
        lessShouhizei += qint64(d.Summery()) - d.Shouhizei();
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

} // namespace

void SetDenpyoListData(clsReportPrint &report, const QDateTime &printDate, const QStringList &denpyoIDs,
                       bool ShohinMeisai, bool DenpyoLine)
{
    // One state of the database for the whole list, each slip read once:
    // the first slip gives the page items, every slip its rows and its part
    // of the totals.
    db::ReadTransaction read(connection());
    DenpyoReader reader(ShohinMeisai);
    Denpyo d;
    report.SetPageData(QStringLiteral("印刷日付"), fnReportDate(printDate));
    if (denpyoIDs.size() < 2) {
        reader.Load(d, denpyoNumber(denpyoIDs.value(1)));
        setFirstDenpyo(report, d);
        setFirstDenpyoCustomer(report, d.CustomerID());
    }
    Totals totals;
    int row = 0;
    for (int i = 1; i < denpyoIDs.size(); ++i) {
        // A slip that is gone stays cleared.
        reader.Load(d, denpyoNumber(denpyoIDs[i]));
        if (i == 1) {
            setFirstDenpyo(report, d);
            setFirstDenpyoCustomer(report, d.CustomerID());
        }
        totals.add(d);
        const qsizetype itemsBefore = garrReportDetailData.size();
        addDenpyoRows(report, d, i, row, ShohinMeisai, DenpyoLine);
        if (i == 1 && !ShohinMeisai) {
            // Without lines every slip makes one row of the first slip's
            // items but for the stage dates, which each slip has its own of.
            const qsizetype stages = d.Mitsumori() + d.Juchu() + d.Nouhin() + d.Seikyu() + d.Nyukin();
            const qsizetype slips = denpyoIDs.size() - 2;
            ReserveReportDetailData(slips,
                                    slips * (garrReportDetailData.size() - itemsBefore - stages + kStageDates));
        }
    }
    setTotals(report, totals);
    SetOwnCompanyPageData(report);
}

bool PrintDenpyoList(const QString &formFolder, const QString &formName, const QDateTime &printDate,
                     const QStringList &denpyoIDs, const QString &savePath, QWidget *parent)
{
    if (denpyoIDs.size() < 2)
        return false;
    const QString layoutPath = formFolder + formName + QStringLiteral(".rpx");
    bool onlySelect = false, shohinMeisai = false, denpyoLine = false;
    GetDenpyoListFormOption(layoutPath, onlySelect, shohinMeisai, denpyoLine);
    clsReportPrint report;
    SetDenpyoListData(report, printDate, denpyoIDs, shohinMeisai, denpyoLine);
    return report.ReportPrintView(layoutPath, savePath, parent);
}
