#include "mainwindow/commands/MainCommands.h"

#include "core/Globals.h"
#include "core/Settings.h"
#include "core/Startup.h"
#include "core/dialogs/frmSystemInfo.h"
#include "core/dialogs/frmVersion.h"
#include "filters/SearchFilterKind.h"
#include "mainwindow/commands/DialogLaunchers.h"
#include "mainwindow/commands/ExchangeCommands.h"
#include "mainwindow/commands/ItemCommands.h"
#include "mainwindow/commands/PopupMenus.h"
#include "mainwindow/commands/InvoiceCommands.h"
#include "mainwindow/commands/PrintFormCommands.h"
#include "mainwindow/commands/RecordDeletion.h"
#include "mainwindow/views/DateBar.h"
#include "mainwindow/views/FilterFolder.h"
#include "mainwindow/views/MainListModel.h"
#include "mainwindow/views/MainListView.h"
#include "mainwindow/views/NavigationTree.h"
#include "mainwindow/views/frmMainForm.h"
#include "platform/text/FileFailure.h"
#include "platform/ui/MessageBox.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QItemSelectionModel>
#include <QUrl>

#include <cerrno>

namespace {
const QString kDenpyo = QStringLiteral("伝票");
const QString kCustomer = QStringLiteral("顧客");
const QString kShohin = QStringLiteral("商品");
// The manual, in the program folder.
const QString kHelpFile = QStringLiteral("Quorvex5.html");
} // namespace

MainCommands::MainCommands(frmMainForm *form) : QObject(form), m_form(form), m_popups(new PopupMenus(form))
{
    connect(m_form, &frmMainForm::toolbarCommand, this,
            [this](const QString &key) { m_form->runView([this, key] { ToolbarCommand(key); }); });
    connectMenus();
    connectKeys();
}

void MainCommands::run(void (MainCommands::*command)())
{
    m_form->runView([this, command] { (this->*command)(); });
}

void MainCommands::connectMenus()
{
    connect(m_form->mnuExit, &QAction::triggered, this, [this] { CloseMainForm(); });
    connect(m_form->mnuRefresh, &QAction::triggered, this, [this] { m_form->runView([this] { m_form->RefreshAll(); }); });
    connect(m_form->mnuSelectAll, &QAction::triggered, this, [this] { run(&MainCommands::SelectAllItems); });
    connect(m_form->mnuFind, &QAction::triggered, this, [this] { run(&MainCommands::FindCommand); });
    connect(m_form->mnuDelete, &QAction::triggered, this, [this] { run(&MainCommands::DeleteCommand); });
    connect(m_form->mnuRename, &QAction::triggered, this, [this] { run(&MainCommands::RenameCommand); });
    connect(m_form->mnuHelpf, &QAction::triggered, this, [this] { HelpCommand(); });
    connect(m_form->mnuRegClear, &QAction::triggered, this, [this] { RegClearCommand(); });
    connect(m_form->mnuSystemInfo, &QAction::triggered, this, [this] { SystemInfoCommand(); });
    connect(m_form->mnuVersion, &QAction::triggered, this, [this] { VersionCommand(); });
    connect(m_form->mnuNew, &QAction::triggered, this, [this] { run(&MainCommands::NewCommand); });
    connect(m_form->mnuShinko, &QAction::triggered, this, [this] { run(&MainCommands::ShinkoCommand); });
    connect(m_form->mnuListPrint, &QAction::triggered, this, [this] { run(&MainCommands::ListPrintCommand); });
    connect(m_form->mnuJishaInfo, &QAction::triggered, this, [this] { ShowPrintInfoForm(m_form); });
    connect(m_form->mnuCopy, &QAction::triggered, this, [this] { m_form->runView([this] { CopyCommand(*m_form); }); });
    connect(m_form->mnuPaste, &QAction::triggered, this, [this] { m_form->runView([this] { PasteCommand(*m_form); }); });
    connect(m_form->mnuWriteFile, &QAction::triggered, this,
            [this] { m_form->runView([this] { WriteFileCommand(*m_form); }); });
}

void MainCommands::connectKeys()
{
    connect(m_form->tvwTree, &NavigationTree::nodeClicked, this,
            [this](const QString &key) { m_form->runView([this, key] { m_form->SelectTreeNode(key); }); });
    connect(m_form->lvwList, &MainListView::openRequested, this,
            [this] { m_form->runView([this] { OpenSelectedItem(*m_form); }); });
    connect(m_form->lvwList, &MainListView::escapePressed, this, [this] { run(&MainCommands::GoUpFolder); });
    connect(m_form->lvwList, &MainListView::deletePressed, this, [this] { run(&MainCommands::DeleteCommand); });
    connect(m_form->lvwList, &MainListView::f2Pressed, this, [this] { run(&MainCommands::ListKeyF2); });
    connect(m_form->lvwList, &MainListView::contextMenuReleased, m_popups, &PopupMenus::ShowPopupMenu);
    connect(m_form->lvwListItemMenu, &MainListView::openRequested, this,
            [this] { m_form->runView([this] { OpenItemMenu(*m_form); }); });
    connect(m_form->lvwListItemMenu, &MainListView::escapePressed, this, [this] { run(&MainCommands::GoUpFolder); });
    connect(m_form->lvwListContents, &MainListView::escapePressed, this, [this] { run(&MainCommands::GoUpFolder); });
    connect(m_form, &frmMainForm::ctrlCommand, this, [this](QChar letter) {
        if (letter == QLatin1Char('A'))
            run(&MainCommands::SelectAllItems);
        else if (letter == QLatin1Char('F'))
            run(&MainCommands::FindCommand);
        else if (letter == QLatin1Char('C'))
            m_form->runView([this] { CopyCommand(*m_form); });
        else if (letter == QLatin1Char('V'))
            m_form->runView([this] { PasteCommand(*m_form); });
    });
}

void MainCommands::ToolbarCommand(const QString &key)
{
    if (key == QLatin1String("BeforeDay"))
        GoBeforeDay();
    else if (key == QLatin1String("NextDay"))
        GoNextDay();
    else if (key == QLatin1String("BeforeMonth"))
        GoBeforeMonth();
    else if (key == QLatin1String("NextMonth"))
        GoNextMonth();
    else if (key == QLatin1String("UpFolder"))
        GoUpFolder();
    else if (key == QLatin1String("SelectAll"))
        SelectAllItems();
    else if (key == QLatin1String("Find"))
        FindCommand();
    else if (key == QLatin1String("Refresh"))
        m_form->RefreshAll();
    else if (key == QLatin1String("Help"))
        HelpCommand();
    else if (key == QLatin1String("SystemInfo"))
        SystemInfoCommand();
    else if (key == QLatin1String("Shinko"))
        ShinkoCommand();
    else if (key == QLatin1String("ListPrint"))
        ListPrintCommand();
    else if (key == QLatin1String("Copy"))
        CopyCommand(*m_form);
    else if (key == QLatin1String("Paste"))
        PasteCommand(*m_form);
    else if (key == QLatin1String("WriteFile"))
        WriteFileCommand(*m_form);
    else if (key == QLatin1String("New"))
        NewCommand();
    else if (key == QLatin1String("Delete"))
        DeleteCommand();
}

void MainCommands::NewCommand()
{
    if (PrintFormCommand(*m_form, QStringLiteral("New")))
        return;
    const QString kind = m_form->CurrentLocation.value(0);
    const int level = m_form->CurrentLevel;
    if (inFilterFolder()) {
        if (FindFilter(*m_form, kind, QString())) {
            m_form->BuildTree();
            m_form->RefreshView();
        }
        return;
    }
    const bool recordList = level == 1 && m_form->CurrentLocation.value(1) != QStringLiteral("検索フィルター");
    if (level != 0 && !recordList)
        return;
    // A root menu shows no records; a list is shown again.
    if (kind == kDenpyo) {
        if (ShowDenpyoForm(QStringLiteral("New"), QString(), m_form) && recordList)
            m_form->RefreshView();
    } else if (kind == kCustomer) {
        if (ShowCustomerForm(QStringLiteral("New"), QString(), m_form)) {
            if (recordList)
                m_form->RefreshView();
            m_form->BuildTree();
            m_form->LoadKokyakuCombo();
        }
    } else if (kind == kShohin) {
        if (ShowShohinForm(QStringLiteral("New"), QString(), m_form) && recordList)
            m_form->RefreshView();
    }
}

void MainCommands::GoUpFolder()
{
    const QString kind = m_form->CurrentLocation.value(0);
    const QString listName = m_form->CurrentLocation.value(1);
    if (m_form->CurrentLevel == 1) {
        if (kind == kDenpyo)
            m_form->ShowDenpyoMenu();
        else if (kind == kCustomer)
            m_form->ShowCustomerMenu();
        else if (kind == kShohin)
            m_form->ShowShohinMenu();
        else if (kind == QStringLiteral("月締め請求"))
            m_form->ShowTsukiSeikyuView();
        else if (kind == QStringLiteral("印刷フォーム"))
            m_form->ShowPrintFormView();
    } else if (m_form->CurrentLevel == 2) {
        const bool reload = m_form->flgListRefresh;
        m_form->ShowRecordList(reload);
        m_form->flgListRefresh = false;
        m_form->lvwList->setFocus();
    }
}

void MainCommands::GoBeforeDay()
{
    DateBar *bar = m_form->dateBar;
    bar->setPickerQuietly(bar->dtpNouki->date().addDays(-1));
    bar->dtpNouki_Change();
}

void MainCommands::GoNextDay()
{
    DateBar *bar = m_form->dateBar;
    bar->setPickerQuietly(bar->dtpNouki->date().addDays(1));
    bar->dtpNouki_Change();
}

void MainCommands::GoBeforeMonth()
{
    QComboBox *months = m_form->dateBar->cmbNouki;
    if (months->currentIndex() <= 0)
        return;
    months->setCurrentIndex(months->currentIndex() - 1);
    m_form->dateBar->cmbNouki_Click();
}

void MainCommands::GoNextMonth()
{
    QComboBox *months = m_form->dateBar->cmbNouki;
    if (months->currentIndex() >= months->count() - 1)
        return;
    months->setCurrentIndex(months->currentIndex() + 1);
    m_form->dateBar->cmbNouki_Click();
}

void MainCommands::SelectAllItems()
{
    if (m_form->CurrentLevel != 1)
        return;
    MainListView *list = m_form->lvwList;
    const MainListModel *model = list->listModel();
    // One range for each run of items: a selection of a range per row makes
    // every later look at it (painting, reading the selected rows) take time
    // in proportion to the rows, for every row.
    QItemSelection selection;
    const int columns = model->columnCount();
    const int rows = model->rowCount();
    int first = -1;
    for (int row = 0; row <= rows; ++row) {
        const QString text = row < rows ? model->text(row) : QString();
        // The rows that add an item are not items.
        const bool item = row < rows && text != QStringLiteral(" フィルターの追加")
                          && text != QStringLiteral(" フォームの追加") && text != QStringLiteral("月締め請求書の作成");
        if (item && first < 0)
            first = row;
        if (!item && first >= 0) {
            selection.select(model->index(first, 0), model->index(row - 1, columns - 1));
            first = -1;
        }
    }
    list->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    list->setFocus();
}

namespace {
bool isRegister(const QString &kind)
{
    return kind == kDenpyo || kind == kCustomer || kind == kShohin;
}
} // namespace

bool MainCommands::inFilterFolder() const
{
    return m_form->CurrentLevel == 1 && isRegister(m_form->CurrentLocation.value(0))
           && m_form->CurrentLocation.value(1) == filterfolder::kFolderName;
}

void MainCommands::FindCommand()
{
    const QString kind = m_form->CurrentLocation.value(0);
    if (isRegister(kind))
        FindFilter(*m_form, kind, searchfilter::kTemporaryName);
}

void MainCommands::DeleteCommand()
{
    if (m_form->CurrentLevel != 1)
        return;
    if (InvoiceCommand(*m_form, QStringLiteral("Delete")))
        return;
    if (inFilterFolder()) {
        if (DeleteFilters(*m_form, m_form->CurrentLocation.value(0))) {
            m_form->RefreshView();
            m_form->BuildTree();
        }
        return;
    }
    if (!DeleteRecordsCommand(*m_form))
        PrintFormCommand(*m_form, QStringLiteral("Delete"));
}

void MainCommands::RenameCommand()
{
    const QString kind = m_form->CurrentLocation.value(0);
    if (PrintFormCommand(*m_form, QStringLiteral("RenameMenu")))
        return;
    const MainListModel *model = m_form->lvwList->listModel();
    QStringList names;
    for (int row : m_form->lvwList->selectedRowNumbers()) {
        const QString text = model->text(row);
        if (text != filterfolder::kAddRow)
            names << text;
    }
    if (names.size() != 1) {
        const QString text = names.isEmpty() ? QStringLiteral("名前を変更するフィルターを選択してください。")
                                             : QStringLiteral("複数のフィルターを選択することはできません。");
        ui::showMessage(text, ui::Icon::None, ui::Buttons::Ok, ui::Answer::Ok, QString(), m_form);
        return;
    }
    // The tree lists the filters too: it follows the new name at once.
    if (inFilterFolder() && RenameFilter(*m_form, kind, names.first())) {
        m_form->RefreshView();
        m_form->BuildTree();
    }
}

void MainCommands::ListKeyF2()
{
    const QString kind = m_form->CurrentLocation.value(0);
    if (m_form->CurrentLevel != 1)
        return;
    const bool registerList = (kind == kDenpyo || kind == kCustomer || kind == kShohin)
                              && m_form->CurrentLocation.value(1) != QStringLiteral("検索フィルター");
    if (registerList || kind == QStringLiteral("月締め請求"))
        ItemCommand(*m_form, QStringLiteral("Edit"));
}

void MainCommands::ShinkoCommand()
{
    // The slips selected in the slip list, in list order.
    if (m_form->CurrentLocation.value(0) != kDenpyo || m_form->CurrentLevel != 1)
        return;
    QStringList selected;
    for (int row : m_form->lvwList->selectedRowNumbers())
        selected << m_form->lvwList->listModel()->text(row);
    if (ShowDenpyoGroupProcessForm(selected, m_form))
        m_form->RefreshView();
}

void MainCommands::ListPrintCommand()
{
    const QString kind = m_form->CurrentLocation.value(0);
    if (m_form->CurrentLevel == 1 && (kind == kDenpyo || kind == kCustomer || kind == kShohin)
        && m_form->CurrentLocation.value(1) != QStringLiteral("検索フィルター"))
        ShowListPrintForm(kind, m_form->lvwList, m_form);
}

void MainCommands::CloseMainForm()
{
    m_form->close();
}

void MainCommands::HelpCommand()
{
    // The desktop's viewer shows the manual; the program does not wait for it.
    const QString path = QDir(programFolder()).absoluteFilePath(kHelpFile);
    if (QFile::exists(path) && QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        return;
    const QString text = QFile::exists(path)
                             ? QStringLiteral("ヘルプを表示するプログラムを起動できませんでした。\r\n"
                                              "ヘルプは次のファイルにあります。\r\n\r\n")
                             : QStringLiteral("ヘルプファイルが見つかりません。\r\n"
                                              "ヘルプは次のファイルに置かれます。\r\n\r\n");
    ui::showMessage(text + QDir::toNativeSeparators(path), ui::Icon::Information, ui::Buttons::Ok, ui::Answer::Ok,
                    QString(), m_form);
}

void MainCommands::RegClearCommand()
{
    const QDir dir(gstrStartupDir.isEmpty() ? QDir::currentPath() : gstrStartupDir);
    const QString path = dir.filePath(settingsFileName(QStringLiteral("Size")).toUpper() + QStringLiteral(".txt"));
    // A file that stays would bring the old sizes back: that is no reset.
    if (QFile::exists(path) && !QFile::remove(path)) {
        ui::showMessage(QStringLiteral("画面サイズ等を初期値に戻せませんでした。") + text::failureReason(errno)
                            + QStringLiteral("\r\n") + QDir::toNativeSeparators(path),
                        ui::Icon::Exclamation, ui::Buttons::Ok, ui::Answer::Ok, QString(), m_form);
        return;
    }
    ui::showMessage(QStringLiteral("画面サイズ等を初期値に戻しました。"), ui::Icon::Information, ui::Buttons::Ok,
                    ui::Answer::Ok, QString(), m_form);
}

void MainCommands::SystemInfoCommand()
{
    if (drivenLaunch({QStringLiteral("frmSystemInfo"), QString(), QString()}))
        return;
    frmSystemInfo dialog(m_form);
    dialog.exec();
}

void MainCommands::VersionCommand()
{
    if (drivenLaunch({QStringLiteral("frmVersion"), QString(), QString()}))
        return;
    frmVersion dialog(m_form);
    dialog.bSplash = false;
    dialog.exec();
}
