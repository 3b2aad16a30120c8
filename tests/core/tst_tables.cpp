#include "core/Globals.h"
#include "core/Tables.h"

#include <QSet>
#include <QtTest>

class tst_Tables : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        InitDenpyoListColumns();
        InitDenpyoKensakuItems();
        InitCustomerKensakuItems();
        InitShohinKensakuItems();
    }

    void listColumns()
    {
        QCOMPARE(garrDenpyoListColumns.size(), 16);
        QCOMPARE(garrDenpyoListColumns.at(0).caption, QStringLiteral("伝票№"));
        QCOMPARE(garrDenpyoListColumns.at(0).width, 1300);
        QCOMPARE(garrDenpyoListColumns.at(14).caption, QStringLiteral("作成日"));
        QCOMPARE(garrDenpyoListColumns.at(14).width, 1800);
        InitDenpyoListColumns(); // building again does not append
        QCOMPARE(garrDenpyoListColumns.size(), 16);
    }

    void searchItems_data()
    {
        QTest::addColumn<QStringList>("table");
        QTest::addColumn<int>("count");
        QTest::newRow("slips") << garrDenpyoKensakuItems << 23;
        QTest::newRow("customers") << garrCustomerKensakuItems << 13;
        QTest::newRow("products") << garrShohinKensakuItems << 7;
    }
    void searchItems()
    {
        QFETCH(QStringList, table);
        QFETCH(int, count);
        QCOMPARE(table.size(), count);
        QSet<QString> keys;
        for (const QString &entry : table) {
            QCOMPARE(entry.count(QLatin1Char(';')), 4);
            const KensakuItemSpec spec = KensakuItemSpec::parse(entry);
            QCOMPARE(spec.parentKey, QStringLiteral("root"));
            QVERIFY(!keys.contains(spec.nodeKey));
            keys.insert(spec.nodeKey);
        }
    }

    void exactTexts()
    {
        const KensakuItemSpec total = KensakuItemSpec::parse(garrDenpyoKensakuItems.at(7));
        QCOMPARE(total.nodeKey, QStringLiteral("rt7D"));
        QCOMPARE(total.caption, QStringLiteral("合計金額（税込）"));
        QCOMPARE(total.inputKind, QStringLiteral("Kingaku"));
        QCOMPARE(total.column, QStringLiteral("合計消費税込み"));
        QCOMPARE(garrDenpyoKensakuItems.at(0), QStringLiteral("root;rt0D;伝票番号;NumInput;伝票番号"));
        QCOMPARE(KensakuItemSpec::parse(garrCustomerKensakuItems.at(4)).caption,
                 QStringLiteral("郵便番号(XXXXXXX)"));
        QCOMPARE(garrShohinKensakuItems.at(4), QStringLiteral("root;rt5D;単価;Kingaku;単価"));
    }
};

QTEST_GUILESS_MAIN(tst_Tables)
#include "tst_tables.moc"
