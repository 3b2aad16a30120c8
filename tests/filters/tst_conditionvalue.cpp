#include "core/Globals.h"
#include "filters/ConditionValue.h"
#include "filters/SavedFilters.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using conditionvalue::Range;

class tst_ConditionValue : public QObject {
    Q_OBJECT
private slots:
    void ranges_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<int>("check");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("shownFrom");
        QTest::addColumn<QString>("shownTo");
        const int ok = int(Range::Check::Ok), reversed = int(Range::Check::Reversed),
                  out = int(Range::Check::OutOfRange);
        QTest::newRow("both empty") << "" << "" << ok << "000000000000000000" << "0" << "0";
        QTest::newRow("upper empty") << "5" << "" << ok << "000000005000000005" << "5" << "5";
        QTest::newRow("upper zero") << "5" << "0" << ok << "000000005000000005" << "5" << "5";
        QTest::newRow("lower empty") << "" << "9" << ok << "000000000000000009" << "0" << "9";
        QTest::newRow("range") << "12" << "345" << ok << "000000012000000345" << "12" << "345";
        QTest::newRow("equal") << "7" << "7" << ok << "000000007000000007" << "7" << "7";
        QTest::newRow("separators") << "1,000" << "2,500" << ok << "000001000000002500" << "1000" << "2500";
        QTest::newRow("nine digits") << "999999999" << "" << ok << "999999999999999999" << "999999999" << "999999999";
        QTest::newRow("unreadable") << "abc" << "3" << ok << "000000000000000003" << "0" << "3";
        QTest::newRow("fraction rounds") << "1.5" << "2.4" << ok << "000000002000000002" << "2" << "2";
        QTest::newRow("reversed") << "20" << "10" << reversed << "" << "20" << "10";
        QTest::newRow("negative lower") << "-5" << "10" << out << "" << "-5" << "10";
        QTest::newRow("negative upper") << "1" << "-5" << out << "" << "1" << "-5";
        QTest::newRow("ten digits") << "1234567890" << "" << out << "" << "1234567890" << "1234567890";
        QTest::newRow("thirteen digits") << "1" << "1234567890123" << out << "" << "1" << "1234567890123";
    }
    void ranges()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(int, check);
        QFETCH(QString, value);
        QFETCH(QString, shownFrom);
        QFETCH(QString, shownTo);
        const Range r = conditionvalue::checkRange(from, to);
        QCOMPARE(int(r.check), check);
        QCOMPARE(r.value, value);
        QCOMPARE(r.from, shownFrom);
        QCOMPARE(r.to, shownTo);
    }

    void boundsAndDates()
    {
        QCOMPARE(conditionvalue::rangeBounds(QStringLiteral("000000012000000345")),
                 std::make_pair(QStringLiteral("12"), QStringLiteral("345")));
        QCOMPARE(conditionvalue::rangeBounds(QStringLiteral("000000000000000000")),
                 std::make_pair(QStringLiteral("0"), QStringLiteral("0")));
        QCOMPARE(conditionvalue::rangeBounds(QString()), std::make_pair(QString(), QString()));

        QCOMPARE(conditionvalue::dateRange(QDate(2024, 1, 5), QDate(2024, 1, 31)), QStringLiteral("24/01/0524/01/31"));
        const auto pair = conditionvalue::parseDateRange(QStringLiteral("24/01/0524/01/31"));
        QVERIFY(pair);
        QCOMPARE(pair->first, QDate(2024, 1, 5));
        QCOMPARE(pair->second, QDate(2024, 1, 31));
        QVERIFY(!conditionvalue::parseDateRange(QStringLiteral("24/13/0124/01/31")));
        QVERIFY(!conditionvalue::parseDateRange(QStringLiteral("ab")));
        QCOMPARE(conditionvalue::padded(QStringLiteral("今日"), 16), QStringLiteral("今日") + QString(14, QLatin1Char(' ')));
    }

    void reservedNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("reserved");
        QTest::newRow("all") << "全件" << true;
        QTest::newRow("folder") << "検索フィルター" << true;
        QTest::newRow("temporary") << "一時検索" << true;
        QTest::newRow("temporary prefix") << "一時検索2" << true;
        QTest::newRow("ordinary") << "大口" << false;
        QTest::newRow("containing") << "前回の一時検索" << false;
        QTest::newRow("all with more") << "全件A" << false;
    }
    void reservedNames()
    {
        QFETCH(QString, name);
        QFETCH(bool, reserved);
        QCOMPARE(searchfilter::isReservedName(name), reserved);
    }

    void renameAndRemove()
    {
        QTemporaryDir dir;
        gstrCustomerKensakuFilterFolder = dir.path() + QLatin1Char('/');
        const auto make = [&](const QString &name, const QByteArray &bytes) {
            QFile f(dir.filePath(name + QStringLiteral(".ckj")));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(bytes);
        };
        make(QStringLiteral("A"), "a");
        make(QStringLiteral("B"), "b");
        using searchfilter::RenameResult;
        const auto kind = SearchFilterKind::Customer;
        QCOMPARE(searchfilter::rename(kind, QStringLiteral("A"), QStringLiteral("B")), RenameResult::Exists);
        QCOMPARE(searchfilter::rename(kind, QStringLiteral("A"), QStringLiteral("A")), RenameResult::Exists);
        QCOMPARE(searchfilter::rename(kind, QStringLiteral("gone"), QStringLiteral("C")), RenameResult::Failed);
        // Names that would leave the folder are refused, never thrown.
        QCOMPARE(searchfilter::rename(kind, QStringLiteral("A"), QStringLiteral("..")), RenameResult::Failed);
        QCOMPARE(searchfilter::rename(kind, QStringLiteral("."), QStringLiteral("C")), RenameResult::Failed);
        QCOMPARE(searchfilter::rename(kind, QStringLiteral("A"), QStringLiteral("C")), RenameResult::Renamed);
        QCOMPARE(searchfilter::savedNames(kind), (QStringList{QStringLiteral("B"), QStringLiteral("C")}));
        QFile c(dir.filePath(QStringLiteral("C.ckj")));
        QVERIFY(c.open(QIODevice::ReadOnly));
        QCOMPARE(c.readAll(), QByteArray("a"));
        QVERIFY(searchfilter::remove(kind, QStringLiteral("B")));
        QVERIFY(!searchfilter::remove(kind, QStringLiteral("B")));
        QCOMPARE(searchfilter::savedNames(kind), QStringList{QStringLiteral("C")});
    }
};

QTEST_GUILESS_MAIN(tst_ConditionValue)
#include "tst_conditionvalue.moc"
