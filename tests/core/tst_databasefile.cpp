#include "core/Globals.h"
#include "core/Startup.h"
#include "platform/db/Connection.h"
#include "platform/ui/MessageBox.h"
#include "TestSupport.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// The database file is one that the stock sqlite3 shell can check, change,
// vacuum, dump and restore: as qvx_dbinit makes it, and as the program leaves
// a file of the earlier schema once it has opened it.
class tst_DatabaseFile : public QObject {
    Q_OBJECT

private:
    struct Result {
        int exitCode = -1;
        QString out;
        QString err;
    };

    QTemporaryDir m_dir;
    QString m_path;
    QStringList m_messages;

    static Result shell(const QString &path, const QByteArray &script)
    {
        QProcess p;
        p.start(QStringLiteral(QVX_SQLITE3_SHELL), {QStringLiteral("-bail"), QStringLiteral("-batch"), path});
        p.write(script);
        p.closeWriteChannel();
        Result r;
        if (!p.waitForFinished(60000))
            return r;
        r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        r.out = QString::fromUtf8(p.readAllStandardOutput());
        r.err = QString::fromUtf8(p.readAllStandardError());
        return r;
    }
    static int runDbInit(const QString &path)
    {
        QProcess p;
        p.start(QStringLiteral(QVX_DBINIT), {path});
        return p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    }
    // A few slips, so that every index holds entries.
    static void addSlips(const QString &path)
    {
        auto c = db::Connection::open(path);
        c->exec(QStringLiteral(
            "INSERT INTO 伝票テーブル (伝票番号, 納期, 顧客ID, 顧客名, 作成日付, 更新日付) VALUES "
            "(1, '2024/04/10', 'C1', '山田商店', '2024/04/01 09:00:00', '2024/04/02 10:00:00'),"
            "(2, '2024/04/11', 'C2', 'O''Neil', '2024/04/01 17:30:00', '2024/04/03 11:00:00'),"
            "(3, NULL, NULL, NULL, NULL, NULL)"));
        c->exec(QStringLiteral("INSERT INTO 明細テーブル (伝票番号, 明細番号, 品名, 数量) VALUES (1, 1, 'ボルト', 2)"));
    }

private slots:
    void initTestCase_data()
    {
        QTest::addColumn<bool>("earlierSchema");
        QTest::newRow("made by qvx_dbinit") << false;
        QTest::newRow("earlier schema, opened by the program") << true;
    }
    void initTestCase()
    {
        QVERIFY2(QFileInfo(QStringLiteral(QVX_SQLITE3_SHELL)).isExecutable(),
                 "the sqlite3 shell is missing (scripts/install-deps.sh installs it)");
        ui::setMessageResponder([this](const ui::MessageRequest &r) {
            m_messages.append(r.text);
            return ui::Answer::Ok;
        });
    }
    void init()
    {
        QFETCH_GLOBAL(bool, earlierSchema);
        m_messages.clear();
        const QString folder = m_dir.filePath(QString::fromLatin1(QTest::currentTestFunction()) + QLatin1Char('-')
                                              + QString::number(earlierSchema));
        QVERIFY(QDir().mkpath(folder));
        m_path = folder + QStringLiteral("/QVX.MDB");
        QCOMPARE(runDbInit(m_path), 0);
        addSlips(m_path);
        if (!earlierSchema)
            return;
        testsupport::useEarlierSchema(m_path);
        // What the shell made of such a file.
        const Result before = shell(m_path, "PRAGMA integrity_check;\n");
        QVERIFY2(before.exitCode != 0 && before.err.contains(QStringLiteral("Mid")), qPrintable(before.err));
        gstrDatabasePath = m_path;
        QVERIFY(fnOpenDatabase());
        CloseDatabase();
        QCOMPARE(m_messages, QStringList());
    }

    void integrityCheck()
    {
        const Result r = shell(m_path, "PRAGMA integrity_check;\n");
        QCOMPARE(r.err, QString());
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.out, QStringLiteral("ok\n"));
    }

    void slipsChangedByTheShell()
    {
        const Result r = shell(m_path,
                               "INSERT INTO 伝票テーブル (伝票番号, 作成日付, 更新日付) "
                               "VALUES (9, '2024/05/01 08:00:00', '2024/05/01 08:00:00');\n"
                               "UPDATE 伝票テーブル SET 更新日付 = '2024/05/02 12:00:00' WHERE 伝票番号 = 1;\n"
                               "DELETE FROM 伝票テーブル WHERE 伝票番号 = 2;\n"
                               "DELETE FROM 明細テーブル WHERE 伝票番号 = 2;\n"
                               "PRAGMA integrity_check;\n");
        QCOMPARE(r.err, QString());
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.out, QStringLiteral("ok\n"));
        // The program's date bar finds the changed slips through the day indexes.
        auto c = db::Connection::open(m_path);
        const auto day = [&c](const char *column, const char *date) {
            QStringList ids;
            db::Statement st = c->prepare(
                QStringLiteral("SELECT 伝票番号 FROM 伝票テーブル INDEXED BY 伝票テーブル_%1 "
                               "WHERE (substr(%1付,1,10) = '%2') ORDER BY 伝票番号")
                    .arg(QString::fromUtf8(column), QLatin1String(date)));
            while (st.step())
                ids << st.text(0);
            return ids.join(QLatin1Char(','));
        };
        QCOMPARE(day("作成日", "2024/04/01"), QStringLiteral("1"));
        QCOMPARE(day("作成日", "2024/05/01"), QStringLiteral("9"));
        QCOMPARE(day("更新日", "2024/05/02"), QStringLiteral("1"));
        QCOMPARE(day("更新日", "2024/04/03"), QString());
    }

    void vacuumAndReindex()
    {
        const Result r = shell(m_path, "VACUUM;\nREINDEX;\nPRAGMA integrity_check;\n");
        QCOMPARE(r.err, QString());
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.out, QStringLiteral("ok\n"));
        gstrDatabasePath = m_path;
        QVERIFY(fnOpenDatabase());
        QCOMPARE(gConnection->scalar(QStringLiteral("SELECT COUNT(*) FROM 伝票テーブル")).toInt(), 3);
        CloseDatabase();
    }

    // A dump restored into a new file gives back the same file: every table,
    // index and row.
    void dumpAndRestore()
    {
        const Result dump = shell(m_path, ".dump\n");
        QCOMPARE(dump.err, QString());
        QCOMPARE(dump.exitCode, 0);
        const QString restored = m_path + QStringLiteral(".restored");
        const Result restore = shell(restored, dump.out.toUtf8());
        QCOMPARE(restore.err, QString());
        QCOMPARE(restore.exitCode, 0);

        const QByteArray schema = "SELECT type, name, tbl_name, sql FROM sqlite_master ORDER BY name;\n";
        // The schema's eleven indexes of its own, besides those of the keys.
        const Result indexes =
            shell(restored, "SELECT COUNT(*) FROM sqlite_master WHERE type = 'index' AND sql IS NOT NULL;\n");
        QCOMPARE(indexes.out, QStringLiteral("11\n"));
        QCOMPARE(shell(restored, schema).out, shell(m_path, schema).out);
        QCOMPARE(shell(restored, ".dump\n").out, dump.out);
        QCOMPARE(shell(restored, "PRAGMA integrity_check;\n").out, QStringLiteral("ok\n"));
    }
};

QTEST_MAIN(tst_DatabaseFile)
#include "tst_databasefile.moc"
