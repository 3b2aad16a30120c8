#include "printing/DenpyoPrint.h"

#include "model/Denpyo.h"
#include "platform/report/FormatPattern.h"
#include "printing/OwnCompanyInfo.h"
#include "printing/PrintValues.h"
#include "printing/clsReportPrint.h"

namespace {

QString yenText(qint64 amount)
{
    return report::formatNumber(double(amount), QStringLiteral("\\\\#,##0")) + QStringLiteral("円");
}

QString nebikiText(const Denpyo &d)
{
    return d.NebikiKingaku() > 0 ? QStringLiteral("値引き ") + yenText(d.NebikiKingaku()) : QString();
}

QString nebikiRitsuText(const Denpyo &d)
{
    if (d.NebikiKingaku() == 0)
        return QString();
    const QString rate = d.NebikiRitsu() > 0 ? QString::number(d.NebikiRitsu()) + QStringLiteral("% ") : QString();
    return QStringLiteral("値引き ") + rate + yenText(d.NebikiKingaku());
}

} // namespace

void SetDenpyoCustomerItems(clsReportPrint &report, ReportPart part, const Denpyo &d)
{
    SetReportData(report, part, QStringLiteral("顧客ID"), d.CustomerID());
    SetReportData(report, part, QStringLiteral("顧客郵便"), fnPostNumberText(d.CustomerPostNumber()));
    SetReportData(report, part, QStringLiteral("顧客所在地１"), d.CustomerAddress1());
    SetReportData(report, part, QStringLiteral("顧客所在地２"), d.CustomerAddress2());
    SetReportData(report, part, QStringLiteral("顧客名"), d.CustomerName());
    if (part == ReportPart::Page) {
        SetReportData(report, part, QStringLiteral("顧客名+様"), d.CustomerName() + QStringLiteral(" 様"));
        SetReportData(report, part, QStringLiteral("顧客名+御中"), d.CustomerName() + QStringLiteral(" 御中"));
    }
    SetReportData(report, part, QStringLiteral("顧客部門"), d.CustomerBumon());
    SetReportData(report, part, QStringLiteral("顧客電話"), d.CustomerTelephone());
    SetReportData(report, part, QStringLiteral("顧客FAX"), d.CustomerFax());
}

void SetDenpyoStageDates(clsReportPrint &report, ReportPart part, const Denpyo &d)
{
    const struct {
        QString name;
        bool on;
        const QDateTime &date;
    } stages[] = {
        {QStringLiteral("見積日"), d.Mitsumori(), d.MitsumoriDate()}, {QStringLiteral("受注日"), d.Juchu(), d.JuchuDate()},
        {QStringLiteral("納品日"), d.Nouhin(), d.NouhinDate()},       {QStringLiteral("請求日"), d.Seikyu(), d.SeikyuDate()},
        {QStringLiteral("入金日"), d.Nyukin(), d.NyukinDate()},
    };
    for (const auto &s : stages)
        if (s.on)
            SetReportData(report, part, s.name, fnReportDate(s.date));
}

void SetMeisaiItems(clsReportPrint &report, const Meisai &m)
{
    report.SetDetailData(QStringLiteral("商品ID"), m.ItemID());
    report.SetDetailData(QStringLiteral("品番"), m.ItemNumber());
    report.SetDetailData(QStringLiteral("品名"), m.ItemName());
    report.SetDetailData(QStringLiteral("品名１－２５"), fnNameHead(m.ItemName()));
    report.SetDetailData(QStringLiteral("品名２６－５０"), fnNameTail(m.ItemName()));
    report.SetDetailData(QStringLiteral("品番+品名"), m.ItemNumber() + QLatin1Char(' ') + m.ItemName());
    report.SetDetailData(QStringLiteral("単価"), m.ItemTanka());
    report.SetDetailData(QStringLiteral("数量"), m.ItemSuryo());
    report.SetDetailData(QStringLiteral("単位"), m.ItemTanni());
    report.SetDetailData(QStringLiteral("金額"), int(m.ItemKingaku()));
    report.SetDetailData(QStringLiteral("備考"), m.ItemBikou());
}

bool PrintDenpyo(const Denpyo &d, const QString &formFolder, const QString &formName, const QDateTime &printDate,
                 QWidget *parent)
{
    clsReportPrint report;
    const ReportPart page = ReportPart::Page;
    report.SetPageData(QStringLiteral("印刷日付"), fnReportDate(printDate));
    report.SetPageData(QStringLiteral("伝票番号"), int(d.DenpyoID()));
    report.SetPageData(QStringLiteral("納期"), fnReportDate(d.Nouki()));
    SetDenpyoCustomerItems(report, page, d);
    SetDenpyoStageDates(report, page, d);
    report.SetPageData(QStringLiteral("値引率"), qint16(d.NebikiRitsu()));
    report.SetPageData(QStringLiteral("値引金額"), int(d.NebikiKingaku()));
    report.SetPageData(QStringLiteral("値引き+値引金額"), nebikiText(d));
    report.SetPageData(QStringLiteral("値引き+値引率+値引金額"), nebikiRitsuText(d));
    report.SetPageData(QStringLiteral("合計"), int(d.Summery()));
    report.SetPageData(QStringLiteral("消費税"), int(d.Shouhizei()));
    report.SetPageData(QStringLiteral("合計-消費税"), qlonglong(qint64(d.Summery()) - d.Shouhizei()));
    report.SetPageData(QStringLiteral("税込合計"), int(d.SummeryWithShouhizei()));
    report.SetPageData(QStringLiteral("部門"), d.Bumon());
    report.SetPageData(QStringLiteral("担当"), d.Tanto());
    SetMemoLines(report, page, d.Memo());

    const qint32 rate = fnShouhizeiRitsu();
    qint64 sumAmount = 0, sumSoto = 0, sumWithSoto = 0, sumUchi = 0, sumLessUchi = 0;
    const Meisais &lines = d.Meisais();
    for (int k = 1; k <= lines.Count(); ++k) {
        const Meisai &m = lines.Item(k);
        const qint64 a = m.ItemKingaku();
        const LineTax tax = fnLineTax(a, rate);
        report.AddDetailData();
        SetMeisaiItems(report, m);
        report.SetDetailData(QStringLiteral("明細消費税"), fnReportCurrency(tax.soto));
        report.SetDetailData(QStringLiteral("明細税込金額"), fnReportCurrency(a + tax.soto));
        report.SetDetailData(QStringLiteral("明細消費税(内税)"), fnReportCurrency(tax.uchi));
        report.SetDetailData(QStringLiteral("明細金額-消費税(内税)"), fnReportCurrency(a - tax.uchi));
        sumAmount += a;
        sumSoto += tax.soto;
        sumWithSoto += a + tax.soto;
        sumUchi += tax.uchi;
        sumLessUchi += a - tax.uchi;
    }
    report.SetPageData(QStringLiteral("明細集計/金額"), fnReportCurrency(sumAmount));
    report.SetPageData(QStringLiteral("明細集計/消費税"), fnReportCurrency(sumSoto));
    report.SetPageData(QStringLiteral("明細集計/税込金額"), fnReportCurrency(sumWithSoto));
    report.SetPageData(QStringLiteral("明細集計/消費税(内税)"), fnReportCurrency(sumUchi));
    report.SetPageData(QStringLiteral("明細集計/明細金額-消費税(内税)"), fnReportCurrency(sumLessUchi));
    SetOwnCompanyPageData(report);
    return report.ReportPrintView(formFolder + formName + QStringLiteral(".rpx"), QString(), parent);
}
