#include "SlipFixture.h"
#include "filters/SearchFilterKind.h"
#include "core/Routines.h"
#include "masters/PickerConditions.h"
#include "platform/text/LineFile.h"
#include "slips/frmDenpyoList.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QDateEdit>
#include <QTableView>
#include <QLineEdit>
#include <QPushButton>

using D = DialogDriver;
using namespace slipfixture;

// The slip finder: its condition texts, and searches driven at its boxes.
class tst_frmDenpyoList : public QObject {
    Q_OBJECT

    std::optional<testsupport::OpenedProgramFolder> m_folder;

    static void storeCustomerSlip(qint32 id, const QString &nouki, const QString &customerID, const QString &name,
                                  const QList<Line> &lines, const QStringList &ids = {})
    {
        Denpyo d;
        d.setDenpyoID(id);
        d.setNouki(QDateTime(QDate::fromString(nouki, QStringLiteral("yyyy/MM/dd")), QTime()));
        d.setCustomerID(customerID);
        d.setCustomerName(name);
        for (int i = 0; i < lines.size(); ++i) {
            Meisai &m = d.Meisais().Add();
            m.setItemID(ids.value(i));
            m.setItemNumber(QStringLiteral("P-%1").arg(id * 10 + i));
            m.setItemName(lines[i].name);
            m.setItemTanka(lines[i].tanka);
            m.setItemSuryo(lines[i].suryo);
            m.setItemTanni(QStringLiteral("個"));
            m.setItemKingaku(lines[i].kingaku);
        }
        d.setSummeryWithShouhizei(1234);
        QVERIFY(d.Apply());
    }

private slots:
    void init()
    {
        setFixedNow(QDateTime(QDate(2024, 2, 15), QTime(10, 0)));
        m_folder.emplace();
        storeCustomerSlip(1, QStringLiteral("2024/02/01"), QStringLiteral("A01"), QStringLiteral("山田商店"),
                          {{QStringLiteral("ボルト"), 1500, 2, 3000}}, {QStringLiteral("S-1")});
        storeCustomerSlip(2, QStringLiteral("2024/02/29"), QStringLiteral("B01"), QStringLiteral("O'Neil商会"),
                          numbered(10));
        storeCustomerSlip(123, QStringLiteral("2024/05/31"), QStringLiteral("A02"), QStringLiteral("田中"),
                          {{QStringLiteral("ナット"), 10, 1, 10}}, {QStringLiteral("T-9")});
    }
    void cleanup()
    {
        m_folder.reset();
        setFixedNow(QDateTime());
    }

    void conditions_data()
    {
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<QString>("slip");
        QTest::addColumn<QString>("lines");
        QTest::newRow("number alone decides")
            << QStringList{"000000123", "2024/05/31", "A", "x", "S", "", ""} << "伝票番号 = 000000123" << "";
        QTest::newRow("month and name")
            << QStringList{"", "2024/02/01 ～ 2024/02/29", "", "商店", "", "", ""}
            << "(納期 >= '2024/02/01' AND 納期 <= '2024/02/29') AND (顧客名 LIKE '%商店%')" << "";
        QTest::newRow("one day and id") << QStringList{"", "2024/05/31", "A0", "", "", "", ""}
                                        << "(納期 = '2024/05/31') AND (顧客ID LIKE 'A0%')" << "";
        QTest::newRow("quotes doubled") << QStringList{"", "", "", "O'Neil", "S'", "P'", "名'"}
                                        << "(顧客名 LIKE '%O''Neil%')"
                                        << "(商品ID LIKE 'S''%') AND (品番 LIKE '%P''%') AND (品名 LIKE '%名''%')";
        QTest::newRow("nothing") << QStringList{"", "", "", "", "", "", ""} << "" << "";
    }
    void conditions()
    {
        QFETCH(QStringList, values);
        QTEST(DenpyoSearchWhereMake(fnCheckDigitText(values[0]), values[1], values[2], values[3]), "slip");
        if (values[0].isEmpty())
            QTEST(DenpyoMeisaiWhereMake(values[4], values[5], values[6]), "lines");
    }

    void searchesByBoxes_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QStringList>("found");
        QTest::newRow("all") << "" << "" << QStringList{"000000001", "000000002", "000000123"};
        QTest::newRow("number with zeros") << "txtSearchDenpyoID" << "000000123" << QStringList{"000000123"};
        QTest::newRow("customer id at the start") << "txtSearchCustomerID" << "A0"
                                                  << QStringList{"000000001", "000000123"};
        QTest::newRow("customer name with an apostrophe") << "txtSearchCustomerName" << "O'Neil"
                                                          << QStringList{"000000002"};
        QTest::newRow("product id") << "txtSearchShohinID" << "T-" << QStringList{"000000123"};
        QTest::newRow("product name anywhere") << "txtSearchShohinHinmei" << "品1" << QStringList{"000000002"};
    }
    void searchesByBoxes()
    {
        QFETCH(QString, box);
        QFETCH(QString, value);
        D d;
        frmDenpyoList finder;
        QVERIFY(D::open(&finder));
        QCOMPARE(rowTexts(&finder, "lvwDenpyoList"), QStringList());
        QCOMPARE(D::shown(&finder, "cmbSearchNouki"), QStringLiteral("2024/02"));
        if (!box.isEmpty()) {
            finder.findChild<QWidget *>(box)->setFocus();
            D::type(value);
        }
        D::key(Qt::Key_Return);
        QTEST(rowTexts(&finder, "lvwDenpyoList"), "found");
        QVERIFY(d.messages.isEmpty());
        QCOMPARE(D::focusName(), QStringLiteral("lvwDenpyoList"));
        D::key(Qt::Key_Down);
        D::key(Qt::Key_F12);
        QVERIFY(finder.OK());
        QFETCH(QStringList, found);
        QCOMPARE(finder.ResultDenpyoID(), found.value(1, found.first()));
    }

    void monthAndDayAndRows()
    {
        D d;
        frmDenpyoList finder;
        QVERIFY(D::open(&finder));
        auto *months = finder.findChild<QComboBox *>(QStringLiteral("cmbSearchNouki"));
        QCOMPARE(months->itemText(0), QString());
        months->setCurrentIndex(months->findText(QStringLiteral("2024/02")));
        emit months->activated(months->currentIndex());
        QCOMPARE(finder.findChild<QLineEdit *>(QStringLiteral("txtSearchNouki"))->text(),
                 QStringLiteral("2024/02/01 ～ 2024/02/29"));
        finder.findChild<QWidget *>(QStringLiteral("txtSearchCustomerID"))->setFocus();
        D::key(Qt::Key_Return);
        QCOMPARE(rowTexts(&finder, "lvwDenpyoList"), (QStringList{"000000001", "000000002"}));
        auto *list = finder.findChild<QTreeWidget *>(QStringLiteral("lvwDenpyoList"));
        QTreeWidgetItem *first = list->topLevelItem(0);
        QCOMPARE(first->text(1), QStringLiteral("24/02/01"));
        QCOMPARE(first->text(3), QStringLiteral("1,234"));
        QCOMPARE(first->text(4), QStringLiteral("P-10 ボルト"));
        QCOMPARE(first->text(5), QStringLiteral("@1500x2個=3000"));
        // Ten lines: eight shown.
        QCOMPARE(list->topLevelItem(1)->text(18), QStringLiteral("P-27 品8"));
        QCOMPARE(list->columnCount(), 20);

        finder.findChild<QDateEdit *>(QStringLiteral("dtpSearchNouki"))->setDate(QDate(2024, 5, 31));
        QCOMPARE(finder.findChild<QLineEdit *>(QStringLiteral("txtSearchNouki"))->text(), QStringLiteral("2024/05/31"));
        finder.findChild<QWidget *>(QStringLiteral("txtSearchCustomerName"))->setFocus();
        D::key(Qt::Key_Return);
        QCOMPARE(rowTexts(&finder, "lvwDenpyoList"), QStringList{"000000123"});
        D::key(Qt::Key_Up);
        QCOMPARE(D::focusName(), QStringLiteral("txtSearchCustomerName"));
        D::key(Qt::Key_Home);
        QCOMPARE(D::focusName(), QStringLiteral("txtSearchCustomerID"));

        // Nothing found: no choice is left, and choosing closes without one.
        finder.findChild<QWidget *>(QStringLiteral("txtSearchDenpyoID"))->setFocus();
        D::type(QStringLiteral("999"));
        D::key(Qt::Key_Return);
        QCOMPARE(rowTexts(&finder, "lvwDenpyoList"), QStringList());
        D::key(Qt::Key_F12);
        QVERIFY(!finder.OK());
    }

    // The date box takes the day picked in the calendar, also the day the
    // picker already shows, and the picker's day when the calendar is
    // closed without a pick: it may hold a month or nothing until then.
    void calendarPickSetsTheDateBox_data()
    {
        QTest::addColumn<QString>("month"); // chosen in the month list first
        QTest::addColumn<QString>("how");
        QTest::addColumn<QStringList>("found");
        const QStringList fifteenth{"000000015"};
        QTest::newRow("today, just opened, clicked") << "" << "click" << fifteenth;
        QTest::newRow("today, just opened, Enter") << "" << "enter" << fifteenth;
        QTest::newRow("shown day after a month, clicked") << "2024/05" << "click" << fifteenth;
        QTest::newRow("shown day after a month, Enter") << "2024/05" << "enter" << fifteenth;
        QTest::newRow("calendar closed after a month") << "2024/05" << "escape" << fifteenth;
        QTest::newRow("calendar closed, just opened") << "" << "escape" << fifteenth;
    }
    void calendarPickSetsTheDateBox()
    {
        QFETCH(QString, month);
        QFETCH(QString, how);
        storeCustomerSlip(15, QStringLiteral("2024/02/15"), QStringLiteral("A01"), QStringLiteral("山田商店"),
                          {{QStringLiteral("ボルト"), 1500, 2, 3000}});
        D d;
        frmDenpyoList finder;
        QVERIFY(D::open(&finder));
        auto *box = finder.findChild<QLineEdit *>(QStringLiteral("txtSearchNouki"));
        auto *picker = finder.findChild<QDateEdit *>(QStringLiteral("dtpSearchNouki"));
        QCOMPARE(picker->date(), QDate(2024, 2, 15));
        if (!month.isEmpty()) {
            auto *months = finder.findChild<QComboBox *>(QStringLiteral("cmbSearchNouki"));
            months->setCurrentIndex(months->findText(month));
            emit months->activated(months->currentIndex());
            QCOMPARE(box->text(), QStringLiteral("2024/05/01 ～ 2024/05/31"));
        } else {
            QCOMPARE(box->text(), QString());
        }

        // The arrow at the picker's right end drops the calendar down.
        QTest::mouseClick(picker, Qt::LeftButton, {}, QPoint(picker->width() - 4, picker->height() / 2));
        QCalendarWidget *calendar = picker->calendarWidget();
        QTRY_VERIFY(calendar->isVisible());
        auto *days = calendar->findChild<QTableView *>();
        QVERIFY(days);
        if (how == QLatin1String("click")) {
            const QPoint cell = days->visualRect(days->currentIndex()).center();
            QTest::mouseClick(days->viewport(), Qt::LeftButton, {}, cell);
        } else if (how == QLatin1String("enter")) {
            QTest::keyClick(days, Qt::Key_Return);
        } else {
            QTest::keyClick(days, Qt::Key_Escape);
        }
        QTRY_VERIFY(!calendar->isVisible());
        QCOMPARE(picker->date(), QDate(2024, 2, 15));
        QCOMPARE(box->text(), QStringLiteral("2024/02/15"));

        finder.findChild<QWidget *>(QStringLiteral("txtSearchCustomerName"))->setFocus();
        D::key(Qt::Key_Return);
        QTEST(rowTexts(&finder, "lvwDenpyoList"), "found");
    }

    void filterTree()
    {
        text::writeLines(searchfilter::filePath(SearchFilterKind::Denpyo, QStringLiteral("全部")), {});
        text::writeLines(searchfilter::filePath(SearchFilterKind::Denpyo, QStringLiteral("一時検索")), {});
        D d;
        frmDenpyoList finder;
        QVERIFY(D::open(&finder));
        auto *tree = finder.findChild<QTreeWidget *>(QStringLiteral("tvwTree"));
        QCOMPARE(tree->topLevelItemCount(), 2);
        QCOMPARE(tree->topLevelItem(0)->text(0), QStringLiteral("全件"));
        QCOMPARE(tree->topLevelItem(1)->text(0), QStringLiteral("全部"));
        finder.findChild<QWidget *>(QStringLiteral("txtSearchCustomerID"))->setFocus();
        D::type(QStringLiteral("B"));
        emit tree->itemClicked(tree->topLevelItem(1), 0);
        QCOMPARE(rowTexts(&finder, "lvwDenpyoList").size(), 3);
        QCOMPARE(D::shown(&finder, "txtSearchCustomerID"), QString());
    }
};

QTEST_MAIN(tst_frmDenpyoList)
#include "tst_frmdenpyolist.moc"
