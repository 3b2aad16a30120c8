#include "core/Globals.h"
#include "core/Startup.h"
#include "platform/ui/MessageBox.h"
#include "FullFileSystem.h"
#include "TestSupport.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using ui::Icon;
using ui::MessageRequest;

class tst_Startup : public QObject {
    Q_OBJECT

private:
    QList<MessageRequest> m_messages;
    QTemporaryDir m_current;

    void change(const testsupport::ProgramFolder &folder, const QString &sql)
    {
        auto c = db::Connection::open(folder.databasePath());
        c->exec(sql);
    }
    bool start(const QString &folder)
    {
        setProgramFolder(folder);
        return fnStartup();
    }
    void expectOneMessage(const QString &text, Icon icon)
    {
        QCOMPARE(m_messages.size(), 1);
        QCOMPARE(m_messages.at(0).text, text);
        QCOMPARE(m_messages.at(0).icon, icon);
        QCOMPARE(m_messages.at(0).buttons, ui::Buttons::Ok);
        QVERIFY(m_messages.at(0).title.isEmpty());
    }

private slots:
    void initTestCase()
    {
        ui::setMessageResponder([this](const MessageRequest &r) {
            m_messages.append(r);
            return ui::Answer::Ok;
        });
    }
    void init()
    {
        m_messages.clear();
        QDir::setCurrent(m_current.path());
        gstrStartupDir.clear();
        garrDenpyoListColumns.clear();
        garrDenpyoKensakuItems.clear();
        garrCustomerKensakuItems.clear();
        garrShohinKensakuItems.clear();
    }
    void cleanup()
    {
        CloseDatabase();
        setProgramFolder(QString());
    }

    void successfulStart()
    {
        testsupport::ProgramFolder folder;
        QVERIFY(start(folder.path()));
        QVERIFY(m_messages.isEmpty());
        QVERIFY(gConnection);
        QCOMPARE(gstrStartupDir, QDir::currentPath());
        QCOMPARE(gstrDatabasePath, folder.path() + QStringLiteral("/DATABASE/QVX.MDB"));
        QCOMPARE(gstrTsukiSeikyushoFolder, folder.path() + QStringLiteral("/DATABASE/TsukiSeikyusho/"));
        QCOMPARE(gstrShohinListPrintFormFolder, folder.path() + QStringLiteral("/Define/ShohinListPrintForm/"));
        for (const QString *p : {&gstrDenpyoKensakuFilterFolder, &gstrCustomerKensakuFilterFolder,
                                 &gstrShohinKensakuFilterFolder, &gstrDenpyoPrintFormFolder,
                                 &gstrDenpyoListPrintFormFolder, &gstrTsukiSeikyushoPrintFormFolder,
                                 &gstrCustomerPrintFormFolder, &gstrCustomerListPrintFormFolder,
                                 &gstrShohinPrintFormFolder}) {
            QVERIFY(p->endsWith(QLatin1Char('/')));
            QVERIFY(QDir(*p).exists());
        }
        QCOMPARE(garrDenpyoListColumns.size(), 16);
        QCOMPARE(garrDenpyoKensakuItems.size(), 23);
        QCOMPARE(garrCustomerKensakuItems.size(), 13);
        QCOMPARE(garrShohinKensakuItems.size(), 7);

        CloseDatabase();
        QVERIFY(!gConnection);
        QVERIFY_THROWS_EXCEPTION(db::DbError, connection());
    }

    void networkPathRefused_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::newRow("slashes") << "//server/share/quorvex";
        QTest::newRow("backslashes") << "\\\\server\\share\\quorvex";
    }
    void networkPathRefused()
    {
        QFETCH(QString, folder);
        QVERIFY(!start(folder));
        expectOneMessage(QStringLiteral("ネットワーク上のプログラムを実行することはできません。\n"
                                        "プログラムをローカルコンピュータにコピーして実行してください。"),
                         Icon::Critical);
        QVERIFY(!gConnection);
        QVERIFY(gstrStartupDir.isEmpty());
    }

    void missingDatabase()
    {
        testsupport::ProgramFolder folder;
        QVERIFY(QFile::remove(folder.databasePath()));
        QVERIFY(!start(folder.path()));
        expectOneMessage(QStringLiteral("データベース(%1)が存在しません。").arg(folder.databasePath()),
                         Icon::Exclamation);
        QVERIFY(!QFile::exists(folder.databasePath())); // never created behind our back
    }

    void notADatabase()
    {
        testsupport::ProgramFolder folder;
        QFile f(folder.databasePath());
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(QByteArray(8192, 'Q'));
        f.close();
        QVERIFY(!start(folder.path()));
        expectOneMessage(QStringLiteral("ファイル(%1)はデータベースではありません。").arg(folder.databasePath()), Icon::Exclamation);
        QVERIFY(garrDenpyoListColumns.isEmpty());
    }

    // The day indexes of an earlier schema are rebuilt on SQLite's own
    // substr(), as a fresh database has them; the slips stay as they were and
    // a second start changes nothing.
    void earlierSchemaIsUpgraded()
    {
        testsupport::ProgramFolder folder;
        change(folder, QStringLiteral("INSERT INTO 伝票テーブル (伝票番号, 作成日付) VALUES (7, '2024/04/01 09:00:00')"));
        testsupport::useEarlierSchema(folder.databasePath());
        QVERIFY(start(folder.path()));
        QVERIFY(m_messages.isEmpty());
        const QString indexes = QStringLiteral("SELECT group_concat(name || ':' || sql, '\n') FROM "
                                               "(SELECT name, sql FROM sqlite_master WHERE type = 'index' ORDER BY name)");
        QTemporaryDir fresh;
        const QString freshPath = testsupport::createFreshDatabase(fresh.filePath(QStringLiteral("QVX.MDB")));
        QCOMPARE(gConnection->scalar(indexes).toString(), db::Connection::open(freshPath)->scalar(indexes).toString());
        QCOMPARE(gConnection->scalar(QStringLiteral("SELECT 伝票番号 FROM 伝票テーブル WHERE substr(作成日付,1,10) = "
                                                    "'2024/04/01'")).toInt(), 7);
        CloseDatabase();

        QFile file(folder.databasePath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray upgraded = file.readAll();
        file.close();
        QVERIFY(start(folder.path()));
        CloseDatabase();
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), upgraded);
    }

    // An upgrade that cannot write (another program holds the file) is
    // reported and leaves the earlier schema whole.
    void upgradeThatCannotWriteChangesNothing()
    {
        testsupport::ProgramFolder folder;
        testsupport::useEarlierSchema(folder.databasePath());
        const QString earlier = QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE sql LIKE '%Mid(%'");
        auto other = db::Connection::open(folder.databasePath());
        other->begin();
        QVERIFY(!start(folder.path()));
        expectOneMessage(QStringLiteral("データベースファイル(%1)は、ほかのプログラムが使用しています。しばらくしてからもう一度行ってください。")
                             .arg(folder.databasePath()),
                         Icon::Exclamation);
        other->rollback();
        QCOMPARE(other->scalar(earlier).toInt(), 2);
    }

    // A start that must write (the upgrade of an earlier schema) into a
    // database folder that cannot take it says why.
    void databaseFolderFailureSaysWhy_data()
    {
        QTest::addColumn<QString>("cause");
        QTest::addColumn<QString>("reason");
        QTest::newRow("read-only") << "read-only" << "保存先は読み取り専用です。";
        QTest::newRow("full") << "full" << "ディスクの空き容量が足りません。";
    }
    void databaseFolderFailureSaysWhy()
    {
        QFETCH(QString, cause);
        QFETCH(QString, reason);
        testsupport::FullFileSystem fs;
        QVX_NEED_FULL_FS(fs);
        testsupport::ProgramFolder folder;
        testsupport::useEarlierSchema(folder.databasePath());
        // The database folder moves onto the small file system.
        const QString databaseFolder = QFileInfo(folder.databasePath()).path();
        QVERIFY(QFile::copy(folder.databasePath(), fs.filePath(QStringLiteral("QVX.MDB"))));
        QVERIFY(QDir(databaseFolder).removeRecursively());
        QVERIFY(QFile::link(fs.path(), databaseFolder));
        QVERIFY(cause == QLatin1String("full") ? fs.fill() : fs.makeReadOnly());
        QVERIFY(!start(folder.path()));
        QCOMPARE(m_messages.size(), 1);
        QVERIFY(testsupport::saysWhyInJapanese(m_messages.at(0).text, reason));
    }

    void wrongVersion_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("lastLine");
        QTest::newRow("version 4") << "UPDATE 基本情報テーブル SET 数値型データ = 4 WHERE 基本情報ID = 'DatabaseVersion'"
                                   << "データベースバージョン：4";
        QTest::newRow("no version row") << "DELETE FROM 基本情報テーブル WHERE 基本情報ID = 'DatabaseVersion'"
                                        << "データベースバージョン：0";
        QTest::newRow("version Null") << "UPDATE 基本情報テーブル SET 数値型データ = NULL WHERE 基本情報ID = 'DatabaseVersion'"
                                      << "データベースバージョン：0";
    }
    void wrongVersion()
    {
        QFETCH(QString, sql);
        QFETCH(QString, lastLine);
        testsupport::ProgramFolder folder;
        change(folder, sql);
        QVERIFY(!start(folder.path()));
        expectOneMessage(QStringLiteral("システムのバージョンとデータベースのバージョンが一致していません。\n"
                                        "システムバージョン：5\n") + lastLine,
                         Icon::Exclamation);
        QVERIFY(garrDenpyoListColumns.isEmpty());
    }

    void unreadableVersion_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("message");
        QTest::newRow("no settings table") << "DROP TABLE 基本情報テーブル" << "no such table: 基本情報テーブル";
        QTest::newRow("version is no number")
            << "UPDATE 基本情報テーブル SET 数値型データ = 'five' WHERE 基本情報ID = 'DatabaseVersion'"
            << "基本情報(DatabaseVersion)の数値型データ(five)を整数にできません。";
    }
    void unreadableVersion()
    {
        QFETCH(QString, sql);
        QFETCH(QString, message);
        testsupport::ProgramFolder folder;
        change(folder, sql);
        QVERIFY(!start(folder.path()));
        expectOneMessage(message, Icon::Exclamation);
    }

    void missingFolders_data()
    {
        QTest::addColumn<QStringList>("missing");
        QTest::addColumn<QString>("message");
        QTest::newRow("first names its path")
            << QStringList{"Define/DenpyoKensakuFilter"} << "伝票検索フィルターフォルダー(%1/Define/DenpyoKensakuFilter/)が存在しません。";
        QTest::newRow("first missing wins")
            << QStringList{"Define/ShohinListPrintForm", "Define/CustomerKensakuFilter"}
            << "顧客検索フィルターフォルダーが存在しません。";
        QTest::newRow("archive checked last")
            << QStringList{"DATABASE/TsukiSeikyusho"} << "月締め請求書フォルダーが存在しません。";
        QTest::newRow("print forms")
            << QStringList{"Define/TsukiSeikyushoPrintForm", "DATABASE/TsukiSeikyusho"}
            << "月締め請求書印刷フォームフォルダーが存在しません。";
    }
    void missingFolders()
    {
        QFETCH(QStringList, missing);
        QFETCH(QString, message);
        testsupport::ProgramFolder folder;
        for (const QString &m : missing)
            QVERIFY(QDir(folder.path() + QLatin1Char('/') + m).removeRecursively());
        QVERIFY(!start(folder.path()));
        expectOneMessage(message.contains(QStringLiteral("%1")) ? message.arg(folder.path()) : message,
                         Icon::Exclamation);
        QVERIFY(garrDenpyoListColumns.isEmpty());
    }

    void folderGlobalsForTests()
    {
        SetFolderGlobals(QStringLiteral("/opt/q/"));
        QCOMPARE(gstrDatabasePath, QStringLiteral("/opt/q/DATABASE/QVX.MDB"));
        QCOMPARE(gstrDenpyoKensakuFilterFolder, QStringLiteral("/opt/q/Define/DenpyoKensakuFilter/"));
    }

    // Qt's own save box and its replace question speak Japanese once the
    // start-up has installed Qt's translation. Last: it stays installed.
    void qtDialogsSpeakJapanese()
    {
        QVERIFY(installQtTranslation());
        QFileDialog box;
        box.setOption(QFileDialog::DontUseNativeDialog);
        box.setAcceptMode(QFileDialog::AcceptSave);
        auto *buttons = box.findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"));
        QVERIFY(buttons);
        const QStringList shown = {box.windowTitle(),
                                   box.findChild<QLabel *>(QStringLiteral("lookInLabel"))->text(),
                                   box.findChild<QLabel *>(QStringLiteral("fileNameLabel"))->text(),
                                   buttons->button(QDialogButtonBox::Save)->text(),
                                   buttons->button(QDialogButtonBox::Cancel)->text(),
                                   QFileDialog::tr("%1 already exists.\nDo you want to replace it?"),
                                   QDialogButtonBox(QDialogButtonBox::Yes | QDialogButtonBox::No)
                                       .button(QDialogButtonBox::Yes)
                                       ->text()};
        QCOMPARE(shown, (QStringList{"名前を付けて保存", "アドレス:", "ファイル名(&N):", "保存(&S)", "キャンセル",
                                     "%1 は既に存在します。\n置き換えますか?", "はい(&Y)"}));
    }
};

QTEST_MAIN(tst_Startup)
#include "tst_startup.moc"
