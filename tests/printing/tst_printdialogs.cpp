#include "../masters/DateKeys.h"
#include "../masters/DialogDriver.h"
#include "GridForm.h"
#include "TestSupport.h"
#include "core/BasicInfo.h"
#include "core/DateValue.h"
#include "core/Globals.h"
#include "core/controls/ucTextInput.h"
#include "model/Customer.h"
#include "model/Denpyo.h"
#include "model/Shohin.h"
#include "platform/report/PreviewDialog.h"
#include "platform/report/PreviewWidget.h"
#include "printing/ListPrintSource.h"
#include "printing/frmItemPrint.h"
#include "printing/frmListPrint.h"
#include "printing/frmPrintInfo.h"

#include <QDateEdit>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTreeWidget>
#include <QtTest>
#include <memory>

using D = DialogDriver;
using fixture::GridForm;

namespace {

// A list of rows as the main window would offer them.
class FakeList : public ListPrintSource {
public:
    struct Row {
        QString text;
        bool selected = false;
        bool bold = false;
    };
    QList<Row> rows;
    int sorts = 0;

    int rowCount() const override { return int(rows.size()); }
    QString rowText(int row) const override { return rows[row].text; }
    bool rowSelected(int row) const override { return rows[row].selected; }
    void setRowBold(int row, bool bold) override { rows[row].bold = bold; }
    void sortByFirstColumn() override { ++sorts; }

    QStringList bold() const
    {
        QStringList out;
        for (const Row &r : rows)
            if (r.bold)
                out << r.text;
        return out;
    }
};

QString statusText(QWidget *dialog)
{
    return dialog->findChild<QStatusBar *>(QStringLiteral("StatusBar1"))->findChild<QLabel *>()->text();
}

} // namespace

class tst_PrintDialogs : public QObject {
    Q_OBJECT

    testsupport::ProgramFolder m_folder;
    QList<QVector<report::Page>> m_previews;

    // What the fields of a GridForm printed on the first page of the last
    // preview.
    QHash<QString, QString> lastPrinted(const GridForm &form) const
    {
        return m_previews.isEmpty() || m_previews.last().isEmpty() ? QHash<QString, QString>()
                                                                   : form.values(m_previews.last().first());
    }

private slots:
    void initTestCase()
    {
        m_folder.open();
        setFixedNow(QDateTime(QDate(2024, 6, 1), QTime(10, 0)));
        report::setPreviewDriver([this](report::PreviewDialog &d) {
            m_previews << d.viewer()->pages();
            return int(QDialog::Accepted);
        });
        Denpyo d;
        d.setDenpyoID(1234);
        d.setCustomerName(QStringLiteral("保存済み"));
        d.Meisais().Add().setItemName(QStringLiteral("ボルト"));
        QVERIFY(d.Apply());
        Customer c;
        c.setCustomerID(QStringLiteral("C1"));
        c.setNameKnj(QStringLiteral("山田"));
        QVERIFY(c.Apply());
        c.Initialize();
        c.setCustomerID(QStringLiteral("C2"));
        c.setNameKnj(QStringLiteral("鈴木"));
        QVERIFY(c.Apply());
        c.Initialize();
        c.setCustomerID(QStringLiteral("C3"));
        QVERIFY(c.Apply());
        Shohin s;
        s.setShohinID(QStringLiteral("P1"));
        s.setName(QStringLiteral("ナット"));
        QVERIFY(s.Apply());
        GridForm({"P_伝票番号", "P_顧客名", "P_印刷日付", "1_品名"})
            .save(gstrDenpyoPrintFormFolder + QStringLiteral("納品書.rpx"));
        GridForm({"P_顧客名漢字"}).save(gstrCustomerPrintFormFolder + QStringLiteral("顧客.rpx"));
        GridForm({"P_品名"}).save(gstrShohinPrintFormFolder + QStringLiteral("商品.rpx"));
    }

    void cleanupTestCase() { setFixedNow(QDateTime()); }

    void init() { m_previews.clear(); }

    // An unsaved slip of the slip editor prints as it stands, nothing read.
    void itemPrintOfAnUnsavedSlip()
    {
        D d;
        Denpyo slip;
        slip.setDenpyoID(1234); // stored as 保存済み: the object wins
        slip.setCustomerName(QStringLiteral("未保存"));
        slip.Meisais().Add().setItemName(QStringLiteral("新しい行"));
        frmItemPrint form;
        form.ObjectType = QStringLiteral("伝票");
        form.FormName = QStringLiteral("納品書");
        form.SetObjectAny(slip);
        QString message, caption, focus;
        D::onNextModal([&](QWidget *modal) {
            message = modal->findChild<QLabel *>(QStringLiteral("lblMessage"))->text();
            caption = modal->windowTitle();
            focus = D::focusName();
            D::key(Qt::Key_F12);
        });
        QCOMPARE(form.exec(), int(QDialog::Accepted));
        QCOMPARE(caption, QStringLiteral("伝票印刷"));
        QCOMPARE(message, QStringLiteral("伝票  の 納品書 を印刷します..."));
        QCOMPARE(focus, QStringLiteral("cmdOK"));
        QCOMPARE(m_previews.size(), 1);
        const auto printed = lastPrinted(GridForm({"P_伝票番号", "P_顧客名", "P_印刷日付", "1_品名"}));
        QCOMPARE(printed.value("P_顧客名"), QStringLiteral("未保存"));
        QCOMPARE(printed.value("1_品名"), QStringLiteral("新しい行"));
        QCOMPARE(printed.value("P_印刷日付"), QStringLiteral("2024/06/01"));
        QVERIFY(d.messages.isEmpty());
    }

    // A stored slip by its number; the chosen print date reaches the print.
    void itemPrintLoadsByKey()
    {
        D d;
        frmItemPrint form;
        form.ObjectType = QStringLiteral("伝票");
        form.ObjectID = QStringLiteral("1234");
        form.FormName = QStringLiteral("納品書");
        QString message;
        D::onNextModal([&](QWidget *modal) {
            message = modal->findChild<QLabel *>(QStringLiteral("lblMessage"))->text();
            modal->findChild<QDateEdit *>(QStringLiteral("dtpPrintDate"))->setDate(QDate(2024, 7, 7));
            modal->findChild<QPushButton *>(QStringLiteral("cmdOK"))->click();
        });
        form.exec();
        QCOMPARE(message, QStringLiteral("伝票 1234 の 納品書 を印刷します..."));
        const auto printed = lastPrinted(GridForm({"P_伝票番号", "P_顧客名", "P_印刷日付", "1_品名"}));
        QCOMPARE(printed.value("P_顧客名"), QStringLiteral("保存済み"));
        QCOMPARE(printed.value("P_印刷日付"), QStringLiteral("2024/07/07"));
    }

    void itemPrintKeys_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<bool>("printed");
        QTest::newRow("Right in the date") << "dtpPrintDate" << QList<int>{Qt::Key_Right} << "cmdExit" << false;
        QTest::newRow("Enter in the date") << "dtpPrintDate" << QList<int>{Qt::Key_Return} << "cmdOK" << false;
        QTest::newRow("Home, End") << "cmdOK" << QList<int>{Qt::Key_Home} << "dtpPrintDate" << false;
        QTest::newRow("End") << "dtpPrintDate" << QList<int>{Qt::Key_End} << "cmdExit" << false;
        QTest::newRow("arrows on buttons") << "cmdOK" << QList<int>{Qt::Key_Down, Qt::Key_Right, Qt::Key_Return}
                                           << "cmdOK" << false;
        QTest::newRow("F12 in the date") << "dtpPrintDate" << QList<int>{Qt::Key_F12} << "" << true;
        QTest::newRow("F12 on close") << "cmdExit" << QList<int>{Qt::Key_F12} << "" << true;
        QTest::newRow("Esc") << "dtpPrintDate" << QList<int>{Qt::Key_Escape} << "" << false;
    }

    void itemPrintKeys()
    {
        QFETCH(QString, start);
        QFETCH(QList<int>, keys);
        QFETCH(QString, focus);
        QFETCH(bool, printed);
        D d;
        frmItemPrint form;
        form.ObjectType = QStringLiteral("商品");
        form.ObjectID = QStringLiteral("P1");
        form.FormName = QStringLiteral("商品");
        QString reached;
        bool open = true;
        D::onNextModal([&](QWidget *modal) {
            modal->findChild<QWidget *>(start)->setFocus();
            for (int key : keys)
                D::key(Qt::Key(key));
            reached = D::focusName();
            open = modal->isVisible();
        });
        form.exec();
        if (!focus.isEmpty()) {
            QVERIFY(open);
            QCOMPARE(reached, focus);
        } else {
            QVERIFY(!open);
        }
        QCOMPARE(m_previews.size(), printed ? 1 : 0);
    }

    // The print date of both print dialogs, typed or picked in the calendar.
    void printDateAsTyped_data() { datekeys::addDateKeyRows({"item", "list"}); }
    void printDateAsTyped()
    {
        QFETCH(QString, window);
        D d;
        FakeList list;
        list.rows = {{"C1", true}};
        std::unique_ptr<QDialog> dialog;
        QWidget *next = nullptr; // 印刷 waits for a form to be chosen in the list
        if (window == QLatin1String("item")) {
            auto form = std::make_unique<frmItemPrint>();
            form->ObjectType = QStringLiteral("商品");
            form->ObjectID = QStringLiteral("P1");
            form->FormName = QStringLiteral("商品");
            next = form->cmdOK;
            dialog = std::move(form);
        } else {
            auto form = std::make_unique<frmListPrint>();
            form->ObjectType = QStringLiteral("顧客");
            form->Source = &list;
            next = form->cmdExit;
            dialog = std::move(form);
        }
        QVERIFY(D::open(dialog.get()));
        datekeys::checkDateKeys(dialog.get(), dialog->findChild<QDateEdit *>(QStringLiteral("dtpPrintDate")), next);
        QVERIFY(d.messages.isEmpty());
        QCOMPARE(m_previews.size(), 0);
    }

    void itemPrintOfARecordThatIsGone_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("message");
        QTest::newRow("slip") << "伝票" << "99" << "伝票テーブルの読み込みに失敗しました。(この伝票は存在しません。)";
        QTest::newRow("customer") << "顧客" << "X" << "顧客テーブルの読み込みに失敗しました。(この顧客は存在しません。)";
        QTest::newRow("product") << "商品" << "X" << "商品テーブルの読み込みに失敗しました。(この商品は存在しません。)";
    }

    void itemPrintOfARecordThatIsGone()
    {
        QFETCH(QString, type);
        QFETCH(QString, id);
        QFETCH(QString, message);
        D d;
        frmItemPrint form;
        form.ObjectType = type;
        form.ObjectID = id;
        form.FormName = QStringLiteral("x");
        QCOMPARE(form.exec(), int(QDialog::Rejected));
        QVERIFY(!form.isVisible());
        QCOMPARE(d.texts(), QStringList{message});
        QVERIFY(m_previews.isEmpty());
    }

    void listPrintForms()
    {
        GridForm({"1_顧客ID"}, QStringLiteral("1;0;0;"))
            .save(gstrCustomerListPrintFormFolder + QStringLiteral("選択.rpx"));
        GridForm({"1_顧客ID", "2_顧客ID", "3_顧客ID"}).save(gstrCustomerListPrintFormFolder + QStringLiteral("a.b.rpx"));
        QFile plain(gstrCustomerListPrintFormFolder + QStringLiteral("Z.rpx"));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.write("<Report/>\n");
        plain.close();

        FakeList list;
        list.rows = {{"C2", true}, {"C1", false}, {"C3", true}};
        D d;
        frmListPrint form;
        form.ObjectType = QStringLiteral("顧客");
        form.Source = &list;
        QVERIFY(D::open(&form));
        QCOMPARE(form.windowTitle(), QStringLiteral(" 顧客リスト印刷"));
        QStringList shown;
        for (int i = 0; i < form.lvwFormList->topLevelItemCount(); ++i)
            shown << form.lvwFormList->topLevelItem(i)->text(0) + QLatin1Char('/')
                         + form.lvwFormList->topLevelItem(i)->text(1);
        QCOMPARE(shown, (QStringList{"Z/全表示行", "a.b/全表示行", "選択/選択行のみ"}));
        // Every header, shown or hidden, is what a screen reader announces.
        QStringList headers;
        for (int c = 0; c < form.lvwFormList->columnCount(); ++c)
            headers << form.lvwFormList->headerItem()->text(c);
        QCOMPARE(headers, (QStringList{"名前", "出力対象"}));
        // The first form prints every row: none bold.
        QVERIFY(list.bold().isEmpty());
        QVERIFY(form.cmdOK->isEnabled());
        // The selected-rows form marks the selected rows.
        form.lvwFormList->setCurrentItem(form.lvwFormList->topLevelItem(2));
        QCOMPARE(list.bold(), (QStringList{"C2", "C3"}));
        // Nothing selected: nothing to print.
        list.rows[0].selected = list.rows[2].selected = false;
        form.lvwFormList->setCurrentItem(form.lvwFormList->topLevelItem(1));
        form.lvwFormList->setCurrentItem(form.lvwFormList->topLevelItem(2));
        QVERIFY(!form.cmdOK->isEnabled());
        QCOMPARE(statusText(&form), QStringLiteral("行が選択されていないか、出力対象行がありません。"));
        form.lvwFormList->setFocus();
        D::key(Qt::Key_F12);
        QVERIFY(m_previews.isEmpty());
        list.rows[1].selected = true;
        form.lvwFormList->setCurrentItem(form.lvwFormList->topLevelItem(1));
        form.lvwFormList->setCurrentItem(form.lvwFormList->topLevelItem(2));
        QCOMPARE(statusText(&form), QString());
        QVERIFY(form.cmdOK->isEnabled());
        // Closing clears the marks and sorts the list again.
        D::key(Qt::Key_Escape);
        QVERIFY(!form.isVisible());
        QVERIFY(list.bold().isEmpty());
        QCOMPARE(list.sorts, 1);
        QVERIFY(m_previews.isEmpty());
    }

    void listPrintPrints_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QStringList>("pages"); // the IDs of each page's slots
        QTest::newRow("all rows") << "a.b" << QStringList{"C2 C1 C3"};
        QTest::newRow("selected rows") << "選択" << QStringList{"C2", "C3"};
    }

    // The keys go to the print in the list's order.
    void listPrintPrints()
    {
        QFETCH(QString, form);
        QFETCH(QStringList, pages);
        FakeList list;
        list.rows = {{"C2", true}, {"C1", false}, {"C3", true}};
        D d;
        frmListPrint dialog;
        dialog.ObjectType = QStringLiteral("顧客");
        dialog.Source = &list;
        QVERIFY(D::open(&dialog));
        const auto found = dialog.lvwFormList->findItems(form, Qt::MatchExactly);
        QCOMPARE(found.size(), 1);
        dialog.lvwFormList->setCurrentItem(found.first());
        D::key(Qt::Key_Return);
        QCOMPARE(D::focusName(), QStringLiteral("dtpPrintDate"));
        D::key(Qt::Key_F12);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(m_previews.size(), 1);
        const GridForm grid(form == QStringLiteral("a.b") ? QStringList{"1_顧客ID", "2_顧客ID", "3_顧客ID"}
                                                          : QStringList{"1_顧客ID"});
        QStringList printed;
        for (const report::Page &page : m_previews.first()) {
            const auto v = grid.values(page);
            printed << QStringList{v.value("1_顧客ID"), v.value("2_顧客ID"), v.value("3_顧客ID")}.join(' ').trimmed();
        }
        QCOMPARE(printed, pages);
        QCOMPARE(list.sorts, 1);
    }

    void printInfoSavesAll21Keys()
    {
        connection().exec(QStringLiteral("DELETE FROM 基本情報テーブル WHERE 基本情報ID LIKE 'My%';"));
        // An account type that is neither 0 nor 1 prints as 普通 and shows so.
        connection().exec(QStringLiteral("INSERT INTO 基本情報テーブル VALUES ('MyKoza3Shurui', NULL, 2);"));
        D d;
        frmPrintInfo form;
        QVERIFY(D::open(&form));
        QCOMPARE(form.windowTitle(), QStringLiteral(" 自社情報"));
        QCOMPARE(D::focusName(), QStringLiteral("txtName"));
        QVERIFY(form.optKozaShurui[0][0]->isChecked());
        QVERIFY(form.optKozaShurui[1][0]->isChecked());
        QVERIFY(form.optKozaShurui[2][1]->isChecked());
        D::type(QStringLiteral("ABC"));
        D::key(Qt::Key_Return);
        QCOMPARE(D::focusName(), QStringLiteral("txtPostNumber"));
        D::type(QStringLiteral("150-0002"));
        form.txtKozaGinko[1]->setText(QStringLiteral("見本銀行"));
        form.optKozaShurui[1][1]->setChecked(true);
        form.txtKozaNumber[2]->setText(QStringLiteral("7654321"));
        D::key(Qt::Key_F12);
        QVERIFY(!form.isVisible());
        QCOMPARE(d.texts(), QStringList{"更新しますか？"});
        QCOMPARE(connection().scalar(QStringLiteral("SELECT COUNT(*) FROM 基本情報テーブル WHERE 基本情報ID LIKE 'My%';"))
                     .toInt(),
                 21);
        BasicInfo info;
        QVERIFY(info.Load(QStringLiteral("MyKoza2Shurui")));
        QCOMPARE(info.LongValue(), 1);
        QVERIFY(info.Load(QStringLiteral("MyKoza1Shurui")));
        QCOMPARE(info.LongValue(), 0);
        QVERIFY(info.Load(QStringLiteral("MyPostNumber")));
        QCOMPARE(info.StringValue(), QStringLiteral("150-0002"));
        QVERIFY(info.Load(QStringLiteral("MyKoza3Number")));
        QCOMPARE(info.StringValue(), QStringLiteral("7654321"));

        // Opened again it shows what was saved.
        frmPrintInfo again;
        QVERIFY(D::open(&again));
        QCOMPARE(D::shown(&again, "txtName"), QStringLiteral("ABC"));
        QVERIFY(again.optKozaShurui[1][1]->isChecked());
        QCOMPARE(D::shown(&again, "txtKoza2Ginko"), QStringLiteral("見本銀行"));
        // Closing discards without a question.
        D::type(QStringLiteral("XYZ"));
        D::key(Qt::Key_Escape);
        QVERIFY(!again.isVisible());
        QVERIFY(info.Load(QStringLiteral("MyName")));
        QCOMPARE(info.StringValue(), QStringLiteral("ABC"));
    }

    void printInfoAnsweredNo()
    {
        D d;
        d.answer = ui::Answer::No;
        frmPrintInfo form;
        QVERIFY(D::open(&form));
        form.txtName->setText(QStringLiteral("変更"));
        D::key(Qt::Key_F12);
        QVERIFY(form.isVisible());
        QCOMPARE(D::shown(&form, "txtName"), QStringLiteral("変更"));
        BasicInfo info;
        info.Load(QStringLiteral("MyName"));
        QVERIFY(info.StringValue() != QStringLiteral("変更"));
    }

    // A setting that cannot be written is reported; nothing is kept and
    // the window stays open.
    void printInfoReportsAFailedSave()
    {
        connection().exec(QStringLiteral("CREATE TEMP TRIGGER refuse BEFORE UPDATE ON 基本情報テーブル "
                                         "WHEN NEW.基本情報ID = 'MyMail' BEGIN SELECT RAISE(ABORT, 'refused'); END;"));
        D d;
        frmPrintInfo form;
        QVERIFY(D::open(&form));
        form.txtName->setText(QStringLiteral("新しい名前"));
        D::key(Qt::Key_F12);
        connection().exec(QStringLiteral("DROP TRIGGER refuse;"));
        QVERIFY(form.isVisible());
        QCOMPARE(d.messages.size(), 2);
        QVERIFY(d.messages[1].text.contains(QStringLiteral("refused")));
        BasicInfo info;
        info.Load(QStringLiteral("MyName"));
        QVERIFY(info.StringValue() != QStringLiteral("新しい名前"));
        D::key(Qt::Key_Escape);
    }

    // Settings that could not be read are never written back empty.
    void printInfoUnreadIsNotWrittenBack()
    {
        connection().exec(QStringLiteral("ALTER TABLE 基本情報テーブル RENAME TO 退避"));
        D d;
        frmPrintInfo form;
        const bool opened = D::open(&form);
        connection().exec(QStringLiteral("ALTER TABLE 退避 RENAME TO 基本情報テーブル"));
        QVERIFY(opened);
        QCOMPARE(d.messages.size(), 1);
        BasicInfo before;
        before.Load(QStringLiteral("MyName"));
        D::key(Qt::Key_F12);
        QCOMPARE(d.messages.size(), 2);
        QVERIFY(d.messages[1].text.contains(QStringLiteral("更新できません")));
        QVERIFY(form.isVisible());
        BasicInfo after;
        after.Load(QStringLiteral("MyName"));
        QCOMPARE(after.StringValue(), before.StringValue());
        QVERIFY(!after.StringValue().isEmpty());
        D::key(Qt::Key_Escape);
    }

    void printInfoKeys_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("start");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("focus");
        QTest::newRow("Down in a branch") << 1 << "txtKoza2Shiten" << int(Qt::Key_Down) << "txtKoza2Number";
        QTest::newRow("Up in a bank") << 2 << "txtKoza3Ginko" << int(Qt::Key_Up) << "txtMail";
        QTest::newRow("Enter in a number") << 0 << "txtKoza1Number" << int(Qt::Key_Return) << "cmdOK";
        QTest::newRow("Enter in the number") << 0 << "txtTourokuBango" << int(Qt::Key_Return) << "cmdOK";
        QTest::newRow("Up in the name") << 0 << "txtName" << int(Qt::Key_Up) << "txtName";
        QTest::newRow("Up in the post code") << 0 << "txtPostNumber" << int(Qt::Key_Up) << "txtName";
        QTest::newRow("Home") << 0 << "txtKoza1Shiten" << int(Qt::Key_Home) << "txtName";
        QTest::newRow("End") << 0 << "txtFax" << int(Qt::Key_End) << "cmdOK";
    }

    void printInfoKeys()
    {
        QFETCH(int, page);
        QFETCH(QString, start);
        QFETCH(int, key);
        QFETCH(QString, focus);
        D d;
        frmPrintInfo form;
        QVERIFY(D::open(&form));
        form.tabKoza->setCurrentIndex(page);
        form.findChild<QWidget *>(start)->setFocus();
        QCOMPARE(D::focusName(), start);
        D::key(Qt::Key(key));
        QCOMPARE(D::focusName(), focus);
        QVERIFY(d.messages.isEmpty());
        form.reject();
    }

    // Tab walks every account's stops in turn, showing the page it enters;
    // Shift+Tab walks back across the pages the same way.
    void printInfoTabWalksTheAccounts()
    {
        D d;
        frmPrintInfo form;
        QVERIFY(D::open(&form));
        form.findChild<QWidget *>(QStringLiteral("txtTourokuBango"))->setFocus();
        QStringList expected{QStringLiteral("txtTourokuBango")};
        for (int k = 1; k <= 3; ++k) {
            expected << QStringLiteral("txtKoza%1Ginko").arg(k) << QStringLiteral("txtKoza%1Shiten").arg(k)
                     << QStringLiteral("optKoza%1Shurui0").arg(k) << QStringLiteral("optKoza%1Shurui1").arg(k)
                     << QStringLiteral("txtKoza%1Number").arg(k);
        }
        expected << QStringLiteral("cmdOK") << QStringLiteral("cmdCancel");
        QStringList pages;
        QStringList visited;
        for (qsizetype i = 0; i < expected.size(); ++i) {
            visited << D::focusName();
            pages << QString::number(form.tabKoza->currentIndex());
            D::key(Qt::Key_Tab);
        }
        QCOMPARE(visited, expected);
        QCOMPARE(pages.mid(1, 15).join(QString()), QStringLiteral("000001111122222"));


        form.findChild<QWidget *>(QStringLiteral("txtKoza3Ginko"))->setFocus();
        D::key(Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(D::focusName(), QStringLiteral("txtKoza2Number"));
        QCOMPARE(form.tabKoza->currentIndex(), 1);
        QVERIFY(d.messages.isEmpty());
        form.reject();
    }

    // What is typed after a Tab lands in the account the Tab entered, also
    // when the keys wait in the queue while the page changes.
    void printInfoTypingAcrossAccounts_data()
    {
        QTest::addColumn<bool>("queued");
        QTest::newRow("one by one") << false;
        QTest::newRow("queued") << true;
    }

    void printInfoTypingAcrossAccounts()
    {
        QFETCH(bool, queued);
        D d;
        frmPrintInfo form;
        QVERIFY(D::open(&form));
        form.findChild<QWidget *>(QStringLiteral("txtKoza1Number"))->setFocus();
        // Tab, the second bank, Tab, its branch.
        const QList<std::pair<int, QString>> keys{{Qt::Key_Tab, {}}, {'M', "m"}, {'U', "u"}, {'F', "f"},
                                                  {Qt::Key_Tab, {}}, {'N', "n"}, {'A', "a"}};
        for (const auto &[key, text] : keys) {
            if (queued) {
                QCoreApplication::postEvent(form.windowHandle(),
                                            new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier, text));
                QCoreApplication::postEvent(form.windowHandle(),
                                            new QKeyEvent(QEvent::KeyRelease, key, Qt::NoModifier, text));
            } else if (text.isEmpty()) {
                D::key(Qt::Key(key));
            } else {
                D::type(text);
            }
        }
        QTRY_COMPARE(form.txtKozaShiten[1]->Text(), QStringLiteral("na"));
        QCOMPARE(form.txtKozaGinko[1]->Text(), QStringLiteral("muf"));
        QCOMPARE(form.txtKozaNumber[0]->Text(), QString());
        QCOMPARE(form.tabKoza->currentIndex(), 1);
        QVERIFY(d.messages.isEmpty());
        form.reject();
    }
};

QTEST_MAIN(tst_PrintDialogs)
#include "tst_printdialogs.moc"
