#include "core/ClosingPeriod.h"
#include "mainwindow/views/DateBarState.h"
#include "model/denpyos.h"
#include "platform/db/Connection.h"
#include "TestSupport.h"

#include <QTemporaryDir>
#include <QtTest>

class tst_DateBarState : public QObject {
    Q_OBJECT
private slots:
    void texts_data();
    void texts();
    void closingPeriod_data();
    void closingPeriod();
    void everyConditionUsesAnIndex_data();
    void everyConditionUsesAnIndex();
};

void tst_DateBarState::texts_data()
{
    QTest::addColumn<int>("dateItem");
    QTest::addColumn<bool>("dayMode");
    QTest::addColumn<QString>("month");
    QTest::addColumn<QString>("shimeBi");
    QTest::addColumn<QString>("customer");
    QTest::addColumn<QString>("joken");
    QTest::addColumn<QString>("caption");

    const QString none;
    QTest::newRow("day, delivery date") << 0 << true << "2026/12" << none << none << "(納期 = '2026/12/09')"
                                        << "*納期：2026/12/09";
    QTest::newRow("day with customer")
        << 0 << true << none << none << "C001/山田商店" << "(納期 = '2026/12/09') AND  (顧客ID = 'C001')"
        << "*納期：2026/12/09  顧客:C001/山田商店";
    QTest::newRow("month, closing 20th, customer")
        << 2 << false << "2026/12" << "20日締め" << "C001/山田"
        << "(受注日付 >= '2026/11/21' AND 受注日付 <= '2026/12/20') AND  (顧客ID = 'C001')"
        << "*受注日：2026/11/21～2026/12/20  顧客:C001/山田";
    QTest::newRow("month end") << 1 << false << "2026/02" << "月末締め" << none
                               << "(見積もり日付 >= '2026/02/01' AND 見積もり日付 <= '2026/02/28')"
                               << "*見積日：2026/02/01～2026/02/28";
    QTest::newRow("no closing day is the calendar month")
        << 3 << false << "2024/02" << none << none << "(納品日付 >= '2024/02/01' AND 納品日付 <= '2024/02/29')"
        << "*納品日：2024/02/01～2024/02/29";
    QTest::newRow("5th closing") << 4 << false << "2026/03" << "05日締め" << none
                                 << "(請求日付 >= '2026/02/06' AND 請求日付 <= '2026/03/05')"
                                 << "*請求日：2026/02/06～2026/03/05";
    QTest::newRow("year changes") << 5 << false << "2026/01" << "25日締め" << none
                                  << "(入金日付 >= '2025/12/26' AND 入金日付 <= '2026/01/25')"
                                  << "*入金日：2025/12/26～2026/01/25";
    QTest::newRow("30th in February") << 0 << false << "2024/02" << "30日締め" << none
                                      << "(納期 >= '2024/01/31' AND 納期 <= '2024/02/29')"
                                      << "*納期：2024/01/31～2024/02/29";
    QTest::newRow("30th after February") << 0 << false << "2024/03" << "30日締め" << none
                                         << "(納期 >= '2024/03/01' AND 納期 <= '2024/03/30')"
                                         << "*納期：2024/03/01～2024/03/30";
    QTest::newRow("creation time is cut to its date")
        << 6 << true << none << none << none << "(substr(作成日付,1,10) = '2026/12/09')" << "*作成日：2026/12/09";
    QTest::newRow("update time, month")
        << 7 << false << "2026/12" << none << none
        << "(substr(更新日付,1,10) >= '2026/12/01' AND substr(更新日付,1,10) <= '2026/12/31')"
        << "*更新日：2026/12/01～2026/12/31";
    QTest::newRow("empty month lists everything") << 0 << false << none << none << none << "" << "*";
    QTest::newRow("empty month with customer")
        << 0 << false << none << none << "C9/x" << " (顧客ID = 'C9')" << "*顧客:C9/x";
    QTest::newRow("quote in a customer ID is doubled")
        << 0 << true << none << none << "O'K/name" << "(納期 = '2026/12/09') AND  (顧客ID = 'O''K')"
        << "*納期：2026/12/09  顧客:O'K/name";
    QTest::newRow("name with slash keeps the ID before the first one")
        << 0 << false << none << none << "A1/B/C" << " (顧客ID = 'A1')" << "*顧客:A1/B/C";
}

void tst_DateBarState::texts()
{
    DateBarState s;
    QFETCH(int, dateItem);
    QFETCH(bool, dayMode);
    s.dateItem = dateItem;
    s.dayMode = dayMode;
    s.day = QDate(2026, 12, 9);
    QFETCH(QString, month);
    QFETCH(QString, shimeBi);
    QFETCH(QString, customer);
    s.month = month;
    s.shimeBi = shimeBi;
    s.customerItem = customer;
    QTEST(s.joken(), "joken");
    QTEST(s.caption(), "caption");
}

void tst_DateBarState::closingPeriod_data()
{
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<QString>("shimeBi");
    QTest::addColumn<QDate>("start");
    QTest::addColumn<QDate>("end");

    QTest::newRow("31st in a 30-day month") << 2026 << 5 << "31日締め" << QDate(2026, 5, 1) << QDate(2026, 5, 31);
    QTest::newRow("31st in April") << 2026 << 4 << "31日締め" << QDate(2026, 4, 1) << QDate(2026, 4, 30);
    QTest::newRow("30th in a common February") << 2026 << 2 << "30日締め" << QDate(2026, 1, 31)
                                               << QDate(2026, 2, 28);
    QTest::newRow("30th in March after a common February")
        << 2026 << 3 << "30日締め" << QDate(2026, 3, 1) << QDate(2026, 3, 30);
    QTest::newRow("text without a day") << 2026 << 7 << "締め" << QDate(2026, 7, 1) << QDate(2026, 7, 31);
}

void tst_DateBarState::closingPeriod()
{
    QFETCH(int, year);
    QFETCH(int, month);
    QFETCH(QString, shimeBi);
    const ClosingPeriod period = fnGetClosingPeriod(year, month, shimeBi);
    QTEST(period.start, "start");
    QTEST(period.end, "end");
    // The next month's period starts the day after this one ends.
    const QDate next = QDate(year, month, 1).addMonths(1);
    QCOMPARE(fnGetClosingPeriod(next.year(), next.month(), shimeBi).start, period.end.addDays(1));
}

// The slip list of every date item, by day and by month, is read from an
// index of the fresh schema, not by a scan of every slip.
void tst_DateBarState::everyConditionUsesAnIndex_data()
{
    QTest::addColumn<int>("dateItem");
    QTest::addColumn<bool>("dayMode");
    for (int item = 0; item < DateBarState::dateItemCount(); ++item) {
        const QByteArray label = DateBarState::dateItemLabel(item).toUtf8();
        QTest::newRow(label + " day") << item << true;
        QTest::newRow(label + " month") << item << false;
    }
}

void tst_DateBarState::everyConditionUsesAnIndex()
{
    QFETCH(int, dateItem);
    QFETCH(bool, dayMode);
    QTemporaryDir dir;
    auto c = db::Connection::open(testsupport::createFreshDatabase(dir.filePath(QStringLiteral("QVX.MDB"))));
    DateBarState s;
    s.dateItem = dateItem;
    s.dayMode = dayMode;
    s.day = QDate(2026, 12, 9);
    s.month = QStringLiteral("2026/12");
    const QString sql = denpyos::listStatement(s.joken(), QString(), QStringLiteral("伝票テーブル.伝票番号"));
    db::Statement st = c->prepare(QStringLiteral("EXPLAIN QUERY PLAN ") + sql);
    QString plan;
    while (st.step())
        plan += st.text(3) + QLatin1Char('\n');
    QVERIFY2(plan.startsWith(QStringLiteral("SEARCH 伝票テーブル USING INDEX 伝票テーブル_")), qPrintable(sql + "\n" + plan));
}

QTEST_APPLESS_MAIN(tst_DateBarState)
#include "tst_datebarstate.moc"
