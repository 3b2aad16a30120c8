#include "../masters/DialogDriver.h"
#include "PictureTone.h"
#include "TestSupport.h"

#include "core/DateValue.h"
#include "core/Globals.h"
#include "core/Startup.h"
#include "core/controls/ucJaInput.h"
#include "filtereditor/frmFind.h"
#include "filters/SearchFilterFile.h"
#include "mainwindow/commands/DialogLaunchers.h"
#include "mainwindow/commands/ItemCommands.h"
#include "mainwindow/commands/MainCommands.h"
#include "mainwindow/commands/PopupMenus.h"
#include "mainwindow/commands/RecordDeletion.h"
#include "mainwindow/views/DateBar.h"
#include "mainwindow/views/MainListModel.h"
#include "mainwindow/views/MainListView.h"
#include "mainwindow/views/NavigationTree.h"
#include "mainwindow/views/frmMainForm.h"
#include "model/Denpyo.h"
#include "platform/ui/MessageBox.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QMenu>
#include <QUrl>
#include <QtTest>
#include <cstring>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

// Takes the URLs the desktop would open.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> *urls = nullptr;
public slots:
    void show(const QUrl &url) { urls->append(url); }
};

// The main window's commands from every way into them, with the launchers
// driven instead of the dialogs.
class tst_MainCommands : public QObject {
    Q_OBJECT

    std::unique_ptr<testsupport::ProgramFolder> m_folder;
    std::unique_ptr<frmMainForm> m_form;
    MainCommands *m_commands = nullptr;
    QList<ui::MessageRequest> m_messages;
    ui::Answer m_answer = ui::Answer::No;
    QStringList m_launches;
    bool m_launchResult = false;

    void open()
    {
        m_form = std::make_unique<frmMainForm>();
        QVERIFY(m_form->Form_Load());
        m_commands = new MainCommands(m_form.get());
        m_form->Form_Activate();
    }

    void select(const QList<int> &rows)
    {
        MainListView *list = m_form->lvwList;
        list->selectionModel()->clearSelection();
        for (int row : rows) {
            list->selectionModel()->setCurrentIndex(list->listModel()->index(row, 0), QItemSelectionModel::NoUpdate);
            list->selectionModel()->select(list->listModel()->index(row, 0),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
        }
    }

    QStringList listTexts(int column = 0) const
    {
        QStringList texts;
        const MainListModel *model = m_form->lvwList->listModel();
        for (int row = 0; row < model->rowCount(); ++row)
            texts << model->text(row, column);
        return texts;
    }

    bool comboOffers(const QString &id) const
    {
        QComboBox *combo = m_form->dateBar->cmbKokyaku;
        for (int i = 0; i < combo->count(); ++i)
            if (combo->itemText(i).startsWith(id + QLatin1Char('/')))
                return true;
        return false;
    }

    bool treeOffers(const QString &id) const
    {
        for (QTreeWidgetItemIterator it(m_form->tvwTree); *it; ++it)
            if (NavigationTree::keyOf(*it).startsWith(QStringLiteral("ts") + id + QLatin1Char('/')))
                return true;
        return false;
    }

    static void insertSlip(int id, int lines)
    {
        Denpyo slip;
        slip.setDenpyoID(id);
        slip.setNouki(QDateTime(QDate(2026, 12, 9), QTime(0, 0)));
        slip.setCustomerName(QStringLiteral("客%1").arg(id));
        for (int i = 0; i < lines; ++i)
            slip.Meisais().Add();
        QVERIFY(slip.Apply());
    }

    static void insertCustomer(const QString &id, bool monthly)
    {
        auto statement = connection().prepare(QStringLiteral(
            "INSERT INTO 顧客テーブル (顧客ID, 顧客名漢字, 締め日, 月締め請求, 値引率) VALUES (?, ?, '20日締め', ?, 0)"));
        statement.bind(1, id).bind(2, QStringLiteral("名") + id).bind(3, monthly ? 1 : 0);
        statement.exec();
    }

    static void insertShohin(const QString &id)
    {
        auto statement =
            connection().prepare(QStringLiteral("INSERT INTO 商品テーブル (商品ID, 品名, 単価) VALUES (?, ?, 1)"));
        statement.bind(1, id).bind(2, QStringLiteral("品") + id);
        statement.exec();
    }

    static int count(const QString &sql)
    {
        auto statement = connection().prepare(sql);
        return statement.step() ? int(statement.int64(0)) : -1;
    }

    // Runs one way into a command: a menu-bar item, a toolbar key, a popup
    // item, a list key or an action-menu row.
    void run(const QString &path)
    {
        const QString how = path.section(QLatin1Char(':'), 0, 0);
        const QString what = path.section(QLatin1Char(':'), 1);
        if (how == QLatin1String("menu")) {
            auto *action = m_form->findChild<QAction *>(what);
            QVERIFY2(action, qPrintable(what));
            action->trigger();
        } else if (how == QLatin1String("toolbar")) {
            emit m_form->toolbarCommand(what);
        } else if (how == QLatin1String("popup")) {
            QMenu *menu = m_commands->popupMenus()->PreparePopupMenu();
            QVERIFY(menu);
            auto *action = menu->findChild<QAction *>(what);
            if (!action)
                for (QAction *a : menu->actions())
                    if (a->objectName() == what)
                        action = a;
            QVERIFY2(action && action->isVisible() && action->isEnabled(), qPrintable(what));
            action->trigger();
        } else if (how == QLatin1String("key")) {
            const Qt::Key key = what == QLatin1String("F2")       ? Qt::Key_F2
                                : what == QLatin1String("Delete") ? Qt::Key_Delete
                                                                  : Qt::Key_Return;
            QTest::keyClick(m_form->lvwList, key);
        } else if (how == QLatin1String("action")) {
            MainListView *menu = m_form->lvwListItemMenu;
            const MainListModel *model = menu->listModel();
            for (int row = 0; row < model->rowCount(); ++row)
                if (model->text(row) == what)
                    menu->setCurrentIndex(model->index(row, 0));
            QCOMPARE(menu->listModel()->text(menu->currentRowNumber()), what);
            QTest::keyClick(menu, Qt::Key_Return);
        }
    }

private slots:
    void init()
    {
        setFixedNow(QDateTime(QDate(2026, 12, 9), QTime(10, 0)));
        m_folder = std::make_unique<testsupport::ProgramFolder>();
        m_folder->open();
        m_messages.clear();
        m_answer = ui::Answer::No;
        m_launches.clear();
        m_launchResult = false;
        ui::setMessageResponder([this](const ui::MessageRequest &request) {
            m_messages.append(request);
            return m_answer;
        });
        setLaunchDriver([this](const LaunchRequest &request) {
            m_launches << request.dialog + QLatin1Char('|') + request.mode + QLatin1Char('|') + request.key;
            return m_launchResult;
        });
    }

    void cleanup()
    {
        m_form.reset();
        m_commands = nullptr;
        CloseDatabase();
        ui::setMessageResponder({});
        setLaunchDriver({});
        m_folder.reset();
        setFixedNow(QDateTime());
    }

    void commandEffects_data()
    {
        QTest::addColumn<QString>("node");
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("saved");
        QTest::addColumn<QString>("launch");
        // What was shown again: the list (it lists the record added behind
        // its back), the tree and the date bar's customer choice (they
        // offer the customer added behind their back).
        QTest::addColumn<bool>("list");
        QTest::addColumn<bool>("tree");

        const QList<int> none, first{0}, two{0, 1};
        // Slips.
        QTest::newRow("slip root: new row") << "de" << first << "key:Enter" << true << "frmDenpyo|New|" << false << false;
        QTest::newRow("slip root: update row")
            << "de" << QList<int>{1} << "key:Enter" << true << "frmDenpyo|SelectableUpdate|" << false << false;
        QTest::newRow("slip root: menu new") << "de" << none << "menu:mnuNew" << true << "frmDenpyo|New|" << false << false;
        QTest::newRow("slip list: toolbar new") << "de全件" << none << "toolbar:New" << true << "frmDenpyo|New|" << true << false;
        QTest::newRow("slip list: toolbar new, closed")
            << "de全件" << none << "toolbar:New" << false << "frmDenpyo|New|" << false << false;
        QTest::newRow("slip list: F2") << "de全件" << first << "key:F2" << true << "frmDenpyo|SelectedUpdate|000000001"
                                      << true << false;
        QTest::newRow("slip list: F2, nothing selected") << "de全件" << none << "key:F2" << true << "" << false << false;
        QTest::newRow("slip list: popup edit")
            << "de全件" << first << "popup:mnuItemEdit" << true << "frmDenpyo|SelectedUpdate|000000001" << true << false;
        QTest::newRow("slip list: popup reference")
            << "de全件" << first << "popup:mnuItemRefNew" << true << "frmDenpyo|ReferenceNew|000000001" << true << false;
        QTest::newRow("slip list: popup progress")
            << "de全件" << first << "popup:mnuItemProcess" << true << "frmDenpyoProcess||000000001" << true << false;
        QTest::newRow("slip list: popup note")
            << "de全件" << first << "popup:mnuItemOtherInfo" << true << "frmDenpyoNote||000000001" << true << false;
        QTest::newRow("slip list: popup copy")
            << "de全件" << first << "popup:mnuItemDenpyoCopy" << true << "frmDenpyoCopy|Copy|000000001" << true << false;
        QTest::newRow("slip list: popup split")
            << "de全件" << first << "popup:mnuItemDenpyoSplit" << true << "frmDenpyoCopy|Split|000000001" << true << false;
        QTest::newRow("slip list: bulk progress")
            << "de全件" << two << "toolbar:Shinko" << true << "frmDenpyoGroupProcess||000000001,000000002" << true
            << false;
        QTest::newRow("slip list: list print")
            << "de全件" << none << "menu:mnuListPrint" << false << "frmListPrint|伝票|" << false << false;
        QTest::newRow("opened slip: lines")
            << "de全件/1" << none << "action:伝票明細" << true << "frmDenpyo|SelectedUpdate|000000001" << false << false;
        QTest::newRow("opened slip: split")
            << "de全件/1" << none << "action:伝票分割" << true << "frmDenpyoCopy|Split|000000001" << false << false;
        QTest::newRow("opened slip: new does nothing") << "de全件/1" << none << "toolbar:New" << true << "" << false << false;
        // Customers: every change rebuilds the tree and the customer choice.
        QTest::newRow("customer root: new row") << "cu" << first << "key:Enter" << true << "frmCustomer|New|" << false << true;
        QTest::newRow("customer root: toolbar new") << "cu" << none << "toolbar:New" << true << "frmCustomer|New|" << false << true;
        QTest::newRow("customer list: menu new") << "cu全件" << none << "menu:mnuNew" << true << "frmCustomer|New|" << true << true;
        QTest::newRow("customer list: popup new") << "cu全件" << none << "popup:mnuItemNew" << true << "frmCustomer|New|" << true << true;
        QTest::newRow("customer list: popup new, closed")
            << "cu全件" << none << "popup:mnuItemNew" << false << "frmCustomer|New|" << false << false;
        QTest::newRow("customer list: F2") << "cu全件" << first << "key:F2" << true << "frmCustomer|SelectedUpdate|C1" << true << true;
        QTest::newRow("customer list: popup reference")
            << "cu全件" << first << "popup:mnuItemRefNew" << true << "frmCustomer|ReferenceNew|C1" << true << true;
        QTest::newRow("opened customer: details")
            << "cu全件/C1" << none << "action:顧客情報" << true << "frmCustomer|SelectedUpdate|C1" << false << true;
        QTest::newRow("opened customer: reference")
            << "cu全件/C1" << none << "action:参照作成" << true << "frmCustomer|ReferenceNew|C1" << false << true;
        // Products.
        QTest::newRow("product root: update row")
            << "sh" << QList<int>{1} << "key:Enter" << true << "frmShohin|SelectableUpdate|" << false << false;
        QTest::newRow("product list: toolbar new") << "sh全件" << none << "toolbar:New" << true << "frmShohin|New|" << true << false;
        QTest::newRow("product list: popup edit")
            << "sh全件" << first << "popup:mnuItemEdit" << true << "frmShohin|SelectedUpdate|P1" << true << false;
        QTest::newRow("product list: list print")
            << "sh全件" << none << "toolbar:ListPrint" << false << "frmListPrint|商品|" << false << false;
        QTest::newRow("opened product: details")
            << "sh全件/P1" << none << "action:商品情報" << true << "frmShohin|SelectedUpdate|P1" << false << false;
        // Print forms and settings.
        QTest::newRow("print-form root: own company")
            << "sy" << first << "key:Enter" << false << "frmPrintInfo||" << false << false;
        QTest::newRow("own company from the menu")
            << "de全件" << none << "menu:mnuJishaInfo" << false << "frmPrintInfo||" << false << false;
        QTest::newRow("print-form list: new")
            << "sy伝票印刷フォーム" << none << "menu:mnuNew" << true << "frmPrintForm|Denpyo|" << false << false;
        QTest::newRow("print-form list: add row")
            << "sy顧客リスト印刷フォーム" << first << "key:Enter" << true << "frmPrintForm|CustomerList|" << false << false;
        QTest::newRow("invoice root: new does nothing") << "ts" << none << "toolbar:New" << true << "" << false << false;
    }

    void commandEffects()
    {
        for (int id = 1; id <= 2; ++id)
            insertSlip(id, 1);
        insertCustomer(QStringLiteral("C1"), true);
        insertShohin(QStringLiteral("P1"));
        open();
        QFETCH(QString, node);
        // "node/key" opens that record of the node's list.
        m_form->SelectTreeNode(node.section(QLatin1Char('/'), 0, 0));
        const QString key = node.section(QLatin1Char('/'), 1);
        if (!key.isEmpty()) {
            bool number = false;
            key.toInt(&number);
            const int row = listTexts().indexOf(number ? key.rightJustified(9, QLatin1Char('0')) : key);
            QVERIFY(row >= 0);
            select({row});
            OpenSelectedItem(*m_form);
            QCOMPARE(m_form->CurrentLevel, qint16(2));
        } else {
            QFETCH(QList<int>, selected);
            select(selected);
        }
        const QStringList before = m_form->CurrentLocation;

        // Records that appear only when a view is shown again.
        insertSlip(9, 1);
        insertCustomer(QStringLiteral("C9"), true);
        insertShohin(QStringLiteral("P9"));
        QFETCH(bool, saved);
        m_launchResult = saved;
        QFETCH(QString, path);
        run(path);

        QFETCH(QString, launch);
        QCOMPARE(m_launches, launch.isEmpty() ? QStringList() : QStringList{launch});
        QCOMPARE(m_form->CurrentLocation, before);
        const QStringList rows = listTexts();
        const bool reshown = rows.contains(QStringLiteral("000000009")) || rows.contains(QStringLiteral("C9"))
                             || rows.contains(QStringLiteral("P9"));
        QTEST(m_form->CurrentLevel == 1 && reshown, "list");
        QFETCH(bool, tree);
        QCOMPARE(m_form->tvwTree->findKey(QStringLiteral("tsC9/名C9")) != nullptr, tree);
        QCOMPARE(comboOffers(QStringLiteral("C9")), tree);
        // A change made on an opened record reloads the list on the way up.
        QCOMPARE(m_form->flgListRefresh, m_form->CurrentLevel == 2 && saved && !launch.isEmpty());
    }

    void filterCommands_data()
    {
        QTest::addColumn<QString>("node");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("launch");
        // Whether the tree was built again (it lists the filter written
        // behind its back).
        QTest::addColumn<bool>("tree");

        QTest::newRow("folder: add row") << "de検索フィルター" << 0 << "key:Enter" << "frmFind|伝票|" << true;
        QTest::newRow("folder: a filter") << "cu検索フィルター" << 1 << "key:Enter" << "frmFind|顧客|a" << true;
        QTest::newRow("folder: popup edit") << "sh検索フィルター" << 1 << "popup:mnuObjectEdit" << "frmFind|商品|a"
                                            << true;
        QTest::newRow("folder: menu new") << "de検索フィルター" << -1 << "menu:mnuNew" << "frmFind|伝票|" << true;
        QTest::newRow("folder: F2 does nothing") << "de検索フィルター" << 1 << "key:F2" << "" << false;
        QTest::newRow("slip list: find") << "de全件" << -1 << "toolbar:Find" << "frmFind|伝票|一時検索" << false;
        QTest::newRow("product root: find row") << "sh" << 2 << "key:Enter" << "frmFind|商品|一時検索" << false;
        QTest::newRow("opened slip: find") << "de全件" << 0 << "menu:mnuFind" << "frmFind|伝票|一時検索" << false;
    }

    // Every change to a saved filter builds the tree again.
    void filterCommands()
    {
        insertSlip(1, 1);
        for (const QString &folder :
             {gstrDenpyoKensakuFilterFolder, gstrCustomerKensakuFilterFolder, gstrShohinKensakuFilterFolder}) {
            const char *extension = folder == gstrDenpyoKensakuFilterFolder     ? "a.dkj"
                                    : folder == gstrCustomerKensakuFilterFolder ? "a.ckj"
                                                                                : "a.skj";
            SearchFilterFile().write(folder + QString::fromLatin1(extension));
        }
        open();
        QFETCH(QString, node);
        QFETCH(int, row);
        m_form->SelectTreeNode(node);
        select(row >= 0 ? QList<int>{row} : QList<int>{});
        QFETCH(QString, path);
        if (path == QLatin1String("menu:mnuFind") && row >= 0) {
            OpenSelectedItem(*m_form);
            QCOMPARE(m_form->CurrentLevel, qint16(2));
        }
        const QString branch = node.left(2);
        const QString folder = branch == QLatin1String("de")   ? gstrDenpyoKensakuFilterFolder
                               : branch == QLatin1String("cu") ? gstrCustomerKensakuFilterFolder
                                                               : gstrShohinKensakuFilterFolder;
        const QString extension = branch == QLatin1String("de") ? "dkj" : branch == QLatin1String("cu") ? "ckj" : "skj";
        SearchFilterFile().write(folder + QStringLiteral("later.") + extension);
        m_launchResult = true;
        run(path);
        QFETCH(QString, launch);
        QCOMPARE(m_launches, launch.isEmpty() ? QStringList() : QStringList{launch});
        QTEST(m_form->tvwTree->findKey(branch + QStringLiteral("later")) != nullptr, "tree");
    }

    void customersMadeInsideOtherDialogs_data()
    {
        QTest::addColumn<QString>("node");
        QTest::addColumn<QString>("path");
        // The dialog the command opens, whose picker makes the customer.
        QTest::addColumn<QString>("outer");
        QTest::addColumn<bool>("made");
        QTest::newRow("slip editor") << "de全件" << "toolbar:New" << "frmDenpyo" << true;
        QTest::newRow("slip editor, picker closed") << "de全件" << "toolbar:New" << "frmDenpyo" << false;
        QTest::newRow("filter editor's ID condition") << "de" << "toolbar:Find" << "frmFind" << true;
        QTest::newRow("customer editor's F11") << "cu全件" << "menu:mnuNew" << "frmCustomer" << true;
    }

    // A customer made with F2 in a picker opened from another dialog, which
    // then closes without saving: once the command is over, the tree, the
    // date bar's customer choice and a customer list offer it. The customer
    // chosen on the date bar stays chosen; nothing is rebuilt when nothing
    // was made.
    void customersMadeInsideOtherDialogs()
    {
        insertSlip(1, 1);
        insertCustomer(QStringLiteral("C1"), true);
        setLaunchDriver({});
        DialogDriver d;
        open();
        QFETCH(QString, node);
        m_form->SelectTreeNode(node);
        m_form->show();
        QApplication::setActiveWindow(m_form.get());
        m_form->lvwList->setFocus();
        QComboBox *customers = m_form->dateBar->cmbKokyaku;
        customers->setCurrentIndex(customers->findText(QStringLiteral("C1/名C1")));
        m_form->tvwTree->findKey(QStringLiteral("ts"))->setExpanded(true);

        QFETCH(bool, made);
        const auto makeCustomer = [made](QWidget *picker) {
            QCOMPARE(picker->metaObject()->className(), "frmCustomerList");
            if (!made)
                return;
            DialogDriver::onNextModal([](QWidget *editor) {
                DialogDriver::type(QStringLiteral("N1"));
                auto *name = editor->findChild<ucJaInput *>(QStringLiteral("txtCustomerNameKnj"));
                name->setText(QStringLiteral("新顧客"));
                editor->findChild<QCheckBox *>(QStringLiteral("chkTsukiSeikyu"))->setChecked(true);
                editor->findChild<QComboBox *>(QStringLiteral("cmbShimeBi"))->setCurrentIndex(1);
                DialogDriver::key(Qt::Key_F12);
            });
            DialogDriver::key(Qt::Key_F2);
        };
        QString outerShown;
        DialogDriver::onNextModal([&](QWidget *outer) {
            outerShown = QString::fromLatin1(outer->metaObject()->className());
            if (auto *editor = qobject_cast<frmFind *>(outer)) {
                QTreeWidget *items = editor->tvwSelect;
                items->setFocus();
                items->setCurrentItem(
                    items->findItems(QStringLiteral("顧客ID"), Qt::MatchExactly | Qt::MatchRecursive).value(0));
                DialogDriver::onNextModal([&](QWidget *) {
                    DialogDriver::onNextModal(makeCustomer);
                    DialogDriver::key(Qt::Key_F11);
                });
                DialogDriver::key(Qt::Key_Return);
            } else {
                DialogDriver::onNextModal(makeCustomer);
                DialogDriver::key(Qt::Key_F11);
            }
        });
        QFETCH(QString, path);
        run(path);
        QTEST(outerShown, "outer");
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM 顧客テーブル WHERE 顧客ID = 'N1'")), made ? 1 : 0);

        QCOMPARE(m_form->CurrentLocation.value(1), node.mid(2));
        QCOMPARE(treeOffers(QStringLiteral("N1")), made);
        QCOMPARE(comboOffers(QStringLiteral("N1")), made);
        QCOMPARE(customers->currentText(), QStringLiteral("C1/名C1"));
        QCOMPARE(m_form->tvwTree->findKey(QStringLiteral("ts"))->isExpanded(), !made);
        if (node == QStringLiteral("cu全件"))
            QCOMPARE(listTexts(), (QStringList{"C1", "N1"}));
    }

    void objectPopups_data()
    {
        QTest::addColumn<QString>("node");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("menu");
        QTest::newRow("form list, add row") << "sy伝票印刷フォーム" << 0 << "";
        QTest::newRow("form list, a form") << "sy伝票印刷フォーム" << 1 << "mnuObject";
        QTest::newRow("form list, nothing selected") << "sy伝票印刷フォーム" << -1 << "";
        QTest::newRow("filter folder, add row") << "de検索フィルター" << 0 << "";
        QTest::newRow("filter folder, a filter") << "de検索フィルター" << 1 << "mnuObject";
        QTest::newRow("invoice root") << "ts" << -1 << "";
        QTest::newRow("opened record") << "de全件/1" << -1 << "";
    }

    // The object menu opens on a saved filter or form only, with its three
    // entries enabled.
    void objectPopups()
    {
        insertSlip(1, 1);
        QFile form(gstrDenpyoPrintFormFolder + QStringLiteral("請求書.rpx"));
        QVERIFY(form.open(QIODevice::WriteOnly));
        SearchFilterFile().write(gstrDenpyoKensakuFilterFolder + QStringLiteral("a.dkj"));
        open();
        QFETCH(QString, node);
        m_form->SelectTreeNode(node.section(QLatin1Char('/'), 0, 0));
        QFETCH(int, row);
        if (node.contains(QLatin1Char('/'))) {
            select({0});
            OpenSelectedItem(*m_form);
        } else {
            select(row >= 0 ? QList<int>{row} : QList<int>{});
        }
        QMenu *menu = m_commands->popupMenus()->PreparePopupMenu();
        QTEST(menu ? menu->objectName() : QString(), "menu");
        if (!menu)
            return;
        QStringList entries;
        for (QAction *action : menu->actions())
            if (action->isVisible() && action->isEnabled())
                entries << action->text();
        QCOMPARE(entries, (QStringList{"編集", "削除", "名前を変更"}));
    }

    // An enabled toolbar button is drawn clearly darker or more colourful
    // than the same button disabled.
    void enabledButtonsDoNotLookDisabled()
    {
        insertSlip(1, 1);
        open();
        m_form->SelectTreeNode(QStringLiteral("de全件"));
        QStringList pale;
        for (const char *key : {"New", "UpFolder", "Refresh", "SelectAll", "Copy", "Paste", "Delete", "Find",
                                "WriteFile", "Shinko", "ListPrint", "SystemInfo", "Help"}) {
            QAction *button = m_form->toolbarButton(QString::fromLatin1(key));
            QVERIFY2(button && button->isEnabled(), key);
            const auto [ink, coloured] = pictureTone(button->icon().pixmap(QSize(16, 16), QIcon::Normal));
            const auto [disabledInk, unused] = pictureTone(button->icon().pixmap(QSize(16, 16), QIcon::Disabled));
            Q_UNUSED(unused);
            // A pale picture with a few coloured dots still reads as disabled.
            if (!(ink < 110 || coloured >= 20))
                pale << QStringLiteral("%1: %2/%3 against %4").arg(key).arg(ink).arg(coloured).arg(disabledInk);
        }
        QVERIFY2(pale.isEmpty(), qPrintable(pale.join(QStringLiteral(", "))));
    }

    void deletionQuestion_data()
    {
        QTest::addColumn<QString>("node");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("question");

        QTest::newRow("no slip") << "de全件" << 0 << "" << "";
        QTest::newRow("six slips") << "de全件" << 6 << "伝票削除"
                                   << "次の6件の伝票を削除してもよろしいですか？\r\n\r\n"
                                      "000000001\r\n000000002\r\n000000003\r\n000000004\r\n000000005\r\n000000006\r\n";
        QTest::newRow("nine slips") << "de全件" << 9 << "伝票削除"
                                    << "次の9件の伝票を削除してもよろしいですか？\r\n\r\n"
                                       "000000001\r\n000000002\r\n000000003\r\n000000004\r\n000000005\r\n"
                                       "000000006\r\n    :\r\n";
        QTest::newRow("no customer") << "cu全件" << 0 << "" << "";
        QTest::newRow("six customers") << "cu全件" << 6 << "顧客削除"
                                       << "次の6件の顧客を削除してもよろしいですか？\r\n\r\nC1\r\nC2\r\nC3\r\nC4\r\nC5\r\nC6\r\n";
        QTest::newRow("nine products") << "sh全件" << 9 << "商品削除"
                                       << "次の9件の商品を削除してもよろしいですか？\r\n\r\n"
                                          "P1\r\nP2\r\nP3\r\nP4\r\nP5\r\nP6\r\n    :\r\n";
    }

    // One question names the first six; No, the default, deletes nothing,
    // Yes deletes every selected record.
    void deletionQuestion()
    {
        for (int i = 1; i <= 9; ++i) {
            insertSlip(i, 2);
            insertCustomer(QStringLiteral("C%1").arg(i), false);
            insertShohin(QStringLiteral("P%1").arg(i));
        }
        open();
        QFETCH(QString, node);
        QFETCH(int, selected);
        m_form->SelectTreeNode(node);
        QList<int> rows;
        for (int i = 0; i < selected; ++i)
            rows << i;
        select(rows);
        const QStringList before = listTexts();

        m_answer = ui::Answer::No;
        QTest::keyClick(m_form->lvwList, Qt::Key_Delete);
        QFETCH(QString, question);
        if (question.isEmpty()) {
            QVERIFY(m_messages.isEmpty());
            return;
        }
        QCOMPARE(m_messages.size(), 1);
        QCOMPARE(m_messages[0].text, question);
        QTEST(m_messages[0].title, "title");
        QCOMPARE(m_messages[0].icon, ui::Icon::Question);
        QCOMPARE(m_messages[0].buttons, ui::Buttons::YesNo);
        QCOMPARE(m_messages[0].defaultAnswer, ui::Answer::No);
        QCOMPARE(listTexts(), before);

        m_answer = ui::Answer::Yes;
        m_form->mnuDelete->trigger();
        QCOMPARE(m_messages.size(), 2);
        QCOMPARE(listTexts(), before.mid(selected));
        const QString table = node.startsWith(QLatin1String("de"))   ? QStringLiteral("伝票テーブル")
                              : node.startsWith(QLatin1String("cu")) ? QStringLiteral("顧客テーブル")
                                                                      : QStringLiteral("商品テーブル");
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM ") + table), 9 - selected);
        if (node.startsWith(QLatin1String("de")))
            QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM 明細テーブル")), 2 * (9 - selected));
    }

    // A record that cannot be deleted stays whole and is named after the
    // others are gone; the list shows what is left.
    void failedDeletionIsReportedAfterTheOthers_data()
    {
        QTest::addColumn<QString>("node");
        QTest::addColumn<QString>("trigger");
        QTest::addColumn<QString>("message");
        QTest::newRow("slip whose lines are locked")
            << "de全件"
            << "CREATE TRIGGER lock BEFORE DELETE ON 明細テーブル WHEN old.伝票番号 = 2 "
               "BEGIN SELECT RAISE(ABORT, 'locked'); END;"
            << "次の伝票を削除できませんでした。";
        QTest::newRow("locked customer")
            << "cu全件"
            << "CREATE TRIGGER lock BEFORE DELETE ON 顧客テーブル WHEN old.顧客ID = 'C2' "
               "BEGIN SELECT RAISE(ABORT, 'locked'); END;"
            << "次の顧客を削除できませんでした。";
    }

    void failedDeletionIsReportedAfterTheOthers()
    {
        for (int i = 1; i <= 3; ++i) {
            insertSlip(i, 2);
            insertCustomer(QStringLiteral("C%1").arg(i), true);
        }
        QFETCH(QString, trigger);
        connection().exec(trigger);
        open();
        QFETCH(QString, node);
        m_form->SelectTreeNode(node);
        select({0, 1, 2});
        m_answer = ui::Answer::Yes;
        emit m_form->toolbarCommand(QStringLiteral("Delete"));

        QCOMPARE(m_messages.size(), 2);
        QFETCH(QString, message);
        QVERIFY2(m_messages[1].text.startsWith(message + QStringLiteral("\r\n\r\n")), qPrintable(m_messages[1].text));
        QCOMPARE(m_messages[1].icon, ui::Icon::Exclamation);
        const QString kept = listTexts().value(0);
        QCOMPARE(listTexts().size(), 1);
        QVERIFY(m_messages[1].text.contains(kept));
        if (node.startsWith(QLatin1String("de"))) {
            QCOMPARE(kept, QStringLiteral("000000002"));
            QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM 明細テーブル WHERE 伝票番号 = 2")), 2);
            QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM 明細テーブル")), 2);
        } else {
            QCOMPARE(kept, QStringLiteral("C2"));
            // The tree and the customer choice follow the register.
            QVERIFY(!m_form->tvwTree->findKey(QStringLiteral("tsC1/名C1")));
            QVERIFY(m_form->tvwTree->findKey(QStringLiteral("tsC2/名C2")));
            QVERIFY(!comboOffers(QStringLiteral("C3")));
            QVERIFY(comboOffers(QStringLiteral("C2")));
        }
    }

    // Each slip is whole (its row and both its lines) or gone with its
    // lines; the numbers of the whole ones.
    static QList<int> wholeSlips(int slips)
    {
        QList<int> whole;
        for (int id = 1; id <= slips; ++id) {
            const int rows = count(QStringLiteral("SELECT COUNT(*) FROM 伝票テーブル WHERE 伝票番号 = %1").arg(id));
            const int lines = count(QStringLiteral("SELECT COUNT(*) FROM 明細テーブル WHERE 伝票番号 = %1").arg(id));
            if (rows == 1 && lines == 2)
                whole << id;
            else if (rows != 0 || lines != 0)
                whole << -id; // half deleted
        }
        return whole;
    }

    // The deletion of a selection is one transaction: one commit however
    // many slips go, a slip that cannot be deleted passed over whole, one
    // that has gone already passed over in silence.
    void deletionOfASelectionCommitsOnce_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QList<int>>("kept");
        QTest::addColumn<int>("messages");
        QTest::newRow("every slip goes") << "" << QList<int>{} << 1;
        QTest::newRow("lines of one locked")
            << "CREATE TRIGGER lock BEFORE DELETE ON 明細テーブル WHEN old.伝票番号 = 3 "
               "BEGIN SELECT RAISE(ABORT, 'locked'); END;"
            << QList<int>{3} << 2;
        QTest::newRow("one gone already") << "DELETE FROM 伝票テーブル WHERE 伝票番号 = 4" << QList<int>{} << 1;
    }

    void deletionOfASelectionCommitsOnce()
    {
        for (int i = 1; i <= 5; ++i)
            insertSlip(i, 2);
        open();
        m_form->SelectTreeNode(QStringLiteral("de全件"));
        select({0, 1, 2, 3, 4});
        QFETCH(QString, before);
        if (!before.isEmpty())
            connection().exec(before);
        if (before.startsWith(QLatin1String("DELETE")))
            connection().exec(QStringLiteral("DELETE FROM 明細テーブル WHERE 伝票番号 = 4"));
        int commits = 0;
        sqlite3_commit_hook(
            connection().handle(), [](void *n) { return ++*static_cast<int *>(n), 0; }, &commits);
        m_answer = ui::Answer::Yes;
        QTest::keyClick(m_form->lvwList, Qt::Key_Delete);
        sqlite3_commit_hook(connection().handle(), nullptr, nullptr);

        QCOMPARE(commits, 1);
        QTEST(int(m_messages.size()), "messages");
        QFETCH(QList<int>, kept);
        QCOMPARE(wholeSlips(5), kept);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM 明細テーブル")), 2 * int(kept.size()));
        QCOMPARE(listTexts().size(), kept.size());
        QVERIFY(!connection().inTransaction());
    }

    // A deletion compiles each statement it runs per slip once for the
    // whole selection: compiling them again for every slip cost more than
    // deleting it. The engine asks its authorizer about every statement it
    // compiles.
    void deletionCompilesItsStatementsOnce()
    {
        for (int i = 1; i <= 5; ++i)
            insertSlip(i, 2);
        open();
        m_form->SelectTreeNode(QStringLiteral("de全件"));
        select({0, 1, 2, 3, 4});
        QMap<QString, int> compiled;
        const auto tally = [](void *map, int action, const char *a, const char *, const char *, const char *) {
            auto &m = *static_cast<QMap<QString, int> *>(map);
            if (action == SQLITE_DELETE)
                ++m[QStringLiteral("DELETE ") + QString::fromUtf8(a)];
            else if (action == SQLITE_SAVEPOINT)
                ++m[QStringLiteral("SAVEPOINT ") + QString::fromUtf8(a)];
            return SQLITE_OK;
        };
        sqlite3_set_authorizer(connection().handle(), tally, &compiled);
        m_answer = ui::Answer::Yes;
        QTest::keyClick(m_form->lvwList, Qt::Key_Delete);
        sqlite3_set_authorizer(connection().handle(), nullptr, nullptr);

        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM 伝票テーブル")), 0);
        QCOMPARE(compiled.value(QStringLiteral("DELETE 伝票テーブル")), 1);
        QCOMPARE(compiled.value(QStringLiteral("DELETE 明細テーブル")), 1);
        QCOMPARE(compiled.value(QStringLiteral("SAVEPOINT BEGIN")), 1);
        QCOMPARE(compiled.value(QStringLiteral("SAVEPOINT RELEASE")), 1);
    }

    // A transaction that cannot be committed (here the engine's commit is
    // refused) deletes none of the slips; the user is told once, and the
    // list shows them all again.
    void failedCommitDeletesNothing()
    {
        for (int i = 1; i <= 3; ++i)
            insertSlip(i, 2);
        open();
        m_form->SelectTreeNode(QStringLiteral("de全件"));
        select({0, 1, 2});
        sqlite3_commit_hook(connection().handle(), [](void *) { return 1; }, nullptr);
        m_answer = ui::Answer::Yes;
        emit m_form->toolbarCommand(QStringLiteral("Delete"));
        sqlite3_commit_hook(connection().handle(), nullptr, nullptr);

        QCOMPARE(m_messages.size(), 2);
        QCOMPARE(m_messages[1].icon, ui::Icon::Exclamation);
        QVERIFY2(!m_messages[1].text.startsWith(QStringLiteral("次の伝票を削除できませんでした。")),
                 qPrintable(m_messages[1].text));
        QVERIFY(!connection().inTransaction());
        QCOMPARE(wholeSlips(3), (QList<int>{1, 2, 3}));
        QCOMPARE(listTexts().size(), 3);
    }

    // The program killed part-way through a deletion (the power lost):
    // every slip is whole or gone with all its lines; before the commit
    // they are all whole.
    void killedDeletionLeavesSlipsWholeOrGone_data()
    {
        QTest::addColumn<int>("killAt"); // the slip row deleted before the kill; 0: at the commit
        QTest::newRow("after the first slip's row") << 1;
        QTest::newRow("in the middle") << 3;
        QTest::newRow("after the last slip's row") << 6;
        QTest::newRow("at the commit") << 0;
    }

    void killedDeletionLeavesSlipsWholeOrGone()
    {
        for (int i = 1; i <= 6; ++i)
            insertSlip(i, 2);
        open();
        m_form->SelectTreeNode(QStringLiteral("de全件"));
        select({0, 1, 2, 3, 4, 5});
        m_answer = ui::Answer::Yes;
        QFETCH(int, killAt);
        static int rowsLeft = 0;
        rowsLeft = killAt;
        fflush(nullptr);
        const pid_t child = ::fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            sqlite3 *db = connection().handle();
            if (killAt > 0)
                sqlite3_update_hook(
                    db,
                    [](void *, int op, const char *, const char *table, sqlite3_int64) {
                        if (op == SQLITE_DELETE && std::strcmp(table, "伝票テーブル") == 0 && --rowsLeft == 0)
                            ::_exit(9);
                    },
                    nullptr);
            else
                sqlite3_commit_hook(db, [](void *) -> int { ::_exit(9); }, nullptr);
            DeleteRecordsCommand(*m_form);
            ::_exit(0);
        }
        int status = 0;
        QCOMPARE(::waitpid(child, &status, 0), child);
        QVERIFY(WIFEXITED(status));
        QCOMPARE(WEXITSTATUS(status), 9);
        QCOMPARE(wholeSlips(6), (QList<int>{1, 2, 3, 4, 5, 6}));
        QCOMPARE(connection().scalar(QStringLiteral("PRAGMA integrity_check")).toString(), QStringLiteral("ok"));
    }

    void deletionNameList_data()
    {
        QTest::addColumn<int>("names");
        QTest::addColumn<QString>("list");
        QTest::newRow("none") << 0 << "";
        QTest::newRow("one") << 1 << "n1\r\n";
        QTest::newRow("six") << 6 << "n1\r\nn2\r\nn3\r\nn4\r\nn5\r\nn6\r\n";
        QTest::newRow("seven") << 7 << "n1\r\nn2\r\nn3\r\nn4\r\nn5\r\nn6\r\n    :\r\n";
    }

    void deletionNameList()
    {
        QFETCH(int, names);
        QStringList list;
        for (int i = 1; i <= names; ++i)
            list << QStringLiteral("n%1").arg(i);
        QTEST(DeletionNameList(list), "list");
    }

    // Help opens the manual of the program folder without waiting; when
    // nothing can show it, the user learns where it is.
    void helpOpensTheManual()
    {
        open();
        const QString manual = programFolder() + QStringLiteral("/Quorvex5.html");
        QFile::remove(manual);
        QList<QUrl> opened;
        UrlCatcher handler;
        handler.urls = &opened;
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &handler, "show");

        emit m_form->toolbarCommand(QStringLiteral("Help"));
        QVERIFY(opened.isEmpty());
        QCOMPARE(m_messages.size(), 1);
        QVERIFY(m_messages[0].text.contains(QDir::toNativeSeparators(manual)));

        QFile file(manual);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        m_form->mnuHelpf->trigger();
        QCOMPARE(opened, QList<QUrl>{QUrl::fromLocalFile(manual)});
        QCOMPARE(m_messages.size(), 1);
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    }
};

QTEST_MAIN(tst_MainCommands)
#include "tst_maincommands.moc"
