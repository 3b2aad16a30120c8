#include "platform/text/Cp932.h"

#include <QtTest>

class tst_Cp932 : public QObject {
    Q_OBJECT

private slots:
    void formIsWhatAFileGivesBack_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("form");
        QTest::newRow("wave dash of Linux input methods") << "〜" << "～";
        QTest::newRow("double vertical line") << "‖" << "∥";
        QTest::newRow("minus sign") << "−" << "－";
        QTest::newRow("em dash") << "—" << "―";
        QTest::newRow("cent, pound, not") << "¢£¬" << "￠￡￢";
        QTest::newRow("within a text") << "1〜2 ボルト−3" << "1～2 ボルト－3";
        QTest::newRow("CP932 forms stay") << "～∥－―￠￡￢" << "～∥－―￠￡￢";
        QTest::newRow("plain text stays") << "ABC abc 123 顧客 ｶﾅ ①" << "ABC abc 123 顧客 ｶﾅ ①";
        QTest::newRow("no CP932 form: left alone") << "é😀" << "é😀";
        QTest::newRow("empty") << "" << "";
    }

    void formIsWhatAFileGivesBack()
    {
        QFETCH(QString, text);
        QFETCH(QString, form);
        QCOMPARE(text::toCp932Form(text), form);
        if (text.size() == 1)
            QCOMPARE(text::toCp932Form(text.at(0)), form.at(0));
    }

    // ASCII text reads and writes as the converter reads and writes it
    // within a text that needs it.
    void asciiIsWhatTheConverterGives()
    {
        QByteArray ascii;
        for (int b = 0; b < 0x80; ++b)
            ascii += char(b);
        const QByteArray kana("\x82\xa0"); // あ
        QCOMPARE(text::fromCp932(ascii + kana), text::fromCp932(ascii) + QStringLiteral("あ"));
        QCOMPARE(text::fromCp932(ascii), QString::fromLatin1(ascii));
        bool ok = false;
        QCOMPARE(text::toCp932(QString::fromLatin1(ascii), &ok) + kana,
                 text::toCp932(QString::fromLatin1(ascii) + QStringLiteral("あ")));
        QVERIFY(ok);
        qsizetype replaced = -1;
        QCOMPARE(text::utf8ToCp932Replacing(ascii, &replaced), ascii);
        QCOMPARE(replaced, 0);
    }

    // A conversion that met a bad sequence leaves nothing behind for the
    // next one.
    void badSequenceLeavesTheNextConversionClean()
    {
        for (int round = 0; round < 2; ++round) {
            QCOMPARE(text::fromCp932(QByteArray("a\x82")), QStringLiteral("a\uFFFD"));
            QCOMPARE(text::fromCp932(QByteArray("\x82\xa0")), QStringLiteral("あ"));
            bool ok = true;
            QCOMPARE(text::toCp932(QStringLiteral("é"), &ok), QByteArray("?"));
            QVERIFY(!ok);
            QCOMPARE(text::toCp932(QStringLiteral("あ"), &ok), QByteArray("\x82\xa0"));
            QVERIFY(ok);
        }
    }

    // Over the whole basic plane: a character's form has the same CP932
    // bytes and reads back as itself, so a text in its form survives a file.
    void everyFormSurvivesAFile()
    {
        int changed = 0;
        for (char32_t u = 0; u < 0x10000; ++u) {
            if (QChar::isSurrogate(u))
                continue;
            const QChar c{char16_t(u)};
            const QChar form = text::toCp932Form(c);
            bool fits = true;
            const QByteArray bytes = text::toCp932(QString(c), &fits);
            if (!fits) {
                QVERIFY2(form == c, qPrintable(QString::number(u, 16)));
                continue;
            }
            QCOMPARE(text::toCp932(QString(form)), bytes);
            QCOMPARE(text::fromCp932(bytes), QString(form));
            if (form != c)
                ++changed;
        }
        QVERIFY(changed >= 7);
    }
};

QTEST_GUILESS_MAIN(tst_Cp932)
#include "tst_cp932.moc"
