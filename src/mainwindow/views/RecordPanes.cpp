// The record views of the main window: one opened slip, customer or product
// shown as an action menu and a contents pane.
#include "mainwindow/views/frmMainForm.h"

#include "core/Globals.h"
#include "core/Settings.h"
#include "mainwindow/views/MainListView.h"
#include "mainwindow/views/RecordPaneRows.h"
#include "model/Customer.h"
#include "model/Denpyo.h"
#include "model/Shohin.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/Twips.h"
#include "platform/ui/WaitCursor.h"
#include "slips/SlipDialogParts.h"
#include "core/controls/ucTitleLabel.h"

#include <QHeaderView>

namespace {

const QString kSizeSection = QStringLiteral("MainMenu Positions");
const QString kDenpyoColumnWidth = QStringLiteral("DenpyoColumnWidth");

QFont contentsFont()
{
    // Fixed pitch: the padded stage labels line up only so.
    QFont font;
    font.setFamilies({QStringLiteral("MS Gothic"), QStringLiteral("ＭＳ ゴシック"),
                      QStringLiteral("Noto Sans Mono CJK JP"), QStringLiteral("IPAGothic"),
                      QStringLiteral("Monospace")});
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSize(9);
    return font;
}

QFont menuFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("MS PGothic"), QStringLiteral("ＭＳ Ｐゴシック"),
                      QStringLiteral("Noto Sans CJK JP"), QStringLiteral("IPAPGothic")});
    font.setPointSize(9);
    return font;
}

void setColumns(MainListView *view, const QVector<MainListModel::Column> &columns)
{
    view->listModel()->setColumns(columns);
    for (int i = 0; i < columns.size(); ++i) {
        view->setColumnHidden(i, false);
        view->header()->resizeSection(i, ui::twipsToPixelsX(columns[i].widthTwips, view));
    }
}

} // namespace

void frmMainForm::ShowRecordList(bool reload)
{
    const QString kind = CurrentLocation.value(0);
    const QString listName = CurrentLocation.value(1);
    if (kind == QStringLiteral("伝票")) {
        if (listName.startsWith(QLatin1Char('*')))
            ShowDateBarList(reload);
        else
            ShowDenpyoList(listName, listName, reload);
    } else if (kind == QStringLiteral("顧客")) {
        ShowCustomerList(listName, reload);
    } else if (kind == QStringLiteral("商品")) {
        ShowShohinList(listName, reload);
    }
}

void frmMainForm::recordGone(const QString &message)
{
    // Rather than a cleared record: the list it came from, loaded again.
    ui::showMessage(message, ui::Icon::Exclamation, ui::Buttons::Ok, ui::Answer::Ok, QString(), this);
    flgListRefresh = false;
    ShowRecordList(true);
    lvwList->setFocus();
}

bool frmMainForm::openRecord(const QString &id, const QString &subtitle, bool keepCaption,
                             const std::function<bool()> &fillContents, const QString &kind,
                             const QString &printFormFolder)
{
    ui::WaitCursor wait;
    CurrentLocation[2] = id;
    CurrentLevel = 2;
    // A record that has gone shows the list again instead.
    if (!fillContents())
        return false;
    if (!keepCaption)
        lblList->setCaption(CurrentLocation.value(1) + QStringLiteral("  ≫  ") + id + QStringLiteral(" - ") + subtitle);
    SetCommandState(0, 1, 0, 0, 1, 0, 0, 0, 0, 0, 1);

    setColumns(lvwListItemMenu, recordpane::itemMenuColumns());
    lvwListItemMenu->setColumnHidden(recordpane::kItemMenuSortColumn, true);
    lvwListItemMenu->setFont(menuFont());
    lvwListItemMenu->listModel()->sort(recordpane::kItemMenuSortColumn, Qt::AscendingOrder);
    lvwListItemMenu->listModel()->setRows(recordpane::itemMenu(kind, printFormFolder));
    if (lvwListItemMenu->listModel()->rowCount() > 0)
        lvwListItemMenu->setCurrentIndex(lvwListItemMenu->listModel()->index(0, 0));

    setContentsVisible(true);
    lvwList->setFocusPolicy(Qt::NoFocus);
    ArrangeControls();
    setStatusPanelText(2, QString());
    setStatusPanelText(3, QString());
    return true;
}

void frmMainForm::setContents(const QVector<MainListModel::Column> &columns, std::shared_ptr<MainListRows> rows,
                              const QColor &background)
{
    MainListModel *model = lvwListContents->listModel();
    model->setSort(-1, Qt::AscendingOrder);
    lvwListContents->header()->setSortIndicatorShown(false);
    setColumns(lvwListContents, columns);
    lvwListContents->setFont(contentsFont());
    QPalette palette = lvwListContents->palette();
    palette.setColor(QPalette::Base, background);
    palette.setColor(QPalette::AlternateBase, background);
    lvwListContents->setPalette(palette);
    // The whole pane, beyond the last column too, shows the record's colour.
    lvwListContents->setStyleSheet(QStringLiteral("QTreeView { background-color: %1; }").arg(background.name()));
    model->setRows(std::move(rows));
}

bool frmMainForm::ShowDenpyoItemMenu(const QString &id, const QString &subtitle, bool keepCaption)
{
    return openRecord(id, subtitle, keepCaption, [this] { return ShowDenpyoContents(); }, QStringLiteral("伝票"),
                      gstrDenpyoPrintFormFolder);
}

bool frmMainForm::ShowCustomerItemMenu(const QString &id, const QString &subtitle, bool keepCaption)
{
    return openRecord(id, subtitle, keepCaption, [this] { return ShowCustomerContents(); }, QStringLiteral("顧客"),
                      gstrCustomerPrintFormFolder);
}

bool frmMainForm::ShowShohinItemMenu(const QString &id, const QString &subtitle, bool keepCaption)
{
    return openRecord(id, subtitle, keepCaption, [this] { return ShowShohinContents(); }, QStringLiteral("商品"),
                      gstrShohinPrintFormFolder);
}

bool frmMainForm::ShowDenpyoContents()
{
    Denpyo d;
    if (!d.Load(slipdialog::slipNumber(CurrentLocation.value(2)))) {
        recordGone(Denpyo::MissingMessage());
        return false;
    }
    const QString stored = fnReadSetting(settingsFileName(QStringLiteral("Size")), kSizeSection, kDenpyoColumnWidth,
                                         recordpane::kDefaultDenpyoColumnWidths);
    setContents(recordpane::denpyoContentsColumns(recordpane::decodeDenpyoColumnWidths(stored)),
                recordpane::denpyoContents(d), QColor(255, 255, 192));
    return true;
}

bool frmMainForm::ShowCustomerContents()
{
    Customer c;
    if (!c.Load(CurrentLocation.value(2))) {
        recordGone(Customer::MissingMessage());
        return false;
    }
    setContents(recordpane::registerContentsColumns(), recordpane::customerContents(c), QColor(192, 255, 255));
    return true;
}

bool frmMainForm::ShowShohinContents()
{
    Shohin s;
    if (!s.Load(CurrentLocation.value(2))) {
        recordGone(Shohin::MissingMessage());
        return false;
    }
    setContents(recordpane::registerContentsColumns(), recordpane::shohinContents(s), QColor(192, 255, 192));
    return true;
}

void frmMainForm::lvwListContents_LostFocus()
{
    MainListModel *model = lvwListContents->listModel();
    // Only the slip's five columns are remembered.
    if (model->columnCount() != 5)
        return;
    QVector<int> widths;
    for (int i = 0; i < 5; ++i)
        widths << ui::pixelsToTwipsX(lvwListContents->header()->sectionSize(i), lvwListContents);
    fnWriteSetting(settingsFileName(QStringLiteral("Size")), kSizeSection, kDenpyoColumnWidth,
                   recordpane::encodeDenpyoColumnWidths(widths));
}
