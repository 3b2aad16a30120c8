#include "TestSupport.h"
#include "core/DateValue.h"
#include "core/Globals.h"
#include "core/Tables.h"
#include "filters/FilterCompiler.h"
#include "filters/SearchConditionKey.h"
#include "filters/SearchFilterFile.h"
#include "filters/SearchFilterKind.h"
#include "model/Customers.h"
#include "model/Shohins.h"
#include "model/denpyos.h"
#include "platform/text/LineFile.h"
#include "platform/ui/MessageBox.h"

#include <QFile>
#include <QtTest>

namespace {

// One condition as the editor would add it: the field's node key, the code
// and the value; label and column come from the kind's search items.
struct Cond {
    QString field;
    QString code;
    QString value;
};
using Conds = QVector<Cond>;

void writeFilter(SearchFilterKind kind, const QString &name, const Conds &conditions)
{
    SearchFilterFile file;
    QDateTime moment(QDate(2024, 5, 1), QTime(9, 0, 0));
    for (const Cond &c : conditions) {
        KensakuItemSpec item;
        for (const QString &text : searchfilter::itemTable(kind)) {
            if (KensakuItemSpec::parse(text).nodeKey == c.field)
                item = KensakuItemSpec::parse(text);
        }
        QVERIFY2(!item.nodeKey.isEmpty(), qPrintable(c.field));
        auto field = std::find_if(file.fields.begin(), file.fields.end(),
                                  [&](const SearchFilterField &f) { return f.key == c.field; });
        if (field == file.fields.end()) {
            file.fields.append({item.nodeKey, item.caption, {}});
            field = file.fields.end() - 1;
        }
        moment = moment.addSecs(1);
        const QString key = c.code + item.column + QLatin1Char('@') + c.value;
        field->conditions.append({SearchConditionKey::stamped(moment, key), SearchConditionKey::displayText(c.code, c.value)});
    }
    file.write(searchfilter::filePath(kind, name));
}

void writeRaw(SearchFilterKind kind, const QString &name, const QStringList &contents)
{
    QStringList lines;
    for (const QString &c : contents)
        lines << QLatin1Char('"') + c + QLatin1Char('"');
    text::writeLines(searchfilter::filePath(kind, name), lines);
}

QString rawKey(const QString &withoutStamp)
{
    return QStringLiteral("C45413.5          ") + withoutStamp;
}

QList<qint32> slipIds(const QString &where, const QString &lines)
{
    denpyos list;
    list.Load(where, lines, QStringLiteral("伝票テーブル.伝票番号"));
    QList<qint32> ids;
    for (const DenpyoDisplay &row : list)
        ids << row.DenpyoID();
    return ids;
}

} // namespace

Q_DECLARE_METATYPE(Conds)

class tst_FilterCompiler : public QObject {
    Q_OBJECT

    testsupport::ProgramFolder m_folder;
    QList<ui::MessageRequest> m_messages;

    void seed()
    {
        auto &db = connection();
        const QString slip = QStringLiteral(
            "INSERT INTO 伝票テーブル (伝票番号, 納期, 顧客ID, 顧客名, 合計消費税込み, 見積もり, 作成日付, 更新日付) "
            "VALUES (%1, '%2', '%3', '%4', %5, %6, '%7', '%7')");
        db.exec(slip.arg(1).arg("2024/05/01", "A011", "O''Neil商会").arg(500).arg(1).arg("2024/05/31 23:59:59"));
        db.exec(slip.arg(2).arg("2024/05/31", "A02", "ONeil").arg(999).arg(0).arg("2024/06/01 00:00:00"));
        db.exec(slip.arg(3).arg("2024/04/30", "a015", "Oneil").arg(1001).arg(1).arg("2024/04/30 10:00:00"));
        db.exec(slip.arg(11).arg("2024/06/01", "B01", "北").arg(1000).arg(0).arg("2024/05/01 00:00:00"));
        const QString line = QStringLiteral(
            "INSERT INTO 明細テーブル (伝票番号, 明細番号, 商品ID, 品番, 品名) VALUES (%1, %2, '%3', '%4', '%5')");
        db.exec(line.arg(1).arg(1).arg("X-100", "B6", "六角ボルト"));
        db.exec(line.arg(1).arg(2).arg("Y-200", "N6", "ナット"));
        db.exec(line.arg(2).arg(1).arg("Y-200", "W6", "ワッシャー"));
        db.exec(line.arg(11).arg(1).arg("Z-1", "B8", "ボルト"));

        const QString customer = QStringLiteral(
            "INSERT INTO 顧客テーブル (顧客ID, 顧客名漢字, 所在地１, 所在地２, 値引率, 月締め請求) "
            "VALUES ('%1', '%2', '%3', '%4', %5, %6)");
        db.exec(customer.arg("C001", "一", "横浜市中区", "").arg(5).arg(1));
        db.exec(customer.arg("C002", "二", "神奈川県", "横浜ビル").arg(10).arg(0));
        db.exec(customer.arg("D123", "O''Neil", "東京都", "").arg(11).arg(1));

        const QString product = QStringLiteral(
            "INSERT INTO 商品テーブル (商品ID, 製造元, 単価) VALUES ('%1', '%2', %3)");
        db.exec(product.arg("P1", "東京").arg(99.5));
        db.exec(product.arg("P2", "大阪").arg(100));
        db.exec(product.arg("P3", "東京").arg(1000));
        db.exec(product.arg("P4", "東京").arg(1000.5));
        db.exec(product.arg("P5", "名古屋").arg(550));
    }

private slots:
    void initTestCase()
    {
        m_folder.open();
        InitDenpyoKensakuItems();
        InitCustomerKensakuItems();
        InitShohinKensakuItems();
        seed();
        ui::setMessageResponder([this](const ui::MessageRequest &r) {
            m_messages << r;
            return ui::Answer::Ok;
        });
    }

    void cleanupTestCase() { ui::setMessageResponder({}); }

    void init()
    {
        m_messages.clear();
        setFixedNow(QDateTime(QDate(2024, 5, 15), QTime(10, 0, 0)));
    }

    void cleanup() { setFixedNow(QDateTime()); }

    void slipWorkedExample()
    {
        writeFilter(SearchFilterKind::Denpyo, QStringLiteral("例"),
                    {{"rt0D", "N00", "000000001000000010"},
                     {"rt0D", "N00", "000000020000000030"},
                     {"rt1D", "I21", "A01*"},
                     {"rtND", "Y00", "Y"},
                     {"rtBD", "D00", QStringLiteral("今月").leftJustified(16)},
                     {"rtLD", "T00", "24/05/0124/05/31"},
                     {"rt5D", "S33", "ボルト"},
                     {"rt3D", "I31", "X-1*"},
                     {"rt3D", "I31", "Y-200"}});
        QString where;
        QString lines;
        QVERIFY(fnMakeDenpyoSQLWHERE(QStringLiteral("例"), where, lines));
        QCOMPARE(where,
                 QStringLiteral("((1 = 1)) AND (( 伝票テーブル.伝票番号 > 0 AND 伝票テーブル.伝票番号 < 11) OR ( "
                                "伝票テーブル.伝票番号 > 19 AND 伝票テーブル.伝票番号 < 31)) AND (( 伝票テーブル.顧客ID "
                                "LIKE 'A01%' )) AND (( 伝票テーブル.見積もり = TRUE )) AND (( 伝票テーブル.納期 >= "
                                "'2024/05/01' AND 伝票テーブル.納期 <= '2024/05/31')) AND (( 伝票テーブル.作成日付 >= "
                                "'2024/05/01' AND 伝票テーブル.作成日付 <= '2024/05/319'))"));
        QCOMPARE(lines, QStringLiteral(" (( 明細テーブル.品名 LIKE '%ボルト%')) AND (( 明細テーブル.商品ID LIKE 'X-1%' ) "
                                       "OR ( 明細テーブル.商品ID = 'Y-200' ))"));
        QVERIFY(m_messages.isEmpty());
        // Slip 1 meets all: its bolt line is X-100, its 作成日付 the last
        // second of the month.
        QCOMPARE(slipIds(where, lines), QList<qint32>{1});
    }

    void customerWorkedExample()
    {
        writeFilter(SearchFilterKind::Customer, QStringLiteral("例"),
                    {{"rt9D", "N00", "000000005000000010"},
                     {"rt6D", "S00", "横浜"},
                     {"rtBD", "Z00", "Y"},
                     {"rt1D", "I21", "C00*"},
                     {"rt1D", "I21", "D123"}});
        QString where = QStringLiteral("old");
        QVERIFY(fnMakeCustomerSQLWHERE(QStringLiteral("例"), where));
        QCOMPARE(where, QStringLiteral("(( 値引率 > 4 AND 値引率 < 11)) AND (( 所在地１ LIKE '%横浜%'  OR 所在地２ LIKE "
                                       "'%横浜%' )) AND ((月締め請求 = TRUE )) AND (( 顧客ID LIKE 'C00%' ) OR ( 顧客ID "
                                       "= 'D123' ))"));
        Customers list;
        list.Load(where, QString());
        QCOMPARE(list.Count(), 1);
        QCOMPARE(list.Item(1).CustomerID(), QStringLiteral("C001"));
    }

    // 単価 holds fractions: the range keeps its own bounds, so 99.5 and
    // 1000.5 stay out of 100～1000.
    void productWorkedExample()
    {
        writeFilter(SearchFilterKind::Shohin, QStringLiteral("例"),
                    {{"rt5D", "K00", "000000100000001000"}, {"rt4D", "S34", "東京"}, {"rt4D", "S34", "大阪"}});
        QString where;
        QVERIFY(fnMakeShohinSQLWHERE(QStringLiteral("例"), where));
        QCOMPARE(where, QStringLiteral("(( 単価 >= 100 AND 単価 <= 1000)) AND (( 製造元 LIKE '%東京%' ) OR ( 製造元 "
                                       "LIKE '%大阪%' ))"));
        Shohins list;
        list.Load(where);
        QStringList ids;
        for (const ShohinDisplay &row : list)
            ids << row.ShohinID();
        QCOMPARE(ids, (QStringList{QStringLiteral("P2"), QStringLiteral("P3")}));
    }

    void slipConditions_data()
    {
        QTest::addColumn<Conds>("conditions");
        QTest::addColumn<QString>("where");
        QTest::addColumn<QString>("lines");
        QTest::addColumn<QList<qint32>>("ids");

        QTest::newRow("no conditions") << Conds{} << "((1 = 1))" << "" << QList<qint32>{1, 2, 3, 11};
        QTest::newRow("only line conditions")
            << Conds{{"rt5D", "S33", "ボルト"}} << "((1 = 1))" << " (( 明細テーブル.品名 LIKE '%ボルト%'))"
            << QList<qint32>{1, 11};
        QTest::newRow("line fields hold on one line")
            << Conds{{"rt5D", "S33", "ボルト"}, {"rt3D", "I31", "Y-200"}} << "((1 = 1))"
            << " (( 明細テーブル.品名 LIKE '%ボルト%')) AND (( 明細テーブル.商品ID = 'Y-200' ))" << QList<qint32>{};
        QTest::newRow("equal bounds")
            << Conds{{"rt0D", "N00", "000000002000000002"}}
            << "((1 = 1)) AND (( 伝票テーブル.伝票番号 > 1 AND 伝票テーブル.伝票番号 < 3))" << "" << QList<qint32>{2};
        QTest::newRow("lower bound zero")
            << Conds{{"rt7D", "K00", "000000000000000999"}}
            << "((1 = 1)) AND (( 伝票テーブル.合計消費税込み > -1 AND 伝票テーブル.合計消費税込み < 1000))" << ""
            << QList<qint32>{1, 2};
        QTest::newRow("id star alone")
            << Conds{{"rt1D", "I21", "*"}} << "((1 = 1)) AND (( 伝票テーブル.顧客ID LIKE '%' ))" << ""
            << QList<qint32>{1, 2, 3, 11};
        QTest::newRow("id prefix ignores case")
            << Conds{{"rt1D", "I21", "A01*"}} << "((1 = 1)) AND (( 伝票テーブル.顧客ID LIKE 'A01%' ))" << ""
            << QList<qint32>{1, 3};
        QTest::newRow("stage not set")
            << Conds{{"rtND", "Y00", "N"}} << "((1 = 1)) AND (( 伝票テーブル.見積もり = FALSE ))" << ""
            << QList<qint32>{2, 11};
        QTest::newRow("quote doubled")
            << Conds{{"rt2D", "S22", "O'Neil"}} << "((1 = 1)) AND (( 伝票テーブル.顧客名 LIKE '%O''Neil%' ))" << ""
            << QList<qint32>{1};
        QTest::newRow("typed wildcard kept")
            << Conds{{"rt2D", "S22", "O%Neil"}} << "((1 = 1)) AND (( 伝票テーブル.顧客名 LIKE '%O%Neil%' ))" << ""
            << QList<qint32>{1, 2, 3};
        QTest::newRow("quote in a line id")
            << Conds{{"rt3D", "I31", "X'*"}} << "((1 = 1))" << " (( 明細テーブル.商品ID LIKE 'X''%' ))"
            << QList<qint32>{};
        QTest::newRow("date pair of another century window")
            << Conds{{"rtBD", "D00", "30/01/1599/12/31"}}
            << "((1 = 1)) AND (( 伝票テーブル.納期 >= '2030/01/15' AND 伝票テーブル.納期 <= '2099/12/31'))" << ""
            << QList<qint32>{};
        QTest::newRow("time column keeps the last day")
            << Conds{{"rtLD", "T00", "今月"}}
            << "((1 = 1)) AND (( 伝票テーブル.作成日付 >= '2024/05/01' AND 伝票テーブル.作成日付 <= '2024/05/319'))"
            << "" << QList<qint32>{1, 11};
        QTest::newRow("fields and OR")
            << Conds{{"rtBD", "D00", "24/05/3124/06/30"}, {"rtBD", "D00", "昨日"}, {"rt1D", "I21", "B01"}}
            << "((1 = 1)) AND (( 伝票テーブル.納期 >= '2024/05/31' AND 伝票テーブル.納期 <= '2024/06/30') OR ( "
               "伝票テーブル.納期 >= '2024/05/14' AND 伝票テーブル.納期 <= '2024/05/14')) AND (( 伝票テーブル.顧客ID = "
               "'B01' ))"
            << "" << QList<qint32>{11};
    }

    void slipConditions()
    {
        QFETCH(Conds, conditions);
        QFETCH(QString, where);
        QFETCH(QString, lines);
        QFETCH(QList<qint32>, ids);
        writeFilter(SearchFilterKind::Denpyo, QStringLiteral("f"), conditions);
        QString gotWhere;
        QString gotLines = QStringLiteral("old");
        QVERIFY(fnMakeDenpyoSQLWHERE(QStringLiteral("f"), gotWhere, gotLines));
        QCOMPARE(gotWhere, where);
        QCOMPARE(gotLines, lines);
        QCOMPARE(slipIds(gotWhere, gotLines), ids);
        QVERIFY(m_messages.isEmpty());
    }

    // A condition belongs to the field record above it, whatever its
    // column: the conditions of one record are OR-ed. Columns outside the
    // kind's search items are still refused.
    void conditionsGroupByFieldRecord_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QStringList>("contents");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QString>("where");
        QTest::addColumn<QString>("lines");
        QTest::addColumn<QStringList>("ids");
        const int slip = int(SearchFilterKind::Denpyo);
        const int customer = int(SearchFilterKind::Customer);
        const int product = int(SearchFilterKind::Shohin);
        QTest::newRow("slip: two slip columns")
            << slip << QStringList{"Prt1D", "P顧客ID", rawKey("I21顧客ID@B01"), "C", rawKey("Y00見積もり@Y"), "C"}
            << true << "((1 = 1)) AND (( 伝票テーブル.顧客ID = 'B01' ) OR ( 伝票テーブル.見積もり = TRUE ))" << ""
            << QStringList{"1", "3", "11"};
        QTest::newRow("slip: two line columns")
            << slip << QStringList{"Prt5D", "P品名", rawKey("S33品名@ナット"), "C", rawKey("I31商品ID@Z-1"), "C"}
            << true << "((1 = 1))" << " (( 明細テーブル.品名 LIKE '%ナット%') OR ( 明細テーブル.商品ID = 'Z-1' ))"
            << QStringList{"1", "11"};
        const QString lineInSlip = QStringLiteral(
            "( 伝票テーブル.伝票番号 IN (SELECT 明細テーブル.伝票番号 FROM 明細テーブル WHERE 明細テーブル.品名 LIKE "
            "'%ナット%'))");
        QTest::newRow("slip: slip and line column")
            << slip << QStringList{"Prt1D", "P顧客ID", rawKey("I21顧客ID@B01"), "C", rawKey("S33品名@ナット"), "C"}
            << true << "((1 = 1)) AND (( 伝票テーブル.顧客ID = 'B01' ) OR " + lineInSlip + ")" << ""
            << QStringList{"1", "11"};
        QTest::newRow("slip: line column first, then a line field")
            << slip
            << QStringList{"Prt5D", "P品名", rawKey("S33品名@ナット"), "C", rawKey("I21顧客ID@B01"), "C",
                           "Prt3D", "P商品ID", rawKey("I31商品ID@Z-1"), "C"}
            << true << "((1 = 1)) AND (" + lineInSlip + " OR ( 伝票テーブル.顧客ID = 'B01' ))"
            << " (( 明細テーブル.商品ID = 'Z-1' ))" << QStringList{"11"};
        QTest::newRow("customer: id and address")
            << customer << QStringList{"Prt1D", "P顧客ID", rawKey("I21顧客ID@D123"), "C", rawKey("S00所在地@横浜"), "C"}
            << true << "(( 顧客ID = 'D123' ) OR ( 所在地１ LIKE '%横浜%'  OR 所在地２ LIKE '%横浜%' ))" << ""
            << QStringList{"C001", "C002", "D123"};
        QTest::newRow("customer: unknown second column")
            << customer << QStringList{"Prt1D", "P顧客ID", rawKey("I21顧客ID@D123"), "C", rawKey("S00備考@x"), "C"}
            << false << "" << "" << QStringList{};
        QTest::newRow("product: maker and price")
            << product
            << QStringList{"Prt4D", "P製造元", rawKey("S34製造元@大阪"), "C", rawKey("K00単価@000001000000001000"), "C"}
            << true << "(( 製造元 LIKE '%大阪%' ) OR ( 単価 >= 1000 AND 単価 <= 1000))" << ""
            << QStringList{"P2", "P3"};
        QTest::newRow("product: unknown second column")
            << product << QStringList{"Prt4D", "P製造元", rawKey("S34製造元@大阪"), "C", rawKey("S34原価@1"), "C"}
            << false << "" << "" << QStringList{};
    }

    void conditionsGroupByFieldRecord()
    {
        QFETCH(int, kind);
        QFETCH(QStringList, contents);
        QFETCH(bool, valid);
        QFETCH(QString, where);
        QFETCH(QString, lines);
        QFETCH(QStringList, ids);
        const auto k = SearchFilterKind(kind);
        const QString name = QStringLiteral("組");
        writeRaw(k, name, contents);
        QString gotWhere = QStringLiteral("w");
        QString gotLines;
        QStringList gotIds;
        bool ok = false;
        if (k == SearchFilterKind::Denpyo) {
            ok = fnMakeDenpyoSQLWHERE(name, gotWhere, gotLines);
            if (ok) {
                for (const qint32 id : slipIds(gotWhere, gotLines))
                    gotIds << QString::number(id);
            }
        } else if (k == SearchFilterKind::Customer) {
            ok = fnMakeCustomerSQLWHERE(name, gotWhere);
            if (ok) {
                Customers list;
                list.Load(gotWhere, QString());
                for (const CustomerDisplay &row : list)
                    gotIds << row.CustomerID();
            }
        } else {
            ok = fnMakeShohinSQLWHERE(name, gotWhere);
            if (ok) {
                Shohins list;
                list.Load(gotWhere);
                for (const ShohinDisplay &row : list)
                    gotIds << row.ShohinID();
            }
        }
        QCOMPARE(ok, valid);
        if (!valid) {
            QCOMPARE(gotWhere, QStringLiteral("w"));
            QCOMPARE(m_messages.size(), 1);
            QVERIFY(m_messages[0].text.endsWith(QStringLiteral("組が不正です。")));
            return;
        }
        QVERIFY(m_messages.isEmpty());
        QCOMPARE(gotWhere, where);
        QCOMPARE(gotLines, lines);
        QCOMPARE(gotIds, ids);
    }

    void fieldsWithoutConditions()
    {
        writeRaw(SearchFilterKind::Denpyo, QStringLiteral("空"), {"Prt0D", "P伝票番号", "PrtBD", "P納期"});
        QString where;
        QString lines = QStringLiteral("old");
        QVERIFY(fnMakeDenpyoSQLWHERE(QStringLiteral("空"), where, lines));
        QCOMPARE(where, QStringLiteral("((1 = 1))"));
        QCOMPARE(lines, QString());

        writeRaw(SearchFilterKind::Customer, QStringLiteral("空"), {});
        where = QStringLiteral("old");
        QVERIFY(fnMakeCustomerSQLWHERE(QStringLiteral("空"), where));
        QCOMPARE(where, QString());
        Customers all;
        all.Load(where, QString());
        QCOMPARE(all.Count(), 3);
    }

    void readyConditionPassesThrough_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("where");
        QTest::newRow("slash alone") << "/" << "";
        QTest::newRow("one day") << "/(納期 = '2024/05/01')" << "(納期 = '2024/05/01')";
    }

    void readyConditionPassesThrough()
    {
        QFETCH(QString, name);
        QFETCH(QString, where);
        QString gotWhere;
        QString gotLines = QStringLiteral("old");
        QVERIFY(fnMakeDenpyoSQLWHERE(name, gotWhere, gotLines));
        QCOMPARE(gotWhere, where);
        QCOMPARE(gotLines, QString());
        if (!where.isEmpty())
            QCOMPARE(slipIds(gotWhere, gotLines), QList<qint32>{1});
    }

    void periodExpandedOnEveryCall()
    {
        writeFilter(SearchFilterKind::Denpyo, searchfilter::kTemporaryName, {{"rtBD", "D00", "今日"}});
        QString where;
        QString lines;
        setFixedNow(QDateTime(QDate(2024, 5, 1), QTime(8, 0)));
        QVERIFY(fnMakeDenpyoSQLWHERE(searchfilter::kTemporaryName, where, lines));
        QCOMPARE(slipIds(where, lines), QList<qint32>{1});
        setFixedNow(QDateTime(QDate(2024, 5, 31), QTime(8, 0)));
        QVERIFY(fnMakeDenpyoSQLWHERE(searchfilter::kTemporaryName, where, lines));
        QCOMPARE(slipIds(where, lines), QList<qint32>{2});
    }

    void customerConditions_data()
    {
        QTest::addColumn<Conds>("conditions");
        QTest::addColumn<QString>("where");
        QTest::addColumn<QStringList>("ids");
        QTest::newRow("address on the second line")
            << Conds{{"rt6D", "S00", "横浜"}} << "(( 所在地１ LIKE '%横浜%'  OR 所在地２ LIKE '%横浜%' ))"
            << QStringList{"C001", "C002"};
        QTest::newRow("equal bounds") << Conds{{"rt9D", "N00", "000000003000000003"}}
                                      << "(( 値引率 > 2 AND 値引率 < 4))" << QStringList{};
        QTest::newRow("monthly billing off") << Conds{{"rtBD", "Z00", "N"}} << "((月締め請求 = FALSE ))"
                                             << QStringList{"C002"};
        QTest::newRow("O'Neil") << Conds{{"rt3D", "S22", "O'Neil"}} << "(( 顧客名漢字 LIKE '%O''Neil%' ))"
                                << QStringList{"D123"};
    }

    void customerConditions()
    {
        QFETCH(Conds, conditions);
        QFETCH(QString, where);
        QFETCH(QStringList, ids);
        writeFilter(SearchFilterKind::Customer, QStringLiteral("f"), conditions);
        QString got;
        QVERIFY(fnMakeCustomerSQLWHERE(QStringLiteral("f"), got));
        QCOMPARE(got, where);
        Customers list;
        list.Load(got, QString());
        QStringList gotIds;
        for (const CustomerDisplay &row : list)
            gotIds << row.CustomerID();
        QCOMPARE(gotIds, ids);
    }

    void productConditions_data()
    {
        QTest::addColumn<Conds>("conditions");
        QTest::addColumn<QString>("where");
        QTest::addColumn<QStringList>("ids");
        QTest::newRow("one condition") << Conds{{"rt4D", "S34", "東京"}} << "(( 製造元 LIKE '%東京%' ))"
                                       << QStringList{"P1", "P3", "P4"};
        QTest::newRow("price range of one fraction")
            << Conds{{"rt5D", "K00", "000000099000000100"}} << "(( 単価 >= 99 AND 単価 <= 100))"
            << QStringList{"P1", "P2"};
        QTest::newRow("id prefix and exact id")
            << Conds{{"rt1D", "I31", "P*"}, {"rt1D", "I31", "Q1"}} << "(( 商品ID LIKE 'P%' ) OR ( 商品ID = 'Q1' ))"
            << QStringList{"P1", "P2", "P3", "P4", "P5"};
    }

    void productConditions()
    {
        QFETCH(Conds, conditions);
        QFETCH(QString, where);
        QFETCH(QStringList, ids);
        writeFilter(SearchFilterKind::Shohin, QStringLiteral("f"), conditions);
        QString got;
        QVERIFY(fnMakeShohinSQLWHERE(QStringLiteral("f"), got));
        QCOMPARE(got, where);
        Shohins list;
        list.Load(got);
        QStringList gotIds;
        for (const ShohinDisplay &row : list)
            gotIds << row.ShohinID();
        QCOMPARE(gotIds, ids);
    }

    void invalidSlipFilters_data()
    {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<QStringList>("contents");

        QTest::newRow("condition before the first field") << "condition-first.dkj" << QStringList{};
        QTest::newRow("unpaired last line") << "unpaired.dkj" << QStringList{};
        QTest::newRow("short line") << "short-line.dkj" << QStringList{};
        QTest::newRow("field twice") << "duplicate-field.dkj" << QStringList{};
        QTest::newRow("unknown period keyword") << "unknown-period.dkj" << QStringList{};
        const QString f = QStringLiteral("Prt0D"), l = QStringLiteral("P伝票番号");
        QTest::newRow("no @") << "" << QStringList{f, l, rawKey("N00伝票番号000000001000000002"), "C1～2"};
        QTest::newRow("@ inside the stamp")
            << "" << QStringList{f, l, "C45413@5          N00伝票番号@000000001000000002", "C1～2"};
        QTest::newRow("bound not a number") << "" << QStringList{f, l, rawKey("N00伝票番号@00000000A000000002"), "C"};
        QTest::newRow("range too short") << "" << QStringList{f, l, rawKey("N00伝票番号@0001"), "C"};
        QTest::newRow("no such date")
            << "" << QStringList{"PrtBD", "P納期", rawKey("D00納期@24/02/3024/03/01"), "C"};
        QTest::newRow("unknown column")
            << "" << QStringList{"PrtKD", "Pメモ", rawKey("S00メモ) OR (1 = 1@x"), "C"};
        QTest::newRow("letter its item does not produce")
            << "" << QStringList{"PrtKD", "Pメモ", rawKey("Y00メモ@Y"), "C"};
        QTest::newRow("flag neither Y nor N") << "" << QStringList{"PrtOD", "P受注", rawKey("Y00受注@X"), "C"};
        QTest::newRow("unknown column as a field's second")
            << "" << QStringList{"PrtOD", "P受注", rawKey("Y00受注@Y"), "C", rawKey("Y00備考@Y"), "C"};
    }

    void invalidSlipFilters()
    {
        QFETCH(QString, fixture);
        QFETCH(QStringList, contents);
        const QString name = QStringLiteral("壊れ");
        const QString path = searchfilter::filePath(SearchFilterKind::Denpyo, name);
        QFile::remove(path);
        if (!fixture.isEmpty())
            QVERIFY(QFile::copy(QStringLiteral(QVX_FIXTURES "/filters/") + fixture, path));
        else
            writeRaw(SearchFilterKind::Denpyo, name, contents);
        QString where = QStringLiteral("w");
        QString lines = QStringLiteral("m");
        QVERIFY(!fnMakeDenpyoSQLWHERE(name, where, lines));
        QCOMPARE(where, QStringLiteral("w"));
        QCOMPARE(lines, QStringLiteral("m"));
        QCOMPARE(m_messages.size(), 1);
        QCOMPARE(m_messages[0].text, QStringLiteral("伝票検索フィルター 壊れが不正です。"));
        QCOMPARE(m_messages[0].icon, ui::Icon::Exclamation);
        QCOMPARE(m_messages[0].buttons, ui::Buttons::Ok);
        QVERIFY(m_messages[0].title.isEmpty());
    }

    void failureMessagesNameTheRegister_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("exists");
        QTest::addColumn<QString>("message");
        QTest::newRow("slip missing") << int(SearchFilterKind::Denpyo) << false << "伝票検索フィルター 無しが存在しません。";
        QTest::newRow("customer missing")
            << int(SearchFilterKind::Customer) << false << "顧客検索フィルター 無しが存在しません。";
        QTest::newRow("product missing") << int(SearchFilterKind::Shohin) << false << "商品検索フィルター 無しが存在しません。";
        QTest::newRow("customer invalid") << int(SearchFilterKind::Customer) << true << "顧客検索フィルター 無しが不正です。";
        QTest::newRow("product invalid") << int(SearchFilterKind::Shohin) << true << "商品検索フィルター 無しが不正です。";
    }

    void failureMessagesNameTheRegister()
    {
        QFETCH(int, kind);
        QFETCH(bool, exists);
        QFETCH(QString, message);
        const auto k = SearchFilterKind(kind);
        const QString name = QStringLiteral("無し");
        QFile::remove(searchfilter::filePath(k, name));
        if (exists)
            writeRaw(k, name, {"Prt1D", "P顧客ID", rawKey("I21顧客ID@x")}); // unpaired
        QString where = QStringLiteral("w");
        QString lines = QStringLiteral("m");
        const bool ok = k == SearchFilterKind::Denpyo  ? fnMakeDenpyoSQLWHERE(name, where, lines)
                        : k == SearchFilterKind::Customer ? fnMakeCustomerSQLWHERE(name, where)
                                                          : fnMakeShohinSQLWHERE(name, where);
        QVERIFY(!ok);
        QCOMPARE(where, QStringLiteral("w"));
        QCOMPARE(lines, QStringLiteral("m"));
        QCOMPARE(m_messages.size(), 1);
        QCOMPARE(m_messages[0].text, message);
        QCOMPARE(m_messages[0].icon, ui::Icon::Exclamation);
    }
};

QTEST_MAIN(tst_FilterCompiler)
#include "tst_filtercompiler.moc"
