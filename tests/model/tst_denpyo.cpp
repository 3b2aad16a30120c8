#include "core/DateValue.h"
#include "core/Globals.h"
#include "model/Denpyo.h"
#include "model/DenpyoReader.h"
#include "platform/db/ReadTransaction.h"
#include "TestSupport.h"

#include <QtTest>
#include <memory>
#include <optional>

using db::DbError;

namespace {

QDateTime at(int y, int m, int d, int hh = 0, int mm = 0, int ss = 0)
{
    return QDateTime(QDate(y, m, d), QTime(hh, mm, ss));
}

QVariant scalar(const QString &sql)
{
    return connection().scalar(sql);
}

qint64 counter()
{
    return scalar(QStringLiteral(
        "SELECT 数値型データ FROM 基本情報テーブル WHERE 基本情報ID = 'CurrentDenpyoID'")).toLongLong();
}

// Everything stored for one slip, to compare before and after a failed save.
QString snapshot(qint32 id)
{
    QString out;
    for (const QString &table : {QStringLiteral("伝票テーブル"), QStringLiteral("明細テーブル")}) {
        db::Statement st = connection().prepare(
            QStringLiteral("SELECT * FROM %1 WHERE 伝票番号 = ? ORDER BY rowid").arg(table));
        st.bindInt(1, id);
        while (st.step()) {
            for (int i = 0; i < st.columnCount(); ++i)
                out += st.value(i).toString() + (st.isNull(i) ? QStringLiteral("<null>|") : QStringLiteral("|"));
            out += QLatin1Char('\n');
        }
    }
    return out + QString::number(counter());
}

void addLine(Denpyo &d, const QString &name, qint32 kingaku)
{
    Meisai &m = d.Meisais().Add();
    m.setItemName(name);
    m.setItemKingaku(kingaku);
}

// A stored slip with three lines; the counter then holds its number.
void storeSlip(qint32 id, int lines = 3)
{
    Denpyo d;
    d.setDenpyoID(id);
    d.setCustomerName(QStringLiteral("山田商店"));
    for (int i = 1; i <= lines; ++i)
        addLine(d, QStringLiteral("品%1").arg(i), i * 100);
    QVERIFY(d.Apply());
}

// Every slip column as the record holds it, for comparing two reads.
QString fields(const Denpyo &d)
{
    const auto date = [](const QDateTime &v) { return v.toString(Qt::ISODate) + QLatin1Char('@') + QString::number(v.toMSecsSinceEpoch()); };
    return QStringList{QString::number(d.DenpyoID()), date(d.Nouki()), d.CustomerID(), d.CustomerPostNumber(),
                       d.CustomerAddress1(), d.CustomerAddress2(), d.CustomerName(), d.CustomerBumon(),
                       d.CustomerTelephone(), d.CustomerFax(), QString::number(d.Summery()),
                       date(d.MitsumoriDate()), date(d.JuchuDate()), date(d.NouhinDate()), date(d.SeikyuDate()),
                       date(d.NyukinDate()), d.Bumon(), d.Tanto(), d.Memo(), date(d.InsertDate()),
                       date(d.ModifyDate()), QString::number(d.Meisais().Count())}
        .join(QLatin1Char('|'));
}

} // namespace

class tst_Denpyo : public QObject {
    Q_OBJECT

private:
    std::optional<testsupport::OpenedProgramFolder> m_folder;

private slots:
    void init()
    {
        setFixedNow(at(2024, 4, 1, 9, 30, 15));
        m_folder.emplace();
    }
    void cleanup()
    {
        m_folder.reset();
        setFixedNow(QDateTime());
    }

    void everyFieldRoundTrips()
    {
        Denpyo d;
        d.setDenpyoID(2147483647);
        d.setCustomerID(QStringLiteral("C'001"));
        d.setNouki(at(2024, 5, 31));
        d.setCustomerPostNumber(QStringLiteral("100-0001"));
        d.setCustomerAddress1(QStringLiteral("東京都千代田区千代田１－１"));
        d.setCustomerAddress2(QStringLiteral("第二ビル ５階"));
        d.setCustomerName(QStringLiteral("株式会社 山田's 商店"));
        d.setCustomerBumon(QStringLiteral("営業部"));
        d.setCustomerTelephone(QStringLiteral("03-1234-5678"));
        d.setCustomerFax(QString());
        d.setMeisaiSum(-2147483647 - 1);
        d.setNebikiRitsuOn(true);
        d.setNebikiRitsu(-32768);
        d.setNebikiKingaku(1234);
        d.setSummery(98765);
        d.setShouhizeiIn(true);
        d.setShouhizei(9876);
        d.setSummeryWithShouhizei(108641);
        d.setMitsumori(true);
        d.setMitsumoriDate(at(2024, 1, 2));
        d.setJuchu(false);
        d.setJuchuDate(at(2024, 1, 3));
        d.setNouhin(true);
        d.setNouhinDate(zeroDate());
        d.setSeikyu(true);
        d.setSeikyuDate(at(2024, 12, 31));
        d.setNyukin(false);
        d.setBumon(QStringLiteral("第一課"));
        d.setTanto(QStringLiteral("佐藤"));
        d.setMemo(QStringLiteral("  一行目\r\n二行目 'x'   "));
        d.setModifyDate(zeroDate());
        addLine(d, QStringLiteral("ボルト M8"), 500);
        Meisai &m = d.Meisais().Add();
        m.setItemID(QStringLiteral("S'01"));
        m.setItemNumber(QStringLiteral("AB-12"));
        m.setItemName(QStringLiteral("ナット"));
        m.setItemTanka(12.5);
        m.setItemSuryo(-0.25);
        m.setItemTanni(QStringLiteral("個"));
        m.setItemKingaku(-3);
        m.setItemBikou(QStringLiteral("至急"));
        d.Meisais().Add(); // a blank line is stored too
        QVERIFY(d.Apply());
        QCOMPARE(d.InsertDate(), at(2024, 4, 1, 9, 30, 15));

        // The encodings as stored.
        db::Statement st = connection().prepare(QStringLiteral("SELECT * FROM 伝票テーブル"));
        QVERIFY(st.step());
        QCOMPARE(st.text(QStringLiteral("納期")), QStringLiteral("2024/05/31"));
        QVERIFY(st.isNull(QStringLiteral("顧客FAX")));
        QCOMPARE(st.int64(QStringLiteral("値引率計算")), 1);
        QCOMPARE(st.text(QStringLiteral("見積もり日付")), QStringLiteral("2024/01/02"));
        QVERIFY(st.isNull(QStringLiteral("受注日付"))); // stage off: its date is not kept
        QCOMPARE(st.text(QStringLiteral("納品日付")), QStringLiteral("1899/12/30"));
        QVERIFY(st.isNull(QStringLiteral("入金日付")));
        QCOMPARE(st.text(QStringLiteral("メモ")), QStringLiteral("  一行目\r\n二行目 'x'"));
        QCOMPARE(st.text(QStringLiteral("作成日付")), QStringLiteral("2024/04/01 09:30:15"));
        QVERIFY(st.isNull(QStringLiteral("更新日付")));
        QCOMPARE(st.int64(QStringLiteral("明細数")), 0);
        QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM 明細テーブル WHERE 品名 IS NULL AND 明細番号 = 3")).toInt(), 1);

        Denpyo r;
        QVERIFY(r.Load(2147483647));
        QCOMPARE(r.DenpyoID(), d.DenpyoID());
        QCOMPARE(r.CustomerID(), d.CustomerID());
        QCOMPARE(r.Nouki(), d.Nouki());
        QCOMPARE(r.CustomerPostNumber(), d.CustomerPostNumber());
        QCOMPARE(r.CustomerAddress1(), d.CustomerAddress1());
        QCOMPARE(r.CustomerAddress2(), d.CustomerAddress2());
        QCOMPARE(r.CustomerName(), d.CustomerName());
        QCOMPARE(r.CustomerBumon(), d.CustomerBumon());
        QCOMPARE(r.CustomerTelephone(), d.CustomerTelephone());
        QCOMPARE(r.CustomerFax(), QString());
        QCOMPARE(r.MeisaiSum(), d.MeisaiSum());
        QCOMPARE(r.NebikiRitsuOn(), true);
        QCOMPARE(r.NebikiRitsu(), d.NebikiRitsu());
        QCOMPARE(r.NebikiKingaku(), d.NebikiKingaku());
        QCOMPARE(r.Summery(), d.Summery());
        QCOMPARE(r.ShouhizeiIn(), true);
        QCOMPARE(r.Shouhizei(), d.Shouhizei());
        QCOMPARE(r.SummeryWithShouhizei(), d.SummeryWithShouhizei());
        QCOMPARE(r.Mitsumori(), true);
        QCOMPARE(r.MitsumoriDate(), at(2024, 1, 2));
        QCOMPARE(r.Juchu(), false);
        QCOMPARE(r.JuchuDate(), zeroDate());
        QCOMPARE(r.Nouhin(), true);
        QCOMPARE(r.NouhinDate(), zeroDate());
        QCOMPARE(r.Seikyu(), true);
        QCOMPARE(r.SeikyuDate(), at(2024, 12, 31));
        QCOMPARE(r.Nyukin(), false);
        QCOMPARE(r.NyukinDate(), zeroDate());
        QCOMPARE(r.Bumon(), d.Bumon());
        QCOMPARE(r.Tanto(), d.Tanto());
        QCOMPARE(r.Memo(), QStringLiteral("  一行目\r\n二行目 'x'"));
        QCOMPARE(r.InsertDate(), at(2024, 4, 1, 9, 30, 15));
        QCOMPARE(r.ModifyDate(), zeroDate());

        QCOMPARE(r.Meisais().Count(), 3);
        QCOMPARE(r.Meisais().Item(1).ItemName(), QStringLiteral("ボルト M8"));
        const Meisai &l = r.Meisais().Item(2);
        QCOMPARE(l.ItemID(), QStringLiteral("S'01"));
        QCOMPARE(l.ItemNumber(), QStringLiteral("AB-12"));
        QCOMPARE(l.ItemName(), QStringLiteral("ナット"));
        QCOMPARE(l.ItemTanka(), 12.5);
        QCOMPARE(l.ItemSuryo(), -0.25);
        QCOMPARE(l.ItemTanni(), QStringLiteral("個"));
        QCOMPARE(l.ItemKingaku(), -3);
        QCOMPARE(l.ItemBikou(), QStringLiteral("至急"));
        QCOMPARE(r.Meisais().Item(3).ItemName(), QString());
        QCOMPARE(r.Meisais().Item(3).ItemTanka(), 0.0);
    }

    void assignmentRules()
    {
        Denpyo d;
        d.setCustomerName(QStringLiteral("  山田\r\n商店 "));
        QCOMPARE(d.CustomerName(), QStringLiteral("山田商店"));
        d.setMemo(QStringLiteral(" 山田\r\n商店  "));
        QCOMPARE(d.Memo(), QStringLiteral(" 山田\r\n商店"));
        Meisai &m = d.Meisais().Add();
        m.setItemBikou(QStringLiteral(" 至\n急 "));
        QCOMPARE(m.ItemBikou(), QStringLiteral("至急"));
    }

    void secondApplyUpdatesTheSameRow()
    {
        Denpyo d;
        d.setDenpyoID(7);
        QVERIFY(d.Apply());
        setFixedNow(at(2024, 4, 2, 18, 0, 1));
        d.setTanto(QStringLiteral("鈴木"));
        QVERIFY(d.Apply());
        QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM 伝票テーブル")).toInt(), 1);
        QCOMPARE(scalar(QStringLiteral("SELECT 作成日付 || '|' || 更新日付 || '|' || 担当 FROM 伝票テーブル")).toString(),
                 QStringLiteral("2024/04/01 09:30:15|2024/04/02 18:00:01|鈴木"));
    }

    // The time stamps are stored only when their day is a real one: a time
    // of day on the zero date is no date.
    void timeStampsOfTheZeroDay_data()
    {
        QTest::addColumn<QDateTime>("held");
        QTest::addColumn<QString>("stored");
        QTest::newRow("zero day with a time") << at(1899, 12, 30, 23, 59, 59) << "<null>";
        QTest::newRow("first real day") << at(1899, 12, 31) << "1899/12/31 00:00:00";
    }
    void timeStampsOfTheZeroDay()
    {
        QFETCH(QDateTime, held);
        QFETCH(QString, stored);
        const QString sql = QStringLiteral("SELECT ifnull(%1, '<null>') FROM 伝票テーブル");
        // A new slip keeps the update time it holds ...
        Denpyo d;
        d.setDenpyoID(30);
        d.setModifyDate(held);
        QVERIFY(d.Apply());
        QCOMPARE(scalar(sql.arg(QStringLiteral("更新日付"))).toString(), stored);
        // ... and an update rewrites the creation time it holds.
        Denpyo u;
        QVERIFY(u.Load(30));
        u.setInsertDate(held);
        QVERIFY(u.Apply());
        QCOMPARE(scalar(sql.arg(QStringLiteral("作成日付"))).toString(), stored);
    }

    void refusals_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("message");
        QTest::newRow("no number") << 0 << QStringLiteral("伝票番号が設定されていません。");
        QTest::newRow("new slip, number taken") << 1 << QStringLiteral("この伝票は既に存在します。");
        QTest::newRow("loaded slip, row gone") << 2 << QStringLiteral("この伝票は存在しません。");
    }
    void refusals()
    {
        QFETCH(int, kind);
        QFETCH(QString, message);
        storeSlip(5);
        const QString before = snapshot(5);

        Denpyo d;
        if (kind == 1) {
            d.setDenpyoID(5);
        } else if (kind == 2) {
            QVERIFY(d.Load(5));
            connection().exec(QStringLiteral("DELETE FROM 伝票テーブル"));
        }
        addLine(d, QStringLiteral("別の品"), 1);
        QVERIFY(!d.Apply());
        QCOMPARE(d.ErrorMessage(), message);
        QVERIFY(!connection().inTransaction());
        if (kind != 2)
            QCOMPARE(snapshot(5), before);
        else
            QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM 明細テーブル")).toInt(), 3);

        // A refusal leaves nothing open: the next slip saves, and the old
        // message stays.
        Denpyo other;
        other.setDenpyoID(6);
        QVERIFY(other.Apply());
        QVERIFY(!d.Apply());
        QCOMPARE(d.ErrorMessage(), message);
    }

    void counterRisesNeverFalls_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<int>("saved");
        QTest::addColumn<int>("expected");
        const QString set = QStringLiteral(
            "UPDATE 基本情報テーブル SET 数値型データ = %1 WHERE 基本情報ID = 'CurrentDenpyoID'");
        QTest::newRow("lower number leaves it") << set.arg(150) << 120 << 150;
        QTest::newRow("equal number leaves it") << set.arg(150) << 150 << 150;
        QTest::newRow("higher number raises it") << set.arg(150) << 151 << 151;
        QTest::newRow("null counts as lower") << set.arg(QStringLiteral("NULL")) << 3 << 3;
        QTest::newRow("missing row is added")
            << QStringLiteral("DELETE FROM 基本情報テーブル WHERE 基本情報ID = 'CurrentDenpyoID'") << 151 << 151;
    }
    void counterRisesNeverFalls()
    {
        QFETCH(QString, setup);
        QFETCH(int, saved);
        QFETCH(int, expected);
        connection().exec(setup);
        Denpyo d;
        d.setDenpyoID(saved);
        QVERIFY(d.Apply());
        QCOMPARE(counter(), expected);
        QCOMPARE(scalar(QStringLiteral(
            "SELECT COUNT(*) FROM 基本情報テーブル WHERE 基本情報ID = 'CurrentDenpyoID'")).toInt(), 1);
    }

    void linesAreRenumberedFromOne()
    {
        storeSlip(9, 3);
        Denpyo d;
        QVERIFY(d.Load(9));
        d.Meisais().Remove(1);
        QVERIFY(d.Apply());
        db::Statement st = connection().prepare(
            QStringLiteral("SELECT 明細番号, 品名 FROM 明細テーブル WHERE 伝票番号 = 9 ORDER BY 明細番号"));
        QStringList rows;
        while (st.step())
            rows << st.text(0) + QLatin1Char(':') + st.text(1);
        QCOMPARE(rows, (QStringList{QStringLiteral("1:品2"), QStringLiteral("2:品3")}));
    }

    void deletingLinesTakesTheGivenSlip()
    {
        storeSlip(60, 2);
        storeSlip(61, 3);
        Denpyo d;
        QVERIFY(d.Load(60));
        QVERIFY(d.Meisais().Delete(61));
        QCOMPARE(d.Meisais().Count(), 0);
        QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM 明細テーブル WHERE 伝票番号 = 61")).toInt(), 0);
        QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM 明細テーブル WHERE 伝票番号 = 60")).toInt(), 2);
    }

    void slipWithoutLines()
    {
        Denpyo d;
        d.setDenpyoID(3);
        QVERIFY(d.Apply());
        QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM 明細テーブル")).toInt(), 0);
        Denpyo r;
        QVERIFY(r.Load(3));
        QCOMPARE(r.Meisais().Count(), 1);
        QCOMPARE(r.Meisais().Item(1).ItemName(), QString());
    }

    void linesLoadInTheirStoredOrder()
    {
        storeSlip(4, 0);
        connection().exec(QStringLiteral(
            "INSERT INTO 明細テーブル (伝票番号, 明細番号, 品名, 単価, 数量, 金額) VALUES (4, 2, '後', 0, 0, 0)"));
        connection().exec(QStringLiteral(
            "INSERT INTO 明細テーブル (伝票番号, 明細番号, 品名, 単価, 数量, 金額) VALUES (4, 1, '先', 0, 0, 0)"));
        Denpyo d;
        QVERIFY(d.Load(4));
        QCOMPARE(d.Meisais().Count(), 2);
        QCOMPARE(d.Meisais().Item(1).ItemName(), QStringLiteral("先"));
        QCOMPARE(d.Meisais().Item(2).ItemName(), QStringLiteral("後"));
    }

    void loadOfMissingSlip()
    {
        storeSlip(8);
        Denpyo d;
        QVERIFY(d.Load(8));
        const std::shared_ptr<Meisais> earlier = d.MeisaisHandle();
        QVERIFY(!d.Load(99));
        QCOMPARE(d.DenpyoID(), 0);
        QCOMPARE(d.Meisais().Count(), 0);
        QCOMPARE(d.ErrorMessage(), QString());
        QCOMPARE(earlier->Count(), 3); // an earlier handle keeps the old lines
        // The slip stayed "existing": saving a number that has no row is refused.
        d.setDenpyoID(99);
        QVERIFY(!d.Apply());
        QCOMPARE(d.ErrorMessage(), QStringLiteral("この伝票は存在しません。"));
    }

    void linePositionsOutOfRange()
    {
        Denpyo d;
        addLine(d, QStringLiteral("一"), 1);
        for (int index : {0, 2}) {
            QVERIFY_THROWS_EXCEPTION(std::out_of_range, d.Meisais().Item(index));
            QVERIFY_THROWS_EXCEPTION(std::out_of_range, d.Meisais().Remove(index));
        }
        QCOMPARE(d.Meisais().Count(), 1);
        int seen = 0;
        for (Meisai &m : d.Meisais())
            seen += m.ItemKingaku();
        QCOMPARE(seen, 1);
    }

    // A save that fails part way, at any step, leaves the slip, its lines
    // and the counter exactly as they were.
    void failedSaveLeavesNoTrace_data()
    {
        QTest::addColumn<QString>("sabotage");
        QTest::addColumn<bool>("existing");
        const QString trigger = QStringLiteral(
            "CREATE TRIGGER stop_third BEFORE INSERT ON 明細テーブル WHEN NEW.明細番号 = 3 "
            "BEGIN SELECT RAISE(ABORT, 'third line refused'); END");
        QTest::newRow("third line insert aborts, update") << trigger << true;
        QTest::newRow("third line insert aborts, new slip") << trigger << false;
        QTest::newRow("counter update aborts") << QStringLiteral(
            "CREATE TRIGGER stop_counter BEFORE UPDATE ON 基本情報テーブル "
            "BEGIN SELECT RAISE(ABORT, 'counter refused'); END") << false;
        // The file may not grow: what a full disk does to a save.
        QTest::newRow("disk full") << QStringLiteral("PRAGMA max_page_count = 1") << true;
    }
    void failedSaveLeavesNoTrace()
    {
        QFETCH(QString, sabotage);
        QFETCH(bool, existing);
        storeSlip(10, 2);
        const QString before10 = snapshot(10);
        const QString before50 = snapshot(50);

        Denpyo d;
        if (existing)
            QVERIFY(d.Load(10));
        d.setDenpyoID(existing ? 10 : 50);
        d.setCustomerName(QStringLiteral("変更後"));
        d.setMemo(QString(20000, QChar(0x3042)));
        for (int i = 0; i < 20; ++i)
            addLine(d, QStringLiteral("新しい品 %1").arg(i), i);
        if (sabotage.startsWith(QLatin1String("PRAGMA"))) {
            const qint64 pages = scalar(QStringLiteral("PRAGMA page_count")).toLongLong();
            connection().scalar(QStringLiteral("PRAGMA max_page_count = %1").arg(pages));
        } else {
            connection().exec(sabotage);
        }

        QVERIFY_THROWS_EXCEPTION(DbError, d.Apply());
        connection().scalar(QStringLiteral("PRAGMA max_page_count = 1073741823"));
        QVERIFY(!connection().inTransaction());
        QCOMPARE(snapshot(10), before10);
        QCOMPARE(snapshot(50), before50);
        QCOMPARE(counter(), 10);
        QCOMPARE(d.InsertDate(), existing ? at(2024, 4, 1, 9, 30, 15) : zeroDate());
        QCOMPARE(d.ModifyDate(), zeroDate());

        // The object is as it was before the attempt: once the cause is
        // gone, the same save goes through.
        connection().exec(QStringLiteral("DROP TRIGGER IF EXISTS stop_third"));
        connection().exec(QStringLiteral("DROP TRIGGER IF EXISTS stop_counter"));
        QVERIFY(d.Apply());
        QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM 明細テーブル WHERE 伝票番号 = %1")
                            .arg(d.DenpyoID())).toInt(), d.Meisais().Count());
        QCOMPARE(counter(), existing ? 10 : 50);
    }

    // Two slips saved together: both or neither, whichever of them fails.
    void pairIsSavedInOneTransaction_data()
    {
        QTest::addColumn<QString>("failure");
        QTest::newRow("both saved") << QString();
        QTest::newRow("second slip gone") << QStringLiteral("gone");
        QTest::newRow("second slip's lines abort") << QStringLiteral("trigger");
    }
    void pairIsSavedInOneTransaction()
    {
        QFETCH(QString, failure);
        storeSlip(10, 3);
        const QString before10 = snapshot(10);
        const QString before11 = snapshot(11);
        Denpyo source;
        QVERIFY(source.Load(10));
        source.Meisais().Remove(2);
        Denpyo destination;
        destination.setDenpyoID(11);
        addLine(destination, QStringLiteral("品2"), 200);
        if (failure == QLatin1String("gone"))
            connection().exec(QStringLiteral("DELETE FROM 伝票テーブル WHERE 伝票番号 = 10"));
        else if (failure == QLatin1String("trigger"))
            connection().exec(QStringLiteral(
                "CREATE TRIGGER stop_source BEFORE INSERT ON 明細テーブル WHEN NEW.伝票番号 = 10 "
                "BEGIN SELECT RAISE(ABORT, 'refused'); END"));

        if (failure.isEmpty()) {
            QVERIFY(Denpyo::ApplyTogether(destination, source));
            QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM 明細テーブル WHERE 伝票番号 = 10")).toInt(), 2);
            QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM 明細テーブル WHERE 伝票番号 = 11")).toInt(), 1);
            QCOMPARE(counter(), 11);
            QCOMPARE(source.ModifyDate(), at(2024, 4, 1, 9, 30, 15));
            QCOMPARE(destination.InsertDate(), at(2024, 4, 1, 9, 30, 15));
            return;
        }
        const QString gone = snapshot(10);
        if (failure == QLatin1String("gone")) {
            QVERIFY(!Denpyo::ApplyTogether(destination, source));
            QCOMPARE(destination.ErrorMessage(), Denpyo::MissingMessage());
        } else {
            QVERIFY_THROWS_EXCEPTION(DbError, Denpyo::ApplyTogether(destination, source));
            QCOMPARE(gone, before10);
        }
        QVERIFY(!connection().inTransaction());
        QCOMPARE(snapshot(11), before11);
        QCOMPARE(snapshot(10), gone);
        QCOMPARE(destination.InsertDate(), zeroDate());
    }

    // Invoicing marks the slips and nothing else: the other columns and the
    // lines (their row ids included) stay as stored. A slip that has gone,
    // or an error on the way, leaves every slip unmarked.
    void seikyuOnMarksAllOrNone_data()
    {
        QTest::addColumn<QVector<qint32>>("ids");
        QTest::addColumn<QString>("failure");
        QTest::newRow("all stored") << QVector<qint32>{10, 11, 12} << QString();
        QTest::newRow("one already invoiced") << QVector<qint32>{10, 13} << QString();
        QTest::newRow("a slip gone") << QVector<qint32>{10, 99, 12} << QStringLiteral("gone");
        QTest::newRow("an error at the third slip") << QVector<qint32>{10, 11, 12}
                                                    << QStringLiteral("CREATE TRIGGER stop BEFORE UPDATE ON 伝票テーブル "
                                                                      "WHEN NEW.伝票番号 = 12 BEGIN "
                                                                      "SELECT RAISE(ABORT, 'refused'); END");
    }
    void seikyuOnMarksAllOrNone()
    {
        QFETCH(QVector<qint32>, ids);
        QFETCH(QString, failure);
        storeSlip(10, 3);
        storeSlip(11, 0);
        storeSlip(12, 20);
        storeSlip(13, 2);
        connection().exec(QStringLiteral(
            "UPDATE 伝票テーブル SET 請求 = 1, 請求日付 = '2024/03/31' WHERE 伝票番号 = 13"));
        const auto rows = [](const QString &table) {
            QStringList out;
            db::Statement st = connection().prepare(QStringLiteral("SELECT rowid, * FROM %1 ORDER BY rowid").arg(table));
            while (st.step()) {
                QStringList values;
                for (int i = 0; i < st.columnCount(); ++i)
                    values << (st.isNull(i) ? QStringLiteral("<null>") : st.text(i));
                out << values.join(QLatin1Char('|'));
            }
            return out;
        };
        const QStringList slipsBefore = rows(QStringLiteral("伝票テーブル"));
        const QStringList linesBefore = rows(QStringLiteral("明細テーブル"));
        const qint64 counterBefore = counter();
        setFixedNow(at(2024, 4, 30, 17, 45, 5));
        if (failure.startsWith(QLatin1String("CREATE")))
            connection().exec(failure);

        QString refusal;
        if (failure.startsWith(QLatin1String("CREATE"))) {
            QVERIFY_THROWS_EXCEPTION(DbError, Denpyo::SeikyuOn(ids, QDate(2024, 4, 25), &refusal));
        } else if (!failure.isEmpty()) {
            QVERIFY(!Denpyo::SeikyuOn(ids, QDate(2024, 4, 25), &refusal));
            QCOMPARE(refusal, Denpyo::MissingMessage());
        } else {
            QVERIFY(Denpyo::SeikyuOn(ids, QDate(2024, 4, 25), &refusal));
        }
        QVERIFY(!connection().inTransaction());
        QCOMPARE(rows(QStringLiteral("明細テーブル")), linesBefore);
        QCOMPARE(counter(), counterBefore);
        QStringList expected = slipsBefore;
        if (failure.isEmpty()) {
            const db::Statement names = connection().prepare(QStringLiteral("SELECT rowid, * FROM 伝票テーブル"));
            const int seikyu = names.columnIndex(QStringLiteral("請求"));
            const int seikyuDate = names.columnIndex(QStringLiteral("請求日付"));
            const int modified = names.columnIndex(QStringLiteral("更新日付"));
            for (QString &row : expected) {
                QStringList values = row.split(QLatin1Char('|'));
                if (!ids.contains(values[0].toInt()))
                    continue;
                values[seikyu] = QStringLiteral("1");
                values[seikyuDate] = QStringLiteral("2024/04/25");
                values[modified] = QStringLiteral("2024/04/30 17:45:05");
                row = values.join(QLatin1Char('|'));
            }
        }
        QCOMPARE(rows(QStringLiteral("伝票テーブル")), expected);
    }

    void deleteRemovesSlipAndLines()
    {
        storeSlip(11, 3);
        storeSlip(12, 2);
        Denpyo d;
        QVERIFY(d.Load(11));
        QVERIFY(d.Delete());
        QCOMPARE(d.DenpyoID(), 0);
        QCOMPARE(d.Meisais().Count(), 0);
        QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM 伝票テーブル WHERE 伝票番号 = 11")).toInt(), 0);
        QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM 明細テーブル WHERE 伝票番号 = 11")).toInt(), 0);
        QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM 明細テーブル")).toInt(), 2);
        // Deleted and cleared, the object is no longer new.
        d.setDenpyoID(11);
        QVERIFY(!d.Apply());
        QCOMPARE(d.ErrorMessage(), QStringLiteral("この伝票は存在しません。"));
    }

    void deleteRefusals()
    {
        Denpyo missing;
        QVERIFY(!missing.Load(40));
        QVERIFY(!missing.Delete());
        QCOMPARE(missing.ErrorMessage(), QStringLiteral("伝票番号が設定されていません。"));

        storeSlip(41, 2);
        Denpyo gone;
        QVERIFY(gone.Load(41));
        connection().exec(QStringLiteral("DELETE FROM 伝票テーブル WHERE 伝票番号 = 41"));
        QVERIFY(!gone.Delete());
        QCOMPARE(gone.ErrorMessage(), QStringLiteral("この伝票は存在しません。"));
        QCOMPARE(gone.DenpyoID(), 41);
        QVERIFY(!connection().inTransaction());
        // The refusal wrote nothing: the orphaned lines are still there.
        QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM 明細テーブル WHERE 伝票番号 = 41")).toInt(), 2);
    }

    // One reader reads a run of slips, sharing the texts and days that
    // repeat: each slip comes out as its own load gives it, whatever the
    // slips before it held, and a value that does not fit stops only its
    // own slip.
    void readerGivesEachSlipAsItsLoad()
    {
        const QString customers[] = {QStringLiteral("山田商店"), QStringLiteral("佐藤工業"), QString()};
        const QDateTime days[] = {at(2024, 6, 30), at(2024, 6, 1), zeroDate()};
        for (int id = 1; id <= 9; ++id) {
            Denpyo d;
            d.setDenpyoID(id);
            d.setCustomerName(customers[id % 3]);
            d.setCustomerID(id % 3 == 2 ? QString() : QStringLiteral("C%1").arg(id % 3));
            d.setCustomerAddress1(id % 2 ? customers[(id + 1) % 3] : QString());
            d.setTanto(customers[(id / 3) % 3]);
            d.setNouki(days[id % 3]);
            d.setMitsumori(true);
            d.setMitsumoriDate(days[(id + 1) % 3]);
            d.setNouhin(id % 2 == 0);
            d.setNouhinDate(days[id % 2]);
            d.setSummery(id * 100);
            d.setMemo(id == 4 ? QStringLiteral("一行目\r\n二行目") : QString());
            QVERIFY(d.Apply());
        }
        connection().exec(QStringLiteral("UPDATE 伝票テーブル SET 作成日付 = '2024/06/01 10:20:30' WHERE 伝票番号 % 2 = 0"));
        connection().exec(QStringLiteral("UPDATE 伝票テーブル SET 入金 = 1, 入金日付 = '2024/02/30' WHERE 伝票番号 = 5"));

        db::ReadTransaction read(connection());
        DenpyoReader reader(true);
        for (const int id : {1, 2, 3, 42, 2, 4, 5, 6, 7, 8, 9, 1}) {
            Denpyo listed, own;
            if (id == 5) {
                QVERIFY_THROWS_EXCEPTION(DbError, reader.Load(listed, id));
                QCOMPARE(listed.DenpyoID(), 0);
                continue;
            }
            QCOMPARE(reader.Load(listed, id), id != 42);
            own.Load(id);
            QCOMPARE(fields(listed), fields(own));
        }
        Denpyo d;
        QVERIFY(reader.Load(d, 4));
        QCOMPARE(d.CustomerName(), QStringLiteral("佐藤工業"));
        QCOMPARE(d.CustomerAddress1(), QString());
        QCOMPARE(d.Nouki(), at(2024, 6, 1));
        QCOMPARE(d.MitsumoriDate(), zeroDate());
        QCOMPARE(d.NouhinDate(), at(2024, 6, 30));
        QCOMPARE(d.InsertDate(), at(2024, 6, 1, 10, 20, 30));
        QCOMPARE(d.Memo(), QStringLiteral("一行目\r\n二行目"));
    }

    // A hand-edited row with a value that does not fit is reported with the
    // column's name rather than read as something else.
    void storedValueThatDoesNotFit_data()
    {
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QString>("column");
        QTest::newRow("money beyond 32 bits")
            << QStringLiteral("UPDATE 伝票テーブル SET 合計 = 3000000000") << QStringLiteral("合計");
        QTest::newRow("rate beyond 16 bits")
            << QStringLiteral("UPDATE 伝票テーブル SET 値引率 = 40000") << QStringLiteral("値引率");
        QTest::newRow("line count beyond 16 bits")
            << QStringLiteral("UPDATE 伝票テーブル SET 明細数 = -40000") << QStringLiteral("明細数");
        QTest::newRow("text in an amount")
            << QStringLiteral("UPDATE 伝票テーブル SET 消費税 = 'abc'") << QStringLiteral("消費税");
        QTest::newRow("null in an amount read always")
            << QStringLiteral("UPDATE 伝票テーブル SET 合計消費税込み = NULL") << QStringLiteral("合計消費税込み");
        QTest::newRow("date that is no date")
            << QStringLiteral("UPDATE 伝票テーブル SET 納期 = '2024/13/01'") << QStringLiteral("納期");
        QTest::newRow("time that is no time")
            << QStringLiteral("UPDATE 伝票テーブル SET 作成日付 = '2024/01/01 25:00:00'") << QStringLiteral("作成日付");
        QTest::newRow("line amount beyond 32 bits")
            << QStringLiteral("UPDATE 明細テーブル SET 金額 = -2147483649") << QStringLiteral("金額");
        QTest::newRow("null unit price")
            << QStringLiteral("UPDATE 明細テーブル SET 単価 = NULL") << QStringLiteral("単価");
    }
    void storedValueThatDoesNotFit()
    {
        QFETCH(QString, edit);
        QFETCH(QString, column);
        storeSlip(20, 1);
        connection().exec(edit);
        Denpyo d;
        try {
            d.Load(20);
            QFAIL("the value was read");
        } catch (const DbError &e) {
            QVERIFY2(e.description().contains(column), qPrintable(e.description()));
        }
        QCOMPARE(d.DenpyoID(), 0);
    }
};

QTEST_GUILESS_MAIN(tst_Denpyo)
#include "tst_denpyo.moc"
