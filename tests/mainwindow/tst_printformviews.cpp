#include "../masters/DialogDriver.h"
#include "TestSupport.h"

#include "core/Globals.h"
#include "core/Settings.h"
#include "core/Startup.h"
#include "core/controls/ucJaInput.h"
#include "core/dialogs/frmNameInput.h"
#include "mainwindow/commands/ItemCommands.h"
#include "mainwindow/commands/MainCommands.h"
#include "mainwindow/commands/PrintFormCommands.h"
#include "mainwindow/views/MainListModel.h"
#include "mainwindow/views/MainListView.h"
#include "mainwindow/views/frmMainForm.h"
#include "platform/report/LayoutDesigner.h"
#include "platform/report/LayoutFile.h"
#include "printing/frmPrintForm.h"

#include <QDir>
#include <QFile>
#include <QItemSelectionModel>
#include <QtTest>

using D = DialogDriver;

// The print-form branch of the main window over a prepared program folder.
class tst_PrintFormViews : public QObject {
    Q_OBJECT

    std::optional<testsupport::OpenedProgramFolder> m_folder;
    std::unique_ptr<frmMainForm> m_form;

    void addForm(const QString &folder, const QString &name)
    {
        report::saveLayout(folder + name + QStringLiteral(".rpx"), report::LayoutDesigner::blankLayout());
    }

    QStringList names() const
    {
        QStringList out;
        const MainListModel *model = m_form->lvwList->listModel();
        for (int row = 0; row < model->rowCount(); ++row)
            out << model->text(row);
        return out;
    }

    void select(const QStringList &texts)
    {
        MainListView *list = m_form->lvwList;
        list->selectionModel()->clearSelection();
        const MainListModel *model = list->listModel();
        for (int row = 0; row < model->rowCount(); ++row) {
            if (!texts.contains(model->text(row)))
                continue;
            list->selectionModel()->setCurrentIndex(model->index(row, 0), QItemSelectionModel::NoUpdate);
            list->selectionModel()->select(model->index(row, 0),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
        }
    }

    QStringList files(const QString &folder) const
    {
        return QDir(folder).entryList({QStringLiteral("*.rpx")}, QDir::Files, QDir::Name);
    }

private slots:
    void init()
    {
        m_folder.emplace();
        m_form = std::make_unique<frmMainForm>();
        QVERIFY(m_form->Form_Load());
        new MainCommands(m_form.get());
        m_form->Form_Activate();
    }

    void cleanup()
    {
        m_form.reset();
        m_folder.reset();
    }

    void rootAndKindLists()
    {
        m_form->ShowPrintFormView();
        QCOMPARE(names(), (QStringList{"自社印刷情報", "伝票印刷フォーム", "伝票リスト印刷フォーム", "月締め請求書印刷フォーム",
                                       "顧客印刷フォーム", "顧客リスト印刷フォーム", "商品印刷フォーム", "商品リスト印刷フォーム"}));
        addForm(gstrShohinPrintFormFolder, QStringLiteral("B"));
        addForm(gstrShohinPrintFormFolder, QStringLiteral("A"));
        m_form->lvwList->setCurrentIndex(m_form->lvwList->listModel()->index(6, 0));
        OpenSelectedItem(*m_form);
        QCOMPARE(m_form->CurrentLocation.value(1), QStringLiteral("商品印刷フォーム"));
        QCOMPARE(names(), (QStringList{" フォームの追加", "A", "B"}));
        QCOMPARE(m_form->lvwList->listModel()->text(1, 1), QStringLiteral("Aの印刷設定を表示します..."));
        QCOMPARE(m_form->statusPanelText(3), QStringLiteral("3件"));
    }

    // The print-form and filter lists take their view mode from the settings;
    // any other list, and a stored value out of range, is in report view.
    void viewModeSettings_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("mode");
        QTest::newRow("form large icons") << "Form" << "0" << 0;
        QTest::newRow("form names only") << "Form" << "2" << 2;
        QTest::newRow("form absent") << "Form" << "" << 3;
        QTest::newRow("form out of range") << "Form" << "7" << 3;
        QTest::newRow("filter small icons") << "Filter" << "1" << 1;
        QTest::newRow("filter not a number") << "Filter" << "x" << 3;
    }
    void viewModeSettings()
    {
        QFETCH(QString, key);
        QFETCH(QString, stored);
        QFETCH(int, mode);
        if (!stored.isEmpty())
            QVERIFY(fnWriteSetting(settingsFileName(QString()), QStringLiteral("View Setting"), key, stored));
        MainListView *list = m_form->lvwList;
        if (key == QLatin1String("Form"))
            m_form->ShowPrintFormList(QStringLiteral("商品印刷フォーム"));
        else
            m_form->ShowKensakuFilterList(QStringLiteral("伝票"));
        QCOMPARE(list->listViewMode(), mode);
        QCOMPARE(list->isHeaderHidden(), mode != 3);
        QCOMPARE(list->isColumnHidden(1), mode != 3);
        QCOMPARE(list->iconSize(), mode == 0 ? QSize(32, 32) : QSize(16, 16));
        m_form->ShowPrintFormView();
        QCOMPARE(list->listViewMode(), 3);
        QVERIFY(!list->isHeaderHidden());
    }

    // The add row opens the designer for a new form, a form row for itself;
    // a save lists the forms again.
    void openingRows()
    {
        addForm(gstrDenpyoPrintFormFolder, QStringLiteral("A"));
        m_form->ShowPrintFormList(QStringLiteral("伝票印刷フォーム"));
        QString opened;
        D::onNextModal([&opened](QWidget *modal) {
            auto *designer = qobject_cast<frmPrintForm *>(modal);
            QVERIFY(designer);
            opened = designer->ObjectName + QLatin1Char('/') + designer->FormName;
            designer->txtName->setText(QStringLiteral("新"));
            designer->SaveOverwrite();
            designer->reject();
        });
        m_form->lvwList->setCurrentIndex(m_form->lvwList->listModel()->index(0, 0));
        OpenSelectedItem(*m_form);
        QCOMPARE(opened, QStringLiteral("Denpyo/"));
        QCOMPARE(names(), (QStringList{" フォームの追加", "A", "新"}));

        D::onNextModal([&opened](QWidget *modal) {
            auto *designer = qobject_cast<frmPrintForm *>(modal);
            QVERIFY(designer);
            opened = designer->ObjectName + QLatin1Char('/') + designer->FormName;
            designer->reject();
        });
        select({QStringLiteral("A")});
        ObjectCommand(*m_form, QStringLiteral("Edit"));
        QCOMPARE(opened, QStringLiteral("Denpyo/A"));
    }

    void deleteAsksOnceAndListsSixNames()
    {
        D d;
        QStringList all;
        for (int i = 1; i <= 8; ++i) {
            all << QStringLiteral("F%1").arg(i);
            addForm(gstrCustomerPrintFormFolder, all.last());
        }
        m_form->ShowPrintFormList(QStringLiteral("顧客印刷フォーム"));

        select({QStringLiteral(" フォームの追加")});
        QVERIFY(!DeletePrintForms(*m_form, QStringLiteral("顧客印刷フォーム")));
        QVERIFY(d.messages.isEmpty());

        select(all);
        d.answer = ui::Answer::No;
        ObjectCommand(*m_form, QStringLiteral("Delete"));
        QCOMPARE(files(gstrCustomerPrintFormFolder).size(), 8);
        QCOMPARE(d.texts().last(), QStringLiteral("次の8件の顧客印刷フォームを削除してもよろしいですか？\r\n\r\n"
                                                  "F1\r\nF2\r\nF3\r\nF4\r\nF5\r\nF6\r\n    :\r\n"));
        d.answer = ui::Answer::Yes;
        select(all);
        ObjectCommand(*m_form, QStringLiteral("Delete"));
        QVERIFY(files(gstrCustomerPrintFormFolder).isEmpty());
        QCOMPARE(names(), QStringList{" フォームの追加"});
    }

    void rename_data()
    {
        QTest::addColumn<QString>("newName");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<QStringList>("messages");
        const QStringList taken{QStringLiteral("この名前は既に存在しています。")};
        QTest::newRow("own name") << "abc" << QStringList{"abc.rpx", "other.rpx"} << taken;
        QTest::newRow("own name in other case") << "ABC" << QStringList{"abc.rpx", "other.rpx"} << taken;
        QTest::newRow("another form in other case") << "Other" << QStringList{"abc.rpx", "other.rpx"} << taken;
        QTest::newRow("free name") << "新しい名前" << QStringList{"other.rpx", "新しい名前.rpx"} << QStringList{};
    }

    void rename()
    {
        QFETCH(QString, newName);
        QFETCH(QStringList, after);
        QFETCH(QStringList, messages);
        D d;
        addForm(gstrShohinListPrintFormFolder, QStringLiteral("abc"));
        addForm(gstrShohinListPrintFormFolder, QStringLiteral("other"));
        m_form->ShowPrintFormList(QStringLiteral("商品リスト印刷フォーム"));
        select({QStringLiteral("abc")});
        D::onNextModal([newName](QWidget *modal) {
            auto *dialog = qobject_cast<frmNameInput *>(modal);
            QVERIFY(dialog);
            QCOMPARE(dialog->windowTitle(), QStringLiteral("フォーム名入力"));
            dialog->txtString->setText(newName);
            dialog->InputOK();
        });
        ObjectCommand(*m_form, QStringLiteral("Rename"));
        QCOMPARE(d.texts(), messages);
        QCOMPARE(files(gstrShohinListPrintFormFolder), after);
    }

    void renameFromTheMenuNeedsOneForm()
    {
        D d;
        addForm(gstrShohinPrintFormFolder, QStringLiteral("a"));
        addForm(gstrShohinPrintFormFolder, QStringLiteral("b"));
        m_form->ShowPrintFormList(QStringLiteral("商品印刷フォーム"));
        select({QStringLiteral(" フォームの追加")});
        m_form->mnuRename->trigger();
        select({QStringLiteral("a"), QStringLiteral("b")});
        m_form->mnuRename->trigger();
        QCOMPARE(d.texts(), (QStringList{QStringLiteral("名前を変更するフォームを選択してください。"),
                                         QStringLiteral("複数のフォームを選択することはできません。")}));
    }
};

QTEST_MAIN(tst_PrintFormViews)
#include "tst_printformviews.moc"
