#include "core/Globals.h"
#include "model/Customers.h"
#include "model/Shohins.h"
#include "TestSupport.h"

#include <QtTest>
#include <memory>
#include <optional>

using db::DbError;

class tst_MasterLists : public QObject {
    Q_OBJECT

private:
    std::optional<testsupport::OpenedProgramFolder> m_folder;

    static void exec(const QString &sql) { connection().exec(sql); }

private slots:
    void init()
    {
        m_folder.emplace();
        exec(QStringLiteral("INSERT INTO 顧客テーブル (顧客ID, 顧客名漢字, 部門, 値引率, メモ, 月締め請求) VALUES "
                            "('C2', '佐藤商事  ', NULL, 0, '一行目\r\n二行目', -1), "
                            "('C1', '山田商店', '営業部', 5, NULL, 0), "
                            "('C3', 'O''Brien', '', 10, NULL, 1)"));
        exec(QStringLiteral("INSERT INTO 商品テーブル (商品ID, 品名, 単価, 説明) VALUES "
                            "('P2', 'ナット', 12.5, ' 説明 '), ('P1', 'ボルト', 0, NULL)"));
    }
    void cleanup()
    {
        m_folder.reset();
    }

    void statementTexts_data()
    {
        QTest::addColumn<QString>("where");
        QTest::addColumn<QString>("order");
        QTest::addColumn<QString>("customers");
        QTest::addColumn<QString>("shohins");
        QTest::newRow("all rows")
            << "" << "" << "SELECT * FROM 顧客テーブル  ORDER BY 顧客ID;" << "SELECT * FROM 商品テーブル  ORDER BY 商品ID;";
        QTest::newRow("condition trimmed, order as given")
            << " 月締め請求 = TRUE  " << "顧客名かな, 顧客ID"
            << "SELECT * FROM 顧客テーブル  WHERE 月締め請求 = TRUE ORDER BY 顧客名かな, 顧客ID;"
            << "SELECT * FROM 商品テーブル  WHERE 月締め請求 = TRUE ORDER BY 商品ID;";
    }
    void statementTexts()
    {
        QFETCH(QString, where);
        QFETCH(QString, order);
        QFETCH(QString, customers);
        QFETCH(QString, shohins);
        QCOMPARE(Customers::listStatement(where, order), customers);
        QCOMPARE(Shohins::listStatement(where), shohins);
    }

    void customersLoad()
    {
        Customers list;
        list.Load(QString(), QString());
        QCOMPARE(list.Count(), 3);
        QStringList ids;
        for (const CustomerDisplay &row : list)
            ids << row.CustomerID();
        QCOMPARE(ids, (QStringList{QStringLiteral("C1"), QStringLiteral("C2"), QStringLiteral("C3")}));
        const CustomerDisplay &c2 = list.Item(2);
        QCOMPARE(c2.NameKnj(), QStringLiteral("佐藤商事"));
        QCOMPARE(c2.Bumon(), QString());
        QCOMPARE(c2.Memo(), QStringLiteral("一行目\r\n二行目"));
        QCOMPARE(c2.TsukiSeikyu(), true);
        QCOMPARE(list.Item(1).NebikiRitsu(), qint16(5));
        QCOMPARE(list.Item(3).NameKnj(), QStringLiteral("O'Brien"));

        Customers monthly;
        monthly.Load(QStringLiteral("月締め請求 = TRUE"), QStringLiteral("顧客ID DESC"));
        QCOMPARE(monthly.Count(), 1);
        QCOMPARE(monthly.Item(1).CustomerID(), QStringLiteral("C3")); // -1 is not TRUE to the engine
        monthly.Load(QStringLiteral("月締め請求 <> FALSE"), QStringLiteral("顧客ID DESC"));
        QCOMPARE(monthly.Count(), 3);
        QCOMPARE(monthly.Item(3).CustomerID(), QStringLiteral("C2"));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, monthly.Item(4));

        Customers none;
        none.Load(QStringLiteral("顧客ID = 'ZZZ'"), QString());
        QCOMPARE(none.Count(), 0);
    }

    void shohinsLoad()
    {
        Shohins list;
        list.Load(QString());
        QCOMPARE(list.Count(), 2);
        QCOMPARE(list.Item(1).ShohinID(), QStringLiteral("P1"));
        QCOMPARE(list.Item(1).Memo(), QString());
        QCOMPARE(list.Item(2).Tanka(), 12.5);
        QCOMPARE(list.Item(2).Memo(), QStringLiteral(" 説明"));
        list.Load(QStringLiteral("品名 = 'ボルト'"));
        QCOMPARE(list.Count(), 3);
        QCOMPARE(list.Item(3).Name(), QStringLiteral("ボルト"));
    }

    void loadErrors()
    {
        exec(QStringLiteral("UPDATE 顧客テーブル SET 値引率 = NULL WHERE 顧客ID = 'C2'"));
        Customers list;
        try {
            list.Load(QString(), QString());
            QFAIL("loaded");
        } catch (const DbError &e) {
            QVERIFY(e.description().contains(QStringLiteral("値引率")));
        }
        QCOMPARE(list.Count(), 1); // rows read before the error stay
        Shohins bad;
        QVERIFY_THROWS_EXCEPTION(DbError, bad.Load(QStringLiteral("no_such_column = 1")));
    }
};

QTEST_GUILESS_MAIN(tst_MasterLists)
#include "tst_masterlists.moc"
