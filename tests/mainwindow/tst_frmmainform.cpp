#include "../masters/DateKeys.h"
#include "FullFileSystem.h"
#include "TestSupport.h"

#include "core/DateValue.h"
#include "core/Globals.h"
#include "core/Settings.h"
#include "core/Startup.h"
#include "filtereditor/frmFind.h"
#include "filters/SearchFilterFile.h"
#include "mainwindow/commands/ItemCommands.h"
#include "mainwindow/commands/MainCommands.h"
#include "mainwindow/commands/PopupMenus.h"
#include "masters/frmCustomer.h"
#include "masters/frmShohin.h"
#include "slips/frmDenpyo.h"
#include "mainwindow/views/DateBar.h"
#include "mainwindow/views/MainListModel.h"
#include "mainwindow/views/MainListView.h"
#include "mainwindow/views/NavigationTree.h"
#include "mainwindow/views/frmMainForm.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/Twips.h"

#include <QAction>
#include <QCalendarWidget>
#include <QDialog>
#include <QComboBox>
#include <QDateEdit>
#include <QAbstractItemView>
#include <QHeaderView>
#include <QMenu>
#include <QToolBar>
#include <QtTest>
#include <sqlite3.h>

// The main window over a prepared program folder, with today fixed at
// 2026/12/09.
class tst_frmMainForm : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void startupShowsTodaysSlips();
    void startupInMonthModeShowsTheMonth();
    void storedSettingsOutOfRangeFallBack_data();
    void storedSettingsOutOfRangeFallBack();
    void unloadClosesDatabaseThenSavesSettings();
    void treeNodes();
    void treeRouting_data();
    void treeRouting();
    void rootMenuRowsAndFilterNames();
    void filterRowIsDispatchedAsFilter();
    void commandFlagsPerView_data();
    void commandFlagsPerView();
    void escapeGoesUp();
    void dateBarHandlers();
    void dateBarSteps();
    void dateBarTakesDatesAsTyped_data();
    void dateBarTakesDatesAsTyped();
    void softLimit_data();
    void softLimit();
    void lineConditionJoinRunsOnce_data();
    void lineConditionJoinRunsOnce();
    void viewRequestDuringABuildRunsAfterIt();
    void slipRowFormats();
    void slipImages_data();
    void slipImages();
    void customerAndProductRows();
    void columnClickSorts();
    void columnsSortByValue_data();
    void columnsSortByValue();
    void popupMenus_data();
    void popupMenus();
    void popupMenuFromTheKeyboard_data();
    void popupMenuFromTheKeyboard();
    void databaseErrorShowsEmptyList();
    void ctrlKeysFollowCommandState();
    void slipColumnWidthsAreRemembered();
    void refusedStartupSavesNothing();
    void firstStartShowsBarsAndNumbersWhole();
    void startLeavesUnseenListsUntilUsed_data();
    void startLeavesUnseenListsUntilUsed();
    void treeKeys();
    void editorsOpenFromRowsAndF2_data();
    void editorsOpenFromRowsAndF2();
    void goingUpFromARecord_data();
    void goingUpFromARecord();
    void layoutResetDeletesTheLayoutFile();
    void layoutResetOnReadOnlyDiskSaysWhy();
    void settingsAndAboutOpenTheirDialogs_data();
    void settingsAndAboutOpenTheirDialogs();

private:
    void insertSlip(int id, const QString &nouki, const QString &name, const QString &bumon, int amount,
                    const QString &flags = QString(), const QString &insertDate = QStringLiteral("2026/12/01 09:08:07"));
    void insertCustomer(const QString &id, const QString &name, const QString &bumon, const QString &shimeBi,
                        bool monthly);
    void insertShohin(const QString &id, const QString &number, const QString &name, const QString &maker,
                      double tanka);
    void writeFilter(const QString &folder, const QString &name);
    void setSetting(const QString &file, const QString &section, const QString &key, const QString &value);
    void open(bool activate = true);
    QStringList column(int col) const;
    QStringList location() const { return m_form->CurrentLocation; }

    std::unique_ptr<testsupport::ProgramFolder> m_folder;
    std::unique_ptr<frmMainForm> m_form;
    MainCommands *m_commands = nullptr;
    QList<ui::MessageRequest> m_messages;
    ui::Answer m_answer = ui::Answer::Yes;
    std::function<void()> m_onMessage;
};

void tst_frmMainForm::init()
{
    setFixedNow(QDateTime(QDate(2026, 12, 9), QTime(10, 0)));
    m_folder = std::make_unique<testsupport::ProgramFolder>();
    m_folder->open();
    m_messages.clear();
    m_answer = ui::Answer::Yes;
    m_onMessage = nullptr;
    ui::setMessageResponder([this](const ui::MessageRequest &request) {
        m_messages.append(request);
        if (m_onMessage)
            m_onMessage();
        return m_answer;
    });
}

void tst_frmMainForm::cleanup()
{
    m_form.reset();
    m_commands = nullptr;
    CloseDatabase();
    ui::setMessageResponder({});
    m_folder.reset();
    setFixedNow(QDateTime());
}

void tst_frmMainForm::insertSlip(int id, const QString &nouki, const QString &name, const QString &bumon,
                                 int amount, const QString &flags, const QString &insertDate)
{
    // flags: letters M J N S Y for the five stages, each dated 2026/12/0n.
    auto statement = connection().prepare(QStringLiteral(
        "INSERT INTO 伝票テーブル (伝票番号, 納期, 顧客ID, 顧客名, 顧客部門, 合計消費税込み, 見積もり, 見積もり日付, "
        "受注, 受注日付, 納品, 納品日付, 請求, 請求日付, 入金, 入金日付, 作成日付, 更新日付) "
        "VALUES (?, ?, 'C001', ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, NULL)"));
    statement.bind(1, id).bind(2, nouki).bind(3, name).bind(4, bumon.isEmpty() ? QVariant() : QVariant(bumon));
    statement.bind(5, amount);
    const char stages[] = {'M', 'J', 'N', 'S', 'Y'};
    for (int i = 0; i < 5; ++i) {
        const bool on = flags.contains(QLatin1Char(stages[i]));
        statement.bind(6 + 2 * i, on ? 1 : 0);
        statement.bind(7 + 2 * i, on ? QVariant(QStringLiteral("2026/12/0%1").arg(i + 1)) : QVariant());
    }
    statement.bind(16, insertDate.isEmpty() ? QVariant() : QVariant(insertDate));
    statement.exec();
}

void tst_frmMainForm::insertCustomer(const QString &id, const QString &name, const QString &bumon,
                                     const QString &shimeBi, bool monthly)
{
    auto statement = connection().prepare(QStringLiteral(
        "INSERT INTO 顧客テーブル (顧客ID, 顧客名漢字, 部門, 締め日, 月締め請求, 値引率) VALUES (?, ?, ?, ?, ?, 0)"));
    statement.bind(1, id).bind(2, name).bind(3, bumon.isEmpty() ? QVariant() : QVariant(bumon));
    statement.bind(4, shimeBi.isEmpty() ? QVariant() : QVariant(shimeBi)).bind(5, monthly ? 1 : 0);
    statement.exec();
}

void tst_frmMainForm::insertShohin(const QString &id, const QString &number, const QString &name,
                                   const QString &maker, double tanka)
{
    auto statement = connection().prepare(
        QStringLiteral("INSERT INTO 商品テーブル (商品ID, 品番, 品名, 製造元, 単価) VALUES (?, ?, ?, ?, ?)"));
    statement.bind(1, id).bind(2, number).bind(3, name).bind(4, maker).bind(5, tanka);
    statement.exec();
}

void tst_frmMainForm::writeFilter(const QString &folder, const QString &name)
{
    SearchFilterFile().write(folder + name + QStringLiteral(".") + QStringLiteral("dkj"));
}

void tst_frmMainForm::setSetting(const QString &file, const QString &section, const QString &key,
                                 const QString &value)
{
    QVERIFY(fnWriteSetting(file, section, key, value));
}

void tst_frmMainForm::open(bool activate)
{
    m_form = std::make_unique<frmMainForm>();
    QVERIFY(m_form->Form_Load());
    m_commands = new MainCommands(m_form.get());
    if (activate)
        m_form->Form_Activate();
}

QStringList tst_frmMainForm::column(int col) const
{
    QStringList texts;
    const MainListModel *model = m_form->lvwList->listModel();
    for (int row = 0; row < model->rowCount(); ++row)
        texts << model->text(row, col);
    return texts;
}

void tst_frmMainForm::startupShowsTodaysSlips()
{
    insertSlip(3, QStringLiteral("2026/12/09"), QStringLiteral("丙"), QString(), 300);
    insertSlip(1, QStringLiteral("2026/12/09"), QStringLiteral("甲"), QString(), 100);
    insertSlip(2, QStringLiteral("2026/12/08"), QStringLiteral("乙"), QString(), 200);
    open();

    QCOMPARE(m_form->windowTitle(), QStringLiteral("Quorvex5"));
    QCOMPARE(m_form->objectName(), QStringLiteral("frmMainForm"));
    QCOMPARE(location(), (QStringList{"伝票", "*納期：2026/12/09", "", ""}));
    QCOMPARE(m_form->CurrentLevel, qint16(1));
    QVERIFY(!m_form->flgInit);
    QCOMPARE(m_form->lblTreeCaption(), QStringLiteral("伝票"));
    QCOMPARE(m_form->lblListCaption(), QStringLiteral("*納期：2026/12/09"));
    QCOMPARE(column(0), (QStringList{"000000001", "000000003"}));
    QCOMPARE(m_form->lvwList->listModel()->columnCount(), 16);
    QCOMPARE(m_form->lvwList->listModel()->headerData(15, Qt::Horizontal, Qt::DisplayRole).toString(),
             QStringLiteral("更新日"));
    QCOMPARE(m_form->statusPanelText(2), QStringLiteral("合計金額:400円"));
    QCOMPARE(m_form->statusPanelText(3), QStringLiteral("2件"));
    QVERIFY(m_form->dateBar->DayMode);
    QCOMPARE(m_form->dateBar->cmbNouki->currentText(), QStringLiteral("2026/12"));
    QCOMPARE(m_form->dateBar->cmbNouki->itemText(1), QStringLiteral("2024/03"));
    QCOMPARE(m_form->dateBar->strMaxMonth, QStringLiteral("2028/01"));
    QVERIFY(m_messages.isEmpty());
    // Later activations change nothing.
    m_form->ShowCustomerMenu();
    m_form->Form_Activate();
    QCOMPARE(location().value(0), QStringLiteral("顧客"));
}

void tst_frmMainForm::startupInMonthModeShowsTheMonth()
{
    setSetting(settingsFileName(QStringLiteral("Ini")), QStringLiteral("Initial Data"), QStringLiteral("DayMode"),
               QStringLiteral("False"));
    setSetting(settingsFileName(QStringLiteral("Ini")), QStringLiteral("Initial Data"), QStringLiteral("DateItem"),
               QStringLiteral("2"));
    open();
    QCOMPARE(location().value(1), QStringLiteral("*受注日：2026/12/01～2026/12/31"));
    QVERIFY(!m_form->dateBar->DayMode);
    QVERIFY(m_form->dateBar->tlbMonthBar->isVisibleTo(m_form->dateBar));
    QVERIFY(!m_form->dateBar->tlbDayBar->isVisibleTo(m_form->dateBar));
}

void tst_frmMainForm::storedSettingsOutOfRangeFallBack_data()
{
    QTest::addColumn<QString>("dateItem");
    QTest::addColumn<QString>("dayMode");
    QTest::addColumn<int>("expectedItem");
    QTest::addColumn<bool>("expectedDayMode");
    QTest::newRow("above 7") << "8" << "TRUE" << 0 << true;
    QTest::newRow("negative") << "-3" << "FALSE" << 0 << false;
    QTest::newRow("not a number") << "x1" << "TRUE" << 0 << true;
    QTest::newRow("fraction") << "2.5" << "TRUE" << 0 << true;
    QTest::newRow("not a Boolean") << "7" << "MAYBE" << 7 << true;
}

void tst_frmMainForm::storedSettingsOutOfRangeFallBack()
{
    QFETCH(QString, dateItem);
    QFETCH(QString, dayMode);
    const QString ini = settingsFileName(QStringLiteral("Ini"));
    setSetting(ini, QStringLiteral("Initial Data"), QStringLiteral("DateItem"), dateItem);
    setSetting(ini, QStringLiteral("Initial Data"), QStringLiteral("DayMode"), dayMode);
    setSetting(settingsFileName(QStringLiteral("Size")), QStringLiteral("MainMenu Positions"),
               QStringLiteral("ContentsFormHeight"), QStringLiteral("abc"));
    open();
    QTEST(m_form->dateBar->cmbDateItem->currentIndex(), "expectedItem");
    QTEST(m_form->dateBar->DayMode, "expectedDayMode");
    QVERIFY(m_messages.isEmpty());
}

void tst_frmMainForm::unloadClosesDatabaseThenSavesSettings()
{
    open();
    m_form->dateBar->cmbDateItem->setCurrentIndex(3);
    m_form->dateBar->cmbDateItem_Click();
    m_form->dateBar->cmbShimeBi->setCurrentIndex(2);
    m_form->dateBar->cmbShimeBi_Click();
    QVERIFY(!m_form->dateBar->DayMode);
    m_form->lvwList->header()->resizeSection(2, ui::twipsToPixelsX(2880));
    m_form->close();
    QVERIFY(!gConnection);
    const QString ini = settingsFileName(QStringLiteral("Ini"));
    QCOMPARE(fnReadSetting(ini, QStringLiteral("Initial Data"), QStringLiteral("DateItem")), QStringLiteral("3"));
    QCOMPARE(fnReadSetting(ini, QStringLiteral("Initial Data"), QStringLiteral("DayMode")).toUpper(),
             QStringLiteral("FALSE"));
    QVERIFY(!fnReadSetting(settingsFileName(QStringLiteral("Size")), QStringLiteral("Window Positions"),
                           QStringLiteral("frmMainForm"))
                 .isEmpty());
    QCOMPARE(fnReadSetting(settingsFileName(QStringLiteral("Size")), QStringLiteral("ListViewHeaderColumn Width"),
                           QStringLiteral("frmMainForm"))
                 .mid(10, 5),
             QStringLiteral("02880"));
}

void tst_frmMainForm::treeNodes()
{
    insertCustomer(QStringLiteral("C2"), QStringLiteral("乙/支店"), QString(), QStringLiteral("20日締め"), true);
    insertCustomer(QStringLiteral("C1"), QStringLiteral("甲"), QString(), QString(), true);
    insertCustomer(QStringLiteral("C3"), QStringLiteral("丙"), QString(), QString(), false);
    for (const QString &name : {QStringLiteral("b"), QStringLiteral("a"), QStringLiteral("全件"),
                                QStringLiteral("検索フィルター"), QStringLiteral("一時検索"),
                                QStringLiteral("一時検索2")})
        writeFilter(gstrDenpyoKensakuFilterFolder, name);
    open();

    NavigationTree *tree = m_form->tvwTree;
    QStringList roots;
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
        roots << tree->topLevelItem(i)->text(0);
        QVERIFY(!tree->topLevelItem(i)->isExpanded());
    }
    QCOMPARE(roots, (QStringList{"伝票", "顧客", "商品", "月締め請求", "印刷フォーム"}));
    QStringList slipKeys, invoiceKeys;
    for (int i = 0; i < tree->topLevelItem(0)->childCount(); ++i)
        slipKeys << NavigationTree::keyOf(tree->topLevelItem(0)->child(i));
    QCOMPARE(slipKeys, (QStringList{"de検索フィルター", "de全件", "dea", "deb"}));
    for (int i = 0; i < tree->topLevelItem(3)->childCount(); ++i)
        invoiceKeys << NavigationTree::keyOf(tree->topLevelItem(3)->child(i));
    QCOMPARE(invoiceKeys, (QStringList{"tsC1/甲", "tsC2/乙/支店"}));
    QCOMPARE(tree->topLevelItem(4)->childCount(), 7);
    QCOMPARE(tree->topLevelItem(4)->child(2)->text(0), QStringLiteral("月締め請求書印刷フォーム"));
}

void tst_frmMainForm::treeRouting_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QStringList>("place");
    QTest::addColumn<int>("level");
    QTest::addColumn<QString>("listTitle");
    QTest::addColumn<int>("rows");

    QTest::newRow("slip root with a saved filter") << "de" << QStringList{"伝票", "", "", ""} << 0 << "" << 6;
    QTest::newRow("all slips") << "de全件" << QStringList{"伝票", "全件", "", ""} << 1 << "全件" << 3;
    QTest::newRow("saved slip filter") << "dea" << QStringList{"伝票", "a", "", ""} << 1 << "a" << 3;
    QTest::newRow("customer root") << "cu" << QStringList{"顧客", "", "", ""} << 0 << "" << 5;
    QTest::newRow("all customers") << "cu全件" << QStringList{"顧客", "全件", "", ""} << 1 << "全件" << 2;
    QTest::newRow("product root") << "sh" << QStringList{"商品", "", "", ""} << 0 << "" << 5;
    QTest::newRow("all products") << "sh全件" << QStringList{"商品", "全件", "", ""} << 1 << "全件" << 1;
    // The filter folders: the add row, then the saved filters.
    QTest::newRow("slip filter folder") << "de検索フィルター" << QStringList{"伝票", "検索フィルター", "", ""} << 1
                                        << "検索フィルター" << 2;
    QTest::newRow("product filter folder")
        << "sh検索フィルター" << QStringList{"商品", "検索フィルター", "", ""} << 1 << "検索フィルター" << 1;
    QTest::newRow("monthly invoices") << "ts" << QStringList{"月締め請求", "", "", ""} << 0 << "月締め請求" << 0;
    QTest::newRow("invoices of a customer whose name holds a slash")
        << "tsC2/乙/支店" << QStringList{"月締め請求", "C2/乙/支店", "", ""} << 1 << "C2/乙/支店" << 1;
    // The own-company row and the seven kinds; a kind's list holds its add row.
    QTest::newRow("print forms") << "sy" << QStringList{"印刷フォーム", "", "", ""} << 0 << "" << 8;
    QTest::newRow("print forms of one kind") << "sy伝票印刷フォーム" << QStringList{"印刷フォーム", "伝票印刷フォーム", "", ""}
                                             << 1 << "伝票印刷フォーム" << 1;
    QTest::newRow("unknown branch changes nothing")
        << "xx" << QStringList{"伝票", "*納期：2026/12/09", "", ""} << 1 << "*納期：2026/12/09" << 0;
}

void tst_frmMainForm::treeRouting()
{
    insertSlip(1, QStringLiteral("2026/11/01"), QStringLiteral("甲"), QString(), 1);
    insertSlip(2, QStringLiteral("2026/11/02"), QStringLiteral("甲"), QString(), 1);
    insertSlip(3, QStringLiteral("2026/11/03"), QStringLiteral("甲"), QString(), 1);
    insertCustomer(QStringLiteral("C1"), QStringLiteral("甲"), QString(), QString(), false);
    insertCustomer(QStringLiteral("C2"), QStringLiteral("乙"), QString(), QString(), false);
    insertShohin(QStringLiteral("P1"), QStringLiteral("N"), QStringLiteral("品"), QStringLiteral("M"), 1);
    writeFilter(gstrDenpyoKensakuFilterFolder, QStringLiteral("a"));
    open();

    QFETCH(QString, key);
    m_form->SelectTreeNode(key);
    QTEST(location(), "place");
    QTEST(int(m_form->CurrentLevel), "level");
    QTEST(m_form->lblListCaption(), "listTitle");
    QTEST(m_form->lvwList->rowCountShown(), "rows");
    QCOMPARE(m_form->lblTreeCaption(), location().value(0));
    QVERIFY(m_messages.isEmpty());

    // Showing the place again reads the same rows.
    m_form->RefreshView();
    QTEST(location(), "place");
    QTEST(m_form->lvwList->rowCountShown(), "rows");
}

void tst_frmMainForm::rootMenuRowsAndFilterNames()
{
    for (const QString &name : {QStringLiteral("zz"), QStringLiteral("aa"), QStringLiteral("全件"),
                                QStringLiteral("一時検索"), QStringLiteral("一時検索X")})
        writeFilter(gstrDenpyoKensakuFilterFolder, name);
    open();
    m_form->ShowDenpyoMenu();
    QCOMPARE(column(0), (QStringList{"新規伝票", "伝票修正", "検索", "検索フィルター", "全件", "aa", "zz"}));
    QCOMPARE(column(1).value(5), QStringLiteral("aaの伝票を検索します..."));
    QCOMPARE(column(2), (QStringList{"0", "1", "2", "3", "4", "9aa", "9zz"}));
    QVERIFY(m_form->lvwList->isColumnHidden(2));
    const MainListModel *model = m_form->lvwList->listModel();
    QCOMPARE(model->image(0), 22);
    QCOMPARE(model->image(3), 17);
    QCOMPARE(model->image(5), 2);
    QCOMPARE(m_form->statusPanelText(1), QStringLiteral("[Ctrl]+F-検索"));
    QCOMPARE(m_form->statusPanelText(2), QString());
    QCOMPARE(m_form->statusPanelText(3), QString());

    m_form->ShowCustomerMenu();
    QCOMPARE(column(0), (QStringList{"新規顧客", "顧客修正", "検索", "検索フィルター", "全件"}));
    QCOMPARE(model->image(0), 23);
    QCOMPARE(model->image(2), 12);
    m_form->ShowShohinMenu();
    QCOMPARE(column(0), (QStringList{"新規商品", "商品修正", "検索", "検索フィルター", "全件"}));
    QCOMPARE(model->image(1), 6);
}

void tst_frmMainForm::filterRowIsDispatchedAsFilter()
{
    insertSlip(1, QStringLiteral("2026/11/01"), QStringLiteral("甲"), QString(), 1);
    writeFilter(gstrDenpyoKensakuFilterFolder, QStringLiteral("新規伝票"));
    open();
    m_form->ShowDenpyoMenu();
    MainListView *list = m_form->lvwList;
    QCOMPARE(column(0).value(5), QStringLiteral("新規伝票"));
    list->setCurrentIndex(list->listModel()->index(5, 0));
    emit list->openRequested();
    QCOMPARE(location(), (QStringList{"伝票", "新規伝票", "", ""}));
    QCOMPARE(list->rowCountShown(), 1);

    // The fixed 全件 row of the customer menu lists the customers.
    m_form->ShowCustomerMenu();
    list->setCurrentIndex(list->listModel()->index(4, 0));
    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(location(), (QStringList{"顧客", "全件", "", ""}));

    // Its 検索フィルター row goes to the customers' filter folder.
    m_form->ShowCustomerMenu();
    list->setCurrentIndex(list->listModel()->index(3, 0));
    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(location(), (QStringList{"顧客", "検索フィルター", "", ""}));
    QCOMPARE(m_form->CurrentLevel, qint16(1));
}

void tst_frmMainForm::commandFlagsPerView_data()
{
    QTest::addColumn<QString>("key");
    // select all, up, copy/paste, delete, find, list print, new, write file,
    // bulk progress, rename, basic settings
    QTest::addColumn<QString>("flags");
    QTest::addColumn<QString>("panel1");
    QTest::newRow("slip menu") << "de" << "00001010001" << "[Ctrl]+F-検索";
    QTest::newRow("customer menu") << "cu" << "00001010001" << "[Ctrl]+F-検索";
    QTest::newRow("slip list") << "de全件" << "11111111101"
                               << "ESC-上へ  F2-編集  [Ctrl]+F-検索  [Ctrl]+C-コピー  [Ctrl]+V-貼り付け  "
                                  "[Ctrl]+A-すべて選択";
    QTest::newRow("customer list") << "cu全件" << "11111111001"
                                   << "ESC-上へ  F2-編集  [Ctrl]+F-検索  [Ctrl]+C-コピー [Ctrl]+V-貼り付け  "
                                      "[Ctrl]+A-すべて選択";
    QTest::newRow("product list") << "sh全件" << "11111111001"
                                  << "ESC-上へ  F2-編集  [Ctrl]+F-検索  [Ctrl]+C-コピー [Ctrl]+V-貼り付け  "
                                     "[Ctrl]+A-すべて選択";
    QTest::newRow("filter folder") << "cu検索フィルター" << "11011010011" << "ESC-上へ  [Ctrl]+F-検索";
    QTest::newRow("monthly-invoice root") << "ts" << "00000000001" << "";
    QTest::newRow("saved invoices of a customer") << "tsC1/甲" << "11010000001" << "ESC-上へ  F2-編集";
    QTest::newRow("print-form root") << "sy" << "00000000001" << "";
    QTest::newRow("print forms of one kind") << "sy顧客印刷フォーム" << "11010010011" << "ESC-上へ  ";
}

void tst_frmMainForm::commandFlagsPerView()
{
    open();
    QFETCH(QString, key);
    QFETCH(QString, flags);
    m_form->SelectTreeNode(key);
    QString actual;
    for (int flag = 1; flag <= 11; ++flag)
        actual += m_form->commandEnabled(flag) ? QLatin1Char('1') : QLatin1Char('0');
    QCOMPARE(actual, flags);
    QTEST(m_form->statusPanelText(1), "panel1");

    auto on = [&](int flag) { return flags.at(flag - 1) == QLatin1Char('1'); };
    QCOMPARE(m_form->lvwList->multiSelect(), on(1));
    const struct {
        const char *button;
        QAction *menu;
        int flag;
    } items[] = {{"SelectAll", m_form->mnuSelectAll, 1}, {"UpFolder", nullptr, 2}, {"Copy", m_form->mnuCopy, 3},
                 {"Paste", m_form->mnuPaste, 3},         {"Delete", m_form->mnuDelete, 4}, {"Find", m_form->mnuFind, 5},
                 {"ListPrint", m_form->mnuListPrint, 6}, {"New", m_form->mnuNew, 7},
                 {"WriteFile", m_form->mnuWriteFile, 8}, {"Shinko", m_form->mnuShinko, 9},
                 {nullptr, m_form->mnuRename, 10},       {"SystemInfo", m_form->mnuSystemInfo, 11}};
    for (const auto &item : items) {
        if (item.button)
            QCOMPARE(m_form->toolbarButton(QString::fromLatin1(item.button))->isEnabled(), on(item.flag));
        if (item.menu)
            QCOMPARE(item.menu->isEnabled(), on(item.flag));
    }
    QVERIFY(m_form->toolbarButton(QStringLiteral("Refresh"))->isEnabled());
    QVERIFY(m_form->toolbarButton(QStringLiteral("Help"))->isEnabled());
}

void tst_frmMainForm::escapeGoesUp()
{
    open();
    m_form->SelectTreeNode(QStringLiteral("sh全件"));
    QTest::keyClick(m_form->lvwList, Qt::Key_Escape);
    QCOMPARE(location(), (QStringList{"商品", "", "", ""}));
    QCOMPARE(m_form->CurrentLevel, qint16(0));
    QTest::keyClick(m_form->lvwList, Qt::Key_Escape);
    QCOMPARE(location(), (QStringList{"商品", "", "", ""}));
    m_form->ShowDenpyoList(QStringLiteral("全件"), QStringLiteral("全件"), true);
    emit m_form->toolbarCommand(QStringLiteral("UpFolder"));
    QCOMPARE(location(), (QStringList{"伝票", "", "", ""}));

    // The filter folder, the saved invoices and the print forms of one kind
    // go up to their roots; F2 there changes nothing.
    const struct {
        const char *node;
        QStringList root;
    } places[] = {{"de検索フィルター", {"伝票", "", "", ""}},
                  {"tsC1/甲", {"月締め請求", "", "", ""}},
                  {"sy商品印刷フォーム", {"印刷フォーム", "", "", ""}}};
    for (const auto &place : places) {
        m_form->SelectTreeNode(QString::fromUtf8(place.node));
        const QStringList list = location();
        QTest::keyClick(m_form->lvwList, Qt::Key_F2);
        QCOMPARE(location(), list);
        QTest::keyClick(m_form->lvwList, Qt::Key_Escape);
        QCOMPARE(location(), place.root);
        QCOMPARE(m_form->CurrentLevel, qint16(0));
    }
}

void tst_frmMainForm::dateBarHandlers()
{
    insertCustomer(QStringLiteral("C001"), QStringLiteral("甲"), QString(), QString(), false);
    insertSlip(1, QStringLiteral("2026/11/25"), QStringLiteral("甲"), QString(), 1);
    insertSlip(2, QStringLiteral("2026/12/20"), QStringLiteral("甲"), QString(), 1);
    insertSlip(3, QStringLiteral("2026/12/21"), QStringLiteral("甲"), QString(), 1);
    open();
    DateBar *bar = m_form->dateBar;

    m_form->ShowCustomerMenu();
    bar->cmbShimeBi->setCurrentIndex(bar->cmbShimeBi->findText(QStringLiteral("20日締め")));
    bar->cmbShimeBi_Click();
    QCOMPARE(location().value(1), QStringLiteral("*納期：2026/11/21～2026/12/20"));
    QCOMPARE(column(0), (QStringList{"000000001", "000000002"}));
    QVERIFY(!bar->DayMode);

    bar->cmbKokyaku->setCurrentIndex(1);
    bar->cmbKokyaku_Click();
    QCOMPARE(location().value(1), QStringLiteral("*納期：2026/11/21～2026/12/20  顧客:C001/甲"));

    // The empty month drops the closing day and the date part.
    bar->cmbNouki->setCurrentIndex(0);
    bar->cmbNouki_Click();
    QCOMPARE(bar->cmbShimeBi->currentText(), QString());
    QCOMPARE(location().value(1), QStringLiteral("*顧客:C001/甲"));
    QCOMPARE(m_form->lvwList->rowCountShown(), 3);

    // A day outside the month list leaves the month box as it is.
    bar->setPickerQuietly(QDate(2030, 5, 1));
    bar->dtpNouki_Change();
    QVERIFY(bar->DayMode);
    QCOMPARE(bar->cmbNouki->currentText(), QString());
    bar->setPickerQuietly(QDate(2026, 11, 25));
    bar->dtpNouki_Change();
    QCOMPARE(bar->cmbNouki->currentText(), QStringLiteral("2026/11"));
    QCOMPARE(column(0), (QStringList{"000000001"}));

    // Closing the calendar on the same day in month mode lists that day.
    bar->cmbNouki->setCurrentIndex(bar->cmbNouki->findText(QStringLiteral("2026/12")));
    bar->cmbNouki_Click();
    QCOMPARE(bar->dtpNouki->date(), QDate(2026, 12, 1));
    bar->dtpNouki_DropDown();
    bar->dtpNouki_CloseUp();
    QVERIFY(bar->DayMode);
    QCOMPARE(location().value(1), QStringLiteral("*納期：2026/12/01  顧客:C001/甲"));

    // Reloading the customer box drops the chosen customer.
    m_form->LoadKokyakuCombo();
    QCOMPARE(bar->cmbKokyaku->currentText(), QString());
    QCOMPARE(bar->cmbKokyaku->count(), 2);
}

void tst_frmMainForm::dateBarSteps()
{
    open();
    DateBar *bar = m_form->dateBar;
    emit m_form->toolbarCommand(QStringLiteral("NextDay"));
    QCOMPARE(location().value(1), QStringLiteral("*納期：2026/12/10"));
    emit m_form->toolbarCommand(QStringLiteral("BeforeDay"));
    emit m_form->toolbarCommand(QStringLiteral("BeforeDay"));
    QCOMPARE(location().value(1), QStringLiteral("*納期：2026/12/08"));

    emit m_form->toolbarCommand(QStringLiteral("NextMonth"));
    QVERIFY(!bar->DayMode);
    QCOMPARE(location().value(1), QStringLiteral("*納期：2027/01/01～2027/01/31"));
    bar->cmbNouki->setCurrentIndex(bar->cmbNouki->count() - 1);
    emit m_form->toolbarCommand(QStringLiteral("NextMonth"));
    QCOMPARE(bar->cmbNouki->currentIndex(), bar->cmbNouki->count() - 1);
    bar->cmbNouki->setCurrentIndex(0);
    const QStringList before = location();
    emit m_form->toolbarCommand(QStringLiteral("BeforeMonth"));
    QCOMPARE(bar->cmbNouki->currentIndex(), 0);
    QCOMPARE(location(), before);
}

// The day of the date bar, typed or picked in its calendar: only the days a
// user ends on are listed, not each valid day passed on the way ("2026/1"
// is in January), and the list shown is the final day's.
void tst_frmMainForm::dateBarTakesDatesAsTyped_data()
{
    datekeys::addDateKeyRows({"date bar"});
}

void tst_frmMainForm::dateBarTakesDatesAsTyped()
{
    open();
    QVERIFY(DialogDriver::open(m_form.get()));
    DateBar *bar = m_form->dateBar;
    const QDate start = bar->dtpNouki->date();
    QList<QDate> listed;
    connect(bar, &DateBar::listRequested, this, [&] { listed << bar->dtpNouki->date(); });

    datekeys::checkDateKeys(m_form.get(), bar->dtpNouki, bar->cmbNouki);
    if (QTest::currentTestFailed())
        return;

    const QDate final = bar->dtpNouki->date();
    QTRY_COMPARE(location().value(1), QStringLiteral("*納期：") + final.toString(QStringLiteral("yyyy/MM/dd")));
    for (const QDate &day : std::as_const(listed))
        QVERIFY2(day == start || day == final, qPrintable(day.toString(Qt::ISODate)));
    QVERIFY(listed.size() <= 2);
    if (final != start)
        QCOMPARE(listed.count(final), 1);
}

void tst_frmMainForm::softLimit_data()
{
    QTest::addColumn<int>("limit");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<int>("rows");
    QTest::newRow("count equals the limit") << 3 << int(ui::Answer::Yes) << false << 3;
    QTest::newRow("over the limit, yes") << 2 << int(ui::Answer::Yes) << true << 3;
    QTest::newRow("over the limit, no") << 2 << int(ui::Answer::No) << true << 0;
    QTest::newRow("no limit") << 0 << int(ui::Answer::No) << false << 3;
}

void tst_frmMainForm::softLimit()
{
    for (int id = 1; id <= 3; ++id)
        insertSlip(id, QStringLiteral("2026/10/01"), QStringLiteral("甲"), QString(), 1000);
    QFETCH(int, limit);
    connection().prepare(QStringLiteral("UPDATE 基本情報テーブル SET 数値型データ = ? WHERE 基本情報ID = "
                                        "'DenpyoListCheckCount'"))
        .bind(1, limit)
        .exec();
    open();
    QFETCH(int, answer);
    m_answer = ui::Answer(answer);
    m_messages.clear();
    m_form->SelectTreeNode(QStringLiteral("de全件"));

    QFETCH(bool, asked);
    QCOMPARE(m_messages.size(), asked ? 1 : 0);
    if (asked) {
        const ui::MessageRequest &question = m_messages.first();
        QCOMPARE(question.text, QStringLiteral("伝票の件数が2件を超えています。処理を続行しますか？\n\n"
                                               "(このチェック件数は基本設定で変更できます。)"));
        QCOMPARE(question.title, QStringLiteral("検索"));
        QCOMPARE(question.icon, ui::Icon::Question);
        QCOMPARE(question.buttons, ui::Buttons::YesNo);
        QCOMPARE(question.defaultAnswer, ui::Answer::Yes);
    }
    QFETCH(int, rows);
    QCOMPARE(m_form->lvwList->rowCountShown(), rows);
    QCOMPARE(location(), (QStringList{"伝票", "全件", "", ""}));
    QCOMPARE(m_form->statusPanelText(2), rows ? QStringLiteral("合計金額:3,000円") : QStringLiteral("合計金額:0円"));
    QCOMPARE(m_form->statusPanelText(3), QString::number(rows) + QStringLiteral("件"));
}

void tst_frmMainForm::lineConditionJoinRunsOnce_data()
{
    QTest::addColumn<int>("limit");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<int>("rows");
    QTest::newRow("over the limit, yes") << 1 << int(ui::Answer::Yes) << true << 2;
    QTest::newRow("over the limit, no") << 1 << int(ui::Answer::No) << true << 0;
    QTest::newRow("within the limit") << 2 << int(ui::Answer::No) << false << 2;
    QTest::newRow("no limit") << 0 << int(ui::Answer::No) << false << 2;
}

// A saved filter with a line condition is counted for the soft limit and
// listed by one run of its join.
void tst_frmMainForm::lineConditionJoinRunsOnce()
{
    for (int id = 1; id <= 3; ++id)
        insertSlip(id, QStringLiteral("2026/10/01"), QStringLiteral("甲"), QString(), 1000);
    const QString line = QStringLiteral("INSERT INTO 明細テーブル (伝票番号, 明細番号, 品名, 単価, 数量, 金額) "
                                        "VALUES (%1, %2, '%3', 1, 1, 1)");
    connection().exec(line.arg(1).arg(1).arg(QStringLiteral("六角ボルト")));
    connection().exec(line.arg(1).arg(2).arg(QStringLiteral("ボルト M8")));
    connection().exec(line.arg(2).arg(1).arg(QStringLiteral("ナット")));
    connection().exec(line.arg(3).arg(1).arg(QStringLiteral("ボルト")));
    QFETCH(int, limit);
    connection().prepare(QStringLiteral("UPDATE 基本情報テーブル SET 数値型データ = ? WHERE 基本情報ID = "
                                        "'DenpyoListCheckCount'"))
        .bind(1, limit)
        .exec();
    open();
    SearchFilterFile filter;
    filter.addCondition(QStringLiteral("rt5D"), QStringLiteral("品名"), QStringLiteral("S33品名@ボルト"),
                        QStringLiteral("ボルト"), QDateTime(QDate(2026, 12, 1), QTime(9, 0)));
    filter.write(gstrDenpyoKensakuFilterFolder + QStringLiteral("ボルト.dkj"));
    QFETCH(int, answer);
    m_answer = ui::Answer(answer);
    m_messages.clear();

    int joins = 0;
    const auto countJoins = [](unsigned, void *counter, void *, void *sql) -> int {
        if (QString::fromUtf8(static_cast<const char *>(sql)).contains(QStringLiteral("JOIN 明細テーブル")))
            ++*static_cast<int *>(counter);
        return 0;
    };
    sqlite3_trace_v2(connection().handle(), SQLITE_TRACE_STMT, countJoins, &joins);
    m_form->ShowDenpyoList(QStringLiteral("ボルト"), QStringLiteral("ボルト"), true);
    sqlite3_trace_v2(connection().handle(), 0, nullptr, nullptr);

    QCOMPARE(joins, 1);
    QFETCH(bool, asked);
    QCOMPARE(m_messages.size(), asked ? 1 : 0);
    if (asked)
        QVERIFY(m_messages.first().text.startsWith(QStringLiteral("伝票の件数が1件を超えています。")));
    QFETCH(int, rows);
    QCOMPARE(m_form->lvwList->rowCountShown(), rows);
    QCOMPARE(column(0), rows ? (QStringList{"000000001", "000000003"}) : QStringList());
    QCOMPARE(m_form->statusPanelText(3), QString::number(rows) + QStringLiteral("件"));
}

void tst_frmMainForm::viewRequestDuringABuildRunsAfterIt()
{
    for (int id = 1; id <= 3; ++id)
        insertSlip(id, QStringLiteral("2026/10/01"), QStringLiteral("甲"), QString(), 1);
    connection().exec(QStringLiteral(
        "UPDATE 基本情報テーブル SET 数値型データ = 1 WHERE 基本情報ID = 'DenpyoListCheckCount'"));
    open();
    // A click that arrives while the question is open.
    bool ranInside = false;
    m_onMessage = [&] {
        m_form->runView([&] { m_form->ShowCustomerMenu(); });
        ranInside = location().value(0) == QStringLiteral("顧客");
    };
    m_form->runView([&] { m_form->SelectTreeNode(QStringLiteral("de全件")); });
    QVERIFY(!ranInside);
    QCOMPARE(location(), (QStringList{"顧客", "", "", ""}));
    QCOMPARE(column(0).value(0), QStringLiteral("新規顧客"));
}

void tst_frmMainForm::slipRowFormats()
{
    insertSlip(42, QStringLiteral("2026/12/24"), QStringLiteral("山田商店"), QStringLiteral("営業部"), 1234567,
               QStringLiteral("MN"), QStringLiteral("2026/12/01 09:08:07"));
    insertSlip(43, QString(), QStringLiteral("佐藤"), QString(), 0, QString(), QString());
    open();
    m_form->SelectTreeNode(QStringLiteral("de全件"));
    const MainListModel *model = m_form->lvwList->listModel();
    QStringList first;
    for (int col = 0; col < 16; ++col)
        first << model->text(0, col);
    QCOMPARE(first, (QStringList{"000000042", "26/12/24", "山田商店 (営業部)", "1,234,567", ">>", "26/12/01", "",
                                 "", ">>", "26/12/03", "", "", "", "", "26/12/01 09:08:07", ""}));
    QStringList second;
    for (int col = 0; col < 16; ++col)
        second << model->text(1, col);
    QCOMPARE(second, (QStringList{"000000043", "", "佐藤", "0", "", "", "", "", "", "", "", "", "", "", "", ""}));
    QCOMPARE(m_form->statusPanelText(2), QStringLiteral("合計金額:1,234,567円"));
    QCOMPARE(model->headerData(3, Qt::Horizontal, Qt::TextAlignmentRole).toInt() & Qt::AlignHorizontal_Mask,
             int(Qt::AlignRight));
}

void tst_frmMainForm::slipImages_data()
{
    QTest::addColumn<QString>("flags");
    QTest::addColumn<int>("image");
    QTest::newRow("none") << "" << 18;
    QTest::newRow("estimate only") << "M" << 18;
    QTest::newRow("order") << "MJ" << 4;
    QTest::newRow("delivered") << "J" << 4;
    QTest::newRow("delivered after order") << "JN" << 33;
    QTest::newRow("invoiced") << "MJNS" << 34;
    QTest::newRow("paid wins") << "JY" << 19;
    QTest::newRow("paid alone") << "Y" << 19;
}

void tst_frmMainForm::slipImages()
{
    QFETCH(QString, flags);
    insertSlip(1, QStringLiteral("2026/12/09"), QStringLiteral("甲"), QString(), 1, flags);
    open();
    QCOMPARE(m_form->lvwList->rowCountShown(), 1);
    QTEST(m_form->lvwList->listModel()->image(0), "image");
    QVERIFY(!m_form->lvwList->listModel()->index(0, 0).data(Qt::DecorationRole).value<QIcon>().isNull());
}

void tst_frmMainForm::customerAndProductRows()
{
    insertCustomer(QStringLiteral("C2"), QStringLiteral("乙"), QStringLiteral("総務"), QStringLiteral("20日締め"), false);
    insertCustomer(QStringLiteral("C1"), QStringLiteral("甲"), QString(), QString(), true);
    insertShohin(QStringLiteral("P1"), QStringLiteral("N-1"), QStringLiteral("ねじ"), QStringLiteral("A社"), 12.5);
    insertShohin(QStringLiteral("P2"), QStringLiteral("N-2"), QStringLiteral("板"), QStringLiteral("B社"), 1234567.5);
    insertShohin(QStringLiteral("P3"), QStringLiteral("N-3"), QStringLiteral("棒"), QStringLiteral("C社"), 1200);
    insertShohin(QStringLiteral("P4"), QStringLiteral("N-4"), QStringLiteral("箱"), QStringLiteral("D社"),
                 123456789012.25);
    open();
    m_form->SelectTreeNode(QStringLiteral("cu全件"));
    const MainListModel *model = m_form->lvwList->listModel();
    QCOMPARE(column(0), (QStringList{"C1", "C2"}));
    QCOMPARE((QStringList{model->text(1, 1), model->text(1, 2), model->text(1, 3)}),
             (QStringList{"乙", "総務", "20日締め"}));
    QCOMPARE(model->text(0, 3), QString());
    QCOMPARE(model->image(0), 3);
    QCOMPARE(m_form->statusPanelText(3), QStringLiteral("2件"));
    QCOMPARE(m_form->statusPanelText(2), QString());

    m_form->SelectTreeNode(QStringLiteral("sh全件"));
    QCOMPARE(column(4), (QStringList{"       12.5", "1,234,567.5", "      1,200", "123,456,789,012.25"}));
    QCOMPARE(model->text(0, 1), QStringLiteral("N-1"));
    QCOMPARE(model->text(0, 3), QStringLiteral("A社"));
    QCOMPARE(model->image(0), 6);
    QCOMPARE(model->columnCount(), 5);

    // Going back without a rebuild keeps the short hint of the command state.
    m_form->ShowShohinList(QStringLiteral("全件"), false);
    QCOMPARE(m_form->statusPanelText(1), QStringLiteral("ESC-上へ  [Ctrl]+F-検索"));
    QCOMPARE(m_form->statusPanelText(3), QStringLiteral("4件"));
}

void tst_frmMainForm::popupMenus_data()
{
    QTest::addColumn<QString>("node");
    QTest::addColumn<QList<int>>("selected");
    QTest::addColumn<QStringList>("forms");
    QTest::addColumn<QString>("menu");
    // The enabled items of the record menu, print entries aside.
    QTest::addColumn<QStringList>("enabled");
    QTest::addColumn<bool>("printEnabled");

    const QStringList all{"新規作成", "表示", "編集", "コピー", "貼り付け", "削除", "参照作成",
                          "進行状況", "補足情報", "伝票複写", "伝票分割"};
    QStringList twelve;
    for (int i = 1; i <= 12; ++i)
        twelve << QStringLiteral("F%1").arg(i, 2, 10, QLatin1Char('0'));
    QTest::newRow("two slips selected") << "de全件" << QList<int>{0, 1} << QStringList{"請求書"} << "mnuItem"
                                        << QStringList{"新規作成", "貼り付け", "削除"} << false;
    QTest::newRow("one slip, twelve forms") << "de全件" << QList<int>{1} << twelve << "mnuItem" << all << true;
    QTest::newRow("empty customer list") << "cu全件" << QList<int>{} << QStringList{"顧客台帳"} << "mnuItem"
                                         << QStringList{"新規作成", "貼り付け"} << false;
    QTest::newRow("one product") << "sh全件" << QList<int>{0} << QStringList{} << "mnuItem"
                                 << all.mid(0, 7) << true;
    QTest::newRow("root menu") << "de" << QList<int>{0} << QStringList{} << "" << QStringList{} << false;
    QTest::newRow("empty filter folder") << "de検索フィルター" << QList<int>{} << QStringList{} << ""
                                         << QStringList{} << false;
    QTest::newRow("no saved invoices") << "tsC1/甲" << QList<int>{} << QStringList{} << "" << QStringList{} << false;
}

void tst_frmMainForm::popupMenus()
{
    insertSlip(1, QStringLiteral("2026/11/01"), QStringLiteral("甲"), QString(), 1);
    insertSlip(2, QStringLiteral("2026/11/02"), QStringLiteral("甲"), QString(), 1);
    insertShohin(QStringLiteral("P1"), QStringLiteral("N"), QStringLiteral("品"), QStringLiteral("M"), 1);
    QFETCH(QString, node);
    QFETCH(QStringList, forms);
    const QString folder = node.startsWith(QLatin1String("cu")) ? gstrCustomerPrintFormFolder
                           : node.startsWith(QLatin1String("sh")) ? gstrShohinPrintFormFolder
                                                                   : gstrDenpyoPrintFormFolder;
    for (const QString &form : forms) {
        QFile file(folder + form + QStringLiteral(".rpx"));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QFile other(folder + QStringLiteral("readme.txt"));
    QVERIFY(other.open(QIODevice::WriteOnly));
    open();
    m_form->SelectTreeNode(node);
    MainListView *list = m_form->lvwList;
    QFETCH(QList<int>, selected);
    for (int row : selected) {
        list->selectionModel()->setCurrentIndex(list->listModel()->index(row, 0), QItemSelectionModel::NoUpdate);
        list->selectionModel()->select(list->listModel()->index(row, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }

    PopupMenus *popups = m_commands->popupMenus();
    QMenu *menu = popups->PreparePopupMenu();
    QTEST(menu ? menu->objectName() : QString(), "menu");
    if (menu != popups->mnuItem)
        return;
    QStringList enabled;
    for (QAction *action : menu->actions())
        if (action->isVisible() && !action->isSeparator() && action->isEnabled()
            && !action->objectName().startsWith(QLatin1String("mnuItemPrint")))
            enabled << action->text();
    QTEST(enabled, "enabled");
    QCOMPARE(popups->bar5->isVisible(), node.startsWith(QLatin1String("de")));

    // One print entry per form, ten at most, each the form's name and " 印刷".
    QStringList captions;
    QFETCH(bool, printEnabled);
    for (QAction *print : popups->mnuItemPrint) {
        if (!print->isVisible())
            continue;
        captions << print->text();
        QCOMPARE(print->isEnabled(), printEnabled);
    }
    QCOMPARE(captions.size(), std::min<qsizetype>(forms.size(), PopupMenus::kPrintEntries));
    for (const QString &caption : captions) {
        QVERIFY(caption.endsWith(QStringLiteral(" 印刷")));
        QVERIFY(forms.contains(caption.chopped(3)));
    }
}

void tst_frmMainForm::columnClickSorts()
{
    insertSlip(1, QStringLiteral("2026/10/01"), QStringLiteral("c"), QString(), 5);
    insertSlip(2, QStringLiteral("2026/10/01"), QStringLiteral("a"), QString(), 30);
    insertSlip(3, QStringLiteral("2026/10/01"), QStringLiteral("b"), QString(), 200);
    open();
    m_form->SelectTreeNode(QStringLiteral("de全件"));
    // The user's way in: a click on the column's header.
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    QHeaderView *header = m_form->lvwList->header();
    const auto clickHeader = [header](int section) {
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(section) + header->sectionSize(section) / 2,
                                 header->height() / 2));
    };
    clickHeader(2);
    QCOMPARE(column(2), (QStringList{"a", "b", "c"}));
    clickHeader(2);
    QCOMPARE(column(2), (QStringList{"c", "b", "a"}));
    // Amounts sort as numbers.
    m_form->lvwList_ColumnClick(3);
    QCOMPARE(column(3), (QStringList{"5", "30", "200"}));
    // A chosen sort survives a refill of the slip list.
    m_form->RefreshView();
    QCOMPARE(column(3), (QStringList{"5", "30", "200"}));
    // Another list starts with its first column ascending.
    m_form->SelectTreeNode(QStringLiteral("de"));
    m_form->SelectTreeNode(QStringLiteral("de全件"));
    QCOMPARE(column(0), (QStringList{"000000001", "000000002", "000000003"}));
}

void tst_frmMainForm::columnsSortByValue_data()
{
    // kind: what each value fills in, one record per value; shown: the
    // column's texts in ascending order (descending is the reverse).
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("col");
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("slip amounts") << "amount" << 3 << QStringList{"10032", "1171", "-5", "2808", "0"}
                                  << QStringList{"-5", "0", "1,171", "2,808", "10,032"};
    QTest::newRow("delivery dates across years")
        << "nouki" << 1 << QStringList{"2026/01/05", "1999/12/31", "2025/12/31", "2000/01/01"}
        << QStringList{"99/12/31", "00/01/01", "25/12/31", "26/01/05"};
    QTest::newRow("stage dates, blank first")
        << "stage" << 5 << QStringList{"2026/03/01", "", "1999/07/01", "2010/01/01"}
        << QStringList{"", "99/07/01", "10/01/01", "26/03/01"};
    QTest::newRow("creation times")
        << "created" << 14
        << QStringList{"2026/01/01 09:00:00", "1999/12/31 23:59:59", "2026/01/01 08:59:59", "2000/01/01 00:00:00"}
        << QStringList{"99/12/31 23:59:59", "00/01/01 00:00:00", "26/01/01 08:59:59", "26/01/01 09:00:00"};
    QTest::newRow("product prices") << "price" << 4 << QStringList{"10032", "1171", "2808", "1171.5", "-20"}
                                    << QStringList{"-20", "1,171", "1,171.5", "2,808", "10,032"};
}

void tst_frmMainForm::columnsSortByValue()
{
    QFETCH(QString, kind);
    QFETCH(int, col);
    QFETCH(QStringList, values);
    QFETCH(QStringList, shown);
    for (int i = 0; i < values.size(); ++i) {
        const QString &value = values.at(i);
        const int id = i + 1;
        if (kind == QLatin1String("amount")) {
            insertSlip(id, QStringLiteral("2026/10/01"), QStringLiteral("a"), QString(), value.toInt());
        } else if (kind == QLatin1String("nouki")) {
            insertSlip(id, value, QStringLiteral("a"), QString(), 1);
        } else if (kind == QLatin1String("created")) {
            insertSlip(id, QStringLiteral("2026/10/01"), QStringLiteral("a"), QString(), 1, QString(), value);
        } else if (kind == QLatin1String("stage")) {
            insertSlip(id, QStringLiteral("2026/10/01"), QStringLiteral("a"), QString(), 1,
                       value.isEmpty() ? QString() : QStringLiteral("M"));
            auto update = connection().prepare(
                QStringLiteral("UPDATE 伝票テーブル SET 見積もり日付 = ? WHERE 伝票番号 = ?"));
            update.bind(1, value.isEmpty() ? QVariant() : QVariant(value)).bind(2, id);
            update.exec();
        } else {
            insertShohin(QStringLiteral("P%1").arg(id), QStringLiteral("N"), QStringLiteral("品"), QStringLiteral("M"),
                         value.toDouble());
        }
    }
    open();
    m_form->SelectTreeNode(kind == QLatin1String("price") ? QStringLiteral("sh全件") : QStringLiteral("de全件"));
    QCOMPARE(m_form->lvwList->rowCountShown(), int(values.size()));
    const auto trimmed = [this, col] {
        QStringList texts = column(col);
        for (QString &t : texts)
            t = t.trimmed();
        return texts;
    };
    m_form->lvwList_ColumnClick(col);
    QCOMPARE(trimmed(), shown);
    m_form->lvwList_ColumnClick(col);
    QStringList reversed(shown.rbegin(), shown.rend());
    QCOMPARE(trimmed(), reversed);
    // The chosen order holds through a refill of the slip list.
    if (kind != QLatin1String("price")) {
        m_form->RefreshView();
        QCOMPARE(trimmed(), reversed);
    }
}

void tst_frmMainForm::popupMenuFromTheKeyboard_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("Menu key") << int(Qt::Key_Menu) << int(Qt::NoModifier);
    QTest::newRow("Shift+F10") << int(Qt::Key_F10) << int(Qt::ShiftModifier);
}

void tst_frmMainForm::popupMenuFromTheKeyboard()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    for (int id = 1; id <= 3; ++id)
        insertSlip(id, QStringLiteral("2026/11/01"), QStringLiteral("甲"), QString(), 1);
    open();
    m_form->show();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    m_form->SelectTreeNode(QStringLiteral("de全件"));
    MainListView *list = m_form->lvwList;
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Home);
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(list->selectedRowNumbers(), (QList<int>{1}));

    QMenu *menu = m_commands->popupMenus()->mnuItem;
    QTest::keyClick(list, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QTRY_VERIFY(menu->isVisible());
    QCOMPARE(QApplication::activePopupWidget(), menu);
    // Beside the selected row: its top just under the row, its left inside it.
    const QRect row = list->visualRect(list->currentIndex());
    const QPoint rowBottomLeft = list->viewport()->mapToGlobal(row.bottomLeft());
    QVERIFY2(qAbs(menu->geometry().top() - rowBottomLeft.y()) <= 2,
             qPrintable(QStringLiteral("menu at %1, row bottom at %2").arg(menu->geometry().top()).arg(rowBottomLeft.y())));
    QVERIFY(menu->geometry().left() >= rowBottomLeft.x());
    QVERIFY(menu->geometry().left() < rowBottomLeft.x() + row.width());
    QVERIFY(m_commands->popupMenus()->mnuItemEdit->isEnabled());

    QTest::keyClick(menu, Qt::Key_Escape);
    QTRY_VERIFY(!menu->isVisible());
    QCOMPARE(QApplication::focusWidget(), list);
    // F10 alone is no menu key.
    QTest::keyClick(list, Qt::Key_F10);
    QVERIFY(!menu->isVisible());
}

void tst_frmMainForm::databaseErrorShowsEmptyList()
{
    insertSlip(1, QStringLiteral("2026/10/01"), QStringLiteral("a"), QString(), 5);
    open();
    m_messages.clear();
    m_form->ShowDenpyoList(QStringLiteral("壊れた条件"), QStringLiteral("/納期 = 'x"), true);
    QCOMPARE(m_messages.size(), 1);
    QCOMPARE(m_messages.first().icon, ui::Icon::Exclamation);
    QCOMPARE(location(), (QStringList{"伝票", "壊れた条件", "", ""}));
    QCOMPARE(m_form->lvwList->rowCountShown(), 0);
    QCOMPARE(m_form->statusPanelText(3), QStringLiteral("0件"));
    // The window goes on.
    m_form->SelectTreeNode(QStringLiteral("de全件"));
    QCOMPARE(m_form->lvwList->rowCountShown(), 1);
}

void tst_frmMainForm::ctrlKeysFollowCommandState()
{
    insertSlip(1, QStringLiteral("2026/10/01"), QStringLiteral("a"), QString(), 5);
    insertSlip(2, QStringLiteral("2026/10/02"), QStringLiteral("a"), QString(), 5);
    open();
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    QStringList seen;
    connect(m_form.get(), &frmMainForm::ctrlCommand, this, [&](QChar c) { seen << QString(c); });

    m_form->SelectTreeNode(QStringLiteral("de"));
    m_form->lvwList->setFocus();
    QTest::keyClick(m_form->lvwList, Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(m_form->lvwList, Qt::Key_A, Qt::ControlModifier);
    // Ctrl+F opens the one-off search of the register.
    QString searched;
    QTimer::singleShot(0, this, [&searched] {
        if (auto *editor = qobject_cast<frmFind *>(QApplication::activeModalWidget())) {
            searched = editor->ObjectName + editor->FindName;
            editor->FormClose();
        }
    });
    QTest::keyClick(m_form->lvwList, Qt::Key_F, Qt::ControlModifier);
    QTest::keyClick(m_form->lvwList, Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(seen, (QStringList{"F"}));
    QCOMPARE(searched, QStringLiteral("伝票一時検索"));
    // The closed editor hands the activation back (the offscreen platform
    // does not by itself).
    QApplication::setActiveWindow(m_form.get());

    m_form->SelectTreeNode(QStringLiteral("de全件"));
    m_form->lvwList->setFocus();
    seen.clear();
    QTest::keyClick(m_form->lvwList, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(seen, (QStringList{"A"}));
    QCOMPARE(m_form->lvwList->selectedRowNumbers(), (QList<int>{0, 1}));
    // The items are selected as one run: a range per row made reading and
    // painting the selection of a long list take minutes.
    QCOMPARE(m_form->lvwList->selectionModel()->selection().size(), 1);
}

void tst_frmMainForm::slipColumnWidthsAreRemembered()
{
    const QString size = settingsFileName(QStringLiteral("Size"));
    const QString section = QStringLiteral("ListViewHeaderColumn Width");
    // Slot 2 holds 1500 twips, slot 3 no width, slot 4 is blank; slots 17
    // to 20 belong to nobody here.
    QString record = QStringLiteral("01300") + QStringLiteral("01500") + QStringLiteral("abcde")
                     + QStringLiteral("     ") + QStringLiteral("00600").repeated(12) + QStringLiteral("12345").repeated(4);
    setSetting(size, section, QStringLiteral("frmMainForm"), record);
    open();
    QHeaderView *header = m_form->lvwList->header();
    QCOMPARE(header->sectionSize(1), ui::twipsToPixelsX(1500));
    QCOMPARE(header->sectionSize(2), ui::twipsToPixelsX(2000));
    QCOMPARE(header->sectionSize(3), ui::twipsToPixelsX(300));

    header->resizeSection(0, ui::twipsToPixelsX(2880));
    emit m_form->lvwList->focusLost();
    const QString saved = fnReadSetting(size, section, QStringLiteral("frmMainForm"));
    QCOMPARE(saved.size(), 100);
    QCOMPARE(saved.left(5), QStringLiteral("02880"));
    QCOMPARE(saved.mid(5, 5), QStringLiteral("01500"));
    QCOMPARE(saved.mid(80), QStringLiteral("12345").repeated(4));

    // Leaving another list stores nothing.
    m_form->SelectTreeNode(QStringLiteral("cu全件"));
    m_form->lvwList->header()->resizeSection(0, ui::twipsToPixelsX(4320));
    emit m_form->lvwList->focusLost();
    QCOMPARE(fnReadSetting(size, section, QStringLiteral("frmMainForm")), saved);
    // The slip list builds its columns again, from the stored widths.
    m_form->SelectTreeNode(QStringLiteral("de全件"));
    QCOMPARE(m_form->lvwList->header()->sectionSize(0), ui::twipsToPixelsX(2880));
}

void tst_frmMainForm::startLeavesUnseenListsUntilUsed_data()
{
    QTest::addColumn<bool>("queued");
    QTest::newRow("keys one by one") << false;
    QTest::newRow("keys queued") << true;
}

// A shown window lists first: the customers' drop-down is read and the day
// picker's calendar made when the user first comes to them, in time for
// the key that comes with it.
void tst_frmMainForm::startLeavesUnseenListsUntilUsed()
{
    QFETCH(bool, queued);
    insertCustomer(QStringLiteral("C100"), QStringLiteral("甲商事"), QString(), QString(), false);
    insertCustomer(QStringLiteral("D200"), QStringLiteral("乙商事"), QString(), QString(), false);
    open(false);
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    QTRY_VERIFY(!m_form->flgInit);
    DateBar *bar = m_form->dateBar;
    QCOMPARE(bar->cmbKokyaku->count(), 0);
    QVERIFY(!bar->dtpNouki->findChild<QCalendarWidget *>());

    // "D" typed into the drop-down finds the customer read just before it.
    if (queued) {
        QCoreApplication::postEvent(bar->cmbKokyaku,
                                    new QKeyEvent(QEvent::KeyPress, Qt::Key_D, Qt::NoModifier, QStringLiteral("d")));
        QCoreApplication::postEvent(bar->cmbKokyaku,
                                    new QKeyEvent(QEvent::KeyRelease, Qt::Key_D, Qt::NoModifier, QStringLiteral("d")));
        QCoreApplication::processEvents();
    } else {
        QTest::keyClick(bar->cmbKokyaku, Qt::Key_D);
    }
    QCOMPARE(bar->cmbKokyaku->count(), 3);
    QCOMPARE(bar->cmbKokyaku->currentText(), QStringLiteral("D200/乙商事"));

    // A click on the picker's arrow opens the calendar, weeks from Sunday,
    // and its opening is noted.
    bar->datDropDownDate = QDate();
    QDateEdit *picker = bar->dtpNouki;
    QTest::mouseClick(picker, Qt::LeftButton, {}, QPoint(picker->width() - 4, picker->height() / 2));
    QCalendarWidget *calendar = picker->findChild<QCalendarWidget *>();
    QVERIFY(calendar);
    QTRY_VERIFY(calendar->isVisible());
    QCOMPARE(calendar->firstDayOfWeek(), Qt::Sunday);
    QCOMPARE(bar->datDropDownDate, bar->dtpNouki->date());
    calendar->window()->hide();
}

void tst_frmMainForm::firstStartShowsBarsAndNumbersWhole()
{
    insertSlip(123456789, QStringLiteral("2026/12/09"), QStringLiteral("甲"), QString(), 1, QString(),
               QStringLiteral("2026/12/01 23:58:57"));
    const QString longName = QStringLiteral("東京都千代田区丸の内一丁目大型総合商社株式会社 本店営業第一部");
    insertCustomer(QStringLiteral("C100"), longName, QString(), QString(), false);
    open(false);
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    QCoreApplication::processEvents();

    // Without a stored place the date bar's last control is not cut off.
    DateBar *bar = m_form->dateBar;
    QVERIFY(bar->cmbKokyaku->isVisible());
    QVERIFY(bar->cmbKokyaku->mapTo(m_form.get(), QPoint(bar->cmbKokyaku->width(), 0)).x() <= m_form->width());
    QVERIFY(bar->cmbKokyaku->width() >= ui::twipsToPixelsX(2895) - 1);
    // A long customer name widens the opened list, not the bar.
    QVERIFY(bar->cmbKokyaku->width() < ui::twipsToPixelsX(2895) + 40);
    QTest::mouseClick(bar->cmbKokyaku, Qt::LeftButton);
    QVERIFY(bar->cmbKokyaku->view()->minimumWidth()
            > bar->cmbKokyaku->fontMetrics().horizontalAdvance(QStringLiteral("C100/") + longName));
    bar->cmbKokyaku->hidePopup();

    // Without stored widths the slip numbers and times fit their columns.
    MainListView *list = m_form->lvwList;
    QCOMPARE(list->rowCountShown(), 1);
    for (int column : {0, 14}) {
        const QModelIndex index = list->listModel()->index(0, column);
        const QString text = index.data().toString();
        QVERIFY(!text.isEmpty());
        const int needed = list->fontMetrics().horizontalAdvance(text) + (column == 0 ? list->iconSize().width() : 0);
        QVERIFY2(list->header()->sectionSize(column) > needed, qPrintable(text));
    }
    QCOMPARE(list->header()->sectionSize(1), ui::twipsToPixelsX(900));
}

void tst_frmMainForm::refusedStartupSavesNothing()
{
    QFile::remove(m_folder->databasePath());
    CloseDatabase();
    frmMainForm form;
    QVERIFY(!form.Form_Load());
    QCOMPARE(m_messages.size(), 1);
    form.close();
    QVERIFY(!QFile::exists(QDir::current().filePath(settingsFileName(QStringLiteral("Size")).toUpper()
                                                    + QStringLiteral(".txt"))));
    QVERIFY(!QFile::exists(QDir::current().filePath(settingsFileName(QStringLiteral("Ini")).toUpper()
                                                    + QStringLiteral(".txt"))));
}

void tst_frmMainForm::treeKeys()
{
    writeFilter(gstrDenpyoKensakuFilterFolder, QStringLiteral("a"));
    open();
    NavigationTree *tree = m_form->tvwTree;
    QTreeWidgetItem *slips = tree->topLevelItem(0);
    slips->setExpanded(true);
    tree->setCurrentItem(slips->child(2));
    // Typed letters go nowhere; Esc climbs as Left does.
    QTest::keyClick(tree, Qt::Key_B);
    QCOMPARE(tree->currentItem(), slips->child(2));
    QTest::keyClick(tree, Qt::Key_Escape);
    QCOMPARE(tree->currentItem(), slips);
    QTest::keyClick(tree, Qt::Key_Escape);
    QVERIFY(!slips->isExpanded());

    // A node reached with the keys shows its view, as a click does; Enter
    // does nothing more.
    QCOMPARE(location(), (QStringList{"伝票", "", "", ""}));
    QTest::keyClick(tree, Qt::Key_Down);
    QCOMPARE(location(), (QStringList{"顧客", "", "", ""}));
    QTest::keyClick(tree, Qt::Key_Right);
    QTest::keyClick(tree, Qt::Key_Down);
    QTest::keyClick(tree, Qt::Key_Down);
    QCOMPARE(location(), (QStringList{"顧客", "全件", "", ""}));
    m_form->ShowShohinMenu();
    QTest::keyClick(tree, Qt::Key_Return);
    QCOMPARE(location(), (QStringList{"商品", "", "", ""}));

    // A click shows the node's view.
    slips->setExpanded(true);
    emit tree->itemClicked(slips->child(2), 0);
    QCOMPARE(location(), (QStringList{"伝票", "a", "", ""}));
    // The tree is rebuilt by a refresh, collapsed again, with new filters.
    writeFilter(gstrDenpyoKensakuFilterFolder, QStringLiteral("b"));
    m_form->mnuRefresh->trigger();
    QCOMPARE(m_form->tvwTree->topLevelItem(0)->childCount(), 4);
    QVERIFY(!m_form->tvwTree->topLevelItem(0)->isExpanded());
    QCOMPARE(location(), (QStringList{"伝票", "a", "", ""}));
}

void tst_frmMainForm::editorsOpenFromRowsAndF2_data()
{
    QTest::addColumn<QString>("node");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("key");         // pressed on the list when no command is given
    QTest::addColumn<QString>("command"); // an item-menu command
    QTest::addColumn<QString>("editor");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("recordKey");
    const int enter = Qt::Key_Return;
    const int f2 = Qt::Key_F2;
    QTest::newRow("新規顧客") << "cu" << 0 << enter << "" << "frmCustomer" << "New" << "";
    QTest::newRow("顧客修正") << "cu" << 1 << enter << "" << "frmCustomer" << "SelectableUpdate" << "";
    QTest::newRow("新規商品") << "sh" << 0 << enter << "" << "frmShohin" << "New" << "";
    QTest::newRow("商品修正") << "sh" << 1 << enter << "" << "frmShohin" << "SelectableUpdate" << "";
    QTest::newRow("F2 on a customer") << "cu全件" << 1 << f2 << "" << "frmCustomer" << "SelectedUpdate" << "C2";
    QTest::newRow("F2 on a product") << "sh全件" << 0 << f2 << "" << "frmShohin" << "SelectedUpdate" << "P1";
    QTest::newRow("F2 in a root menu") << "cu" << 0 << f2 << "" << "" << "" << "";
    QTest::newRow("menu new customer") << "cu全件" << 1 << 0 << "New" << "frmCustomer" << "New" << "";
    QTest::newRow("menu edit customer") << "cu全件" << 1 << 0 << "Edit" << "frmCustomer" << "SelectedUpdate" << "C2";
    QTest::newRow("menu reference customer")
        << "cu全件" << 1 << 0 << "RefNew" << "frmCustomer" << "ReferenceNew" << "C2";
    QTest::newRow("menu new product") << "sh全件" << 0 << 0 << "New" << "frmShohin" << "New" << "";
    QTest::newRow("menu reference product")
        << "sh全件" << 0 << 0 << "RefNew" << "frmShohin" << "ReferenceNew" << "P1";
    QTest::newRow("menu command of a later issue") << "cu全件" << 1 << 0 << "Delete" << "" << "" << "";
    QTest::newRow("新規伝票") << "de" << 0 << enter << "" << "frmDenpyo" << "New" << "";
    QTest::newRow("伝票修正") << "de" << 1 << enter << "" << "frmDenpyo" << "SelectableUpdate" << "";
    QTest::newRow("F2 on a slip") << "de全件" << 0 << f2 << "" << "frmDenpyo" << "SelectedUpdate" << "000000001";
    QTest::newRow("menu new slip") << "de全件" << 0 << 0 << "New" << "frmDenpyo" << "New" << "";
    QTest::newRow("menu edit slip") << "de全件" << 0 << 0 << "Edit" << "frmDenpyo" << "SelectedUpdate" << "000000001";
    QTest::newRow("menu reference slip")
        << "de全件" << 0 << 0 << "RefNew" << "frmDenpyo" << "ReferenceNew" << "000000001";
    QTest::newRow("menu bar new, slip root") << "de" << 3 << 0 << "mnuNew" << "frmDenpyo" << "New" << "";
    QTest::newRow("menu bar new, slip list") << "de全件" << 0 << 0 << "mnuNew" << "frmDenpyo" << "New" << "";
    QTest::newRow("toolbar new, slip list") << "de全件" << 0 << 0 << "toolbarNew" << "frmDenpyo" << "New" << "";
}

void tst_frmMainForm::editorsOpenFromRowsAndF2()
{
    insertCustomer(QStringLiteral("C1"), QStringLiteral("甲"), QString(), QString(), false);
    insertCustomer(QStringLiteral("C2"), QStringLiteral("乙"), QString(), QString(), false);
    insertShohin(QStringLiteral("P1"), QStringLiteral("N"), QStringLiteral("品"), QStringLiteral("M"), 1);
    insertSlip(1, QStringLiteral("2026/12/09"), QStringLiteral("甲"), QString(), 100);
    insertSlip(2, QStringLiteral("2026/12/08"), QStringLiteral("乙"), QString(), 200);
    open();
    QFETCH(QString, node);
    QFETCH(int, row);
    QFETCH(int, key);
    m_form->SelectTreeNode(node);
    MainListView *list = m_form->lvwList;
    list->setCurrentIndex(list->listModel()->index(row, 0));
    QString editor, mode, recordKey;
    QObject watcher; // the check dies with this test when no dialog opens
    QTimer::singleShot(0, &watcher, [&] {
        if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
            editor = QString::fromLatin1(dialog->metaObject()->className());
            if (auto *customer = qobject_cast<frmCustomer *>(dialog)) {
                mode = customer->Mode;
                recordKey = customer->strCustomerID;
            } else if (auto *shohin = qobject_cast<frmShohin *>(dialog)) {
                mode = shohin->Mode;
                recordKey = shohin->strShohinID;
            } else if (auto *denpyo = qobject_cast<frmDenpyo *>(dialog)) {
                mode = denpyo->strMode;
                recordKey = denpyo->strDenpyoID;
            }
            dialog->reject();
        }
    });
    const QStringList before = location();
    QFETCH(QString, command);
    if (command.isEmpty())
        QTest::keyClick(list, Qt::Key(key));
    else if (command == QLatin1String("mnuNew"))
        m_form->mnuNew->trigger();
    else if (command == QLatin1String("toolbarNew"))
        emit m_form->toolbarCommand(QStringLiteral("New"));
    else
        ItemCommand(*m_form, command);
    QTEST(editor, "editor");
    QTEST(mode, "mode");
    QTEST(recordKey, "recordKey");
    // Nothing was saved, so the place is as it was.
    QCOMPARE(location(), before);
}

void tst_frmMainForm::goingUpFromARecord_data()
{
    QTest::addColumn<QString>("listName");
    QTest::addColumn<bool>("changed");
    QTest::addColumn<QString>("shownName");
    QTest::addColumn<int>("rows");
    QTest::newRow("date-bar list, unchanged")
        << "*納期：2026/12/01" << false << "*納期：2026/12/09" << 1;
    QTest::newRow("date-bar list, changed") << "*納期：2026/12/01" << true << "*納期：2026/12/09" << 2;
    QTest::newRow("all slips, changed") << "全件" << true << "全件" << 3;
}

void tst_frmMainForm::goingUpFromARecord()
{
    insertSlip(1, QStringLiteral("2026/12/09"), QStringLiteral("甲"), QString(), 1);
    open();
    // Opened from the list: the rows stay behind the record.
    QCOMPARE(m_form->lvwList->rowCountShown(), 1);
    insertSlip(2, QStringLiteral("2026/12/09"), QStringLiteral("甲"), QString(), 1);
    insertSlip(3, QStringLiteral("2026/11/09"), QStringLiteral("甲"), QString(), 1);
    QFETCH(QString, listName);
    QFETCH(bool, changed);
    m_form->CurrentLocation = QStringList{QStringLiteral("伝票"), listName, QStringLiteral("000000001"), QString()};
    m_form->CurrentLevel = 2;
    m_form->flgListRefresh = changed;
    QTest::keyClick(m_form->lvwListItemMenu, Qt::Key_Escape);
    QTEST(location().value(1), "shownName");
    QCOMPARE(m_form->CurrentLevel, qint16(1));
    QVERIFY(!m_form->flgListRefresh);
    QTEST(m_form->lvwList->rowCountShown(), "rows");
}

void tst_frmMainForm::layoutResetDeletesTheLayoutFile()
{
    open();
    const QString size = QDir(gstrStartupDir).filePath(settingsFileName(QStringLiteral("Size")) + QStringLiteral(".txt"));
    setSetting(settingsFileName(QStringLiteral("Size")), QStringLiteral("Window Positions"), QStringLiteral("frmX"),
               QStringLiteral("1"));
    setSetting(settingsFileName(QStringLiteral("Ini")), QStringLiteral("Initial Data"), QStringLiteral("DateItem"),
               QStringLiteral("1"));
    QVERIFY(QFile::exists(size));
    m_messages.clear();
    m_form->mnuRegClear->trigger();
    QVERIFY(!QFile::exists(size));
    QCOMPARE(fnReadSetting(settingsFileName(QStringLiteral("Ini")), QStringLiteral("Initial Data"),
                           QStringLiteral("DateItem")),
             QStringLiteral("1"));
    QCOMPARE(m_messages.size(), 1);
    QCOMPARE(m_messages.first().text, QStringLiteral("画面サイズ等を初期値に戻しました。"));
    QCOMPARE(m_messages.first().icon, ui::Icon::Information);
    // With no file the reset still reports.
    m_form->mnuRegClear->trigger();
    QCOMPARE(m_messages.size(), 2);
}

// A layout file that cannot be deleted is reported with the reason.
void tst_frmMainForm::layoutResetOnReadOnlyDiskSaysWhy()
{
    testsupport::FullFileSystem fs;
    QVX_NEED_FULL_FS(fs);
    open();
    const QString startupDir = gstrStartupDir;
    gstrStartupDir = fs.path();
    const QString size = fs.filePath(settingsFileName(QStringLiteral("Size")) + QStringLiteral(".txt"));
    setSetting(settingsFileName(QStringLiteral("Size")), QStringLiteral("Window Positions"), QStringLiteral("frmX"),
               QStringLiteral("1"));
    QVERIFY(QFile::exists(size));
    QVERIFY(fs.makeReadOnly());
    m_messages.clear();
    m_form->mnuRegClear->trigger();
    QVERIFY(QFile::exists(size));
    QCOMPARE(m_messages.size(), 1);
    QVERIFY(m_messages.first().text.startsWith(QStringLiteral("画面サイズ等を初期値に戻せませんでした。")));
    QVERIFY(testsupport::saysWhyInJapanese(m_messages.first().text, QStringLiteral("保存先は読み取り専用です。")));
    gstrStartupDir = startupDir;
}

void tst_frmMainForm::settingsAndAboutOpenTheirDialogs_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("dialog");
    QTest::newRow("menu 基本設定") << "mnuSystemInfo" << "frmSystemInfo";
    QTest::newRow("toolbar SystemInfo") << "SystemInfo" << "frmSystemInfo";
    QTest::newRow("menu バージョン情報") << "mnuVersion" << "frmVersion";
}

void tst_frmMainForm::settingsAndAboutOpenTheirDialogs()
{
    open();
    QFETCH(QString, source);
    QString opened;
    QObject watcher;
    QTimer::singleShot(0, &watcher, [&] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            opened = QString::fromLatin1(modal->metaObject()->className());
            static_cast<QDialog *>(modal)->reject();
        }
    });
    if (source.startsWith(QLatin1String("mnu")))
        m_form->findChild<QAction *>(source)->trigger();
    else
        emit m_form->toolbarCommand(source);
    QTEST(opened, "dialog");
    // Nothing is shown again afterwards.
    QCOMPARE(location().value(1), QStringLiteral("*納期：2026/12/09"));
}

QTEST_MAIN(tst_frmMainForm)
#include "tst_frmmainform.moc"
