#include "platform/report/LayoutFile.h"
#include "platform/text/LineFile.h"

#include "FullFileSystem.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace report;

class tst_LayoutFile : public QObject {
    Q_OBJECT

private:
    static Layout everyProperty()
    {
        Layout l;
        l.userData = QStringLiteral("1;0;1;");
        l.pageSetup = {16838, 11906, true, 500, 600, 700, 800};
        Section detail;
        detail.name = QStringLiteral("Detail");
        detail.newPage = NewPageBefore;
        detail.height = 15000;
        Control text;
        text.kind = ControlKind::TextBox;
        text.name = QStringLiteral("Field1");
        text.left = 10, text.top = 20, text.width = 3000, text.height = 400;
        // Line breaks, quotes, "<&>" and the word UserData inside a text
        // must survive and must not disturb the option line.
        text.text = QStringLiteral("P_顧客名\r\n2行目 \"UserData=\" <&> 'x'\t;");
        text.tag = QStringLiteral("1,25");
        text.dataField = QStringLiteral("P_顧客名");
        text.outputFormat = QStringLiteral("\\\\#,##0");
        text.font = {QStringLiteral("ＭＳ ゴシック"), 10.5, true, true, true};
        text.align = HAlign::Right;
        text.valign = VAlign::Middle;
        text.wordWrap = true;
        text.border = true;
        text.lineWidth = 30;
        text.foreColor = QColor(10, 20, 30);
        text.backColor = QColor(200, 210, 220, 128);
        text.lineColor = QColor(Qt::red);
        Control line;
        line.kind = ControlKind::Line;
        line.name = QStringLiteral("Line1");
        line.left = 100, line.top = 1000, line.width = -50, line.height = 0;
        Control shape;
        shape.kind = ControlKind::Shape;
        shape.name = QStringLiteral("Shape1");
        shape.shape = ShapeStyle::Ellipse;
        Control picture;
        picture.kind = ControlKind::Picture;
        picture.name = QStringLiteral("Picture1");
        picture.sizing = PictureSizing::Stretch;
        picture.picture = QByteArray("\x89PNG\r\n\x1a\n\0\1\2binary", 17);
        Control label;
        label.kind = ControlKind::Label;
        label.name = QStringLiteral("Label1");
        label.text = QStringLiteral("納品書");
        detail.controls = {text, line, shape, picture, label};
        Section footer;
        footer.name = QStringLiteral("PageFooter");
        footer.newPage = NewPageBeforeAfter;
        l.sections = {detail, footer};
        return l;
    }

private slots:
    // A print form saved on a full disk stays as it was.
    void fullDiskKeepsTheOldLayout()
    {
        testsupport::FullFileSystem fs;
        QVX_NEED_FULL_FS(fs);
        const QString path = fs.filePath(QStringLiteral("納品書.rpx"));
        Layout layout = everyProperty();
        saveLayout(path, layout);
        const QByteArray old = fs.contents(path);
        QVERIFY(fs.fill());
        layout.sections[0].controls[0].text = QStringLiteral("P_得意先名");
        QVERIFY_THROWS_EXCEPTION(text::TextFileError, saveLayout(path, layout));
        QCOMPARE(fs.contents(path), old);
        QVERIFY(loadLayout(path) == everyProperty());
    }

    void roundTripKeepsEveryProperty()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("a.rpx"));
        const Layout original = everyProperty();
        saveLayout(path, original);
        const Layout loaded = loadLayout(path);
        QCOMPARE(loaded.userData, original.userData);
        QCOMPARE(loaded.pageSetup, original.pageSetup);
        QCOMPARE(loaded.sections.size(), 2);
        for (int i = 0; i < original.sections[0].controls.size(); ++i)
            QVERIFY2(loaded.sections[0].controls[i] == original.sections[0].controls[i],
                     qPrintable(original.sections[0].controls[i].name));
        QVERIFY(loaded == original);
        // Saving what was loaded gives the same file again.
        QCOMPARE(serializeLayout(loaded), serializeLayout(original));
    }

    void userDataIsTheFirstLineNamingIt()
    {
        const QList<QByteArray> lines = serializeLayout(everyProperty()).split('\n');
        int first = -1;
        for (int i = 0; i < lines.size(); ++i)
            if (lines[i].contains("UserData")) {
                first = i;
                break;
            }
        QVERIFY(first >= 0);
        const QByteArray line = lines[first];
        QVERIFY(line.contains("<Report "));
        QCOMPARE(line.mid(line.indexOf("UserData"), 17), QByteArray("UserData=\"1;0;1;\""));
    }

    void malformedFilesGiveAnError_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("not xml") << QByteArray("UserData=\"1;0;0;\"\r\nhello");
        QTest::newRow("other root") << QByteArray("<?xml version=\"1.0\"?><Form/>");
        QTest::newRow("unclosed") << QByteArray("<Report UserData=\"\"><Section Name=\"Detail\">");
        QTest::newRow("bad number") << QByteArray("<Report><Section Name=\"Detail\" Height=\"abc\"/></Report>");
        QTest::newRow("bad kind") << QByteArray("<Report><Section><Control Kind=\"Chart\"/></Section></Report>");
        QTest::newRow("bad colour") << QByteArray("<Report><Section><Control ForeColor=\"#zz\"/></Section></Report>");
        QTest::newRow("unknown element") << QByteArray("<Report><Group/></Report>");
        QTest::newRow("trailing data") << QByteArray("<Report></Report><Report/>");
        QTest::newRow("newer version") << QByteArray("<Report Version=\"99\"/>");
    }

    void malformedFilesGiveAnError()
    {
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("bad.rpx"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
        f.close();
        try {
            loadLayout(path);
            QFAIL("no error");
        } catch (const LayoutError &e) {
            QVERIFY(e.message().contains(path));
        }
    }

    void missingFileGivesAnError()
    {
        QVERIFY_THROWS_EXCEPTION(LayoutError, loadLayout(QStringLiteral("/nonexistent/x.rpx")));
    }

    void missingAttributesTakeDefaults()
    {
        const Layout l = parseLayout("<Report><Section Name=\"Detail\"><Control Name=\"Field1\"/></Section></Report>");
        QCOMPARE(l.userData, QString());
        QCOMPARE(l.pageSetup, PageSetup());
        QCOMPARE(l.sections[0].controls[0], [] {
            Control c;
            c.name = QStringLiteral("Field1");
            return c;
        }());
    }
};

QTEST_GUILESS_MAIN(tst_LayoutFile)
#include "tst_layoutfile.moc"
