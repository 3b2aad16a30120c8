#include "../printing/GridForm.h"
#include "TestSupport.h"
#include "core/DateValue.h"
#include "core/Globals.h"
#include "core/Startup.h"
#include "mainwindow/commands/ItemCommands.h"
#include "model/Denpyo.h"
#include "mainwindow/commands/MainCommands.h"
#include "mainwindow/commands/PopupMenus.h"
#include "mainwindow/views/MainListModel.h"
#include "mainwindow/views/MainListView.h"
#include "mainwindow/views/frmMainForm.h"
#include "platform/report/PreviewDialog.h"
#include "platform/ui/MessageBox.h"
#include "printing/frmItemPrint.h"
#include "printing/frmListPrint.h"
#include "printing/frmPrintInfo.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

// The main window's ways into printing: the print entries of the record
// popup, the list print command and the own-company details.
class tst_PrintCommands : public QObject {
    Q_OBJECT

    std::unique_ptr<testsupport::ProgramFolder> m_folder;
    std::unique_ptr<frmMainForm> m_form;
    MainCommands *m_commands = nullptr;
    int m_previews = 0;

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

private slots:
    void init()
    {
        setFixedNow(QDateTime(QDate(2026, 12, 9), QTime(10, 0)));
        m_folder = std::make_unique<testsupport::ProgramFolder>();
        m_folder->open();
        m_previews = 0;
        ui::setMessageResponder([](const ui::MessageRequest &) { return ui::Answer::Ok; });
        report::setPreviewDriver([this](report::PreviewDialog &) {
            ++m_previews;
            return int(QDialog::Accepted);
        });
        Denpyo slip;
        slip.setDenpyoID(12);
        slip.setNouki(QDateTime(QDate(2026, 12, 9), QTime(0, 0)));
        slip.setCustomerName(QStringLiteral("甲"));
        slip.Meisais().Add();
        QVERIFY(slip.Apply());
        connection().exec(QStringLiteral("INSERT INTO 顧客テーブル (顧客ID, 顧客名漢字, 値引率) VALUES "
                                         "('C2', '乙', 0), ('C1', '甲', 0), ('C3', '丙', 0);"));
        connection().exec(QStringLiteral("INSERT INTO 商品テーブル (商品ID, 品名, 単価) VALUES ('P1', 'ボルト', 10);"));
    }

    void cleanup()
    {
        m_form.reset();
        m_commands = nullptr;
        CloseDatabase();
        ui::setMessageResponder({});
        report::setPreviewDriver({});
        m_folder.reset();
        setFixedNow(QDateTime());
    }

    void printEntryOpensTheItemPrint_data()
    {
        QTest::addColumn<QString>("node");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("message");
        QTest::newRow("slip") << "de全件" << "伝票" << "伝票 12 の 見本 を印刷します...";
        QTest::newRow("customer") << "cu全件" << "顧客" << "顧客 C1 の 見本 を印刷します...";
        QTest::newRow("product") << "sh全件" << "商品" << "商品 P1 の 見本 を印刷します...";
    }

    // The popup's print entry prints the selected record with its form.
    void printEntryOpensTheItemPrint()
    {
        QFETCH(QString, node);
        QFETCH(QString, type);
        QFETCH(QString, message);
        const QString folder = type == QStringLiteral("伝票")   ? gstrDenpyoPrintFormFolder
                               : type == QStringLiteral("顧客") ? gstrCustomerPrintFormFolder
                                                                 : gstrShohinPrintFormFolder;
        fixture::GridForm({"P_印刷日付"}).save(folder + QStringLiteral("見本.rpx"));
        open();
        m_form->SelectTreeNode(node);
        QCOMPARE(m_form->lvwList->listModel()->rowCount(), node == QStringLiteral("cu全件") ? 3 : 1);
        select({0});
        QMenu *menu = m_commands->popupMenus()->PreparePopupMenu();
        QVERIFY(menu);
        QAction *entry = m_commands->popupMenus()->mnuItemPrint[0];
        QCOMPARE(entry->text(), QStringLiteral("見本 印刷"));
        QVERIFY(entry->isEnabled());
        QString shown, opened;
        QTimer::singleShot(0, [&] {
            auto *dialog = qobject_cast<frmItemPrint *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            opened = dialog->ObjectType + QLatin1Char('/') + dialog->ObjectID + QLatin1Char('/') + dialog->FormName;
            shown = dialog->lblMessage->text();
            dialog->ItemPrint();
        });
        entry->trigger();
        QCOMPARE(shown, message);
        QVERIFY(opened.startsWith(type + QLatin1Char('/')));
        QCOMPARE(m_previews, 1);
    }

    // The list print marks the rows it would print and restores the list.
    void listPrintMarksTheMainList()
    {
        fixture::GridForm({"1_顧客ID"}, QStringLiteral("1;0;0;"))
            .save(gstrCustomerListPrintFormFolder + QStringLiteral("選択.rpx"));
        open();
        m_form->SelectTreeNode(QStringLiteral("cu全件"));
        m_form->lvwList_ColumnClick(1);
        m_form->lvwList_ColumnClick(1); // by name, descending: 甲 C1, 乙 C2, 丙 C3
        MainListModel *model = m_form->lvwList->listModel();
        QCOMPARE(model->text(0), QStringLiteral("C1"));
        select({0, 2});
        QStringList bold;
        QString caption;
        QTimer::singleShot(0, [&] {
            auto *dialog = qobject_cast<frmListPrint *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            caption = dialog->windowTitle();
            for (int row = 0; row < model->rowCount(); ++row)
                if (model->data(model->index(row, 0), Qt::FontRole).value<QFont>().bold())
                    bold << model->text(row);
            dialog->reject();
        });
        m_form->mnuListPrint->trigger();
        QCOMPARE(caption, QStringLiteral(" 顧客リスト印刷"));
        QCOMPARE(bold, (QStringList{"C1", "C3"}));
        // Closed: no mark, sorted by the first column, still descending.
        for (int row = 0; row < model->rowCount(); ++row)
            QVERIFY(!model->isBold(row));
        QCOMPARE(model->sortColumn(), 0);
        QCOMPARE(model->sortOrder(), Qt::DescendingOrder);
        QCOMPARE(model->text(0), QStringLiteral("C3"));
    }

    void dialogsOpenFrom_data()
    {
        QTest::addColumn<QString>("node");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("dialog");
        QTest::newRow("menu 自社印刷情報") << "cu" << "mnuJishaInfo" << "frmPrintInfo";
        QTest::newRow("print-form root row") << "sy" << "open 自社印刷情報" << "frmPrintInfo";
        QTest::newRow("toolbar in a slip list") << "de全件" << "ListPrint" << "frmListPrint";
        QTest::newRow("toolbar in a product list") << "sh全件" << "ListPrint" << "frmListPrint";
        QTest::newRow("toolbar in a root menu") << "de" << "ListPrint" << "";
        QTest::newRow("toolbar in a filter folder") << "de検索フィルター" << "ListPrint" << "";
    }

    void dialogsOpenFrom()
    {
        QFETCH(QString, node);
        QFETCH(QString, source);
        open();
        m_form->SelectTreeNode(node);
        QString opened;
        QObject guard;
        QTimer::singleShot(0, &guard, [&] {
            if (auto *modal = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
                opened = QString::fromLatin1(modal->metaObject()->className());
                modal->reject();
            }
        });
        if (source.startsWith(QLatin1String("mnu"))) {
            m_form->findChild<QAction *>(source)->trigger();
        } else if (source.startsWith(QLatin1String("open "))) {
            const MainListModel *model = m_form->lvwList->listModel();
            for (int row = 0; row < model->rowCount(); ++row)
                if (model->text(row) == source.mid(5))
                    select({row});
            OpenSelectedItem(*m_form);
        } else {
            emit m_form->toolbarCommand(source);
        }
        QTest::qWait(0);
        QTEST(opened, "dialog");
    }
};

QTEST_MAIN(tst_PrintCommands)
#include "tst_printcommands.moc"
