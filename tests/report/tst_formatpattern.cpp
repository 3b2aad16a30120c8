#include "platform/report/FormatPattern.h"

#include <QtTest>

using namespace report;

class tst_FormatPattern : public QObject {
    Q_OBJECT

private slots:
    void numbers_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("expected");
        QTest::newRow("grouping") << 1234567.0 << "#,##0" << "1,234,567";
        QTest::newRow("grouping small") << 12.0 << "#,##0" << "12";
        QTest::newRow("zero in #,##0") << 0.0 << "#,##0" << "0";
        QTest::newRow("zero in #,###") << 0.0 << "#,###" << "";
        QTest::newRow("negative") << -1234.0 << "#,##0" << "-1,234";
        QTest::newRow("round half up") << 2.5 << "0" << "3";
        QTest::newRow("round negative half") << -2.5 << "0" << "-3";
        QTest::newRow("15 digit text") << 1.005 << "0.00" << "1.01";
        QTest::newRow("negative rounds to zero") << -0.4 << "0" << "0";
        QTest::newRow("decimals fixed") << 1234.5 << "#,##0.00" << "1,234.50";
        QTest::newRow("decimals optional") << 1234.5 << "#,##0.##" << "1,234.5";
        QTest::newRow("point stays") << 1234.0 << "#,##0.##" << "1,234.";
        QTest::newRow("carry") << 999.996 << "#,##0.00" << "1,000.00";
        QTest::newRow("leading zeros") << 7.0 << "000" << "007";
        QTest::newRow("no integer place") << 0.5 << "#.##" << ".5";
        QTest::newRow("yen literal") << 1234.0 << "\\\\#,##0" << "\\1,234";
        QTest::newRow("escaped letter") << 5.0 << "0\\個" << "5個";
        QTest::newRow("quoted") << 5.0 << "0\"円\"" << "5円";
        QTest::newRow("plain literal") << 5.0 << "0円" << "5円";
        QTest::newRow("postal") << 1234567.0 << "000-0000" << "123-4567";
        QTest::newRow("more digits than places") << 123456.0 << "00" << "123456";
        QTest::newRow("percent") << 0.125 << "0.0%" << "12.5%";
        QTest::newRow("thousands scaling") << 1234567.0 << "#,##0," << "1,235";
        QTest::newRow("negative section") << -5.0 << "0;(0)" << "(5)";
        QTest::newRow("zero section") << 0.0 << "0;-0;なし" << "なし";
        QTest::newRow("empty pattern whole") << 1234.0 << "" << "1234";
        QTest::newRow("empty pattern fraction") << 1234.5 << "" << "1234.5";
        QTest::newRow("large") << 9999999999.0 << "#,##0" << "9,999,999,999";

        // Whole numbers of up to 15 digits take their digits straight from the
        // integer; larger or fractional values from their 15-digit text. Both
        // print alike, in every format the sample forms use.
        QTest::newRow("whole negative grouped") << -1234567.0 << "#,##0" << "-1,234,567";
        QTest::newRow("whole 15 digits") << 999999999999999.0 << "#,##0" << "999,999,999,999,999";
        QTest::newRow("whole -15 digits") << -999999999999999.0 << "#,##0" << "-999,999,999,999,999";
        QTest::newRow("whole 16 digits") << 1e15 << "#,##0" << "1,000,000,000,000,000";
        QTest::newRow("beyond 15 digits rounds") << 1234567890123456789.0 << "#,##0" << "1,234,567,890,123,460,000";
        QTest::newRow("slip number") << 123.0 << "000000000" << "000000123";
        QTest::newRow("slip number zero") << 0.0 << "000000000" << "000000000";
        QTest::newRow("slip number negative") << -45.0 << "000000000" << "-000000045";
        QTest::newRow("slip number too long") << 1234567890.0 << "000000000" << "1234567890";
        QTest::newRow("whole with optional decimals") << 1234.0 << "#,##0.####" << "1,234.";
        QTest::newRow("negative whole with optional decimals") << -1234.0 << "#,##0.####" << "-1,234.";
        QTest::newRow("zero with optional decimals") << 0.0 << "#,##0.####" << "0.";
        QTest::newRow("four decimals") << 1234.56789 << "#,##0.####" << "1,234.5679";
        QTest::newRow("half of the last decimal") << 0.00005 << "#,##0.####" << "0.0001";
        QTest::newRow("negative rounds to zero decimals") << -0.00004 << "#,##0.####" << "0.";
        QTest::newRow("decimals carry") << 9999.99995 << "#,##0.####" << "10,000.";
        QTest::newRow("yen negative") << -1234.0 << "\\\\#,##0" << "-\\1,234";
        QTest::newRow("yen zero") << 0.0 << "\\\\#,##0" << "\\0";
        QTest::newRow("yen decimals") << 1234.5 << "\\\\#,##0.####" << "\\1,234.5";
        QTest::newRow("half rounds up") << 0.5 << "#,##0" << "1";
        QTest::newRow("negative half rounds away") << -0.5 << "#,##0" << "-1";
        QTest::newRow("just under a half, 15 digits") << 0.49999999999999994 << "#,##0" << "1";
        QTest::newRow("half past 15 digits") << 999999999999999.5 << "0" << "1000000000000000";
        QTest::newRow("whole percent") << 12.0 << "0%" << "1200%";
        QTest::newRow("whole thousands") << 1000.0 << "0," << "1";
        QTest::newRow("whole thousands rounded") << 1499.0 << "0," << "1";
        QTest::newRow("zero section of three") << 0.0 << "0;(0);-" << "-";
        QTest::newRow("empty pattern negative") << -123456789.0 << "" << "-123456789";
        QTest::newRow("empty pattern zero") << 0.0 << "" << "0";
    }

    void numbers()
    {
        QFETCH(double, value);
        QFETCH(QString, pattern);
        QFETCH(QString, expected);
        QCOMPARE(formatNumber(value, pattern), expected);
    }

    // Patterns are read once and kept: many different patterns, each asked
    // for again after the others, still format by their own text.
    void manyPatterns()
    {
        for (int round = 0; round < 2; ++round)
            for (int i = 0; i < 600; ++i) {
                const QString suffix = QString::number(i);
                QCOMPARE(formatNumber(-5, QStringLiteral("0\"") + suffix + QStringLiteral("\";(0)")),
                         QStringLiteral("(5)"));
                QCOMPARE(formatNumber(5, QStringLiteral("0\"") + suffix + QStringLiteral("\"")), QStringLiteral("5") + suffix);
                QCOMPARE(formatDate(QDateTime(QDate(2024, 3, 5), QTime(0, 0)), QStringLiteral("m\"") + suffix + QStringLiteral("\"")),
                         QStringLiteral("3") + suffix);
            }
    }

    void dates_data()
    {
        QTest::addColumn<QDateTime>("value");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("expected");
        const QDateTime d(QDate(2024, 3, 5), QTime(14, 7, 9));
        QTest::newRow("date") << d << "yyyy/mm/dd" << "2024/03/05";
        QTest::newRow("short") << d << "yy/m/d" << "24/3/5";
        QTest::newRow("time") << d << "hh:nn:ss" << "14:07:09";
        QTest::newRow("m after hour is minutes") << d << "h:mm" << "14:07";
        QTest::newRow("japanese") << d << "yyyy年m月d日(aaa)" << "2024年3月5日(火)";
        QTest::newRow("long weekday") << d << "aaaa" << "火曜日";
        QTest::newRow("twelve hours") << d << "h:nn AM/PM" << "2:07 PM";
        QTest::newRow("english names") << d << "ddd mmm" << "Tue Mar";
        QTest::newRow("escaped") << d << "yyyy\\y" << "2024y";
        QTest::newRow("empty pattern date") << QDateTime(QDate(2024, 3, 5), QTime(0, 0)) << "" << "2024/03/05";
        QTest::newRow("empty pattern both") << d << "" << "2024/03/05 14:07:09";
        QTest::newRow("zero date") << QDateTime(QDate(1899, 12, 30), QTime(0, 0)) << "" << "0:00:00";
        QTest::newRow("month/day") << QDateTime(QDate(2024, 1, 5), QTime(0, 0)) << "m/d" << "1/5";
        QTest::newRow("month/day two digits") << QDateTime(QDate(2024, 12, 31), QTime(0, 0)) << "m/d" << "12/31";
        QTest::newRow("japanese date") << QDateTime(QDate(2024, 10, 9), QTime(9, 5, 7)) << "yyyy年m月d日"
                                       << "2024年10月9日";
        QTest::newRow("year below 1000") << QDateTime(QDate(999, 2, 3), QTime(0, 0)) << "yyyy/mm/dd" << "0999/02/03";
        QTest::newRow("empty pattern year below 1000") << QDateTime(QDate(999, 2, 3), QTime(0, 0)) << ""
                                                       << "0999/02/03";
        QTest::newRow("empty pattern short time") << QDateTime(QDate(2024, 10, 9), QTime(9, 5, 7)) << ""
                                                  << "2024/10/09 9:05:07";
        QTest::newRow("zero date formatted") << QDateTime(QDate(1899, 12, 30), QTime(0, 0)) << "yyyy/mm/dd"
                                             << "1899/12/30";
    }

    void dates()
    {
        QFETCH(QDateTime, value);
        QFETCH(QString, pattern);
        QFETCH(QString, expected);
        QCOMPARE(formatDate(value, pattern), expected);
    }
};

QTEST_GUILESS_MAIN(tst_FormatPattern)
#include "tst_formatpattern.moc"
