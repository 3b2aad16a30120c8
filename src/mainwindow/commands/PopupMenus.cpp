#include "mainwindow/commands/PopupMenus.h"
#include "mainwindow/commands/InvoiceCommands.h"

#include "core/Globals.h"
#include "mainwindow/commands/ItemCommands.h"
#include "mainwindow/views/MainListModel.h"
#include "mainwindow/views/MainListView.h"
#include "mainwindow/views/frmMainForm.h"

#include <QDir>
#include <QMenu>

namespace {

QAction *addItem(QMenu *menu, const char *name, const QString &caption)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

} // namespace

PopupMenus::PopupMenus(frmMainForm *form) : QObject(form), m_form(form)
{
    mnuItem = new QMenu(QStringLiteral("ｱｲﾃﾑﾒﾆｭｰ"), form);
    mnuItem->setObjectName(QStringLiteral("mnuItem"));
    mnuItemNew = addItem(mnuItem, "mnuItemNew", QStringLiteral("新規作成"));
    mnuItemDisplay = addItem(mnuItem, "mnuItemDisplay", QStringLiteral("表示"));
    mnuItemEdit = addItem(mnuItem, "mnuItemEdit", QStringLiteral("編集"));
    mnuItemCopy = addItem(mnuItem, "mnuItemCopy", QStringLiteral("コピー"));
    mnuItemPaste = addItem(mnuItem, "mnuItemPaste", QStringLiteral("貼り付け"));
    mnuItemDelete = addItem(mnuItem, "mnuItemDelete", QStringLiteral("削除"));
    mnuItemRefNew = addItem(mnuItem, "mnuItemRefNew", QStringLiteral("参照作成"));
    bar5 = mnuItem->addSeparator();
    bar5->setObjectName(QStringLiteral("bar5"));
    mnuItemProcess = addItem(mnuItem, "mnuItemProcess", QStringLiteral("進行状況"));
    mnuItemOtherInfo = addItem(mnuItem, "mnuItemOtherInfo", QStringLiteral("補足情報"));
    mnuItemDenpyoCopy = addItem(mnuItem, "mnuItemDenpyoCopy", QStringLiteral("伝票複写"));
    mnuItemDenpyoSplit = addItem(mnuItem, "mnuItemDenpyoSplit", QStringLiteral("伝票分割"));
    mnuItem->addSeparator();
    for (int i = 0; i < kPrintEntries; ++i) {
        mnuItemPrint[i] = mnuItem->addAction(QStringLiteral("印刷") + QChar(u'０' + i));
        mnuItemPrint[i]->setObjectName(QStringLiteral("mnuItemPrint%1").arg(i));
    }

    mnuObject = new QMenu(QStringLiteral("ｵﾌﾞｼﾞｪｸﾄﾒﾆｭｰ"), form);
    mnuObject->setObjectName(QStringLiteral("mnuObject"));
    mnuObjectEdit = addItem(mnuObject, "mnuObjectEdit", QStringLiteral("編集"));
    mnuObjectDelete = addItem(mnuObject, "mnuObjectDelete", QStringLiteral("削除"));
    mnuObjectRename = addItem(mnuObject, "mnuObjectRename", QStringLiteral("名前を変更"));

    mnuSeikyusho = new QMenu(QStringLiteral("月締め請求書メニュー"), form);
    mnuSeikyusho->setObjectName(QStringLiteral("mnuSeikyusho"));
    mnuSeikyushoPrint = addItem(mnuSeikyusho, "mnuSeikyushoPrint", QStringLiteral("請求書再印刷"));
    mnuSeikyushoDelete = addItem(mnuSeikyusho, "mnuSeikyushoDelete", QStringLiteral("削除"));

    const struct {
        QAction *action;
        const char *command;
    } commands[] = {{mnuItemNew, "New"},           {mnuItemDisplay, "Display"},
                    {mnuItemEdit, "Edit"},         {mnuItemCopy, "Copy"},
                    {mnuItemPaste, "Paste"},       {mnuItemDelete, "Delete"},
                    {mnuItemRefNew, "RefNew"},     {mnuItemProcess, "Process"},
                    {mnuItemOtherInfo, "OtherInfo"}, {mnuItemDenpyoCopy, "DenpyoCopy"},
                    {mnuItemDenpyoSplit, "DenpyoSplit"}};
    for (const auto &c : commands) {
        const QString command = QString::fromLatin1(c.command);
        connect(c.action, &QAction::triggered, this,
                [this, command] { m_form->runView([this, command] { ItemCommand(*m_form, command); }); });
    }
    const struct {
        QAction *action;
        const char *command;
    } objectCommands[] = {{mnuObjectEdit, "Edit"}, {mnuObjectDelete, "Delete"}, {mnuObjectRename, "Rename"}};
    for (const auto &c : objectCommands) {
        const QString command = QString::fromLatin1(c.command);
        connect(c.action, &QAction::triggered, this,
                [this, command] { m_form->runView([this, command] { ObjectCommand(*m_form, command); }); });
    }
    connect(mnuSeikyushoPrint, &QAction::triggered, this,
            [this] { m_form->runView([this] { InvoiceCommand(*m_form, QStringLiteral("Print")); }); });
    connect(mnuSeikyushoDelete, &QAction::triggered, this,
            [this] { m_form->runView([this] { InvoiceCommand(*m_form, QStringLiteral("Delete")); }); });
    for (int i = 0; i < kPrintEntries; ++i)
        connect(mnuItemPrint[i], &QAction::triggered, this, [this, i] {
            m_form->runView([this, i] { ItemCommand(*m_form, QStringLiteral("Print"), i); });
        });
}

PopupMenus::~PopupMenus() = default;

void PopupMenus::prepareItemMenu(bool slips, const QString &printFormFolder, int selected)
{
    const bool single = selected == 1;
    for (QAction *a : {bar5, mnuItemProcess, mnuItemOtherInfo, mnuItemDenpyoCopy, mnuItemDenpyoSplit})
        a->setVisible(slips);
    for (QAction *a : {mnuItemDisplay, mnuItemEdit, mnuItemCopy, mnuItemRefNew, mnuItemProcess, mnuItemOtherInfo,
                       mnuItemDenpyoCopy, mnuItemDenpyoSplit})
        a->setEnabled(single);
    mnuItemPaste->setEnabled(true);
    mnuItemDelete->setEnabled(selected > 0);

    // In the order the folder gives them; the menu has room for ten.
    const QStringList forms =
        QDir(printFormFolder).entryList({QStringLiteral("*.rpx")}, QDir::Files, QDir::Unsorted);
    for (int i = 0; i < kPrintEntries; ++i) {
        const bool used = i < forms.size();
        mnuItemPrint[i]->setVisible(used);
        if (!used)
            continue;
        mnuItemPrint[i]->setText(forms.at(i).chopped(4) + QStringLiteral(" 印刷"));
        mnuItemPrint[i]->setEnabled(single);
    }
}

QMenu *PopupMenus::PreparePopupMenu()
{
    if (m_form->CurrentLevel != 1)
        return nullptr;
    MainListView *list = m_form->lvwList;
    const int selected = int(list->selectedRowNumbers().size());
    const QString kind = m_form->CurrentLocation.value(0);
    const bool filterFolder = m_form->CurrentLocation.value(1) == QStringLiteral("検索フィルター");
    const int current = list->selectedItemRow();
    const QString currentText = current >= 0 ? list->listModel()->text(current) : QString();

    if (!filterFolder && kind == QStringLiteral("伝票")) {
        prepareItemMenu(true, gstrDenpyoPrintFormFolder, selected);
        return mnuItem;
    }
    if (!filterFolder && kind == QStringLiteral("顧客")) {
        prepareItemMenu(false, gstrCustomerPrintFormFolder, selected);
        return mnuItem;
    }
    if (!filterFolder && kind == QStringLiteral("商品")) {
        prepareItemMenu(false, gstrShohinPrintFormFolder, selected);
        return mnuItem;
    }
    if (filterFolder || kind == QStringLiteral("印刷フォーム")) {
        const bool addRow =
            currentText == QStringLiteral(" フィルターの追加") || currentText == QStringLiteral(" フォームの追加");
        return current >= 0 && !addRow ? mnuObject : nullptr;
    }
    if (kind == QStringLiteral("月締め請求")) {
        if (current < 0 || currentText == QStringLiteral("月締め請求書の作成"))
            return nullptr;
        mnuSeikyushoPrint->setEnabled(true);
        return mnuSeikyusho;
    }
    return nullptr;
}

void PopupMenus::ShowPopupMenu(const QPoint &globalPos)
{
    if (QMenu *menu = PreparePopupMenu())
        menu->popup(globalPos);
}
