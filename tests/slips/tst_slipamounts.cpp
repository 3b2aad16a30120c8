#include "core/Money.h"
#include "core/Routines.h"
#include "slips/MeisaiColumns.h"
#include "slips/SlipAmounts.h"

#include <QtTest>

// The slip's amount rules, without the window.
class tst_SlipAmounts : public QObject {
    Q_OBJECT

    using Lines = QList<QPair<double, double>>;

    static SlipAmountInput input(const Lines &lines)
    {
        SlipAmountInput in;
        for (const auto &l : lines)
            in.lines.push_back({l.first, l.second});
        in.amountText = QStringLiteral("0");
        in.rateText = QStringLiteral("0");
        return in;
    }

private slots:
    void money_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<qint64>("rounded");
        QTest::newRow("half up") << 100.5 << qint64(101);
        QTest::newRow("half away below zero") << -100.5 << qint64(-101);
        QTest::newRow("down") << 91.36 << qint64(91);
        QTest::newRow("just under half") << 0.4999 << qint64(0);
        QTest::newRow("zero") << 0.0 << qint64(0);
    }
    void money()
    {
        QFETCH(double, value);
        QFETCH(qint64, rounded);
        QCOMPARE(Money::fromDouble(value)->roundOff().yen(), rounded);
    }

    void moneyLimits()
    {
        QVERIFY(!Money::fromDouble(1e16));
        QVERIFY(!Money::fromDouble(std::numeric_limits<double>::infinity()));
        QVERIFY(!Money::fromYen(std::numeric_limits<qint64>::max() / 1000));
        const Money big = *Money::fromYen(900'000'000'000'000LL);
        QVERIFY(!big.plus(big));
        QVERIFY(!big.times(*Money::fromYen(2)));
        QVERIFY(Money::fromYen(Money::kSlipLimitYen)->inSlipRange());
        QVERIFY(!Money::fromYen(Money::kSlipLimitYen + 1)->inSlipRange());
        QVERIFY(Money::fromYen(-2147483648LL)->fitsLong());
        QVERIFY(!Money::fromYen(2147483648LL)->fitsLong());
        QCOMPARE(Money::fromYen(-1234567)->display(), QStringLiteral("-1,234,567"));
        QCOMPARE(Money().display(), QStringLiteral("0"));
        QCOMPARE(formatThousands(std::numeric_limits<qint64>::min()), QStringLiteral("-9,223,372,036,854,775,808"));
    }

    // The worked examples of the amount rules.
    void examples_data()
    {
        QTest::addColumn<Lines>("lines");
        QTest::addColumn<bool>("rateOn");
        QTest::addColumn<QString>("rate");
        QTest::addColumn<QString>("amount");
        QTest::addColumn<bool>("taxOn");
        QTest::addColumn<int>("taxRate");
        QTest::addColumn<int>("pattern");
        // line amounts, line total, discount, total, tax, total with tax
        QTest::addColumn<QStringList>("shown");

        QTest::newRow("1.5 x 3") << Lines{{1.5, 3}} << false << "0" << "0" << false << 5 << 0
                                 << QStringList{"5", "5", "0", "5", "0", "5"};
        QTest::newRow("1.5 x -3") << Lines{{1.5, -3}} << false << "0" << "0" << false << 5 << 0
                                  << QStringList{"-5", "-5", "0", "-5", "0", "-5"};
        QTest::newRow("0.333 x 1.5") << Lines{{0.333, 1.5}} << false << "0" << "0" << false << 5 << 0
                                     << QStringList{"", "0", "0", "0", "0", "0"};
        QTest::newRow("rate 10% of 1005") << Lines{{1005, 1}} << true << "10" << "0" << false << 5 << 0
                                          << QStringList{"1,005", "1,005", "101", "904", "0", "904"};
        QTest::newRow("tax on top") << Lines{{1010, 1}} << false << "0" << "0" << true << 5 << 0
                                    << QStringList{"1,010", "1,010", "0", "1,010", "51", "1,061"};
        QTest::newRow("tax contained") << Lines{{1050, 1}} << false << "0" << "0" << true << 5 << 1
                                       << QStringList{"1,050", "1,050", "0", "1,050", "50", "1,050"};
        QTest::newRow("contained, pattern 2") << Lines{{1050, 1}} << false << "0" << "0" << true << 5 << 2
                                              << QStringList{"1,050", "1,050", "0", "1,050", "50", "1,050"};
        QTest::newRow("tax off, contained") << Lines{{1050, 1}} << false << "0" << "0" << false << 5 << 1
                                            << QStringList{"1,050", "1,050", "0", "1,050", "0", "1,050"};
        QTest::newRow("discount over total") << Lines{{100, 1}} << false << "0" << "1,000" << true << 10 << 0
                                             << QStringList{"100", "100", "1,000", "-900", "-90", "-990"};
        QTest::newRow("several lines") << Lines{{1200, 3}, {0, 0}, {99.5, 2}} << false << "0" << "-50" << false << 8 << 0
                                       << QStringList{"3,600;;199", "3,799", "-50", "3,849", "0", "3,849"};
        QTest::newRow("product at the limit") << Lines{{9999999999.0, 1}} << false << "0" << "0" << false << 0 << 0
                                              << QStringList{"9,999,999,999", "9,999,999,999", "0", "9,999,999,999",
                                                             "0", "9,999,999,999"};
        QTest::newRow("line total at the lower limit")
            << Lines{{-9999999998.0, 1}, {-1, 1}} << false << "0" << "0" << false << 0 << 0
            << QStringList{"-9,999,999,998;-1", "-9,999,999,999", "0", "-9,999,999,999", "0", "-9,999,999,999"};
    }
    void examples()
    {
        QFETCH(Lines, lines);
        SlipAmountInput in = input(lines);
        QFETCH(bool, rateOn);
        QFETCH(QString, rate);
        QFETCH(QString, amount);
        QFETCH(bool, taxOn);
        QFETCH(int, taxRate);
        QFETCH(int, pattern);
        in.rateOn = rateOn;
        in.rateText = rate;
        in.amountText = amount;
        in.taxOn = taxOn;
        in.taxRate = taxRate;
        in.taxPattern = pattern;
        const SlipAmountResult r = SlipAmounts::compute(in);
        QVERIFY(!r.overflow);
        QStringList amounts;
        for (Money m : r.lineAmounts)
            amounts << SlipAmounts::lineAmountText(m);
        QTEST((QStringList{amounts.join(QLatin1Char(';')), r.lineTotalText(), r.discount.display(), r.totalText(),
                           r.taxText(), r.totalWithTaxText()}),
              "shown");
    }

    void overflow_data()
    {
        QTest::addColumn<Lines>("lines");
        QTest::addColumn<bool>("rateOn");
        QTest::addColumn<QString>("amount");
        QTest::addColumn<int>("overflowRow");
        QTest::addColumn<int>("amountsComputed");
        QTest::newRow("product one over") << Lines{{1, 1}, {10000000000.0, 1}, {5, 1}} << false << "0" << 1 << 1;
        QTest::newRow("product past the type") << Lines{{1e12, 1e12}} << false << "0" << 0 << 0;
        QTest::newRow("line total one under") << Lines{{-9999999999.0, 1}, {-1, 1}} << false << "0" << -1 << 2;
        QTest::newRow("negative product past the type") << Lines{{-1e12, 1e12}} << false << "0" << 0 << 0;
        QTest::newRow("total after discount") << Lines{{9999999999.0, 1}} << false << "-1" << -1 << 1;
        QTest::newRow("discount past 32 bits") << Lines{{1, 1}} << false << "99,899,999,990,001" << -1 << 1;
        QTest::newRow("discount past 32 bits, 12 digits") << Lines{{1, 1}} << false << "3000000000" << -1 << 1;
        QTest::newRow("rate mode, total after tax") << Lines{{9999999999.0, 1}} << true << "0" << -1 << 1;
    }
    void overflow()
    {
        QFETCH(Lines, lines);
        SlipAmountInput in = input(lines);
        QFETCH(bool, rateOn);
        QFETCH(QString, amount);
        in.rateOn = rateOn;
        in.amountText = amount;
        in.taxOn = rateOn;
        in.taxRate = 10;
        const SlipAmountResult r = SlipAmounts::compute(in);
        QVERIFY(r.overflow);
        QTEST(r.overflowRow, "overflowRow");
        QTEST(int(r.lineAmounts.size()), "amountsComputed");
        QCOMPARE(r.lineTotalText(), QStringLiteral("数値オーバー"));
        QCOMPARE(r.totalText(), QString());
        QCOMPARE(r.taxText(), QString());
        QCOMPARE(r.totalWithTaxText(), QString());
        // In rate mode the amount box is emptied; in amount mode it keeps its text.
        if (rateOn)
            QCOMPARE(r.amountBoxText, std::optional<QString>(QString()));
        else
            QVERIFY(!r.amountBoxText || *r.amountBoxText != QString());
    }

    void discountBoxes()
    {
        SlipAmountInput in = input({{1005, 1}});
        in.rateOn = true;
        in.rateText = QStringLiteral("10");
        SlipAmountResult r = SlipAmounts::compute(in);
        QCOMPARE(r.amountBoxText, std::optional<QString>(QStringLiteral("101")));
        QVERIFY(!r.rateBoxText);

        // Amount mode keeps the amount, sets the rate box to 0 and rewrites
        // the amount box except while it is typed in.
        in.rateOn = false;
        in.amountText = QStringLiteral("1234");
        r = SlipAmounts::compute(in);
        QCOMPARE(r.amountBoxText, std::optional<QString>(QStringLiteral("1,234")));
        QCOMPARE(r.rateBoxText, std::optional<QString>(QStringLiteral("0")));
        in.amountTyped = true;
        r = SlipAmounts::compute(in);
        QVERIFY(!r.amountBoxText);
        QCOMPARE(r.discount.yen(), qint64(1234));

        // A blank or unreadable amount counts as 0.
        in.amountText = QStringLiteral("1-2");
        QCOMPARE(SlipAmounts::compute(in).discount.yen(), qint64(0));
        in.amountText = QString();
        QCOMPARE(SlipAmounts::compute(in).discount.yen(), qint64(0));
    }

    // What a grid cell keeps after an edit, as the grid then shows it.
    void cellCleaning_data()
    {
        QTest::addColumn<int>("col");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("quantity with a letter") << 5 << "12a3" << "123";
        QTest::newRow("quantity with decimals") << 5 << "1234.5" << "1,234.5";
        QTest::newRow("minus inside") << 5 << "1-2" << "";
        QTest::newRow("four decimals") << 4 << "1.2345" << "";
        QTest::newRow("twelve-digit negative price") << 4 << "-999999999999" << "-999,999,999,999";
        QTest::newRow("thirteen-digit negative price") << 4 << "-1234567890123" << "";
        QTest::newRow("twelve-digit negative quantity") << 5 << "-999999999999.5" << "-999,999,999,999.5";
        QTest::newRow("price with separators") << 4 << "1,200" << "1,200";
        QTest::newRow("product id over 15") << 1 << "ABCDEFGHIJKLMNOPQRST" << "ABCDEFGHIJKLMNO";
        QTest::newRow("unit over 10") << 6 << "12345678901" << "1234567890";
        QTest::newRow("remark at 50") << 8 << QString(50, QLatin1Char('x')) << QString(50, QLatin1Char('x'));
    }
    void cellCleaning()
    {
        QFETCH(int, col);
        QFETCH(QString, typed);
        const QString cleaned = MeisaiColumns::cleanedText(col, typed);
        QTEST(MeisaiColumns::isNumber(col) ? fnFormatComma(cleaned) : cleaned, "shown");
    }

    void guideTexts_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("lastRow");
        QTest::addColumn<QString>("hint");
        QTest::newRow("customer") << "txtCustomerID" << false << "F11-顧客検索";
        QTest::newRow("product id") << "txtShohinID" << false << "F11-商品検索  Alt+Enter-次の行";
        QTest::newRow("product id, last row") << "txtShohinID" << true << "F11-商品検索  Alt+Enter-行追加";
        QTest::newRow("name") << "txtShohinMei" << false << "Alt+Enter-次の行";
        QTest::newRow("remark, last row") << "txtBiko" << true << "Enter-行追加";
        QTest::newRow("remark") << "txtBiko" << false << "Enter-次の行";
        QTest::newRow("date") << "datNouki" << true << "";
    }
    void guideTexts()
    {
        QFETCH(QString, name);
        QFETCH(bool, lastRow);
        QTEST(MeisaiColumns::guideText(name, lastRow), "hint");
    }

    void numberValue_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("separators") << "1,234.5" << 1234.5;
        QTest::newRow("trailing minus") << "5-" << -5.0;
        QTest::newRow("blank") << "" << 0.0;
        QTest::newRow("no number") << "abc" << 0.0;
    }
    void numberValue()
    {
        QFETCH(QString, text);
        QTEST(SlipAmounts::numberValue(text), "value");
    }
};

QTEST_APPLESS_MAIN(tst_SlipAmounts)
#include "tst_slipamounts.moc"
