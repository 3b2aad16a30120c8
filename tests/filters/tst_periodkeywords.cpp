#include "core/DateValue.h"
#include "filters/PeriodKeywords.h"

#include <QtTest>

class tst_PeriodKeywords : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { setFixedNow(QDateTime()); }

    void period_data()
    {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QString>("keyword");
        QTest::addColumn<QString>("expected");

        const QDate mar5(2024, 3, 5);
        QTest::newRow("yesterday") << mar5 << "昨日" << "24/03/0424/03/04";
        QTest::newRow("today") << mar5 << "今日" << "24/03/0524/03/05";
        QTest::newRow("tomorrow") << mar5 << "明日" << "24/03/0624/03/06";
        QTest::newRow("2 days ago") << mar5 << "２日前" << "24/03/0324/03/03";
        QTest::newRow("7 days ago, across February 29") << mar5 << "７日前" << "24/02/2724/02/27";
        QTest::newRow("last month, leap February") << mar5 << "先月" << "24/02/0124/02/29";
        QTest::newRow("5th closing, on day 5") << mar5 << "今月(5日締)" << "24/02/0624/03/05";
        QTest::newRow("5th closing next") << mar5 << "来月(5日締)" << "24/03/0624/04/05";
        QTest::newRow("5th closing previous") << mar5 << "先月(5日締)" << "24/01/0624/02/05";
        QTest::newRow("10th closing") << mar5 << "今月(10日締)" << "24/02/1124/03/10";
        QTest::newRow("5th closing, day after") << QDate(2024, 3, 6) << "今月(5日締)" << "24/03/0624/04/05";

        const QDate dec26(2024, 12, 26);
        QTest::newRow("25th closing across year end") << dec26 << "今月(25日締)" << "24/12/2625/01/25";
        QTest::newRow("6 days later across year end") << dec26 << "６日後" << "25/01/0125/01/01";
        QTest::newRow("next month from December") << dec26 << "来月" << "25/01/0125/01/31";
        QTest::newRow("next 25th closing from December") << dec26 << "来月(25日締)" << "25/01/2625/02/25";

        const QDate jan31(2025, 1, 31);
        QTest::newRow("next month, common February") << jan31 << "来月" << "25/02/0125/02/28";
        QTest::newRow("last month from January") << jan31 << "先月" << "24/12/0124/12/31";
        QTest::newRow("this month, 31 days") << jan31 << "今月" << "25/01/0125/01/31";
        QTest::newRow("tomorrow across month end") << jan31 << "明日" << "25/02/0125/02/01";

        QTest::newRow("on the closing day") << QDate(2024, 5, 10) << "今月(10日締)" << "24/04/1124/05/10";
        QTest::newRow("day after the closing day") << QDate(2024, 5, 11) << "今月(10日締)" << "24/05/1124/06/10";

        const QDate jan15(2024, 1, 15);
        QTest::newRow("previous 15th closing across year") << jan15 << "先月(15日締)" << "23/11/1623/12/15";
        QTest::newRow("20th closing across year") << jan15 << "今月(20日締)" << "23/12/2124/01/20";
        QTest::newRow("next 20th closing") << jan15 << "来月(20日締)" << "24/01/2124/02/20";

        QTest::newRow("last month from March 31") << QDate(2024, 3, 31) << "先月" << "24/02/0124/02/29";
        QTest::newRow("leap day, 4 days later") << QDate(2024, 2, 29) << "４日後" << "24/03/0424/03/04";
        QTest::newRow("leap year this month") << QDate(2024, 2, 10) << "今月" << "24/02/0124/02/29";
        QTest::newRow("century rule year 2100 not leap") << QDate(2100, 3, 1) << "昨日" << "00/02/2800/02/28";
        QTest::newRow("25th closing previous, from March 1")
            << QDate(2023, 3, 1) << "先月(25日締)" << "23/01/2623/02/25";
        QTest::newRow("5 days ago across year") << QDate(2025, 1, 3) << "５日前" << "24/12/2924/12/29";
        QTest::newRow("3 days later") << QDate(2025, 1, 3) << "３日後" << "25/01/0625/01/06";

        QTest::newRow("blanks around") << mar5 << " 今日 " << "24/03/0524/03/05";
        QTest::newRow("padded to 16") << mar5 << QStringLiteral("今日").leftJustified(16) << "24/03/0524/03/05";
        const QString unknown = QStringLiteral("99/12/3099/12/30");
        QTest::newRow("half-width digit") << mar5 << "2日前" << unknown;
        QTest::newRow("full-width parentheses") << mar5 << "今月（5日締）" << unknown;
        QTest::newRow("full-width blank around") << mar5 << "　今日" << unknown;
        QTest::newRow("empty") << mar5 << "" << unknown;
    }

    void period()
    {
        QFETCH(QDate, today);
        QFETCH(QString, keyword);
        QFETCH(QString, expected);
        setFixedNow(QDateTime(today, QTime(23, 59, 59)));
        const QString result = fnGetKikanFromKeyword(keyword);
        QCOMPARE(result, expected);
        QCOMPARE(result.size(), 16);
    }

    // All 33 keywords in the date dialog's order, on a day that is no later
    // than any closing day (the base month is the previous one) and on a
    // day after every closing day (the base month is the current one).
    void everyKeyword_data()
    {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QString>("keyword");
        QTest::addColumn<QString>("expected");
        const QStringList mar5 = {
            "昨日", "24/03/0424/03/04", "今日", "24/03/0524/03/05", "明日", "24/03/0624/03/06",
            "２日前", "24/03/0324/03/03", "２日後", "24/03/0724/03/07", "３日前", "24/03/0224/03/02",
            "３日後", "24/03/0824/03/08", "４日前", "24/03/0124/03/01", "４日後", "24/03/0924/03/09",
            "５日前", "24/02/2924/02/29", "５日後", "24/03/1024/03/10", "６日前", "24/02/2824/02/28",
            "６日後", "24/03/1124/03/11", "７日前", "24/02/2724/02/27", "７日後", "24/03/1224/03/12",
            "先月", "24/02/0124/02/29", "今月", "24/03/0124/03/31", "来月", "24/04/0124/04/30",
            "先月(5日締)", "24/01/0624/02/05", "今月(5日締)", "24/02/0624/03/05", "来月(5日締)", "24/03/0624/04/05",
            "先月(10日締)", "24/01/1124/02/10", "今月(10日締)", "24/02/1124/03/10", "来月(10日締)", "24/03/1124/04/10",
            "先月(15日締)", "24/01/1624/02/15", "今月(15日締)", "24/02/1624/03/15", "来月(15日締)", "24/03/1624/04/15",
            "先月(20日締)", "24/01/2124/02/20", "今月(20日締)", "24/02/2124/03/20", "来月(20日締)", "24/03/2124/04/20",
            "先月(25日締)", "24/01/2624/02/25", "今月(25日締)", "24/02/2624/03/25", "来月(25日締)", "24/03/2624/04/25",
        };
        QStringList order;
        for (int i = 0; i < mar5.size(); i += 2) {
            order << mar5[i];
            QTest::addRow("2024-03-05 %s", qPrintable(mar5[i])) << QDate(2024, 3, 5) << mar5[i] << mar5[i + 1];
        }
        QCOMPARE(PeriodKeywords::labels(), order);

        const QStringList dec26 = {
            "先月(5日締)", "24/11/0624/12/05", "今月(5日締)", "24/12/0625/01/05", "来月(5日締)", "25/01/0625/02/05",
            "先月(10日締)", "24/11/1124/12/10", "今月(10日締)", "24/12/1125/01/10", "来月(10日締)", "25/01/1125/02/10",
            "先月(15日締)", "24/11/1624/12/15", "今月(15日締)", "24/12/1625/01/15", "来月(15日締)", "25/01/1625/02/15",
            "先月(20日締)", "24/11/2124/12/20", "今月(20日締)", "24/12/2125/01/20", "来月(20日締)", "25/01/2125/02/20",
            "先月(25日締)", "24/11/2624/12/25", "今月(25日締)", "24/12/2625/01/25", "来月(25日締)", "25/01/2625/02/25",
        };
        for (int i = 0; i < dec26.size(); i += 2)
            QTest::addRow("2024-12-26 %s", qPrintable(dec26[i])) << QDate(2024, 12, 26) << dec26[i] << dec26[i + 1];
    }

    void everyKeyword() { period(); }

    // Every keyword's period contains the day it is counted from, or lies
    // wholly before or after it as its word says, on every day of a leap
    // year and the year end after it.
    void everyKeywordOnEveryDay()
    {
        QCOMPARE(PeriodKeywords::labels().size(), 33);
        for (QDate day(2024, 1, 1); day <= QDate(2025, 1, 31); day = day.addDays(1)) {
            for (const QString &label : PeriodKeywords::labels()) {
                const auto p = PeriodKeywords::period(label, day);
                QVERIFY2(p && p->first.isValid() && p->second.isValid() && p->first <= p->second,
                         qPrintable(label + day.toString()));
                if (label.startsWith(u"今月") || label == u"今日")
                    QVERIFY2(p->first <= day && day <= p->second, qPrintable(label + day.toString()));
                else if (label.startsWith(u"先月") || label.endsWith(u"前") || label == u"昨日")
                    QVERIFY2(p->second < day, qPrintable(label + day.toString()));
                else
                    QVERIFY2(p->first > day, qPrintable(label + day.toString()));
                if (label.contains(u"締")) {
                    // A closing period is one month long: the day after its
                    // end is its start one month later.
                    QCOMPARE(p->second.addDays(1), p->first.addMonths(1));
                }
            }
        }
    }
};

QTEST_GUILESS_MAIN(tst_PeriodKeywords)
#include "tst_periodkeywords.moc"
