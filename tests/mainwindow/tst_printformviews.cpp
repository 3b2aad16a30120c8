#include "../masters/DialogDriver.h"
#include "../printing/GridForm.h"
#include "FullFileSystem.h"
#include "TestSupport.h"

#include "core/DateValue.h"
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
#include "model/Customer.h"
#include "model/Denpyo.h"
#include "platform/report/LayoutDesigner.h"
#include "platform/report/LayoutFile.h"
#include "platform/report/PageFile.h"
#include "platform/report/PreviewDialog.h"
#include "platform/report/PreviewWidget.h"
#include "printing/SeikyushoArchive.h"
#include "printing/frmPrintForm.h"
#include "printing/frmTsukiSeikyushoPrint.h"

#include <QDir>
#include <QFile>
#include <QItemSelectionModel>
#include <QtTest>

using D = DialogDriver;

namespace {
report::Page pageSaying(const QString &text)
{
    report::Page page;
    report::PageItem item;
    item.type = report::PageItem::Type::Text;
    item.box = QRect(720, 720, 3000, 300);
    item.text = text;
    page.items << item;
    return page;
}
} // namespace

// The print-form and monthly-invoice branches of the main window over a
// prepared program folder.
class tst_PrintFormViews : public QObject {
    Q_OBJECT

    std::optional<testsupport::OpenedProgramFolder> m_folder;
    std::unique_ptr<frmMainForm> m_form;
    QList<QVector<report::Page>> m_previews; // what each preview showed

    void addCustomer(const QString &id, const QString &name, bool monthly)
    {
        Customer c;
        c.setCustomerID(id);
        c.setNameKnj(name);
        c.setShimeBi(QStringLiteral("20日締め"));
        c.setTsukiSeikyu(monthly);
        c.setSeikyushoForm(QStringLiteral("請求"));
        QVERIFY(c.Apply());
    }

    // An archived invoice as a registration leaves it: its folder with the
    // pages 0 to pages - 1, each saying the invoice's name and page number.
    void addInvoice(const QString &id, const QDate &date, int pages)
    {
        QVERIFY(QDir().mkpath(seikyusho::invoiceFolder(id, date)));
        QVector<report::Page> content;
        for (int i = 0; i < pages; ++i)
            content << pageSaying(seikyusho::invoiceName(id, date) + QStringLiteral("/%1").arg(i));
        report::writePageFiles(seikyusho::pageBasePath(id, date), content);
    }

    QStringList column(int c) const
    {
        QStringList out;
        const MainListModel *model = m_form->lvwList->listModel();
        for (int row = 0; row < model->rowCount(); ++row)
            out << model->text(row, c);
        return out;
    }

    void selectRows(const QList<int> &rows)
    {
        MainListView *list = m_form->lvwList;
        list->selectionModel()->clearSelection();
        for (int row : rows) {
            const QModelIndex index = list->listModel()->index(row, 0);
            list->selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
            list->selectionModel()->select(index, QItemSelectionModel::Select | QItemSelectionModel::Rows);
        }
    }

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
        m_previews.clear();
        report::setPreviewDriver([this](report::PreviewDialog &preview) {
            m_previews << preview.viewer()->pages();
            return int(QDialog::Accepted);
        });
        m_form = std::make_unique<frmMainForm>();
        QVERIFY(m_form->Form_Load());
        new MainCommands(m_form.get());
        m_form->Form_Activate();
    }

    void cleanup()
    {
        m_form.reset();
        report::setPreviewDriver({});
        setFixedNow(QDateTime());
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

    // The root lists the customers billed monthly; a customer's row opens the
    // list of its archived invoices after the row that makes a new one, and
    // only folders that are invoices are listed.
    void invoiceViewsList()
    {
        addCustomer(QStringLiteral("C03"), QStringLiteral("丙"), true);
        addCustomer(QStringLiteral("B02"), QStringLiteral("乙"), false);
        addCustomer(QStringLiteral("A01"), QStringLiteral("甲"), true);
        addInvoice(QStringLiteral("A01"), QDate(2024, 2, 20), 1);
        addInvoice(QStringLiteral("A01"), QDate(2024, 1, 20), 1);
        // A registration under way, and a folder without a valid date.
        seikyusho::prepareStaging(QStringLiteral("A01"), QDate(2024, 3, 20));
        QVERIFY(QDir().mkpath(seikyusho::customerFolder(QStringLiteral("A01")) + QStringLiteral("A01_20240231")));

        m_form->SelectTreeNode(QStringLiteral("ts"));
        QCOMPARE(column(0), (QStringList{"A01", "C03"}));
        QCOMPARE(column(1), (QStringList{"甲", "丙"}));

        m_form->lvwList->setCurrentIndex(m_form->lvwList->listModel()->index(0, 0));
        OpenSelectedItem(*m_form);
        QCOMPARE(m_form->CurrentLocation, (QStringList{"月締め請求", "A01/甲", "", ""}));
        QCOMPARE(m_form->CurrentLevel, qint16(1));
        QCOMPARE(column(0), (QStringList{"月締め請求書の作成", "請求書", "請求書"}));
        QCOMPARE(column(1), (QStringList{" ", "2024/01/20", "2024/02/20"}));
        QCOMPARE(m_form->statusPanelText(3), QStringLiteral("3件"));
        QVERIFY(m_form->mnuDelete->isEnabled());

        // A customer without an archive folder.
        m_form->SelectTreeNode(QStringLiteral("tsC03/丙"));
        QCOMPARE(column(0), QStringList{"月締め請求書の作成"});
        QCOMPARE(m_form->statusPanelText(3), QStringLiteral("1件"));
        seikyusho::discardStaging(QStringLiteral("A01"), QDate(2024, 3, 20));
    }

    // An invoice registered from the list's first row is listed, and its row
    // shows the archived pages again exactly as they were printed.
    void registeredInvoiceShowsAgain()
    {
        D d;
        setFixedNow(QDateTime(QDate(2024, 3, 25), QTime(10, 0)));
        addCustomer(QStringLiteral("A01"), QStringLiteral("甲"), true);
        // One slip a page.
        fixture::GridForm(fixture::slotSpecs({QStringLiteral("伝票番号"), QStringLiteral("品名")}, 1)
                          + QStringList{QStringLiteral("P_顧客名")})
            .save(gstrTsukiSeikyushoPrintFormFolder + QStringLiteral("請求.rpx"));
        for (qint32 id : {1, 2}) {
            Denpyo slip;
            slip.setDenpyoID(id);
            slip.setCustomerID(QStringLiteral("A01"));
            slip.setCustomerName(QStringLiteral("甲"));
            slip.setNouki(QDateTime(QDate(2024, 3, 1 + id), QTime(0, 0)));
            Meisai &line = slip.Meisais().Add();
            line.setItemName(QStringLiteral("品%1").arg(id));
            line.setItemKingaku(1000 * id);
            QVERIFY(slip.Apply());
        }
        m_form->ShowSeikyushoList(QStringLiteral("A01"), QStringLiteral("甲"));
        D::onNextModal([](QWidget *modal) {
            auto *window = qobject_cast<frmTsukiSeikyushoPrint *>(modal);
            QVERIFY(window);
            window->SeikyushoRegistPrint();
        });
        selectRows({0});
        OpenSelectedItem(*m_form);
        QVERIFY(d.messages.isEmpty());
        QCOMPARE(m_previews.size(), 1);
        const QVector<report::Page> printed = m_previews[0];
        QCOMPARE(printed.size(), 2);
        QVERIFY(printed[0] != printed[1]);
        QCOMPARE(column(1), (QStringList{" ", "2024/03/20"}));
        QCOMPARE(seikyusho::pagePaths(QStringLiteral("A01"), QDate(2024, 3, 20)).size(), printed.size());

        selectRows({1});
        OpenSelectedItem(*m_form);
        ItemCommand(*m_form, QStringLiteral("Print")); // the popup's print entry
        QCOMPARE(m_previews.size(), 3);
        QCOMPARE(m_previews[1], printed);
        QCOMPARE(m_previews[2], printed);
        QVERIFY(d.messages.isEmpty());
    }

    // Pages up to the first gap are shown; an invoice without pages is an
    // empty preview; a page that cannot be read is reported and nothing is
    // shown.
    void reprintOfIncompleteInvoices_data()
    {
        QTest::addColumn<QStringList>("files"); // page numbers; "!" marks a broken one
        QTest::addColumn<int>("shown");         // pages shown, -1 for no preview
        QTest::newRow("a gap") << QStringList{"0", "2"} << 1;
        QTest::newRow("no pages") << QStringList{} << 0;
        QTest::newRow("a broken page") << QStringList{"0", "1!"} << -1;
    }
    void reprintOfIncompleteInvoices()
    {
        QFETCH(QStringList, files);
        QFETCH(int, shown);
        D d;
        const QString id = QStringLiteral("A01");
        const QDate date(2024, 1, 20);
        addCustomer(id, QStringLiteral("甲"), true);
        QVERIFY(QDir().mkpath(seikyusho::invoiceFolder(id, date)));
        for (const QString &file : files) {
            const QString path = seikyusho::pageBasePath(id, date) + QLatin1Char('_') + file.left(1);
            if (file.endsWith(QLatin1Char('!'))) {
                QFile broken(path);
                QVERIFY(broken.open(QIODevice::WriteOnly));
                broken.write("not a page");
            } else {
                report::savePage(path, pageSaying(file));
            }
        }
        m_form->ShowSeikyushoList(id, QStringLiteral("甲"));
        selectRows({1});
        OpenSelectedItem(*m_form);
        if (shown < 0) {
            QVERIFY(m_previews.isEmpty());
            QCOMPARE(d.messages.size(), 1);
            QCOMPARE(d.messages[0].icon, ui::Icon::None);
            QVERIFY(!d.messages[0].text.isEmpty());
        } else {
            QVERIFY(d.messages.isEmpty());
            QCOMPARE(m_previews.size(), 1);
            QCOMPARE(m_previews[0].size(), shown);
        }
    }

    // Deleting or renaming a print form or an invoice on a disk that only
    // reads says why, and what was there stays.
    void changeOnReadOnlyDiskSaysWhy_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("message");
        QTest::newRow("delete print form") << "delete form" << "次の印刷フォームを削除できませんでした。";
        QTest::newRow("rename print form") << "rename form" << "印刷フォームの名前を変更できませんでした。";
        QTest::newRow("delete invoice") << "delete invoice" << "次の月締め請求書を削除できませんでした。";
    }
    void changeOnReadOnlyDiskSaysWhy()
    {
        QFETCH(QString, command);
        QFETCH(QString, message);
        testsupport::FullFileSystem fs;
        QVX_NEED_FULL_FS(fs);
        D d;
        const QString folder = fs.path() + QLatin1Char('/');
        const QString a = QStringLiteral("A01");
        if (command == QLatin1String("delete invoice")) {
            addCustomer(a, QStringLiteral("甲"), true);
            gstrTsukiSeikyushoFolder = folder;
            addInvoice(a, QDate(2024, 1, 20), 1);
            m_form->ShowSeikyushoList(a, QStringLiteral("甲"));
            selectRows({1});
        } else {
            gstrCustomerPrintFormFolder = folder;
            addForm(folder, QStringLiteral("請求"));
            m_form->ShowPrintFormList(QStringLiteral("顧客印刷フォーム"));
            select({QStringLiteral("請求")});
            D::onNextModal([](QWidget *modal) {
                auto *dialog = qobject_cast<frmNameInput *>(modal);
                QVERIFY(dialog);
                dialog->txtString->setText(QStringLiteral("納品"));
                dialog->InputOK();
            });
        }
        QVERIFY(fs.makeReadOnly());
        d.answer = ui::Answer::Yes;
        if (command == QLatin1String("delete invoice"))
            m_form->mnuDelete->trigger();
        else
            ObjectCommand(*m_form, command == QLatin1String("delete form") ? QStringLiteral("Delete")
                                                                            : QStringLiteral("Rename"));
        QVERIFY(!d.messages.isEmpty());
        const QString shown = d.messages.last().text;
        QVERIFY2(shown.startsWith(message), qPrintable(shown));
        QVERIFY(testsupport::saysWhyInJapanese(shown, QStringLiteral("保存先は読み取り専用です。")));
        if (command == QLatin1String("delete invoice"))
            QCOMPARE(seikyusho::invoiceDates(a), QVector<QDate>{QDate(2024, 1, 20)});
        else
            QCOMPARE(files(folder), QStringList{"請求.rpx"});
    }

    // One question names the first six dates; No changes nothing; Yes
    // deletes exactly the selected invoices (never the first row, another
    // customer's invoice of the same date or a registration under way). An
    // invoice that cannot be removed is reported and the others still go.
    void deleteInvoices_data()
    {
        QTest::addColumn<bool>("oneStuck");
        QTest::newRow("all removable") << false;
        QTest::newRow("one cannot be removed") << true;
    }
    void deleteInvoices()
    {
        QFETCH(bool, oneStuck);
        D d;
        const QString a = QStringLiteral("A01");
        addCustomer(a, QStringLiteral("甲"), true);
        QList<QDate> dates;
        for (int month = 1; month <= 8; ++month) {
            dates << QDate(2024, month, 20);
            addInvoice(a, dates.last(), 2);
        }
        addInvoice(QStringLiteral("C03"), dates[1], 1);
        const QString staging = seikyusho::stagingFolder(a, dates[1]);
        seikyusho::prepareStaging(a, dates[1]);
        // A folder with a file system on it cannot be removed.
        std::optional<testsupport::TmpfsMount> stuck;
        if (oneStuck) {
            QVERIFY(seikyusho::deleteInvoice(a, dates[4]));
            QVERIFY(QDir().mkpath(seikyusho::invoiceFolder(a, dates[4])));
            stuck.emplace(seikyusho::invoiceFolder(a, dates[4]), 64);
            if (!stuck->isMounted())
                QSKIP("needs root to mount a small tmpfs");
            addInvoice(a, dates[4], 2);
        }
        m_form->ShowSeikyushoList(a, QStringLiteral("甲"));

        selectRows({0, 1, 2, 3, 4, 5, 6, 7});
        d.answer = ui::Answer::No;
        ItemCommand(*m_form, QStringLiteral("Delete")); // the popup's delete entry
        QCOMPARE(d.texts(), QStringList{"次の7件の月締め請求書を削除してもよろしいですか？\r\n\r\n"
                                        "2024/01/20\r\n2024/02/20\r\n2024/03/20\r\n2024/04/20\r\n"
                                        "2024/05/20\r\n2024/06/20\r\n    :\r\n"});
        QCOMPARE(d.messages[0].icon, ui::Icon::Question);
        QCOMPARE(seikyusho::invoiceDates(a).size(), 8);

        d.messages.clear();
        d.answer = ui::Answer::Yes;
        selectRows({0, 2, 5, 8});
        m_form->mnuDelete->trigger();
        QList<QDate> kept = dates;
        kept.removeOne(dates[1]);
        kept.removeOne(dates[7]);
        if (!oneStuck) {
            kept.removeOne(dates[4]);
            QCOMPARE(d.messages.size(), 1);
        } else {
            QCOMPARE(d.messages.size(), 2);
            QCOMPARE(d.messages[1].text, QStringLiteral("次の月締め請求書を削除できませんでした。"
                                                        "ほかのプログラムが使用しています。\r\n\r\n2024/05/20"));
        }
        QCOMPARE(seikyusho::invoiceDates(a), QVector<QDate>(kept.begin(), kept.end()));
        for (const QDate &date : kept)
            QCOMPARE(seikyusho::pagePaths(a, date).size(), date == dates[4] ? 0 : 2);
        QCOMPARE(seikyusho::invoiceDates(QStringLiteral("C03")), QVector<QDate>{dates[1]});
        QVERIFY(QFileInfo::exists(staging));
        seikyusho::discardStaging(a, dates[1]);
        QCOMPARE(column(1).size(), kept.size() + 1); // the list is shown again
        QCOMPARE(column(1).last(), kept.last().toString(QStringLiteral("yyyy/MM/dd")));
    }
};

QTEST_MAIN(tst_PrintFormViews)
#include "tst_printformviews.moc"
