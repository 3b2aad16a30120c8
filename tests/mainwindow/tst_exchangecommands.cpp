#include "../masters/DialogDriver.h"
#include "TestSupport.h"

#include "core/DateValue.h"
#include "core/Globals.h"
#include "core/Startup.h"
#include "mainwindow/commands/ListCsvFile.h"
#include "mainwindow/commands/MainCommands.h"
#include "mainwindow/commands/PopupMenus.h"
#include "mainwindow/views/MainListModel.h"
#include "mainwindow/views/MainListView.h"
#include "mainwindow/views/frmMainForm.h"
#include "model/Denpyo.h"
#include "platform/text/Cp932.h"
#include "platform/ui/SaveFileBox.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QTemporaryDir>
#include <QtTest>
#include <sqlite3.h>

// Copy, paste and CSV export as the user reaches them in the main window:
// Ctrl+C and Ctrl+V, the edit menu, the toolbar, the popup menu and
// 一覧表 > ファイルへ保存, with today fixed at 2026/12/09 10:00.
class tst_ExchangeCommands : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void slipsCopiedAndPastedWithKeys();
    void slipCopyTextIsExact_data();
    void slipCopyTextIsExact();
    void pasteRefusals_data();
    void pasteRefusals();
    void copyAndPasteDoNothingOutsideRecordLists();
    void customerPasteOpensOneEditorEach();
    void productPasteFromTheMenuKeepsTheFraction();
    void exportWritesTheSelectedRows();
    void exportCancelledWritesNothing();
    void exportTellsReplacementsAndFailures();

private:
    void open();
    void selectRows(const QList<int> &rows);
    void insertSlip(qint32 id, const QString &name, int lines);
    void insertCustomer(const QString &id, const QString &name);
    void insertShohin(const QString &id, const QString &name, double tanka);
    qint64 count(const QString &table) const;
    // Runs step on each editor the paste opens, in turn, and closes it.
    void onEditors(const std::function<void(QWidget *)> &step);

    std::unique_ptr<testsupport::ProgramFolder> m_folder;
    std::unique_ptr<frmMainForm> m_form;
    MainCommands *m_commands = nullptr;
    std::unique_ptr<DialogDriver> m_driver;
    QList<ui::SaveFileRequest> m_saveRequests;
    QString m_savePath;
    int m_editors = 0;
};

void tst_ExchangeCommands::init()
{
    setFixedNow(QDateTime(QDate(2026, 12, 9), QTime(10, 0)));
    m_folder = std::make_unique<testsupport::ProgramFolder>();
    m_folder->open();
    m_driver = std::make_unique<DialogDriver>();
    m_saveRequests.clear();
    m_savePath.clear();
    m_editors = 0;
    ui::setSaveFileResponder([this](const ui::SaveFileRequest &request) {
        m_saveRequests << request;
        return m_savePath;
    });
    QGuiApplication::clipboard()->clear();
}

void tst_ExchangeCommands::cleanup()
{
    m_form.reset();
    m_commands = nullptr;
    m_driver.reset();
    ui::setSaveFileResponder({});
    CloseDatabase();
    m_folder.reset();
    setFixedNow(QDateTime());
}

void tst_ExchangeCommands::open()
{
    m_form = std::make_unique<frmMainForm>();
    QVERIFY(m_form->Form_Load());
    m_commands = new MainCommands(m_form.get());
    m_form->Form_Activate();
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
}

void tst_ExchangeCommands::selectRows(const QList<int> &rows)
{
    MainListView *list = m_form->lvwList;
    list->selectionModel()->clearSelection();
    for (int row : rows) {
        list->selectionModel()->setCurrentIndex(list->listModel()->index(row, 0), QItemSelectionModel::NoUpdate);
        list->selectionModel()->select(list->listModel()->index(row, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    list->setFocus();
}

void tst_ExchangeCommands::insertSlip(qint32 id, const QString &name, int lines)
{
    Denpyo d;
    d.setDenpyoID(id);
    d.setNouki(localDateTime(QDate(2026, 12, 9), QTime(0, 0)));
    d.setCustomerName(name);
    d.setNouhin(true);
    d.setNouhinDate(localDateTime(QDate(2026, 12, 8), QTime(0, 0)));
    d.setMemo(QStringLiteral("メモ\r\n二行目"));
    for (int i = 1; i <= lines; ++i)
        d.Meisais().Add().setItemName(QStringLiteral("品%1").arg(i));
    QVERIFY(d.Apply());
}

void tst_ExchangeCommands::insertCustomer(const QString &id, const QString &name)
{
    connection()
        .prepare(QStringLiteral("INSERT INTO 顧客テーブル (顧客ID, 顧客名漢字, メモ, 月締め請求, 締め日, 値引率) VALUES (?, ?, ?, 1, '20日締め', 7)"))
        .bind(1, id)
        .bind(2, name)
        .bind(3, QStringLiteral("一\r\n二"))
        .exec();
}

void tst_ExchangeCommands::insertShohin(const QString &id, const QString &name, double tanka)
{
    connection()
        .prepare(QStringLiteral("INSERT INTO 商品テーブル (商品ID, 品名, 単価) VALUES (?, ?, ?)"))
        .bind(1, id)
        .bind(2, name)
        .bind(3, tanka)
        .exec();
}

qint64 tst_ExchangeCommands::count(const QString &table) const
{
    return connection().scalar(QStringLiteral("SELECT COUNT(*) FROM ") + table).toLongLong();
}

void tst_ExchangeCommands::onEditors(const std::function<void(QWidget *)> &step)
{
    // Each editor's step schedules the next one's; after the last editor
    // no modal window is open and the chain ends.
    QTimer::singleShot(0, this, [this, step] {
        QWidget *editor = QApplication::activeModalWidget();
        if (!editor)
            return;
        editor->activateWindow();
        if (!QTest::qWaitForWindowActive(editor))
            qWarning("the editor did not become active");
        ++m_editors;
        step(editor);
        if (editor->isVisible())
            editor->close();
        onEditors(step);
    });
}

void tst_ExchangeCommands::slipsCopiedAndPastedWithKeys()
{
    insertSlip(1, QStringLiteral("甲商店"), 3);
    insertSlip(2, QStringLiteral("乙商店"), 1);
    open();
    m_form->SelectTreeNode(QStringLiteral("de全件"));
    QCOMPARE(m_form->lvwList->rowCountShown(), 2);
    selectRows({0, 1});
    QTest::keyClick(m_form->lvwList, Qt::Key_C, Qt::ControlModifier);
    const QString copied = QGuiApplication::clipboard()->text();
    QVERIFY(copied.startsWith(QStringLiteral("Quorvex5\r\nオブジェクト/伝票\r\n件数/2\r\n1/伝票番号//")));
    QVERIFY(copied.contains(QStringLiteral("/明細数//3\r\n")));
    QVERIFY(copied.contains(QStringLiteral("/メモ//メモ<CRLF>二行目\r\n")));
    QVERIFY(m_driver->messages.isEmpty());

    QTest::keyClick(m_form->lvwList, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(m_driver->texts(), QStringList{QStringLiteral("伝票を2件、貼り付けました。")});
    QCOMPARE(m_driver->messages.first().icon, ui::Icon::Information);
    // The list is shown again with the new slips 3 and 4, stages cleared.
    QCOMPARE(m_form->lvwList->rowCountShown(), 4);
    QCOMPARE(count(QStringLiteral("伝票テーブル WHERE 伝票番号 IN (3, 4) AND 納品 = 0")), 2);
    QCOMPARE(count(QStringLiteral("明細テーブル WHERE 伝票番号 IN (3, 4)")), 4);

    // The edit menu and the toolbar do the same.
    selectRows({0});
    m_form->mnuCopy->trigger();
    QVERIFY(QGuiApplication::clipboard()->text().contains(QStringLiteral("件数/1\r\n")));
    emit m_form->toolbarCommand(QStringLiteral("Paste"));
    QCOMPARE(m_driver->texts().last(), QStringLiteral("伝票を1件、貼り付けました。"));
    QCOMPARE(count(QStringLiteral("伝票テーブル")), 5);
}

namespace {

// Fixtures of the exact copy test: the slips stored by name.
void storeSlips(const QString &fixture)
{
    const auto day = [](int y, int m, int d) { return localDateTime(QDate(y, m, d), QTime(0, 0)); };
    if (fixture == QLatin1String("odd texts")) {
        Denpyo d;
        d.setDenpyoID(7);
        d.setNouki(day(2026, 1, 31));
        d.setCustomerID(QStringLiteral("K/01"));
        d.setCustomerPostNumber(QStringLiteral("1000001"));
        d.setCustomerAddress1(QStringLiteral("東京都　千代田区"));
        d.setCustomerName(QStringLiteral("山田//商店 😀"));
        d.setCustomerFax(QStringLiteral("03-0000-0000"));
        d.setMeisaiSum(-1234567);
        d.setNebikiRitsuOn(true);
        d.setNebikiRitsu(-15);
        d.setNebikiKingaku(2147483647);
        d.setSummery(-2147483647 - 1);
        d.setShouhizeiIn(true);
        d.setShouhizei(0);
        d.setSummeryWithShouhizei(99);
        d.setMitsumori(true);
        d.setMitsumoriDate(day(2025, 12, 1));
        d.setJuchu(true);
        d.setJuchuDate(day(2025, 12, 2));
        d.setNouhin(true);
        d.setNouhinDate(day(2026, 1, 3));
        d.setSeikyu(true);
        d.setSeikyuDate(day(2026, 1, 31));
        d.setNyukin(true);
        d.setNyukinDate(day(2026, 2, 28));
        d.setBumon(QStringLiteral("営業"));
        d.setTanto(QStringLiteral("佐藤"));
        d.setMemo(QStringLiteral("一行目\r\n  二行目 <CRLF> http://example.jp//a\r\n\r\n最後"));
        const double prices[] = {0.1, 1234.5678, -3, 123456789012345.0, 1e-7, 2.5};
        for (int i = 0; i < 6; ++i) {
            Meisai &line = d.Meisais().Add();
            line.setItemID(QStringLiteral("P%1").arg(i));
            line.setItemNumber(i % 2 ? QStringLiteral("N/%1").arg(i) : QString());
            line.setItemName(QStringLiteral("品名//%1\t「ボルト」").arg(i));
            line.setItemTanka(prices[i]);
            line.setItemSuryo(prices[5 - i]);
            line.setItemTanni(QStringLiteral("個"));
            line.setItemKingaku(i * -1000);
            line.setItemBikou(i == 3 ? QStringLiteral("ｶﾅ 半角") : QString());
        }
        QVERIFY(d.Apply());
        // Texts that came into the database by another road keep their
        // line breaks there; the copy drops them.
        connection().exec(QStringLiteral("UPDATE 伝票テーブル SET 顧客部門 = '部\r\n門', 顧客電話 = ' 03\n' WHERE 伝票番号 = 7"));
        connection().exec(QStringLiteral("UPDATE 明細テーブル SET 備考 = 'a\r\nb' WHERE 伝票番号 = 7 AND 明細番号 = 2"));
        // A later save gives the slip its update time.
        Denpyo again;
        QVERIFY(again.Load(7));
        setFixedNow(QDateTime(QDate(2026, 12, 9), QTime(11, 22, 33)));
        QVERIFY(again.Apply());
        setFixedNow(QDateTime(QDate(2026, 12, 9), QTime(10, 0)));
        connection().exec(QStringLiteral("UPDATE 伝票テーブル SET 顧客部門 = '部\r\n門' WHERE 伝票番号 = 7"));
    } else if (fixture == QLatin1String("many lines")) {
        Denpyo d;
        d.setDenpyoID(123456789);
        d.setNouki(day(2026, 12, 31));
        d.setCustomerName(QStringLiteral("乙"));
        for (int i = 1; i <= 120; ++i) {
            Meisai &line = d.Meisais().Add();
            line.setItemName(QStringLiteral("品%1").arg(i));
            line.setItemTanka(i / 8.0);
            line.setItemSuryo(i);
            line.setItemKingaku(i * i);
        }
        QVERIFY(d.Apply());
    } else {
        // Slips without lines, one of them gone before the copy: it is left
        // out of the text and of its count.
        for (qint32 id : {1, 2, 3}) {
            Denpyo d;
            d.setDenpyoID(id);
            d.setNouki(day(2026, 6, id));
            QVERIFY(d.Apply());
        }
        // Stored by another road, without any line.
        connection().exec(QStringLiteral("DELETE FROM 明細テーブル"));
    }
}

} // namespace

void tst_ExchangeCommands::slipCopyTextIsExact_data()
{
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<QString>("expected");
    QTest::newRow("odd texts") << "odd texts" << "odd_texts.txt";
    QTest::newRow("many lines") << "many lines" << "many_lines.txt";
    QTest::newRow("no lines, one gone") << "no lines" << "no_lines.txt";
}

// Ctrl+C on the selected slips puts exactly the text the program has always
// made on the clipboard, under the busy pointer.
void tst_ExchangeCommands::slipCopyTextIsExact()
{
    QFETCH(QString, fixture);
    storeSlips(fixture);
    if (QTest::currentTestFailed())
        return;
    open();
    m_form->SelectTreeNode(QStringLiteral("de全件"));
    QList<int> rows;
    for (int row = 0; row < m_form->lvwList->rowCountShown(); ++row)
        rows << row;
    selectRows(rows);
    if (fixture == QLatin1String("no lines"))
        connection().exec(QStringLiteral("DELETE FROM 伝票テーブル WHERE 伝票番号 = 2"));

    // The engine calls back while the copy reads: the pointer then shown.
    struct Pointers {
        int busy = 0, other = 0;
    } pointers;
    sqlite3_progress_handler(
        connection().handle(), 20,
        [](void *seen) {
            auto *p = static_cast<Pointers *>(seen);
            const QCursor *cursor = QGuiApplication::overrideCursor();
            ++(cursor && cursor->shape() == Qt::WaitCursor ? p->busy : p->other);
            return 0;
        },
        &pointers);
    QTest::keyClick(m_form->lvwList, Qt::Key_C, Qt::ControlModifier);
    sqlite3_progress_handler(connection().handle(), 0, nullptr, nullptr);
    QVERIFY(pointers.busy > 0);
    QCOMPARE(pointers.other, 0);
    QVERIFY(!QGuiApplication::overrideCursor());

    const QString copied = QGuiApplication::clipboard()->text();
    QFETCH(QString, expected);
    QFile pinned(QStringLiteral(QVX_FIXTURES "/clipboard/") + expected);
    QVERIFY(pinned.open(QIODevice::ReadOnly));
    const QByteArray want = pinned.readAll();
    if (copied.toUtf8() != want) {
        // The text made, to compare by eye.
        QFile made(QDir::temp().filePath(expected));
        if (made.open(QIODevice::WriteOnly))
            made.write(copied.toUtf8());
        QFAIL(qPrintable(QStringLiteral("the copy differs from %1; it is in %2").arg(expected, made.fileName())));
    }
    QVERIFY(m_driver->messages.isEmpty());
}

void tst_ExchangeCommands::pasteRefusals_data()
{
    QTest::addColumn<QString>("node");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    const QString slipWords = QStringLiteral("クリップボードに伝票のコピーがないか、または、フォーマットが不正です。");
    QTest::newRow("customer text into slips")
        << "de全件" << "Quorvex5\r\nオブジェクト/顧客\r\n件数/1\r\n1/顧客名漢字//x\r\n" << slipWords;
    QTest::newRow("LF alone") << "de全件" << "Quorvex5\nオブジェクト/伝票\n件数/0\n" << slipWords;
    QTest::newRow("empty clipboard") << "de全件" << "" << slipWords;
    QTest::newRow("one bad slip of two")
        << "de全件" << "Quorvex5\r\nオブジェクト/伝票\r\n件数/2\r\n1/合計//1\r\n2/合計//x\r\n" << slipWords;
    QTest::newRow("product text into customers")
        << "cu全件" << "Quorvex5\r\nオブジェクト/商品\r\n件数/1\r\n1/品名//x\r\n"
        << "クリップボードに顧客のコピーがないか、または、フォーマットが不正です。";
    QTest::newRow("customer text into products")
        << "sh全件" << "Quorvex5\r\nオブジェクト/顧客\r\n件数/1\r\n1/顧客名漢字//x\r\n"
        << "クリップボードに商品のコピーがないか、または、フォーマットが不正です。";
}

void tst_ExchangeCommands::pasteRefusals()
{
    QFETCH(QString, node);
    QFETCH(QString, text);
    QFETCH(QString, message);
    open();
    m_form->SelectTreeNode(node);
    QGuiApplication::clipboard()->setText(text);
    m_form->mnuPaste->trigger();
    QCOMPARE(m_driver->texts(), QStringList{message});
    QCOMPARE(m_driver->messages.first().icon, ui::Icon::Information);
    QCOMPARE(m_editors, 0);
    QCOMPARE(count(QStringLiteral("伝票テーブル")) + count(QStringLiteral("顧客テーブル"))
                 + count(QStringLiteral("商品テーブル")),
             0);
}

void tst_ExchangeCommands::copyAndPasteDoNothingOutsideRecordLists()
{
    insertSlip(1, QStringLiteral("甲"), 1);
    open();
    QGuiApplication::clipboard()->setText(QStringLiteral("Quorvex5\r\nオブジェクト/伝票\r\n件数/1\r\n1/合計//1\r\n"));
    const QString before = QGuiApplication::clipboard()->text();
    m_form->ShowKensakuFilterList(QStringLiteral("伝票"));
    m_form->mnuCopy->trigger();
    m_form->mnuPaste->trigger();
    m_form->mnuWriteFile->trigger();
    m_form->ShowDenpyoMenu();
    emit m_form->toolbarCommand(QStringLiteral("Copy"));
    emit m_form->toolbarCommand(QStringLiteral("Paste"));
    emit m_form->toolbarCommand(QStringLiteral("WriteFile"));
    QCOMPARE(QGuiApplication::clipboard()->text(), before);
    QCOMPARE(count(QStringLiteral("伝票テーブル")), 1);
    QVERIFY(m_driver->messages.isEmpty());
    QVERIFY(m_saveRequests.isEmpty());
}

void tst_ExchangeCommands::customerPasteOpensOneEditorEach()
{
    insertCustomer(QStringLiteral("A1"), QStringLiteral("甲"));
    insertCustomer(QStringLiteral("B2"), QStringLiteral("乙"));
    insertCustomer(QStringLiteral("C3"), QStringLiteral("丙"));
    open();
    m_form->SelectTreeNode(QStringLiteral("cu全件"));
    QCOMPARE(m_form->lvwList->rowCountShown(), 3);
    selectRows({0, 1, 2});
    emit m_form->toolbarCommand(QStringLiteral("Copy"));
    QVERIFY(QGuiApplication::clipboard()->text().contains(QStringLiteral("件数/3\r\n")));

    // Each editor shows one copied customer with an empty ID; the first is
    // saved under a new ID, the others are closed unsaved.
    QStringList shown;
    onEditors([&shown, this](QWidget *editor) {
        shown << DialogDriver::shown(editor, "txtCustomerID") + QLatin1Char('/')
                     + DialogDriver::shown(editor, "txtCustomerNameKnj") + QLatin1Char('/')
                     + DialogDriver::shown(editor, "txtCustomerMemo").replace(QLatin1Char('\n'), QLatin1Char('|'));
        if (m_editors == 1) {
            DialogDriver::type(QStringLiteral("N1"));
            DialogDriver::key(Qt::Key_F12);
        }
    });
    m_commands->popupMenus()->PreparePopupMenu();
    m_commands->popupMenus()->mnuItemPaste->trigger();
    QCOMPARE(m_editors, 3);
    QCOMPARE(shown, (QStringList{"/甲/一|二", "/乙/一|二", "/丙/一|二"}));
    QCOMPARE(count(QStringLiteral("顧客テーブル WHERE 顧客ID = 'N1' AND 顧客名漢字 = '甲' AND 月締め請求 = 1 AND 締め日 = '20日締め' "
                                  "AND 値引率 = 7")),
             1);
    QCOMPARE(m_form->lvwList->rowCountShown(), 4);
    QVERIFY(!m_driver->texts().contains(QStringLiteral("伝票を3件、貼り付けました。")));
}

void tst_ExchangeCommands::productPasteFromTheMenuKeepsTheFraction()
{
    insertShohin(QStringLiteral("S1"), QStringLiteral("ボルト"), 1234.5678);
    open();
    m_form->SelectTreeNode(QStringLiteral("sh全件"));
    selectRows({0});
    QTest::keyClick(m_form->lvwList, Qt::Key_C, Qt::ControlModifier);
    // The box cannot show four decimals, yet the saved copy keeps them.
    QStringList shown;
    onEditors([&shown](QWidget *editor) {
        shown << DialogDriver::shown(editor, "txtShohinID") + QLatin1Char('/') + DialogDriver::shown(editor, "txtShohinName");
        DialogDriver::type(QStringLiteral("S2"));
        DialogDriver::key(Qt::Key_F12);
    });
    m_form->mnuPaste->trigger();
    QCOMPARE(m_editors, 1);
    QCOMPARE(shown, QStringList{QStringLiteral("/ボルト")});
    QCOMPARE(connection().scalar(QStringLiteral("SELECT 単価 FROM 商品テーブル WHERE 商品ID = 'S2'")).toDouble(),
             1234.5678);
    QCOMPARE(m_form->lvwList->rowCountShown(), 2);
}

void tst_ExchangeCommands::exportWritesTheSelectedRows()
{
    insertShohin(QStringLiteral("S1"), QStringLiteral("ボルト"), 1.5);
    insertShohin(QStringLiteral("S2"), QStringLiteral("ナット"), 2);
    insertShohin(QStringLiteral("S3"), QStringLiteral("座金"), 3);
    open();
    m_form->SelectTreeNode(QStringLiteral("sh全件"));
    selectRows({2, 0});
    QTemporaryDir dir;
    m_savePath = dir.filePath(QStringLiteral("商品.csv"));
    m_form->mnuWriteFile->trigger();

    QCOMPARE(m_saveRequests.size(), 1);
    const ui::SaveFileRequest &request = m_saveRequests.first();
    QCOMPARE(request.fileName, QStringLiteral("商品_261209100000"));
    QCOMPARE(request.defaultSuffix, QStringLiteral("csv"));
    QCOMPARE(request.filters,
             (QStringList{QStringLiteral("ＣＳＶファイル (*.csv)"), QStringLiteral("すべてのファイル (*.*)")}));
    QFile file(m_savePath);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(text::fromCp932(file.readAll()),
             ListCsvFile::ShohinHeader() + QStringLiteral("\"S1\",\"\",\"ボルト\",\"\",\"1.5\",\"\",\"\"\r\n")
                 + QStringLiteral("\"S3\",\"\",\"座金\",\"\",\"3\",\"\",\"\"\r\n"));
    QVERIFY(m_driver->messages.isEmpty());
    QCOMPARE(QDir::currentPath(), QDir(gstrStartupDir).absolutePath());

    // The toolbar button exports the slips of a slip list, one row per line.
    insertSlip(7, QStringLiteral("甲"), 3);
    m_form->SelectTreeNode(QStringLiteral("de全件"));
    selectRows({0});
    m_savePath = dir.filePath(QStringLiteral("伝票.csv"));
    emit m_form->toolbarCommand(QStringLiteral("WriteFile"));
    QCOMPARE(m_saveRequests.last().fileName, QStringLiteral("伝票_261209100000"));
    QFile slips(m_savePath);
    QVERIFY(slips.open(QIODevice::ReadOnly));
    QCOMPARE(slips.readAll().count("\r\n"), 4);
}

void tst_ExchangeCommands::exportCancelledWritesNothing()
{
    insertShohin(QStringLiteral("S1"), QStringLiteral("ボルト"), 1.5);
    open();
    m_form->SelectTreeNode(QStringLiteral("sh全件"));
    selectRows({0});
    QTemporaryDir dir;
    m_savePath.clear();
    m_form->mnuWriteFile->trigger();
    QCOMPARE(m_saveRequests.size(), 1);
    QVERIFY(QDir(dir.path()).isEmpty());
    QVERIFY(m_driver->messages.isEmpty());
}

void tst_ExchangeCommands::exportTellsReplacementsAndFailures()
{
    insertCustomer(QStringLiteral("A1"), QStringLiteral("Café 😀"));
    open();
    m_form->SelectTreeNode(QStringLiteral("cu全件"));
    selectRows({0});
    QTemporaryDir dir;
    m_savePath = dir.filePath(QStringLiteral("顧客.csv"));
    m_form->mnuWriteFile->trigger();
    QCOMPARE(m_driver->texts(),
             QStringList{QStringLiteral("ファイルに書けない文字が2文字あったため、「?」に置き換えて保存しました。")});
    QFile file(m_savePath);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().contains("\"Caf? ?\""));

    // A folder that is not there: the reason, with the exclamation icon,
    // and the next export works.
    m_driver->messages.clear();
    m_savePath = dir.filePath(QStringLiteral("gone/顧客.csv"));
    m_form->mnuWriteFile->trigger();
    QCOMPARE(m_driver->messages.size(), 1);
    QCOMPARE(m_driver->messages.first().icon, ui::Icon::Exclamation);
    QVERIFY(!QFile::exists(m_savePath));
    m_savePath = dir.filePath(QStringLiteral("again.csv"));
    m_form->mnuWriteFile->trigger();
    QVERIFY(QFile::exists(m_savePath));
}

QTEST_MAIN(tst_ExchangeCommands)
#include "tst_exchangecommands.moc"
