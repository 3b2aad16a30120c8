#include "platform/db/Connection.h"
#include "platform/db/ReadTransaction.h"
#include "FullFileSystem.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <optional>
#include <sqlite3.h>

using db::Connection;
using db::DbError;

class tst_Connection : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    std::unique_ptr<Connection> fresh()
    {
        static int n = 0;
        const QString path = m_dir.filePath(QStringLiteral("db%1.mdb").arg(++n));
        testsupport::createFreshDatabase(path);
        return Connection::open(path);
    }

    // The statements the engine holds for a connection, finalized or not.
    static int statementsHeld(Connection &c)
    {
        int n = 0;
        for (sqlite3_stmt *st = sqlite3_next_stmt(c.handle(), nullptr); st; st = sqlite3_next_stmt(c.handle(), st))
            ++n;
        return n;
    }

    static void insertSlips(Connection &c, int count)
    {
        for (int id = 1; id <= count; ++id)
            c.exec(QStringLiteral("INSERT INTO 伝票テーブル (伝票番号) VALUES (%1)").arg(id));
    }

    static const QString &slipsWithParameter()
    {
        static const QString sql = QStringLiteral("SELECT 伝票番号, ? FROM 伝票テーブル ORDER BY 伝票番号");
        return sql;
    }

private slots:
    void opensExistingFilesOnly()
    {
        const QString missing = m_dir.filePath(QStringLiteral("missing.mdb"));
        QVERIFY_THROWS_EXCEPTION(DbError, Connection::open(missing));
        QVERIFY(!QFile::exists(missing));
    }

    // What a user can meet without a fault of the program is said in
    // Japanese with the file's path; a statement the engine refuses keeps the
    // engine's words.
    void failuresAUserMeetsAreJapanese_data()
    {
        QTest::addColumn<QString>("cause");
        QTest::addColumn<QString>("expected");
        QTest::newRow("no database") << "no database" << "ファイル(%1)はデータベースではありません。";
        QTest::newRow("held by a second copy")
            << "held" << "データベースファイル(%1)は、ほかのプログラムが使用しています。しばらくしてからもう一度行ってください。";
        QTest::newRow("refused statement") << "refused" << "no such table: nosuch";
    }

    void failuresAUserMeetsAreJapanese()
    {
        QFETCH(QString, cause);
        QFETCH(QString, expected);
        const QString path = m_dir.filePath(cause + QStringLiteral(".mdb"));
        std::unique_ptr<Connection> other;
        if (cause == QLatin1String("no database")) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(QByteArray(4096, 'x'));
            f.close();
        } else {
            Connection::create(path)->exec(QStringLiteral("CREATE TABLE t (a)"));
            if (cause == QLatin1String("held")) {
                other = Connection::open(path);
                other->exec(QStringLiteral("BEGIN EXCLUSIVE"));
            }
        }
        try {
            auto c = Connection::open(path);
            c->exec(cause == QLatin1String("refused") ? QStringLiteral("SELECT * FROM nosuch")
                                                      : QStringLiteral("INSERT INTO t VALUES (1)"));
            QFAIL("no failure");
        } catch (const DbError &e) {
            QCOMPARE(e.description(), expected.contains(QLatin1String("%1")) ? expected.arg(path) : expected);
            QVERIFY(e.number() != 0);
        }
    }

    void refusesSecondStatement_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<bool>("refused");
        QTest::newRow("second statement") << "SELECT 1; DELETE FROM 基本情報テーブル" << true;
        QTest::newRow("second after a comment") << "SELECT 1; /* x */ DELETE FROM 基本情報テーブル" << true;
        QTest::newRow("terminators and blanks") << "SELECT 1;; \r\n" << false;
        QTest::newRow("comment after the end") << "SELECT 1; -- the one statement" << false;
        QTest::newRow("nothing") << "  ; " << true;
    }
    void refusesSecondStatement()
    {
        QFETCH(QString, sql);
        QFETCH(bool, refused);
        auto c = fresh();
        if (refused)
            QVERIFY_THROWS_EXCEPTION(DbError, c->prepare(sql));
        else
            QCOMPARE(c->prepare(sql).step(), true);
        QCOMPARE(c->scalar(QStringLiteral("SELECT COUNT(*) FROM 基本情報テーブル;")).toInt(), 27);
    }

    void textFunctionsAndBooleans_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QVariant>("expected");
        QTest::newRow("mid 3 args") << "SELECT Mid('2024/01/05 10:11:12',1,10)" << QVariant("2024/01/05");
        QTest::newRow("mid 2 args") << "SELECT Mid('あいうえお',3)" << QVariant("うえお");
        QTest::newRow("mid past end") << "SELECT Mid('abc',5,2)" << QVariant("");
        QTest::newRow("true is 1") << "SELECT 1 = TRUE" << QVariant(qint64(1));
        QTest::newRow("false is 0") << "SELECT 0 = FALSE" << QVariant(qint64(1));
        // Every commit reaches the disk before it is reported done.
        QTest::newRow("synchronous full") << "PRAGMA synchronous" << QVariant(qint64(2));
        QTest::newRow("nocase key") << "SELECT 数値型データ FROM 基本情報テーブル WHERE 基本情報ID = 'databaseversion'"
                                    << QVariant(qint64(5));
    }
    void textFunctionsAndBooleans()
    {
        QFETCH(QString, sql);
        QFETCH(QVariant, expected);
        auto c = fresh();
        QCOMPARE(c->scalar(sql), expected);
    }

    // Where the engine distrusts the schema, only innocuous functions may
    // appear in it; the program's text functions are such functions.
    void textFunctionsServeAnUntrustedSchema_data()
    {
        QTest::addColumn<QString>("expression");
        QTest::newRow("Mid") << "Mid(品名,1,2)";
        // LEFT and RIGHT are join keywords to the parser; quoted, they name the functions.
        QTest::newRow("Left") << "\"Left\"(品名,2)";
        QTest::newRow("Right") << "\"Right\"(品名,2)";
        QTest::newRow("Len") << "Len(品名)";
    }
    void textFunctionsServeAnUntrustedSchema()
    {
        QFETCH(QString, expression);
        auto c = fresh();
        c->exec(QStringLiteral("PRAGMA trusted_schema=OFF"));
        c->exec(QStringLiteral("CREATE INDEX untrusted ON 商品テーブル (%1)").arg(expression));
        c->exec(QStringLiteral("INSERT INTO 商品テーブル (商品ID, 品名) VALUES ('A', 'ボルト')"));
        c->exec(QStringLiteral("UPDATE 商品テーブル SET 品名 = 'ナット'"));
        QCOMPARE(c->scalar(QStringLiteral("SELECT COUNT(*) FROM 商品テーブル WHERE %1 = %1").arg(expression)).toInt(), 1);
    }

    void bindsAndReadsByName()
    {
        auto c = fresh();
        auto ins = c->prepare(QStringLiteral("INSERT INTO 顧客テーブル (顧客ID, 顧客名漢字, 値引率) VALUES (?, ?, ?)"));
        ins.bind(1, QStringLiteral("O'Neil")).bind(2, QStringLiteral("山田")).bind(3, 5).exec();
        auto sel = c->prepare(QStringLiteral("SELECT * FROM 顧客テーブル WHERE 顧客ID = :id"));
        sel.bind(QStringLiteral(":id"), QStringLiteral("o'neil"));
        QVERIFY(sel.step());
        QCOMPARE(sel.text(QStringLiteral("顧客名漢字")), QStringLiteral("山田"));
        QCOMPARE(sel.int64(QStringLiteral("値引率")), 5);
        // Names are found in any case, before and after a name was remembered.
        QCOMPARE(sel.text(QStringLiteral("顧客ID")), QStringLiteral("O'Neil"));
        QCOMPARE(sel.text(QStringLiteral("顧客id")), QStringLiteral("O'Neil"));
        QCOMPARE(sel.columnIndex(QStringLiteral("顧客Id")), 0);
        QVERIFY(sel.isNull(QStringLiteral("メモ")));
        QVERIFY_THROWS_EXCEPTION(DbError, sel.text(QStringLiteral("無い列")));
    }

    void keepsLeadingZerosInText()
    {
        auto c = fresh();
        c->exec(QStringLiteral("INSERT INTO 顧客テーブル (顧客ID, 郵便番号) VALUES ('00123', '0012345')"));
        auto sel = c->prepare(QStringLiteral("SELECT 顧客ID, 郵便番号 FROM 顧客テーブル"));
        QVERIFY(sel.step());
        QCOMPARE(sel.text(0), QStringLiteral("00123"));
        QCOMPARE(sel.text(1), QStringLiteral("0012345"));
    }

    void refusesGarbageAsNumber()
    {
        auto c = fresh();
        c->exec(QStringLiteral("INSERT INTO 顧客テーブル (顧客ID, 値引率) VALUES ('A', 'abc')"));
        auto sel = c->prepare(QStringLiteral("SELECT 値引率 FROM 顧客テーブル"));
        QVERIFY(sel.step());
        try {
            sel.int64(0);
            QFAIL("read garbage as a number");
        } catch (const DbError &e) {
            QVERIFY(e.description().contains(QStringLiteral("値引率")));
        }
    }

    void failedTransactionLeavesNoTrace()
    {
        auto c = fresh();
        c->exec(QStringLiteral("CREATE TRIGGER stop BEFORE INSERT ON 明細テーブル WHEN NEW.明細番号 = 3 "
                               "BEGIN SELECT RAISE(ABORT, 'injected'); END"));
        try {
            db::Transaction t(*c);
            c->exec(QStringLiteral("INSERT INTO 伝票テーブル (伝票番号) VALUES (1)"));
            for (int i = 1; i <= 3; ++i)
                c->exec(QStringLiteral("INSERT INTO 明細テーブル (伝票番号, 明細番号) VALUES (1, %1)").arg(i));
            t.commit();
            QFAIL("the injected failure did not happen");
        } catch (const DbError &e) {
            QVERIFY(e.description().contains(QStringLiteral("injected")));
        }
        QVERIFY(!c->inTransaction());
        QCOMPARE(c->scalar(QStringLiteral("SELECT COUNT(*) FROM 伝票テーブル")).toInt(), 0);
        QCOMPARE(c->scalar(QStringLiteral("SELECT COUNT(*) FROM 明細テーブル")).toInt(), 0);
    }

    // A transaction opened inside another is a part of it: a part left
    // uncommitted takes back its own changes only, a committed part is
    // kept or lost with the outer transaction, and only the outer commit
    // reaches the file.
    void transactionInsideAnotherIsAPart_data()
    {
        QTest::addColumn<bool>("secondCommitted");
        QTest::addColumn<bool>("outerCommitted");
        QTest::addColumn<QList<int>>("stored");
        QTest::newRow("second part undone") << false << true << QList<int>{1, 3};
        QTest::newRow("all parts committed") << true << true << QList<int>{1, 2, 3};
        QTest::newRow("outer rolled back") << true << false << QList<int>{};
    }

    void transactionInsideAnotherIsAPart()
    {
        QFETCH(bool, secondCommitted);
        QFETCH(bool, outerCommitted);
        auto c = fresh();
        int commits = 0;
        sqlite3_commit_hook(
            c->handle(), [](void *count) { return ++*static_cast<int *>(count), 0; }, &commits);
        const QString insert = QStringLiteral("INSERT INTO 伝票テーブル (伝票番号) VALUES (%1)");
        {
            db::Transaction outer(*c);
            for (int id = 1; id <= 3; ++id) {
                db::Transaction part(*c);
                c->exec(insert.arg(id));
                {
                    // A part of a part, committed, goes with its own.
                    db::Transaction line(*c);
                    c->exec(QStringLiteral("INSERT INTO 明細テーブル (伝票番号, 明細番号) VALUES (%1, 1)").arg(id));
                    line.commit();
                }
                if (id != 2 || secondCommitted)
                    part.commit();
            }
            QVERIFY(c->inTransaction());
            QCOMPARE(commits, 0);
            if (outerCommitted)
                outer.commit();
        }
        QVERIFY(!c->inTransaction());
        QCOMPARE(commits, outerCommitted ? 1 : 0);
        QList<int> stored;
        auto st = c->prepare(QStringLiteral("SELECT 伝票番号 FROM 伝票テーブル ORDER BY 伝票番号"));
        while (st.step())
            stored << st.value(0).toInt();
        QTEST(stored, "stored");
        QCOMPARE(c->scalar(QStringLiteral("SELECT COUNT(*) FROM 明細テーブル")).toInt(), int(stored.size()));
    }

    // A part that fails with the engine's error leaves the outer
    // transaction open, without the part's changes.
    void failedPartLeavesTheOuterTransaction()
    {
        auto c = fresh();
        c->exec(QStringLiteral("CREATE TRIGGER stop BEFORE INSERT ON 明細テーブル WHEN NEW.伝票番号 = 2 "
                               "BEGIN SELECT RAISE(ABORT, 'injected'); END"));
        db::Transaction outer(*c);
        for (int id = 1; id <= 3; ++id) {
            try {
                db::Transaction part(*c);
                c->exec(QStringLiteral("INSERT INTO 伝票テーブル (伝票番号) VALUES (%1)").arg(id));
                c->exec(QStringLiteral("INSERT INTO 明細テーブル (伝票番号, 明細番号) VALUES (%1, 1)").arg(id));
                part.commit();
            } catch (const DbError &e) {
                QCOMPARE(id, 2);
                QVERIFY(e.description().contains(QStringLiteral("injected")));
            }
            QVERIFY(c->inTransaction());
        }
        outer.commit();
        QCOMPARE(c->scalar(QStringLiteral("SELECT group_concat(伝票番号) FROM 伝票テーブル")).toString(),
                 QStringLiteral("1,3"));
        QCOMPARE(c->scalar(QStringLiteral("SELECT COUNT(*) FROM 明細テーブル")).toInt(), 2);
    }

    // A cached statement left part-way through its rows goes back reset,
    // holding no lock, and comes out again for the same text from its first
    // row with its parameter cleared.
    void cachedStatementComesBackResetWithFreshBindings()
    {
        auto c = fresh();
        insertSlips(*c, 2);
        const int held = statementsHeld(*c);
        {
            db::Statement st = c->cached(slipsWithParameter());
            st.bindText(1, QStringLiteral("前回"));
            QVERIFY(st.step());
        }
        QCOMPARE(statementsHeld(*c), held + 1);
        auto writer = Connection::open(c->path());
        sqlite3_busy_timeout(writer->handle(), 0);
        writer->exec(QStringLiteral("INSERT INTO 伝票テーブル (伝票番号) VALUES (3)"));

        db::Statement again = c->cached(slipsWithParameter());
        QCOMPARE(statementsHeld(*c), held + 1);
        QVERIFY(again.step());
        QCOMPARE(again.value(0).toInt(), 1);
        QVERIFY(again.isNull(1));
    }

    // Two users of the same text at once get a statement each; given back,
    // one of them is kept.
    void cachedStatementInUseIsNotHandedOutTwice()
    {
        auto c = fresh();
        insertSlips(*c, 2);
        const int held = statementsHeld(*c);
        {
            db::Statement first = c->cached(slipsWithParameter());
            QVERIFY(first.step());
            db::Statement second = c->cached(slipsWithParameter());
            QCOMPARE(statementsHeld(*c), held + 2);
            second.bindInt(1, 7);
            QVERIFY(second.step());
            QCOMPARE(second.value(0).toInt(), 1);
            QVERIFY(first.step());
            QCOMPARE(first.value(0).toInt(), 2);
            QVERIFY(first.isNull(1));
        }
        QCOMPARE(statementsHeld(*c), held + 1);
    }

    // A schema change finalizes the cached statements, those in use when
    // they are given back; closing the connection finalizes the idle ones,
    // and one that outlives its connection is finalized when it is done.
    void schemaChangeAndCloseFinalizeCachedStatements_data()
    {
        QTest::addColumn<QString>("change");
        QTest::newRow("create") << "CREATE TABLE 追加 (x)";
        QTest::newRow("create index, lower case") << "  create index 追加索引 ON 伝票テーブル (顧客ID)";
        QTest::newRow("drop") << "DROP INDEX IF EXISTS 存在しない索引";
    }

    void schemaChangeAndCloseFinalizeCachedStatements()
    {
        QFETCH(QString, change);
        auto c = fresh();
        insertSlips(*c, 1);
        const QString count = QStringLiteral("SELECT COUNT(*) FROM 伝票テーブル");
        const int held = statementsHeld(*c);
        std::optional<db::Statement> inUse;
        inUse.emplace(c->cached(count));
        c->cached(slipsWithParameter()).step();
        QCOMPARE(statementsHeld(*c), held + 2);
        c->exec(change);
        QCOMPARE(statementsHeld(*c), held + 1);
        QVERIFY(inUse->step());
        QCOMPARE(inUse->value(0).toInt(), 1);
        inUse.reset();
        QCOMPARE(statementsHeld(*c), held);

        c->cached(count).step();
        inUse.emplace(c->cached(slipsWithParameter()));
        QCOMPARE(statementsHeld(*c), held + 2);
        c.reset();
        QVERIFY(inUse->step());
        inUse.reset();
    }

    // A run of reads sees one state: a writer elsewhere waits until the
    // reads are over; inside a transaction already open the reads are its.
    void readTransactionHoldsOneState()
    {
        auto c = fresh();
        auto writer = Connection::open(c->path());
        sqlite3_busy_timeout(writer->handle(), 0);
        const QString insert = QStringLiteral("INSERT INTO 伝票テーブル (伝票番号) VALUES (%1)");
        {
            db::ReadTransaction read(*c);
            QVERIFY(c->inTransaction());
            QCOMPARE(c->scalar(QStringLiteral("SELECT COUNT(*) FROM 伝票テーブル")).toInt(), 0);
            try {
                writer->exec(insert.arg(1));
                QFAIL("a write got in between the reads");
            } catch (const DbError &e) {
                QCOMPARE(e.number() & 0xff, SQLITE_BUSY);
            }
            QCOMPARE(c->scalar(QStringLiteral("SELECT COUNT(*) FROM 伝票テーブル")).toInt(), 0);
        }
        QVERIFY(!c->inTransaction());
        writer->exec(insert.arg(1));
        QCOMPARE(c->scalar(QStringLiteral("SELECT COUNT(*) FROM 伝票テーブル")).toInt(), 1);

        db::Transaction outer(*c);
        c->exec(insert.arg(2));
        {
            db::ReadTransaction read(*c);
            QCOMPARE(c->scalar(QStringLiteral("SELECT COUNT(*) FROM 伝票テーブル")).toInt(), 2);
        }
        QVERIFY(c->inTransaction());
        outer.commit();
        QCOMPARE(writer->scalar(QStringLiteral("SELECT COUNT(*) FROM 伝票テーブル")).toInt(), 2);
    }

    // A database file that cannot be made says why in Japanese, not in
    // the engine's English.
    void createFailureSaysWhy_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing folder") << "none/new.db" << "保存先のフォルダーがありません。";
        QTest::newRow("folder in the file's place") << "folder" << "同じ名前のフォルダーがあります。";
    }
    void createFailureSaysWhy()
    {
        QFETCH(QString, name);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder")));
        try {
            db::Connection::create(dir.filePath(name));
            QFAIL("made a database there");
        } catch (const DbError &e) {
            QVERIFY(testsupport::saysWhyInJapanese(e.description(), reason));
        }
    }

    void fullDiskMidTransactionRollsBack()
    {
        auto c = fresh();
        // A database that may not grow stands in for a full disk.
        const int pages = c->scalar(QStringLiteral("PRAGMA page_count")).toInt();
        c->exec(QStringLiteral("PRAGMA max_page_count = %1").arg(pages + 2));
        auto ins = c->prepare(QStringLiteral("INSERT INTO 顧客テーブル (顧客ID, メモ) VALUES (?, ?)"));
        try {
            db::Transaction t(*c);
            for (int i = 0; i < 500; ++i) {
                ins.reset();
                ins.bindText(1, QString::number(i)).bindText(2, QString(2000, QChar(u'あ'))).exec();
            }
            t.commit();
            QFAIL("the database grew past its limit");
        } catch (const DbError &e) {
            QCOMPARE(e.number() & 0xff, 13); // SQLITE_FULL
            QVERIFY(!e.description().isEmpty());
        }
        QVERIFY(!c->inTransaction());
        QCOMPARE(c->scalar(QStringLiteral("SELECT COUNT(*) FROM 顧客テーブル")).toInt(), 0);
        QCOMPARE(c->scalar(QStringLiteral("PRAGMA integrity_check")).toString(), QStringLiteral("ok"));
    }
};

QTEST_GUILESS_MAIN(tst_Connection)
#include "tst_connection.moc"
