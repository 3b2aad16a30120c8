#include "core/DateValue.h"
#include "mainwindow/commands/ClipRecords.h"
#include "mainwindow/commands/ObjectClipboardText.h"

#include <QtTest>

using namespace clipboardtext;

namespace {

QDateTime day(int y, int m, int d)
{
    return localDateTime(QDate(y, m, d), QTime(0, 0));
}

QString crlf(const QStringList &lines)
{
    return lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}

// A slip of two lines with every field set, the estimate stage on.
std::unique_ptr<Denpyo> sampleSlip()
{
    auto d = std::make_unique<Denpyo>();
    d->setDenpyoID(123);
    d->setNouki(day(2025, 3, 31));
    d->setCustomerID(QStringLiteral("C001"));
    d->setCustomerPostNumber(QStringLiteral("1234567"));
    d->setCustomerAddress1(QStringLiteral("東京都千代田区"));
    d->setCustomerAddress2(QStringLiteral("1-2-3"));
    d->setCustomerName(QStringLiteral("山田商店"));
    d->setCustomerBumon(QStringLiteral("営業部"));
    d->setCustomerTelephone(QStringLiteral("03-1111-2222"));
    d->setCustomerFax(QStringLiteral("03-1111-3333"));
    d->setMeisaiSum(1234000);
    d->setNebikiRitsuOn(true);
    d->setNebikiRitsu(-5);
    d->setNebikiKingaku(-61700);
    d->setSummery(1172300);
    d->setShouhizeiIn(false);
    d->setShouhizei(117230);
    d->setSummeryWithShouhizei(1289530);
    d->setMitsumori(true);
    d->setMitsumoriDate(day(2025, 3, 1));
    d->setBumon(QStringLiteral("東京"));
    d->setTanto(QStringLiteral("佐藤"));
    d->setMemo(QStringLiteral("一行目\r\nhttp://example.jp/a//b"));
    d->setInsertDate(localDateTime(QDate(2025, 3, 2), QTime(9, 5, 7)));
    Meisai &a = d->Meisais().Add();
    a.setItemID(QStringLiteral("P1"));
    a.setItemNumber(QStringLiteral("N-1"));
    a.setItemName(QStringLiteral("ボルト"));
    a.setItemTanka(1234.5);
    a.setItemSuryo(1000);
    a.setItemTanni(QStringLiteral("個"));
    a.setItemKingaku(1234500);
    a.setItemBikou(QStringLiteral("至急"));
    Meisai &b = d->Meisais().Add();
    b.setItemName(QStringLiteral("値引"));
    b.setItemSuryo(0.125);
    b.setItemKingaku(-500);
    return d;
}

Customer sampleCustomer()
{
    Customer c;
    c.setCustomerID(QStringLiteral("K01"));
    c.setNameKana(QStringLiteral("ヤマダ"));
    c.setNameKnj(QStringLiteral("山田"));
    c.setBumon(QStringLiteral("総務"));
    c.setPostNumber(QStringLiteral("1234567"));
    c.setAddress1(QStringLiteral("大阪府"));
    c.setAddress2(QStringLiteral("北区"));
    c.setPhone(QStringLiteral("06-1"));
    c.setFax(QStringLiteral("06-2"));
    c.setNebikiRitsu(10);
    c.setMemo(QStringLiteral("a\r\n\r\nb"));
    c.setTsukiSeikyu(true);
    c.setShimeBi(QStringLiteral("20日締め"));
    c.setSeikyushoForm(QStringLiteral("請求書"));
    return c;
}

Shohin sampleShohin()
{
    Shohin s;
    s.setShohinID(QStringLiteral("S01"));
    s.setNumber(QStringLiteral("AB-1"));
    s.setName(QStringLiteral("六角ボルト \"M8\""));
    s.setMaker(QStringLiteral("日本製作所"));
    s.setTanka(12.75);
    s.setTanni(QStringLiteral("本"));
    s.setMemo(QStringLiteral("説明1\r\n説明2"));
    return s;
}

const QString kSlipHeader = QStringLiteral("Quorvex5\r\nオブジェクト/伝票\r\n件数/1\r\n");

} // namespace

class tst_ClipboardText : public QObject {
    Q_OBJECT
private slots:
    void slipTextIsExact();
    void customerAndProductTextsAreExact();
    void slipRoundTrip();
    void customerAndProductRoundTrip_data();
    void customerAndProductRoundTrip();
    void readingRules_data();
    void readingRules();
    void refusals_data();
    void refusals();
    void pastedTextTakesItsCp932Form();
};

void tst_ClipboardText::slipTextIsExact()
{
    const QString expected = crlf({
        "7/伝票番号//123", "7/納期//2025/03/31", "7/顧客ID//C001", "7/顧客郵便//1234567",
        "7/顧客所在地１//東京都千代田区", "7/顧客所在地２//1-2-3", "7/顧客名//山田商店", "7/顧客部門//営業部",
        "7/顧客電話//03-1111-2222", "7/顧客FAX//03-1111-3333", "7/明細計//1234000", "7/値引率計算//True",
        "7/値引率//-5", "7/値引金額//-61700", "7/合計//1172300", "7/消費税含//False", "7/消費税//117230",
        "7/合計消費税込み//1289530", "7/見積もり//True", "7/見積もり日付//2025/03/01", "7/受注//False",
        "7/受注日付//", "7/納品//False", "7/納品日付//", "7/請求//False", "7/請求日付//", "7/入金//False",
        "7/入金日付//", "7/部門//東京", "7/担当//佐藤", "7/メモ//一行目<CRLF>http://example.jp/a//b",
        "7/作成日付//2025/03/02 09:05:07", "7/更新日付//", "7/明細数//2",
        "7/明細/1/商品ID//P1", "7/明細/1/品番//N-1", "7/明細/1/品名//ボルト", "7/明細/1/単価//1234.5",
        "7/明細/1/数量//1000", "7/明細/1/単位//個", "7/明細/1/金額//1234500", "7/明細/1/備考//至急",
        "7/明細/2/商品ID//", "7/明細/2/品番//", "7/明細/2/品名//値引", "7/明細/2/単価//0",
        "7/明細/2/数量//0.125", "7/明細/2/単位//", "7/明細/2/金額//-500", "7/明細/2/備考//"});
    QCOMPARE(DenpyoToClipText(7, *sampleSlip()), expected);
    QCOMPARE(header(QStringLiteral("伝票"), 1), kSlipHeader);
}

void tst_ClipboardText::customerAndProductTextsAreExact()
{
    QCOMPARE(CustomerToClipText(2, sampleCustomer()),
             crlf({"2/顧客ID//K01", "2/顧客名かな//ヤマダ", "2/顧客名漢字//山田", "2/部門//総務",
                   "2/郵便番号//1234567", "2/所在地１//大阪府", "2/所在地２//北区", "2/電話番号//06-1",
                   "2/FAX番号//06-2", "2/値引率//10", "2/メモ//a<CRLF><CRLF>b", "2/月締め請求//True",
                   "2/締め日//20日締め", "2/請求書フォーム//請求書"}));
    QCOMPARE(ShohinToClipText(1, sampleShohin()),
             crlf({"1/商品ID//S01", "1/品番//AB-1", "1/品名//六角ボルト \"M8\"", "1/製造元//日本製作所",
                   "1/単価//12.75", "1/単位//本", "1/説明//説明1<CRLF>説明2"}));
}

void tst_ClipboardText::slipRoundTrip()
{
    const auto original = sampleSlip();
    const QString text = header(QStringLiteral("伝票"), 2) + DenpyoToClipText(1, *original)
                         + DenpyoToClipText(2, *original);
    auto slips = DenpyosFromText(text);
    QVERIFY(slips);
    QCOMPARE(slips->size(), size_t(2));
    const Denpyo &d = *slips->at(1);
    // Number, stages and times start again.
    QCOMPARE(d.DenpyoID(), 0);
    QVERIFY(!d.Mitsumori());
    QVERIFY(isZeroDate(d.MitsumoriDate()));
    QVERIFY(isZeroDate(d.InsertDate()));
    QCOMPARE(d.Nouki(), original->Nouki());
    QCOMPARE(d.CustomerID(), original->CustomerID());
    QCOMPARE(d.CustomerPostNumber(), original->CustomerPostNumber());
    QCOMPARE(d.CustomerAddress1(), original->CustomerAddress1());
    QCOMPARE(d.CustomerAddress2(), original->CustomerAddress2());
    QCOMPARE(d.CustomerName(), original->CustomerName());
    QCOMPARE(d.CustomerBumon(), original->CustomerBumon());
    QCOMPARE(d.CustomerTelephone(), original->CustomerTelephone());
    QCOMPARE(d.CustomerFax(), original->CustomerFax());
    QCOMPARE(d.MeisaiSum(), original->MeisaiSum());
    QCOMPARE(d.NebikiRitsuOn(), true);
    QCOMPARE(d.NebikiRitsu(), qint16(-5));
    QCOMPARE(d.NebikiKingaku(), -61700);
    QCOMPARE(d.Summery(), 1172300);
    QCOMPARE(d.ShouhizeiIn(), false);
    QCOMPARE(d.Shouhizei(), 117230);
    QCOMPARE(d.SummeryWithShouhizei(), 1289530);
    QCOMPARE(d.Bumon(), original->Bumon());
    QCOMPARE(d.Tanto(), original->Tanto());
    QCOMPARE(d.Memo(), QStringLiteral("一行目\r\nhttp://example.jp/a//b"));
    QCOMPARE(d.Meisais().Count(), 2);
    for (qint32 j = 1; j <= 2; ++j) {
        const Meisai &a = d.Meisais().Item(j);
        const Meisai &b = original->Meisais().Item(j);
        QCOMPARE(a.ItemID(), b.ItemID());
        QCOMPARE(a.ItemNumber(), b.ItemNumber());
        QCOMPARE(a.ItemName(), b.ItemName());
        QCOMPARE(a.ItemTanka(), b.ItemTanka());
        QCOMPARE(a.ItemSuryo(), b.ItemSuryo());
        QCOMPARE(a.ItemTanni(), b.ItemTanni());
        QCOMPARE(a.ItemKingaku(), b.ItemKingaku());
        QCOMPARE(a.ItemBikou(), b.ItemBikou());
    }
}

void tst_ClipboardText::customerAndProductRoundTrip_data()
{
    QTest::addColumn<QString>("memo");
    QTest::addColumn<QString>("pastedMemo");
    QTest::addColumn<double>("tanka");
    QTest::newRow("two-line memo, fraction") << "一行目\r\n二行目" << "一行目\r\n二行目" << 1234.5678;
    QTest::newRow("double slash in memo") << "see http://a.jp//x" << "see http://a.jp//x" << 0.1;
    QTest::newRow("typed <CRLF> becomes a break") << "a<CRLF>b" << "a\r\nb" << -3.0;
    QTest::newRow("lone LF kept") << "a\nb" << "a\nb" << 1e15;
    QTest::newRow("empty memo") << "" << "" << 0.0;
}

void tst_ClipboardText::customerAndProductRoundTrip()
{
    QFETCH(QString, memo);
    QFETCH(QString, pastedMemo);
    QFETCH(double, tanka);

    Customer c = sampleCustomer();
    c.setMemo(memo);
    const auto customers = CustomersFromText(header(QStringLiteral("顧客"), 1) + CustomerToClipText(1, c));
    QVERIFY(customers);
    QCOMPARE(customers->size(), 1);
    const Customer &p = customers->first();
    QCOMPARE(p.CustomerID(), QString());
    QCOMPARE(p.NameKana(), c.NameKana());
    QCOMPARE(p.NameKnj(), c.NameKnj());
    QCOMPARE(p.Bumon(), c.Bumon());
    QCOMPARE(p.PostNumber(), c.PostNumber());
    QCOMPARE(p.Address1(), c.Address1());
    QCOMPARE(p.Address2(), c.Address2());
    QCOMPARE(p.Phone(), c.Phone());
    QCOMPARE(p.Fax(), c.Fax());
    QCOMPARE(p.NebikiRitsu(), c.NebikiRitsu());
    QCOMPARE(p.Memo(), pastedMemo);
    QCOMPARE(p.TsukiSeikyu(), true);
    QCOMPARE(p.ShimeBi(), c.ShimeBi());
    QCOMPARE(p.SeikyushoForm(), c.SeikyushoForm());

    Shohin s = sampleShohin();
    s.setMemo(memo);
    s.setTanka(tanka);
    const auto shohins = ShohinsFromText(header(QStringLiteral("商品"), 1) + ShohinToClipText(1, s));
    QVERIFY(shohins);
    QCOMPARE(shohins->size(), 1);
    const Shohin &q = shohins->first();
    QCOMPARE(q.ShohinID(), QString());
    QCOMPARE(q.Number(), s.Number());
    QCOMPARE(q.Name(), s.Name());
    QCOMPARE(q.Maker(), s.Maker());
    QCOMPARE(q.Tanka(), tanka);
    QCOMPARE(q.Tanni(), s.Tanni());
    QCOMPARE(q.Memo(), pastedMemo);
}

// Texts that are read: the products they give, as "品名/単価" per record.
void tst_ClipboardText::readingRules_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("products");
    const QString head = QStringLiteral("Quorvex5\r\nオブジェクト/商品\r\n");
    QTest::newRow("count 0, no records") << head + "件数/0\r\n" << QStringList{};
    QTest::newRow("count 0 without last CR LF") << head + "件数/0" << QStringList{};
    QTest::newRow("blanks around the count") << head + "件数/ 1 \r\n1/品名//a\r\n" << QStringList{"a/0"};
    QTest::newRow("surplus records ignored")
        << head + "件数/1\r\n1/品名//a\r\n2/品名//b\r\n" << QStringList{"a/0"};
    QTest::newRow("records in any order, lines interleaved")
        << head + "件数/2\r\n2/品名//b\r\n1/品名//a\r\n2/単価//2.5\r\n1/単価//1\r\n" << QStringList{"a/1", "b/2.5"};
    QTest::newRow("blanks around the record number") << head + "件数/1\r\n  1 /品名//a\r\n" << QStringList{"a/0"};
    QTest::newRow("only the first // separates")
        << head + "件数/1\r\n1/品名//a//b/c//\r\n" << QStringList{"a//b/c///0"};
    QTest::newRow("missing keys read empty") << head + "件数/1\r\n1/製造元//m\r\n" << QStringList{"/0"};
    QTest::newRow("lines without / and blank keys skipped")
        << head + "件数/1\r\nfree text\r\n1/ //x\r\n1///y\r\n1/品名//a\r\n" << QStringList{"a/0"};
    QTest::newRow("unread keys are not converted")
        << head + "件数/1\r\n1/商品ID//not a key\r\n1/品名//a\r\n1/其他//x\r\n" << QStringList{"a/0"};
    QTest::newRow("blanks around numbers") << head + "件数/1\r\n1/品名//a\r\n1/単価// 7 \r\n" << QStringList{"a/7"};
}

void tst_ClipboardText::readingRules()
{
    QFETCH(QString, text);
    const auto shohins = ShohinsFromText(text);
    QVERIFY(shohins);
    QStringList got;
    for (const Shohin &s : *shohins)
        got << s.Name() + QLatin1Char('/') + QString::number(s.Tanka());
    QTEST(got, "products");
}

void tst_ClipboardText::refusals_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("text");
    const QString slip = QStringLiteral("Quorvex5\r\nオブジェクト/伝票\r\n件数/1\r\n");
    const QString customer = QStringLiteral("Quorvex5\r\nオブジェクト/顧客\r\n件数/1\r\n");
    const QString product = QStringLiteral("Quorvex5\r\nオブジェクト/商品\r\n件数/1\r\n");

    QTest::newRow("empty") << "伝票" << "";
    QTest::newRow("blanks") << "伝票" << "   ";
    QTest::newRow("two lines") << "伝票" << "Quorvex5\r\nオブジェクト/伝票";
    QTest::newRow("blank after the first line") << "伝票" << "Quorvex5 \r\nオブジェクト/伝票\r\n件数/0\r\n";
    QTest::newRow("other first line") << "伝票" << "quorvex5\r\nオブジェクト/伝票\r\n件数/0\r\n";
    QTest::newRow("customer text into slips") << "伝票" << customer + "1/顧客名かな//a\r\n";
    QTest::newRow("product text into customers") << "顧客" << product + "1/品名//a\r\n";
    QTest::newRow("LF alone") << "伝票" << "Quorvex5\nオブジェクト/伝票\n件数/0\n";
    QTest::newRow("count missing") << "伝票" << "Quorvex5\r\nオブジェクト/伝票\r\n件数/\r\n";
    QTest::newRow("count not a number") << "伝票" << "Quorvex5\r\nオブジェクト/伝票\r\n件数/x\r\n";
    QTest::newRow("count beyond 16 bits") << "伝票" << "Quorvex5\r\nオブジェクト/伝票\r\n件数/40000\r\n";
    QTest::newRow("negative count") << "伝票" << "Quorvex5\r\nオブジェクト/伝票\r\n件数/-1\r\n";
    QTest::newRow("count line without 件数/") << "伝票" << "Quorvex5\r\nオブジェクト/伝票\r\n1\r\n";
    QTest::newRow("record missing") << "商品" << "Quorvex5\r\nオブジェクト/商品\r\n件数/2\r\n1/品名//a\r\n";
    QTest::newRow("record duplicated") << "商品" << product + "1/品名//a\r\n1/品名//b\r\n";
    QTest::newRow("record number not a number") << "商品" << product + "1/品名//a\r\nx/品名//b\r\n";
    QTest::newRow("record line without //") << "商品" << product + "1/品名//a\r\n1/単価/5\r\n";
    QTest::newRow("unit price not a number") << "商品" << product + "1/単価//1,5\r\n";
    QTest::newRow("unit price not finite") << "商品" << product + "1/単価//1e999\r\n";
    QTest::newRow("discount rate beyond 16 bits") << "顧客" << customer + "1/値引率//40000\r\n";
    QTest::newRow("discount rate with a fraction") << "顧客" << customer + "1/値引率//1.5\r\n";
    QTest::newRow("flag not a flag") << "顧客" << customer + "1/月締め請求//Yes\r\n";
    QTest::newRow("empty number") << "伝票" << slip + "1/合計//\r\n";
    QTest::newRow("amount beyond 32 bits") << "伝票" << slip + "1/合計//2147483648\r\n";
    QTest::newRow("no date") << "伝票" << slip + "1/納期//2025/13/01\r\n";
    QTest::newRow("negative item count") << "伝票" << slip + "1/明細数//-1\r\n";
    QTest::newRow("counted item missing")
        << "伝票" << slip + "1/明細数//2\r\n1/明細/1/品名//a\r\n1/明細/3/品名//c\r\n";
    QTest::newRow("item amount not a number") << "伝票" << slip + "1/明細数//1\r\n1/明細/1/金額//x\r\n";
    QTest::newRow("second record bad")
        << "伝票"
        << "Quorvex5\r\nオブジェクト/伝票\r\n件数/2\r\n1/合計//5\r\n2/合計//five\r\n";
}

void tst_ClipboardText::refusals()
{
    QFETCH(QString, kind);
    QFETCH(QString, text);
    if (kind == QStringLiteral("伝票"))
        QVERIFY(!DenpyosFromText(text));
    else if (kind == QStringLiteral("顧客"))
        QVERIFY(!CustomersFromText(text));
    else
        QVERIFY(!ShohinsFromText(text));
    QCOMPARE(refusalMessage(kind), QStringLiteral("クリップボードに") + kind
                                       + QStringLiteral("のコピーがないか、または、フォーマットが不正です。"));
}

void tst_ClipboardText::pastedTextTakesItsCp932Form()
{
    const QString text = QStringLiteral("Quorvex5\r\nオブジェクト/商品\r\n件数/1\r\n1/品名//1〜2")
                         + QChar(0) + QStringLiteral("号\r\n");
    const auto shohins = ShohinsFromText(text);
    QVERIFY(shohins);
    QCOMPARE(shohins->first().Name(), QStringLiteral("1～2号"));
}

QTEST_GUILESS_MAIN(tst_ClipboardText)
#include "tst_clipboardtext.moc"
