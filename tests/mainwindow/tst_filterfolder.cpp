#include "../masters/DialogDriver.h"
#include "FullFileSystem.h"
#include "TestSupport.h"
#include "core/DateValue.h"
#include "core/Globals.h"
#include "core/Startup.h"
#include "filtereditor/frmFind.h"
#include "filters/SavedFilters.h"
#include "filters/SearchFilterFile.h"
#include "filters/SearchFilterKind.h"
#include "mainwindow/commands/ItemCommands.h"
#include "mainwindow/commands/MainCommands.h"
#include "mainwindow/views/MainListModel.h"
#include "mainwindow/views/MainListView.h"
#include "mainwindow/views/NavigationTree.h"
#include "mainwindow/views/frmMainForm.h"
#include "model/Customer.h"

#include <QAction>
#include <QFile>
#include <QTreeWidget>
#include <QtTest>

using D = DialogDriver;

// The main window's folders of saved filters: rows, deleting, renaming,
// new and edited filters, and the one-off search.
class tst_FilterFolder : public QObject {
    Q_OBJECT

    std::unique_ptr<testsupport::ProgramFolder> m_folder;
    std::unique_ptr<frmMainForm> m_form;
    MainCommands *m_commands = nullptr;

    static QString customerFilter(const QString &name)
    {
        return searchfilter::filePath(SearchFilterKind::Customer, name);
    }
    static void writeFilter(const QString &name) { SearchFilterFile().write(customerFilter(name)); }

    QStringList column(int col) const
    {
        QStringList texts;
        const MainListModel *model = m_form->lvwList->listModel();
        for (int row = 0; row < model->rowCount(); ++row)
            texts << model->text(row, col);
        return texts;
    }
    // The customers' saved-filter nodes of the navigation tree.
    QStringList treeFilters() const
    {
        QStringList names;
        QTreeWidget *tree = m_form->tvwTree;
        for (int i = 0; i < tree->topLevelItemCount(); ++i) {
            QTreeWidgetItem *root = tree->topLevelItem(i);
            if (NavigationTree::keyOf(root) != QLatin1String("cu"))
                continue;
            for (int c = 0; c < root->childCount(); ++c) {
                const QString text = root->child(c)->text(0);
                if (text != QStringLiteral("検索フィルター") && text != QStringLiteral("全件"))
                    names << text;
            }
        }
        return names;
    }
    void select(const QStringList &names)
    {
        MainListView *list = m_form->lvwList;
        list->selectionModel()->clear();
        const QStringList texts = column(0);
        for (const QString &name : names) {
            const int row = int(texts.indexOf(name));
            QVERIFY(row >= 0);
            list->selectionModel()->setCurrentIndex(list->listModel()->index(row, 0), QItemSelectionModel::NoUpdate);
            list->selectionModel()->select(list->listModel()->index(row, 0),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
        }
    }
    void showFolder()
    {
        m_form->SelectTreeNode(QStringLiteral("cu検索フィルター"));
        m_form->show();
        QApplication::setActiveWindow(m_form.get());
        m_form->lvwList->setFocus();
    }
private slots:
    void init()
    {
        setFixedNow(QDateTime(QDate(2026, 12, 9), QTime(10, 0)));
        m_folder = std::make_unique<testsupport::ProgramFolder>();
        m_folder->open();
    }
    void cleanup()
    {
        m_form.reset();
        CloseDatabase();
        m_folder.reset();
        setFixedNow(QDateTime());
    }

    void rows()
    {
        writeFilter(QStringLiteral("一時検索"));
        m_form = std::make_unique<frmMainForm>();
        QVERIFY(m_form->Form_Load());
        m_form->Form_Activate();
        showFolder();
        QCOMPARE(column(0), QStringList{QStringLiteral(" フィルターの追加")});
        QCOMPARE(m_form->statusPanelText(3), QStringLiteral("1件"));

        writeFilter(QStringLiteral("b"));
        writeFilter(QStringLiteral("a"));
        m_form->RefreshView();
        QCOMPARE(column(0), (QStringList{" フィルターの追加", "a", "b"}));
        QCOMPARE(column(1), (QStringList{"新規検索フィルターを作成します...", "aの検索条件を表示します...",
                                         "bの検索条件を表示します..."}));
        const MainListModel *model = m_form->lvwList->listModel();
        QCOMPARE(model->image(0), 25);
        QCOMPARE(model->image(1), 13);
        QCOMPARE(m_form->statusPanelText(3), QStringLiteral("3件"));
        QCOMPARE(m_form->statusPanelText(1), QStringLiteral("ESC-上へ  [Ctrl]+F-検索"));
    }

    void deleting()
    {
        for (int i = 1; i <= 8; ++i)
            writeFilter(QStringLiteral("f%1").arg(i));
        D d;
        m_form = std::make_unique<frmMainForm>();
        QVERIFY(m_form->Form_Load());
        m_commands = new MainCommands(m_form.get());
        m_form->Form_Activate();
        showFolder();
        QCOMPARE(treeFilters().size(), 8);

        select({QStringLiteral(" フィルターの追加")});
        m_form->mnuDelete->trigger();
        QCOMPARE(d.texts(), QStringList{QStringLiteral("削除するフィルターを選択してください")});

        QStringList all;
        for (int i = 1; i <= 8; ++i)
            all << QStringLiteral("f%1").arg(i);
        select(QStringList{QStringLiteral(" フィルターの追加")} + all);
        d.messages.clear();
        d.answer = ui::Answer::No;
        D::key(Qt::Key_Delete);
        QCOMPARE(d.texts(), QStringList{QStringLiteral("次の8件の顧客検索フィルターを削除してもよろしいですか？\r\n\r\n"
                                                       "f1\r\nf2\r\nf3\r\nf4\r\nf5\r\nf6\r\n    :\r\n")});
        QCOMPARE(d.messages.first().icon, ui::Icon::Question);
        QVERIFY(QFile::exists(customerFilter(QStringLiteral("f8"))));

        // A file gone meanwhile does not keep the others.
        QFile::remove(customerFilter(QStringLiteral("f2")));
        select({QStringLiteral("f1"), QStringLiteral("f2"), QStringLiteral("f3")});
        d.answer = ui::Answer::Yes;
        ObjectCommand(*m_form, QStringLiteral("Delete"));
        QVERIFY(!QFile::exists(customerFilter(QStringLiteral("f1"))));
        QVERIFY(!QFile::exists(customerFilter(QStringLiteral("f3"))));
        QCOMPARE(column(0).size(), 6);
        QCOMPARE(treeFilters(), (QStringList{"f4", "f5", "f6", "f7", "f8"}));
    }

    void renaming_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<bool>("readOnly"); // the filters on a disk that only reads
        QTest::newRow("renamed") << "新名" << "" << QStringList{"b", "新名"} << false;
        QTest::newRow("taken") << "b" << "この名前は既に存在しています。" << QStringList{"a", "b"} << false;
        QTest::newRow("unchanged") << "a" << "この名前は既に存在しています。" << QStringList{"a", "b"} << false;
        QTest::newRow("reserved") << "全件" << "この名前は検索フィルター名には使えません。" << QStringList{"a", "b"}
                                  << false;
        QTest::newRow("read-only disk") << "新名" << "フィルター名の変更に失敗しました。保存先は読み取り専用です。"
                                        << QStringList{"a", "b"} << true;
    }
    void renaming()
    {
        QFETCH(QString, typed);
        QFETCH(QStringList, files);
        QFETCH(bool, readOnly);
        testsupport::FullFileSystem fs;
        if (readOnly)
            QVX_NEED_FULL_FS(fs);
        writeFilter(QStringLiteral("a"));
        writeFilter(QStringLiteral("b"));
        D d;
        m_form = std::make_unique<frmMainForm>();
        QVERIFY(m_form->Form_Load());
        m_commands = new MainCommands(m_form.get());
        m_form->Form_Activate();
        if (readOnly) {
            // The same filters, on a disk that only reads.
            gstrCustomerKensakuFilterFolder = fs.path() + QLatin1Char('/');
            writeFilter(QStringLiteral("a"));
            writeFilter(QStringLiteral("b"));
            searchfilter::ensureTemporaryFilter(SearchFilterKind::Customer);
            QVERIFY(fs.makeReadOnly());
        }
        showFolder();
        select({QStringLiteral("a")});
        D::onNextModal([typed](QWidget *modal) {
            // The dialog starts from the old name, all of it selected.
            QCOMPARE(D::shown(modal, "txtString"), QStringLiteral("a"));
            D::type(typed);
            D::key(Qt::Key_Return);
            D::key(Qt::Key_Return);
        });
        m_form->mnuRename->trigger();
        QTEST(d.texts().value(0), "message");
        QCOMPARE(searchfilter::savedNames(SearchFilterKind::Customer), files);
        QCOMPARE(column(0).mid(1), files);
        QCOMPARE(treeFilters(), files);
    }

    void renameNeedsOneFilter()
    {
        writeFilter(QStringLiteral("a"));
        writeFilter(QStringLiteral("b"));
        D d;
        m_form = std::make_unique<frmMainForm>();
        QVERIFY(m_form->Form_Load());
        m_commands = new MainCommands(m_form.get());
        m_form->Form_Activate();
        showFolder();
        select({QStringLiteral(" フィルターの追加")});
        m_form->mnuRename->trigger();
        select({QStringLiteral("a"), QStringLiteral("b")});
        m_form->mnuRename->trigger();
        QCOMPARE(d.texts(), (QStringList{QStringLiteral("名前を変更するフィルターを選択してください。"),
                                         QStringLiteral("複数のフィルターを選択することはできません。")}));
    }

    // The add row opens the editor on a new filter; once saved, the folder
    // and the tree list it.
    void newFilterFromTheAddRow()
    {
        D d;
        m_form = std::make_unique<frmMainForm>();
        QVERIFY(m_form->Form_Load());
        m_commands = new MainCommands(m_form.get());
        m_form->Form_Activate();
        showFolder();
        select({QStringLiteral(" フィルターの追加")});
        QString mode;
        D::onNextModal([&mode](QWidget *modal) {
            auto *editor = qobject_cast<frmFind *>(modal);
            QVERIFY(editor);
            mode = editor->ObjectName + QLatin1Char('/') + editor->cmdOK->text();
            D::type(QStringLiteral("新しい"));
            D::key(Qt::Key_F12);
        });
        D::key(Qt::Key_Return);
        QCOMPARE(mode, QStringLiteral("顧客/登録(F12)"));
        QCOMPARE(column(0), (QStringList{" フィルターの追加", "新しい"}));
        QCOMPARE(treeFilters(), QStringList{QStringLiteral("新しい")});
    }

    // 名前をつけて保存 writes a filter although the editor reports nothing
    // saved: the tree, and the view when it lists the filters or shows what
    // the overwritten one selects, follow once the editor has closed.
    void saveAsShowsTheFilter_data()
    {
        QTest::addColumn<QString>("node");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("overwrite");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("rows");
        const QStringList both{"a", "b"}, one{"a"};
        QTest::newRow("new name, editing a saved filter")
            << "cu検索フィルター" << "b" << false << both << QStringList{" フィルターの追加", "a", "b"};
        QTest::newRow("new name, one-off search") << "cu全件" << "b" << false << both << QStringList{"A1", "B1"};
        QTest::newRow("over the listed filter, declined") << "cua" << "a" << false << one << QStringList{"A1"};
        QTest::newRow("over the listed filter") << "cua" << "a" << true << one << QStringList{"B1"};
    }
    void saveAsShowsTheFilter()
    {
        for (const char *id : {"A1", "B1"}) {
            Customer c;
            c.setCustomerID(QString::fromLatin1(id));
            QVERIFY(c.Apply());
        }
        // "a" selects A1, the one-off search B1.
        for (const auto &[name, id] : {std::pair{"a", "A1"}, std::pair{"一時検索", "B1"}}) {
            SearchFilterFile filter;
            filter.addCondition(QStringLiteral("rt1D"), QStringLiteral("顧客ID"),
                                QStringLiteral("I21顧客ID@") + QString::fromLatin1(id), QString::fromLatin1(id),
                                QDateTime(QDate(2026, 12, 9), QTime(9, 0)));
            filter.write(customerFilter(QString::fromUtf8(name)));
        }
        D d;
        QFETCH(bool, overwrite);
        d.answer = overwrite ? ui::Answer::Yes : ui::Answer::No;
        m_form = std::make_unique<frmMainForm>();
        QVERIFY(m_form->Form_Load());
        m_commands = new MainCommands(m_form.get());
        m_form->Form_Activate();
        QFETCH(QString, node);
        m_form->SelectTreeNode(node);
        m_form->show();
        QApplication::setActiveWindow(m_form.get());
        m_form->lvwList->setFocus();

        QFETCH(QString, typed);
        QString editing;
        D::onNextModal([&editing, typed](QWidget *modal) {
            auto *editor = qobject_cast<frmFind *>(modal);
            QVERIFY(editor);
            editing = editor->FindName;
            D::onNextModal([typed](QWidget *) {
                D::type(typed);
                D::key(Qt::Key_Return);
                D::key(Qt::Key_Return);
            });
            editor->mnuSaveAs->trigger();
            editor->cmdEnd->click();
        });
        const bool folder = node == QStringLiteral("cu検索フィルター");
        if (folder) {
            select({QStringLiteral("a")});
            D::key(Qt::Key_Return);
        } else {
            QTest::keyClick(m_form->lvwList, Qt::Key_F, Qt::ControlModifier);
        }
        QCOMPARE(editing, folder ? QStringLiteral("a") : QStringLiteral("一時検索"));
        // Only a name taken asks before it is written over.
        const QStringList asked{QStringLiteral("検索フィルター a は既に登録されています。\r\n上書きしますか？")};
        QCOMPARE(d.texts(), typed == QStringLiteral("a") ? asked : QStringList{});
        QTEST(searchfilter::savedNames(SearchFilterKind::Customer), "files");
        QTEST(treeFilters(), "files");
        QCOMPARE(m_form->CurrentLocation.value(1), node.mid(2));
        QTEST(column(0), "rows");
    }

    // Ctrl+F, the toolbar's 検索 and the root menu's 検索 row run the one-off
    // search and show its list.
    void oneOffSearch_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("Ctrl+F") << "ctrl";
        QTest::newRow("toolbar") << "toolbar";
        QTest::newRow("root menu row") << "row";
    }
    void oneOffSearch()
    {
        QFETCH(QString, how);
        for (const auto &[id, bumon] : {std::pair{"A1", "営業一課"}, std::pair{"A2", "総務"}, std::pair{"B1", "営業二課"}}) {
            Customer c;
            c.setCustomerID(QString::fromLatin1(id));
            c.setBumon(QString::fromUtf8(bumon));
            QVERIFY(c.Apply());
        }
        m_form = std::make_unique<frmMainForm>();
        QVERIFY(m_form->Form_Load());
        m_commands = new MainCommands(m_form.get());
        m_form->Form_Activate();
        m_form->SelectTreeNode(QStringLiteral("cu"));
        m_form->show();
        QApplication::setActiveWindow(m_form.get());
        m_form->lvwList->setFocus();
        m_form->tvwTree->findKey(QStringLiteral("cu"))->setExpanded(true);
        D::onNextModal([](QWidget *modal) {
            auto *editor = qobject_cast<frmFind *>(modal);
            QVERIFY(editor);
            QCOMPARE(editor->FindName, QStringLiteral("一時検索"));
            auto *tree = editor->tvwSelect;
            tree->setFocus();
            tree->setCurrentItem(tree->findItems(QStringLiteral("部門"), Qt::MatchExactly).value(0));
            D::onNextModal([](QWidget *) {
                D::type(QStringLiteral("営業"));
                D::key(Qt::Key_Return);
                D::key(Qt::Key_Return);
            });
            D::key(Qt::Key_Return);
            QApplication::setActiveWindow(editor);
            D::key(Qt::Key_F12);
        });
        if (how == QLatin1String("toolbar")) {
            m_commands->ToolbarCommand(QStringLiteral("Find"));
        } else if (how == QLatin1String("ctrl")) {
            QTest::keyClick(m_form->lvwList, Qt::Key_F, Qt::ControlModifier);
        } else {
            select({QStringLiteral("検索")});
            D::key(Qt::Key_Return);
        }
        QCOMPARE(m_form->CurrentLocation.value(1), QStringLiteral("一時検索"));
        QCOMPARE(column(0), (QStringList{"A1", "B1"}));
        // The one-off search is no saved filter: the tree is not even
        // built again.
        QCOMPARE(treeFilters(), QStringList{});
        QVERIFY(m_form->tvwTree->findKey(QStringLiteral("cu"))->isExpanded());
    }
};

QTEST_MAIN(tst_FilterFolder)
#include "tst_filterfolder.moc"
