#include "mainwindow/commands/ItemCommands.h"

#include "core/Globals.h"
#include "mainwindow/commands/DialogLaunchers.h"
#include "mainwindow/views/MainListModel.h"
#include "mainwindow/views/MainListView.h"
#include "mainwindow/views/RootMenuRows.h"
#include "mainwindow/views/frmMainForm.h"

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
    if (row < 0)
        return;
    const MainListModel *model = form.lvwList->listModel();
    const QString kind = form.CurrentLocation.value(0);
    if (kind != kDenpyo && kind != kCustomer && kind != kShohin)
        return;
    if (form.CurrentLevel == 0)
        openMenuRow(form, kind, model->tag(row), model->text(row));
    else if (form.CurrentLevel == 1 && form.CurrentLocation.value(1) != QStringLiteral("検索フィルター"))
        openRecordRow(form, kind);
}

void ItemCommand(frmMainForm &form, const QString &command, int printIndex)
{
    Q_UNUSED(printIndex);
    StartupDirRestorer restorer;
    const int row = form.lvwList->currentRowNumber();
    const QString selected = row >= 0 ? form.lvwList->listModel()->text(row) : QString();
    const QString kind = form.CurrentLocation.value(0);
    if (command == QLatin1String("Edit")) {
        if (selected.isEmpty())
            return;
        if (kind == kCustomer) {
            if (ShowCustomerForm(QStringLiteral("SelectedUpdate"), selected, &form)) {
                form.RefreshView();
                afterCustomerChange(form);
            }
        } else if (kind == kShohin) {
            if (ShowShohinForm(QStringLiteral("SelectedUpdate"), selected, &form))
                form.RefreshView();
        }
    }
}
