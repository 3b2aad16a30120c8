#pragma once

#include "mainwindow/views/MainListModel.h"

#include <QColor>
#include <QHash>
#include <QMainWindow>
#include <QStringList>
#include <array>
#include <functional>
#include <memory>
#include <vector>

class DateBar;
class MainListRows;
class MainListView;
class NavigationTree;
class QAction;
class QLabel;
class QMenu;
class QSplitter;
class QToolBar;
class ucTitleLabel;
class denpyos;
class Customers;
class Shohins;

// The main window: navigation tree, main list, record panes, toolbar, date
// bar and status bar. It shows places (its views) and records where it is;
// what the user's commands do with a place is the commands' business, which
// they reach through the controls and signals below.
class frmMainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit frmMainForm(QWidget *parent = nullptr);
    ~frmMainForm() override;

    // Start-up; false when the program must end at once (nothing is shown
    // and nothing is saved).
    bool Form_Load();
    // The first activation: tree, toolbar buttons, date-bar settings and the
    // first slip list. Later calls do nothing.
    void Form_Activate();
    // Shutdown: the database first, then the window's settings.
    void Form_Unload();

    // --- location -------------------------------------------------------
    // kind, list name, record key, (unused); level 0 menu, 1 list, 2 record.
    QStringList CurrentLocation{QString(), QString(), QString(), QString()};
    qint16 CurrentLevel = 0;
    bool flgInit = false;
    // Set when a command on an opened record changed something: going back
    // up then loads the list again.
    bool flgListRefresh = false;
    bool flgDenpyoColumns = false;

    // --- views ----------------------------------------------------------
    void ShowDenpyoMenu();
    void ShowCustomerMenu();
    void ShowShohinMenu();
    void ShowDenpyoList(const QString &listName, const QString &conditionName, bool rebuild);
    void ShowCustomerList(const QString &listName, bool rebuild);
    void ShowShohinList(const QString &listName, bool rebuild);
    void ShowDateBarList(bool rebuild);
    // The places of the saved filters, the archived monthly invoices and the
    // print forms: each records its place, titles and command state over an
    // empty list; their rows and actions come with the file management.
    void ShowKensakuFilterList(const QString &kind);
    void ShowTsukiSeikyuView();
    void ShowSeikyushoList(const QString &customerID, const QString &customerName);
    void ShowPrintFormView();
    void ShowPrintFormList(const QString &kindName);
    // The record views: the action menu and the contents of one slip,
    // customer or product. A record that has gone is reported and the list
    // it was opened from is shown again (false).
    bool ShowDenpyoItemMenu(const QString &id, const QString &subtitle, bool keepCaption);
    bool ShowCustomerItemMenu(const QString &id, const QString &subtitle, bool keepCaption);
    bool ShowShohinItemMenu(const QString &id, const QString &subtitle, bool keepCaption);
    bool ShowDenpyoContents();
    bool ShowCustomerContents();
    bool ShowShohinContents();
    // The list an opened record belongs to; reload loads it again.
    void ShowRecordList(bool reload);
    void SelectTreeNode(const QString &key);
    void RefreshView();
    void RefreshAll();
    void BuildTree();
    void LoadKokyakuCombo();
    // Catches up with customers and saved filters changed, by any dialog
    // however deeply opened, since the tree, the date bar's customer choice
    // and the current view were built: rebuilds those that show a change and
    // keeps the current place. Runs after every view request and when the
    // window becomes active; what a command has rebuilt itself is not built
    // again.
    void FollowChanges();
    qint16 GetViewSetting(const QString &key) const;

    // Enables the eleven command groups (select all, up, copy and paste,
    // delete, find, list print, new, file export, bulk progress, rename,
    // basic settings); a value above 0 enables.
    void SetCommandState(qint16 selectAll, qint16 up, qint16 copyPaste, qint16 del, qint16 find, qint16 listPrint,
                         qint16 newItem, qint16 writeFile, qint16 shinko, qint16 rename, qint16 systemInfo);
    void ArrangeControls();
    void CreateToolbarButtons();
    void lvwList_ColumnClick(int column);

    // Runs a view request from an event. A request made while another view
    // is being built (from a nested event loop, a message box for example)
    // runs after that view has finished, so the rows shown and the location
    // recorded always belong to the same view.
    void runView(const std::function<void()> &request);
    bool viewBusy() const { return m_viewDepth > 0; }

    // --- controls -------------------------------------------------------
    NavigationTree *tvwTree = nullptr;
    MainListView *lvwList = nullptr;
    MainListView *lvwListContents = nullptr;
    MainListView *lvwListItemMenu = nullptr;
    DateBar *dateBar = nullptr;
    ucTitleLabel *lblTree = nullptr;
    ucTitleLabel *lblList = nullptr;
    QToolBar *tlbBar1 = nullptr;

    QMenu *mnuList = nullptr, *mnuEdit = nullptr, *mnuSetting = nullptr, *mnuHelp = nullptr;
    QAction *mnuWriteFile = nullptr, *mnuShinko = nullptr, *mnuListPrint = nullptr, *mnuExit = nullptr;
    QAction *mnuNew = nullptr, *mnuCopy = nullptr, *mnuPaste = nullptr, *mnuRefresh = nullptr,
            *mnuDelete = nullptr, *mnuFind = nullptr, *mnuRename = nullptr, *mnuSelectAll = nullptr;
    QAction *mnuSystemInfo = nullptr, *mnuJishaInfo = nullptr, *mnuRegClear = nullptr;
    QAction *mnuHelpf = nullptr, *mnuVersion = nullptr;

    // The kept buttons of the main toolbar by key; empty before the first
    // activation.
    QAction *toolbarButton(const QString &key) const { return m_buttons.value(key); }

    QString statusPanelText(int panel) const; // 1 to 3
    void setStatusPanelText(int panel, const QString &text);
    QString lblTreeCaption() const;
    QString lblListCaption() const;

    // The state of the last SetCommandState, for the window's Ctrl keys.
    bool commandEnabled(int flag) const; // 1 to 11

    // The slips of the last slip-list fill (kept until the next one).
    std::shared_ptr<denpyos> gDenpyos;
    std::shared_ptr<Customers> objCustomers;
    std::shared_ptr<Shohins> objShohins;

    QString strStatusPanel1, strStatusPanel2, strStatusPanel3;

signals:
    // A button of any of the three toolbars, by key.
    void toolbarCommand(const QString &key);
    // Ctrl+C, Ctrl+V, Ctrl+F or Ctrl+A while its command is enabled.
    void ctrlCommand(QChar letter);

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct ViewScope;
    // The change counts of the customers and of each kind's saved filters.
    struct ChangeCounts {
        quint64 customers = 0;
        std::array<quint64, 3> filters{};
        static ChangeCounts now();
        bool operator==(const ChangeCounts &) const = default;
    };
    // Whether the current place shows customers or saved filters that
    // changed since it was shown; at an opened record, the list under it.
    bool placeShowsChanges(const ChangeCounts &now) const;
    void buildMenus();
    void buildControls();
    void recordPlace(const QString &kind, const QString &listName, qint16 level);
    void showListPane();
    void showRootMenu(const QString &kind, int filterKind);
    void setListColumns(const QVector<MainListModel::Column> &columns);
    void showEmptyList(const QVector<MainListModel::Column> &columns, bool sorted);
    void sortByFirstColumn();
    // The customer and product lists: place, commands, columns and rows from
    // load (a database error shows a message and leaves the list empty).
    bool showRegisterList(const QString &kind, const QString &listName, bool rebuild,
                          const QVector<MainListModel::Column> &columns,
                          const std::function<std::shared_ptr<MainListRows>()> &load);
    void buildSlipColumns();
    void lvwList_LostFocus();
    void lvwListContents_LostFocus();
    // Shared steps of the record views.
    bool openRecord(const QString &id, const QString &subtitle, bool keepCaption,
                    const std::function<bool()> &fillContents, const QString &kind, const QString &printFormFolder);
    void setContents(const QVector<MainListModel::Column> &columns, std::shared_ptr<MainListRows> rows,
                     const QColor &background);
    void recordGone(const QString &message);
    void setContentsVisible(bool visible);
    void showFillError(const std::exception &error);

    QHash<QString, QAction *> m_buttons;
    QLabel *m_panels[3] = {nullptr, nullptr, nullptr};
    bool m_flags[11] = {};
    QSplitter *m_treeSplitter = nullptr;
    QSplitter *m_paneSplitter = nullptr;
    int m_contentsHeightTwips = 2000;
    bool m_loaded = false;
    bool m_unloaded = false;
    int m_viewDepth = 0;
    std::vector<std::function<void()>> m_pendingViews;
    // What the tree, the customer choice and the current view were built at.
    ChangeCounts m_treeCounts, m_viewCounts;
    quint64 m_comboCustomers = 0;
};
