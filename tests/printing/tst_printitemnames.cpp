#include "printing/PrintItemNames.h"

#include <QSet>
#include <QtTest>

class tst_PrintItemNames : public QObject {
    Q_OBJECT

private slots:
    void counts_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("pageItems");
        QTest::addColumn<int>("detailItems");
        QTest::newRow("Denpyo") << "Denpyo" << 60 << 15;
        QTest::newRow("DenpyoList") << "DenpyoList" << 65 << 42;
        QTest::newRow("TsukiSeikyusho") << "TsukiSeikyusho" << 65 << 42;
        QTest::newRow("Customer") << "Customer" << 45 << 0;
        QTest::newRow("CustomerList") << "CustomerList" << 22 << 23;
        QTest::newRow("Shohin") << "Shohin" << 36 << 0;
        QTest::newRow("ShohinList") << "ShohinList" << 22 << 14;
        QTest::newRow("unknown kind") << "denpyo" << 0 << 0;
    }

    void counts()
    {
        QFETCH(QString, kind);
        QFETCH(int, pageItems);
        QFETCH(int, detailItems);
        const QStringList page = fnGetItemNames(kind, QStringLiteral("P"));
        const QStringList detail = fnGetItemNames(kind, QStringLiteral("D"));
        QCOMPARE(page.size() - 1, pageItems);
        QCOMPARE(detail.size() - 1, detailItems);
        QCOMPARE(page.first(), QString());
        QCOMPARE(detail.first(), QString());
        QCOMPARE(fnGetItemNames(kind, QStringLiteral("p")), QStringList{QString()});
        for (const QStringList &list : {page, detail}) {
            QCOMPARE(QSet<QString>(list.begin() + 1, list.end()).size(), list.size() - 1);
            // Digits are full-width; the only full-width hyphens are in 品名１－２５ and 品名２６－５０.
            for (int i = 1; i < list.size(); ++i) {
                QVERIFY2(!list[i].contains(QRegularExpression(QStringLiteral("[0-9]"))), qPrintable(list[i]));
                QVERIFY2(!list[i].contains(QChar(0xFF0D)) || list[i].startsWith(QStringLiteral("品名")),
                         qPrintable(list[i]));
            }
        }
        if (pageItems > 0)
            QCOMPARE(page[1], QStringLiteral("印刷日付"));
    }

    void namesCharacterForCharacter()
    {
        const QStringList denpyoDetail = fnGetItemNames(QStringLiteral("Denpyo"), QStringLiteral("D"));
        QCOMPARE(denpyoDetail[4], QString::fromUtf16(u"品名\uFF11\uFF0D\uFF12\uFF15"));
        QCOMPARE(denpyoDetail[5], QString::fromUtf16(u"品名\uFF12\uFF16\uFF0D\uFF15\uFF10"));
        QVERIFY(!denpyoDetail.contains(QStringLiteral("品名1-25")));
        QCOMPARE(denpyoDetail.mid(12), (QStringList{"明細消費税", "明細税込金額", "明細消費税(内税)",
                                                    "明細金額-消費税(内税)"}));
        const QStringList listPage = fnGetItemNames(QStringLiteral("DenpyoList"), QStringLiteral("P"));
        QCOMPARE(listPage[2], QStringLiteral("先頭伝票/納期"));
        QCOMPARE(listPage[44], QStringLiteral("伝票集計/合計-(合計x消費税率(内税計算))"));
        QCOMPARE(listPage[45], QStringLiteral("自社会社名"));
        QCOMPARE(listPage[65], QStringLiteral("自社振込口座３番号"));
        const QStringList listDetail = fnGetItemNames(QStringLiteral("DenpyoList"), QStringLiteral("D"));
        QVERIFY(!listDetail.contains(QStringLiteral("顧客名+様")));
        QCOMPARE(listDetail[26], QStringLiteral("メモ１行目"));
        const QStringList denpyoPage = fnGetItemNames(QStringLiteral("Denpyo"), QStringLiteral("P"));
        QCOMPARE(denpyoPage.mid(1, 4), (QStringList{"印刷日付", "伝票番号", "納期", "顧客ID"}));
        QCOMPARE(denpyoPage[22], QStringLiteral("値引き+値引率+値引金額"));
        QVERIFY(denpyoPage.contains(QStringLiteral("自社FAX番号")));
        QCOMPARE(fnGetItemNames(QStringLiteral("Customer"), QStringLiteral("P"))[5],
                 QStringLiteral("顧客名漢字+様"));
        for (const QString &kind : {"Denpyo", "DenpyoList", "TsukiSeikyusho", "Customer", "CustomerList", "Shohin",
                                    "ShohinList"})
            QVERIFY(fnGetItemNames(kind, QStringLiteral("P")).contains(QStringLiteral("自社メール")));
    }
};

QTEST_GUILESS_MAIN(tst_PrintItemNames)
#include "tst_printitemnames.moc"
