#include "printing/frmListPrint.h"

#include "core/DatabaseFailure.h"
#include "core/DateValue.h"
#include "core/Globals.h"
#include "core/WindowMemory.h"
#include "platform/db/DbError.h"
#include "platform/ui/DialogFrame.h"
#include "platform/ui/KeyNavigator.h"
#include "platform/ui/Teardown.h"
#include "platform/ui/Twips.h"
#include "platform/ui/WaitCursor.h"
#include "printing/CustomerPrint.h"
#include "printing/DenpyoListPrint.h"
#include "printing/ListPrintSource.h"
#include "printing/PrintDateEdit.h"
#include "printing/PrintFormOption.h"
#include "printing/ShohinPrint.h"

#include <QDateEdit>
#include <QDir>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QStatusBar>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
const QString kDenpyo = QStringLiteral("伝票");
const QString kCustomer = QStringLiteral("顧客");
const QString kShohin = QStringLiteral("商品");
const QString kNothingToPrint = QStringLiteral("行が選択されていないか、出力対象行がありません。");
enum Column { NameColumn, TargetColumn };
// Where a row keeps its form's OnlySelect flag: beside its name, not in a
// hidden column that screen readers would still announce.
constexpr int kOnlySelectRole = Qt::UserRole;
// The smallest outer size, in twips.
constexpr int kMinWidth = 5895, kMinHeight = 3495;
} // namespace

frmListPrint::frmListPrint(QWidget *parent)
    : QDialog(parent), lblTitle(new QLabel(this)), dtpPrintDate(nullptr), lvwFormList(new QTreeWidget(this)),
      cmdOK(new QPushButton(QStringLiteral("印刷"), this)), cmdExit(new QPushButton(QStringLiteral("閉じる(ESC)"), this)),
      StatusBar1(new QStatusBar(this)), m_statusText(new QLabel(this)), m_datePanel(new QWidget(this)),
      m_rule(new QFrame(this)), m_keys(new ui::KeyNavigator(this))
{
    setObjectName(QStringLiteral("frmListPrint"));
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    lvwFormList->setObjectName(QStringLiteral("lvwFormList"));
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdExit->setObjectName(QStringLiteral("cmdExit"));
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    dtpPrintDate = newPrintDateEdit(m_datePanel);
    for (QPushButton *button : {cmdOK, cmdExit}) {
        button->setAutoDefault(false);
        button->setDefault(false);
        button->setMinimumHeight(36);
    }

    auto *picture = new QLabel(this);
    picture->setPixmap(style()->standardIcon(QStyle::SP_FileDialogDetailedView).pixmap(24, 24));
    QFont titleFont = lblTitle->font();
    titleFont.setBold(true);
    lblTitle->setFont(titleFont);
    auto *heading = new QHBoxLayout;
    heading->addWidget(picture);
    heading->addWidget(lblTitle, 1);
    m_rule->setFrameShape(QFrame::HLine);
    m_rule->setFrameShadow(QFrame::Sunken);

    auto *date = new QHBoxLayout(m_datePanel);
    date->setContentsMargins(0, 0, 0, 0);
    date->addWidget(new QLabel(QStringLiteral("印刷日付"), m_datePanel));
    date->addWidget(dtpPrintDate);

    lvwFormList->setRootIsDecorated(false);
    lvwFormList->setItemsExpandable(false);
    lvwFormList->setAllColumnsShowFocus(true);
    lvwFormList->setSelectionMode(QAbstractItemView::SingleSelection);
    lvwFormList->setEditTriggers(QAbstractItemView::NoEditTriggers);

    auto *left = new QVBoxLayout;
    auto *dateRow = new QHBoxLayout;
    dateRow->addStretch();
    dateRow->addWidget(m_datePanel);
    left->addLayout(dateRow);
    left->addWidget(lvwFormList, 1);
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdExit);
    buttons->addStretch();
    auto *body = new QHBoxLayout;
    body->addLayout(left, 1);
    body->addLayout(buttons);

    StatusBar1->setSizeGripEnabled(false);
    StatusBar1->addWidget(m_statusText, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(heading);
    layout->addWidget(m_rule);
    layout->addLayout(body, 1);
    layout->addWidget(StatusBar1);

    setMinimumSize(ui::twipsToPixelsX(kMinWidth, this) - 16, ui::twipsToPixelsY(kMinHeight, this) - 39);
    resize(ui::twipsToPixelsX(7785, this), ui::twipsToPixelsY(4080, this));

    connect(cmdOK, &QPushButton::clicked, this, &frmListPrint::ListPrint);
    connect(cmdExit, &QPushButton::clicked, this, &QDialog::reject);
    connect(lvwFormList, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem *current) { markOutputRows(current); });
    connect(lvwFormList, &QTreeWidget::itemDoubleClicked, this, [this] { ListPrint(); });
    setUpKeys();
    ui::setDialogFrame(this, ui::DialogFrame::Sizable);
}

frmListPrint::~frmListPrint()
{
    ui::disconnectForTeardown(this);
}

void frmListPrint::setUpKeys()
{
    using ui::NavKey;
    m_keys->watch({lvwFormList, dtpPrintDate});
    m_keys->setAction(nullptr, NavKey::F12, [this] { ListPrint(); });
    m_keys->setAction(nullptr, NavKey::Escape, [this] { reject(); });
    m_keys->setMove(nullptr, NavKey::Home, lvwFormList);
    m_keys->setMove(nullptr, NavKey::End, cmdOK);
    m_keys->setMove(lvwFormList, NavKey::Enter, dtpPrintDate);
    m_keys->setMove(dtpPrintDate, NavKey::Enter, cmdOK);
}

void frmListPrint::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous() || m_opened)
        return;
    m_opened = true;
    Form_Load();
}

void frmListPrint::Form_Load()
{
    LoadWindowPosition(this);
    if (ObjectType == kDenpyo)
        m_folder = gstrDenpyoListPrintFormFolder;
    else if (ObjectType == kCustomer)
        m_folder = gstrCustomerListPrintFormFolder;
    else if (ObjectType == kShohin)
        m_folder = gstrShohinListPrintFormFolder;
    setTabOrder(lvwFormList, dtpPrintDate);
    setTabOrder(dtpPrintDate, cmdOK);
    setTabOrder(cmdOK, cmdExit);
    setWindowTitle(QLatin1Char(' ') + ObjectType + QStringLiteral("リスト印刷"));
    lblTitle->setText(windowTitle());
    dtpPrintDate->setDate(today());
    fillFormList();
    lvwFormList->setFocus(Qt::OtherFocusReason);
}

void frmListPrint::fillFormList()
{
    lvwFormList->clear();
    lvwFormList->setColumnCount(2);
    lvwFormList->setHeaderLabels({QStringLiteral("名前"), QStringLiteral("出力対象")});
    lvwFormList->header()->resizeSection(NameColumn, ui::twipsToPixelsX(3000, this));
    lvwFormList->header()->resizeSection(TargetColumn, ui::twipsToPixelsX(2000, this));
    lvwFormList->headerItem()->setTextAlignment(TargetColumn, Qt::AlignCenter);
    lvwFormList->setSortingEnabled(true);
    lvwFormList->sortByColumn(NameColumn, Qt::AscendingOrder);
    const QIcon icon = style()->standardIcon(QStyle::SP_FileIcon);
    const QStringList files =
        m_folder.isEmpty() ? QStringList()
                           : QDir(m_folder).entryList({QStringLiteral("*.rpx")}, QDir::Files, QDir::Unsorted);
    {
        const QSignalBlocker quiet(lvwFormList);
        for (const QString &file : files) {
            bool onlySelect = false;
            GetListFormOption(m_folder + file, onlySelect);
            auto *row = new QTreeWidgetItem(lvwFormList);
            row->setText(NameColumn, file.chopped(4));
            row->setIcon(NameColumn, icon);
            row->setText(TargetColumn, onlySelect ? QStringLiteral("選択行のみ") : QStringLiteral("全表示行"));
            row->setTextAlignment(TargetColumn, Qt::AlignCenter);
            row->setData(NameColumn, kOnlySelectRole, onlySelect);
        }
    }
    if (lvwFormList->topLevelItemCount() > 0) {
        QTreeWidgetItem *first = lvwFormList->topLevelItem(0);
        lvwFormList->setCurrentItem(first);
        markOutputRows(first);
    } else {
        cmdOK->setEnabled(false);
    }
}

void frmListPrint::markOutputRows(QTreeWidgetItem *form)
{
    if (!form)
        return;
    const bool onlySelect = form->data(NameColumn, kOnlySelectRole).toBool();
    int count = 0;
    const int rows = Source ? Source->rowCount() : 0;
    for (int row = 0; row < rows; ++row) {
        const bool selected = Source->rowSelected(row);
        Source->setRowBold(row, onlySelect && selected);
        if (!onlySelect || selected)
            ++count;
    }
    m_statusText->setText(count > 0 ? QString() : kNothingToPrint);
    cmdOK->setEnabled(count > 0);
}

void frmListPrint::ListPrint()
{
    QTreeWidgetItem *form = lvwFormList->currentItem();
    if (!form || !cmdOK->isEnabled())
        return;
    ui::WaitCursor wait;
    const bool onlySelect = form->data(NameColumn, kOnlySelectRole).toBool();
    QStringList keys{QString()};
    const int rows = Source ? Source->rowCount() : 0;
    for (int row = 0; row < rows; ++row)
        if (!onlySelect || Source->rowSelected(row))
            keys << Source->rowText(row);
    const QString name = form->text(NameColumn);
    const QDateTime printDate = printDateOf(dtpPrintDate);
    try {
        if (ObjectType == kDenpyo)
            PrintDenpyoList(m_folder, name, printDate, keys, QString(), this);
        else if (ObjectType == kCustomer)
            PrintCustomerList(m_folder, name, printDate, keys, QString(), this);
        else if (ObjectType == kShohin)
            PrintShohinList(m_folder, name, printDate, keys, QString(), this);
    } catch (const db::DbError &e) {
        wait.release();
        showDatabaseFailure(e, this);
    }
    accept();
}

void frmListPrint::done(int result)
{
    if (!m_closed) {
        m_closed = true;
        if (Source) {
            Source->sortByFirstColumn();
            for (int row = 0; row < Source->rowCount(); ++row)
                Source->setRowBold(row, false);
        }
        if (m_opened)
            SaveWindowPosition(this);
    }
    QDialog::done(result);
}
