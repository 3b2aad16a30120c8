#include "core/Globals.h"
#include "core/Settings.h"
#include "platform/text/LineFile.h"

#include "FullFileSystem.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>
#include <unistd.h>

class tst_Settings : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    const QString m_file = QStringLiteral("QuorvexTest5Ini");

    QString path() const { return m_dir.filePath(QStringLiteral("QUORVEXTEST5INI.txt")); }
    QByteArray raw() const
    {
        QFile f(path());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // A replaced file is a new file renamed over the old one.
    ino_t inode() const
    {
        struct stat info {};
        return ::stat(QFile::encodeName(path()).constData(), &info) == 0 ? info.st_ino : 0;
    }
    void put(const QByteArray &bytes)
    {
        QFile f(path());
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        // The start-up directory, not the current one, holds the files.
        gstrStartupDir = m_dir.path();
        QDir::setCurrent(QDir::tempPath());
    }
    void init() { QFile::remove(path()); }

    void fileNameFromExecutable()
    {
        QCOMPARE(settingsFileName(QStringLiteral("Size")), QStringLiteral("TST_SETTINGS5SIZE"));
        QCOMPARE(settingsFileName(QString()), QStringLiteral("TST_SETTINGS5"));
    }

    void missingFileGivesDefaultAndFirstWriteCreatesIt()
    {
        QCOMPARE(fnReadSetting(m_file, QStringLiteral("Initial Data"), QStringLiteral("DateItem"), QStringLiteral("0")),
                 QStringLiteral("0"));
        QCOMPARE(fnReadSetting(m_file, QStringLiteral("Initial Data"), QStringLiteral("DateItem")), QString());
        QVERIFY(fnWriteSetting(m_file, QStringLiteral("Initial Data"), QStringLiteral("DateItem"), 3));
        QCOMPARE(raw(), QByteArray("INITIAL DATA,DATEITEM,3\r\n"));
        QCOMPARE(fnReadSetting(m_file, QStringLiteral("initial data"), QStringLiteral("dateitem"), 0),
                 QStringLiteral("3"));
    }

    void valuesAreUpperCase()
    {
        fnWriteSetting(m_file, QStringLiteral("Initial Data"), QStringLiteral("DayMode"), QStringLiteral("True"));
        QCOMPARE(fnReadSetting(m_file, QStringLiteral("Initial Data"), QStringLiteral("DayMode"), QStringLiteral("True")),
                 QStringLiteral("TRUE"));
        fnWriteSetting(m_file, QStringLiteral("Initial Data"), QStringLiteral("DayMode"), false);
        QCOMPARE(fnReadSetting(m_file, QStringLiteral("Initial Data"), QStringLiteral("DayMode")), QStringLiteral("FALSE"));
        QCOMPARE(fnReadSetting(m_file, QStringLiteral("X"), QStringLiteral("Y"), true), QStringLiteral("True"));
    }

    void readsEdgeCases_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("expected");
        QTest::newRow("later line wins") << QByteArray("S,K,1\r\nS,K,2\r\n") << "2";
        QTest::newRow("lower case by hand is not found") << QByteArray("s,k,1\r\n") << "default";
        QTest::newRow("comma cuts the value") << QByteArray("S,K,a,b\r\n") << "a";
        QTest::newRow("blank value gives default") << QByteArray("S,K,   \r\n") << "default";
        QTest::newRow("blanks around value trimmed") << QByteArray("S,K, v \r\n") << "v";
        QTest::newRow("short lines match nothing") << QByteArray("S,K\r\nS\r\n\r\n   \r\nS,K,ok\r\n") << "ok";
        QTest::newRow("missing last CR LF") << QByteArray("A,B,C\r\nS,K,last") << "last";
        QTest::newRow("CP932 value") << QByteArray("S,K,\x8c\xda\x8b\x71\r\n") << QString::fromUtf8("顧客");
        QTest::newRow("NUL in another line") << QByteArray("A,B,\0x\r\nS,K,ok\r\n", 16) << "ok";
        QTest::newRow("NUL in the value's line") << QByteArray("S,K,o\0k\r\n", 9) << "default";
    }
    void readsEdgeCases()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, expected);
        put(content);
        QCOMPARE(fnReadSetting(m_file, QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("default")), expected);
    }

    void writesEdgeCases_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("replaced in place")
            << QByteArray("A,B,1\r\nS,K,old\r\nC,D,2\r\n") << QByteArray("A,B,1\r\nS,K,NEW\r\nC,D,2\r\n");
        QTest::newRow("every duplicate replaced")
            << QByteArray("S,K,1\r\nA,B,1\r\nS,K,2\r\n") << QByteArray("S,K,NEW\r\nA,B,1\r\nS,K,NEW\r\n");
        QTest::newRow("lower case kept, new line appended")
            << QByteArray("s,k,1\r\n") << QByteArray("s,k,1\r\nS,K,NEW\r\n");
        QTest::newRow("empty lines disappear")
            << QByteArray("A,B,1\r\n\r\n\r\nC,D,2\r\n") << QByteArray("A,B,1\r\nC,D,2\r\nS,K,NEW\r\n");
        QTest::newRow("short lines kept as they are")
            << QByteArray("S,K\r\njunk\r\n  \r\n") << QByteArray("S,K\r\njunk\r\n  \r\nS,K,NEW\r\n");
        QTest::newRow("missing last CR LF")
            << QByteArray("A,B,1") << QByteArray("A,B,1\r\nS,K,NEW\r\n");
        // Untouched lines go back byte for byte: a second code of one
        // character (纊 as ED40, not FA5C) and a line saved as UTF-8 by an
        // editor, which no longer keeps every later write from failing.
        QTest::newRow("second code of a character kept")
            << QByteArray("A,B,\xED\x40\r\nS,K,old\r\n") << QByteArray("A,B,\xED\x40\r\nS,K,NEW\r\n");
        QTest::newRow("undecodable line kept")
            << QByteArray("A,B,\xC3\xBC\xE2\x82\xAC\x80\r\nS,K,old\r\n")
            << QByteArray("A,B,\xC3\xBC\xE2\x82\xAC\x80\r\nS,K,NEW\r\n");
        QTest::newRow("undecodable value replaced")
            << QByteArray("S,K,\xE2\x82\xAC\x80\r\n") << QByteArray("S,K,NEW\r\n");
        QTest::newRow("line with a NUL kept")
            << QByteArray("A,B,\0\r\nS,K,old\r\n", 16) << QByteArray("A,B,\0\r\nS,K,NEW\r\n", 16);
        QTest::newRow("lone LF and CR LF mixed")
            << QByteArray("A,B,1\nC,D,2\r\n") << QByteArray("A,B,1\r\nC,D,2\r\nS,K,NEW\r\n");
    }
    void writesEdgeCases()
    {
        QFETCH(QByteArray, content);
        QFETCH(QByteArray, expected);
        put(content);
        QVERIFY(fnWriteSetting(m_file, QStringLiteral("s"), QStringLiteral("k"), QStringLiteral("new")));
        QCOMPARE(raw(), expected);
    }

    // Writing what the file holds already costs the disk a file and a folder
    // sync for nothing (a window closed where it opened); only bytes that
    // change are written.
    void unchangedFileIsNotReplaced_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("replaced");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("value already stored")
            << QByteArray("A,B,1\r\nS,K,NEW\r\nC,D,2\r\n") << false << QByteArray("A,B,1\r\nS,K,NEW\r\nC,D,2\r\n");
        QTest::newRow("every duplicate already stored")
            << QByteArray("S,K,NEW\r\nS,K,NEW\r\n") << false << QByteArray("S,K,NEW\r\nS,K,NEW\r\n");
        QTest::newRow("value changes") << QByteArray("S,K,OLD\r\n") << true << QByteArray("S,K,NEW\r\n");
        QTest::newRow("one duplicate differs")
            << QByteArray("S,K,NEW\r\nS,K,OLD\r\n") << true << QByteArray("S,K,NEW\r\nS,K,NEW\r\n");
        QTest::newRow("line appended") << QByteArray("A,B,1\r\n") << true << QByteArray("A,B,1\r\nS,K,NEW\r\n");
        QTest::newRow("empty line dropped")
            << QByteArray("S,K,NEW\r\n\r\n") << true << QByteArray("S,K,NEW\r\n");
        QTest::newRow("lone LF made CR LF") << QByteArray("S,K,NEW\n") << true << QByteArray("S,K,NEW\r\n");
        QTest::newRow("missing last CR LF") << QByteArray("S,K,NEW") << true << QByteArray("S,K,NEW\r\n");
        QTest::newRow("empty file") << QByteArray() << true << QByteArray("S,K,NEW\r\n");
    }
    void unchangedFileIsNotReplaced()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, replaced);
        QFETCH(QByteArray, expected);
        put(content);
        const ino_t before = inode();
        QVERIFY(before != 0);
        QVERIFY(fnWriteSetting(m_file, QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("new")));
        QCOMPARE(inode() != before, replaced);
        QCOMPARE(raw(), expected);
    }

    void lineBreaksInAValueStayOnOneLine()
    {
        QVERIFY(fnWriteSetting(m_file, QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("a\r\nb")));
        QCOMPARE(raw(), QByteArray("S,K,AB\r\n"));
    }

    void failedWriteLeavesOldFileAndDoesNotThrow()
    {
        put("S,K,OLD\r\n");
        bool ok = true;
        QVERIFY_THROWS_NO_EXCEPTION(ok = fnWriteSetting(m_file, QStringLiteral("S"), QStringLiteral("K"),
                                                        QStringLiteral("😀")));
        QVERIFY(!ok);
        QCOMPARE(raw(), QByteArray("S,K,OLD\r\n"));

        // A path that cannot be written at all.
        const QString blocked = QStringLiteral("Blocked5Size");
        QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("BLOCKED5SIZE.txt")));
        QVERIFY_THROWS_NO_EXCEPTION(ok = fnWriteSetting(blocked, QStringLiteral("S"), QStringLiteral("K"), 1));
        QVERIFY(!ok);
        QCOMPARE(fnReadSetting(blocked, QStringLiteral("S"), QStringLiteral("K"), 7), QStringLiteral("7"));
        try {
            SaveTextSetting(QStringLiteral("S,K,1"), m_dir.filePath(QStringLiteral("BLOCKED5SIZE.txt")));
            QFAIL("wrote over a folder");
        } catch (const text::TextFileError &e) {
            QVERIFY(testsupport::saysWhyInJapanese(e.message(), QStringLiteral("ファイルではなくフォルダーです。")));
        }
    }

    // A settings file far longer than any the program writes (a damaged
    // one, a huge sparse one) gives the defaults and is left as it is; the
    // program starts all the same.
    void hugeFileGivesDefaultsAndStays()
    {
        put("S,K,OLD\r\n");
        const off_t size = off_t(100) << 30;
        QCOMPARE(::truncate(QFile::encodeName(path()).constData(), size), 0);
        QCOMPARE(fnReadSetting(m_file, QStringLiteral("S"), QStringLiteral("K"), 7), QStringLiteral("7"));
        bool ok = true;
        QVERIFY_THROWS_NO_EXCEPTION(ok = fnWriteSetting(m_file, QStringLiteral("S"), QStringLiteral("K"), 1));
        QVERIFY(!ok);
        QCOMPARE(QFileInfo(path()).size(), qint64(size));
    }

    // A full disk: the write reports failure and the file keeps every line.
    void fullDiskKeepsOldFile()
    {
        testsupport::FullFileSystem fs;
        QVX_NEED_FULL_FS(fs);
        const QString saved = gstrStartupDir;
        gstrStartupDir = fs.path();
        QByteArray old;
        for (int i = 0; i < 30; ++i)
            old += "WINDOW POSITIONS,FRMFORM" + QByteArray::number(i) + ",1200\r\n";
        const QString file = fs.filePath(QStringLiteral("QUORVEXTEST5SIZE.txt"));
        text::writeBytes(file, old);
        QVERIFY(fs.fill());
        const bool ok = fnWriteSetting(QStringLiteral("QuorvexTest5Size"), QStringLiteral("Window Positions"),
                                       QStringLiteral("frmForm3"), 900);
        gstrStartupDir = saved;
        QVERIFY(!ok);
        QCOMPARE(fs.contents(file), old);
    }

    void lowLevelRoutines()
    {
        put("S,K,1\r\n");
        QCOMPARE(fnGetTextSetting(path(), QStringLiteral("S"), QStringLiteral("K")), QStringLiteral("1"));
        QCOMPARE(fnGetTextSetting(path(), QStringLiteral("s"), QStringLiteral("K")), QString());
        QCOMPARE(fnGetTextSetting(m_dir.filePath(QStringLiteral("none.txt")), QStringLiteral("S"), QStringLiteral("K")),
                 QString());
        SaveTextSetting(QStringLiteral("T,U,v"), path());
        QCOMPARE(raw(), QByteArray("S,K,1\r\nT,U,v\r\n"));
    }
};

QTEST_GUILESS_MAIN(tst_Settings)
#include "tst_settings.moc"
