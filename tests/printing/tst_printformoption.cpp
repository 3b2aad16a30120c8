#include "platform/report/LayoutFile.h"
#include "printing/PrintFormOption.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class tst_PrintFormOption : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void textFiles_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("onlySelect");
        QTest::addColumn<bool>("shohinMeisai");
        QTest::addColumn<bool>("denpyoLine");
        QTest::newRow("1;") << QByteArray("<Report UserData=\"1;\" Version=\"1\">\n") << true << false << false;
        QTest::newRow("1;1;0;") << QByteArray("<Report UserData=\"1;1;0;\" Version=\"1\">\n") << true << true << false;
        QTest::newRow("0;1;1;") << QByteArray("<Report UserData=\"0;1;1;\">") << false << true << true;
        QTest::newRow("no user data") << QByteArray("<?xml version=\"1.0\"?>\n<Report>\n</Report>\n") << false << false
                                      << false;
        QTest::newRow("empty user data") << QByteArray("<Report UserData=\"\">\n") << false << false << false;
        QTest::newRow("first line wins")
            << QByteArray("<?xml?>\n<Report UserData=\"0;0;0;\">\n<Control Text=\"UserData=&quot;1;1;1;\"/>\n")
            << false << false << false;
        QTest::newRow("word anywhere in the line") << QByteArray("xx UserData=\"1;0;1;\"") << true << false << true;
        QTest::newRow("True is not 1") << QByteArray("UserData=\"True;True;True;\"") << false << false << false;
        QTest::newRow("CR LF lines") << QByteArray("<?xml?>\r\n<Report UserData=\"1;1;1;\"\r\n") << true << true
                                     << true;
    }

    void textFiles()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, onlySelect);
        QFETCH(bool, shohinMeisai);
        QFETCH(bool, denpyoLine);
        const QString path = m_dir.filePath(QStringLiteral("%1.rpx").arg(QTest::currentDataTag()));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
        f.close();
        bool a = !onlySelect, b = !shohinMeisai, c = !denpyoLine;
        GetDenpyoListFormOption(path, a, b, c);
        QCOMPARE(a, onlySelect);
        QCOMPARE(b, shohinMeisai);
        QCOMPARE(c, denpyoLine);
        bool only = !onlySelect;
        GetListFormOption(path, only);
        QCOMPARE(only, onlySelect);
    }

    void savedLayoutsReadBack()
    {
        report::Layout layout;
        layout.userData = QStringLiteral("1;1;0;");
        report::Section s;
        s.name = QStringLiteral("Detail");
        report::Control c;
        c.text = QStringLiteral("UserData=\"0;0;1;\"");
        s.controls << c;
        layout.sections << s;
        const QString path = m_dir.filePath(QStringLiteral("saved.rpx"));
        report::saveLayout(path, layout);
        bool a = false, b = false, d = true;
        GetDenpyoListFormOption(path, a, b, d);
        QVERIFY(a && b && !d);
    }

    void missingFileHasEveryOptionOff()
    {
        bool a = true, b = true, c = true;
        GetDenpyoListFormOption(m_dir.filePath(QStringLiteral("none.rpx")), a, b, c);
        QVERIFY(!a && !b && !c);
        bool only = true;
        GetListFormOption(m_dir.filePath(QStringLiteral("none.rpx")), only);
        QVERIFY(!only);
    }
};

QTEST_GUILESS_MAIN(tst_PrintFormOption)
#include "tst_printformoption.moc"
