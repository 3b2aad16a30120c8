#include "core/Globals.h"
#include "model/Customer.h"
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

void fill(Customer &c, const QString &id)
{
    c.setCustomerID(id);
    c.setNameKana(QStringLiteral("やまだしょうてん"));
    c.setNameKnj(QStringLiteral("山田商店"));
    c.setBumon(QStringLiteral("営業部"));
    c.setPostNumber(QStringLiteral("100-0001"));
    c.setAddress1(QStringLiteral("東京都千代田区千代田１－１"));
    c.setAddress2(QStringLiteral("第二ビル"));
    c.setPhone(QStringLiteral("03-1234-5678"));
    c.setFax(QString());
    c.setNebikiRitsu(-32768);
    c.setMemo(QStringLiteral(" 月末に電話\r\n担当：佐藤  "));
    c.setTsukiSeikyu(true);
    c.setShimeBi(QStringLiteral("月末締め"));
    c.setSeikyushoForm(QStringLiteral("標準"));
}

} // namespace

class tst_Customer : public QObject {
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
        Customer c;
        fill(c, QStringLiteral("O'BRIEN"));
        QVERIFY(c.Apply());
        QVERIFY(scalar(QStringLiteral("SELECT FAX番号 IS NULL AND 月締め請求 = 1 FROM 顧客テーブル")).toBool());

        Customer r;
        QVERIFY(r.Load(QStringLiteral("O'BRIEN")));
        QCOMPARE(r.CustomerID(), QStringLiteral("O'BRIEN"));
        QCOMPARE(r.NameKana(), c.NameKana());
        QCOMPARE(r.NameKnj(), c.NameKnj());
        QCOMPARE(r.Bumon(), c.Bumon());
        QCOMPARE(r.PostNumber(), c.PostNumber());
        QCOMPARE(r.Address1(), c.Address1());
        QCOMPARE(r.Address2(), c.Address2());
        QCOMPARE(r.Phone(), c.Phone());
        QCOMPARE(r.Fax(), QString());
        QCOMPARE(r.NebikiRitsu(), qint16(-32768));
        QCOMPARE(r.Memo(), QStringLiteral(" 月末に電話\r\n担当：佐藤"));
        QCOMPARE(r.TsukiSeikyu(), true);
        QCOMPARE(r.ShimeBi(), c.ShimeBi());
        QCOMPARE(r.SeikyushoForm(), c.SeikyushoForm());

        // Emptying a field of the loaded customer writes Null; zero stays 0.
        r.setBumon(QString());
        r.setNebikiRitsu(0);
        r.setTsukiSeikyu(false);
        QVERIFY(r.Apply());
        QVERIFY(scalar(QStringLiteral(
            "SELECT 部門 IS NULL AND 値引率 = 0 AND 月締め請求 = 0 FROM 顧客テーブル")).toBool());
        QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM 顧客テーブル")).toInt(), 1);
    }

    void readingDropsTrailingBlanksAndAcceptsYesNo()
    {
        connection().exec(QStringLiteral(
            "INSERT INTO 顧客テーブル (顧客ID, 顧客名漢字, 部門, 値引率, 月締め請求) "
            "VALUES ('A1', '山田  ', '', 5, -1)"));
        Customer c;
        QVERIFY(c.Load(QStringLiteral("a1"))); // keys compare without case
        QCOMPARE(c.NameKnj(), QStringLiteral("山田"));
        QCOMPARE(c.Bumon(), QString());
        QCOMPARE(c.TsukiSeikyu(), true);
        QCOMPARE(c.NebikiRitsu(), qint16(5));
    }

    void assignmentRules()
    {
        Customer c;
        c.setNameKnj(QStringLiteral(" 山田\r\n商店 "));
        QCOMPARE(c.NameKnj(), QStringLiteral("山田商店"));
        c.setMemo(QStringLiteral(" 山田\r\n商店 "));
        QCOMPARE(c.Memo(), QStringLiteral(" 山田\r\n商店"));
        c.setCustomerID(QStringLiteral(" \r\n "));
        QCOMPARE(c.CustomerID(), QString());
    }

    void refusals_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty key") << 0 << QStringLiteral("顧客IDが設定されていません。");
        QTest::newRow("new record, key taken") << 1 << QStringLiteral("この顧客は既に存在します。");
        QTest::newRow("loaded record, row gone") << 2 << QStringLiteral("この顧客は存在しません。");
        QTest::newRow("deleted record, other key") << 3 << QStringLiteral("この顧客は存在しません。");
    }
    void refusals()
    {
        QFETCH(int, kind);
        QFETCH(QString, message);
        Customer stored;
        fill(stored, QStringLiteral("K1"));
        QVERIFY(stored.Apply());
        const QString before = scalar(QStringLiteral("SELECT group_concat(顧客名漢字 || 値引率) FROM 顧客テーブル")).toString();

        Customer c;
        if (kind == 1) {
            c.setCustomerID(QStringLiteral("k1"));
        } else if (kind == 2) {
            QVERIFY(c.Load(QStringLiteral("K1")));
            connection().exec(QStringLiteral("DELETE FROM 顧客テーブル"));
        } else if (kind == 3) {
            QVERIFY(c.Load(QStringLiteral("K1")));
            QVERIFY(c.Delete());
            QCOMPARE(c.CustomerID(), QString());
            c.setCustomerID(QStringLiteral("K2"));
        }
        c.setNameKnj(QStringLiteral("別の顧客"));
        QVERIFY(!c.Apply());
        QCOMPARE(c.ErrorMessage(), message);
        if (kind < 2)
            QCOMPARE(scalar(QStringLiteral("SELECT group_concat(顧客名漢字 || 値引率) FROM 顧客テーブル")).toString(), before);
        else
            QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM 顧客テーブル")).toInt(), 0);
    }

    // Deleted, the record is empty and no longer new: a key assigned again
    // updates that key's row.
    void applyAfterDeleteUpdates()
    {
        Customer a, b;
        fill(a, QStringLiteral("K1"));
        fill(b, QStringLiteral("K2"));
        QVERIFY(a.Apply());
        QVERIFY(b.Apply());
        QVERIFY(a.Delete());
        QCOMPARE(a.NameKnj(), QString());
        a.setCustomerID(QStringLiteral("K2"));
        a.setNameKnj(QStringLiteral("更新後"));
        QVERIFY(a.Apply());
        QCOMPARE(scalar(QStringLiteral("SELECT group_concat(顧客ID || ':' || ifnull(顧客名漢字, '-')) FROM 顧客テーブル"))
                     .toString(),
                 QStringLiteral("K2:更新後"));
    }

    void loadOfMissingKey()
    {
        Customer c;
        fill(c, QStringLiteral("X"));
        QVERIFY(!c.Load(QStringLiteral("NONE")));
        QCOMPARE(c.CustomerID(), QString());
        QCOMPARE(c.NameKnj(), QString());
        QCOMPARE(c.NebikiRitsu(), qint16(0));
        QCOMPARE(c.TsukiSeikyu(), false);
        QCOMPARE(c.ErrorMessage(), QString());
        // Still new: the next Apply inserts.
        c.setCustomerID(QStringLiteral("NEW"));
        QVERIFY(c.Apply());
        // Delete after a failed load is refused before the table is touched.
        Customer d;
        QVERIFY(!d.Load(QStringLiteral("NONE")));
        QVERIFY(!d.Delete());
        QCOMPARE(d.ErrorMessage(), QStringLiteral("顧客IDが設定されていません。"));
    }

    void deleteOfAMissingRowIsAnError()
    {
        Customer c;
        c.setCustomerID(QStringLiteral("GHOST"));
        QVERIFY_THROWS_EXCEPTION(DbError, c.Delete());
        QCOMPARE(c.CustomerID(), QStringLiteral("GHOST"));
    }

    void storedValueThatDoesNotFit_data()
    {
        QTest::addColumn<QString>("values");
        QTest::addColumn<QString>("column");
        QTest::newRow("rate beyond 16 bits") << "40000, 0" << "値引率";
        QTest::newRow("null rate") << "NULL, 0" << "値引率";
        QTest::newRow("text flag") << "0, 'yes'" << "月締め請求";
    }
    void storedValueThatDoesNotFit()
    {
        QFETCH(QString, values);
        QFETCH(QString, column);
        connection().exec(QStringLiteral("INSERT INTO 顧客テーブル (顧客ID, 値引率, 月締め請求) VALUES ('B', %1)").arg(values));
        Customer c;
        try {
            c.Load(QStringLiteral("B"));
            QFAIL("the value was read");
        } catch (const DbError &e) {
            QVERIFY2(e.description().contains(column), qPrintable(e.description()));
        }
    }
};

QTEST_GUILESS_MAIN(tst_Customer)
#include "tst_customer.moc"
