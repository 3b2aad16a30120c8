#include "masters/PickerConditions.h"
#include "TestSupport.h"
#include "platform/db/Connection.h"

#include <QTemporaryDir>
#include <QtTest>

// The condition texts are checked literally (the blanks are part of what the
// list views and saved conditions have always produced) and by running them.
class tst_PickerConditions : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<db::Connection> m_db;

    QStringList ids(const QString &table, const QString &key, const QString &where)
    {
        QString sql = QStringLiteral("SELECT ") + key + QStringLiteral(" FROM ") + table;
        if (!where.trimmed().isEmpty())
            sql += QStringLiteral(" WHERE ") + where.trimmed();
        sql += QStringLiteral(" ORDER BY ") + key + QStringLiteral(";");
        db::Statement st = m_db->prepare(sql);
        QStringList out;
        while (st.step())
            out << st.text(0);
        return out;
    }

private slots:
    void initTestCase()
    {
        const QString path = testsupport::createFreshDatabase(m_dir.filePath(QStringLiteral("t.mdb")));
        m_db = db::Connection::open(path);
        const char *const customers[][3] = {
            {"A1", "やまだ", "山田商店"},      {"A10", "たなか", "田中工業"},
            {"A1-2", "おかだ", "岡田's"},       {"BA1", "やまもと", "山本"},
            {"C5", "すずき", "鈴木 山田支店"},
        };
        for (const auto &c : customers) {
            m_db->prepare(QStringLiteral("INSERT INTO 顧客テーブル (顧客ID, 顧客名かな, 顧客名漢字) VALUES (?,?,?);"))
                .bind(1, QString::fromUtf8(c[0]))
                .bind(2, QString::fromUtf8(c[1]))
                .bind(3, QString::fromUtf8(c[2]))
                .exec();
        }
        const char *const products[][4] = {
            {"S-1", "X-100", "ボルト", "山田製作所"},
            {"S-10", "X-200", "ナット", "O'Brien"},
            {"T1", "Y-100", "ボルト大", "山田製作所"},
        };
        for (const auto &p : products) {
            m_db->prepare(QStringLiteral("INSERT INTO 商品テーブル (商品ID, 品番, 品名, 製造元) VALUES (?,?,?,?);"))
                .bind(1, QString::fromUtf8(p[0]))
                .bind(2, QString::fromUtf8(p[1]))
                .bind(3, QString::fromUtf8(p[2]))
                .bind(4, QString::fromUtf8(p[3]))
                .exec();
        }
    }

    void customerTexts_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("where");
        QTest::newRow("both empty") << "" << "" << "";
        QTest::newRow("id only") << "" << "A1" << "顧客ID LIKE 'A1%'";
        QTest::newRow("name only") << "山田" << ""
                                   << "(顧客名かな LIKE '%山田%' OR 顧客名漢字 LIKE '%山田%') ";
        QTest::newRow("both") << "山田" << "A1"
                              << "(顧客名かな LIKE '%山田%' OR 顧客名漢字 LIKE '%山田%')  AND 顧客ID LIKE  'A1%'";
        QTest::newRow("apostrophe doubled") << "岡田's" << ""
                                            << "(顧客名かな LIKE '%岡田''s%' OR 顧客名漢字 LIKE '%岡田''s%') ";
    }
    void customerTexts()
    {
        QFETCH(QString, name);
        QFETCH(QString, id);
        QTEST(CustomerSearchWhereMake(name, id), "where");
    }

    void customerSearches_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("id");
        QTest::addColumn<QStringList>("found");
        QTest::newRow("everything") << "" << "" << QStringList{"A1", "A1-2", "A10", "BA1", "C5"};
        QTest::newRow("A1 at the start only") << "" << "A1" << QStringList{"A1", "A1-2", "A10"};
        QTest::newRow("lower case typed") << "" << "a1" << QStringList{"A1", "A1-2", "A10"};
        QTest::newRow("A10") << "" << "A10" << QStringList{"A10"};
        QTest::newRow("A1-2") << "" << "A1-2" << QStringList{"A1-2"};
        QTest::newRow("BA1") << "" << "BA1" << QStringList{"BA1"};
        QTest::newRow("kanji anywhere") << "山田" << "" << QStringList{"A1", "C5"};
        QTest::newRow("kana") << "やま" << "" << QStringList{"A1", "BA1"};
        QTest::newRow("name and id") << "山田" << "A" << QStringList{"A1"};
        QTest::newRow("apostrophe") << "'s" << "" << QStringList{"A1-2"};
        QTest::newRow("lone apostrophe") << "'" << "" << QStringList{"A1-2"};
        QTest::newRow("nothing") << "佐藤" << "" << QStringList{};
    }
    void customerSearches()
    {
        QFETCH(QString, name);
        QFETCH(QString, id);
        QTEST(ids(QStringLiteral("顧客テーブル"), QStringLiteral("顧客ID"), CustomerSearchWhereMake(name, id)),
              "found");
    }

    void shohinTexts_data()
    {
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<QString>("where");
        QTest::newRow("empty") << QStringList{"", "", "", ""} << "";
        QTest::newRow("id and name") << QStringList{"S-1", "", "ボルト", ""}
                                     << "商品ID LIKE 'S-1%' AND  品名 LIKE  '%ボルト%'";
        QTest::newRow("starts with a blank") << QStringList{"", "X", "", ""} << " 品番 LIKE  '%X%'";
        QTest::newRow("all four") << QStringList{"S", "X", "ボ", "山"}
                                  << "商品ID LIKE 'S%' AND  品番 LIKE  '%X%' AND  品名 LIKE  '%ボ%' AND  製造元 "
                                     "LIKE  '%山%'";
        QTest::newRow("apostrophe") << QStringList{"", "", "", "O'B"} << " 製造元 LIKE  '%O''B%'";
    }
    void shohinTexts()
    {
        QFETCH(QStringList, boxes);
        QTEST(ShohinSearchWhereMake(boxes[0], boxes[1], boxes[2], boxes[3]), "where");
    }

    void shohinSearches_data()
    {
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<QStringList>("found");
        QTest::newRow("everything") << QStringList{"", "", "", ""} << QStringList{"S-1", "S-10", "T1"};
        QTest::newRow("id at the start") << QStringList{"S-1", "", "", ""} << QStringList{"S-1", "S-10"};
        QTest::newRow("id not inside") << QStringList{"1", "", "", ""} << QStringList{};
        QTest::newRow("hinban anywhere") << QStringList{"", "100", "", ""} << QStringList{"S-1", "T1"};
        QTest::newRow("all must match") << QStringList{"", "100", "ボルト", "山田"} << QStringList{"S-1", "T1"};
        QTest::newRow("id and name") << QStringList{"S", "", "ボルト", ""} << QStringList{"S-1"};
        QTest::newRow("apostrophe maker") << QStringList{"", "", "", "O'Brien"} << QStringList{"S-10"};
    }
    void shohinSearches()
    {
        QFETCH(QStringList, boxes);
        QTEST(ids(QStringLiteral("商品テーブル"), QStringLiteral("商品ID"),
                  ShohinSearchWhereMake(boxes[0], boxes[1], boxes[2], boxes[3])),
              "found");
    }
};

QTEST_APPLESS_MAIN(tst_PickerConditions)
#include "tst_pickerconditions.moc"
