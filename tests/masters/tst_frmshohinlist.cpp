#include "DialogDriver.h"
#include "TestSupport.h"
#include "core/Globals.h"
#include "core/controls/ucTextInput.h"
#include "filters/SearchFilterKind.h"
#include "masters/frmShohin.h"
#include "masters/frmShohinList.h"
#include "platform/text/LineFile.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

using D = DialogDriver;

class tst_frmShohinList : public QObject {
    Q_OBJECT

    testsupport::ProgramFolder m_folder;

    static QTreeWidget *list(frmShohinList &picker)
    {
        return picker.findChild<QTreeWidget *>(QStringLiteral("lvwShohinList"));
    }
    static QStringList rows(frmShohinList &picker)
    {
        QStringList out;
        for (int i = 0; i < list(picker)->topLevelItemCount(); ++i)
            out << list(picker)->topLevelItem(i)->text(0);
        return out;
    }
    static ucTextInput *box(frmShohinList &picker, const char *name)
    {
        return picker.findChild<ucTextInput *>(QLatin1String(name));
    }

private slots:
    void initTestCase()
    {
        m_folder.open();
        const char *const products[][5] = {
            {"S-1", "X-100", "ボルト", "山田製作所", "1500"},
            {"S-10", "X-200", "ナット", "O'Brien", "1234.5"},
            {"T1", "Y-100", "ボルト大", "山田製作所", "0"},
        };
        for (const auto &p : products) {
            connection()
                .prepare(QStringLiteral("INSERT INTO 商品テーブル (商品ID, 品番, 品名, 製造元, 単価) VALUES (?,?,?,?,?);"))
                .bind(1, QString::fromUtf8(p[0]))
                .bind(2, QString::fromUtf8(p[1]))
                .bind(3, QString::fromUtf8(p[2]))
                .bind(4, QString::fromUtf8(p[3]))
                .bind(5, QString::fromUtf8(p[4]).toDouble())
                .exec();
        }
        // An empty filter file lists every product.
        text::writeLines(searchfilter::filePath(SearchFilterKind::Shohin, QStringLiteral("全部")), {});
    }

    void boxSearches_data()
    {
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<QStringList>("found");
        QTest::newRow("all") << QStringList{"", "", "", ""} << QStringList{"S-1", "S-10", "T1"};
        QTest::newRow("id at the start") << QStringList{"S-1", "", "", ""} << QStringList{"S-1", "S-10"};
        QTest::newRow("hinban anywhere") << QStringList{"", "100", "", ""} << QStringList{"S-1", "T1"};
        QTest::newRow("all boxes must match") << QStringList{"S", "100", "ボルト", "山田"} << QStringList{"S-1"};
        QTest::newRow("apostrophe") << QStringList{"", "", "", "O'Brien"} << QStringList{"S-10"};
    }
    void boxSearches()
    {
        QFETCH(QStringList, boxes);
        D d;
        frmShohinList picker;
        QVERIFY(D::open(&picker));
        QCOMPARE(D::focusName(), QStringLiteral("txtSearchShohinID"));
        for (int i = 0; i < 4; ++i) {
            D::type(boxes[i]);
            if (i < 3)
                D::key(Qt::Key_Down);
        }
        QCOMPARE(D::focusName(), QStringLiteral("txtSearchMaker"));
        D::key(Qt::Key_Up);
        QCOMPARE(D::focusName(), QStringLiteral("txtSearchMaker"));
        D::key(Qt::Key_Return);
        QTEST(rows(picker), "found");
        QVERIFY(d.messages.isEmpty());
    }

    void priceColumnAndResult()
    {
        D d;
        frmShohinList picker;
        QVERIFY(D::open(&picker));
        D::key(Qt::Key_Return);
        QTreeWidget *l = list(picker);
        QCOMPARE(l->topLevelItem(0)->text(4), QStringLiteral("1,500"));
        QCOMPARE(l->topLevelItem(1)->text(4), QStringLiteral("1,234.5"));
        QCOMPARE(l->topLevelItem(2)->text(4), QStringLiteral("0"));
        QCOMPARE(Qt::Alignment(l->topLevelItem(0)->textAlignment(4)) & Qt::AlignHorizontal_Mask, Qt::AlignRight);
        // Up on the first row goes to the ID box, not to the box above the list.
        D::key(Qt::Key_Up);
        QCOMPARE(D::focusName(), QStringLiteral("txtSearchShohinID"));
        l->setFocus();
        D::key(Qt::Key_Down);
        D::key(Qt::Key_Return);
        QVERIFY(picker.OK());
        QCOMPARE(picker.ResultShohinID(), QStringLiteral("S-10"));
        QCOMPARE(picker.ResultTanka(), QStringLiteral("1234.5"));
        QCOMPARE(picker.ResultMaker(), QStringLiteral("O'Brien"));
    }

    void tankaCell_data()
    {
        QTest::addColumn<double>("tanka");
        QTest::addColumn<QString>("cell");
        QTest::newRow("whole") << 1500.0 << "1,500";
        QTest::newRow("two decimals") << 1234.56 << "1,234.56";
        QTest::newRow("three decimals rounded") << 0.125 << "0.13";
        QTest::newRow("zero") << 0.0 << "0";
        QTest::newRow("negative") << -2000.5 << "-2,000.5";
    }
    void tankaCell()
    {
        QFETCH(double, tanka);
        QTEST(frmShohinList::tankaCell(tanka), "cell");
    }

    void searchStaysDefaultInTheTree()
    {
        D d;
        frmShohinList picker;
        QVERIFY(D::open(&picker));
        auto *tree = picker.findChild<QTreeWidget *>(QStringLiteral("tvwTree"));
        QCOMPARE(tree->topLevelItemCount(), 2);
        D::type(QStringLiteral("T"));
        tree->setFocus();
        QVERIFY(picker.findChild<QPushButton *>(QStringLiteral("cmdSearch"))->isDefault());
        D::key(Qt::Key_Return);
        QCOMPARE(rows(picker), QStringList{"T1"});
        QCOMPARE(D::focusName(), QStringLiteral("lvwShohinList"));
        QVERIFY(picker.findChild<QPushButton *>(QStringLiteral("cmdOK"))->isDefault());
        tree->setFocus();
        QVERIFY(!picker.findChild<QPushButton *>(QStringLiteral("cmdOK"))->isDefault());
        QVERIFY(!picker.findChild<QPushButton *>(QStringLiteral("cmdSearch"))->isDefault());
    }

    void filterNodeEmptiesEveryBox()
    {
        D d;
        frmShohinList picker;
        QVERIFY(D::open(&picker));
        box(picker, "txtSearchMaker")->setText(QStringLiteral("山田"));
        box(picker, "txtSearchShohinID")->setText(QStringLiteral("S"));
        auto *tree = picker.findChild<QTreeWidget *>(QStringLiteral("tvwTree"));
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(tree->topLevelItem(1)).center());
        QCOMPARE(rows(picker).size(), 3);
        QCOMPARE(box(picker, "txtSearchMaker")->Text(), QString());
        QCOMPARE(box(picker, "txtSearchShohinID")->Text(), QString());
    }

    void arrowsWalkTheBoxesAndLeaveTheList()
    {
        D d;
        frmShohinList picker;
        QVERIFY(D::open(&picker));
        const QStringList walk = {"txtSearchShohinID", "txtSearchHinban", "txtSearchHinmei", "txtSearchMaker"};
        for (int i = 0; i < walk.size(); ++i) {
            QCOMPARE(D::focusName(), walk[i]);
            D::key(Qt::Key_Up);
            QCOMPARE(D::focusName(), walk[i]);
            D::key(Qt::Key_Down);
        }
        QCOMPARE(D::focusName(), QStringLiteral("txtSearchMaker"));
        // The list is empty: Up and Down leave it at once.
        list(picker)->setFocus();
        D::key(Qt::Key_Up);
        QCOMPARE(D::focusName(), QStringLiteral("txtSearchShohinID"));
        list(picker)->setFocus();
        D::key(Qt::Key_Down);
        QCOMPARE(D::focusName(), QStringLiteral("cmdOK"));
        // With rows: Up on the first row goes to the ID box, not to 製造元.
        box(picker, "txtSearchMaker")->setFocus();
        D::key(Qt::Key_Return);
        QCOMPARE(D::focusName(), QStringLiteral("lvwShohinList"));
        D::key(Qt::Key_Down);
        QCOMPARE(picker.currentChoice(), QStringLiteral("S-10"));
        D::key(Qt::Key_Up);
        QCOMPARE(D::focusName(), QStringLiteral("lvwShohinList"));
        D::key(Qt::Key_Up);
        QCOMPARE(D::focusName(), QStringLiteral("txtSearchShohinID"));
        D::key(Qt::Key_End);
        QCOMPARE(D::focusName(), QStringLiteral("cmdOK"));
        // The buttons have no arrow targets.
        for (Qt::Key arrow : {Qt::Key_Up, Qt::Key_Down, Qt::Key_Right, Qt::Key_Left})
            D::key(arrow);
        QCOMPARE(D::focusName(), QStringLiteral("cmdOK"));
        D::key(Qt::Key_Home);
        QCOMPARE(D::focusName(), QStringLiteral("txtSearchShohinID"));
        D::key(Qt::Key_Escape);
        QVERIFY(!picker.isVisible());
        QVERIFY(!picker.OK());
    }

    void tabGoesFromTheIdBoxToTheList()
    {
        D d;
        frmShohinList picker;
        QVERIFY(D::open(&picker));
        D::key(Qt::Key_Tab);
        QCOMPARE(D::focusName(), QStringLiteral("lvwShohinList"));
    }

    void tabVisitsTheDesignedOrder()
    {
        D d;
        frmShohinList picker;
        QVERIFY(D::open(&picker));
        QCOMPARE(D::tabWalk(11), (QStringList{"txtSearchShohinID", "lvwShohinList", "cmdOK", "cmdCancel", "cmdSearch",
                                       "tvwTree", "cmdShohinNew", "txtSearchHinban", "txtSearchHinmei",
                                       "txtSearchMaker", "txtSearchShohinID"}));
    }

    void f2CreatesAndListsTheProduct()
    {
        D d;
        frmShohinList picker;
        QVERIFY(D::open(&picker));
        box(picker, "txtSearchHinmei")->setText(QStringLiteral("ボルト"));
        D::onNextModal([](QWidget *modal) {
            QVERIFY(qobject_cast<frmShohin *>(modal));
            D::type(QStringLiteral("p-100"));
            D::key(Qt::Key_F12);
        });
        D::key(Qt::Key_F2);
        QVERIFY(D::open(&picker));
        QCOMPARE(box(picker, "txtSearchShohinID")->Text(), QStringLiteral("P-100"));
        QCOMPARE(box(picker, "txtSearchHinmei")->Text(), QString());
        QCOMPARE(rows(picker), QStringList{"P-100"});
        QCOMPARE(D::focusName(), QStringLiteral("lvwShohinList"));
        D::key(Qt::Key_F12);
        QVERIFY(picker.OK());
        QCOMPARE(picker.ResultShohinID(), QStringLiteral("P-100"));
        QCOMPARE(picker.ResultTanka(), QStringLiteral("0"));
        connection().exec(QStringLiteral("DELETE FROM 商品テーブル WHERE 商品ID = 'P-100';"));
    }
};

QTEST_MAIN(tst_frmShohinList)
#include "tst_frmshohinlist.moc"
