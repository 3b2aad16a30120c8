#include "masters/RecordPicker.h"

#include "core/WindowMemory.h"
#include "core/DatabaseFailure.h"
#include "masters/TwipsGeometry.h"
#include "platform/ui/DialogFrame.h"
#include "platform/ui/KeyHandover.h"
#include "platform/ui/ModalTypeAhead.h"
#include "platform/ui/Teardown.h"
#include "platform/ui/Twips.h"
#include "platform/ui/WaitCursor.h"

#include <QApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>

using ui::NavKey;

namespace {
// Marks the node that lists every record, whatever a saved filter is named.
constexpr int kRootNodeRole = Qt::UserRole + 1;
const QString kAllName = QStringLiteral("全件");

// Saved filters as the pickers offer them: every name beginning with the
// temporary filter's name is left out, the rest sorted regardless of case.
QStringList pickerFilterNames(SearchFilterKind kind)
{
    QStringList names;
    for (const QString &name : searchfilter::savedNames(kind)) {
        if (!name.startsWith(searchfilter::kTemporaryName))
            names << name;
    }
    std::stable_sort(names.begin(), names.end(),
                     [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    return names;
}
} // namespace

RecordPicker::RecordPicker(const QString &formName, SearchFilterKind kind, QWidget *parent)
    : QDialog(parent), m_formName(formName), m_kind(kind)
{
    setObjectName(formName);
    ui::setDialogFrame(this, ui::DialogFrame::Sizable);
    m_nodePrefix = kind == SearchFilterKind::Customer ? QStringLiteral("cu")
                   : kind == SearchFilterKind::Shohin ? QStringLiteral("sh")
                                                      : QStringLiteral("de");

    auto *filterFrame = new QFrame(this);
    filterFrame->setFrameShape(QFrame::StyledPanel);
    placeTwips(filterFrame, 120, 120, 2295, 615);
    lblFilter = new QLabel(QStringLiteral("検索フィルター"), filterFrame);
    lblFilter->setAlignment(Qt::AlignCenter);
    placeTwips(lblFilter, 360, 240, 1575, 255);

    tvwTree = new QTreeWidget(this);
    tvwTree->setObjectName(QStringLiteral("tvwTree"));
    tvwTree->setHeaderHidden(true);
    tvwTree->setRootIsDecorated(false);

    framSearch = new QGroupBox(QStringLiteral("検索"), this);
    framSearch->setObjectName(QStringLiteral("framSearch"));
    cmdSearch = new QPushButton(QStringLiteral("検索"), framSearch);
    cmdSearch->setObjectName(QStringLiteral("cmdSearch"));

    list = new QTreeWidget(this);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setSortingEnabled(false);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setAllColumnsShowFocus(true);
    QFont listFont(QStringLiteral("MS PGothic"), 9);
    list->setFont(listFont);

    cmdNew = new QPushButton(this);
    cmdOK = new QPushButton(QStringLiteral("選択(F12)"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdCancel = new QPushButton(QStringLiteral("閉じる(ESC)"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    for (QPushButton *b : {cmdSearch, cmdNew, cmdOK, cmdCancel})
        b->setAutoDefault(false);

    connect(cmdSearch, &QPushButton::clicked, this, [this] { BoxSearch(); });
    connect(cmdOK, &QPushButton::clicked, this, [this] { Select(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { ListCancel(); });
    connect(cmdNew, &QPushButton::clicked, this, [this] { NewRecord(); });
    connect(tvwTree, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem *node) { FilterSearch(node); });
    connect(tvwTree, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem *now, QTreeWidgetItem *before) {
        const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
        if (before)
            before->setIcon(0, closed);
        if (now)
            now->setIcon(0, style()->standardIcon(QStyle::SP_DirOpenIcon));
    });
    connect(list, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem *now) {
        if (now)
            m_choice = now->text(0);
    });
    connect(list, &QTreeWidget::itemDoubleClicked, this, [this] {
        if (list->topLevelItemCount() == 0)
            return;
        if (QTreeWidgetItem *row = list->currentItem())
            m_choice = row->text(0);
        Select();
    });
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) { focusMoved(now); });

    keys = new ui::KeyNavigator(this);
    keys->watch({list, tvwTree, cmdOK, cmdCancel});
    // The two buttons would walk the tab chain with the arrows; here the
    // arrows have no target on them.
    for (QPushButton *b : {cmdOK, cmdCancel}) {
        for (NavKey key : {NavKey::Up, NavKey::Down, NavKey::Right, NavKey::Left})
            keys->setAction(b, key, [] {});
    }
    keys->setAction(nullptr, NavKey::End, [this] { cmdOK->setFocus(Qt::OtherFocusReason); });
    keys->setAction(nullptr, NavKey::Escape, [this] { ListCancel(); });
    keys->setAction(nullptr, NavKey::F12, [this] { Select(); });
    keys->setAction(list, NavKey::Enter, [this] { Select(); });
    // F2 from every control with key handling; the list keeps its own arrow
    // keys except at its ends (eventFilter).
    for (QWidget *w : {static_cast<QWidget *>(list), static_cast<QWidget *>(tvwTree),
                       static_cast<QWidget *>(cmdOK), static_cast<QWidget *>(cmdCancel)})
        w->installEventFilter(this);
}

RecordPicker::~RecordPicker()
{
    // Hiding and clearing the focus as the dialog goes would still report
    // focus changes to the picker's handlers, of every concrete picker.
    ui::disconnectForTeardown(this);
}

void RecordPicker::setColumns(const QStringList &headings, const QList<int> &widthsTwips,
                              const QList<Qt::Alignment> &alignments)
{
    list->setColumnCount(int(headings.size()));
    list->setHeaderLabels(headings);
    for (int i = 0; i < headings.size(); ++i) {
        list->setColumnWidth(i, ui::twipsToPixelsX(widthsTwips.value(i), list));
        list->headerItem()->setTextAlignment(i, alignments.value(i) | Qt::AlignVCenter);
    }
    list->setProperty("alignments", QVariant::fromValue(alignments));
}

void RecordPicker::setSearchBoxes(const QList<QWidget *> &boxes)
{
    m_boxes = boxes;
    for (QWidget *box : boxes)
        keys->watch(box);
    keys->setAction(nullptr, NavKey::Home, [this] { homeBox()->setFocus(Qt::OtherFocusReason); });
    for (QWidget *box : boxes)
        ui::KeyNavigator::keyReceiver(box)->installEventFilter(this);
}

void RecordPicker::showEvent(QShowEvent *event)
{
    // Shown again: its keys are its own once more.
    ui::KeyHandover::handOn(this);
    // The keys typed before the window system gives it the keyboard are
    // meant for it as well.
    ui::catchKeysAheadOf(this);
    if (!m_opened) {
        m_opened = true;
        LoadWindowPosition(this);
        m_ok = false;
        FilterTreeFill();
        m_boxes.first()->setFocus(Qt::OtherFocusReason);
    }
    QDialog::showEvent(event);
}

void RecordPicker::FilterTreeFill()
{
    tvwTree->clear();
    const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
    auto *all = new QTreeWidgetItem(tvwTree, QStringList{kAllName});
    all->setData(0, Qt::UserRole, m_nodePrefix + kAllName);
    all->setData(0, kRootNodeRole, true);
    all->setIcon(0, closed);
    for (const QString &name : pickerFilterNames(m_kind)) {
        auto *node = new QTreeWidgetItem(tvwTree, QStringList{name});
        node->setData(0, Qt::UserRole, m_nodePrefix + name);
        node->setData(0, kRootNodeRole, false);
        node->setIcon(0, closed);
    }
    tvwTree->setCurrentItem(nullptr);
}

bool RecordPicker::fillList(const QString &condition)
{
    list->clear();
    m_choice.clear();
    const QList<QStringList> rows = loadRows(condition);
    const auto alignments = list->property("alignments").value<QList<Qt::Alignment>>();
    const QIcon rowIcon = style()->standardIcon(QStyle::SP_FileIcon);
    QList<QTreeWidgetItem *> items;
    items.reserve(rows.size());
    for (const QStringList &cells : rows) {
        auto *item = new QTreeWidgetItem(cells);
        item->setIcon(0, rowIcon);
        for (int i = 0; i < cells.size(); ++i)
            item->setTextAlignment(i, alignments.value(i) | Qt::AlignVCenter);
        items << item;
    }
    list->addTopLevelItems(items);
    if (items.isEmpty())
        return false;
    list->setCurrentItem(items.first());
    m_choice = items.first()->text(0);
    list->setFocus(Qt::OtherFocusReason);
    return true;
}

bool RecordPicker::runFill(const QString &condition)
{
    try {
        ui::WaitCursor wait;
        return fillList(condition);
    } catch (const std::exception &e) {
        // A condition the database refuses leaves an empty list and no
        // choice behind; the window stays usable.
        list->clear();
        m_choice.clear();
        showDatabaseFailure(e, this);
        return false;
    }
}

void RecordPicker::BoxSearch()
{
    runFill(boxCondition());
    FilterTreeFill();
}

void RecordPicker::FilterSearch(QTreeWidgetItem *node)
{
    if (!node)
        return;
    QString condition;
    if (!node->data(0, kRootNodeRole).toBool()) {
        const QString name = node->data(0, Qt::UserRole).toString().mid(2);
        if (!filterCondition(name, &condition))
            return;
    }
    clearBoxes();
    runFill(condition);
}

void RecordPicker::Select()
{
    if (!m_choice.isEmpty()) {
        ui::WaitCursor wait;
        try {
            loadChosen(m_choice);
        } catch (const std::exception &e) {
            wait.release();
            showDatabaseFailure(e, this);
            return;
        }
        m_ok = true;
    }
    accept();
}

void RecordPicker::ListCancel()
{
    reject();
}

void RecordPicker::NewRecord()
{
    const QString key = createRecord();
    if (key.isEmpty())
        return;
    showNewKey(key);
    BoxSearch();
}

void RecordPicker::setDefaultButton(DefaultButton which)
{
    m_default = which;
    cmdSearch->setDefault(which == DefaultButton::Search);
    cmdOK->setDefault(which == DefaultButton::Select);
}

void RecordPicker::focusMoved(QWidget *now)
{
    if (!now || now->window() != this)
        return;
    for (QWidget *box : m_boxes) {
        if (now == box || box->isAncestorOf(now)) {
            setDefaultButton(DefaultButton::Search);
            return;
        }
    }
    if (now == list || list->isAncestorOf(now)) {
        setDefaultButton(DefaultButton::Select);
        return;
    }
    if (m_default == DefaultButton::Select || !searchStaysDefault())
        setDefaultButton(DefaultButton::None);
}

void RecordPicker::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // A focused button takes Enter itself; elsewhere the default acts.
        if (auto *button = qobject_cast<QPushButton *>(focusWidget()))
            button->click();
        else if (m_default == DefaultButton::Search)
            BoxSearch();
        else if (m_default == DefaultButton::Select)
            Select();
        event->accept();
        return;
    case Qt::Key_Escape:
        event->accept();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

bool RecordPicker::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        auto *keyEvent = static_cast<QKeyEvent *>(event);
        if (keyEvent->key() == Qt::Key_F2) {
            NewRecord();
            return true;
        }
        if (watched == list && (keyEvent->key() == Qt::Key_Up || keyEvent->key() == Qt::Key_Down)) {
            const int count = list->topLevelItemCount();
            const int row = list->currentItem() ? list->indexOfTopLevelItem(list->currentItem()) : -1;
            if (keyEvent->key() == Qt::Key_Up && (count == 0 || row <= 0)) {
                aboveList()->setFocus(Qt::OtherFocusReason);
                return true;
            }
            if (keyEvent->key() == Qt::Key_Down && (count == 0 || row >= count - 1)) {
                cmdOK->setFocus(Qt::OtherFocusReason);
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

int RecordPicker::exec()
{
    const int result = QDialog::exec();
    ui::KeyHandover::handOn(this);
    return result;
}

void RecordPicker::done(int result)
{
    SaveWindowPosition(this);
    // The window system still addresses the keys typed after the choice to
    // this window until it has moved the focus back.
    ui::KeyHandover::holdFrom(this);
    QDialog::done(result);
}
