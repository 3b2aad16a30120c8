#include "core/DateValue.h"

#include <QtTest>
#include <ctime>

class tst_DateValue : public QObject {
    Q_OBJECT

private slots:
    void formats()
    {
        const QDateTime t(QDate(2024, 1, 5), QTime(9, 8, 7));
        QCOMPARE(formatDate(t), QStringLiteral("2024/01/05"));
        QCOMPARE(formatDate(QDate(999, 12, 31)), QStringLiteral("0999/12/31"));
        QCOMPARE(formatDate(QDate(9999, 1, 1)), QStringLiteral("9999/01/01"));
        QCOMPARE(formatDateTime(t), QStringLiteral("2024/01/05 09:08:07"));
        QCOMPARE(formatShortDate(t.date()), QStringLiteral("24/01/05"));
        QCOMPARE(formatDateTime(QDateTime(QDate(2024, 1, 5), QTime(23, 0))), QStringLiteral("2024/01/05 23:00:00"));
        // The zero date is what a cleared record writes.
        QCOMPARE(formatDate(zeroDate()), QStringLiteral("1899/12/30"));
        QCOMPARE(formatDate(QDateTime()), QStringLiteral("1899/12/30"));
        QCOMPARE(formatDateTime(QDateTime()), QStringLiteral("1899/12/30 00:00:00"));
        QVERIFY(isZeroDate(zeroDate()));
        QVERIFY(isZeroDate(QDateTime()));
        QVERIFY(!isZeroDate(QDateTime(QDate(1899, 12, 30), QTime(0, 0, 1))));
    }

    void parse_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDateTime>("expected");
        const QDateTime none;
        QTest::newRow("day") << "2024/04/01" << QDateTime(QDate(2024, 4, 1), QTime(0, 0));
        QTest::newRow("time stamp") << "2024/04/01 13:05:09" << QDateTime(QDate(2024, 4, 1), QTime(13, 5, 9));
        QTest::newRow("short numbers") << "2024/4/1" << QDateTime(QDate(2024, 4, 1), QTime(0, 0));
        QTest::newRow("two-digit year") << "24/04/01" << QDateTime(QDate(2024, 4, 1), QTime(0, 0));
        QTest::newRow("zero date") << "1899/12/30" << zeroDate();
        QTest::newRow("leap day") << "2024/02/29" << QDateTime(QDate(2024, 2, 29), QTime(0, 0));
        QTest::newRow("no leap day") << "2023/02/29" << none;
        QTest::newRow("month 13") << "2024/13/01" << none;
        QTest::newRow("hour 25") << "2024/01/01 25:00:00" << none;
        QTest::newRow("dashes") << "2024-04-01" << none;
        QTest::newRow("words") << "soon" << none;
        QTest::newRow("empty") << "" << none;
    }
    void parse()
    {
        QFETCH(QString, text);
        QFETCH(QDateTime, expected);
        const QDateTime value = parseDateTime(text);
        QCOMPARE(value.isValid(), expected.isValid());
        if (expected.isValid())
            QCOMPARE(value, expected);
    }

    void fixedClock()
    {
        setFixedNow(QDateTime(QDate(2024, 12, 31), QTime(23, 59, 59)));
        QCOMPARE(now(), QDateTime(QDate(2024, 12, 31), QTime(23, 59, 59)));
        QCOMPARE(today(), QDate(2024, 12, 31));
        setFixedNow(QDateTime());
        QCOMPARE(now().time().msec(), 0); // stored stamps carry whole seconds
    }

    // A day whose midnight the clock skips, or a stored time inside a
    // skipped hour, still reads as a date on that day.
    void skippedLocalTimes_data()
    {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("day");
        QTest::newRow("midnight skipped") << QByteArray("America/Santiago") << "2024/09/08" << "2024/09/08";
        QTest::newRow("hour skipped") << QByteArray("Europe/Berlin") << "2024/03/31 02:30:00" << "2024/03/31";
    }
    void skippedLocalTimes()
    {
        QFETCH(QByteArray, zone);
        QFETCH(QString, text);
        QFETCH(QString, day);
        if (!QFile::exists(QStringLiteral("/usr/share/zoneinfo/") + QString::fromLatin1(zone)))
            QSKIP("time zone data not installed");
        const QByteArray before = qgetenv("TZ");
        qputenv("TZ", zone);
        tzset();
        const QDateTime value = parseDateTime(text);
        if (before.isNull())
            qunsetenv("TZ");
        else
            qputenv("TZ", before);
        tzset();
        QVERIFY(value.isValid());
        QCOMPARE(formatDate(value), day);
    }
};

QTEST_GUILESS_MAIN(tst_DateValue)
#include "tst_datevalue.moc"
