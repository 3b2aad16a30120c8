#include "core/BasicInfo.h"
#include "core/Globals.h"
#include "platform/db/Connection.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// The database the program folder gets from qvx_dbinit: its first rows,
// the column encodings the records rely on, and an existing file left alone.
class tst_FreshDatabase : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_path;

    static int runTool(const QString &path)
    {
        QProcess p;
        p.start(QStringLiteral(QVX_DBINIT), {path});
        if (!p.waitForFinished(60000))
            return -1;
        return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    }
    static QByteArray bytes(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private slots:
    void initTestCase()
    {
        m_path = m_dir.filePath(QStringLiteral("QVX.MDB"));
        QCOMPARE(runTool(m_path), 0);
        QVERIFY(QFile::exists(m_path));
        QVERIFY(!QFile::exists(m_path + QStringLiteral(".new")));
        gConnection = db::Connection::open(m_path);
    }
    void cleanupTestCase() { gConnection.reset(); }

    void firstRows_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("number");
        QTest::newRow("version") << "DatabaseVersion" << 5;
        QTest::newRow("counter") << "CurrentDenpyoID" << 0;
        QTest::newRow("check count") << "DenpyoListCheckCount" << 1000;
        QTest::newRow("tax rate") << "ShouhizeiRitsu" << 10;
        QTest::newRow("tax pattern") << "ShouhizeiPattern" << 0;
        QTest::newRow("tax on") << "Shouhizei" << 1;
        for (const char *key : {"MyName", "MyPostNumber", "MyAddress1", "MyAddress2", "MyPhone", "MyFax",
                                "MyHomePage", "MyMail", "MyTourokuBango"})
            QTest::newRow(key) << key << 0;
        for (int n = 1; n <= 3; ++n) {
            for (const char *part : {"Ginko", "Shiten", "Number"}) {
                const QString key = QStringLiteral("MyKoza%1%2").arg(n).arg(QLatin1String(part));
                QTest::newRow(qPrintable(key)) << key << 0;
            }
            const QString type = QStringLiteral("MyKoza%1Shurui").arg(n);
            QTest::newRow(qPrintable(type)) << type << 1;
        }
    }
    void firstRows()
    {
        QFETCH(QString, key);
        QFETCH(int, number);
        BasicInfo info;
        QVERIFY(info.Load(key));
        QCOMPARE(info.LongValue(), number);
        QCOMPARE(info.StringValue(), QString());
        db::Statement st = connection().prepare(
            QStringLiteral("SELECT テキスト型データ FROM 基本情報テーブル WHERE 基本情報ID = ?"));
        st.bindText(1, key);
        QVERIFY(st.step());
        QVERIFY(st.isNull(0));
    }
    void noOtherRows()
    {
        QCOMPARE(connection().scalar(QStringLiteral("SELECT COUNT(*) FROM 基本情報テーブル")).toInt(), 27);
    }

    void encodings()
    {
        db::Connection &c = connection();
        // Text columns keep what they are given: no number affinity.
        c.exec(QStringLiteral("INSERT INTO 顧客テーブル (顧客ID, 郵便番号, 値引率, 月締め請求) "
                              "VALUES ('00123', '0012345', 0, 1)"));
        c.exec(QStringLiteral("INSERT INTO 商品テーブル (商品ID, 品番, 単価) VALUES ('007', '0042', 1)"));
        QCOMPARE(c.scalar(QStringLiteral("SELECT 顧客ID || '|' || 郵便番号 FROM 顧客テーブル")).toString(),
                 QStringLiteral("00123|0012345"));
        QCOMPARE(c.scalar(QStringLiteral("SELECT 品番 FROM 商品テーブル WHERE 商品ID = '007'")).toString(),
                 QStringLiteral("0042"));
        // Flags stored as 1 answer to TRUE.
        QCOMPARE(c.scalar(QStringLiteral("SELECT COUNT(*) FROM 顧客テーブル WHERE 月締め請求 = TRUE")).toInt(), 1);
        // Text keys ignore letter case, as the records' lookups expect.
        c.exec(QStringLiteral("INSERT INTO 商品テーブル (商品ID, 単価) VALUES ('abc', 0)"));
        QVERIFY_THROWS_EXCEPTION(db::DbError,
                                 c.exec(QStringLiteral("INSERT INTO 商品テーブル (商品ID, 単価) VALUES ('ABC', 0)")));
        QCOMPARE(c.scalar(QStringLiteral("SELECT COUNT(*) FROM 商品テーブル WHERE 商品ID = 'Abc'")).toInt(), 1);
    }

    // The slip list's date and customer conditions and the line lookups by
    // slip are answered from an index, not by reading every row.
    void indexedLookups_data()
    {
        QTest::addColumn<QString>("query");
        QTest::newRow("delivery day") << "SELECT * FROM 伝票テーブル WHERE 納期 = '2024/04/01'";
        QTest::newRow("invoice month") << "SELECT * FROM 伝票テーブル WHERE 請求日付 >= '2024/04/01' AND 請求日付 < '2024/05/01'";
        QTest::newRow("created day") << "SELECT * FROM 伝票テーブル WHERE 作成日付 >= '2024/04/01' AND 作成日付 < '2024/04/02'";
        QTest::newRow("created day (date bar)") << "SELECT * FROM 伝票テーブル WHERE (substr(作成日付,1,10) = '2024/04/01')";
        QTest::newRow("updated month (date bar)")
            << "SELECT * FROM 伝票テーブル WHERE (substr(更新日付,1,10) >= '2024/04/01' AND substr(更新日付,1,10) <= '2024/04/30')";
        QTest::newRow("customer") << "SELECT * FROM 伝票テーブル WHERE 顧客ID = 'C1'";
        QTest::newRow("lines of a slip") << "SELECT * FROM 明細テーブル WHERE 伝票番号 = 5 ORDER BY 伝票番号, 明細番号";
    }
    void indexedLookups()
    {
        QFETCH(QString, query);
        db::Statement st = connection().prepare(QStringLiteral("EXPLAIN QUERY PLAN ") + query);
        QString plan;
        while (st.step())
            plan += st.text(3) + QLatin1Char('\n');
        QVERIFY2(plan.contains(QLatin1String("USING")) && !plan.contains(QLatin1String("SCAN")), qPrintable(plan));
    }

    void existingFileIsNeverTouched()
    {
        connection().exec(QStringLiteral("UPDATE 基本情報テーブル SET 数値型データ = 77 WHERE 基本情報ID = 'CurrentDenpyoID'"));
        gConnection.reset();
        const QByteArray before = bytes(m_path);
        QCOMPARE(runTool(m_path), 0);
        QCOMPARE(bytes(m_path), before);

        // Not even a file that is no database.
        const QString other = m_dir.filePath(QStringLiteral("other.mdb"));
        QFile f(other);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("not a database");
        f.close();
        QCOMPARE(runTool(other), 0);
        QCOMPARE(bytes(other), QByteArray("not a database"));
        gConnection = db::Connection::open(m_path);
    }

    // What the build lays out: the program, its database and every folder
    // the start-up checks, with the sample print forms beside the user's.
    void programFolderIsComplete()
    {
        const QDir program(QStringLiteral(QVX_PROGRAM_DIR));
        QVERIFY(QFileInfo(program.filePath(QStringLiteral("quorvex"))).isExecutable());
        QVERIFY(QFileInfo(program.filePath(QStringLiteral("DATABASE/TsukiSeikyusho"))).isDir());
        const QStringList kinds{"Denpyo", "DenpyoList", "TsukiSeikyusho", "Customer",
                                "CustomerList", "Shohin", "ShohinList"};
        QStringList folders{"DenpyoKensakuFilter", "CustomerKensakuFilter", "ShohinKensakuFilter"};
        for (const QString &kind : kinds)
            folders << kind + QStringLiteral("PrintForm") << kind + QStringLiteral("PrintSampleForm");
        for (const QString &folder : folders)
            QVERIFY2(QFileInfo(program.filePath(QStringLiteral("Define/") + folder)).isDir(), qPrintable(folder));
        auto c = db::Connection::open(program.filePath(QStringLiteral("DATABASE/QVX.MDB")));
        QCOMPARE(c->scalar(QStringLiteral(
                     "SELECT 数値型データ FROM 基本情報テーブル WHERE 基本情報ID = 'DatabaseVersion'")).toInt(), 5);
    }

    void folderThatIsMissing()
    {
        const QString path = m_dir.filePath(QStringLiteral("no/such/folder/QVX.MDB"));
        QVERIFY(runTool(path) != 0);
        QVERIFY(!QFile::exists(path));
    }
};

QTEST_GUILESS_MAIN(tst_FreshDatabase)
#include "tst_freshdatabase.moc"
