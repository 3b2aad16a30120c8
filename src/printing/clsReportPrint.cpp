#include "printing/clsReportPrint.h"

#include "platform/report/LayoutFile.h"
#include "platform/report/PageFile.h"
#include "platform/report/PageOutput.h"
#include "platform/text/LineFile.h"
#include "platform/ui/MessageBox.h"
#include "printing/ActiveReport1.h"
#include "printing/ReportGlobal.h"

#include <memory>

namespace {

bool loadInto(ActiveReport1 &report, const QString &rpxFilePath, QWidget *parent)
{
    try {
        report.loadLayout(rpxFilePath);
        return true;
    } catch (const report::LayoutError &e) {
        ui::showMessage(QStringLiteral("印刷フォームを読み込めませんでした。\r\n") + e.message(), ui::Icon::Critical,
                        ui::Buttons::Ok, ui::Answer::Ok, QString(), parent);
        return false;
    }
}

} // namespace

clsReportPrint::clsReportPrint()
{
    ClearReportData();
}

void clsReportPrint::SetPageData(const QString &inName, const QVariant &inValue)
{
    garrReportPageData.append({inName, inValue});
}

void clsReportPrint::AddDetailData()
{
    garrReportDetailIndex.append(int(garrReportDetailData.size()));
}

void clsReportPrint::SetDetailData(const QString &inName, const QVariant &inValue)
{
    if (ReportDetailRowsCollected() == 0)
        AddErrorMessage(QStringLiteral("SetDetailData:詳細データインデックスが設定されていません"));
    garrReportDetailData.append({inName, inValue});
}

int clsReportPrint::GetErrorMessageCount() const
{
    return int(garrReportErrorMessage.size()) - 1;
}

QString clsReportPrint::GetErrorMessage(int iIndex) const
{
    return iIndex >= 1 && iIndex < garrReportErrorMessage.size() ? garrReportErrorMessage[iIndex] : QString();
}

void clsReportPrint::ShowErrorMessages(QWidget *parent) const
{
    if (GetErrorMessageCount() == 0)
        return;
    QString text;
    for (int i = 1; i <= GetErrorMessageCount(); ++i)
        text += GetErrorMessage(i) + QStringLiteral("\r\n");
    ui::showMessage(text, ui::Icon::None, ui::Buttons::Ok, ui::Answer::Ok, QString(), parent);
}

bool clsReportPrint::ReportPrint(const QString &rpxFilePath, QWidget *parent)
{
    auto report = std::make_unique<ActiveReport1>();
    if (!loadInto(*report, rpxFilePath, parent))
        return false;
    report->run();
    report::printWithDialog(report->pages(), parent);
    report.reset();
    ShowErrorMessages(parent);
    return true;
}

bool clsReportPrint::ReportPrintView(const QString &rpxFilePath, const QString &savePath, QWidget *parent)
{
    auto report = std::make_unique<ActiveReport1>();
    if (!loadInto(*report, rpxFilePath, parent))
        return false;
    report->SavePath = savePath;
    report->ShowPreview(parent);
    QString failure;
    try {
        report->Terminate();
    } catch (const report::PageFileError &e) {
        failure = e.message();
    } catch (const text::TextFileError &e) {
        failure = e.message();
    }
    if (!failure.isEmpty())
        ui::showMessage(QStringLiteral("印刷したページを保存できませんでした。\r\n") + failure, ui::Icon::Critical,
                        ui::Buttons::Ok, ui::Answer::Ok, QString(), parent);
    report.reset();
    ShowErrorMessages(parent);
    return failure.isEmpty();
}
