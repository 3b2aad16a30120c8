#include "mainwindow/views/frmMainForm.h"

#include "core/BasicInfo.h"
#include "core/DatabaseFailure.h"
#include "core/Globals.h"
#include "core/Routines.h"
#include "core/Settings.h"
#include "core/Startup.h"
#include "core/WindowMemory.h"
#include "core/controls/ucTitleLabel.h"
#include "filters/FilterCompiler.h"
#include "filters/SavedFilters.h"
#include "filters/SearchFilterKind.h"
#include "mainwindow/views/CustomerListRows.h"
#include "mainwindow/views/DateBar.h"
#include "mainwindow/views/DenpyoListRows.h"
#include "mainwindow/views/FilterFolder.h"
#include "mainwindow/views/MainImages.h"
#include "mainwindow/views/MainListModel.h"
#include "mainwindow/views/MainListView.h"
#include "mainwindow/views/NavigationTree.h"
#include "mainwindow/views/PrintFormRows.h"
#include "mainwindow/views/SeikyushoRows.h"
#include "mainwindow/views/RootMenuRows.h"
#include "mainwindow/views/ShohinListRows.h"
#include "model/Customer.h"
#include "model/Customers.h"
#include "model/Shohins.h"
#include "model/denpyos.h"
#include "platform/ui/KeyboardReturn.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/Teardown.h"
#include "platform/ui/Twips.h"
#include "platform/ui/WaitCursor.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

const QString kKindDenpyo = QStringLiteral("伝票");
const QString kKindCustomer = QStringLiteral("顧客");
const QString kKindShohin = QStringLiteral("商品");
const QString kKindTsukiSeikyu = QStringLiteral("月締め請求");
const QString kKindPrintForm = QStringLiteral("印刷フォーム");
const QString kAll = QStringLiteral("全件");
const QString kFilterFolder = QStringLiteral("検索フィルター");

const QString kSlipPanel1 = QStringLiteral(
    "ESC-上へ  F2-編集  [Ctrl]+F-検索  [Ctrl]+C-コピー  [Ctrl]+V-貼り付け  [Ctrl]+A-すべて選択");
// The register lists have always had one blank before the paste hint.
const QString kRegisterPanel1 = QStringLiteral(
    "ESC-上へ  F2-編集  [Ctrl]+F-検索  [Ctrl]+C-コピー [Ctrl]+V-貼り付け  [Ctrl]+A-すべて選択");

int px(int twips)
{
    return ui::twipsToPixelsX(twips);
}

int py(int twips)
{
    return ui::twipsToPixelsY(twips);
}

// Widens designed columns that would cut their usual cell text short in the
// list's font (the designed widths suit a smaller font than most desktops
// use); the first column also holds the row's picture.
void widenToFit(MainListView *list, std::initializer_list<std::pair<int, QString>> samples)
{
    const QFontMetrics metrics(list->font());
    const int padding = 3 * list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 6;
    for (const auto &[column, sample] : samples) {
        int needed = metrics.horizontalAdvance(sample) + padding;
        if (column == 0)
            needed += list->iconSize().width() + 4;
        if (list->header()->sectionSize(column) < needed)
            list->header()->resizeSection(column, needed);
    }
}

QString countText(int rows)
{
    return QString::number(rows) + QStringLiteral("件");
}

} // namespace

// Counts the views under way, and runs the requests that arrived meanwhile
// once the outermost one has finished.
struct frmMainForm::ViewScope {
    explicit ViewScope(frmMainForm &form) : m_form(form) { ++m_form.m_viewDepth; }
    ~ViewScope()
    {
        // Still counted as busy: a request made meanwhile waits for the
        // catch-up too.
        if (m_form.m_viewDepth == 1)
            m_form.FollowChanges();
        if (--m_form.m_viewDepth > 0)
            return;
        while (!m_form.m_pendingViews.empty()) {
            auto request = m_form.m_pendingViews.front();
            m_form.m_pendingViews.erase(m_form.m_pendingViews.begin());
            m_form.runView(request);
        }
    }
    frmMainForm &m_form;
};

frmMainForm::ChangeCounts frmMainForm::ChangeCounts::now()
{
    ChangeCounts counts;
    counts.customers = Customer::ChangeCount();
    for (SearchFilterKind kind : {SearchFilterKind::Denpyo, SearchFilterKind::Customer, SearchFilterKind::Shohin})
        counts.filters[int(kind)] = searchfilter::changeCount(kind);
    return counts;
}

frmMainForm::frmMainForm(QWidget *parent)
    : QMainWindow(parent), m_treeCounts(ChangeCounts::now()), m_viewCounts(m_treeCounts),
      m_comboCustomers(m_treeCounts.customers)
{
    setObjectName(QStringLiteral("frmMainForm"));
    buildMenus();
    buildControls();
    qApp->installEventFilter(this);
    ui::returnKeyboardToOpeners();
}

frmMainForm::~frmMainForm()
{
    if (qApp)
        qApp->removeEventFilter(this);
    // The lists lose the focus while the window hides and its widgets are
    // destroyed; their handlers must not run on this part, which is gone by then.
    ui::disconnectForTeardown(this);
}

void frmMainForm::buildMenus()
{
    auto action = [this](QMenu *menu, const char *name, const QString &caption) {
        QAction *a = menu->addAction(caption);
        a->setObjectName(QString::fromLatin1(name));
        return a;
    };
    mnuList = menuBar()->addMenu(QStringLiteral("一覧表(&L)"));
    mnuList->setObjectName(QStringLiteral("mnuList"));
    mnuWriteFile = action(mnuList, "mnuWriteFile", QStringLiteral("ファイルへ保存(&S)"));
    mnuShinko = action(mnuList, "mnuShinko", QStringLiteral("進行状況一括変更(&C)"));
    mnuListPrint = action(mnuList, "mnuListPrint", QStringLiteral("一覧表の印刷(&L)"));
    mnuList->addSeparator();
    mnuExit = action(mnuList, "mnuExit", QStringLiteral("Quorvexの終了(&X)"));

    mnuEdit = menuBar()->addMenu(QStringLiteral("編集(&E)"));
    mnuEdit->setObjectName(QStringLiteral("mnuEdit"));
    mnuNew = action(mnuEdit, "mnuNew", QStringLiteral("新規作成(&S)"));
    mnuCopy = action(mnuEdit, "mnuCopy", QStringLiteral("コピー(&C)"));
    mnuPaste = action(mnuEdit, "mnuPaste", QStringLiteral("貼り付け(&P)"));
    mnuRefresh = action(mnuEdit, "mnuRefresh", QStringLiteral("リフレッシュ(&R)"));
    mnuDelete = action(mnuEdit, "mnuDelete", QStringLiteral("削除(&D)"));
    mnuFind = action(mnuEdit, "mnuFind", QStringLiteral("検索(&F)"));
    mnuRename = action(mnuEdit, "mnuRename", QStringLiteral("名前の変更(&M)"));
    mnuEdit->addSeparator();
    mnuSelectAll = action(mnuEdit, "mnuSelectAll", QStringLiteral("すべて選択(&A)"));

    mnuSetting = menuBar()->addMenu(QStringLiteral("設定(&S)"));
    mnuSetting->setObjectName(QStringLiteral("mnuSetting"));
    mnuSystemInfo = action(mnuSetting, "mnuSystemInfo", QStringLiteral("基本設定(&B)"));
    mnuJishaInfo = action(mnuSetting, "mnuJishaInfo", QStringLiteral("自社印刷情報(&J)"));
    mnuRegClear = action(mnuSetting, "mnuRegClear", QStringLiteral("画面サイズ等を初期値に戻す(&R)"));

    mnuHelp = menuBar()->addMenu(QStringLiteral("ヘルプ(&H)"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    mnuHelpf = action(mnuHelp, "mnuHelpf", QStringLiteral("Quorvexのﾍﾙﾌﾟ(&H)"));
    mnuHelp->addSeparator();
    mnuVersion = action(mnuHelp, "mnuVersion", QStringLiteral("バージョン情報(&A)"));
}

void frmMainForm::buildControls()
{
    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);

    // Two bands across the top: the main toolbar, then the date bar.
    tlbBar1 = new QToolBar(this);
    tlbBar1->setObjectName(QStringLiteral("tlbBar1"));
    tlbBar1->setIconSize(QSize(16, 16));
    tlbBar1->setToolButtonStyle(Qt::ToolButtonIconOnly);
    tlbBar1->setMovable(false);
    addToolBar(Qt::TopToolBarArea, tlbBar1);
    addToolBarBreak(Qt::TopToolBarArea);
    auto *cbrBar = new QToolBar(this);
    cbrBar->setObjectName(QStringLiteral("cbrBar"));
    cbrBar->setMovable(false);
    dateBar = new DateBar(flgInit, cbrBar);
    cbrBar->addWidget(dateBar);
    addToolBar(Qt::TopToolBarArea, cbrBar);

    m_treeSplitter = new QSplitter(Qt::Horizontal, central);
    m_treeSplitter->setObjectName(QStringLiteral("imlSplitter"));
    m_treeSplitter->setChildrenCollapsible(false);

    auto *left = new QWidget(m_treeSplitter);
    auto *leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->setSpacing(2);
    lblTree = new ucTitleLabel(left);
    lblTree->setObjectName(QStringLiteral("lblTree"));
    lblTree->setFocusPolicy(Qt::NoFocus);
    tvwTree = new NavigationTree(left);
    leftLayout->addWidget(lblTree);
    leftLayout->addWidget(tvwTree, 1);
    left->setMinimumWidth(px(500));

    auto *right = new QWidget(m_treeSplitter);
    auto *rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->setSpacing(2);
    lblList = new ucTitleLabel(right);
    lblList->setObjectName(QStringLiteral("lblList"));
    lblList->setFocusPolicy(Qt::NoFocus);
    lvwList = new MainListView(QStringLiteral("lvwList"), right);
    m_paneSplitter = new QSplitter(Qt::Vertical, right);
    m_paneSplitter->setObjectName(QStringLiteral("imlHSplitter"));
    m_paneSplitter->setChildrenCollapsible(false);
    lvwListContents = new MainListView(QStringLiteral("lvwListContents"), m_paneSplitter);
    lvwListItemMenu = new MainListView(QStringLiteral("lvwListItemMenu"), m_paneSplitter);
    rightLayout->addWidget(lblList);
    rightLayout->addWidget(lvwList, 1);
    rightLayout->addWidget(m_paneSplitter, 1);
    right->setMinimumWidth(px(500));
    m_paneSplitter->setVisible(false);

    m_treeSplitter->setStretchFactor(0, 0);
    m_treeSplitter->setStretchFactor(1, 1);
    layout->addWidget(m_treeSplitter, 1);
    setCentralWidget(central);

    connect(m_paneSplitter, &QSplitter::splitterMoved, this, [this] {
        m_contentsHeightTwips = ui::pixelsToTwipsY(m_paneSplitter->sizes().value(0));
        ArrangeControls();
    });

    for (int i = 0; i < 3; ++i) {
        m_panels[i] = new QLabel(this);
        m_panels[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i + 1));
        m_panels[i]->setFrameShape(QFrame::Panel);
        m_panels[i]->setFrameShadow(QFrame::Sunken);
    }
    m_panels[0]->setMinimumWidth(px(1440));
    m_panels[1]->setMinimumWidth(px(2000));
    m_panels[2]->setMinimumWidth(px(1200));
    statusBar()->setObjectName(QStringLiteral("StatusBar"));
    statusBar()->addWidget(m_panels[0], 1);
    statusBar()->addPermanentWidget(m_panels[1]);
    statusBar()->addPermanentWidget(m_panels[2]);

    setMinimumSize(px(2500), py(2060));
    // The size of a first start (no stored place): the designed height plus
    // the menu bar and the date bar's own band, and wide enough for the date
    // bar, whose last control ends at 14775 twips, to show whole.
    resize(px(14775 + 150), py(5370) + menuBar()->sizeHint().height() + cbrBar->sizeHint().height());

    connect(tlbBar1, &QToolBar::actionTriggered, this, [this](QAction *a) { emit toolbarCommand(a->objectName()); });
    connect(dateBar, &DateBar::stepClicked, this, &frmMainForm::toolbarCommand);
    connect(dateBar, &DateBar::customersWanted, this, &frmMainForm::LoadKokyakuCombo);
    connect(dateBar, &DateBar::listRequested, this, [this] { runView([this] { ShowDateBarList(true); }); });
    // A tree view's header reports no clicks unless told to.
    lvwList->header()->setSectionsClickable(true);
    connect(lvwList->header(), &QHeaderView::sectionClicked, this, &frmMainForm::lvwList_ColumnClick);
    connect(lvwList, &MainListView::focusLost, this, &frmMainForm::lvwList_LostFocus);
    connect(lvwListContents, &MainListView::focusLost, this, &frmMainForm::lvwListContents_LostFocus);
}

// --- start-up and shutdown ------------------------------------------------

bool frmMainForm::Form_Load()
{
    flgInit = true;
    if (!fnStartup())
        return false;
    LoadWindowPosition(this);
    flgListRefresh = false;
    setWindowTitle(QStringLiteral("Quorvex5"));
    const int treeWidth = px(2250);
    m_treeSplitter->setSizes({treeWidth, std::max(1, width() - treeWidth)});
    ArrangeControls();

    bool ok = false;
    const int stored = fnReadSetting(settingsFileName(QStringLiteral("Size")), QStringLiteral("MainMenu Positions"),
                                     QStringLiteral("ContentsFormHeight"), QStringLiteral("2000"))
                           .toInt(&ok);
    m_contentsHeightTwips = ok && stored > 0 && stored <= 100000 ? stored : 2000;

    m_comboCustomers = Customer::ChangeCount();
    try {
        dateBar->InitDateBar();
    } catch (const std::exception &error) {
        showFillError(error);
    }
    m_loaded = true;
    return true;
}

void frmMainForm::Form_Activate()
{
    if (!flgInit || !m_loaded)
        return;
    ViewScope scope(*this);
    BuildTree();
    CreateToolbarButtons();
    flgDenpyoColumns = false;
    dateBar->RestoreDateBar();
    ShowDateBarList(true);
    // A shown window lists first and reads the customers' drop-down when it
    // is first used: it is not seen before.
    if (!isVisible() && dateBar->customersPending())
        LoadKokyakuCombo();
    lvwList->setFocus();
    flgInit = false;
}

void frmMainForm::Form_Unload()
{
    if (!m_loaded || m_unloaded)
        return;
    m_unloaded = true;
    CloseDatabase();
    SaveWindowPosition(this);
    dateBar->SaveDateBarSettings();
    // Closing the window leaves the list too: slip-column widths set just
    // before closing are kept.
    lvwList_LostFocus();
}

void frmMainForm::closeEvent(QCloseEvent *event)
{
    Form_Unload();
    event->accept();
}

void frmMainForm::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (flgInit && m_loaded)
        QTimer::singleShot(0, this, &frmMainForm::Form_Activate);
}

void frmMainForm::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        if (flgInit && m_loaded)
            Form_Activate();
        else if (!viewBusy())
            runView([this] { FollowChanges(); });
    }
    if (event->type() == QEvent::WindowStateChange && !isMinimized())
        ArrangeControls();
}

void frmMainForm::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    ArrangeControls();
}

bool frmMainForm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return QMainWindow::eventFilter(watched, event);
    auto *widget = static_cast<QWidget *>(watched);
    if (widget->window() != this || QApplication::activeModalWidget())
        return QMainWindow::eventFilter(watched, event);
    // The same key reaches the filter once per widget it propagates to.
    QWidget *focus = QApplication::focusWidget();
    if (focus ? widget != focus : widget != this)
        return QMainWindow::eventFilter(watched, event);

    auto *key = static_cast<QKeyEvent *>(event);
    const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
    const bool inPicker = widget == dateBar->dtpNouki || dateBar->dtpNouki->isAncestorOf(widget);
    // In the date picker Ctrl+A selects its date, so that digits typed next
    // replace it, as in every date box.
    if (inPicker && mods == Qt::ControlModifier && key->key() == Qt::Key_A)
        return QMainWindow::eventFilter(watched, event);
    if (mods == Qt::ControlModifier && !(key->modifiers() & Qt::KeypadModifier)) {
        struct Shortcut {
            int key;
            char letter;
            int flag;
        };
        for (const Shortcut &s : {Shortcut{Qt::Key_C, 'C', 3}, Shortcut{Qt::Key_V, 'V', 3},
                                  Shortcut{Qt::Key_F, 'F', 5}, Shortcut{Qt::Key_A, 'A', 1}})
            if (key->key() == s.key && commandEnabled(s.flag)) {
                // Handled: a command that opened a dialog may have moved the
                // focus, and the key must not reach the window a second time
                // on its way up to the new focus widget's parents.
                emit ctrlCommand(QLatin1Char(s.letter));
                return true;
            }
        return QMainWindow::eventFilter(watched, event);
    }
    // Typed characters reach no control of the window, except the date
    // picker, whose day can be typed.
    const QString text = key->text();
    const bool typed = !(mods & (Qt::ControlModifier | Qt::AltModifier)) && !text.isEmpty() && text.at(0).isPrint();
    if (typed && !inPicker)
        return true;
    return QMainWindow::eventFilter(watched, event);
}

// --- frame ---------------------------------------------------------------

void frmMainForm::CreateToolbarButtons()
{
    if (!m_buttons.isEmpty())
        return;
    struct Button {
        const char *key;
        int picture;
        const char16_t *tooltip;
        bool enabled;
    };
    const Button buttons[] = {
        {"New", 17, u"新規作成", false},
        {nullptr, 0, nullptr, false},
        {"UpFolder", 1, u"上へ", false},
        {"Refresh", 8, u"リフレッシュ", true},
        {"SelectAll", 9, u"すべて選択", true},
        {nullptr, 0, nullptr, false},
        {"Copy", 4, u"コピー", false},
        {"Paste", 19, u"貼り付け", false},
        {"Delete", 5, u"削除", false},
        {nullptr, 0, nullptr, false},
        {"Find", 6, u"検索", true},
        {"WriteFile", 2, u"ファイルへ保存", false},
        {"Shinko", 12, u"進行状況一括変更", false},
        {"ListPrint", 16, u"リスト印刷", false},
        {nullptr, 0, nullptr, false},
        {"SystemInfo", 18, u"基本設定", true},
        {"Help", 10, u"ヘルプ", true},
        {nullptr, 0, nullptr, false},
    };
    for (const Button &b : buttons) {
        if (!b.key) {
            tlbBar1->addSeparator();
            continue;
        }
        QAction *a = tlbBar1->addAction(MainImages::barImage(b.picture), QString());
        const QString key = QString::fromLatin1(b.key);
        a->setObjectName(key);
        a->setToolTip(QString::fromUtf16(b.tooltip));
        a->setEnabled(b.enabled);
        m_buttons.insert(key, a);
    }
}

void frmMainForm::ArrangeControls()
{
    // Never lets pending events run: a view that lays the window out must
    // not be overtaken by another view before it has filled its list.
    if (isMinimized() || !m_paneSplitter)
        return;
    if (m_paneSplitter->isVisible() || m_paneSplitter->isVisibleTo(this)) {
        const int h = ui::pixelsToTwipsY(height());
        if (m_contentsHeightTwips > h - 2050)
            m_contentsHeightTwips = std::max(1, (h - 2050) / 2);
        const int total = std::max(2, m_paneSplitter->height());
        const int contents = std::min(py(m_contentsHeightTwips), total - 1);
        m_paneSplitter->setSizes({contents, std::max(1, total - contents)});
        fnWriteSetting(settingsFileName(QStringLiteral("Size")), QStringLiteral("MainMenu Positions"),
                       QStringLiteral("ContentsFormHeight"), QString::number(m_contentsHeightTwips));
    }
}

void frmMainForm::setContentsVisible(bool visible)
{
    lvwList->setVisible(!visible);
    m_paneSplitter->setVisible(visible);
}

QString frmMainForm::statusPanelText(int panel) const
{
    return panel >= 1 && panel <= 3 ? m_panels[panel - 1]->text() : QString();
}

void frmMainForm::setStatusPanelText(int panel, const QString &text)
{
    if (panel >= 1 && panel <= 3)
        m_panels[panel - 1]->setText(text);
}

QString frmMainForm::lblTreeCaption() const
{
    return lblTree->Caption();
}

QString frmMainForm::lblListCaption() const
{
    return lblList->Caption();
}

bool frmMainForm::commandEnabled(int flag) const
{
    return flag >= 1 && flag <= 11 && m_flags[flag - 1];
}

void frmMainForm::SetCommandState(qint16 selectAll, qint16 up, qint16 copyPaste, qint16 del, qint16 find,
                                  qint16 listPrint, qint16 newItem, qint16 writeFile, qint16 shinko,
                                  qint16 rename, qint16 systemInfo)
{
    const qint16 values[11] = {selectAll, up, copyPaste, del, find, listPrint, newItem, writeFile, shinko, rename,
                               systemInfo};
    for (int i = 0; i < 11; ++i)
        m_flags[i] = values[i] > 0;
    auto button = [this](const char *key, bool on) {
        if (QAction *a = m_buttons.value(QString::fromLatin1(key)))
            a->setEnabled(on);
    };
    lvwList->setMultiSelect(m_flags[0]);
    button("SelectAll", m_flags[0]);
    mnuSelectAll->setEnabled(m_flags[0]);
    button("UpFolder", m_flags[1]);
    QString panel1 = m_flags[1] ? QStringLiteral("ESC-上へ  ") : QString();
    mnuCopy->setEnabled(m_flags[2]);
    button("Copy", m_flags[2]);
    mnuPaste->setEnabled(m_flags[2]);
    button("Paste", m_flags[2]);
    mnuDelete->setEnabled(m_flags[3]);
    button("Delete", m_flags[3]);
    mnuFind->setEnabled(m_flags[4]);
    button("Find", m_flags[4]);
    if (m_flags[4])
        panel1 += QStringLiteral("[Ctrl]+F-検索");
    setStatusPanelText(1, panel1);
    mnuListPrint->setEnabled(m_flags[5]);
    button("ListPrint", m_flags[5]);
    mnuNew->setEnabled(m_flags[6]);
    button("New", m_flags[6]);
    mnuWriteFile->setEnabled(m_flags[7]);
    button("WriteFile", m_flags[7]);
    mnuShinko->setEnabled(m_flags[8]);
    button("Shinko", m_flags[8]);
    mnuRename->setEnabled(m_flags[9]);
    mnuSystemInfo->setEnabled(m_flags[10]);
    button("SystemInfo", m_flags[10]);
}

void frmMainForm::runView(const std::function<void()> &request)
{
    if (m_viewDepth > 0) {
        m_pendingViews.push_back(request);
        return;
    }
    ViewScope scope(*this);
    try {
        request();
    } catch (const std::exception &error) {
        showFillError(error);
    }
}

void frmMainForm::showFillError(const std::exception &error)
{
    showDatabaseFailure(error, this);
}

// --- location and routing --------------------------------------------------

void frmMainForm::recordPlace(const QString &kind, const QString &listName, qint16 level)
{
    CurrentLocation = QStringList{kind, listName, QString(), QString()};
    CurrentLevel = level;
    m_viewCounts = ChangeCounts::now();
    lblTree->setCaption(kind);
}

void frmMainForm::showListPane()
{
    setContentsVisible(false);
    lvwList->setFocusPolicy(Qt::StrongFocus);
    ArrangeControls();
}

void frmMainForm::SelectTreeNode(const QString &key)
{
    const QString branch = key.left(2);
    const QString rest = key.mid(2);
    const struct {
        const char *branch;
        const QString &kind;
        void (frmMainForm::*menu)();
        void (frmMainForm::*list)(const QString &, bool);
    } registers[] = {
        {"cu", kKindCustomer, &frmMainForm::ShowCustomerMenu, &frmMainForm::ShowCustomerList},
        {"sh", kKindShohin, &frmMainForm::ShowShohinMenu, &frmMainForm::ShowShohinList},
    };
    if (branch == QLatin1String("de")) {
        if (rest.isEmpty())
            ShowDenpyoMenu();
        else if (rest == kFilterFolder)
            ShowKensakuFilterList(kKindDenpyo);
        else
            ShowDenpyoList(rest, rest, true);
        return;
    }
    for (const auto &r : registers) {
        if (branch != QLatin1String(r.branch))
            continue;
        if (rest.isEmpty())
            (this->*r.menu)();
        else if (rest == kFilterFolder)
            ShowKensakuFilterList(r.kind);
        else
            (this->*r.list)(rest, true);
        return;
    }
    if (branch == QLatin1String("ts")) {
        if (rest.isEmpty())
            ShowTsukiSeikyuView();
        else
            ShowSeikyushoList(rest.section(QLatin1Char('/'), 0, 0), rest.section(QLatin1Char('/'), 1));
    } else if (branch == QLatin1String("sy")) {
        if (rest.isEmpty())
            ShowPrintFormView();
        else
            ShowPrintFormList(rest);
    }
}

void frmMainForm::RefreshView()
{
    const QString kind = CurrentLocation.value(0);
    const QString listName = CurrentLocation.value(1);
    const bool filterFolder = CurrentLevel == 1 && listName == kFilterFolder;
    if (CurrentLevel == 2) {
        const QString id = CurrentLocation.value(2);
        if (kind == kKindDenpyo)
            ShowDenpyoItemMenu(id, QString(), true);
        else if (kind == kKindCustomer)
            ShowCustomerItemMenu(id, QString(), true);
        else if (kind == kKindShohin)
            ShowShohinItemMenu(id, QString(), true);
    } else if (filterFolder && (kind == kKindDenpyo || kind == kKindCustomer || kind == kKindShohin)) {
        ShowKensakuFilterList(kind);
    } else if (kind == kKindDenpyo) {
        if (CurrentLevel == 0)
            ShowDenpyoMenu();
        else if (CurrentLevel == 1 && listName.startsWith(QLatin1Char('*')))
            ShowDateBarList(true);
        else if (CurrentLevel == 1)
            ShowDenpyoList(listName, listName, true);
    } else if (kind == kKindCustomer) {
        if (CurrentLevel == 0)
            ShowCustomerMenu();
        else if (CurrentLevel == 1)
            ShowCustomerList(listName, true);
    } else if (kind == kKindShohin) {
        if (CurrentLevel == 0)
            ShowShohinMenu();
        else if (CurrentLevel == 1)
            ShowShohinList(listName, true);
    } else if (kind == kKindTsukiSeikyu) {
        if (CurrentLevel == 0)
            ShowTsukiSeikyuView();
        else if (CurrentLevel == 1)
            ShowSeikyushoList(listName.section(QLatin1Char('/'), 0, 0), listName.section(QLatin1Char('/'), 1));
    } else if (kind == kKindPrintForm) {
        if (CurrentLevel == 0)
            ShowPrintFormView();
        else if (CurrentLevel == 1)
            ShowPrintFormList(listName);
    }
}

void frmMainForm::RefreshAll()
{
    RefreshView();
    BuildTree();
    LoadKokyakuCombo();
}

void frmMainForm::BuildTree()
{
    m_treeCounts = ChangeCounts::now();
    try {
        tvwTree->BuildTree();
    } catch (const std::exception &error) {
        showFillError(error);
    }
}

void frmMainForm::LoadKokyakuCombo()
{
    m_comboCustomers = Customer::ChangeCount();
    try {
        dateBar->LoadKokyakuCombo();
    } catch (const std::exception &error) {
        showFillError(error);
    }
}

bool frmMainForm::placeShowsChanges(const ChangeCounts &now) const
{
    const QString kind = CurrentLocation.value(0);
    const QString listName = CurrentLocation.value(1);
    const bool customers = now.customers != m_viewCounts.customers;
    // The customers billed monthly.
    if (kind == kKindTsukiSeikyu)
        return customers && CurrentLevel == 0;
    const auto filterKind = searchfilter::kindFromObjectName(kind);
    if (!filterKind)
        return false;
    if (kind == kKindCustomer && CurrentLevel > 0 && listName != kFilterFolder && customers)
        return true;
    // The root menus and the folders list the saved filters; a list named
    // after one shows what that filter selects.
    const bool filters = now.filters[int(*filterKind)] != m_viewCounts.filters[int(*filterKind)];
    const bool filterList = !listName.startsWith(QLatin1Char('*')) && !searchfilter::isReservedName(listName);
    return filters && (CurrentLevel == 0 || listName == kFilterFolder || filterList);
}

void frmMainForm::FollowChanges()
{
    if (!m_loaded || m_unloaded || flgInit)
        return;
    try {
        const ChangeCounts now = ChangeCounts::now();
        if (placeShowsChanges(now)) {
            // At an opened record, the list is loaded again on the way up.
            if (CurrentLevel == 2)
                flgListRefresh = true;
            else
                RefreshView();
        }
        m_viewCounts = now;
        if (m_treeCounts != now)
            BuildTree();
        if (m_comboCustomers != now.customers) {
            // A customer chosen on the date bar stays chosen while it is
            // there: the slip list shown may be the one it selects.
            QComboBox *combo = dateBar->cmbKokyaku;
            const QString chosen = combo->currentText().section(QLatin1Char('/'), 0, 0);
            LoadKokyakuCombo();
            for (int i = 1; i < combo->count() && !chosen.isEmpty(); ++i)
                if (combo->itemText(i).section(QLatin1Char('/'), 0, 0) == chosen)
                    combo->setCurrentIndex(i);
        }
    } catch (const std::exception &error) {
        showFillError(error);
    }
}

qint16 frmMainForm::GetViewSetting(const QString &key) const
{
    bool ok = false;
    const int mode =
        fnReadSetting(settingsFileName(QString()), QStringLiteral("View Setting"), key, QStringLiteral("3")).toInt(&ok);
    return ok && mode >= 0 && mode <= 3 ? qint16(mode) : qint16(3);
}

// --- root action menus -----------------------------------------------------

void frmMainForm::showRootMenu(const QString &kind, int filterKind)
{
    recordPlace(kind, QString(), 0);
    lblList->setCaption(QString());
    SetCommandState(0, 0, 0, 0, 1, 0, 1, 0, 0, 0, 1);
    showListPane();

    flgDenpyoColumns = false;
    setListColumns(RootMenuRows::columns());
    lvwList->setColumnHidden(RootMenuRows::kSortColumn, true);
    lvwList->header()->setSortIndicatorShown(false);
    MainListModel *model = lvwList->listModel();
    model->sort(RootMenuRows::kSortColumn, Qt::AscendingOrder);
    model->setRows(std::make_shared<RootMenuRows>(static_cast<SearchFilterKind>(filterKind)));

    setStatusPanelText(2, QString());
    setStatusPanelText(3, QString());
}

void frmMainForm::ShowDenpyoMenu()
{
    showRootMenu(kKindDenpyo, int(SearchFilterKind::Denpyo));
}

void frmMainForm::ShowCustomerMenu()
{
    showRootMenu(kKindCustomer, int(SearchFilterKind::Customer));
}

void frmMainForm::ShowShohinMenu()
{
    showRootMenu(kKindShohin, int(SearchFilterKind::Shohin));
}

// --- saved filters, monthly invoices, print forms -------------------------------

void frmMainForm::showEmptyList(const QVector<MainListModel::Column> &columns, bool sorted)
{
    showListPane();
    flgDenpyoColumns = false;
    setListColumns(columns);
    if (sorted) {
        sortByFirstColumn();
    } else {
        lvwList->listModel()->setSort(-1, Qt::AscendingOrder);
        lvwList->header()->setSortIndicatorShown(false);
    }
    setStatusPanelText(2, QString());
    setStatusPanelText(3, QString());
}

void frmMainForm::ShowKensakuFilterList(const QString &kind)
{
    recordPlace(kind, kFilterFolder, 1);
    SetCommandState(1, 1, 0, 1, 1, 0, 1, 0, 0, 1, 1);
    lblList->setCaption(kFilterFolder);
    showEmptyList({{QStringLiteral("名前"), 3500, Qt::AlignLeft}, {QStringLiteral("説明"), 4500, Qt::AlignLeft}},
                  true);
    lvwList->setListViewMode(GetViewSetting(QStringLiteral("Filter")));
    lvwList->listModel()->setRows(filterfolder::rows(kind));
    setStatusPanelText(3, QString::number(lvwList->listModel()->rowCount()) + QStringLiteral("件"));
}

void frmMainForm::ShowTsukiSeikyuView()
{
    recordPlace(kKindTsukiSeikyu, QString(), 0);
    SetCommandState(0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1);
    lblList->setCaption(kKindTsukiSeikyu);
    showEmptyList({{QStringLiteral("顧客ID"), 1500, Qt::AlignLeft}, {QStringLiteral("顧客名"), 4500, Qt::AlignLeft}},
                  true);
    lvwList->listModel()->setRows(SeikyushoRows::customers());
}

void frmMainForm::ShowSeikyushoList(const QString &customerID, const QString &customerName)
{
    const QString listName = customerID + QLatin1Char('/') + customerName;
    recordPlace(kKindTsukiSeikyu, listName, 1);
    SetCommandState(1, 1, 0, 1, 0, 0, 0, 0, 0, 0, 1);
    lblList->setCaption(listName);
    showEmptyList({{QStringLiteral("顧客ID"), 2200, Qt::AlignLeft}, {QStringLiteral("請求日"), 3000, Qt::AlignLeft}},
                  false);
    lvwList->listModel()->setRows(SeikyushoRows::invoices(customerID));
    setStatusPanelText(1, QStringLiteral("ESC-上へ  F2-編集"));
    setStatusPanelText(3, countText(lvwList->listModel()->rowCount()));
}

void frmMainForm::ShowPrintFormView()
{
    recordPlace(kKindPrintForm, QString(), 0);
    SetCommandState(0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1);
    lblList->setCaption(QString());
    showEmptyList(RootMenuRows::columns(), false);
    lvwList->setColumnHidden(RootMenuRows::kSortColumn, true);
    lvwList->listModel()->sort(RootMenuRows::kSortColumn, Qt::AscendingOrder);
    lvwList->listModel()->setRows(PrintFormRows::root());
}

void frmMainForm::ShowPrintFormList(const QString &kindName)
{
    recordPlace(kKindPrintForm, kindName, 1);
    SetCommandState(1, 1, 0, 1, 0, 0, 1, 0, 0, 1, 1);
    lblList->setCaption(kindName);
    showEmptyList({{QStringLiteral("名前"), 3500, Qt::AlignLeft}, {QStringLiteral("説明"), 4500, Qt::AlignLeft}},
                  true);
    lvwList->setListViewMode(GetViewSetting(QStringLiteral("Form")));
    lvwList->listModel()->setRows(PrintFormRows::forms(kindName));
    setStatusPanelText(3, countText(lvwList->rowCountShown()));
}

void frmMainForm::setListColumns(const QVector<MainListModel::Column> &columns)
{
    lvwList->listModel()->setColumns(columns);
    lvwList->setListViewMode(3);
    for (int i = 0; i < columns.size(); ++i) {
        lvwList->setColumnHidden(i, false);
        lvwList->header()->resizeSection(i, px(columns[i].widthTwips));
    }
}

void frmMainForm::sortByFirstColumn()
{
    lvwList->listModel()->sort(0, Qt::AscendingOrder);
    lvwList->header()->setSortIndicatorShown(true);
    lvwList->header()->setSortIndicator(0, Qt::AscendingOrder);
}

// --- slip list ---------------------------------------------------------------

void frmMainForm::ShowDateBarList(bool rebuild)
{
    ShowDenpyoList(dateBar->GetDateBarCaption(), QLatin1Char('/') + dateBar->GetDateBarJoken(), rebuild);
}

void frmMainForm::buildSlipColumns()
{
    lvwList->setVisible(false);
    QVector<MainListModel::Column> columns;
    for (int i = 0; i < garrDenpyoListColumns.size(); ++i) {
        // 伝票№ and 顧客名 left, 金額 right, every date and stage centred.
        const Qt::Alignment alignment = i == 0 || i == 2 ? Qt::AlignLeft : i == 3 ? Qt::AlignRight : Qt::AlignHCenter;
        columns.append({garrDenpyoListColumns[i].caption, garrDenpyoListColumns[i].width, alignment});
    }
    setListColumns(columns);
    const QString stored = fnReadSetting(settingsFileName(QStringLiteral("Size")),
                                         QStringLiteral("ListViewHeaderColumn Width"), QStringLiteral("frmMainForm"));
    // A slot that holds no width keeps the designed one.
    if (!stored.isEmpty())
        LoadListViewColumnWidth(this, lvwList->header());
    else
        widenToFit(lvwList, {{0, QStringLiteral("000000000")}, {14, QStringLiteral("00/00/00 00:00:00")},
                             {15, QStringLiteral("00/00/00 00:00:00")}});
    sortByFirstColumn();
    flgDenpyoColumns = true;
    lvwList->setVisible(true);
}

void frmMainForm::ShowDenpyoList(const QString &listName, const QString &conditionName, bool rebuild)
{
    QString where, meisaiWhere;
    if (conditionName != kAll && !fnMakeDenpyoSQLWHERE(conditionName, where, meisaiWhere))
        return;

    recordPlace(kKindDenpyo, listName, 1);
    SetCommandState(1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 1);
    lblList->setCaption(listName);
    showListPane();

    if (!rebuild) {
        setStatusPanelText(1, strStatusPanel1);
        setStatusPanelText(2, strStatusPanel2);
        setStatusPanelText(3, strStatusPanel3);
        return;
    }

    ui::WaitCursor wait;
    if (!flgDenpyoColumns)
        buildSlipColumns();
    MainListModel *model = lvwList->listModel();
    model->clearRows();
    gDenpyos = std::make_shared<denpyos>();

    double total = 0;
    try {
        BasicInfo info;
        info.Initialize();
        info.Load(QStringLiteral("DenpyoListCheckCount"));
        const qint32 limit = info.LongValue();
        const QString order = QStringLiteral("伝票テーブル.伝票番号");
        const auto proceed = [&](qint32 count) {
            if (count <= limit)
                return true;
            wait.release();
            const ui::Answer answer =
                ui::showMessage(QStringLiteral("伝票の件数が") + QString::number(limit)
                                    + QStringLiteral("件を超えています。処理を続行しますか？\n\n"
                                                     "(このチェック件数は基本設定で変更できます。)"),
                                ui::Icon::Question, ui::Buttons::YesNo, ui::Answer::Yes, QStringLiteral("検索"), this);
            return answer == ui::Answer::Yes;
        };
        // Without a limit the count decides nothing and is not read.
        bool load = true;
        if (limit > 0)
            load = gDenpyos->LoadAfterCount(where, meisaiWhere, order, proceed);
        else
            gDenpyos->Load(where, meisaiWhere, order);
        if (load) {
            for (const DenpyoDisplay &slip : *gDenpyos)
                total += slip.SummeryWithShouhizei();
            model->setRows(std::make_shared<DenpyoListRows>(gDenpyos));
        }
    } catch (const std::exception &error) {
        wait.release();
        gDenpyos = std::make_shared<denpyos>();
        model->clearRows();
        total = 0;
        showFillError(error);
    }

    setStatusPanelText(1, kSlipPanel1);
    setStatusPanelText(2, QStringLiteral("合計金額:") + fnFormatNumber(QStringLiteral("###,###,###,###,##0"), total)
                              + QStringLiteral("円"));
    setStatusPanelText(3, countText(lvwList->rowCountShown()));
    strStatusPanel1 = statusPanelText(1);
    strStatusPanel2 = statusPanelText(2);
    strStatusPanel3 = statusPanelText(3);
}

void frmMainForm::lvwList_ColumnClick(int column)
{
    MainListModel *model = lvwList->listModel();
    Qt::SortOrder order = Qt::AscendingOrder;
    if (column == model->sortColumn())
        order = model->sortOrder() == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    model->sort(column, order);
    lvwList->header()->setSortIndicatorShown(true);
    lvwList->header()->setSortIndicator(column, order);
}

void frmMainForm::lvwList_LostFocus()
{
    const MainListModel *model = lvwList->listModel();
    if (!model->columns().isEmpty() && model->columns().first().caption == QStringLiteral("伝票№"))
        SaveListViewColumnWidth(this, lvwList->header());
}

// --- customer and product lists ------------------------------------------------

bool frmMainForm::showRegisterList(const QString &kind, const QString &listName, bool rebuild,
                                   const QVector<MainListModel::Column> &columns,
                                   const std::function<std::shared_ptr<MainListRows>()> &load)
{
    recordPlace(kind, listName, 1);
    SetCommandState(1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 1);
    lblList->setCaption(listName);
    showListPane();
    if (!rebuild) {
        setStatusPanelText(2, strStatusPanel2);
        setStatusPanelText(3, strStatusPanel3);
        return true;
    }

    ui::WaitCursor wait;
    flgDenpyoColumns = false;
    setListColumns(columns);
    sortByFirstColumn();
    bool loaded = true;
    try {
        lvwList->listModel()->setRows(load());
    } catch (const std::exception &error) {
        wait.release();
        lvwList->listModel()->clearRows();
        showFillError(error);
        loaded = false;
    }

    setStatusPanelText(1, kRegisterPanel1);
    setStatusPanelText(2, QString());
    setStatusPanelText(3, countText(lvwList->rowCountShown()));
    strStatusPanel2 = statusPanelText(2);
    strStatusPanel3 = statusPanelText(3);
    return loaded;
}

void frmMainForm::ShowCustomerList(const QString &listName, bool rebuild)
{
    QString where;
    if (listName != kAll && !fnMakeCustomerSQLWHERE(listName, where))
        return;
    const bool loaded = showRegisterList(kKindCustomer, listName, rebuild, CustomerListRows::columns(), [&] {
        objCustomers = std::make_shared<Customers>();
        objCustomers->Load(where, QString());
        return std::make_shared<CustomerListRows>(*objCustomers);
    });
    if (!loaded)
        objCustomers = std::make_shared<Customers>();
}

void frmMainForm::ShowShohinList(const QString &listName, bool rebuild)
{
    QString where;
    if (listName != kAll && !fnMakeShohinSQLWHERE(listName, where))
        return;
    const bool loaded = showRegisterList(kKindShohin, listName, rebuild, ShohinListRows::columns(), [&] {
        objShohins = std::make_shared<Shohins>();
        objShohins->Load(where);
        return std::make_shared<ShohinListRows>(*objShohins);
    });
    if (!loaded)
        objShohins = std::make_shared<Shohins>();
}
