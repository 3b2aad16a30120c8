#include "platform/text/Cp932.h"
#include "platform/text/LineFile.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

class tst_LineFile : public QObject {
    Q_OBJECT

private slots:
    void roundTripsJapaneseWithCrLf()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("a.txt"));
        const QStringList lines{QStringLiteral("WINDOW POSITIONS,FRMMAINFORM,顧客～①"), QStringLiteral("")};
        text::writeLines(path, lines);
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray raw = f.readAll();
        QVERIFY(raw.endsWith("\r\n\r\n"));
        QVERIFY(raw.contains("\x8c\xda\x8b\x71")); // 顧客 in CP932
        QCOMPARE(*text::readLines(path), lines);
    }

    void readsMissingLastLineEnd()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("b.txt"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("A,B,C\r\nD,E,F");
        f.close();
        QCOMPARE(*text::readLines(path), (QStringList{QStringLiteral("A,B,C"), QStringLiteral("D,E,F")}));
        QVERIFY(!text::readLines(dir.filePath(QStringLiteral("none.txt"))));
    }

    void refusesUnconvertibleAndKeepsOldFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("c.txt"));
        text::writeLines(path, {QStringLiteral("old")});
        QVERIFY(!text::fitsCp932(QStringLiteral("😀")));
        QVERIFY_THROWS_EXCEPTION(text::TextFileError,
                                 text::writeLines(path, {QStringLiteral("new 😀")}));
        QCOMPARE(*text::readLines(path), QStringList{QStringLiteral("old")});
    }

    // A NUL is in no text the program writes: a file holding one is not
    // taken, and no line holding one is written.
    void nulIsRefusedInFiles()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("d.txt"));
        text::writeLines(path, {QStringLiteral("old")});
        QVERIFY_THROWS_EXCEPTION(text::TextFileError,
                                 text::writeLines(path, {QStringLiteral("a") + QChar(0) + QStringLiteral("b")}));
        QCOMPARE(*text::readLines(path), QStringList{QStringLiteral("old")});

        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray("\"P1\"\r\n\"P\0x\"\r\n", 13));
        f.close();
        QVERIFY(!text::readLines(path));
        QVERIFY(!text::readText(path));
    }
};

QTEST_GUILESS_MAIN(tst_LineFile)
#include "tst_linefile.moc"
