#include "FullFileSystem.h"
#include "TestSupport.h"

#include "core/DateValue.h"
#include "core/Globals.h"
#include "mainwindow/commands/ListCsvFile.h"
#include "model/Customer.h"
#include "model/Denpyo.h"
#include "model/Shohin.h"
#include "platform/db/DbError.h"
#include "platform/text/Cp932.h"
#include "platform/text/LineFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <optional>

namespace {

QDateTime day(int y, int m, int d)
{
    return localDateTime(QDate(y, m, d), QTime(0, 0));
}

Shohin exampleProduct()
{
    Shohin s;
    s.setShohinID(QStringLiteral("S01"));
    s.setNumber(QStringLiteral("AB-1"));
    s.setName(QStringLiteral("六角ボルト \"M8\""));
    s.setMaker(QStringLiteral("日本製作所"));
    s.setTanka(12.75);
    s.setTanni(QStringLiteral("本"));
    s.setMemo(QStringLiteral("説明1\r\n説明2\r3\n4"));
    return s;
}

// A slip with its estimate stage on, its order stage off, three lines.
Denpyo threeLineSlip()
{
    Denpyo d;
    d.setDenpyoID(123);
    d.setNouki(day(2025, 3, 31));
    d.setCustomerID(QStringLiteral("C001"));
    d.setCustomerPostNumber(QStringLiteral("1234567"));
    d.setCustomerAddress1(QStringLiteral("東京都"));
    d.setCustomerName(QStringLiteral("山田商店"));
    d.setNebikiRitsu(5);
    d.setNebikiKingaku(-1234);
    d.setSummery(1234000);
    d.setShouhizei(0);
    d.setSummeryWithShouhizei(-1234567);
    d.setMitsumori(true);
    d.setMitsumoriDate(day(2025, 3, 1));
    d.setJuchuDate(day(2025, 3, 2)); // not shown: the stage is off
    d.setNyukin(true);
    d.setNyukinDate(day(2025, 4, 30));
    d.setTanto(QStringLiteral("佐藤"));
    d.setMemo(QStringLiteral("一行目\r\n二行目"));
    const struct {
        const char *id;
        const char *name;
        double tanka;
        double suryo;
        qint32 kingaku;
    } lines[] = {{"P1", "ボルト", 1234.5, 1000, 1234500}, {"", "値引", 0, 0.125, -500}, {"P3", "a,b", 3, 2, 6}};
    for (const auto &l : lines) {
        Meisai &m = d.Meisais().Add();
        m.setItemID(QString::fromUtf8(l.id));
        m.setItemName(QString::fromUtf8(l.name));
        m.setItemTanka(l.tanka);
        m.setItemSuryo(l.suryo);
        m.setItemKingaku(l.kingaku);
    }
    return d;
}

void exec(const QString &sql)
{
    connection().exec(sql);
}

// Stored records in the forms a file export meets: Null and empty texts,
// quotes, commas and every kind of line break, blanks a line text loses,
// characters without a CP932 form, dates written by hand, the ends of the
// number ranges, and lines stored out of order.
void storeTrickyRecords()
{
    const QString slip = QStringLiteral(
        "INSERT INTO 伝票テーブル (伝票番号, 納期, 顧客ID, 顧客郵便, 顧客所在地１, 顧客所在地２, 顧客名, 顧客部門, "
        "顧客電話, 顧客FAX, 明細数, 明細計, 値引率計算, 値引率, 値引金額, 合計, 消費税含, 消費税, 合計消費税込み, "
        "見積もり, 見積もり日付, 受注, 受注日付, 納品, 納品日付, 請求, 請求日付, 入金, 入金日付, 部門, 担当, メモ, "
        "作成日付, 更新日付) VALUES (%1)");
    exec(slip.arg(QStringLiteral(
        "5, '2025/03/31', 'C\"1', '1234567', '東京都,千代田区', ' 丸の内 ', '山田\"商店\"', '営業部', '03-1234', NULL, "
        "4, 0, 1, -32768, -2147483648, 2147483647, 0, 0, -1234567, 1, '2025/03/01', 0, '2025/03/02', -1, NULL, "
        "1, '24/1/2', 1, '2025/04/30 10:11:12', '　部門　', '', "
        "'a' || char(13, 10) || 'b' || char(13) || 'c' || char(10) || 'd' || char(10, 13) || 'e\"f  ', "
        "'2025/01/01 00:00:00', NULL")));
    exec(slip.arg(QStringLiteral(
        "2, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, 0, 0, 0, 0, 0, 0, 0, "
        "0, NULL, 0, NULL, 0, NULL, 0, NULL, 0, NULL, NULL, NULL, NULL, NULL, NULL")));
    exec(slip.arg(QStringLiteral(
        "3, '2024/6/1', 123, '１２３４５６７８', '', '', 'Café 😀 〜', '', '', '', 1, 0, 0, 0, 0, 0, 0, 0, 0, "
        "0, NULL, 1, '2024/06/14 10:00:00', 0, NULL, 0, NULL, 0, NULL, '', '佐藤', '  memo  ', NULL, NULL")));
    exec(slip.arg(QStringLiteral(
        "7, '2026/12/09', 'C2', '12', NULL, NULL, '甲', NULL, NULL, NULL, 2, 0, 0, 5, 100, 2000, 1, 200, 2200, "
        "1, '2026/12/01', 1, '2026/12/02', 1, '2026/12/03', 1, '2026/12/04', 1, '2026/12/05', '総務', '鈴木', NULL, "
        "NULL, NULL")));
    const QString line = QStringLiteral(
        "INSERT INTO 明細テーブル (伝票番号, 明細番号, 商品ID, 品番, 品名, 単価, 数量, 単位, 金額, 備考) VALUES (%1)");
    exec(line.arg(QStringLiteral("5, 1, 'P1', 'AB-1', 'ボルト \"M8\", 六角', 1234.5, 1000, '本', 1234500, NULL")));
    exec(line.arg(QStringLiteral(
        "5, 2, NULL, '', ' 値引 ', 0.1, 0.1 + 0.2, NULL, -500, 'x' || char(13, 10) || 'y'")));
    exec(line.arg(QStringLiteral(
        "5, 3, '　P3　', 'Café😀〜', '①②', 123456789012345.6, 1e-7, 'm', 2147483647, '\"q\"'")));
    exec(line.arg(QStringLiteral("5, 4, 'p4', NULL, NULL, -2.5, 2.5e15, NULL, -2147483648, ' , '")));
    exec(line.arg(QStringLiteral("3, 1, 'S', 'N', '名', 0, 0, 'u', 0, ''")));
    exec(line.arg(QStringLiteral("7, 2, 'B', NULL, '二', 12.75, -0.0, NULL, 0, NULL")));
    exec(line.arg(QStringLiteral("7, 1, 'A', NULL, '一', 1e21, 0.125, NULL, 1, NULL")));

    const QString customer = QStringLiteral(
        "INSERT INTO 顧客テーブル (顧客ID, 顧客名かな, 顧客名漢字, 部門, 郵便番号, 所在地１, 所在地２, 電話番号, "
        "FAX番号, 値引率, メモ, 月締め請求, 締め日, 請求書フォーム) VALUES (%1)");
    exec(customer.arg(QStringLiteral(
        "'K\"1', 'やまだ', '山田,商店', '総務 ', '1234567', '大阪府', NULL, '06-1', '', -5, "
        "'a' || char(13, 10) || 'b' || char(10) || 'c', 1, '20日締め', '請求書'")));
    exec(customer.arg(QStringLiteral(
        "'K2', NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, 0, NULL, 0, NULL, NULL")));
    const QString product = QStringLiteral(
        "INSERT INTO 商品テーブル (商品ID, 品番, 品名, 製造元, 単価, 単位, 説明) VALUES (%1)");
    exec(product.arg(QStringLiteral(
        "'S,1', NULL, '六角ボルト \"M8\"', 'Café', 0.1 + 0.2, '本', '説明1' || char(13) || '説明2'")));
    exec(product.arg(QStringLiteral("'S2', '', '', NULL, 1234.5678, NULL, NULL")));
}

} // namespace

class tst_ListCsvFile : public QObject {
    Q_OBJECT
private slots:
    void productExampleBytes();
    void slipOfThreeLines();
    void customerRows_data();
    void customerRows();
    void headersHaveTheirColumns();
    void suggestedFileName();
    void listTextLoadsTheSelectedRecords();
    void charactersWithoutCp932FormAreCounted();
    void failedWriteLeavesTheOldFile();
    void storedRecordsExport_data();
    void storedRecordsExport();
    void exportReadsOnlyTheColumnsItShows();
    void exportFailingPartWayLeavesTheOldFile_data();
    void exportFailingPartWayLeavesTheOldFile();
};

void tst_ListCsvFile::productExampleBytes()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("商品.csv"));
    const QString text = ListCsvFile::ShohinHeader() + ListCsvFile::ShohinRow(exampleProduct());
    QCOMPARE(ListCsvFile::write(path, text), qsizetype(0));
    // CP932, every field quoted, quotes doubled, every line break "//".
    const QByteArray expected =
        "\"\x8f\xa4\x95iID\",\"\x95i\x94\xd4\",\"\x95i\x96\xbc\",\"\x90\xbb\x91\xa2\x8c\xb3\",\"\x92P\x89\xbf\","
        "\"\x92P\x88\xca\",\"\x90\xe0\x96\xbe\"\x0d\x0a\"S01\",\"AB-1\",\"\x98Z\x8ap\x83{\x83\x8b\x83g \"\"M8\"\"\","
        "\"\x93\xfa\x96{\x90\xbb\x8d\xec\x8f\x8a\",\"12.75\",\"\x96{\",\"\x90\xe0\x96\xbe"
        "1//\x90\xe0\x96\xbe"
        "2//3//4\"\x0d\x0a";
    QCOMPARE(testsupport::FullFileSystem::contents(path), expected);
}

void tst_ListCsvFile::slipOfThreeLines()
{
    const QString first = QStringLiteral(
        "\"123\",\"2025/03/31\",\"C001\",\"123-4567\",\"東京都\",\"\",\"山田商店\",\"\",\"\",\"\",\"5\",\"-1,234\","
        "\"1,234,000\",\"0\",\"-1,234,567\",\">>\",\"2025/03/01\",\"\",\"\",\"\",\"\",\"\",\"\",\">>\",\"2025/04/30\","
        "\"\",\"佐藤\",\"一行目//二行目\",\"1\",\"P1\",\"\",\"ボルト\",\"1234.5\",\"1000\",\"\",\"1,234,500\",\"\"\r\n");
    const QString second = QStringLiteral("\"\",").repeated(28)
                           + QStringLiteral("\"2\",\"\",\"\",\"値引\",\"0\",\"0.125\",\"\",\"-500\",\"\"\r\n");
    const QString third = QStringLiteral("\"\",").repeated(28)
                          + QStringLiteral("\"3\",\"P3\",\"\",\"a,b\",\"3\",\"2\",\"\",\"6\",\"\"\r\n");
    const QString rows = ListCsvFile::DenpyoRows(threeLineSlip());
    QCOMPARE(rows, first + second + third);
    QCOMPARE(first.count(QStringLiteral("\",\"")) + 1, 37);
}

void tst_ListCsvFile::customerRows_data()
{
    QTest::addColumn<QString>("postNumber");
    QTest::addColumn<bool>("monthly");
    QTest::addColumn<QString>("row");
    QTest::newRow("monthly, seven-digit postcode")
        << "1234567" << true
        << "\"K01\",\"ヤマダ\",\"山田\",\"総務\",\"123-4567\",\"大阪府\",\"\",\"06-1\",\"\",\"10\","
           "\"a//b\",\"する\",\"20日締め\",\"請求書\"\r\n";
    QTest::newRow("not monthly, no postcode")
        << "" << false
        << "\"K01\",\"ヤマダ\",\"山田\",\"総務\",\"-\",\"大阪府\",\"\",\"06-1\",\"\",\"10\","
           "\"a//b\",\"しない\",\"20日締め\",\"請求書\"\r\n";
    QTest::newRow("short postcode repeats no digit")
        << "12345" << false
        << "\"K01\",\"ヤマダ\",\"山田\",\"総務\",\"123-45\",\"大阪府\",\"\",\"06-1\",\"\",\"10\","
           "\"a//b\",\"しない\",\"20日締め\",\"請求書\"\r\n";
}

void tst_ListCsvFile::customerRows()
{
    QFETCH(QString, postNumber);
    QFETCH(bool, monthly);
    Customer c;
    c.setCustomerID(QStringLiteral("K01"));
    c.setNameKana(QStringLiteral("ヤマダ"));
    c.setNameKnj(QStringLiteral("山田"));
    c.setBumon(QStringLiteral("総務"));
    c.setPostNumber(postNumber);
    c.setAddress1(QStringLiteral("大阪府"));
    c.setPhone(QStringLiteral("06-1"));
    c.setNebikiRitsu(10);
    c.setMemo(QStringLiteral("a\r\nb"));
    c.setTsukiSeikyu(monthly);
    c.setShimeBi(QStringLiteral("20日締め"));
    c.setSeikyushoForm(QStringLiteral("請求書"));
    QTEST(ListCsvFile::CustomerRow(c), "row");

    // A slip with the same postcode shows it the same way.
    Denpyo d;
    d.setCustomerPostNumber(postNumber);
    const QString shown = postNumber.isEmpty() ? QStringLiteral("-") : postNumber.left(3) + '-' + postNumber.mid(3);
    QCOMPARE(ListCsvFile::DenpyoRows(d).split(QLatin1Char(',')).value(3), '"' + shown + '"');
}

void tst_ListCsvFile::headersHaveTheirColumns()
{
    const struct {
        QString header;
        int columns;
        QString first;
        QString last;
    } cases[] = {{ListCsvFile::DenpyoHeader(), 37, "\"伝票番号\"", "\"備考\"\r\n"},
                 {ListCsvFile::CustomerHeader(), 14, "\"顧客ID\"", "\"請求書フォーム\"\r\n"},
                 {ListCsvFile::ShohinHeader(), 7, "\"商品ID\"", "\"説明\"\r\n"}};
    for (const auto &c : cases) {
        QCOMPARE(c.header.split(QLatin1Char(',')).size(), c.columns);
        QVERIFY(c.header.startsWith(c.first));
        QVERIFY(c.header.endsWith(c.last));
    }
    QVERIFY(ListCsvFile::DenpyoHeader().contains(QStringLiteral(",\"明細№\",")));
}

void tst_ListCsvFile::suggestedFileName()
{
    const QDateTime at = localDateTime(QDate(2025, 3, 31), QTime(9, 5, 7));
    QCOMPARE(ListCsvFile::suggestedFileName(QStringLiteral("伝票"), at), QStringLiteral("伝票_250331090507"));
    QCOMPARE(ListCsvFile::suggestedFileName(QStringLiteral("商品"), localDateTime(QDate(2026, 12, 9), QTime(23, 59, 0))),
             QStringLiteral("商品_261209235900"));
}

void tst_ListCsvFile::listTextLoadsTheSelectedRecords()
{
    std::optional<testsupport::OpenedProgramFolder> folder(std::in_place);
    Denpyo slip = threeLineSlip();
    QVERIFY(slip.Apply());
    Shohin a = exampleProduct();
    QVERIFY(a.Apply());
    Shohin b = exampleProduct();
    b.setShohinID(QStringLiteral("S02"));
    QVERIFY(b.Apply());

    // The slip row text is the nine-digit number; a gone record is left out.
    const QString slips = ListCsvFile::text(QStringLiteral("伝票"), {"000000123", "000000999"});
    QCOMPARE(slips, ListCsvFile::DenpyoHeader() + ListCsvFile::DenpyoRows(slip));
    QCOMPARE(slips.count(QStringLiteral("\r\n")), 4);
    const QString products = ListCsvFile::text(QStringLiteral("商品"), {"S02", "S99", "S01"});
    QCOMPARE(products, ListCsvFile::ShohinHeader() + ListCsvFile::ShohinRow(b) + ListCsvFile::ShohinRow(a));
    QCOMPARE(ListCsvFile::text(QStringLiteral("顧客"), {}), ListCsvFile::CustomerHeader());
}

void tst_ListCsvFile::charactersWithoutCp932FormAreCounted()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("x.csv"));
    Shohin s = exampleProduct();
    s.setName(QStringLiteral("Café 😀 〜"));
    s.setMemo(QString());
    QCOMPARE(ListCsvFile::write(path, ListCsvFile::ShohinRow(s)), qsizetype(2));
    QCOMPARE(text::fromCp932(testsupport::FullFileSystem::contents(path)),
             QStringLiteral("\"S01\",\"AB-1\",\"Caf? ? ～\",\"日本製作所\",\"12.75\",\"本\",\"\"\r\n"));
    QCOMPARE(ListCsvFile::replacedMessage(2),
             QStringLiteral("ファイルに書けない文字が2文字あったため、「?」に置き換えて保存しました。"));
}

void tst_ListCsvFile::failedWriteLeavesTheOldFile()
{
    QTemporaryDir dir;
    QVERIFY_THROWS_EXCEPTION(text::TextFileError,
                             ListCsvFile::write(dir.filePath(QStringLiteral("no/such/folder.csv")), QStringLiteral("x")));

    testsupport::FullFileSystem fs(64);
    QVX_NEED_FULL_FS(fs);
    const QString path = fs.filePath(QStringLiteral("list.csv"));
    QVERIFY(ListCsvFile::write(path, QStringLiteral("old\r\n")) == 0);
    QVERIFY(fs.fill());
    QString big;
    for (int i = 0; i < 20000; ++i)
        big += ListCsvFile::ShohinRow(exampleProduct());
    QVERIFY_THROWS_EXCEPTION(text::TextFileError, ListCsvFile::write(path, big));
    QCOMPARE(testsupport::FullFileSystem::contents(path), QByteArray("old\r\n"));
    QCOMPARE(fs.entries(), QStringList{QStringLiteral("list.csv")});
}

void tst_ListCsvFile::storedRecordsExport_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QStringList>("rowTexts");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("replaced");
    // List order, not number order; a record that has gone and a row text
    // that is no number are left out.
    QTest::newRow("slips") << "伝票" << QStringList{"000000005", " 3", "000000999", "abc", "000000002", "7"}
                           << "slips.csv" << 4;
    QTest::newRow("customers") << "顧客" << QStringList{"K2", "k\"1", "K9"} << "customers.csv" << 0;
    QTest::newRow("products") << "商品" << QStringList{"S2", "S,1"} << "products.csv" << 1;
}

// The file's bytes for records as they are stored, pinned from a run of the
// program: a faster way of writing the file must give the same bytes.
void tst_ListCsvFile::storedRecordsExport()
{
    QFETCH(QString, kind);
    QFETCH(QStringList, rowTexts);
    QFETCH(QString, expected);
    QFETCH(int, replaced);
    std::optional<testsupport::OpenedProgramFolder> folder(std::in_place);
    storeTrickyRecords();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("list.csv"));
    QCOMPARE(ListCsvFile::writeList(path, kind, rowTexts), qsizetype(replaced));
    QFile pinned(QStringLiteral(QVX_FIXTURES "/csv/") + expected);
    QVERIFY(pinned.open(QIODevice::ReadOnly));
    QCOMPARE(testsupport::FullFileSystem::contents(path), pinned.readAll());
}

// A value the file does not show cannot stop the export: only the shown
// columns are read.
void tst_ListCsvFile::exportReadsOnlyTheColumnsItShows()
{
    std::optional<testsupport::OpenedProgramFolder> folder(std::in_place);
    storeTrickyRecords();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("list.csv"));
    const QStringList rows{QStringLiteral("000000005"), QStringLiteral("000000007")};
    ListCsvFile::writeList(path, QStringLiteral("伝票"), rows);
    const QByteArray before = testsupport::FullFileSystem::contents(path);
    // A line count past its 16 bits, a time stamp and the date of a stage
    // that is not set that are no dates.
    exec(QStringLiteral("UPDATE 伝票テーブル SET 明細数 = 99999, 作成日付 = 'gestern', 更新日付 = 'x', "
                        "受注日付 = '2025/02/30' WHERE 伝票番号 = 5"));
    ListCsvFile::writeList(path, QStringLiteral("伝票"), rows);
    QCOMPARE(testsupport::FullFileSystem::contents(path), before);
}

void tst_ListCsvFile::exportFailingPartWayLeavesTheOldFile_data()
{
    QTest::addColumn<bool>("diskFull");
    QTest::newRow("a value that does not convert") << false;
    QTest::newRow("the disk fills") << true;
}

// The file goes to the disk while the records are read; a failure after
// some of it was written still leaves the old file whole and no temporary
// file beside it.
void tst_ListCsvFile::exportFailingPartWayLeavesTheOldFile()
{
    QFETCH(bool, diskFull);
    testsupport::FullFileSystem fs(2048);
    QVX_NEED_FULL_FS(fs);
    std::optional<testsupport::OpenedProgramFolder> folder(std::in_place);
    // 400 slips with a memo of 1,000 characters each: far more than one
    // piece of the file.
    exec(QStringLiteral(
        "INSERT INTO 伝票テーブル (伝票番号, 納期, 値引率, 値引金額, 合計, 消費税, 合計消費税込み, メモ) "
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 400) "
        "SELECT i, '2025/01/01', 0, 0, 0, 0, 0, replace(hex(zeroblob(500)), '0', 'x') FROM n"));
    if (!diskFull)
        exec(QStringLiteral("INSERT INTO 明細テーブル (伝票番号, 明細番号, 単価, 数量, 金額) VALUES (400, 1, 1, 1, NULL)"));
    QStringList rows;
    for (int i = 1; i <= 400; ++i)
        rows << QString::number(i);

    const QString path = fs.filePath(QStringLiteral("list.csv"));
    QCOMPARE(ListCsvFile::write(path, QStringLiteral("old\r\n")), qsizetype(0));
    if (diskFull) {
        QVERIFY(fs.fill(300 * 1024));
        QVERIFY_THROWS_EXCEPTION(text::TextFileError, ListCsvFile::writeList(path, QStringLiteral("伝票"), rows));
    } else {
        QVERIFY_THROWS_EXCEPTION(db::DbError, ListCsvFile::writeList(path, QStringLiteral("伝票"), rows));
    }
    QCOMPARE(testsupport::FullFileSystem::contents(path), QByteArray("old\r\n"));
    QCOMPARE(fs.entries(), QStringList{QStringLiteral("list.csv")});
}

QTEST_GUILESS_MAIN(tst_ListCsvFile)
#include "tst_listcsvfile.moc"
