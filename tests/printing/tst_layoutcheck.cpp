#include "printing/LayoutCheck.h"
#include "printing/PrintItemNames.h"

#include <QtTest>

using namespace LayoutCheckText;

namespace {

// One section with one Field control per text (Field1, Field2, ...).
report::Layout layoutOf(const QStringList &texts, const QString &sectionName = QStringLiteral("Detail"),
                        int newPage = report::NewPageBefore)
{
    report::Section s;
    s.name = sectionName;
    s.newPage = newPage;
    s.height = 10000;
    for (int i = 0; i < texts.size(); ++i) {
        report::Control c;
        c.name = QStringLiteral("Field%1").arg(i + 1);
        c.text = texts[i];
        s.controls.append(c);
    }
    report::Layout l;
    l.sections = {s};
    return l;
}

QString format(int field, const QString &text)
{
    return QStringLiteral("Field%1 / ").arg(field) + text + kFormat;
}

QString item(int field, const QString &text)
{
    return QStringLiteral("Field%1 / ").arg(field) + text + kItemName;
}

} // namespace

class tst_LayoutCheck : public QObject {
    Q_OBJECT

private slots:
    void fieldTexts_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QStringList>("entries");

        QTest::newRow("accepted slip texts")
            << "Denpyo"
            << QStringList{"P_印刷日付", "F_自社会社名", "L_@以上", "2_品名", "12_備考", "1_@様", "ページ番号", "ページ数",
                           "P_自社会社名_余分", "01_品名"}
            << QStringList{};
        QTest::newRow("X prefix") << "Denpyo" << QStringList{"", "", "X_印刷日付"} << QStringList{
            format(1, ""), format(2, ""), format(3, "X_印刷日付")};
        QTest::newRow("item names") << "Denpyo" << QStringList{"P_", "2_印刷日付"}
                                    << QStringList{item(1, "P_"), item(2, "2_印刷日付")};
        QTest::newRow("format faults")
            << "Denpyo" << QStringList{"顧客名", "p_印刷日付", " P_印刷日付"}
            << QStringList{format(1, "顧客名"), format(2, "p_印刷日付"), format(3, " P_印刷日付")};
        QTest::newRow("slot numbers outside 1..32767 or not whole")
            << "Denpyo" << QStringList{"0_品名", "32768_品名", "1.5_品名", "32767_品名", "-1_品名", "1e9_品名"}
            << QStringList{format(1, "0_品名"), format(2, "32768_品名"), format(3, "1.5_品名"), format(5, "-1_品名"),
                           format(6, "1e9_品名")};
        QTest::newRow("page item only in its kind")
            << "Customer" << QStringList{"P_顧客名", "P_顧客名漢字", "P_自社メール", "1_自社メール", "1_商品ID"}
            << QStringList{item(1, "P_顧客名"), item(4, "1_自社メール"), item(5, "1_商品ID")};
        QTest::newRow("first-slip items of the slip list")
            << "DenpyoList" << QStringList{"1_顧客名+様", "P_先頭伝票/顧客名+様", "1_商品ID"}
            << QStringList{item(1, "1_顧客名+様")};
        QTest::newRow("ASCII digits are another name") << "Denpyo" << QStringList{"1_品名1-25", "1_品名１－２５"}
                                                       << QStringList{item(1, "1_品名1-25")};
    }

    void fieldTexts()
    {
        QFETCH(QString, kind);
        QFETCH(QStringList, texts);
        QFETCH(QStringList, entries);
        const LayoutCheckResult r = CheckLayout(layoutOf(texts), kind, fnGetItemNames(kind, "P"),
                                                fnGetItemNames(kind, "D"), false);
        QCOMPARE(r.entries, entries);
        QCOMPARE(r.hasErrors, !entries.isEmpty());
    }

    void sections_data()
    {
        QTest::addColumn<report::Layout>("layout");
        QTest::addColumn<QStringList>("entries");

        report::Layout three = layoutOf({"bad"});
        report::Section header;
        header.name = QStringLiteral("PageHeader");
        three.sections.prepend(header);
        header.name = QStringLiteral("PageFooter");
        three.sections.append(header);
        QTest::newRow("header, detail and footer") << three << QStringList{kSections};
        QTest::newRow("Detail1") << layoutOf({"bad"}, "Detail1") << QStringList{kSectionName};
        QTest::newRow("no section at all") << report::Layout() << QStringList{kSectionName};
        QTest::newRow("NewPage 0 and the fields still examined")
            << layoutOf({"bad"}, "Detail", report::NewPageNone) << QStringList{kNewPage, format(1, "bad")};
        report::Layout lower = layoutOf({"bad"});
        lower.sections[0].controls[0].name = QStringLiteral("field1");
        report::Control label;
        label.kind = report::ControlKind::Label;
        label.name = QStringLiteral("Label1");
        label.text = QStringLiteral("bad");
        lower.sections[0].controls.append(label);
        QTest::newRow("only controls named Field are examined") << lower << QStringList{};
    }

    void sections()
    {
        QFETCH(report::Layout, layout);
        QFETCH(QStringList, entries);
        const LayoutCheckResult r = CheckLayout(layout, "Denpyo", fnGetItemNames("Denpyo", "P"),
                                                fnGetItemNames("Denpyo", "D"), false);
        QCOMPARE(r.entries, entries);
        QCOMPARE(r.hasErrors, !entries.isEmpty());
    }

    void invoiceLineNotes_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<bool>("shohinMeisai");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<bool>("hasErrors");

        QTest::newRow("checked, no line item") << "TsukiSeikyusho" << QStringList{"P_印刷日付"} << true
                                               << QStringList{kMeisaiCheckedUnused} << false;
        QTest::newRow("unchecked, line item used") << "TsukiSeikyusho" << QStringList{"1_品名"} << false
                                                   << QStringList{kMeisaiUncheckedUsed} << false;
        QTest::newRow("any prefix counts") << "TsukiSeikyusho" << QStringList{"Q_金額"} << false
                                           << QStringList{format(1, "Q_金額"), kMeisaiUncheckedUsed} << true;
        QTest::newRow("checked and used") << "TsukiSeikyusho" << QStringList{"3_単価"} << true << QStringList{} << false;
        QTest::newRow("slip list has no notes") << "DenpyoList" << QStringList{"P_印刷日付"} << true << QStringList{}
                                                << false;
    }

    void invoiceLineNotes()
    {
        QFETCH(QString, kind);
        QFETCH(QStringList, texts);
        QFETCH(bool, shohinMeisai);
        QFETCH(QStringList, entries);
        QFETCH(bool, hasErrors);
        const LayoutCheckResult r = CheckLayout(layoutOf(texts), kind, fnGetItemNames(kind, "P"),
                                                fnGetItemNames(kind, "D"), shohinMeisai);
        QCOMPARE(r.entries, entries);
        QCOMPARE(r.hasErrors, hasErrors);
    }
};

QTEST_GUILESS_MAIN(tst_LayoutCheck)
#include "tst_layoutcheck.moc"
