#include "TestSupport.h"

#include "core/DateValue.h"
#include "core/Globals.h"
#include "mainwindow/commands/ClipRecords.h"
#include "mainwindow/commands/SlipPaste.h"

#include <QtTest>
#include <optional>

using namespace clipboardtext;

namespace {

qint64 counter()
{
    return connection()
        .scalar(QStringLiteral("SELECT 数値型データ FROM 基本情報テーブル WHERE 基本情報ID = 'CurrentDenpyoID'"))
        .toLongLong();
}

void setCounter(qint64 value)
{
    connection().exec(
        QStringLiteral("UPDATE 基本情報テーブル SET 数値型データ = %1 WHERE 基本情報ID = 'CurrentDenpyoID'").arg(value));
}

qint64 slipCount()
{
    return connection().scalar(QStringLiteral("SELECT COUNT(*) FROM 伝票テーブル")).toLongLong();
}

// A stored slip with its stages on and the given lines, amounts that do
// not add up, and a memo of two lines.
void storeSlip(qint32 id, const QStringList &lines)
{
    Denpyo d;
    d.setDenpyoID(id);
    d.setNouki(localDateTime(QDate(2026, 12, 20), QTime(0, 0)));
    d.setCustomerID(QStringLiteral("GONE"));
    d.setCustomerName(QStringLiteral("顧客%1").arg(id));
    d.setSummery(999);
    d.setSummeryWithShouhizei(1);
    d.setMemo(QStringLiteral("一\r\n二"));
    d.setMitsumori(true);
    d.setMitsumoriDate(localDateTime(QDate(2026, 12, 1), QTime(0, 0)));
    d.setJuchu(true);
    d.setJuchuDate(localDateTime(QDate(2026, 12, 2), QTime(0, 0)));
    d.setNouhin(true);
    d.setNouhinDate(localDateTime(QDate(2026, 12, 3), QTime(0, 0)));
    int amount = 0;
    for (const QString &name : lines) {
        Meisai &m = d.Meisais().Add();
        m.setItemName(name);
        m.setItemKingaku(amount += 100);
    }
    QVERIFY(d.Apply());
}

} // namespace

class tst_SlipPaste : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        setFixedNow(QDateTime(QDate(2026, 12, 9), QTime(10, 0)));
        m_folder.emplace();
    }
    void cleanup()
    {
        m_folder.reset();
        setFixedNow(QDateTime());
    }

    void copiedSlipsBecomeNewSlips();
    void goneSlipsAreLeftOutOfTheCopy();
    void failureSaysHowManyWereStored_data();
    void failureSaysHowManyWereStored();
    void emptyCopyPastesNothing();

private:
    std::optional<testsupport::OpenedProgramFolder> m_folder;
};

void tst_SlipPaste::copiedSlipsBecomeNewSlips()
{
    storeSlip(5, {QStringLiteral("甲"), QStringLiteral("乙"), QStringLiteral("丙")});
    storeSlip(3, {QStringLiteral("丁")});
    setCounter(40);
    const QString text = DenpyosText({5, 3});
    auto slips = DenpyosFromText(text);
    QVERIFY(slips);
    const SlipPasteResult result = StoreDenpyos(*slips);
    QCOMPARE(result.stored, 2);
    QCOMPARE(result.failure, QString());
    QCOMPARE(counter(), 42);
    QCOMPARE(slipsPastedMessage(2), QStringLiteral("伝票を2件、貼り付けました。"));

    // In the order copied, each with the lines and amounts it had.
    const struct {
        qint32 id;
        qint32 from;
        QStringList lines;
    } expected[] = {{41, 5, {"甲", "乙", "丙"}}, {42, 3, {"丁"}}};
    for (const auto &e : expected) {
        Denpyo pasted;
        QVERIFY(pasted.Load(e.id));
        QCOMPARE(pasted.CustomerName(), QStringLiteral("顧客%1").arg(e.from));
        QCOMPARE(pasted.CustomerID(), QStringLiteral("GONE"));
        QCOMPARE(pasted.Summery(), 999);
        QCOMPARE(pasted.SummeryWithShouhizei(), 1);
        QCOMPARE(pasted.Memo(), QStringLiteral("一\r\n二"));
        QCOMPARE(pasted.Nouki().date(), QDate(2026, 12, 20));
        QVERIFY(!pasted.Mitsumori() && !pasted.Juchu() && !pasted.Nouhin() && !pasted.Seikyu() && !pasted.Nyukin());
        QVERIFY(isZeroDate(pasted.MitsumoriDate()) && isZeroDate(pasted.JuchuDate())
                && isZeroDate(pasted.NouhinDate()));
        QCOMPARE(pasted.InsertDate(), now());
        QVERIFY(isZeroDate(pasted.ModifyDate()));
        QStringList names;
        for (const Meisai &m : pasted.Meisais())
            names << m.ItemName();
        QCOMPARE(names, e.lines);
        QCOMPARE(pasted.Meisais().Item(pasted.Meisais().Count()).ItemKingaku(), 100 * e.lines.size());
    }
    // Pasting again stores further copies under the following numbers.
    auto again = DenpyosFromText(text);
    QCOMPARE(StoreDenpyos(*again).stored, 2);
    QCOMPARE(counter(), 44);
}

void tst_SlipPaste::goneSlipsAreLeftOutOfTheCopy()
{
    storeSlip(1, {QStringLiteral("a")});
    storeSlip(2, {QStringLiteral("b")});
    const QString text = DenpyosText({2, 99, 1});
    QVERIFY(text.startsWith(QStringLiteral("Quorvex5\r\nオブジェクト/伝票\r\n件数/2\r\n1/伝票番号//2\r\n")));
    QVERIFY(text.contains(QStringLiteral("\r\n2/伝票番号//1\r\n")));
    QVERIFY(!text.contains(QStringLiteral("\r\n3/")));
}

void tst_SlipPaste::failureSaysHowManyWereStored_data()
{
    QTest::addColumn<qint64>("start");
    QTest::addColumn<int>("taken");
    QTest::addColumn<int>("stored");
    QTest::addColumn<QString>("failure");
    QTest::newRow("second number taken")
        << qint64(10) << 12 << 1
        << "伝票の貼り付けに失敗しました。(この伝票は既に存在します。)\n1件の伝票は貼り付けられています。";
    QTest::newRow("first number taken") << qint64(10) << 11 << 0
                                        << "伝票の貼り付けに失敗しました。(この伝票は既に存在します。)";
    QTest::newRow("no number left")
        << qint64(2147483646) << 0 << 1
        << "伝票の貼り付けに失敗しました。(伝票番号がこれ以上ありません。)\n1件の伝票は貼り付けられています。";
}

void tst_SlipPaste::failureSaysHowManyWereStored()
{
    QFETCH(qint64, start);
    QFETCH(int, taken);
    storeSlip(1, {QStringLiteral("a")});
    if (taken)
        storeSlip(taken, {QStringLiteral("x")});
    setCounter(start);
    const qint64 before = slipCount();
    auto slips = DenpyosFromText(DenpyosText({1, 1, 1}));
    QVERIFY(slips);
    const SlipPasteResult result = StoreDenpyos(*slips);
    QTEST(result.stored, "stored");
    QTEST(result.failure, "failure");
    QCOMPARE(slipCount(), before + result.stored);
}

void tst_SlipPaste::emptyCopyPastesNothing()
{
    const QString text = DenpyosText({});
    QCOMPARE(text, QStringLiteral("Quorvex5\r\nオブジェクト/伝票\r\n件数/0\r\n"));
    auto slips = DenpyosFromText(text);
    QVERIFY(slips);
    QCOMPARE(StoreDenpyos(*slips).stored, 0);
    QCOMPARE(slipCount(), 0);
}

QTEST_GUILESS_MAIN(tst_SlipPaste)
#include "tst_slippaste.moc"
