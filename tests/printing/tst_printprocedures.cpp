#include "GridForm.h"
#include "TestSupport.h"
#include "core/BasicInfo.h"
#include "core/DateValue.h"
#include "core/Globals.h"
#include "model/Customer.h"
#include "model/Denpyo.h"
#include "model/Shohin.h"
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
