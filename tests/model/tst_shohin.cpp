#include "core/Globals.h"
#include "model/Shohin.h"
#include "TestSupport.h"

#include <QtTest>
#include <memory>
#include <optional>

using db::DbError;

namespace {

QVariant scalar(const QString &sql)
{
    return connection().scalar(sql);
}

} // namespace

class tst_Shohin : public QObject {
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

    void everyFieldRoundTrips()
    {
        Shohin s;
        s.setShohinID(QStringLiteral("B'8"));
        s.setNumber(QStringLiteral("M8-30"));
        s.setName(QStringLiteral("六角ボルト"));
        s.setMaker(QStringLiteral("山田製作所"));
        s.setTanka(12.5);
        s.setTanni(QStringLiteral("本\r\n"));
        s.setMemo(QStringLiteral("ステンレス\r\n長さ30mm  "));
        QVERIFY(s.Apply());

        Shohin r;
        QVERIFY(r.Load(QStringLiteral("b'8")));
        QCOMPARE(r.ShohinID(), QStringLiteral("B'8"));
        QCOMPARE(r.Number(), s.Number());
        QCOMPARE(r.Name(), s.Name());
        QCOMPARE(r.Maker(), s.Maker());
        QCOMPARE(r.Tanka(), 12.5);
        QCOMPARE(r.Tanni(), QStringLiteral("本"));
        QCOMPARE(r.Memo(), QStringLiteral("ステンレス\r\n長さ30mm"));

        r.setMaker(QString());
        r.setTanka(0);
        QVERIFY(r.Apply());
        QVERIFY(scalar(QStringLiteral("SELECT 製造元 IS NULL AND 単価 = 0 FROM 商品テーブル")).toBool());
        Shohin again;
        QVERIFY(again.Load(QStringLiteral("B'8")));
        QCOMPARE(again.Maker(), QString());
    }

    void refusals_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty key") << 0 << QStringLiteral("商品IDが設定されていません。");
        QTest::newRow("new record, key taken") << 1 << QStringLiteral("この商品は既に存在します。");
        QTest::newRow("loaded record, row gone") << 2 << QStringLiteral("この商品は存在しません。");
    }
    void refusals()
    {
        QFETCH(int, kind);
        QFETCH(QString, message);
        Shohin stored;
        stored.setShohinID(QStringLiteral("P1"));
        stored.setName(QStringLiteral("元の品"));
        QVERIFY(stored.Apply());

        Shohin s;
        if (kind == 1) {
            s.setShohinID(QStringLiteral("P1"));
        } else if (kind == 2) {
            QVERIFY(s.Load(QStringLiteral("P1")));
            connection().exec(QStringLiteral("DELETE FROM 商品テーブル"));
        }
        s.setName(QStringLiteral("別の品"));
        QVERIFY(!s.Apply());
        QCOMPARE(s.ErrorMessage(), message);
        if (kind < 2)
            QCOMPARE(scalar(QStringLiteral("SELECT group_concat(品名) FROM 商品テーブル")).toString(), QStringLiteral("元の品"));
    }

    void deleteAndMissingRows()
    {
        Shohin s;
        s.setShohinID(QStringLiteral("P2"));
        QVERIFY(s.Apply());
        QVERIFY(s.Delete());
        QCOMPARE(s.ShohinID(), QString());
        QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM 商品テーブル")).toInt(), 0);

        Shohin missing;
        QVERIFY(!missing.Load(QStringLiteral("P2")));
        QCOMPARE(missing.Tanka(), 0.0);
        QVERIFY(!missing.Delete());
        QCOMPARE(missing.ErrorMessage(), QStringLiteral("商品IDが設定されていません。"));
        missing.setShohinID(QStringLiteral("P2"));
        QVERIFY_THROWS_EXCEPTION(DbError, missing.Delete());
    }

    void nullPriceIsAnError()
    {
        connection().exec(QStringLiteral("INSERT INTO 商品テーブル (商品ID, 単価) VALUES ('N', NULL)"));
        Shohin s;
        try {
            s.Load(QStringLiteral("N"));
            QFAIL("the value was read");
        } catch (const DbError &e) {
            QVERIFY(e.description().contains(QStringLiteral("単価")));
        }
    }
};

QTEST_GUILESS_MAIN(tst_Shohin)
#include "tst_shohin.moc"
