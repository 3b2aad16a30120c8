#include "mainwindow/commands/ItemCommands.h"

#include "core/Globals.h"
#include "filters/SearchFilterKind.h"
#include "mainwindow/commands/DialogLaunchers.h"
#include "mainwindow/commands/ExchangeCommands.h"
#include "mainwindow/commands/InvoiceCommands.h"
#include "mainwindow/commands/PrintFormCommands.h"
#include "mainwindow/commands/RecordDeletion.h"
#include "mainwindow/views/FilterFolder.h"
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
    if (tag == RootMenuRows::kFind) {
        FindFilter(form, kind, searchfilter::kTemporaryName);
        return;
    }
    if (tag == RootMenuRows::kFilters) {
        form.ShowKensakuFilterList(kind);
        return;
    }
    if (tag == RootMenuRows::kNew || tag == RootMenuRows::kUpdate) {
        const QString mode = tag == RootMenuRows::kNew ? QStringLiteral("New") : QStringLiteral("SelectableUpdate");
        if (kind == kDenpyo) {
            ShowDenpyoForm(mode, QString(), &form);
        } else if (kind == kCustomer) {
            if (ShowCustomerForm(mode, QString(), &form))
                afterCustomerChange(form);
        } else if (kind == kShohin) {
            ShowShohinForm(mode, QString(), &form);
        }
    }
}

// A row of a filter folder: the add row creates a filter, any other row
// edits that filter.
void openFilterRow(frmMainForm &form, const QString &kind, const QString &tag, const QString &text)
{
    if (tag == filterfolder::kAddRowTag) {
        if (FindFilter(form, kind, QString())) {
            form.RefreshView();
            form.BuildTree();
        }
        return;
    }
    // The tree follows a filter saved under another name.
    if (FindFilter(form, kind, text)) {
        form.RefreshView();
        form.BuildTree();
    }
}

// Opens a record's view: the action menu takes the focus.
void displayRecord(frmMainForm &form, const QString &kind, const QString &id, const QString &subtitle)
{
    bool shown = false;
    if (kind == kDenpyo)
        shown = form.ShowDenpyoItemMenu(id, subtitle, false);
    else if (kind == kCustomer)
        shown = form.ShowCustomerItemMenu(id, subtitle, false);
    else if (kind == kShohin)
        shown = form.ShowShohinItemMenu(id, subtitle, false);
    if (shown)
        form.lvwListItemMenu->setFocus();
}

// A record row of a slip, customer or product list; the subtitle is the
// customer's name of a slip row, the name column of the others.
void openRecordRow(frmMainForm &form, const QString &kind, int row)
{
    const MainListModel *model = form.lvwList->listModel();
    displayRecord(form, kind, model->text(row), model->text(row, kind == kDenpyo ? 2 : 1));
}

// The slip dialogs of the item menu, by command.
bool slipDialog(frmMainForm &form, const QString &command, const QString &key)
{
    if (command == QLatin1String("Process"))
        return ShowDenpyoProcessForm(key, &form);
    if (command == QLatin1String("OtherInfo"))
        return ShowDenpyoNoteForm(key, &form);
    if (command == QLatin1String("DenpyoCopy"))
        return ShowDenpyoCopyForm(QStringLiteral("Copy"), key, &form);
    if (command == QLatin1String("DenpyoSplit"))
        return ShowDenpyoCopyForm(QStringLiteral("Split"), key, &form);
    return false;
}

} // namespace

void OpenSelectedItem(frmMainForm &form)
{
    StartupDirRestorer restorer;
    const int row = form.lvwList->selectedItemRow();
    const MainListModel *model = form.lvwList->listModel();
    const QString kind = form.CurrentLocation.value(0);
    if (kind == QStringLiteral("印刷フォーム") && form.CurrentLevel == 0 && row >= 0
        && model->text(row) == PrintFormRows::kPrintInfoRow) {
        ShowPrintInfoForm(&form);
        return;
    }
    if (PrintFormOpenSelectedItem(form))
        return;
    if (InvoiceOpenSelectedItem(form))
        return;
    if (row < 0)
        return;
    if (kind == QStringLiteral("月締め請求") && form.CurrentLevel == 0) {
        form.ShowSeikyushoList(model->text(row), model->text(row, 1));
        return;
    }
    if (kind != kDenpyo && kind != kCustomer && kind != kShohin)
        return;
    if (form.CurrentLevel == 0)
        openMenuRow(form, kind, model->tag(row), model->text(row));
    else if (form.CurrentLevel == 1 && form.CurrentLocation.value(1) == QStringLiteral("検索フィルター"))
        openFilterRow(form, kind, model->tag(row), model->text(row));
    else if (form.CurrentLevel == 1 && form.CurrentLocation.value(1) != QStringLiteral("検索フィルター"))
        openRecordRow(form, kind, row);
}

void OpenItemMenu(frmMainForm &form)
{
    StartupDirRestorer restorer;
    MainListView *menu = form.lvwListItemMenu;
    const int row = menu->selectedItemRow();
    if (row < 0 || form.CurrentLevel != 2)
        return;
    const QString action = menu->listModel()->text(row);
    const QString kind = form.CurrentLocation.value(0);
    const QString key = form.CurrentLocation.value(2);
    const bool fixedRow = action == QStringLiteral("参照作成") || action == QStringLiteral("顧客情報")
                          || action == QStringLiteral("商品情報");
    // Any other row of a customer or product, and every row of a slip
    // beyond the six fixed ones, prints with the form its caption names.
    if (action.endsWith(QStringLiteral("印刷")) && !fixedRow) {
        const QString formName = action.chopped(2);
        if (kind == kDenpyo)
            PrintDenpyoItem(key.toInt(), formName, &form);
        else if (kind == kCustomer)
            PrintCustomerItem(key, formName, &form);
        else if (kind == kShohin)
            PrintShohinItem(key, formName, &form);
        return;
    }
    if (kind == kDenpyo && (action == QStringLiteral("伝票明細") || action == QStringLiteral("参照作成"))) {
        const bool reference = action == QStringLiteral("参照作成");
        if (ShowDenpyoForm(reference ? QStringLiteral("ReferenceNew") : QStringLiteral("SelectedUpdate"), key, &form)) {
            form.flgListRefresh = true;
            if (!reference)
                form.ShowDenpyoContents();
        }
        return;
    }
    if (kind == kDenpyo) {
        // The row, its dialog, and whether the contents show its change.
        static const struct {
            const char16_t *row;
            const char *command;
            bool showsContents;
        } actions[] = {
            {u"進行状況", "Process", true},
            {u"補足情報", "OtherInfo", true},
            {u"伝票複写", "DenpyoCopy", false},
            {u"伝票分割", "DenpyoSplit", true},
        };
        for (const auto &a : actions) {
            if (action != QString::fromUtf16(a.row))
                continue;
            if (slipDialog(form, QString::fromLatin1(a.command), key)) {
                form.flgListRefresh = true;
                if (a.showsContents)
                    form.ShowDenpyoContents();
            }
            return;
        }
        return;
    }
    const bool refNew = action == QStringLiteral("参照作成");
    if (kind == kCustomer && (refNew || action == QStringLiteral("顧客情報"))) {
        if (ShowCustomerForm(refNew ? QStringLiteral("ReferenceNew") : QStringLiteral("SelectedUpdate"), key, &form)) {
            form.flgListRefresh = true;
            if (!refNew && !form.ShowCustomerContents())
                return;
            afterCustomerChange(form);
        }
    } else if (kind == kShohin && (refNew || action == QStringLiteral("商品情報"))) {
        if (ShowShohinForm(refNew ? QStringLiteral("ReferenceNew") : QStringLiteral("SelectedUpdate"), key, &form)) {
            form.flgListRefresh = true;
            if (!refNew)
                form.ShowShohinContents();
        }
    }
}

void ItemCommand(frmMainForm &form, const QString &command, int printIndex)
{
    StartupDirRestorer restorer;
    if (InvoiceCommand(form, command))
        return;
    const int row = form.lvwList->selectedItemRow();
    const QString selected = row >= 0 ? form.lvwList->listModel()->text(row) : QString();
    const QString kind = form.CurrentLocation.value(0);
    if (command == QLatin1String("Print")) {
        printSelected(form, kind, selected, printIndex);
        return;
    }
    if (command == QLatin1String("Copy")) {
        CopyCommand(form);
        return;
    }
    if (command == QLatin1String("Paste")) {
        if (PasteRecords(form)) {
            form.RefreshView();
            if (kind == kCustomer)
                afterCustomerChange(form);
        }
        return;
    }
    if (kind != kDenpyo && kind != kCustomer && kind != kShohin)
        return;
    if (command == QLatin1String("Delete")) {
        DeleteRecordsCommand(form);
        return;
    }
    if (command == QLatin1String("Display")) {
        if (!selected.isEmpty())
            displayRecord(form, kind, selected, kind == kDenpyo ? form.lvwList->listModel()->text(row, 2) : QString());
        return;
    }
    const bool editorCommand = command == QLatin1String("New") || command == QLatin1String("Edit")
                               || command == QLatin1String("RefNew");
    if (kind == kDenpyo && !editorCommand) {
        if (!selected.isEmpty() && slipDialog(form, command, selected))
            form.RefreshView();
        return;
    }

    // The editor's mode, and whether the command works on the selected
    // record. A saved customer also rebuilds the tree and the customer
    // choice, whichever way it was made.
    static const struct {
        const char *command;
        const char *mode;
        bool onSelected;
    } commands[] = {
        {"New", "New", false},
        {"Edit", "SelectedUpdate", true},
        {"RefNew", "ReferenceNew", true},
    };
    for (const auto &c : commands) {
        if (command != QLatin1String(c.command))
            continue;
        if (c.onSelected && selected.isEmpty())
            return;
        const QString mode = QString::fromLatin1(c.mode);
        const QString key = c.onSelected ? selected : QString();
        if (kind == kDenpyo) {
            if (ShowDenpyoForm(mode, key, &form))
                form.RefreshView();
        } else if (kind == kCustomer) {
            if (ShowCustomerForm(mode, key, &form)) {
                form.RefreshView();
                afterCustomerChange(form);
            }
        } else if (ShowShohinForm(mode, key, &form)) {
            form.RefreshView();
        }
        return;
    }
}

bool FindFilter(frmMainForm &form, const QString &kind, const QString &filterName)
{
    if (kind == kDenpyo)
        return FindDenpyo(form, filterName);
    if (kind == kCustomer)
        return FindCustomer(form, filterName);
    if (kind == kShohin)
        return FindShohin(form, filterName);
    return false;
}

namespace {
// The object menu on a saved filter: edit it, delete the selected ones,
// rename it. The tree lists the filters too and is rebuilt after a change.
void filterCommand(frmMainForm &form, const QString &kind, const QString &command)
{
    const int row = form.lvwList->selectedItemRow();
    const QString selected = row >= 0 ? form.lvwList->listModel()->text(row) : QString();
    if (command == QLatin1String("Edit")) {
        if (!selected.isEmpty() && FindFilter(form, kind, selected)) {
            form.RefreshView();
            form.BuildTree();
        }
    } else if (command == QLatin1String("Delete")) {
        if (DeleteFilters(form, kind)) {
            form.RefreshView();
            form.BuildTree();
        }
    } else if (command == QLatin1String("Rename")) {
        if (!selected.isEmpty() && RenameFilter(form, kind, selected)) {
            form.RefreshView();
            form.BuildTree();
        }
    }
}
} // namespace

void ObjectCommand(frmMainForm &form, const QString &command)
{
    StartupDirRestorer restorer;
    const QString kind = form.CurrentLocation.value(0);
    if (form.CurrentLevel == 1 && form.CurrentLocation.value(1) == QStringLiteral("検索フィルター")
        && (kind == kDenpyo || kind == kCustomer || kind == kShohin)) {
        filterCommand(form, kind, command);
        return;
    }
    PrintFormCommand(form, command);
}
