#include "mainwindow/commands/ItemCommands.h"

#include "core/Globals.h"
#include "mainwindow/commands/DialogLaunchers.h"
#include "mainwindow/commands/PrintFormCommands.h"
#include "mainwindow/views/MainListModel.h"
#include "mainwindow/views/MainListView.h"
#include "mainwindow/views/PrintFormRows.h"
#include "mainwindow/views/RootMenuRows.h"
#include "mainwindow/views/frmMainForm.h"

#include <QAction>
#include <QDir>

namespace {

const QString kDenpyo = QStringLiteral("伝票");
const QString kCustomer = QStringLiteral("顧客");
const QString kShohin = QStringLiteral("商品");

// Returns to the start-up folder, which a dialog may have changed.
struct StartupDirRestorer {
    ~StartupDirRestorer()
    {
        if (!gstrStartupDir.isEmpty())
            QDir::setCurrent(gstrStartupDir);
    }
};

// The print entry's form: its caption less " 印刷".
void printSelected(frmMainForm &form, const QString &kind, const QString &selected, int printIndex)
{
    const auto *entry = form.findChild<QAction *>(QStringLiteral("mnuItemPrint%1").arg(printIndex));
    if (!entry || selected.isEmpty())
        return;
    const QString formName = entry->text().chopped(3);
    if (kind == kDenpyo)
        PrintDenpyoItem(selected.toInt(), formName, &form);
    else if (kind == kCustomer)
        PrintCustomerItem(selected, formName, &form);
    else if (kind == kShohin)
        PrintShohinItem(selected, formName, &form);
}

void afterCustomerChange(frmMainForm &form)
{
    form.BuildTree();
    form.LoadKokyakuCombo();
}

// A root action menu's row, dispatched by what the row is; a saved filter
// whose name equals a fixed row's text is still a filter.
void openMenuRow(frmMainForm &form, const QString &kind, const QString &tag, const QString &text)
{
    if (tag == RootMenuRows::kAll || tag == RootMenuRows::kFilter) {
        if (kind == kDenpyo)
            form.ShowDenpyoList(text, text, true);
        else if (kind == kCustomer)
            form.ShowCustomerList(text, true);
        else
            form.ShowShohinList(text, true);
        return;
    }
    if (tag == RootMenuRows::kFilters) {
        form.ShowKensakuFilterList(kind);
        return;
    }
    if (tag == RootMenuRows::kNew || tag == RootMenuRows::kUpdate) {
        const QString mode = tag == RootMenuRows::kNew ? QStringLiteral("New") : QStringLiteral("SelectableUpdate");
        if (kind == kCustomer) {
            if (ShowCustomerForm(mode, QString(), &form))
                afterCustomerChange(form);
        } else if (kind == kShohin) {
            ShowShohinForm(mode, QString(), &form);
        }
    }
}

// A record row of a customer or product list. Until the record panes are
// in place, opening the record edits it.
void openRecordRow(frmMainForm &form, const QString &kind)
{
    if (kind == kCustomer || kind == kShohin)
        ItemCommand(form, QStringLiteral("Edit"));
}

} // namespace

void OpenSelectedItem(frmMainForm &form)
{
    StartupDirRestorer restorer;
    const int row = form.lvwList->currentRowNumber();
    const MainListModel *model = form.lvwList->listModel();
    const QString kind = form.CurrentLocation.value(0);
    if (kind == QStringLiteral("印刷フォーム") && form.CurrentLevel == 0 && row >= 0
        && model->text(row) == PrintFormRows::kPrintInfoRow) {
        ShowPrintInfoForm(&form);
        return;
    }
    if (PrintFormOpenSelectedItem(form))
        return;
    if (row < 0)
        return;
    if (kind != kDenpyo && kind != kCustomer && kind != kShohin)
        return;
    if (form.CurrentLevel == 0)
        openMenuRow(form, kind, model->tag(row), model->text(row));
    else if (form.CurrentLevel == 1 && form.CurrentLocation.value(1) != QStringLiteral("検索フィルター"))
        openRecordRow(form, kind);
}

void ItemCommand(frmMainForm &form, const QString &command, int printIndex)
{
    StartupDirRestorer restorer;
    const int row = form.lvwList->currentRowNumber();
    const QString selected = row >= 0 ? form.lvwList->listModel()->text(row) : QString();
    const QString kind = form.CurrentLocation.value(0);
    if (command == QLatin1String("Print")) {
        printSelected(form, kind, selected, printIndex);
        return;
    }
    if (kind != kCustomer && kind != kShohin)
        return;

    // The editor's mode, whether the command works on the selected record,
    // and whether a saved customer also rebuilds the tree and the customer
    // choice (a new one from this menu does not).
    static const struct {
        const char *command;
        const char *mode;
        bool onSelected;
        bool rebuildsCustomers;
    } commands[] = {
        {"New", "New", false, false},
        {"Edit", "SelectedUpdate", true, true},
        {"RefNew", "ReferenceNew", true, true},
    };
    for (const auto &c : commands) {
        if (command != QLatin1String(c.command))
            continue;
        if (c.onSelected && selected.isEmpty())
            return;
        const QString mode = QString::fromLatin1(c.mode);
        const QString key = c.onSelected ? selected : QString();
        if (kind == kCustomer) {
            if (ShowCustomerForm(mode, key, &form)) {
                form.RefreshView();
                if (c.rebuildsCustomers)
                    afterCustomerChange(form);
            }
        } else if (ShowShohinForm(mode, key, &form)) {
            form.RefreshView();
        }
        return;
    }
}

void ObjectCommand(frmMainForm &form, const QString &command)
{
    StartupDirRestorer restorer;
    PrintFormCommand(form, command);
}
