#include "printing/CustomerPrint.h"

#include "model/Customer.h"
#include "printing/PrintValues.h"
#include "printing/RecordPrint.h"
#include "printing/clsReportPrint.h"

namespace {

// The customer's items, as page items of a sheet or detail items of a row.
void setCustomerItems(clsReportPrint &report, ReportPart part, const Customer &c)
{
    const auto set = [&](const QString &name, const QVariant &value) { SetReportData(report, part, name, value); };
    set(QStringLiteral("顧客ID"), c.CustomerID());
    set(QStringLiteral("顧客名かな"), c.NameKana());
    set(QStringLiteral("顧客名漢字"), c.NameKnj());
    set(QStringLiteral("顧客名漢字+様"), c.NameKnj() + QStringLiteral(" 様"));
    set(QStringLiteral("顧客名漢字+御中"), c.NameKnj() + QStringLiteral(" 御中"));
    set(QStringLiteral("部門"), c.Bumon());
    set(QStringLiteral("郵便番号"), fnPostNumberText(c.PostNumber()));
    set(QStringLiteral("所在地１"), c.Address1());
    set(QStringLiteral("所在地２"), c.Address2());
    set(QStringLiteral("電話番号"), c.Phone());
    set(QStringLiteral("FAX番号"), c.Fax());
    set(QStringLiteral("値引率"), qint16(c.NebikiRitsu()));
    set(QStringLiteral("月締め請求"), c.TsukiSeikyu() ? QStringLiteral("する") : QStringLiteral("しない"));
    set(QStringLiteral("締め日"), c.ShimeBi());
    set(QStringLiteral("請求書フォーム"), c.SeikyushoForm());
    SetMemoLines(report, part, c.Memo());
}

} // namespace

bool PrintCustomer(const Customer &customer, const QString &formFolder, const QString &formName,
                   const QDateTime &printDate, QWidget *parent)
{
    const auto setItems = [&](clsReportPrint &report) { setCustomerItems(report, ReportPart::Page, customer); };
    return PrintRecordSheet(setItems, formFolder, formName, printDate, parent);
}

void SetCustomerListDetailData(clsReportPrint &report, const QStringList &customerIDs)
{
    Customer c;
    for (int i = 1; i < customerIDs.size(); ++i) {
        c.Initialize();
        c.Load(customerIDs[i]);
        report.AddDetailData();
        setCustomerItems(report, ReportPart::Detail, c);
    }
}

bool PrintCustomerList(const QString &formFolder, const QString &formName, const QDateTime &printDate,
                       const QStringList &customerIDs, const QString &savePath, QWidget *parent)
{
    return PrintRecordList(SetCustomerListDetailData, formFolder, formName, printDate, customerIDs, savePath, parent);
}
