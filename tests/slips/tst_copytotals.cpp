#include "slips/CopyTotals.h"
#include "slips/LineTransfer.h"
#include "slips/SlipAmounts.h"
#include "model/Meisais.h"

#include <QtTest>

// The line-transfer dialog's totals: the slip editor's amount rules
// (fnRoundOff, the tax on top or contained by the shop's pattern), and
// "######" past the limit or below zero.
class tst_CopyTotals : public QObject {
    Q_OBJECT
private slots:
    void totals_data()
    {
        QTest::addColumn<qint64>("lineSum");
        QTest::addColumn<bool>("ritsuOn");
        QTest::addColumn<int>("ritsu");
        QTest::addColumn<qint64>("nebiki");
        QTest::addColumn<bool>("tax");
        QTest::addColumn<int>("pattern"); // 0: 外税, 1: 内税
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<qint64>("withTax");
        QTest::addColumn<bool>("committable");
        QTest::newRow("100 at 43 %") << qint64(100) << true << 43 << qint64(0) << false << 0
                                     << QStringList{"100", "43", "57", "", "57"} << qint64(57) << true;
        QTest::newRow("12,345 at 15 %: 1,851.75 rounds up")
            << qint64(12345) << true << 15 << qint64(0) << false << 0
            << QStringList{"12,345", "1,852", "10,493", "", "10,493"} << qint64(10493) << true;
        QTest::newRow("1,005 at 10 %: a half rounds up")
            << qint64(1005) << true << 10 << qint64(0) << false << 0 << QStringList{"1,005", "101", "904", "", "904"}
            << qint64(904) << true;
        QTest::newRow("tax on top, rounded off") << qint64(1009) << false << 0 << qint64(0) << true << 0
                                                 << QStringList{"1,009", "", "1,009", "101", "1,110"} << qint64(1110)
                                                 << true;
        QTest::newRow("tax on top, a half rounds up") << qint64(1005) << false << 0 << qint64(0) << true << 0
                                                      << QStringList{"1,005", "", "1,005", "101", "1,106"}
                                                      << qint64(1106) << true;
        // The tax is already in the total: 12,370 x 10 / 110 = 1,124.54...
        QTest::newRow("tax contained") << qint64(12370) << false << 0 << qint64(0) << true << 1
                                       << QStringList{"12,370", "", "12,370", "1,125", "12,370"} << qint64(12370)
                                       << true;
        QTest::newRow("tax contained, after a rate discount")
            << qint64(23522) << true << 10 << qint64(0) << true << 1
            << QStringList{"23,522", "2,352", "21,170", "1,925", "21,170"} << qint64(21170) << true;
        QTest::newRow("no tax in a contained-tax shop") << qint64(5000) << false << 0 << qint64(300) << false << 1
                                                        << QStringList{"5,000", "300", "4,700", "", "4,700"}
                                                        << qint64(4700) << true;
        QTest::newRow("nothing: empty texts") << qint64(0) << false << 0 << qint64(0) << true << 0
                                              << QStringList{"", "", "", "", ""} << qint64(0) << true;
        QTest::newRow("exactly the limit") << qint64(999999999) << false << 0 << qint64(0) << false << 0
                                           << QStringList{"999,999,999", "", "999,999,999", "", "999,999,999"}
                                           << qint64(999999999) << true;
        QTest::newRow("one yen past the limit")
            << qint64(909090910) << false << 0 << qint64(0) << true << 0
            << QStringList{"909,090,910", "", "######", "######", "######"} << qint64(1000000001) << false;
        QTest::newRow("contained tax keeps the limit") << qint64(999999999) << false << 0 << qint64(0) << true << 1
                                                       << QStringList{"999,999,999", "", "999,999,999",
                                                                      "90,909,091", "999,999,999"}
                                                       << qint64(999999999) << true;
        // Kept as computed: the slip editor stores negative totals too.
        QTest::newRow("fixed discount above the line sum")
            << qint64(1000) << false << 0 << qint64(1101) << true << 0
            << QStringList{"1,000", "1,101", "######", "######", "######"} << qint64(-111) << true;
        QTest::newRow("fixed discount above the line sum, tax contained")
            << qint64(1000) << false << 0 << qint64(1101) << true << 1
            << QStringList{"1,000", "1,101", "######", "######", "######"} << qint64(-101) << true;
        // Beyond what the slip editor shows: neither shown nor stored.
        QTest::newRow("line sum past the editor's range")
            << qint64(10000000000) << false << 0 << qint64(0) << false << 0
            << QStringList{"10,000,000,000", "", "######", "######", "######"} << qint64(0) << false;
    }
    void totals()
    {
        QFETCH(qint64, lineSum);
        QFETCH(bool, ritsuOn);
        QFETCH(int, ritsu);
        QFETCH(qint64, nebiki);
        QFETCH(bool, tax);
        QFETCH(int, pattern);
        const CopyTotals t = CopyTotals::compute(lineSum, ritsuOn, ritsu, nebiki, tax, 10, pattern);
        QTEST(t.texts(), "texts");
        QTEST(t.summeryWithShouhizei, "withTax");
        QTEST(t.committable(), "committable");
    }

    // The totals are those the slip editor shows for the same line sum and
    // controls, whatever the settings.
    void totalsAreTheEditors_data()
    {
        QTest::addColumn<bool>("ritsuOn");
        QTest::addColumn<int>("ritsu");
        QTest::addColumn<qint64>("nebiki");
        QTest::addColumn<int>("pattern");
        for (int pattern : {0, 1})
            for (int ritsu : {0, 7, 15, 33})
                QTest::addRow("pattern %d, rate %d", pattern, ritsu) << true << ritsu << qint64(0) << pattern;
        for (int pattern : {0, 1})
            QTest::addRow("pattern %d, fixed 1,234", pattern) << false << 0 << qint64(1234) << pattern;
    }
    void totalsAreTheEditors()
    {
        QFETCH(bool, ritsuOn);
        QFETCH(int, ritsu);
        QFETCH(qint64, nebiki);
        QFETCH(int, pattern);
        for (qint64 tanka : {1, 7, 99, 1234, 98765}) {
            for (qint64 suryo : {1, 3, 11, 101}) {
                SlipAmountInput in;
                in.lines = {{double(tanka), double(suryo)}};
                in.rateOn = ritsuOn;
                in.rateText = QString::number(ritsu);
                in.amountText = QString::number(nebiki);
                in.taxOn = true;
                in.taxRate = 8;
                in.taxPattern = pattern;
                const SlipAmountResult r = SlipAmounts::compute(in);
                const CopyTotals t = CopyTotals::compute(tanka * suryo, ritsuOn, ritsu, nebiki, true, 8, pattern);
                const QString at = QStringLiteral("%1 x %2").arg(tanka).arg(suryo);
                QVERIFY2(t.nebikiKingaku == r.discount.yen(), qPrintable(at));
                QVERIFY2(t.summery == r.total.yen(), qPrintable(at));
                QVERIFY2(t.shouhizei == r.tax.yen(), qPrintable(at));
                QVERIFY2(t.summeryWithShouhizei == r.totalWithTax.yen(), qPrintable(at));
            }
        }
    }

    // A carried line keeps the amount its source stored, whatever its unit
    // price times quantity would round to.
    void carriedLineKeepsItsStoredAmount_data()
    {
        QTest::addColumn<double>("tanka");
        QTest::addColumn<double>("suryo");
        QTest::addColumn<int>("amount");
        QTest::newRow("2.5 stored as 3") << 0.5 << 5.0 << 3;
        QTest::newRow("3.5 stored as 4") << 0.5 << 7.0 << 4;
        QTest::newRow("1.5 stored as 2") << 0.5 << 3.0 << 2;
        QTest::newRow("-2.5 stored as -3") << 0.5 << -5.0 << -3;
        QTest::newRow("an amount set apart from the product") << 1e9 << 10.0 << 2147483647;
    }
    void carriedLineKeepsItsStoredAmount()
    {
        QFETCH(double, tanka);
        QFETCH(double, suryo);
        QFETCH(int, amount);
        Meisai from;
        from.setItemName(QStringLiteral("半端"));
        from.setItemTanka(tanka);
        from.setItemSuryo(suryo);
        from.setItemKingaku(amount);
        Meisai to;
        linetransfer::carryLine(from, to);
        QCOMPARE(to.ItemKingaku(), amount);
        QCOMPARE(to.ItemTanka(), tanka);
        QCOMPARE(to.ItemSuryo(), suryo);
        QCOMPARE(to.ItemName(), QStringLiteral("半端"));
    }

    // The line sums of the two lists: "*" rows count the destination's own
    // lines, other rows the source's, each at its stored amount.
    void rowsAmount_data()
    {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<bool>("withDestination");
        QTest::addColumn<qint64>("sum");
        QTest::newRow("source lines") << QStringList{"01", "02", "03"} << false << qint64(9);
        QTest::newRow("destination lines") << QStringList{"*01", "*02", "*03"} << true << qint64(8);
        QTest::newRow("destination with a carried line") << QStringList{"*01", "*02", "*03", "01"} << true
                                                         << qint64(11);
        QTest::newRow("no such line") << QStringList{"05", "*04"} << true << qint64(0);
        QTest::newRow("stored row without a destination") << QStringList{"*01", "02"} << false << qint64(4);
        QTest::newRow("none") << QStringList{} << true << qint64(0);
    }
    void rowsAmount()
    {
        QFETCH(QStringList, rows);
        QFETCH(bool, withDestination);
        Meisais source, destination;
        for (int amount : {3, 4, 2})
            source.Add().setItemKingaku(amount);
        for (int amount : {2, 4, 2})
            destination.Add().setItemKingaku(amount);
        QTEST(linetransfer::rowsAmount(rows, source, withDestination ? &destination : nullptr), "sum");
    }

    void detailAndRowTexts()
    {
        Meisai m;
        m.setItemTanka(1200);
        m.setItemSuryo(3);
        m.setItemTanni(QStringLiteral("個"));
        m.setItemBikou(QStringLiteral("至急"));
        QCOMPARE(linetransfer::detailText(m), QStringLiteral("1,200x3(個)/至急"));
        m.setItemTanka(0.5);
        m.setItemSuryo(2.25);
        m.setItemTanni(QString());
        m.setItemBikou(QString());
        QCOMPARE(linetransfer::detailText(m, QChar(0x00D7)), QStringLiteral("0.5×2.25"));
        QCOMPARE(linetransfer::rowText(5), QStringLiteral("05"));
        QCOMPARE(linetransfer::rowText(100), QStringLiteral("100"));
        QCOMPARE(linetransfer::rowText(7, true), QStringLiteral("*07"));
        QCOMPARE(linetransfer::rowLine(QStringLiteral("*07")), 7);
    }

    void removingSourceLines()
    {
        Meisais lines;
        for (int i = 1; i <= 3; ++i)
            lines.Add().setItemName(QStringLiteral("品%1").arg(i));
        linetransfer::FromMeisaiRemove(lines, 3);
        linetransfer::FromMeisaiRemove(lines, 1);
        QCOMPARE(lines.Count(), 1);
        QCOMPARE(lines.Item(1).ItemName(), QStringLiteral("品2"));
        // The last line is blanked, not removed: a slip keeps one line.
        linetransfer::FromMeisaiRemove(lines, 1);
        QCOMPARE(lines.Count(), 1);
        QVERIFY(lines.Item(1).ItemName().isEmpty());
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, linetransfer::FromMeisaiRemove(lines, 2));
    }
};

QTEST_APPLESS_MAIN(tst_CopyTotals)
#include "tst_copytotals.moc"
