#include "core/Routines.h"
#include "FullFileSystem.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QtTest>

class tst_Routines : public QObject {
    Q_OBJECT

private slots:
    void roundOff_data()
    {
        QTest::addColumn<double>("number");
        QTest::addColumn<qint64>("expected");
        QTest::newRow("zero") << 0.0 << qint64(0);
        QTest::newRow("half") << 2.5 << qint64(3);
        QTest::newRow("below half") << 2.49 << qint64(2);
        QTest::newRow("negative half") << -2.5 << qint64(-3);
        QTest::newRow("negative below half") << -2.4 << qint64(-2);
        QTest::newRow("0.5") << 0.5 << qint64(1);
        QTest::newRow("-0.5") << -0.5 << qint64(-1);
        QTest::newRow("0.49") << 0.49 << qint64(0);
        QTest::newRow("1234.5") << 1234.5 << qint64(1235);
        QTest::newRow("hair below a half") << 2.4999999999999996 << qint64(3);
        QTest::newRow("product 1.15*100") << 1.15 * 100 << qint64(115);
        QTest::newRow("product 0.285*1000 (284.99999999999997)") << 0.285 * 1000 << qint64(285);
        QTest::newRow("tiny") << 1e-7 << qint64(0);
        QTest::newRow("large") << 2147483647.5 << qint64(2147483648LL);
        QTest::newRow("negative large") << -1.0e12 << qint64(-1000000000000LL);
    }
    void roundOff()
    {
        QFETCH(double, number);
        QFETCH(qint64, expected);
        QCOMPARE(fnRoundOff(number), expected);
    }

    void formatComma_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("empty") << "" << "";
        QTest::newRow("millions") << "1234567" << "1,234,567";
        QTest::newRow("decimals kept as typed") << "1234.50" << "1,234.50";
        QTest::newRow("trailing point") << "1234." << "1,234";
        QTest::newRow("negative") << "-1234" << "-1,234";
        QTest::newRow("leading zeros") << "0012" << "12";
        QTest::newRow("zero") << "0" << "0";
        QTest::newRow("three digits") << "999" << "999";
        QTest::newRow("second point dropped") << "1234.5.6" << "1,234.5";
        QTest::newRow("not a number") << "abc" << "abc";
        QTest::newRow("lone minus") << "-" << "-";
        QTest::newRow("no whole part") << ".5" << ".5";
        QTest::newRow("negative below one keeps its sign") << "-0.5" << "-0.5";
        QTest::newRow("already grouped") << "1,234" << "1,234";
        QTest::newRow("fifteen digits") << "123456789012345" << "123,456,789,012,345";
    }
    void formatComma()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(fnFormatComma(text), expected);
    }

    void checkNumberText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("separators dropped") << "1,234.5" << "1234.5";
        QTest::newRow("three decimals") << "12.345" << "12.345";
        QTest::newRow("four decimals") << "12.3456" << "";
        QTest::newRow("twelve digits") << "123456789012" << "123456789012";
        QTest::newRow("thirteen digits") << "1234567890123" << "";
        QTest::newRow("twelve digits and minus") << "-999999999999" << "-999999999999";
        QTest::newRow("twelve digits and trailing minus") << "999999999999-" << "999999999999-";
        QTest::newRow("thirteen digits and minus") << "-1234567890123" << "";
        QTest::newRow("eleven digits and minus") << "-12345678901" << "-12345678901";
        QTest::newRow("three decimals and trailing minus") << "1.555-" << "1.555-";
        QTest::newRow("four decimals and trailing minus") << "1.5555-" << "";
        QTest::newRow("letters only") << "abc" << "";
        QTest::newRow("lone minus") << "-" << "";
        QTest::newRow("lone point") << "." << "";
        QTest::newRow("full-width digits dropped") << "１２3" << "3";
        QTest::newRow("blanks dropped") << " 1 2 " << "12";
        QTest::newRow("trailing minus") << "12-" << "12-";
        QTest::newRow("inner minus") << "1-2" << "";
        QTest::newRow("two minus signs") << "-12-" << "";
        QTest::newRow("two points") << "1.2.3" << "";
        QTest::newRow("point first") << ".5" << ".5";
        QTest::newRow("point last") << "5." << "5.";
        QTest::newRow("empty") << "" << "";
    }
    void checkNumberText()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(fnCheckNumberText(text), expected);
    }

    void formatNumber_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<double>("number");
        QTest::addColumn<QString>("expected");
        QTest::newRow("unit price whole") << "#,##0.###" << 1200.0 << "1,200";
        QTest::newRow("unit price fraction") << "#,##0.###" << 12.5 << "12.5";
        QTest::newRow("unit price 1234.5") << "#,##0.###" << 1234.5 << "1,234.5";
        QTest::newRow("unit price rounds half up") << "#,##0.###" << 0.0005 << "0.001";
        QTest::newRow("hash pattern") << "#,###.###" << 5.0 << "5";
        QTest::newRow("hash pattern zero") << "#,###.###" << 0.0 << "";
        QTest::newRow("hash pattern below one") << "#,###.###" << 0.25 << ".25";
        QTest::newRow("two decimals") << "0.00" << 3.0 << "3.00";
        QTest::newRow("money") << "#,##0" << -1234567.0 << "-1,234,567";
        QTest::newRow("money half") << "#,##0" << 2.5 << "3";
        QTest::newRow("negative rounding to zero") << "0.0" << -0.01 << "0.0";
        QTest::newRow("literal suffix") << "#,##0円" << 1500.0 << "1,500円";
        QTest::newRow("quoted literal") << "\"¥\"#,##0" << 1500.0 << "¥1,500";
        QTest::newRow("inner literal") << "000-0000" << 1234567.0 << "123-4567";
        QTest::newRow("percent") << "0%" << 0.25 << "25%";
        QTest::newRow("negative section") << "#,##0;(#,##0)" << -5.0 << "(5)";
        QTest::newRow("optional decimals") << "0.0#" << 1.0 << "1.0";
    }
    void formatNumber()
    {
        QFETCH(QString, format);
        QFETCH(double, number);
        QFETCH(QString, expected);
        QCOMPARE(fnFormatNumber(format, number), expected);
    }

    void textRoutines()
    {
        QCOMPARE(fnRemoveCrLf(QStringLiteral("  山田\r\n商店 \n")), QStringLiteral("山田商店"));
        QCOMPARE(fnRemoveCrLf(QStringLiteral("\u3000全角\u3000")), QStringLiteral("全角"));
        QCOMPARE(fnFilterChars(QStringLiteral("aAbB1"), QStringLiteral("ab")), QStringLiteral("ab"));
        QCOMPARE(fnCheckDigitText(QStringLiteral("03-1234-5678")), QStringLiteral("0312345678"));
        QCOMPARE(fnCheckDigitText(QStringLiteral("abc")), QString());
        QCOMPARE(fnBlankToZero(QString()), QStringLiteral("0"));
        QCOMPARE(fnBlankToZero(QStringLiteral("   ")), QStringLiteral("0"));
        QCOMPARE(fnBlankToZero(QStringLiteral(" 5 ")), QStringLiteral(" 5 "));
        QCOMPARE(fnLikeWildcard(QStringLiteral("ABC*")), QStringLiteral("ABC%"));
        QCOMPARE(fnLikeWildcard(QStringLiteral("A*B*")), QStringLiteral("A*B%"));
        QCOMPARE(fnDashToBlank(QStringLiteral(" - ")), QString());
        QCOMPARE(fnDashToBlank(QStringLiteral("--")), QStringLiteral("--"));
        QCOMPARE(fnIIf(true, 1, 0), 1);
        QCOMPARE(fnIIf(false, QStringLiteral("a"), QStringLiteral("b")), QStringLiteral("b"));
        QCOMPARE(fnBoolToCheck(true), 1);
        QCOMPARE(fnBoolToCheck(false), 0);
        QVERIFY(fnCheckToBool(2));
        QVERIFY(!fnCheckToBool(0));
    }

    void splitLines_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("two lines") << "a\r\nb" << QStringList{"a", "b", ""};
        QTest::newRow("one line") << "abc" << QStringList{"abc", ""};
        QTest::newRow("empty") << "" << QStringList{""};
        QTest::newRow("blanks") << "   " << QStringList{""};
        QTest::newRow("outer blanks trimmed, lines not") << "  a \r\n b  " << QStringList{"a ", " b", ""};
        QTest::newRow("lone LF does not split") << "a\nb" << QStringList{"a\nb", ""};
        QTest::newRow("empty middle line") << "a\r\n\r\nb" << QStringList{"a", "", "b", ""};
    }
    void splitLines()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, expected);
        QCOMPARE(fnSplitLines(text), expected);
    }

    void fileNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("valid");
        QTest::newRow("plain") << "月末請求" << true;
        QTest::newRow("empty") << "" << true;
        QTest::newRow("colon") << "a:b" << false;
        QTest::newRow("full-width colon") << "a：b" << true;
        QTest::newRow("double quote") << "a\"b" << true;
        QTest::newRow("dot") << "." << false;
        QTest::newRow("dot dot") << ".." << false;
        QTest::newRow("dots inside") << "..a.b" << true;
        QTest::newRow("NUL") << QString::fromUtf16(u"a\0b", 3) << false;
        for (const char *c : {"\\", "/", "*", "?", "<", ">", "|"})
            QTest::newRow(c) << QStringLiteral("x%1y").arg(QLatin1String(c)) << false;
    }
    void fileNames()
    {
        QFETCH(QString, name);
        QFETCH(bool, valid);
        QCOMPARE(fnIsValidFileName(name), valid);
    }

    void nextMonthFirstDay_data()
    {
        QTest::addColumn<QDateTime>("date");
        QTest::addColumn<QDateTime>("expected");
        QTest::newRow("31 January") << QDateTime(QDate(2024, 1, 31), QTime(0, 0)) << QDateTime(QDate(2024, 2, 1), QTime(0, 0));
        QTest::newRow("15 December") << QDateTime(QDate(2024, 12, 15), QTime(0, 0)) << QDateTime(QDate(2025, 1, 1), QTime(0, 0));
        QTest::newRow("time kept") << QDateTime(QDate(2024, 2, 29), QTime(13, 5, 7)) << QDateTime(QDate(2024, 3, 1), QTime(13, 5, 7));
    }
    void nextMonthFirstDay()
    {
        QFETCH(QDateTime, date);
        QFETCH(QDateTime, expected);
        QCOMPARE(fnGetNextMonthFirstDay(date), expected);
    }

    void caretLines_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("caret");
        QTest::addColumn<bool>("first");
        QTest::addColumn<bool>("last");
        QTest::newRow("single line") << "abc" << 2 << true << true;
        QTest::newRow("start of two") << "ab\r\ncd" << 0 << true << false;
        QTest::newRow("end of first") << "ab\r\ncd" << 2 << true << false;
        QTest::newRow("between CR and LF") << "ab\r\ncd" << 3 << true << true;
        QTest::newRow("start of second") << "ab\r\ncd" << 4 << false << true;
        QTest::newRow("caret 1 after a break") << "\r\nab" << 1 << true << true;
        QTest::newRow("middle of three") << "a\r\nb\r\nc" << 4 << false << false;
    }
    void caretLines()
    {
        QFETCH(QString, text);
        QFETCH(int, caret);
        QFETCH(bool, first);
        QFETCH(bool, last);
        QCOMPARE(fnIsCaretOnFirstLine(text, caret), first);
        QCOMPARE(fnIsCaretOnLastLine(text, caret), last);
    }

    void caretLinesInTextBox()
    {
        QPlainTextEdit box;
        box.setPlainText(QStringLiteral("ab\ncd\nef"));
        QTextCursor c = box.textCursor();
        c.setPosition(1);
        box.setTextCursor(c);
        QVERIFY(fnIsCaretOnFirstLine(&box));
        QVERIFY(!fnIsCaretOnLastLine(&box));
        c.setPosition(4);
        box.setTextCursor(c);
        QVERIFY(!fnIsCaretOnFirstLine(&box));
        QVERIFY(!fnIsCaretOnLastLine(&box));
        c.setPosition(7);
        box.setTextCursor(c);
        QVERIFY(fnIsCaretOnLastLine(&box));
    }

    void folders()
    {
        QTemporaryDir dir;
        const QString parent = dir.path() + QLatin1Char('/');
        CreateSubFolder(parent, QStringLiteral("C001"));
        CreateSubFolder(parent, QStringLiteral("C001")); // exists already: no error
        QVERIFY(fnFolderExists(parent + QStringLiteral("C001")));
        try {
            CreateSubFolder(parent + QStringLiteral("missing/"), QStringLiteral("x"));
            QFAIL("created below a missing parent");
        } catch (const FolderError &e) {
            QCOMPARE(e.description(), QStringLiteral("システムエラー"));
            QCOMPARE(e.number(), -2147221504 + 1000);
        }

        QDir(parent).mkpath(QStringLiteral("C001/2024/deep"));
        QFile f(parent + QStringLiteral("C001/2024/deep/page1.rdf"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("x");
        f.close();
        DeleteFolder(parent + QStringLiteral("C001"));
        QVERIFY(!fnFolderExists(parent + QStringLiteral("C001")));
        QVERIFY_THROWS_EXCEPTION(FolderError, DeleteFolder(parent + QStringLiteral("C001")));
        QVERIFY(!fnFolderExists(QString()));
    }

    // On a disk that only reads, making and deleting a folder say why.
    void foldersOnReadOnlyDiskSayWhy()
    {
        testsupport::FullFileSystem fs;
        QVX_NEED_FULL_FS(fs);
        const QString parent = fs.path() + QLatin1Char('/');
        CreateSubFolder(parent, QStringLiteral("C001"));
        QVERIFY(fs.makeReadOnly());
        const QString reason = QStringLiteral("保存先は読み取り専用です。");
        try {
            CreateSubFolder(parent, QStringLiteral("C002"));
            QFAIL("created on a read-only disk");
        } catch (const FolderError &e) {
            QVERIFY(testsupport::saysWhyInJapanese(e.description(), reason));
        }
        try {
            DeleteFolder(parent + QStringLiteral("C001"));
            QFAIL("deleted on a read-only disk");
        } catch (const FolderError &e) {
            QVERIFY(testsupport::saysWhyInJapanese(e.description(), reason));
        }
    }

    void imeOnFocusedControl()
    {
        QPlainTextEdit box;
        box.setAttribute(Qt::WA_InputMethodEnabled, false);
        box.show();
        box.activateWindow();
        box.setFocus();
        ImeHiraganaOn(); // no focus widget offscreen is harmless too
        if (QApplication::focusWidget() == &box)
            QVERIFY(box.testAttribute(Qt::WA_InputMethodEnabled));
    }
};

QTEST_MAIN(tst_Routines)
#include "tst_routines.moc"
