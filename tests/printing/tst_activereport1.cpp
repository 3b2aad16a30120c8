#include "ReportFixture.h"
#include "printing/ActiveReport1.h"
#include "printing/ReportCurrency.h"
#include "printing/ReportGlobal.h"
#include "printing/clsReportPrint.h"

#include <QtTest>

using fixture::fieldLayout;
using fixture::fieldTexts;

namespace {

// Detail rows 1..n, each with 品名 "品n" and 金額 n * 100.
void fillRows(clsReportPrint &collector, int rows)
{
    for (int r = 1; r <= rows; ++r) {
        collector.AddDetailData();
        collector.SetDetailData(QStringLiteral("品名"), QStringLiteral("品%1").arg(r));
        collector.SetDetailData(QStringLiteral("金額"), QVariant::fromValue(ReportCurrency::fromYen(r * 100)));
    }
}

QList<QStringList> runPages(const QStringList &specs, const QStringList &tags = {}, const QStringList &formats = {})
{
    ActiveReport1 report;
    report.setLayout(fieldLayout(specs, tags, formats));
    report.run();
    QList<QStringList> pages;
    for (const report::Page &p : report.pages())
        pages << fieldTexts(p, int(specs.size()));
    return pages;
}

} // namespace

class tst_ActiveReport1 : public QObject {
    Q_OBJECT

private slots:
    void paging_data()
    {
        QTest::addColumn<QStringList>("specs");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QList<QStringList>>("pages");

        const QStringList sevenOnThree = {"P_顧客名", "1_品名", "2_品名", "3_品名", "L_明細集計/金額", "ページ番号",
                                          "ページ数"};
        QTest::newRow("seven rows on three slots")
            << sevenOnThree << 7
            << QList<QStringList>{{"A社", "品1", "品2", "品3", "", "1", "3"},
                                  {"A社", "品4", "品5", "品6", "", "2", "3"},
                                  {"A社", "品7", "", "", "700", "3", "3"}};
        QTest::newRow("no rows no page") << sevenOnThree << 0 << QList<QStringList>{};
        QTest::newRow("page items only, five rows")
            << QStringList{"P_顧客名", "ページ番号", "ページ数"} << 5 << QList<QStringList>{{"A社", "1", "1"}};
        QTest::newRow("page items only, no row") << QStringList{"P_顧客名"} << 0 << QList<QStringList>{};
        QTest::newRow("first and last on a single record")
            << QStringList{"F_顧客名", "L_顧客名"} << 1 << QList<QStringList>{{"A社", "A社"}};
        QTest::newRow("first page only and last page only")
            << QStringList{"F_顧客名", "L_顧客名", "1_品名"} << 2
            << QList<QStringList>{{"A社", "", "品1"}, {"", "A社", "品2"}};
        QTest::newRow("literals")
            << QStringList{"P_@円", "1_@様", "2_品名", " P_顧客名_x ", "P_@"} << 3
            << QList<QStringList>{{"円", "様", "品2", "A社", ""}, {"円", "様", "", "A社", ""}};
        QTest::newRow("slot nine makes nine a page")
            << QStringList{"1_品名", "2_品名", "3_品名", "9_品名"} << 10
            << QList<QStringList>{{"品1", "品2", "品3", "品9"}, {"品10", "", "", ""}};
        QTest::newRow("slot by numeric value")
            << QStringList{"01_品名", "2_品名"} << 2 << QList<QStringList>{{"品1", "品2"}};
        QTest::newRow("fractional slot makes rows but prints nowhere")
            << QStringList{"1_品名", "1.5_品名"} << 3 << QList<QStringList>{{"品1", ""}, {"品3", ""}};
        QTest::newRow("slots out of range are ignored")
            << QStringList{"0_品名", "-1_品名", "40000_品名", "1_品名"} << 2
            << QList<QStringList>{{"", "", "", "品1"}, {"", "", "", "品2"}};
        QTest::newRow("specs that fit no rule print nothing")
            << QStringList{"顧客名", "X_顧客名", "p_顧客名", "P_無い項目", "1_無い項目", "1_品名"} << 1
            << QList<QStringList>{{"", "", "", "", "", "品1"}};
        QTest::newRow("duplicate page item: first wins") << QStringList{"P_重複"} << 1 << QList<QStringList>{{"一"}};
    }

    void paging()
    {
        QFETCH(QStringList, specs);
        QFETCH(int, rows);
        QFETCH(QList<QStringList>, pages);
        clsReportPrint collector;
        collector.SetPageData(QStringLiteral("顧客名"), QStringLiteral("A社"));
        collector.SetPageData(QStringLiteral("重複"), QStringLiteral("一"));
        collector.SetPageData(QStringLiteral("重複"), QStringLiteral("二"));
        fillRows(collector, rows);
        garrReportPageData.append({QStringLiteral("明細集計/金額"), 700});
        QCOMPARE(runPages(specs), pages);
    }

    void anEmptyRowPrintsEmptySlots()
    {
        clsReportPrint collector;
        collector.AddDetailData();
        collector.AddDetailData();
        collector.SetDetailData(QStringLiteral("品名"), QStringLiteral("二行目"));
        QCOMPARE(runPages({"1_品名", "2_品名", "1_@様"}), (QList<QStringList>{{"", "二行目", "様"}}));
    }

    // Row and page counters are not 16-bit: more than 32,767 rows print.
    void moreRowsThanSixteenBits()
    {
        clsReportPrint collector;
        const int rows = 33000;
        for (int r = 1; r <= rows; ++r) {
            collector.AddDetailData();
            collector.SetDetailData(QStringLiteral("行"), r);
        }
        QStringList specs;
        for (int slot = 1; slot <= 100; ++slot)
            specs << QStringLiteral("%1_行").arg(slot);
        specs << QStringLiteral("ページ番号");
        ActiveReport1 report;
        report.setLayout(fieldLayout(specs));
        report.run();
        QCOMPARE(report.pages().size(), 330);
        QCOMPARE(report.pageCount(), 330);
        const QStringList last = fieldTexts(report.pages().last(), int(specs.size()));
        QCOMPARE(last[99], QStringLiteral("33000"));
        QCOMPARE(last[100], QStringLiteral("330"));
    }

    void fieldsGetTheirSpecAndFormatAtStart()
    {
        clsReportPrint collector;
        collector.AddDetailData();
        ActiveReport1 report;
        report::Layout l = fieldLayout({"  P_顧客名  "}, {"1,3"}, {"#,##0"});
        report::Control other;
        other.name = QStringLiteral("Label1");
        other.text = QStringLiteral("P_顧客名");
        l.sections[0].controls.append(other);
        report.setLayout(l);
        report.run();
        const report::Section &detail = report.layout().sections[0];
        QCOMPARE(detail.controls[0].dataField, QStringLiteral("P_顧客名"));
        QCOMPARE(detail.controls[0].tag, QStringLiteral("1,3\r\n#,##0"));
        // Controls not named Field... print as designed.
        QCOMPARE(detail.controls[1].text, QStringLiteral("P_顧客名"));
        QVERIFY(!report.isMultiRow());
    }

    void userFormat_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("rule");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("expected");
        const QString thirty = QStringLiteral("あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほ");
        QTest::newRow("first 25") << QVariant(thirty) << "1,25" << "" << thirty.left(25);
        QTest::newRow("26 to 30") << QVariant(thirty) << "26,25" << "" << thirty.mid(25);
        QTest::newRow("26 to end") << QVariant(thirty) << "26" << "" << thirty.mid(25);
        QTest::newRow("start not numeric") << QVariant(thirty) << "abc" << "" << thirty;
        QTest::newRow("blank rule") << QVariant(thirty) << "   " << "" << thirty;
        QTest::newRow("length not numeric") << QVariant(thirty) << "29,x" << "" << thirty.mid(28);
        QTest::newRow("blanks around numbers") << QVariant(thirty) << " 2 , 3 " << "" << thirty.mid(1, 3);
        QTest::newRow("start beyond end") << QVariant(thirty) << "31,5" << "" << "";
        QTest::newRow("start 0 counts as 1") << QVariant(thirty) << "0,2" << "" << thirty.left(2);
        QTest::newRow("negative start counts as 1") << QVariant(thirty) << "-5" << "" << thirty;
        QTest::newRow("negative length") << QVariant(thirty) << "1,-1" << "" << "";
        QTest::newRow("text ignores the format") << QVariant(QStringLiteral("1234")) << "" << "#,##0" << "1234";
        QTest::newRow("missing item") << QVariant(QString()) << "" << "yyyy/mm/dd" << "";
        const QVariant yen1234 = QVariant::fromValue(ReportCurrency::fromYen(1234));
        QTest::newRow("currency grouped") << yen1234 << "" << "#,##0" << "1,234";
        QTest::newRow("currency optional decimals") << yen1234 << "" << "#,##0.##" << "1,234";
        QTest::newRow("currency fraction") << QVariant::fromValue(ReportCurrency{12345000}) << "" << "#,##0.##"
                                           << "1,234.5";
        QTest::newRow("currency plain") << yen1234 << "" << "" << "1234";
        QTest::newRow("currency yen sign") << yen1234 << "" << "\\\\#,##0" << "\\1,234";
        QTest::newRow("rule ignored for numbers") << yen1234 << "1,2" << "" << "1234";
        QTest::newRow("long") << QVariant(123456789) << "" << "000000000" << "123456789";
        QTest::newRow("short") << QVariant::fromValue<qint16>(5) << "" << "" << "5";
        QTest::newRow("double") << QVariant(2.5) << "" << "0" << "3";
        QTest::newRow("double plain") << QVariant(0.25) << "" << "" << "0.25";
        const QDateTime d(QDate(2024, 3, 5), QTime(0, 0));
        QTest::newRow("date") << QVariant(d) << "" << "yyyy/mm/dd" << "2024/03/05";
        QTest::newRow("date japanese") << QVariant(d) << "" << "yyyy年m月d日" << "2024年3月5日";
        QTest::newRow("date plain") << QVariant(d) << "" << "" << "2024/03/05";
        QTest::newRow("date time") << QVariant(QDateTime(QDate(2024, 3, 5), QTime(9, 8, 7))) << "" << "hh:nn:ss"
                                   << "09:08:07";
    }

    void userFormat()
    {
        QFETCH(QVariant, value);
        QFETCH(QString, rule);
        QFETCH(QString, format);
        QFETCH(QString, expected);
        QCOMPARE(ActiveReport1::fnUserFormat(value, rule + QStringLiteral("\r\n") + format), expected);
    }

    void tagWithoutFormatLine()
    {
        QCOMPARE(ActiveReport1::fnUserFormat(QStringLiteral("abcdef"), QStringLiteral("3")), QStringLiteral("cdef"));
        QCOMPARE(ActiveReport1::fnUserFormat(1234, QString()), QStringLiteral("1234"));
    }
};

QTEST_MAIN(tst_ActiveReport1)
#include "tst_activereport1.moc"
