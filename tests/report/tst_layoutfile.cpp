#include "platform/report/LayoutFile.h"
#include "platform/report/PageFile.h"
#include "platform/report/Report.h"
#include "platform/text/LineFile.h"

#include "FullFileSystem.h"

#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>
#include <fcntl.h>
#include <sys/stat.h>

using namespace report;

namespace {

// Prints a few records with whatever layout it is given.
class ThreeRecords : public Report {
protected:
    void fetchData(bool &eof) override { eof = m_left-- <= 0; }

private:
    int m_left = 3;
};

bool within(qint64 v, qint64 lowest, qint64 highest)
{
    return v >= lowest && v <= highest;
}

// A layout the reader took holds only what a page can hold, renders
// without overflow, and its pages are page files the page reader takes.
void checkUsable(const Layout &l)
{
    const PageSetup &p = l.pageSetup;
    QVERIFY(within(p.paperWidth, 1, kMaxTwips) && within(p.paperHeight, 1, kMaxTwips));
    for (const int m : {p.leftMargin, p.topMargin, p.rightMargin, p.bottomMargin})
        QVERIFY(within(m, -kMaxTwips, kMaxTwips));
    for (const Section &s : l.sections) {
        QVERIFY(within(s.height, 0, kMaxTwips));
        for (const Control &c : s.controls) {
            for (const int v : {c.left, c.top, c.width, c.height, c.lineWidth})
                QVERIFY(within(v, -kMaxTwips, kMaxTwips));
            QVERIFY(std::isfinite(c.font.size) && c.font.size >= 0 && c.font.size <= kMaxFontPoints);
        }
    }
    ThreeRecords report;
    report.setLayout(l);
    report.run();
    for (const Page &page : report.pages())
        QCOMPARE(parsePage(serializePage(page)), page);
}

} // namespace

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

    // A file the XML reader itself refuses, or that cannot be read at all,
    // is told in Japanese, whatever Qt's own texts are.
    void unreadableFileSaysWhy_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing") << QByteArray() << "ファイルがありません。";
        QTest::newRow("empty") << QByteArray("") << "ファイルが途中で終わっています。";
        QTest::newRow("unclosed") << QByteArray("<Report UserData=\"\"><Section Name=\"Detail\">")
                                  << "ファイルが途中で終わっています。";
        QTest::newRow("not xml") << QByteArray("UserData=\"1;0;0;\"\r\nhello") << "ファイルの書式が正しくありません。";
        QTest::newRow("trailing data") << QByteArray("<Report></Report><Report/>") << "ファイルの書式が正しくありません。";
    }
    void unreadableFileSaysWhy()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("bad.rpx"));
        if (!content.isNull()) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(content);
        }
        try {
            loadLayout(path);
            QFAIL("no error");
        } catch (const LayoutError &e) {
            QVERIFY(testsupport::saysWhyInJapanese(e.message(), reason));
        }
    }

    // Numbers that would overflow the sums of rendering, or that are no
    // size at all, make the file a broken one.
    void numbersOutsideAPageAreRefused_data()
    {
        QTest::addColumn<QByteArray>("content");
        const auto setup = [](const char *attributes) {
            return QByteArray("<Report><PageSetup ") + attributes + "/><Section Name=\"Detail\"/></Report>";
        };
        const auto section = [](const char *attributes) {
            return QByteArray("<Report><Section Name=\"Detail\" ") + attributes + "/></Report>";
        };
        const auto control = [](const char *attributes) {
            return QByteArray("<Report><Section Name=\"Detail\"><Control ") + attributes + "/></Section></Report>";
        };
        QTest::newRow("margin -2147483648") << setup("LeftMargin=\"-2147483648\"");
        QTest::newRow("margin past a page") << setup("TopMargin=\"288001\"");
        QTest::newRow("paper width 0") << setup("PaperWidth=\"0\"");
        QTest::newRow("paper height 2147483647") << setup("PaperHeight=\"2147483647\"");
        QTest::newRow("section height 2147483647") << section("Height=\"2147483647\"");
        QTest::newRow("negative section height") << section("Height=\"-1\"");
        QTest::newRow("control left 2147483647") << control("Left=\"2147483647\"");
        QTest::newRow("control width -2147483648") << control("Width=\"-2147483648\"");
        QTest::newRow("line width past a page") << control("LineWidth=\"300000\"");
        QTest::newRow("font size NaN") << control("FontSize=\"nan\"");
        QTest::newRow("font size infinite") << control("FontSize=\"inf\"");
        QTest::newRow("font size -inf") << control("FontSize=\"-inf\"");
        QTest::newRow("negative font size") << control("FontSize=\"-1\"");
        QTest::newRow("font size 1e300") << control("FontSize=\"1e300\"");
    }

    void numbersOutsideAPageAreRefused()
    {
        QFETCH(QByteArray, content);
        QVERIFY_THROWS_EXCEPTION(LayoutError, parseLayout(content));
    }

    void numbersAtTheLimitsAreKept()
    {
        const Layout l = parseLayout(
            "<Report><PageSetup PaperWidth=\"288000\" PaperHeight=\"1\" LeftMargin=\"-288000\" "
            "BottomMargin=\"288000\"/><Section Name=\"Detail\" Height=\"288000\"><Control Left=\"-288000\" "
            "Top=\"288000\" Width=\"-288000\" Height=\"288000\" FontSize=\"0\"/><Control FontSize=\"14400\"/>"
            "</Section></Report>");
        QCOMPARE(l.pageSetup.paperWidth, kMaxTwips);
        QCOMPARE(l.sections[0].controls[0].left, -kMaxTwips);
        QCOMPARE(l.sections[0].controls[1].font.size, kMaxFontPoints);
        checkUsable(l);
    }

    // Every number of a full layout replaced by hostile ones: each result
    // is refused or usable.
    void hostileNumbersAreRefusedOrUsable()
    {
        const QByteArray good = serializeLayout(everyProperty());
        static const QRegularExpression number(QStringLiteral("(\\w+)=\"(-?[0-9.]+)\""));
        const QList<QByteArray> hostile{"-2147483648", "2147483647", "2147483648", "-288001", "288001", "-1",
                                        "nan", "inf", "-inf", "1e308", "1e-320", "0x10", "+5", " 7 "};
        const QString text = QString::fromUtf8(good);
        int tried = 0;
        for (auto it = number.globalMatch(text); it.hasNext();) {
            const auto m = it.next();
            for (const QByteArray &value : hostile) {
                QString changed = text;
                changed.replace(m.capturedStart(2), m.capturedLength(2), QString::fromLatin1(value));
                ++tried;
                try {
                    checkUsable(parseLayout(changed.toUtf8()));
                } catch (const LayoutError &) {
                }
                if (QTest::currentTestFailed())
                    QFAIL(qPrintable(m.captured(1) + QLatin1Char('=') + QString::fromLatin1(value)));
            }
        }
        QVERIFY(tried > 100);
    }

    // Random damage to a good file's bytes: refused or usable, never more.
    void randomDamageIsRefusedOrUsable()
    {
        const QByteArray good = serializeLayout(everyProperty());
        QRandomGenerator random(20240501);
        const QByteArray alphabet("0123456789-.e\"<>/= x");
        for (int round = 0; round < 3000; ++round) {
            QByteArray bytes = good;
            const int changes = 1 + int(random.bounded(4));
            for (int i = 0; i < changes; ++i) {
                const int at = int(random.bounded(bytes.size()));
                const char c = random.bounded(4) == 0 ? char(random.bounded(256))
                                                      : alphabet.at(random.bounded(alphabet.size()));
                switch (random.bounded(3)) {
                case 0: bytes.remove(at, 1); break;
                case 1: bytes.insert(at, c); break;
                default: bytes[at] = c; break;
                }
            }
            try {
                checkUsable(parseLayout(bytes));
            } catch (const LayoutError &) {
            }
            if (QTest::currentTestFailed())
                QFAIL(qPrintable(QStringLiteral("round %1").arg(round)));
        }
    }

    void keptLayoutFollowsTheFile_data()
    {
        QTest::addColumn<QString>("change");
        QTest::newRow("saved again") << "save";
        QTest::newRow("rewritten in place, size and time kept") << "in place";
        QTest::newRow("broken, then saved") << "broken";
    }

    // A report's form is parsed once while its file stays as it was, and
    // read afresh once the file changed, whatever its size and times say.
    void keptLayoutFollowsTheFile()
    {
        QFETCH(QString, change);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("kept.rpx"));
        Layout l = everyProperty();
        l.sections[0].controls[0].text = QStringLiteral("AAAA");
        saveLayout(path, l);
        ThreeRecords first, second, third;
        first.loadLayout(path);
        second.loadLayout(path);
        QVERIFY(second.layout().sections.isSharedWith(first.layout().sections));
        // What one report fills in stays its own.
        first.layout().sections[0].controls[0].text = QStringLiteral("filled");
        third.loadLayout(path);
        QCOMPARE(third.layout().sections[0].controls[0].text, QStringLiteral("AAAA"));

        l.sections[0].controls[0].text = QStringLiteral("BBBB");
        if (change == QLatin1String("save")) {
            saveLayout(path, l);
        } else if (change == QLatin1String("in place")) {
            struct stat before {};
            QCOMPARE(::stat(QFile::encodeName(path).constData(), &before), 0);
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.write(serializeLayout(l)) == before.st_size);
            file.close();
            const timespec times[2] = {before.st_atim, before.st_mtim};
            QCOMPARE(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0), 0);
            struct stat after {};
            QCOMPARE(::stat(QFile::encodeName(path).constData(), &after), 0);
            QCOMPARE(after.st_size, before.st_size);
            QCOMPARE(after.st_ino, before.st_ino);
            QCOMPARE(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
        } else {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("<Report><Section");
            file.close();
            QVERIFY_THROWS_EXCEPTION(LayoutError, first.loadLayout(path));
            saveLayout(path, l);
        }
        ThreeRecords fourth;
        fourth.loadLayout(path);
        QCOMPARE(fourth.layout().sections[0].controls[0].text, QStringLiteral("BBBB"));
        QVERIFY(fourth.layout() == l);
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
