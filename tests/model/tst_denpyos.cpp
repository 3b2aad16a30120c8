#include "core/DateValue.h"
#include "core/Globals.h"
#include "model/Denpyo.h"
#include "model/RecordFields.h"
#include "model/denpyos.h"
#include "TestSupport.h"

#include <QFileInfo>
#include <QScopeGuard>
#include <QtTest>
#include <ctime>
#include <memory>
#include <optional>

using db::DbError;

namespace {

void exec(const QString &sql)
{
    connection().exec(sql);
}

void slip(int id, const QString &extraColumns = QString(), const QString &extraValues = QString())
{
    db::Statement st = connection().prepare(
        QStringLiteral("INSERT INTO 伝票テーブル (伝票番号, 納期, 顧客ID, 顧客名, 合計消費税込み")
        + extraColumns + QStringLiteral(") VALUES (?, ?, ?, ?, ?") + extraValues + QStringLiteral(")"));
    st.bindInt(1, id);
    st.bindText(2, QStringLiteral("2024/04/%1").arg(id, 2, 10, QLatin1Char('0')));
    st.bindText(3, QStringLiteral("C%1").arg(id));
    st.bindText(4, QStringLiteral("顧客%1").arg(id));
    st.bindInt(5, id * 1000);
    st.exec();
}

void line(int id, int no, const QString &name)
{
    exec(QStringLiteral("INSERT INTO 明細テーブル (伝票番号, 明細番号, 品名, 単価, 数量, 金額) "
                        "VALUES (%1, %2, '%3', 1, 1, 1)").arg(id).arg(no).arg(name));
}

QList<int> ids(const denpyos &list)
{
    QList<int> out;
    for (const DenpyoDisplay &row : list)
        out << row.DenpyoID();
    return out;
}

} // namespace

class tst_denpyos : public QObject {
    Q_OBJECT

private:
    std::optional<testsupport::OpenedProgramFolder> m_folder;

private slots:
    void init()
    {
        m_folder.emplace();
    }
    void cleanup()
    {
        m_folder.reset();
    }

    void statementTexts_data()
    {
        QTest::addColumn<QString>("where");
        QTest::addColumn<QString>("meisaiWhere");
        QTest::addColumn<QString>("order");
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("count");
        QTest::newRow("no conditions")
            << "" << "" << "伝票テーブル.伝票番号"
            << "SELECT DISTINCT 伝票テーブル.* FROM 伝票テーブル  ORDER BY 伝票テーブル.伝票番号;"
            << "SELECT COUNT(*) FROM 伝票テーブル";
        QTest::newRow("slip condition trimmed")
            << "  納期 = '2024/04/01' " << "" << "伝票テーブル.納期, 伝票テーブル.伝票番号"
            << "SELECT DISTINCT 伝票テーブル.* FROM 伝票テーブル  WHERE 納期 = '2024/04/01' ORDER BY 伝票テーブル.納期, 伝票テーブル.伝票番号;"
            << "SELECT COUNT(*) FROM 伝票テーブル WHERE 納期 = '2024/04/01'";
        QTest::newRow("line condition inside the join")
            << "(伝票テーブル.見積もり = TRUE)" << " (明細テーブル.品名 LIKE 'ボルト%') " << "伝票テーブル.伝票番号"
            << "SELECT DISTINCT 伝票テーブル.* FROM 伝票テーブル  INNER JOIN 明細テーブル ON (伝票テーブル.伝票番号 = 明細テーブル.伝票番号 AND  (明細テーブル.品名 LIKE 'ボルト%') ) WHERE (伝票テーブル.見積もり = TRUE) ORDER BY 伝票テーブル.伝票番号;"
            << "SELECT COUNT(*) FROM (SELECT DISTINCT 伝票テーブル.伝票番号 FROM 伝票テーブル  INNER JOIN 明細テーブル ON (伝票テーブル.伝票番号 = 明細テーブル.伝票番号 AND  (明細テーブル.品名 LIKE 'ボルト%') ) WHERE (伝票テーブル.見積もり = TRUE))";
        QTest::newRow("blank slip condition is none")
            << "   " << "" << "伝票テーブル.伝票番号"
            << "SELECT DISTINCT 伝票テーブル.* FROM 伝票テーブル  ORDER BY 伝票テーブル.伝票番号;"
            << "SELECT COUNT(*) FROM 伝票テーブル";
    }
    void statementTexts()
    {
        QFETCH(QString, where);
        QFETCH(QString, meisaiWhere);
        QFETCH(QString, order);
        QFETCH(QString, list);
        QFETCH(QString, count);
        QCOMPARE(denpyos::listStatement(where, meisaiWhere, order), list);
        QCOMPARE(denpyos::countStatement(where, meisaiWhere, order), count);
    }

    void lineConditionListsEachSlipOnce_data()
    {
        QTest::addColumn<QString>("where");
        QTest::addColumn<QString>("meisaiWhere");
        QTest::addColumn<QList<int>>("expected");
        QTest::newRow("no condition lists slips without lines")
            << "" << "" << QList<int>{1, 2, 3, 4};
        QTest::newRow("three matching lines, listed once")
            << "" << "明細テーブル.品名 LIKE 'ボルト%'" << QList<int>{1, 3};
        QTest::newRow("both conditions")
            << "伝票テーブル.伝票番号 > 1" << "明細テーブル.品名 LIKE 'ボルト%'" << QList<int>{3};
        QTest::newRow("nothing matches") << "伝票番号 > 100" << "" << QList<int>{};
        QTest::newRow("quote in a value")
            << "" << "明細テーブル.品名 = 'O''Reilly''s'" << QList<int>{4};
    }
    void lineConditionListsEachSlipOnce()
    {
        QFETCH(QString, where);
        QFETCH(QString, meisaiWhere);
        QFETCH(QList<int>, expected);
        slip(1);
        line(1, 1, QStringLiteral("ボルト M8"));
        line(1, 2, QStringLiteral("ボルト M10"));
        line(1, 3, QStringLiteral("ボルト M12"));
        slip(2); // no lines
        slip(3);
        line(3, 1, QStringLiteral("ナット"));
        line(3, 2, QStringLiteral("ボルト"));
        slip(4);
        line(4, 1, QStringLiteral("O''Reilly''s"));

        const QString order = QStringLiteral("伝票テーブル.伝票番号");
        denpyos list;
        QCOMPARE(list.CountCheck(where, meisaiWhere, order), expected.size());
        list.Load(where, meisaiWhere, order);
        QCOMPARE(ids(list), expected);
        // A second load appends rather than replaces.
        list.Load(where, meisaiWhere, order);
        QCOMPARE(list.Count(), expected.size() * 2);
        QCOMPARE(list.CountCheck(where, meisaiWhere, order), expected.size());
    }

    void rowsCarryTheListedColumns()
    {
        slip(1, QStringLiteral(", 顧客部門, 顧客郵便, 見積もり, 見積もり日付, 受注, 請求, 請求日付, 作成日付, 更新日付"),
             QStringLiteral(", '営業部', '100-0001', 0, '2024/03/01', -1, 1, '2024/05/10', '2024/03/01 08:09:10', ''"));
        exec(QStringLiteral("INSERT INTO 伝票テーブル (伝票番号, 納期, 顧客ID, 合計消費税込み) VALUES (2, NULL, '', 0)"));
        denpyos list;
        list.Load(QString(), QString(), QStringLiteral("伝票番号"));
        QCOMPARE(list.Count(), 2);
        const DenpyoDisplay &a = list.Item(1);
        QCOMPARE(a.DenpyoID(), 1);
        QCOMPARE(a.CustomerID(), QStringLiteral("C1"));
        QCOMPARE(a.Nouki(), QDateTime(QDate(2024, 4, 1), QTime(0, 0)));
        QCOMPARE(a.CustomerName(), QStringLiteral("顧客1"));
        QCOMPARE(a.CustomerBumon(), QStringLiteral("営業部"));
        QCOMPARE(a.CustomerPostNumber(), QString()); // not part of a listing
        QCOMPARE(a.SummeryWithShouhizei(), 1000);
        QCOMPARE(a.Mitsumori(), false);
        QCOMPARE(a.MitsumoriDate(), QDateTime(QDate(2024, 3, 1), QTime(0, 0)));
        QCOMPARE(a.Juchu(), true); // a yes/no column may hold -1
        QCOMPARE(a.JuchuDate(), zeroDate());
        QCOMPARE(a.Seikyu(), true);
        QCOMPARE(a.SeikyuDate(), QDateTime(QDate(2024, 5, 10), QTime(0, 0)));
        QCOMPARE(a.InsertDate(), QDateTime(QDate(2024, 3, 1), QTime(8, 9, 10)));
        QCOMPARE(a.ModifyDate(), zeroDate());
        const DenpyoDisplay &b = list.Item(2);
        QCOMPARE(b.Nouki(), zeroDate());
        QCOMPARE(b.CustomerID(), QString());
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, list.Item(3));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, list.Item(0));
    }

    // Every listed row holds what the slip's own record reads from the same
    // row: repeated customers and days, times of one day, blank and Null
    // values, and days on which the clock changes.
    void listedRowsMatchTheirRecords_data()
    {
        QTest::addColumn<QByteArray>("zone");
        QTest::newRow("zone without clock changes") << QByteArray("UTC");
        QTest::newRow("zone with clock changes") << QByteArray("Europe/Berlin");
    }
    void listedRowsMatchTheirRecords()
    {
        QFETCH(QByteArray, zone);
        if (!QFileInfo::exists(QStringLiteral("/usr/share/zoneinfo/") + QString::fromLatin1(zone)))
            QSKIP("zone file not installed");
        const QByteArray oldZone = qgetenv("TZ");
        qputenv("TZ", zone);
        tzset();
        const auto restore = qScopeGuard([&] {
            qputenv("TZ", oldZone);
            tzset();
        });
        const QStringList names{QStringLiteral("株式会社山田商店"), QStringLiteral("佐藤"), QString(), QStringLiteral("O'Reilly")};
        const QStringList days{QStringLiteral("2024/03/31"), QStringLiteral("2024/10/27"), QStringLiteral("2024/02/29"),
                               QStringLiteral("2023/12/31"), QStringLiteral("2024/01/01")};
        const QStringList times{QStringLiteral("00:00:00"), QStringLiteral("02:30:00"), QStringLiteral("09:08:07"),
                                QStringLiteral("23:59:59")};
        db::Statement insert = connection().prepare(QStringLiteral(
            "INSERT INTO 伝票テーブル (伝票番号, 納期, 顧客ID, 顧客名, 顧客部門, 合計消費税込み, 見積もり, 見積もり日付, "
            "受注, 受注日付, 納品, 納品日付, 請求, 請求日付, 入金, 入金日付, 作成日付, 更新日付, 値引率, 値引金額, 合計, "
            "消費税) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 0, 0, 0, 0)"));
        const int slips = 60;
        for (int id = 1; id <= slips; ++id) {
            const QString day = days[id % days.size()];
            insert.reset();
            insert.bindInt(1, id);
            recordfields::bindTextOrNull(insert, 2, id % 7 ? day : QString());
            recordfields::bindTextOrNull(insert, 3, QStringLiteral("C%1").arg(id % 3));
            recordfields::bindTextOrNull(insert, 4, names[id % names.size()]);
            if (id % 5)
                insert.bindNull(5);
            else
                insert.bindText(5, QString()); // empty text, not Null
            insert.bindInt(6, id * 1000 - 7);
            for (int s = 0; s < 5; ++s) {
                const bool on = (id >> s) & 1;
                insert.bindInt(7 + 2 * s, on ? 1 : 0);
                recordfields::bindTextOrNull(insert, 8 + 2 * s, on || s == 4 ? days[(id + s) % days.size()] : QString());
            }
            insert.bindText(17, day + QLatin1Char(' ') + times[id % times.size()]);
            recordfields::bindTextOrNull(insert, 18, id % 2 ? days[(id + 1) % days.size()] + QStringLiteral(" 02:30:00")
                                                            : QString());
            insert.exec();
        }
        denpyos list;
        list.Load(QString(), QString(), QStringLiteral("伝票テーブル.伝票番号"));
        QCOMPARE(list.Count(), slips);
        const auto same = [](const QDateTime &a, const QDateTime &b) {
            return a.date() == b.date() && a.time() == b.time() && a.toMSecsSinceEpoch() == b.toMSecsSinceEpoch()
                   && a.timeSpec() == b.timeSpec();
        };
        for (int i = 1; i <= slips; ++i) {
            const DenpyoDisplay &row = list.Item(i);
            QCOMPARE(row.DenpyoID(), i);
            Denpyo record;
            QVERIFY(record.Load(i));
            QCOMPARE(row.CustomerID(), record.CustomerID());
            QCOMPARE(row.CustomerName(), record.CustomerName());
            QCOMPARE(row.CustomerBumon(), record.CustomerBumon());
            QCOMPARE(row.SummeryWithShouhizei(), record.SummeryWithShouhizei());
            const std::pair<QDateTime, QDateTime> dates[] = {
                {row.Nouki(), record.Nouki()},           {row.MitsumoriDate(), record.MitsumoriDate()},
                {row.JuchuDate(), record.JuchuDate()},   {row.NouhinDate(), record.NouhinDate()},
                {row.SeikyuDate(), record.SeikyuDate()}, {row.NyukinDate(), record.NyukinDate()},
                {row.InsertDate(), record.InsertDate()}, {row.ModifyDate(), record.ModifyDate()}};
            for (const auto &[listed, read] : dates)
                QVERIFY2(same(listed, read), qPrintable(QStringLiteral("slip %1: %2 / %3").arg(i).arg(
                                                 listed.toString(Qt::ISODate), read.toString(Qt::ISODate))));
            const bool flags[] = {row.Mitsumori(), row.Juchu(), row.Nouhin(), row.Seikyu(), row.Nyukin()};
            const bool recordFlags[] = {record.Mitsumori(), record.Juchu(), record.Nouhin(), record.Seikyu(),
                                        record.Nyukin()};
            for (int s = 0; s < 5; ++s)
                QCOMPARE(flags[s], recordFlags[s]);
        }
        // A few values spelled out.
        QCOMPARE(list.Item(4).CustomerName(), names[0]);
        QCOMPARE(list.Item(4).CustomerID(), QStringLiteral("C1"));
        QCOMPARE(list.Item(7).Nouki(), zeroDate());
        QCOMPARE(list.Item(2).InsertDate(), QDateTime(QDate(2024, 2, 29), QTime(9, 8, 7)));
        QCOMPARE(list.Item(3).InsertDate().time(), QTime(23, 59, 59));
        QCOMPARE(list.Item(2).ModifyDate(), zeroDate());
    }

    void errorsReachTheCaller_data()
    {
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QString>("order");
        QTest::addColumn<QString>("named");
        QTest::newRow("empty order") << "" << "" << "";
        QTest::newRow("amount beyond 32 bits")
            << "UPDATE 伝票テーブル SET 合計消費税込み = 2147483648 WHERE 伝票番号 = 2" << "伝票番号" << "合計消費税込み";
        QTest::newRow("text in a flag")
            << "UPDATE 伝票テーブル SET 納品 = 'yes' WHERE 伝票番号 = 2" << "伝票番号" << "納品";
        QTest::newRow("date that is no date")
            << "UPDATE 伝票テーブル SET 入金日付 = 'soon' WHERE 伝票番号 = 2" << "伝票番号" << "入金日付";
        QTest::newRow("day that does not exist")
            << "UPDATE 伝票テーブル SET 納期 = '2024/02/30' WHERE 伝票番号 = 2" << "伝票番号" << "納期";
    }
    void errorsReachTheCaller()
    {
        QFETCH(QString, edit);
        QFETCH(QString, order);
        QFETCH(QString, named);
        slip(1);
        slip(2);
        if (!edit.isEmpty())
            exec(edit);
        denpyos list;
        try {
            list.Load(QString(), QString(), order);
            QFAIL("loaded");
        } catch (const DbError &e) {
            QVERIFY2(e.description().contains(named), qPrintable(e.description()));
        }
        // Rows read before the failure stay.
        QCOMPARE(list.Count(), order.isEmpty() ? 0 : 1);
        QVERIFY_THROWS_EXCEPTION(DbError, list.CountCheck(QStringLiteral("no_such_column = 1"), QString(),
                                                          QStringLiteral("伝票番号")));
    }
};

QTEST_GUILESS_MAIN(tst_denpyos)
#include "tst_denpyos.moc"
