#include "DialogDriver.h"
#include "TestSupport.h"
#include "core/Globals.h"
#include "core/Tables.h"
#include "core/controls/ucTextInput.h"
#include "filters/SearchConditionKey.h"
#include "filters/SearchFilterFile.h"
#include "filters/SearchFilterKind.h"
#include "masters/frmCustomer.h"
#include "masters/frmCustomerList.h"
#include "model/Customer.h"
#include "platform/text/LineFile.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

using D = DialogDriver;

namespace {
// A saved customer filter holding one condition of the search-item table.
void writeFilter(const QString &name, const QString &field, const QString &code, const QString &value)
{
    KensakuItemSpec item;
    for (const QString &text : searchfilter::itemTable(SearchFilterKind::Customer)) {
        if (KensakuItemSpec::parse(text).nodeKey == field)
            item = KensakuItemSpec::parse(text);
    }
    SearchFilterFile file;
    const QString key = code + item.column + QLatin1Char('@') + value;
    file.fields.append({item.nodeKey, item.caption,
                        {{SearchConditionKey::stamped(QDateTime(QDate(2024, 5, 1), QTime(9, 0)), key),
                          SearchConditionKey::displayText(code, value)}}});
    file.write(searchfilter::filePath(SearchFilterKind::Customer, name));
}

void writeBroken(const QString &name)
{
    text::writeLines(searchfilter::filePath(SearchFilterKind::Customer, name), {QStringLiteral("\"x\"")});
}
} // namespace

class tst_frmCustomerList : public QObject {
    Q_OBJECT

    testsupport::ProgramFolder m_folder;

    static QStringList rows(frmCustomerList &picker)
    {
        auto *list = picker.findChild<QTreeWidget *>(QStringLiteral("lvwCustomerList"));
        QStringList out;
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            out << list->topLevelItem(i)->text(0);
        return out;
    }
    static QStringList nodes(frmCustomerList &picker)
    {
        auto *tree = picker.findChild<QTreeWidget *>(QStringLiteral("tvwTree"));
        QStringList out;
        for (int i = 0; i < tree->topLevelItemCount(); ++i)
            out << tree->topLevelItem(i)->text(0);
        return out;
    }
    static void clickNode(frmCustomerList &picker, int index)
    {
        auto *tree = picker.findChild<QTreeWidget *>(QStringLiteral("tvwTree"));
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                          tree->visualItemRect(tree->topLevelItem(index)).center());
    }
    static ucTextInput *box(frmCustomerList &picker, const char *name)
    {
        return picker.findChild<ucTextInput *>(QLatin1String(name));
    }

private slots:
    void initTestCase()
    {
        m_folder.open();
        InitCustomerKensakuItems();
        const char *const customers[][5] = {
            {"A1", "やまだ", "山田商店", "1234567", "10"}, {"A10", "たなか", "田中工業", "", "0"},
            {"A1-2", "おかだ", "岡田's", "", "0"},        {"BA1", "やまもと", "山本", "", "0"},
            {"C5", "すずき", "鈴木 山田支店", "", "-3"},
        };
        for (const auto &c : customers) {
            connection()
                .prepare(QStringLiteral("INSERT INTO 顧客テーブル (顧客ID, 顧客名かな, 顧客名漢字, 郵便番号, 値引率, "
                                        "月締め請求, 締め日) VALUES (?,?,?,?,?,1,'20日締め');"))
                .bind(1, QString::fromUtf8(c[0]))
                .bind(2, QString::fromUtf8(c[1]))
                .bind(3, QString::fromUtf8(c[2]))
                .bind(4, QString::fromUtf8(c[3]))
                .bind(5, QString::fromUtf8(c[4]).toInt())
                .exec();
        }
        writeFilter(QStringLiteral("A顧客"), QStringLiteral("rt1D"), QStringLiteral("I21"), QStringLiteral("A1*"));
        writeFilter(QStringLiteral("b得意先"), QStringLiteral("rt1D"), QStringLiteral("I21"), QStringLiteral("BA1"));
        writeFilter(QStringLiteral("一時検索"), QStringLiteral("rt1D"), QStringLiteral("I21"), QStringLiteral("C5"));
        writeFilter(QStringLiteral("一時検索2"), QStringLiteral("rt1D"), QStringLiteral("I21"), QStringLiteral("C5"));
        // A saved filter that took the all-records node's name; it does not
        // compile, so clicking it must not list everything.
        writeBroken(QStringLiteral("全件"));
    }

    void opensEmptyWithTheFilters()
    {
        D d;
        frmCustomerList picker;
        QVERIFY(D::open(&picker));
        QCOMPARE(picker.windowTitle(), QStringLiteral(" 顧客検索"));
        QCOMPARE(nodes(picker), (QStringList{"全件", "A顧客", "b得意先", "全件"}));
        QVERIFY(rows(picker).isEmpty());
        QCOMPARE(D::focusName(), QStringLiteral("txtSearchCustomerID"));
        QVERIFY(picker.findChild<QPushButton *>(QStringLiteral("cmdSearch"))->isDefault());
        D::key(Qt::Key_F12);
        QVERIFY(!picker.isVisible());
        QVERIFY(!picker.OK());
    }

    void boxSearches_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("found");
        QTest::newRow("all") << "" << "" << QStringList{"A1", "A1-2", "A10", "BA1", "C5"};
        QTest::newRow("A1") << "A1" << "" << QStringList{"A1", "A1-2", "A10"};
        QTest::newRow("A10") << "A10" << "" << QStringList{"A10"};
        QTest::newRow("A1-2") << "A1-2" << "" << QStringList{"A1-2"};
        QTest::newRow("BA1") << "BA1" << "" << QStringList{"BA1"};
        QTest::newRow("name anywhere") << "" << "山田" << QStringList{"A1", "C5"};
        QTest::newRow("name and id") << "A" << "山田" << QStringList{"A1"};
        QTest::newRow("apostrophe") << "" << "岡田's" << QStringList{"A1-2"};
        QTest::newRow("none") << "Z" << "" << QStringList{};
    }
    void boxSearches()
    {
        QFETCH(QString, id);
        QFETCH(QString, name);
        QFETCH(QStringList, found);
        D d;
        frmCustomerList picker;
        QVERIFY(D::open(&picker));
        D::type(id);
        D::key(Qt::Key_Down);
        D::type(name);
        D::key(Qt::Key_Up);
        D::key(Qt::Key_Return);
        QCOMPARE(rows(picker), found);
        QCOMPARE(picker.currentChoice(), found.value(0));
        // Enter in the ID box moves on to the list only when rows were found.
        QCOMPARE(D::focusName(), found.isEmpty() ? QStringLiteral("txtSearchCustomerID")
                                                 : QStringLiteral("lvwCustomerList"));
        QVERIFY(d.messages.isEmpty());
    }

    void enterInTheNameBoxAlwaysReachesTheList()
    {
        D d;
        frmCustomerList picker;
        QVERIFY(D::open(&picker));
        D::key(Qt::Key_Down);
        D::type(QStringLiteral("佐藤"));
        D::key(Qt::Key_Return);
        QVERIFY(rows(picker).isEmpty());
        QCOMPARE(D::focusName(), QStringLiteral("lvwCustomerList"));
        QVERIFY(picker.findChild<QPushButton *>(QStringLiteral("cmdOK"))->isDefault());
        D::key(Qt::Key_Up);
        QCOMPARE(D::focusName(), QStringLiteral("txtSearchCustomerNameKnj"));
    }

    void filterNodes()
    {
        D d;
        frmCustomerList picker;
        QVERIFY(D::open(&picker));
        D::type(QStringLiteral("C"));
        clickNode(picker, 1);
        QCOMPARE(rows(picker), (QStringList{"A1", "A1-2", "A10"}));
        QCOMPARE(box(picker, "txtSearchCustomerID")->Text(), QString());
        auto *tree = picker.findChild<QTreeWidget *>(QStringLiteral("tvwTree"));
        QCOMPARE(tree->currentItem()->text(0), QStringLiteral("A顧客"));

        // The saved filter named 全件 is compiled like any other.
        clickNode(picker, 3);
        QCOMPARE(d.texts(), QStringList{QStringLiteral("顧客検索フィルター 全件が不正です。")});
        QCOMPARE(d.messages.first().icon, ui::Icon::Exclamation);
        QCOMPARE(rows(picker), (QStringList{"A1", "A1-2", "A10"}));
        QCOMPARE(picker.currentChoice(), QStringLiteral("A1"));

        clickNode(picker, 0);
        QCOMPARE(rows(picker).size(), 5);

        // A box search rebuilds the tree, dropping the node's selection.
        box(picker, "txtSearchCustomerID")->setFocus();
        D::type(QStringLiteral("BA"));
        D::key(Qt::Key_Return);
        QCOMPARE(rows(picker), QStringList{"BA1"});
        QVERIFY(!tree->currentItem());
    }

    void choosingReturnsTheStoredValues()
    {
        D d;
        frmCustomerList picker;
        QVERIFY(D::open(&picker));
        D::key(Qt::Key_Return);
        QCOMPARE(D::focusName(), QStringLiteral("lvwCustomerList"));
        D::key(Qt::Key_Up);
        QCOMPARE(D::focusName(), QStringLiteral("txtSearchCustomerNameKnj"));
        picker.findChild<QWidget *>(QStringLiteral("lvwCustomerList"))->setFocus();
        for (int i = 0; i < 4; ++i)
            D::key(Qt::Key_Down);
        QCOMPARE(picker.currentChoice(), QStringLiteral("C5"));
        QCOMPARE(D::focusName(), QStringLiteral("lvwCustomerList"));
        D::key(Qt::Key_Down);
        QCOMPARE(D::focusName(), QStringLiteral("cmdOK"));
        D::key(Qt::Key_Home);
        QCOMPARE(D::focusName(), QStringLiteral("txtSearchCustomerID"));
        D::key(Qt::Key_F12);
        QVERIFY(!picker.isVisible());
        QVERIFY(picker.OK());
        QCOMPARE(picker.ResultCustomerID(), QStringLiteral("C5"));
        QCOMPARE(picker.ResultNameKnj(), QStringLiteral("鈴木 山田支店"));
        QCOMPARE(picker.ResultNebikiRitsu(), QStringLiteral("-3"));
        QVERIFY(picker.ResultTsukiSeikyu());
        QCOMPARE(picker.ResultShimeBi(), QStringLiteral("20日締め"));
    }

    void everyResultReadsTheChosenRecord()
    {
        Customer c;
        c.setCustomerID(QStringLiteral("Z9"));
        c.setNameKana(QStringLiteral("ぜっと"));
        c.setNameKnj(QStringLiteral("全十商会"));
        c.setBumon(QStringLiteral("経理"));
        c.setPostNumber(QStringLiteral("9876543"));
        c.setAddress1(QStringLiteral("札幌市"));
        c.setAddress2(QStringLiteral("北一条"));
        c.setPhone(QStringLiteral("011-222"));
        c.setFax(QStringLiteral("011-333"));
        c.setNebikiRitsu(0);
        c.setMemo(QStringLiteral("一\r\n二"));
        c.setTsukiSeikyu(true);
        c.setShimeBi(QStringLiteral("月末締め"));
        c.setSeikyushoForm(QStringLiteral("標準"));
        QVERIFY(c.Apply());
        D d;
        frmCustomerList picker;
        QVERIFY(D::open(&picker));
        D::type(QStringLiteral("Z9"));
        D::key(Qt::Key_Return);
        D::key(Qt::Key_Return);
        connection().exec(QStringLiteral("DELETE FROM 顧客テーブル WHERE 顧客ID = 'Z9';"));
        QVERIFY(picker.OK());
        const QStringList results = {picker.ResultCustomerID(),   picker.ResultTelephone(), picker.ResultFax(),
                                     picker.ResultNameKana(),     picker.ResultNameKnj(),   picker.ResultPostNumber(),
                                     picker.ResultAddress1(),     picker.ResultAddress2(),  picker.ResultBumon(),
                                     picker.ResultNebikiRitsu(),  picker.ResultMemo(),      picker.ResultShimeBi(),
                                     picker.ResultSeikyushoForm()};
        QCOMPARE(results, (QStringList{"Z9", "011-222", "011-333", "ぜっと", "全十商会", "9876543", "札幌市", "北一条",
                                       "経理", "0", "一\r\n二", "月末締め", "標準"}));
        QVERIFY(picker.ResultTsukiSeikyu());
    }

    void aSearchWithoutRowsLeavesNoChoice()
    {
        D d;
        frmCustomerList picker;
        QVERIFY(D::open(&picker));
        D::key(Qt::Key_Return);
        QCOMPARE(picker.currentChoice(), QStringLiteral("A1"));
        D::key(Qt::Key_Home);
        D::type(QStringLiteral("Q"));
        D::key(Qt::Key_Return);
        QCOMPARE(picker.currentChoice(), QString());
        D::key(Qt::Key_End);
        QCOMPARE(D::focusName(), QStringLiteral("cmdOK"));
        D::key(Qt::Key_Return);
        QVERIFY(!picker.isVisible());
        QVERIFY(!picker.OK());
    }

    void actionsThatChangeNothing()
    {
        D d;
        frmCustomerList picker;
        QVERIFY(D::open(&picker));
        auto *list = picker.findChild<QTreeWidget *>(QStringLiteral("lvwCustomerList"));
        auto *tree = picker.findChild<QTreeWidget *>(QStringLiteral("tvwTree"));
        // A double-click in the empty list chooses nothing.
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
        QVERIFY(picker.isVisible());
        // Enter in the tree runs no search once the boxes were left.
        box(picker, "txtSearchCustomerID")->setFocus();
        D::type(QStringLiteral("A1"));
        tree->setFocus();
        D::key(Qt::Key_Return);
        QVERIFY(rows(picker).isEmpty());
        QVERIFY(picker.isVisible());
        // The editor closed without saving leaves the picker as it was.
        D::onNextModal([](QWidget *modal) {
            QVERIFY(qobject_cast<frmCustomer *>(modal));
            D::type(QStringLiteral("N1"));
            D::key(Qt::Key_Escape);
        });
        D::key(Qt::Key_F2);
        QVERIFY(D::open(&picker));
        QCOMPARE(box(picker, "txtSearchCustomerID")->Text(), QStringLiteral("A1"));
        QVERIFY(rows(picker).isEmpty());
        QVERIFY(d.messages.isEmpty());
        QVERIFY(picker.isVisible());
        QVERIFY(!picker.OK());
    }

    void tabVisitsTheDesignedOrder()
    {
        D d;
        frmCustomerList picker;
        QVERIFY(D::open(&picker));
        QCOMPARE(D::tabWalk(8), (QStringList{"txtSearchCustomerID", "txtSearchCustomerNameKnj", "lvwCustomerList", "cmdOK",
                                       "cmdCancel", "tvwTree", "cmdCustomerNew", "txtSearchCustomerID"}));
    }

    void escCloses()
    {
        D d;
        frmCustomerList picker;
        QVERIFY(D::open(&picker));
        D::key(Qt::Key_Return);
        D::key(Qt::Key_Escape);
        QVERIFY(!picker.isVisible());
        QVERIFY(!picker.OK());
    }

    void f2CreatesAndListsTheCustomer()
    {
        D d;
        frmCustomerList picker;
        QVERIFY(D::open(&picker));
        D::type(QStringLiteral("A"));
        D::onNextModal([](QWidget *modal) {
            auto *editor = qobject_cast<frmCustomer *>(modal);
            QVERIFY(editor);
            QCOMPARE(editor->Mode, QStringLiteral("NewReturn"));
            D::type(QStringLiteral("c123"));
            D::key(Qt::Key_F12);
        });
        D::key(Qt::Key_F2);
        QVERIFY(D::open(&picker));
        QCOMPARE(box(picker, "txtSearchCustomerID")->Text(), QStringLiteral("C123"));
        QCOMPARE(rows(picker), QStringList{"C123"});
        QCOMPARE(D::focusName(), QStringLiteral("lvwCustomerList"));
        D::key(Qt::Key_F12);
        QVERIFY(picker.OK());
        QCOMPARE(picker.ResultCustomerID(), QStringLiteral("C123"));
        connection().exec(QStringLiteral("DELETE FROM 顧客テーブル WHERE 顧客ID = 'C123';"));
    }

    void databaseErrorKeepsThePickerUsable()
    {
        D d;
        frmCustomerList picker;
        QVERIFY(D::open(&picker));
        D::key(Qt::Key_Return);
        connection().exec(QStringLiteral("ALTER TABLE 顧客テーブル RENAME TO 顧客退避;"));
        D::key(Qt::Key_Home);
        D::key(Qt::Key_Return);
        connection().exec(QStringLiteral("ALTER TABLE 顧客退避 RENAME TO 顧客テーブル;"));
        QCOMPARE(d.messages.size(), 1);
        QVERIFY(d.messages.first().text.contains(QStringLiteral("顧客テーブル")));
        QVERIFY(picker.isVisible());
        QVERIFY(rows(picker).isEmpty());
        QCOMPARE(picker.currentChoice(), QString());
        D::key(Qt::Key_Return);
        QCOMPARE(rows(picker).size(), 5);
    }
};

QTEST_MAIN(tst_frmCustomerList)
#include "tst_frmcustomerlist.moc"
