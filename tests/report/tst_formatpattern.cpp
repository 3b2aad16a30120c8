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
    }

    void numbers()
    {
        QFETCH(double, value);
        QFETCH(QString, pattern);
        QFETCH(QString, expected);
        QCOMPARE(formatNumber(value, pattern), expected);
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
