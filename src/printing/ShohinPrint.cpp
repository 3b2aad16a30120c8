#include "printing/ShohinPrint.h"

#include "model/Shohin.h"
#include "printing/PrintValues.h"
#include "printing/RecordPrint.h"
#include "printing/clsReportPrint.h"

namespace {

// The product's items, as page items of a sheet or detail items of a row.
void setShohinItems(clsReportPrint &report, ReportPart part, const Shohin &s)
{
    const auto set = [&](const QString &name, const QVariant &value) { SetReportData(report, part, name, value); };
    set(QStringLiteral("商品ID"), s.ShohinID());
    set(QStringLiteral("品番"), s.Number());
    set(QStringLiteral("品名"), s.Name());
    set(QStringLiteral("品名１－２５"), fnNameHead(s.Name()));
    set(QStringLiteral("品名２６－５０"), fnNameTail(s.Name()));
    set(QStringLiteral("製造元"), s.Maker());
    set(QStringLiteral("単価"), double(s.Tanka()));
    set(QStringLiteral("単位"), s.Tanni());
    SetMemoLines(report, part, s.Memo());
}

} // namespace

bool PrintShohin(const Shohin &shohin, const QString &formFolder, const QString &formName,
                 const QDateTime &printDate, QWidget *parent)
{
    const auto setItems = [&](clsReportPrint &report) { setShohinItems(report, ReportPart::Page, shohin); };
    return PrintRecordSheet(setItems, formFolder, formName, printDate, parent);
}

void SetShohinListDetailData(clsReportPrint &report, const QStringList &shohinIDs)
{
    Shohin s;
    for (int i = 1; i < shohinIDs.size(); ++i) {
        s.Initialize();
        s.Load(shohinIDs[i]);
        report.AddDetailData();
        setShohinItems(report, ReportPart::Detail, s);
    }
}

bool PrintShohinList(const QString &formFolder, const QString &formName, const QDateTime &printDate,
                     const QStringList &shohinIDs, const QString &savePath, QWidget *parent)
{
    return PrintRecordList(SetShohinListDetailData, formFolder, formName, printDate, shohinIDs, savePath, parent);
}
