#include "core/Globals.h"
#include "printing/SeikyushoArchive.h"
#include "printing/TsukiSeikyuState.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestTsukiSeikyu : public QObject {
    Q_OBJECT
private slots:
    void period_data();
    void period();
    void where_data();
    void where();
    void invoicedQuestion_data();
    void invoicedQuestion();
    void archiveListsOnlyInvoiceFolders();
    void stagingReplacesOldInvoiceOnlyWhenCommitted();
};

void TestTsukiSeikyu::period_data()
{
    QTest::addColumn<QString>("shimeBi");
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QDate>("from");
    QTest::addColumn<QDate>("to");
    QTest::newRow("20 after") << "20日締め" << QDate(2024, 3, 25) << QDate(2024, 2, 21) << QDate(2024, 3, 20);
    QTest::newRow("20 on") << "20日締め" << QDate(2024, 3, 20) << QDate(2024, 2, 21) << QDate(2024, 3, 20);
    QTest::newRow("20 before") << "20日締め" << QDate(2024, 3, 19) << QDate(2024, 1, 21) << QDate(2024, 2, 20);
    // A closing day February lacks closes February on its last day.
    QTest::newRow("30 early March") << "30日締め" << QDate(2024, 3, 5) << QDate(2024, 1, 31) << QDate(2024, 2, 29);
    QTest::newRow("30 on March 30") << "30日締め" << QDate(2024, 3, 30) << QDate(2024, 3, 1) << QDate(2024, 3, 30);
    QTest::newRow("30 in 2023") << "30日締め" << QDate(2023, 3, 30) << QDate(2023, 3, 1) << QDate(2023, 3, 30);
    QTest::newRow("month end on last day") << "月末締め" << QDate(2024, 3, 31) << QDate(2024, 2, 1)
                                           << QDate(2024, 2, 29);
    QTest::newRow("none, January") << "" << QDate(2024, 1, 10) << QDate(2023, 12, 1) << QDate(2023, 12, 31);
}

void TestTsukiSeikyu::period()
{
    QFETCH(QString, shimeBi);
    QFETCH(QDate, today);
    const ClosingPeriod p = TsukiSeikyuState::proposePeriod(shimeBi, today);
    QTEST(p.start, "from");
    QTEST(p.end, "to");
}

void TestTsukiSeikyu::where_data()
{
    QTest::addColumn<int>("dateItem");
    QTest::addColumn<bool>("miSeikyu");
    QTest::addColumn<QString>("customer");
    QTest::addColumn<QString>("where");
    QTest::addColumn<QString>("order");
    QTest::newRow("nouki, unbilled")
        << 0 << true << "A01"
        << "(納期 >= '2024/02/21' AND 納期 <= '2024/03/20') AND (顧客ID = 'A01') AND (請求 = FALSE)"
        << "伝票テーブル.納期, 伝票テーブル.伝票番号";
    QTest::newRow("juchu") << 1 << false << "A01"
                           << "(受注日付 >= '2024/02/21' AND 受注日付 <= '2024/03/20') AND (顧客ID = 'A01')"
                           << "伝票テーブル.受注日付, 伝票テーブル.伝票番号";
    QTest::newRow("nouhin, quote in ID")
        << 2 << false << "O'K"
        << "(納品日付 >= '2024/02/21' AND 納品日付 <= '2024/03/20') AND (顧客ID = 'O''K')"
        << "伝票テーブル.納品日付, 伝票テーブル.伝票番号";
}

void TestTsukiSeikyu::where()
{
    QFETCH(int, dateItem);
    QFETCH(bool, miSeikyu);
    QFETCH(QString, customer);
    TsukiSeikyuState s;
    s.customerID = customer;
    s.dateItem = dateItem;
    s.miSeikyuOnly = miSeikyu;
    s.from = QDate(2024, 2, 21);
    s.to = QDate(2024, 3, 20);
    QTEST(s.where(), "where");
    QTEST(s.order(), "order");
}

void TestTsukiSeikyu::invoicedQuestion_data()
{
    QTest::addColumn<int>("slips");
    QTest::addColumn<QList<int>>("invoiced"); // positions 0-based
    QTest::addColumn<QString>("list");
    QList<int> twelve;
    for (int i = 0; i < 12; ++i)
        twelve << i;
    QTest::newRow("twelve of fifteen") << 15 << twelve
                                       << "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10\r\n:";
    QTest::newRow("only the last") << 3 << QList<int>{2} << "3";
    QTest::newRow("none") << 3 << QList<int>{} << "";
}

void TestTsukiSeikyu::invoicedQuestion()
{
    QFETCH(int, slips);
    QFETCH(QList<int>, invoiced);
    QVector<qint32> ids;
    QVector<bool> flags;
    for (int i = 0; i < slips; ++i) {
        ids << i + 1;
        flags << invoiced.contains(i);
    }
    const QString list = TsukiSeikyuState::invoicedList(ids, flags);
    QTEST(list, "list");
    if (!list.isEmpty())
        QCOMPARE(TsukiSeikyuState::invoicedQuestion(list),
                 QStringLiteral("既に請求済の伝票が存在しています。続行しますか？\r\n") + list + QStringLiteral("\r\n"));
    QCOMPARE(TsukiSeikyuState::overwriteQuestion(), QStringLiteral("この日付の請求書は既に存在しています。上書きしますか？"));
}

void TestTsukiSeikyu::archiveListsOnlyInvoiceFolders()
{
    QTemporaryDir root;
    gstrTsukiSeikyushoFolder = root.path() + QLatin1Char('/');
    QDir d(root.path());
    for (const char *name : {"A01/A01_20240131", "A01/A01_20240229", "A01/A01_20240231", "A01/A01_2024013",
                             "A01/B02_20240131", "A01/.A01_20240331.new", "A01/A01_2024O131"})
        QVERIFY(d.mkpath(QString::fromUtf8(name)));
    QFile stray(root.path() + QStringLiteral("/A01/A01_20240430"));
    QVERIFY(stray.open(QIODevice::WriteOnly));
    stray.close();
    QCOMPARE(seikyusho::invoiceDates(QStringLiteral("A01")),
             (QVector<QDate>{QDate(2024, 1, 31), QDate(2024, 2, 29)}));
    QCOMPARE(seikyusho::pageBasePath(QStringLiteral("A01"), QDate(2024, 3, 20)),
             root.path() + QStringLiteral("/A01/A01_20240320/A01_20240320.cnv"));
    QVERIFY(seikyusho::deleteInvoice(QStringLiteral("A01"), QDate(2024, 1, 31)));
    QCOMPARE(seikyusho::invoiceDates(QStringLiteral("A01")), (QVector<QDate>{QDate(2024, 2, 29)}));
    QVERIFY(QFileInfo::exists(root.path() + QStringLiteral("/A01/B02_20240131")));
}

void TestTsukiSeikyu::stagingReplacesOldInvoiceOnlyWhenCommitted()
{
    QTemporaryDir root;
    gstrTsukiSeikyushoFolder = root.path() + QLatin1Char('/');
    const QDate date(2024, 3, 20);
    const QString id = QStringLiteral("A01");
    QVERIFY(QDir().mkpath(seikyusho::invoiceFolder(id, date)));
    QFile old(seikyusho::pageBasePath(id, date) + QStringLiteral("_0"));
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();

    seikyusho::prepareStaging(id, date);
    QFile page(seikyusho::stagingBasePath(id, date) + QStringLiteral("_0"));
    QVERIFY(page.open(QIODevice::WriteOnly));
    page.write("new");
    page.close();
    seikyusho::discardStaging(id, date);
    QFile kept(seikyusho::pageBasePath(id, date) + QStringLiteral("_0"));
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), QByteArray("old"));
    kept.close();

    seikyusho::prepareStaging(id, date);
    QVERIFY(page.open(QIODevice::WriteOnly));
    page.write("new");
    page.close();
    seikyusho::commitStaging(id, date);
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), QByteArray("new"));
    QCOMPARE(QDir(seikyusho::customerFolder(id)).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList{QStringLiteral("A01_20240320")});
}

QTEST_GUILESS_MAIN(TestTsukiSeikyu)
#include "tst_tsukiseikyu.moc"
