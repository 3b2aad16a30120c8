#include "GridForm.h"
#include "TestSupport.h"
#include "core/BasicInfo.h"
#include "core/DateValue.h"
#include "core/Globals.h"
#include "model/Customer.h"
#include "model/Denpyo.h"
#include "model/Shohin.h"
#include "platform/db/DbError.h"
#include "platform/report/PageFile.h"
#include "platform/report/PreviewDialog.h"
#include "platform/report/PreviewWidget.h"
#include "platform/ui/MessageBox.h"
#include "printing/CustomerPrint.h"
#include "printing/DenpyoListPrint.h"
#include "printing/DenpyoPrint.h"
#include "printing/PrintItemNames.h"
#include "printing/ReportGlobal.h"
#include "printing/ShohinPrint.h"

#include <QDir>
#include <QtTest>
#include <sqlite3.h>

using fixture::GridForm;

namespace {

QDateTime at(int y, int m, int d)
{
    return QDateTime(QDate(y, m, d), QTime(0, 0));
}

void setInfo(const QString &key, const QString &text, qint32 number = 0)
{
    BasicInfo info;
    info.setBasicInfoID(key);
    info.setStringValue(text);
    info.setLongValue(number);
    QVERIFY(info.Apply());
}

void addLine(Denpyo &d, const QString &name, qint32 amount, const QString &bikou = QString())
{
    Meisai &m = d.Meisais().Add();
    m.setItemID(QStringLiteral("S-") + QString::number(d.Meisais().Count()));
    m.setItemNumber(QStringLiteral("No%1").arg(d.Meisais().Count()));
    m.setItemName(name);
    m.setItemTanka(12.5);
    m.setItemSuryo(2);
    m.setItemTanni(QStringLiteral("個"));
    m.setItemKingaku(amount);
    m.setItemBikou(bikou);
}

// Every (spec, text) of the pages as "page:spec" -> text.
QHash<QString, QString> pageTable(const GridForm &form, const QVector<report::Page> &pages)
{
    QHash<QString, QString> out;
    for (int p = 0; p < pages.size(); ++p) {
        const QHash<QString, QString> v = form.values(pages[p]);
        for (auto it = v.begin(); it != v.end(); ++it)
            out.insert(QStringLiteral("%1:%2").arg(p + 1).arg(it.key()), it.value());
    }
    return out;
}

// The reads of slip rows and line rows the database runs while it watches,
// whether each ran inside an open transaction, and how often the most used
// statement of each had run before: a statement prepared once per read never
// runs twice.
class ReadWatch {
public:
    ReadWatch() { sqlite3_trace_v2(connection().handle(), SQLITE_TRACE_STMT, &ReadWatch::traced, this); }
    ~ReadWatch() { sqlite3_trace_v2(connection().handle(), 0, nullptr, nullptr); }

    struct Reads {
        int count = 0;
        int outsideTransaction = 0;
        int mostRuns = 0;
    };
    Reads slips, lines, sums;

private:
    static int traced(unsigned, void *self, void *statement, void *sql)
    {
        auto *watch = static_cast<ReadWatch *>(self);
        const QString text = QString::fromUtf8(static_cast<const char *>(sql));
        if (!text.startsWith(QLatin1String("SELECT")))
            return 0;
        // The list's sums read every listed slip's amounts at once.
        Reads *reads = text.contains(QStringLiteral("json_each")) ? &watch->sums
                       : text.contains(QStringLiteral("FROM 伝票テーブル")) ? &watch->slips
                       : text.contains(QStringLiteral("FROM 明細テーブル")) ? &watch->lines
                                                                            : nullptr;
        if (!reads)
            return 0;
        auto *st = static_cast<sqlite3_stmt *>(statement);
        ++reads->count;
        if (sqlite3_get_autocommit(sqlite3_db_handle(st)))
            ++reads->outsideTransaction;
        reads->mostRuns = qMax(reads->mostRuns, sqlite3_stmt_status(st, SQLITE_STMTSTATUS_RUN, 0));
        return 0;
    }
};

} // namespace

class tst_PrintProcedures : public QObject {
    Q_OBJECT

    testsupport::ProgramFolder m_folder;
    QList<ui::MessageRequest> m_messages;
    int m_previews = 0;
    QString m_base; // the page files of the last preview

    QVector<report::Page> printedPages() const
    {
        return report::loadPages(report::pageFilePaths(m_base));
    }

    // The slip of the record-print examples: the customer block, stages on
    // and off, a discount, an eight-line memo and four lines.
    static Denpyo exampleSlip()
    {
        Denpyo d;
        d.setDenpyoID(1234);
        d.setNouki(at(2024, 5, 10));
        d.setCustomerID(QStringLiteral("C1"));
        d.setCustomerPostNumber(QStringLiteral("1234567"));
        d.setCustomerAddress1(QStringLiteral("東京都千代田区1-1"));
        d.setCustomerName(QStringLiteral("山田商店"));
        d.setCustomerBumon(QStringLiteral("購買部"));
        d.setCustomerTelephone(QStringLiteral("03-1111-2222"));
        d.setMitsumori(false);
        d.setMitsumoriDate(at(2024, 4, 1));
        d.setJuchu(true);
        d.setJuchuDate(at(2024, 4, 2));
        d.setNouhin(true);
        d.setNouhinDate(zeroDate());
        d.setNebikiRitsu(0);
        d.setNebikiKingaku(1500);
        d.setSummery(300000000);
        d.setShouhizei(30000000);
        d.setSummeryWithShouhizei(330000000);
        d.setBumon(QStringLiteral("営業"));
        d.setTanto(QStringLiteral("佐藤"));
        d.setMemo(QStringLiteral("一行目\r\n\r\n三行目\r\n4\r\n5\r\n6\r\n7\r\n8"));
        addLine(d, QStringLiteral("ボルト"), 1005, QStringLiteral("至急"));
        addLine(d, QStringLiteral("返品"), -1005);
        addLine(d, QStringLiteral("あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほ"), 0);
        addLine(d, QStringLiteral("大口"), 300000000);
        return d;
    }

    // Slips A (two lines, 500 off at 5 %) and B (one line), stored.
    static void storeListSlips()
    {
        Customer c;
        c.setCustomerID(QStringLiteral("K1"));
        c.setNameKnj(QStringLiteral("新社名"));
        c.setPostNumber(QStringLiteral("5300001"));
        QVERIFY(c.Apply());
        Denpyo a;
        a.setDenpyoID(101);
        a.setCustomerID(QStringLiteral("K1"));
        a.setCustomerName(QStringLiteral("旧社名"));
        a.setNebikiRitsu(5);
        a.setNebikiKingaku(500);
        a.setSummery(10000);
        a.setShouhizei(1000);
        a.setSummeryWithShouhizei(11000);
        a.setMemo(QStringLiteral("A memo"));
        addLine(a, QStringLiteral("A1"), 6000, QStringLiteral("a1"));
        addLine(a, QStringLiteral("A2"), 4500);
        QVERIFY(a.Apply());
        Denpyo b;
        b.setDenpyoID(102);
        b.setCustomerName(QStringLiteral("B社"));
        b.setSummery(20000);
        b.setShouhizei(2000);
        b.setSummeryWithShouhizei(22000);
        b.setNouhin(true);
        b.setNouhinDate(at(2024, 4, 15));
        addLine(b, QStringLiteral("B1"), 20000);
        QVERIFY(b.Apply());
        // 103: every slip item filled, no stored line.
        Denpyo k;
        k.setDenpyoID(103);
        k.setNouki(at(2024, 5, 20));
        k.setCustomerID(QStringLiteral("K1"));
        k.setCustomerPostNumber(QStringLiteral("1000001"));
        k.setCustomerAddress1(QStringLiteral("東京都港区1-2"));
        k.setCustomerAddress2(QStringLiteral("丙ビル3F"));
        k.setCustomerName(QStringLiteral("丙社"));
        k.setCustomerBumon(QStringLiteral("経理部"));
        k.setCustomerTelephone(QStringLiteral("03-0000-1111"));
        k.setCustomerFax(QStringLiteral("03-0000-2222"));
        k.setMitsumori(true);
        k.setMitsumoriDate(at(2024, 4, 1));
        k.setJuchu(true);
        k.setJuchuDate(at(2024, 4, 2));
        k.setNouhinDate(at(2024, 4, 3)); // stage off: its date is not kept
        k.setSeikyu(true);
        k.setSeikyuDate(at(2024, 5, 31));
        k.setSummery(5000);
        k.setShouhizei(500);
        k.setSummeryWithShouhizei(5500);
        k.setBumon(QStringLiteral("営業"));
        k.setTanto(QStringLiteral("鈴木"));
        k.setMemo(QStringLiteral("一\r\n二\r\n三\r\n四\r\n五\r\n六\r\n七"));
        QVERIFY(k.Apply());
    }

private slots:
    void initTestCase()
    {
        m_folder.open();
        ui::setMessageResponder([this](const ui::MessageRequest &r) {
            m_messages << r;
            return ui::Answer::Ok;
        });
        // The preview keeps what it shows as page files, as an archive would.
        report::setPreviewDriver([this](report::PreviewDialog &d) {
            ++m_previews;
            report::writePageFiles(m_base, d.viewer()->pages());
            return int(QDialog::Accepted);
        });
        setInfo(QStringLiteral("MyName"), QStringLiteral("見本商事"));
        setInfo(QStringLiteral("MyPostNumber"), QStringLiteral("1500002"));
        // Account 1 with a bank and a type never saved, account 2 with a
        // number only, account 3 with nothing but its type.
        setInfo(QStringLiteral("MyKoza1Ginko"), QStringLiteral("見本銀行"));
        connection().exec(QStringLiteral("DELETE FROM 基本情報テーブル WHERE 基本情報ID = 'MyKoza1Shurui';"));
        setInfo(QStringLiteral("MyKoza2Number"), QStringLiteral("1234567"));
        setInfo(QStringLiteral("MyKoza2Shurui"), QString(), 1);
        setInfo(QStringLiteral("MyKoza3Shurui"), QString(), 1);
        storeListSlips();
    }

    void init()
    {
        m_messages.clear();
        m_previews = 0;
        m_base = m_folder.path() + QStringLiteral("/pages/out");
        QDir().mkpath(m_folder.path() + QStringLiteral("/pages"));
    }

    void slipPrint_data()
    {
        QTest::addColumn<QString>("cell");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char *cell, const QString &expected) { QTest::newRow(cell) << cell << expected; };
        row("1:P_印刷日付", "2024/06/01");
        row("1:P_伝票番号", "1234");
        row("1:P_納期", "2024/05/10");
        row("1:P_顧客郵便", "123-4567");
        row("1:P_顧客名+様", "山田商店 様");
        row("1:P_顧客名+御中", "山田商店 御中");
        row("1:P_顧客所在地２", "");
        row("1:P_見積日", "");        // stage off: its date does not print
        row("1:P_受注日", "2024/04/02");
        row("1:P_納品日", "");        // stage on without a date
        row("1:P_値引率", "0");
        row("1:P_値引金額", "1500");
        row("1:P_値引き+値引金額", "値引き \\1,500円");
        row("1:P_値引き+値引率+値引金額", "値引き \\1,500円");
        row("1:P_合計-消費税", "270000000");
        row("1:P_税込合計", "330000000");
        row("1:P_メモ１行目", "一行目");
        row("1:P_メモ２行目", "");
        row("1:P_メモ３行目", "三行目");
        row("1:P_メモ６行目", "6");
        row("1:P_自社会社名", "見本商事");
        row("1:P_自社郵便番号", "1500002");
        row("1:P_自社振込口座１種類", "当座"); // never saved
        row("1:P_自社振込口座２種類", "普通");
        row("1:P_自社振込口座３種類", "");     // no account to name the type of
        row("1:P_自社振込口座３銀行", "");
        // Line 1: 1005 at 10 %.
        row("1:1_品番+品名", "No1 ボルト");
        row("1:1_単価", "12.5");
        row("1:1_金額", "1005");
        row("1:1_明細消費税", "101");
        row("1:1_明細税込金額", "1106");
        row("1:1_明細消費税(内税)", "91");
        row("1:1_明細金額-消費税(内税)", "914");
        row("1:1_備考", "至急");
        row("1:2_明細消費税", "-101");
        row("1:2_明細消費税(内税)", "-91");
        row("1:3_品名１－２５", "あいうえおかきくけこさしすせそたちつてとなにぬねの");
        row("1:3_品名２６－５０", "はひふへほ");
        // Line 4 on page 2: an amount whose tax overflows 32 bits.
        row("2:1_品名", "大口");
        row("2:1_明細消費税", "30000000");
        row("2:1_明細税込金額", "330000000");
        row("2:1_明細消費税(内税)", "27272727");
        row("2:2_品名", "");
        // The totals add the rounded line values.
        row("1:P_明細集計/金額", "300000000");
        row("2:P_明細集計/消費税", "30000000");
        row("1:P_明細集計/消費税(内税)", "27272727");
        row("1:P_明細集計/明細金額-消費税(内税)", "272727273");
    }

    // A slip object prints as given, three lines a page.
    void slipPrint()
    {
        QFETCH(QString, cell);
        QFETCH(QString, expected);
        const GridForm form(fixture::pageSpecs(fnGetItemNames(QStringLiteral("Denpyo"), QStringLiteral("P")).mid(1))
                            + fixture::slotSpecs(fnGetItemNames(QStringLiteral("Denpyo"), QStringLiteral("D")).mid(1), 3));
        form.save(gstrDenpyoPrintFormFolder + QStringLiteral("grid.rpx"));
        QVERIFY(PrintDenpyo(exampleSlip(), gstrDenpyoPrintFormFolder, QStringLiteral("grid"), at(2024, 6, 1)));
        const QVector<report::Page> pages = printedPages();
        QCOMPARE(pages.size(), 2);
        const QHash<QString, QString> table = pageTable(form, pages);
        QVERIFY2(table.contains(cell), qPrintable(cell));
        QCOMPARE(table.value(cell), expected);
        QVERIFY(m_messages.isEmpty());
    }

    void discountTexts_data()
    {
        QTest::addColumn<int>("amount");
        QTest::addColumn<int>("rate");
        QTest::addColumn<QString>("plain");
        QTest::addColumn<QString>("withRate");
        QTest::newRow("none") << 0 << 5 << "" << "";
        QTest::newRow("rate") << 1500 << 5 << "値引き \\1,500円" << "値引き 5% \\1,500円";
        QTest::newRow("negative") << -500 << 0 << "" << "値引き -\\500円";
    }

    void discountTexts()
    {
        QFETCH(int, amount);
        QFETCH(int, rate);
        QFETCH(QString, plain);
        QFETCH(QString, withRate);
        const GridForm form({"P_値引き+値引金額", "P_値引き+値引率+値引金額"});
        form.save(gstrDenpyoPrintFormFolder + QStringLiteral("nebiki.rpx"));
        Denpyo d;
        d.setNebikiKingaku(amount);
        d.setNebikiRitsu(qint16(rate));
        d.Meisais().Add();
        QVERIFY(PrintDenpyo(d, gstrDenpyoPrintFormFolder, QStringLiteral("nebiki"), at(2024, 6, 1)));
        const QHash<QString, QString> v = form.values(printedPages().value(0));
        QCOMPARE(v.value("P_値引き+値引金額"), plain);
        QCOMPARE(v.value("P_値引き+値引率+値引金額"), withRate);
    }

    void slipWithoutLinesHasNoPage()
    {
        GridForm({"P_伝票番号"}).save(gstrDenpyoPrintFormFolder + QStringLiteral("one.rpx"));
        Denpyo d;
        d.setDenpyoID(5);
        QVERIFY(PrintDenpyo(d, gstrDenpyoPrintFormFolder, QStringLiteral("one"), at(2024, 6, 1)));
        QCOMPARE(printedPages().size(), 0);
    }

    void slipListRows_data()
    {
        QTest::addColumn<QString>("options");
        QTest::addColumn<QStringList>("rows");
        // 行番号, 伝票連番, 伝票番号, 顧客名, 納品日, 品名, 金額, 備考
        const auto r = [](const QStringList &cells) { return cells.join(QLatin1Char('|')); };
        const QString a = r({"1", "1", "101", "旧社名", "", "", "", ""});
        const QString a1 = r({"", "", "", "", "", "A1", "6000", "a1"});
        const QString a2 = r({"", "", "", "", "", "A2", "4500", ""});
        const QString off = r({"", "", "", "", "", "", "-500", "値引き 5%"});
        const QString b = r({"", "2", "102", "B社", "2024/04/15", "", "", ""});
        const QString b1 = r({"", "", "", "", "", "B1", "20000", ""});
        // The row number goes into the first cell.
        const auto n = [](int number, const QString &row) { return QString::number(number) + row.mid(row.indexOf('|')); };
        QTest::newRow("0;1;0;") << "0;1;0;"
                                << QStringList{r({"1", "1", "101", "旧社名", "", "A1", "6000", "a1"}), n(2, a2),
                                               n(3, off), r({"4", "2", "102", "B社", "2024/04/15", "B1", "20000", ""})};
        QTest::newRow("0;1;1;") << "0;1;1;" << QStringList{a, n(2, a1), n(3, a2), n(4, off), n(5, b), n(6, b1)};
        QTest::newRow("0;0;0;") << "0;0;0;" << QStringList{a, n(2, b)};
    }

    // Rows of the slip list by the form's options, four slots a page, kept
    // as page files under the save path.
    void slipListRows()
    {
        QFETCH(QString, options);
        QFETCH(QStringList, rows);
        const QStringList items{"行番号", "伝票連番", "伝票番号", "顧客名", "納品日", "品名", "金額", "備考"};
        const GridForm form(fixture::slotSpecs(items, 4) + QStringList{"P_先頭伝票/顧客名"}, options);
        form.save(gstrDenpyoListPrintFormFolder + QStringLiteral("rows.rpx"));
        QVERIFY(PrintDenpyoList(gstrDenpyoListPrintFormFolder, QStringLiteral("rows"), at(2024, 6, 1),
                                {QString(), QStringLiteral("000000101"), QStringLiteral("000000102")},
                                m_folder.path() + QStringLiteral("/pages/list")));
        const QVector<report::Page> pages =
            report::loadPages(report::pageFilePaths(m_folder.path() + QStringLiteral("/pages/list")));
        QCOMPARE(pages.size(), (rows.size() + 3) / 4);
        QStringList printed;
        for (const report::Page &page : pages) {
            const QHash<QString, QString> v = form.values(page);
            for (int slot = 1; slot <= 4; ++slot) {
                QStringList cells;
                for (const QString &item : items)
                    cells << v.value(QStringLiteral("%1_%2").arg(slot).arg(item));
                if (!cells.join(QString()).isEmpty())
                    printed << cells.join(QLatin1Char('|'));
            }
            QCOMPARE(v.value("P_先頭伝票/顧客名"), QStringLiteral("旧社名"));
        }
        QCOMPARE(printed, rows);
    }

    void slipListWholeReport_data()
    {
        QTest::addColumn<QString>("options");
        QTest::addColumn<QStringList>("rows");
        // A row as its printed items, "item=value", in the order of the
        // vocabulary; items that print nothing are left out.
        const auto row = [](int number, const QStringList &parts) {
            return (QStringList{QStringLiteral("行番号=%1").arg(number)} + parts).join(QLatin1Char('|'));
        };
        const auto slip = [](int position, const QString &items) {
            return QStringLiteral("伝票連番=%1|").arg(position) + items;
        };
        const QString c = "伝票番号=103|納期=2024/05/20|顧客ID=K1|顧客郵便=100-0001|顧客所在地１=東京都港区1-2|"
                          "顧客所在地２=丙ビル3F|顧客名=丙社|顧客部門=経理部|顧客電話=03-0000-1111|"
                          "顧客FAX=03-0000-2222|見積日=2024/04/01|受注日=2024/04/02|請求日=2024/05/31|値引率=0|"
                          "値引金額=0|合計=5000|消費税=500|税込合計=5500|合計-消費税=4500|部門=営業|担当=鈴木|"
                          "メモ１行目=一|メモ２行目=二|メモ３行目=三|メモ４行目=四|メモ５行目=五|メモ６行目=六";
        const QString a = "伝票番号=101|顧客ID=K1|顧客名=旧社名|値引率=5|値引金額=500|合計=10000|消費税=1000|"
                          "税込合計=11000|合計-消費税=9000|メモ１行目=A memo";
        const QString gone = "伝票番号=0|値引率=0|値引金額=0|合計=0|消費税=0|税込合計=0|合計-消費税=0";
        const QString b = "伝票番号=102|顧客名=B社|納品日=2024/04/15|値引率=0|値引金額=0|合計=20000|消費税=2000|"
                          "税込合計=22000|合計-消費税=18000";
        // A slip without stored lines prints one empty line.
        const QString emptyLine = "品番+品名= |単価=0|数量=0|金額=0";
        const QString a1 = "商品ID=S-1|品番=No1|品名=A1|品名１－２５=A1|品番+品名=No1 A1|単価=12.5|数量=2|単位=個|"
                           "金額=6000|備考=a1";
        const QString a2 = "商品ID=S-2|品番=No2|品名=A2|品名１－２５=A2|品番+品名=No2 A2|単価=12.5|数量=2|単位=個|"
                           "金額=4500";
        const QString off = "金額=-500|備考=値引き 5%";
        const QString b1 = "商品ID=S-1|品番=No1|品名=B1|品名１－２５=B1|品番+品名=No1 B1|単価=12.5|数量=2|単位=個|"
                           "金額=20000";
        QTest::newRow("slips only") << "0;0;0;"
                                    << QStringList{row(1, {slip(1, c)}), row(2, {slip(2, a)}), row(3, {slip(3, gone)}),
                                                   row(4, {slip(4, b)}), row(5, {slip(5, a)})};
        QTest::newRow("lines in the slip row")
            << "0;1;0;"
            << QStringList{row(1, {slip(1, c), emptyLine}), row(2, {slip(2, a), a1}), row(3, {a2}), row(4, {off}),
                           row(5, {slip(3, gone)}), row(6, {slip(4, b), b1}), row(7, {slip(5, a), a1}), row(8, {a2}),
                           row(9, {off})};
        QTest::newRow("lines apart")
            << "0;1;1;"
            << QStringList{row(1, {slip(1, c)}), row(2, {emptyLine}), row(3, {slip(2, a)}), row(4, {a1}), row(5, {a2}),
                           row(6, {off}), row(7, {slip(3, gone)}), row(8, {slip(4, b)}), row(9, {b1}),
                           row(10, {slip(5, a)}), row(11, {a1}), row(12, {a2}), row(13, {off})};
    }

    // Every item of a list print, page and rows, over a slip with every item
    // filled and no stored line, a slip listed twice and a slip that is gone:
    // the rows follow the form's options, the page items never do.
    void slipListWholeReport()
    {
        QFETCH(QString, options);
        QFETCH(QStringList, rows);
        const QStringList rowItems = fnGetItemNames(QStringLiteral("DenpyoList"), QStringLiteral("D")).mid(1);
        const QStringList pageItems = fnGetItemNames(QStringLiteral("DenpyoList"), QStringLiteral("P")).mid(1);
        const int slotCount = 16;
        const GridForm form(fixture::pageSpecs(pageItems) + fixture::slotSpecs(rowItems, slotCount), options);
        form.save(gstrDenpyoListPrintFormFolder + QStringLiteral("whole.rpx"));
        QVERIFY(PrintDenpyoList(gstrDenpyoListPrintFormFolder, QStringLiteral("whole"), at(2024, 6, 1),
                                {QString(), QStringLiteral("0103"), QStringLiteral("101"), QStringLiteral("999"),
                                 QStringLiteral("102"), QStringLiteral("101")},
                                QString()));
        const QVector<report::Page> pages = printedPages();
        QCOMPARE(pages.size(), 1);
        const QHash<QString, QString> v = form.values(pages[0]);
        QStringList printed;
        for (int slot = 1; slot <= slotCount; ++slot) {
            QStringList cells;
            for (const QString &item : rowItems) {
                const QString text = v.value(QStringLiteral("%1_%2").arg(slot).arg(item));
                if (!text.isEmpty())
                    cells << item + QLatin1Char('=') + text;
            }
            if (!cells.isEmpty())
                printed << cells.join(QLatin1Char('|'));
        }
        QCOMPARE(printed, rows);

        QStringList page;
        for (const QString &item : pageItems) {
            const QString text = v.value(QStringLiteral("P_") + item);
            if (!text.isEmpty())
                page << item + QLatin1Char('=') + text;
        }
        // The first slip as stored, its customer as registered, the totals
        // over every listed slip (101 twice, the gone one as nothing).
        const QStringList expectedPage{
            "印刷日付=2024/06/01", "先頭伝票/納期=2024/05/20", "先頭伝票/顧客ID=K1", "先頭伝票/顧客郵便=100-0001",
            "先頭伝票/顧客所在地１=東京都港区1-2", "先頭伝票/顧客所在地２=丙ビル3F", "先頭伝票/顧客名=丙社",
            "先頭伝票/顧客名+様=丙社 様", "先頭伝票/顧客名+御中=丙社 御中", "先頭伝票/顧客部門=経理部",
            "先頭伝票/顧客電話=03-0000-1111", "先頭伝票/顧客FAX=03-0000-2222", "先頭伝票/見積日付=2024/04/01",
            "先頭伝票/受注日付=2024/04/02", "先頭伝票/請求日付=2024/05/31", "先頭伝票/部門=営業", "先頭伝票/担当=鈴木",
            "先頭伝票/値引率=0", "先頭伝票/メモ１行目=一", "先頭伝票/メモ２行目=二", "先頭伝票/メモ３行目=三",
            "先頭伝票/メモ４行目=四", "先頭伝票/メモ５行目=五", "先頭伝票/メモ６行目=六",
            "先頭伝票顧客/顧客郵便=530-0001", "先頭伝票顧客/顧客名=新社名", "先頭伝票顧客/顧客名+様=新社名 様",
            "先頭伝票顧客/顧客名+御中=新社名 御中", "伝票集計/値引金額=1000", "伝票集計/合計=45000",
            "伝票集計/消費税=4500", "伝票集計/税込合計=49500", "伝票集計/合計-消費税=40500",
            "伝票集計/合計x消費税率=4500", "伝票集計/合計+(合計x消費税率)=49500",
            "伝票集計/合計x消費税率(内税計算)=4091", "伝票集計/合計-(合計x消費税率(内税計算))=40909",
            "自社会社名=見本商事", "自社郵便番号=1500002", "自社振込口座１銀行=見本銀行", "自社振込口座１種類=当座",
            "自社振込口座２種類=普通", "自社振込口座２番号=1234567"};
        QCOMPARE(page, expectedPage);
        QVERIFY(m_messages.isEmpty());
    }

    void slipListReads_data()
    {
        QTest::addColumn<QString>("options");
        QTest::addColumn<int>("lineReads");
        // Five keys: four slips that are there (one of them twice) and one
        // that is gone.
        QTest::newRow("slips only") << "0;0;0;" << 0;
        QTest::newRow("lines in the slip row") << "0;1;0;" << 4;
        QTest::newRow("lines apart") << "0;1;1;" << 4;
    }

    // A list print reads each listed slip once, its lines only for a form
    // that prints them, through statements prepared once, and the totals by
    // one read over the list, all of it inside transactions.
    void slipListReads()
    {
        QFETCH(QString, options);
        QFETCH(int, lineReads);
        GridForm({"1_伝票番号"}, options).save(gstrDenpyoListPrintFormFolder + QStringLiteral("reads.rpx"));
        ReadWatch watch;
        QVERIFY(PrintDenpyoList(gstrDenpyoListPrintFormFolder, QStringLiteral("reads"), at(2024, 6, 1),
                                {QString(), QStringLiteral("0103"), QStringLiteral("101"), QStringLiteral("999"),
                                 QStringLiteral("102"), QStringLiteral("101")},
                                QString()));
        QCOMPARE(watch.slips.count, 5);
        QCOMPARE(watch.slips.outsideTransaction, 0);
        QVERIFY2(watch.slips.mostRuns >= 4, qPrintable(QString::number(watch.slips.mostRuns)));
        QCOMPARE(watch.lines.count, lineReads);
        QCOMPARE(watch.lines.outsideTransaction, 0);
        QCOMPARE(watch.sums.count, 1);
        QCOMPARE(watch.sums.outsideTransaction, 0);
        if (lineReads > 0)
            QVERIFY2(watch.lines.mostRuns >= lineReads - 1, qPrintable(QString::number(watch.lines.mostRuns)));
        // Nothing is left open once the preview is shown.
        QVERIFY(!connection().inTransaction());
    }

    void slipListPageItems_data()
    {
        QTest::addColumn<QString>("spec");
        QTest::addColumn<QString>("expected");
        QTest::newRow("stored name") << "P_先頭伝票/顧客名" << "旧社名";
        QTest::newRow("register name") << "P_先頭伝票顧客/顧客名+様" << "新社名 様";
        QTest::newRow("register post") << "P_先頭伝票顧客/顧客郵便" << "530-0001";
        QTest::newRow("empty post") << "P_先頭伝票/顧客郵便" << "";
        QTest::newRow("zero date") << "P_先頭伝票/見積日付" << "";
        QTest::newRow("rate") << "P_先頭伝票/値引率" << "5";
        QTest::newRow("memo") << "P_先頭伝票/メモ１行目" << "A memo";
        QTest::newRow("sum") << "P_伝票集計/合計" << "30000";
        QTest::newRow("tax on sum") << "P_伝票集計/合計x消費税率" << "3000";
        QTest::newRow("sum with tax") << "P_伝票集計/合計+(合計x消費税率)" << "33000";
        QTest::newRow("tax within") << "P_伝票集計/合計x消費税率(内税計算)" << "2727";
        QTest::newRow("sum less tax") << "P_伝票集計/合計-(合計x消費税率(内税計算))" << "27273";
        QTest::newRow("discounts") << "P_伝票集計/値引金額" << "500";
        QTest::newRow("taxes") << "P_伝票集計/消費税" << "3000";
        QTest::newRow("with taxes") << "P_伝票集計/税込合計" << "33000";
        QTest::newRow("less taxes") << "P_伝票集計/合計-消費税" << "27000";
        QTest::newRow("own company") << "P_自社会社名" << "見本商事";
    }

    void slipListPageItems()
    {
        QFETCH(QString, spec);
        QFETCH(QString, expected);
        const GridForm form({spec, "2_伝票番号"});
        form.save(gstrDenpyoListPrintFormFolder + QStringLiteral("head.rpx"));
        QVERIFY(PrintDenpyoList(gstrDenpyoListPrintFormFolder, QStringLiteral("head"), at(2024, 6, 1),
                                {QString(), QStringLiteral("101"), QStringLiteral("102")}, QString()));
        const QVector<report::Page> pages = printedPages();
        QCOMPARE(pages.size(), 1);
        QCOMPARE(form.values(pages[0]).value(spec), expected);
    }

    void slipListTotalsOfStoredAmounts_data()
    {
        QTest::addColumn<QString>("stored"); // 合計 of slip 102, as SQL
        QTest::addColumn<QString>("expected"); // the printed total of 101 and 102; "" when the print fails
        QTest::newRow("whole") << "20000" << "30000";
        QTest::newRow("whole, stored as text") << "' 20000'" << "30000";
        QTest::newRow("whole, stored as a real") << "20000.0" << "30000";
        QTest::newRow("largest a slip holds") << "2147483647" << "2147493647";
        QTest::newRow("smallest a slip holds") << "-2147483648" << "-2147473648";
        QTest::newRow("just beyond a slip's range") << "2147483648" << "";
        QTest::newRow("fraction") << "20000.9" << "";
        QTest::newRow("text") << "'二万'" << "";
        QTest::newRow("beyond a slip's range") << "3000000000" << "";
        QTest::newRow("none") << "NULL" << "";
    }

    // The list's total takes each slip's amount as a slip read takes it: an
    // amount that is no whole number a slip can hold is refused before
    // anything is shown.
    void slipListTotalsOfStoredAmounts()
    {
        QFETCH(QString, stored);
        QFETCH(QString, expected);
        const GridForm form({"P_伝票集計/合計", "1_伝票番号"});
        form.save(gstrDenpyoListPrintFormFolder + QStringLiteral("stored.rpx"));
        connection().exec(QStringLiteral("UPDATE 伝票テーブル SET 合計 = %1 WHERE 伝票番号 = 102").arg(stored));
        const auto restore = qScopeGuard(
            [] { connection().exec(QStringLiteral("UPDATE 伝票テーブル SET 合計 = 20000 WHERE 伝票番号 = 102")); });
        const auto print = [] {
            return PrintDenpyoList(gstrDenpyoListPrintFormFolder, QStringLiteral("stored"), at(2024, 6, 1),
                                   {QString(), QStringLiteral("101"), QStringLiteral("102")}, QString());
        };
        if (expected.isEmpty()) {
            QVERIFY_THROWS_EXCEPTION(db::DbError, print());
            QCOMPARE(m_previews, 0);
            return;
        }
        QVERIFY(print());
        QCOMPARE(form.values(printedPages().value(0)).value("P_伝票集計/合計"), expected);
    }

    void slipListFailures()
    {
        // No slip number: nothing is shown.
        QVERIFY(!PrintDenpyoList(gstrDenpyoListPrintFormFolder, QStringLiteral("head"), at(2024, 6, 1), {QString()},
                                 QString()));
        QCOMPARE(m_previews, 0);
        // A print form that is not there: reported, no preview.
        QVERIFY(!PrintDenpyoList(gstrDenpyoListPrintFormFolder, QStringLiteral("gone"), at(2024, 6, 1),
                                 {QString(), QStringLiteral("101")}, QString()));
        QCOMPARE(m_previews, 0);
        QCOMPARE(m_messages.size(), 1);
        // A slip that is gone prints as a cleared slip.
        const GridForm form({"1_行番号", "1_伝票番号", "1_顧客名", "1_納期", "P_先頭伝票/納期"});
        form.save(gstrDenpyoListPrintFormFolder + QStringLiteral("gone.rpx"));
        QVERIFY(PrintDenpyoList(gstrDenpyoListPrintFormFolder, QStringLiteral("gone"), at(2024, 6, 1),
                                {QString(), QStringLiteral("999")}, QString()));
        const QHash<QString, QString> v = form.values(printedPages().value(0));
        QCOMPARE(v.value("1_行番号"), QStringLiteral("1"));
        QCOMPARE(v.value("1_伝票番号"), QStringLiteral("0"));
        QCOMPARE(v.value("1_納期"), QString());
        QCOMPARE(v.value("P_先頭伝票/納期"), QString());
    }

    void customerItems_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("sheet");
        QTest::addColumn<QString>("gone"); // a listed customer that is no longer stored
        QTest::newRow("ID") << "顧客ID" << "C1" << "";
        QTest::newRow("kana") << "顧客名かな" << "ヤマダ" << "";
        QTest::newRow("name") << "顧客名漢字" << "山田商店" << "";
        QTest::newRow("sama") << "顧客名漢字+様" << "山田商店 様" << " 様";
        QTest::newRow("onchu") << "顧客名漢字+御中" << "山田商店 御中" << " 御中";
        QTest::newRow("bumon") << "部門" << "購買部" << "";
        QTest::newRow("post") << "郵便番号" << "123-4567" << "";
        QTest::newRow("address1") << "所在地１" << "東京都" << "";
        QTest::newRow("address2") << "所在地２" << "1-1" << "";
        QTest::newRow("phone") << "電話番号" << "03-1111-2222" << "";
        QTest::newRow("fax") << "FAX番号" << "03-1111-2223" << "";
        QTest::newRow("rate") << "値引率" << "3" << "0";
        QTest::newRow("monthly") << "月締め請求" << "する" << "しない";
        QTest::newRow("closing") << "締め日" << "20日締め" << "";
        QTest::newRow("form") << "請求書フォーム" << "請求書A" << "";
        QTest::newRow("memo 1") << "メモ１行目" << "一行目" << "";
        QTest::newRow("memo 2") << "メモ２行目" << "  二行目" << "";
        QTest::newRow("memo 3") << "メモ３行目" << "" << "";
        QTest::newRow("not set") << "請求金額計算" << "" << "";
    }

    // One customer on a sheet (page items) and in a list (detail items).
    void customerItems()
    {
        QFETCH(QString, item);
        QFETCH(QString, sheet);
        QFETCH(QString, gone);
        Customer c;
        c.setCustomerID(QStringLiteral("C1"));
        c.setNameKana(QStringLiteral("ヤマダ"));
        c.setNameKnj(QStringLiteral("山田商店"));
        c.setBumon(QStringLiteral("購買部"));
        c.setPostNumber(QStringLiteral("1234567"));
        c.setAddress1(QStringLiteral("東京都"));
        c.setAddress2(QStringLiteral("1-1"));
        c.setPhone(QStringLiteral("03-1111-2222"));
        c.setFax(QStringLiteral("03-1111-2223"));
        c.setNebikiRitsu(3);
        c.setTsukiSeikyu(true);
        c.setShimeBi(QStringLiteral("20日締め"));
        c.setSeikyushoForm(QStringLiteral("請求書A"));
        c.setMemo(QStringLiteral("  一行目\r\n  二行目  "));
        if (!Customer().Load(QStringLiteral("C1")))
            QVERIFY(c.Apply());

        const GridForm sheetForm({"P_" + item, "P_印刷日付", "P_自社会社名"});
        sheetForm.save(gstrCustomerPrintFormFolder + QStringLiteral("sheet.rpx"));
        QVERIFY(PrintCustomer(c, gstrCustomerPrintFormFolder, QStringLiteral("sheet"), at(2024, 6, 1)));
        QVector<report::Page> pages = printedPages();
        QCOMPARE(pages.size(), 1);
        QHash<QString, QString> v = sheetForm.values(pages[0]);
        QCOMPARE(v.value("P_" + item), sheet);
        QCOMPARE(v.value("P_印刷日付"), QStringLiteral("2024/06/01"));
        QCOMPARE(v.value("P_自社会社名"), QStringLiteral("見本商事"));

        const GridForm listForm(fixture::slotSpecs({item}, 2) + QStringList{"P_自社会社名"});
        listForm.save(gstrCustomerListPrintFormFolder + QStringLiteral("list.rpx"));
        QVERIFY(PrintCustomerList(gstrCustomerListPrintFormFolder, QStringLiteral("list"), at(2024, 6, 1),
                                  {QString(), QStringLiteral("C1"), QStringLiteral("gone"), QStringLiteral("C1")},
                                  QString()));
        pages = printedPages();
        QCOMPARE(pages.size(), 2);
        v = listForm.values(pages[0]);
        QCOMPARE(v.value("1_" + item), sheet);
        QCOMPARE(v.value("2_" + item), gone);
        QCOMPARE(listForm.values(pages[1]).value("1_" + item), sheet);
        QCOMPARE(v.value("P_自社会社名"), QStringLiteral("見本商事"));
    }

    void shohinItems_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("sheet");
        QTest::addColumn<QString>("gone");
        QTest::newRow("ID") << "商品ID" << "P1" << "";
        QTest::newRow("number") << "品番" << "BP-05" << "";
        QTest::newRow("name") << "品名" << "あいうえおかきくけこさしすせそたちつてとなにぬねのん" << "";
        QTest::newRow("head") << "品名１－２５" << "あいうえおかきくけこさしすせそたちつてとなにぬねの" << "";
        QTest::newRow("tail") << "品名２６－５０" << "ん" << "";
        QTest::newRow("maker") << "製造元" << "見本文具" << "";
        QTest::newRow("price") << "単価" << "1280.5" << "0";
        QTest::newRow("unit") << "単位" << "箱" << "";
        QTest::newRow("memo 1") << "メモ１行目" << "赤" << "";
        QTest::newRow("memo 2") << "メモ２行目" << "" << "";
    }

    void shohinItems()
    {
        QFETCH(QString, item);
        QFETCH(QString, sheet);
        QFETCH(QString, gone);
        Shohin s;
        s.setShohinID(QStringLiteral("P1"));
        s.setNumber(QStringLiteral("BP-05"));
        s.setName(QStringLiteral("あいうえおかきくけこさしすせそたちつてとなにぬねのん"));
        s.setMaker(QStringLiteral("見本文具"));
        s.setTanka(1280.5);
        s.setTanni(QStringLiteral("箱"));
        s.setMemo(QStringLiteral("赤"));
        if (!Shohin().Load(QStringLiteral("P1")))
            QVERIFY(s.Apply());

        const GridForm sheetForm({"P_" + item});
        sheetForm.save(gstrShohinPrintFormFolder + QStringLiteral("sheet.rpx"));
        QVERIFY(PrintShohin(s, gstrShohinPrintFormFolder, QStringLiteral("sheet"), at(2024, 6, 1)));
        QVector<report::Page> pages = printedPages();
        QCOMPARE(pages.size(), 1);
        QCOMPARE(sheetForm.values(pages[0]).value("P_" + item), sheet);

        const GridForm listForm(fixture::slotSpecs({item}, 3));
        listForm.save(gstrShohinListPrintFormFolder + QStringLiteral("list.rpx"));
        QVERIFY(PrintShohinList(gstrShohinListPrintFormFolder, QStringLiteral("list"), at(2024, 6, 1),
                                {QString(), QStringLiteral("gone"), QStringLiteral("P1")}, QString()));
        pages = printedPages();
        QCOMPARE(pages.size(), 1);
        const QHash<QString, QString> v = listForm.values(pages[0]);
        QCOMPARE(v.value("1_" + item), gone);
        QCOMPARE(v.value("2_" + item), sheet);
        QCOMPARE(v.value("3_" + item), QString());
    }

    void everyProcedureFillsItsVocabulary_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QStringList>("unset"); // vocabulary names no procedure fills
        for (const char *kind : {"Denpyo", "DenpyoList", "TsukiSeikyusho", "Shohin", "ShohinList"})
            QTest::newRow(kind) << kind << QStringList{};
        QTest::newRow("Customer") << "Customer" << QStringList{"請求金額計算", "請求金額計算説明"};
        QTest::newRow("CustomerList") << "CustomerList" << QStringList{"請求金額計算", "請求金額計算説明"};
    }

    // The names each procedure hands over are its kind's names, all of them.
    void everyProcedureFillsItsVocabulary()
    {
        QFETCH(QString, kind);
        QFETCH(QStringList, unset);
        const QString name = QStringLiteral("vocabulary");
        const QDateTime date = at(2024, 6, 1);
        if (kind == QStringLiteral("Denpyo")) {
            GridForm({"P_伝票番号"}).save(gstrDenpyoPrintFormFolder + name + QStringLiteral(".rpx"));
            Denpyo d = exampleSlip();
            d.setMitsumori(true);
            d.setSeikyu(true);
            d.setNyukin(true);
            QVERIFY(PrintDenpyo(d, gstrDenpyoPrintFormFolder, name, date));
        } else if (kind == QStringLiteral("DenpyoList") || kind == QStringLiteral("TsukiSeikyusho")) {
            const QString folder =
                kind == QStringLiteral("DenpyoList") ? gstrDenpyoListPrintFormFolder : gstrTsukiSeikyushoPrintFormFolder;
            GridForm({"1_行番号"}, QStringLiteral("0;1;0;")).save(folder + name + QStringLiteral(".rpx"));
            connection().exec(QStringLiteral("UPDATE 伝票テーブル SET 見積もり = 1, 見積もり日付 = '2024/04/01', 受注 = 1, "
                                             "受注日付 = '2024/04/02', 納品 = 1, 請求 = 1, 請求日付 = '2024/04/03', "
                                             "入金 = 1, 入金日付 = '2024/04/04' WHERE 伝票番号 = 102;"));
            QVERIFY(PrintDenpyoList(folder, name, date, {QString(), QStringLiteral("101"), QStringLiteral("102")},
                                    QString()));
        } else if (kind == QStringLiteral("Customer")) {
            GridForm({"P_顧客ID"}).save(gstrCustomerPrintFormFolder + name + QStringLiteral(".rpx"));
            QVERIFY(PrintCustomer(Customer(), gstrCustomerPrintFormFolder, name, date));
        } else if (kind == QStringLiteral("CustomerList")) {
            GridForm({"1_顧客ID"}).save(gstrCustomerListPrintFormFolder + name + QStringLiteral(".rpx"));
            QVERIFY(PrintCustomerList(gstrCustomerListPrintFormFolder, name, date, {QString(), QStringLiteral("K1")},
                                      QString()));
        } else if (kind == QStringLiteral("Shohin")) {
            GridForm({"P_商品ID"}).save(gstrShohinPrintFormFolder + name + QStringLiteral(".rpx"));
            QVERIFY(PrintShohin(Shohin(), gstrShohinPrintFormFolder, name, date));
        } else {
            GridForm({"1_商品ID"}).save(gstrShohinListPrintFormFolder + name + QStringLiteral(".rpx"));
            QVERIFY(PrintShohinList(gstrShohinListPrintFormFolder, name, date, {QString(), QStringLiteral("X")},
                                    QString()));
        }
        const auto names = [](const QVector<ReportItem> &items) {
            QStringList out;
            for (int i = 1; i < items.size(); ++i)
                if (!out.contains(items[i].name))
                    out << items[i].name;
            out.sort();
            return out;
        };
        const auto vocabulary = [&](const QString &letter) {
            QStringList out = fnGetItemNames(kind, letter).mid(1);
            for (const QString &u : unset)
                out.removeAll(u);
            out.sort();
            return out;
        };
        QCOMPARE(names(garrReportPageData), vocabulary(QStringLiteral("P")));
        QCOMPARE(names(garrReportDetailData), vocabulary(QStringLiteral("D")));
    }

    void emptyListsHaveNoPage()
    {
        GridForm({"1_顧客ID"}).save(gstrCustomerListPrintFormFolder + QStringLiteral("e.rpx"));
        GridForm({"1_商品ID"}).save(gstrShohinListPrintFormFolder + QStringLiteral("e.rpx"));
        QVERIFY(PrintCustomerList(gstrCustomerListPrintFormFolder, QStringLiteral("e"), at(2024, 6, 1), {QString()},
                                  QString()));
        QCOMPARE(printedPages().size(), 0);
        QVERIFY(PrintShohinList(gstrShohinListPrintFormFolder, QStringLiteral("e"), at(2024, 6, 1), {QString()},
                                QString()));
        QCOMPARE(printedPages().size(), 0);
    }
};

QTEST_MAIN(tst_PrintProcedures)
#include "tst_printprocedures.moc"
