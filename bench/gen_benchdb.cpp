#include "gen_benchdb.h"

#include "platform/db/Connection.h"

#include <QCryptographicHash>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <random>
#include <sqlite3.h>
#include <stdexcept>

namespace benchdb {
namespace {

const QStringList kSurnames = {
    QStringLiteral("山田"), QStringLiteral("佐藤"), QStringLiteral("鈴木"), QStringLiteral("高橋"),
    QStringLiteral("田中"), QStringLiteral("伊藤"), QStringLiteral("渡辺"), QStringLiteral("中村"),
    QStringLiteral("小林"), QStringLiteral("加藤"), QStringLiteral("吉田"), QStringLiteral("山本"),
    QStringLiteral("松本"), QStringLiteral("井上"), QStringLiteral("木村"), QStringLiteral("林"),
    QStringLiteral("清水"), QStringLiteral("山崎"), QStringLiteral("森"), QStringLiteral("池田")};
const QStringList kKana = {
    QStringLiteral("やまだ"), QStringLiteral("さとう"), QStringLiteral("すずき"), QStringLiteral("たかはし"),
    QStringLiteral("たなか"), QStringLiteral("いとう"), QStringLiteral("わたなべ"), QStringLiteral("なかむら"),
    QStringLiteral("こばやし"), QStringLiteral("かとう"), QStringLiteral("よしだ"), QStringLiteral("やまもと"),
    QStringLiteral("まつもと"), QStringLiteral("いのうえ"), QStringLiteral("きむら"), QStringLiteral("はやし"),
    QStringLiteral("しみず"), QStringLiteral("やまざき"), QStringLiteral("もり"), QStringLiteral("いけだ")};
const QStringList kTrades = {
    QStringLiteral("商店"), QStringLiteral("工業"), QStringLiteral("製作所"), QStringLiteral("建設"),
    QStringLiteral("電機"), QStringLiteral("商事"), QStringLiteral("産業"), QStringLiteral("設備")};
const QStringList kPlaces = {
    QStringLiteral("東京都千代田区丸の内"), QStringLiteral("大阪府大阪市北区梅田"),
    QStringLiteral("愛知県名古屋市中区栄"), QStringLiteral("福岡県福岡市博多区博多駅前"),
    QStringLiteral("北海道札幌市中央区北一条西"), QStringLiteral("神奈川県横浜市西区みなとみらい"),
    QStringLiteral("京都府京都市下京区四条通"), QStringLiteral("宮城県仙台市青葉区一番町")};
const QStringList kDepartments = {
    QStringLiteral("営業部"), QStringLiteral("資材部"), QStringLiteral("総務部"), QStringLiteral("工務課"),
    QStringLiteral("購買課"), QString()};
const QStringList kGoods = {
    QStringLiteral("六角ボルト"), QStringLiteral("六角ナット"), QStringLiteral("平座金"),
    QStringLiteral("ステンレス配管"), QStringLiteral("塩ビ継手"), QStringLiteral("電線"),
    QStringLiteral("ブレーカー"), QStringLiteral("コンセント"), QStringLiteral("LED照明器具"),
    QStringLiteral("作業手袋"), QStringLiteral("安全靴"), QStringLiteral("養生テープ")};
const QStringList kSizes = {
    QStringLiteral("M6"), QStringLiteral("M8"), QStringLiteral("M10"), QStringLiteral("M12"),
    QStringLiteral("小"), QStringLiteral("中"), QStringLiteral("大"), QStringLiteral("20A"),
    QStringLiteral("25A"), QStringLiteral("3.5sq"), QStringLiteral("白"), QStringLiteral("黒")};
const QStringList kUnits = {
    QStringLiteral("個"), QStringLiteral("本"), QStringLiteral("箱"), QStringLiteral("m"),
    QStringLiteral("巻"), QStringLiteral("台"), QStringLiteral("組"), QStringLiteral("式")};
const QStringList kStaff = {
    QStringLiteral("佐々木"), QStringLiteral("石井"), QStringLiteral("前田"), QStringLiteral("藤田"),
    QStringLiteral("岡田"), QStringLiteral("後藤")};

constexpr int kCustomers = 800;
constexpr int kProducts = 3000;

class Generator {
public:
    Generator(sqlite3 *db, int slips) : m_db(db), m_slips(slips), m_lines(slips * 10) {}

    void run()
    {
        exec("BEGIN");
        customers();
        products();
        slips();
        const QByteArray counter = QStringLiteral("UPDATE 基本情報テーブル SET 数値型データ = %1 "
                                                  "WHERE 基本情報ID = 'CurrentDenpyoID'").arg(m_slips).toUtf8();
        exec(counter.constData());
        exec("COMMIT");
        exec("ANALYZE");
    }

private:
    struct Customer {
        QString id, name, department, post, address1, address2, phone, fax;
    };
    struct Product {
        QString id, number, name, unit;
        double price;
    };

    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }
    template <typename T>
    const T &any(const QList<T> &list) { return list.at(pick(int(list.size()))); }

    void exec(const char *sql)
    {
        char *err = nullptr;
        if (sqlite3_exec(m_db, sql, nullptr, nullptr, &err) != SQLITE_OK) {
            const std::string msg = err ? err : "sqlite error";
            sqlite3_free(err);
            throw std::runtime_error(msg);
        }
    }
    sqlite3_stmt *prepare(const QString &sql)
    {
        sqlite3_stmt *st = nullptr;
        const QByteArray utf8 = sql.toUtf8();
        if (sqlite3_prepare_v2(m_db, utf8.constData(), -1, &st, nullptr) != SQLITE_OK)
            throw std::runtime_error(sqlite3_errmsg(m_db));
        return st;
    }
    static void text(sqlite3_stmt *st, int i, const QString &value)
    {
        if (value.isEmpty()) {
            sqlite3_bind_null(st, i);
        } else {
            const QByteArray utf8 = value.toUtf8();
            sqlite3_bind_text(st, i, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
        }
    }
    void step(sqlite3_stmt *st)
    {
        if (sqlite3_step(st) != SQLITE_DONE)
            throw std::runtime_error(sqlite3_errmsg(m_db));
        sqlite3_reset(st);
    }

    void customers()
    {
        sqlite3_stmt *st = prepare(QStringLiteral(
            "INSERT INTO 顧客テーブル (顧客ID, 顧客名かな, 顧客名漢字, 部門, 郵便番号, 所在地１, 所在地２, "
            "電話番号, FAX番号, 値引率, メモ, 月締め請求, 締め日) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?)"));
        for (int i = 0; i < kCustomers; ++i) {
            const int s = pick(int(kSurnames.size()));
            const QString trade = any(kTrades);
            Customer c;
            c.id = QStringLiteral("C%1").arg(i + 1, 5, 10, QLatin1Char('0'));
            c.name = (i % 3 ? QStringLiteral("株式会社") : QStringLiteral("有限会社")) + kSurnames[s] + trade;
            c.department = any(kDepartments);
            c.post = QStringLiteral("%1-%2").arg(100 + pick(900)).arg(pick(10000), 4, 10, QLatin1Char('0'));
            c.address1 = any(kPlaces) + QStringLiteral("%1-%2-%3").arg(1 + pick(5)).arg(1 + pick(20)).arg(1 + pick(30));
            c.address2 = pick(2) ? QStringLiteral("%1ビル %2階").arg(kSurnames[s]).arg(1 + pick(9)) : QString();
            c.phone = QStringLiteral("0%1-%2-%3").arg(3 + pick(96)).arg(pick(10000), 4, 10, QLatin1Char('0')).arg(pick(10000), 4, 10, QLatin1Char('0'));
            c.fax = pick(3) ? c.phone.left(c.phone.size() - 1) + QString::number(pick(10)) : QString();
            text(st, 1, c.id);
            text(st, 2, kKana[s]);
            text(st, 3, c.name);
            text(st, 4, c.department);
            text(st, 5, c.post);
            text(st, 6, c.address1);
            text(st, 7, c.address2);
            text(st, 8, c.phone);
            text(st, 9, c.fax);
            sqlite3_bind_int(st, 10, pick(4) ? 0 : 5 * (1 + pick(3)));
            text(st, 11, pick(5) ? QString() : QStringLiteral("支払いは翌月末\r\n担当者：%1様").arg(any(kSurnames)));
            const bool monthly = pick(3) == 0;
            sqlite3_bind_int(st, 12, monthly ? 1 : 0);
            text(st, 13, monthly ? QStringLiteral("月末締め") : QString());
            step(st);
            m_customers.push_back(c);
        }
        sqlite3_finalize(st);
    }

    void products()
    {
        sqlite3_stmt *st = prepare(QStringLiteral(
            "INSERT INTO 商品テーブル (商品ID, 品番, 品名, 製造元, 単価, 単位, 説明) VALUES (?,?,?,?,?,?,?)"));
        for (int i = 0; i < kProducts; ++i) {
            Product p;
            p.id = QStringLiteral("P%1").arg(i + 1, 6, 10, QLatin1Char('0'));
            p.number = QStringLiteral("%1-%2").arg(QChar(u'A' + pick(26))).arg(pick(100000), 5, 10, QLatin1Char('0'));
            p.name = any(kGoods) + QLatin1Char(' ') + any(kSizes);
            p.unit = any(kUnits);
            p.price = (1 + pick(2000)) * 10 + (pick(4) ? 0 : 0.5);
            text(st, 1, p.id);
            text(st, 2, p.number);
            text(st, 3, p.name);
            text(st, 4, any(kSurnames) + any(kTrades));
            sqlite3_bind_double(st, 5, p.price);
            text(st, 6, p.unit);
            text(st, 7, pick(4) ? QString() : QStringLiteral("在庫限り"));
            step(st);
            m_products.push_back(p);
        }
        sqlite3_finalize(st);
    }

    // Line counts of 1 to 20 per slip that add up to m_lines exactly.
    std::vector<int> lineCounts()
    {
        std::vector<int> counts(static_cast<size_t>(m_slips));
        long total = 0;
        for (int &c : counts)
            total += (c = 1 + pick(20));
        while (total != m_lines) {
            int &c = counts[size_t(pick(m_slips))];
            if (total > m_lines && c > 1) {
                --c;
                --total;
            } else if (total < m_lines && c < 20) {
                ++c;
                ++total;
            }
        }
        return counts;
    }

    void slips()
    {
        sqlite3_stmt *slip = prepare(QStringLiteral(
            "INSERT INTO 伝票テーブル (伝票番号, 納期, 顧客ID, 顧客郵便, 顧客所在地１, 顧客所在地２, 顧客名, "
            "顧客部門, 顧客電話, 顧客FAX, 明細数, 明細計, 値引率計算, 値引率, 値引金額, 合計, 消費税含, 消費税, "
            "合計消費税込み, 見積もり, 見積もり日付, 受注, 受注日付, 納品, 納品日付, 請求, 請求日付, 入金, "
            "入金日付, 部門, 担当, メモ, 作成日付, 更新日付) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,"
            "?,?,?,?,?,?,?,?,?,?,?,?,?,?)"));
        sqlite3_stmt *line = prepare(QStringLiteral(
            "INSERT INTO 明細テーブル (伝票番号, 明細番号, 商品ID, 品番, 品名, 単価, 数量, 単位, 金額, 備考) "
            "VALUES (?,?,?,?,?,?,?,?,?,?)"));
        const std::vector<int> counts = lineCounts();
        const QDate first(2022, 1, 1);
        const int days = int(first.daysTo(QDate(2024, 12, 31))) + 1;
        const auto fmt = [](const QDate &d) { return d.toString(QStringLiteral("yyyy/MM/dd")); };
        for (int n = 1; n <= m_slips; ++n) {
            // Numbers follow the creation day, as they do when typed in over time.
            const QDate created = first.addDays(qint64(n - 1) * days / m_slips);
            const QDate due = created.addDays(3 + pick(30));
            const Customer &c = m_customers[size_t(pick(kCustomers))];
            qint64 sum = 0;
            for (int i = 1; i <= counts[size_t(n - 1)]; ++i) {
                const Product &p = m_products[size_t(pick(kProducts))];
                const double qty = 1 + pick(50);
                const qint64 amount = qint64(p.price * qty + 0.5);
                sum += amount;
                sqlite3_bind_int(line, 1, n);
                sqlite3_bind_int(line, 2, i);
                text(line, 3, p.id);
                text(line, 4, p.number);
                text(line, 5, p.name);
                sqlite3_bind_double(line, 6, p.price);
                sqlite3_bind_double(line, 7, qty);
                text(line, 8, p.unit);
                sqlite3_bind_int64(line, 9, amount);
                text(line, 10, pick(10) ? QString() : QStringLiteral("至急"));
                step(line);
            }
            const int rate = pick(5) ? 0 : 5;
            const qint64 discount = sum * rate / 100;
            const qint64 total = sum - discount;
            const qint64 tax = total / 10;
            // Older slips have gone through more stages.
            const int age = int(created.daysTo(QDate(2024, 12, 31)));
            const bool stages[5] = {true, age > 5 || pick(2), age > 20, age > 40, age > 70};
            int i = 0;
            sqlite3_bind_int(slip, ++i, n);
            text(slip, ++i, fmt(due));
            text(slip, ++i, c.id);
            text(slip, ++i, c.post);
            text(slip, ++i, c.address1);
            text(slip, ++i, c.address2);
            text(slip, ++i, c.name);
            text(slip, ++i, c.department);
            text(slip, ++i, c.phone);
            text(slip, ++i, c.fax);
            sqlite3_bind_int(slip, ++i, counts[size_t(n - 1)]);
            sqlite3_bind_int64(slip, ++i, sum);
            sqlite3_bind_int(slip, ++i, rate ? 1 : 0);
            sqlite3_bind_int(slip, ++i, rate);
            sqlite3_bind_int64(slip, ++i, discount);
            sqlite3_bind_int64(slip, ++i, total);
            sqlite3_bind_int(slip, ++i, 0);
            sqlite3_bind_int64(slip, ++i, tax);
            sqlite3_bind_int64(slip, ++i, total + tax);
            for (int s = 0; s < 5; ++s) {
                sqlite3_bind_int(slip, ++i, stages[s] ? 1 : 0);
                text(slip, ++i, stages[s] ? fmt(created.addDays(s * 12)) : QString());
            }
            text(slip, ++i, any(kDepartments));
            text(slip, ++i, any(kStaff));
            text(slip, ++i, pick(8) ? QString() : QStringLiteral("納品時に連絡\r\n現場：%1").arg(c.address1));
            text(slip, ++i, fmt(created) + QStringLiteral(" %1:%2:00").arg(8 + pick(10), 2, 10, QLatin1Char('0')).arg(pick(60), 2, 10, QLatin1Char('0')));
            text(slip, ++i, pick(3) ? QString() : fmt(created.addDays(pick(30))) + QStringLiteral(" 17:30:00"));
            step(slip);
        }
        sqlite3_finalize(slip);
        sqlite3_finalize(line);
    }

    sqlite3 *m_db;
    int m_slips;
    long m_lines;
    std::mt19937 m_random{20240401};
    std::vector<Customer> m_customers;
    std::vector<Product> m_products;
};

} // namespace

QString database(int slips)
{
    QFile schema(QStringLiteral(QVX_SCHEMA_SQL));
    if (!schema.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read the schema");
    const QByteArray script = schema.readAll();
    // Named after the schema it was built with: a changed schema (its
    // indexes) builds a new database rather than measuring an old one.
    const QString stamp = QString::fromLatin1(QCryptographicHash::hash(script, QCryptographicHash::Sha1).toHex().left(8));
    const QString folder = QStringLiteral(QVX_BENCH_DIR);
    const QString path = folder + QStringLiteral("/slips%1-%2.mdb").arg(slips).arg(stamp);
    if (QFileInfo::exists(path))
        return path;
    QDir().mkpath(folder);
    const QString building = path + QStringLiteral(".building");
    QFile::remove(building);
    {
        auto c = db::Connection::create(building);
        c->execScript(QString::fromUtf8(script));
        c->exec(QStringLiteral("PRAGMA synchronous=OFF"));
        Generator(c->handle(), slips).run();
    }
    // Renamed only once complete, so an interrupted run is never reused.
    if (!QFile::rename(building, path))
        throw std::runtime_error("cannot place the benchmark database");
    return path;
}

QString largeDatabase()
{
    return database(kSlips);
}

} // namespace benchdb
