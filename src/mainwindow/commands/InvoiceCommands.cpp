#include "mainwindow/commands/InvoiceCommands.h"

#include "core/DatabaseFailure.h"
#include "mainwindow/views/MainListModel.h"
#include "mainwindow/views/MainListView.h"
#include "mainwindow/views/SeikyushoRows.h"
#include "mainwindow/views/frmMainForm.h"
#include "platform/report/PageFile.h"
#include "platform/text/FileFailure.h"
#include "platform/ui/MessageBox.h"
#include "printing/SeikyushoArchive.h"
#include "printing/frmPreview.h"
#include "printing/frmTsukiSeikyushoPrint.h"

namespace {
const QString kKind = QStringLiteral("月締め請求");

QString customerOfPlace(const frmMainForm &form)
{
    return form.CurrentLocation.value(1).section(QLatin1Char('/'), 0, 0);
}

QDate rowDate(const frmMainForm &form, int row)
{
    return QDate::fromString(form.lvwList->listModel()->text(row, 1), QStringLiteral("yyyy/MM/dd"));
}

bool inArchiveList(const frmMainForm &form)
{
    return form.CurrentLocation.value(0) == kKind && form.CurrentLevel == 1;
}

// The row under the cursor of the archive list: create a new invoice or
// show an archived one.
void openArchiveRow(frmMainForm &form, int row)
{
    const MainListModel *model = form.lvwList->listModel();
    const QString customerID = customerOfPlace(form);
    if (model->text(row) == SeikyushoRows::kCreateRow) {
        if (ShowTsukiSeikyushoPrintForm(customerID, &form))
            form.RefreshView();
    } else if (model->text(row) == SeikyushoRows::kInvoiceRow) {
        const QDate date = rowDate(form, row);
        if (date.isValid())
            ReprintSeikyusho(customerID, date, &form);
    }
}
} // namespace

bool ShowTsukiSeikyushoPrintForm(const QString &customerID, QWidget *parent)
{
    frmTsukiSeikyushoPrint window(customerID, parent);
    window.exec();
    return window.ResultModified;
}

void ReprintSeikyusho(const QString &customerID, const QDate &invoiceDate, QWidget *parent)
{
    frmPreview preview(parent);
    try {
        preview.setPages(seikyusho::loadPages(customerID, invoiceDate));
    } catch (const report::PageFileError &error) {
        ui::showMessage(error.message(), ui::Icon::None, ui::Buttons::Ok, ui::Answer::Ok, QStringLiteral(" "), parent);
        return;
    } catch (const seikyusho::ArchiveError &error) {
        ui::showMessage(error.message(), ui::Icon::Exclamation, ui::Buttons::Ok, ui::Answer::Ok, QString(), parent);
        return;
    }
    preview.execPreview();
}

void DeleteSeikyushos(frmMainForm &form)
{
    const MainListModel *model = form.lvwList->listModel();
    QList<int> rows;
    QString names;
    for (int row : form.lvwList->selectedRowNumbers()) {
        if (model->text(row) == SeikyushoRows::kCreateRow)
            continue;
        rows << row;
        if (rows.size() <= 6)
            names += model->text(row, 1) + QStringLiteral("\r\n");
        else if (rows.size() == 7)
            names += QStringLiteral("    :\r\n");
    }
    const QString question = QStringLiteral("次の") + QString::number(rows.size())
                             + QStringLiteral("件の月締め請求書を削除してもよろしいですか？") + QStringLiteral("\r\n\r\n")
                             + names;
    if (ui::showMessage(question, ui::Icon::Question, ui::Buttons::YesNo, ui::Answer::No,
                        QStringLiteral("月締め請求書削除"), &form)
        != ui::Answer::Yes)
        return;
    const QString customerID = customerOfPlace(form);
    QStringList failed;
    int why = 0;
    for (int row : rows) {
        const QDate date = rowDate(form, row);
        int error = 0;
        if (!date.isValid() || !seikyusho::deleteInvoice(customerID, date, &error))
            failed << model->text(row, 1);
        if (!why)
            why = error;
    }
    // An invalid date names no folder: its row alone gives no reason.
    if (!failed.isEmpty())
        ui::showMessage(QStringLiteral("次の月締め請求書を削除できませんでした。") + (why ? text::failureReason(why) : QString())
                            + QStringLiteral("\r\n\r\n") + failed.join(QStringLiteral("\r\n")),
                        ui::Icon::Exclamation, ui::Buttons::Ok, ui::Answer::Ok, QStringLiteral("月締め請求書削除"),
                        &form);
    form.RefreshView();
}

bool InvoiceOpenSelectedItem(frmMainForm &form)
{
    if (form.CurrentLocation.value(0) != kKind)
        return false;
    const int row = form.lvwList->selectedItemRow();
    if (row < 0)
        return true;
    const MainListModel *model = form.lvwList->listModel();
    if (form.CurrentLevel == 0)
        form.ShowSeikyushoList(model->text(row), model->text(row, 1));
    else if (form.CurrentLevel == 1)
        openArchiveRow(form, row);
    return true;
}

bool InvoiceCommand(frmMainForm &form, const QString &command)
{
    if (!inArchiveList(form))
        return false;
    if (command == QLatin1String("Delete")) {
        DeleteSeikyushos(form);
    } else if (command == QLatin1String("Edit") || command == QLatin1String("Print")) {
        const int row = form.lvwList->selectedItemRow();
        if (row >= 0)
            openArchiveRow(form, row);
    }
    return true;
}
