#include "platform/report/PageFile.h"
#include "platform/report/PageOutput.h"
#include "platform/report/PagePainter.h"
#include "platform/report/PreviewWidget.h"
#include "platform/text/LineFile.h"
#include "platform/ui/MessageBox.h"

#include "FullFileSystem.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QFile>
#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QRandomGenerator>
#include <QScrollArea>
#include <QStandardPaths>
#include <QTimer>
#include <QTemporaryDir>
#include <QtTest>
#include <array>
#include <cmath>
#include <functional>
#include <limits>

using namespace report;

namespace {

Page samplePage(const QString &text)
{
    Page p;
    p.width = 16838;
    p.height = 11906;
    PageItem t;
    t.type = PageItem::Type::Text;
    t.box = QRect(100, 200, 3000, 400);
    t.text = text;
    t.font = {QStringLiteral("ＭＳ 明朝"), 12, true, false, true};
    t.flags = Qt::AlignRight | Qt::AlignVCenter | Qt::TextWordWrap;
    t.color = QColor(1, 2, 3);
    PageItem l;
    l.type = PageItem::Type::Line;
    l.box = QRect(0, 0, 5000, -10);
    l.penWidth = 20;
    PageItem s;
    s.type = PageItem::Type::Shape;
    s.shape = ShapeStyle::RoundRect;
    s.fill = QColor(100, 100, 100, 50);
    PageItem i;
    i.type = PageItem::Type::Image;
    i.image = QByteArray("not really an image");
    i.sizing = PictureSizing::Clip;
    p.items = {t, l, s, i};
    return p;
}

// The sample page with one thing changed, serialized as the writer would.
QByteArray sampleWith(const std::function<void(Page &)> &change)
{
    Page p = samplePage(QStringLiteral("x"));
    change(p);
    return serializePage(p);
}

bool within(qint64 v, qint64 lowest, qint64 highest)
{
    return v >= lowest && v <= highest;
}

// A page the reader took holds only what a page can hold and draws.
void checkUsable(const Page &page)
{
    QVERIFY(within(page.width, 1, kMaxTwips) && within(page.height, 1, kMaxTwips));
    for (const PageItem &item : page.items) {
        for (const int v : {item.box.left(), item.box.top(), item.box.right(), item.box.bottom()})
            QVERIFY(within(v, -kMaxItemTwips, kMaxItemTwips));
        QVERIFY(within(item.penWidth, -kMaxTwips, kMaxTwips));
        QVERIFY(std::isfinite(item.font.size) && item.font.size >= 0 && item.font.size <= kMaxFontPoints);
    }
    QImage image(40, 30, QImage::Format_ARGB32);
    QPainter painter(&image);
    painter.scale(40.0 / page.width, 30.0 / page.height);
    paintPage(painter, page);
}

// A PDF of the pages with their texts drawn by QPainter::drawText, or
// through one glyph cache for all of them, as a long list is written.
QByteArray pdfDrawn(const QVector<Page> &pages, bool cached)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(1440);
    QPainter painter(&writer);
    GlyphCache cache;
    for (int i = 0; i < pages.size(); ++i) {
        if (i > 0)
            writer.newPage();
        if (cached)
            paintPage(painter, pages[i], cache);
        else
            paintPage(painter, pages[i]);
    }
    painter.end();
    return bytes;
}

// Every stream of a PDF file, inflated where it is packed: the pages'
// drawing and the fonts.
QList<QByteArray> pdfStreams(const QByteArray &pdf)
{
    QList<QByteArray> streams;
    const QByteArray opening = ">>\nstream\n";
    for (qsizetype at = pdf.indexOf(opening); at >= 0; at = pdf.indexOf(opening, at)) {
        const bool packed = pdf.lastIndexOf("/FlateDecode", at) > pdf.lastIndexOf("<<", at);
        at += opening.size();
        const qsizetype end = pdf.indexOf("endstream", at);
        if (end < 0)
            break;
        QByteArray bytes = pdf.mid(at, end - at);
        if (packed) {
            // qUncompress wants the inflated size up front; it grows a short guess.
            const quint32 guess = quint32(bytes.size()) * 16 + 64;
            bytes.prepend(char(guess & 0xFF)).prepend(char((guess >> 8) & 0xFF)).prepend(char((guess >> 16) & 0xFF))
                .prepend(char(guess >> 24));
            bytes = qUncompress(bytes);
        }
        streams << bytes;
        at = end;
    }
    return streams;
}

QImage imageDrawn(const Page &page, bool cached)
{
    QImage image(page.width, page.height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    GlyphCache cache;
    if (cached)
        paintPage(painter, page, cache);
    else
        paintPage(painter, page);
    return image;
}

void touch(const QString &path)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("old");
}

} // namespace

class tst_PageFile : public QObject {
    Q_OBJECT

private slots:
    void pageRoundTrip()
    {
        QTemporaryDir dir;
        const Page page = samplePage(QStringLiteral("合計 \\1,234"));
        const QString path = dir.filePath(QStringLiteral("p"));
        savePage(path, page);
        QCOMPARE(loadPage(path), page);
    }

    void brokenPageFilesGiveAnError_data()
    {
        QTest::addColumn<QByteArray>("content");
        const QByteArray good = serializePage(samplePage(QStringLiteral("x")));
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("other file") << QByteArray("<Report/>");
        QTest::newRow("cut short") << good.left(good.size() - 7);
        QByteArray badType = good;
        badType[18] = char(9); // the first item's type
        QTest::newRow("bad item type") << badType;
    }

    void brokenPageFilesGiveAnError()
    {
        QFETCH(QByteArray, content);
        QVERIFY_THROWS_EXCEPTION(PageFileError, parsePage(content));
    }

    // Numbers no page holds, and counts the file cannot hold, are a broken
    // file: no overflow later, no memory reserved for items that are not
    // there.
    void pagesBeyondAPageAreBroken_data()
    {
        QTest::addColumn<QByteArray>("content");
        const int most = std::numeric_limits<int>::max();
        const int least = std::numeric_limits<int>::min();
        const double nan = std::numeric_limits<double>::quiet_NaN();
        const double inf = std::numeric_limits<double>::infinity();
        QTest::newRow("width 0") << sampleWith([](Page &p) { p.width = 0; });
        QTest::newRow("negative height") << sampleWith([](Page &p) { p.height = -5; });
        QTest::newRow("width 2147483647") << sampleWith([most](Page &p) { p.width = most; });
        QTest::newRow("box at 2147483647")
            << sampleWith([most](Page &p) { p.items[0].box = QRect(QPoint(most - 1, 0), QPoint(most, 10)); });
        QTest::newRow("box from -2147483648")
            << sampleWith([least](Page &p) { p.items[1].box = QRect(QPoint(least, least), QPoint(0, 0)); });
        QTest::newRow("box wider than int")
            << sampleWith([least, most](Page &p) { p.items[2].box = QRect(QPoint(least, 0), QPoint(most, 0)); });
        QTest::newRow("font size NaN") << sampleWith([nan](Page &p) { p.items[0].font.size = nan; });
        QTest::newRow("font size infinite") << sampleWith([inf](Page &p) { p.items[0].font.size = inf; });
        QTest::newRow("negative font size") << sampleWith([](Page &p) { p.items[0].font.size = -9; });
        QTest::newRow("font size 1e300") << sampleWith([](Page &p) { p.items[0].font.size = 1e300; });
        QTest::newRow("pen -2147483648") << sampleWith([least](Page &p) { p.items[1].penWidth = least; });
        const QByteArray good = serializePage(samplePage(QStringLiteral("x")));
        const auto withCount = [&good](quint32 count) {
            QByteArray bytes = good;
            for (int i = 0; i < 4; ++i)
                bytes[14 + i] = char(count >> (24 - 8 * i));
            return bytes;
        };
        QTest::newRow("count 2147483647") << withCount(0x7fffffff);
        QTest::newRow("count negative") << withCount(0x80000000);
        QTest::newRow("count of the file's size") << withCount(quint32(good.size()));
        QTest::newRow("one item more than written") << withCount(5);
    }

    void pagesBeyondAPageAreBroken()
    {
        QFETCH(QByteArray, content);
        QVERIFY_THROWS_EXCEPTION(PageFileError, parsePage(content));
    }

    void pagesAtTheLimitsAreKept()
    {
        Page p = samplePage(QStringLiteral("x"));
        p.width = kMaxTwips;
        p.height = 1;
        p.items[0].box = QRect(QPoint(-kMaxItemTwips, -kMaxItemTwips), QPoint(kMaxItemTwips, kMaxItemTwips));
        p.items[0].font.size = kMaxFontPoints;
        p.items[1].font.size = 0;
        p.items[1].penWidth = -kMaxTwips;
        const Page back = parsePage(serializePage(p));
        QCOMPARE(back, p);
        checkUsable(back);
    }

    // Random damage to a good file: refused, or a page that draws.
    void randomDamageIsRefusedOrUsable()
    {
        const QByteArray good = serializePage(samplePage(QStringLiteral("合計 1,234")));
        QRandomGenerator random(20240501);
        int accepted = 0;
        for (int round = 0; round < 3000; ++round) {
            QByteArray bytes = good;
            const int changes = 1 + int(random.bounded(4));
            for (int i = 0; i < changes; ++i) {
                const int at = int(random.bounded(bytes.size()));
                const char c = std::array<char, 4>{char(0), char(0x7f), char(0x80), char(0xff)}[random.bounded(4)];
                switch (random.bounded(4)) {
                case 0: bytes.remove(at, 1); break;
                case 1: bytes.insert(at, c); break;
                case 2: bytes[at] = c; break;
                default: bytes[at] = char(random.bounded(256)); break;
                }
            }
            try {
                checkUsable(parsePage(bytes));
                ++accepted;
            } catch (const PageFileError &) {
            }
            if (QTest::currentTestFailed())
                QFAIL(qPrintable(QStringLiteral("round %1").arg(round)));
        }
        QVERIFY(accepted > 0);
    }

    // Files of an earlier, longer print under the same name go; files of
    // other names stay.
    void pageFilesArePrunedAndRewritten()
    {
        QTemporaryDir dir;
        const QString base = dir.filePath(QStringLiteral("C001_20240331.cnv"));
        for (int i = 0; i < 5; ++i)
            touch(base + QStringLiteral("_%1").arg(i));
        touch(base); // the base name alone begins with itself too
        touch(dir.filePath(QStringLiteral("C002_20240331.cnv_0")));
        writePageFiles(base, {samplePage(QStringLiteral("1")), samplePage(QStringLiteral("2"))});
        QStringList names = QDir(dir.path()).entryList(QDir::Files, QDir::Name);
        QCOMPARE(names, (QStringList{QStringLiteral("C001_20240331.cnv_0"), QStringLiteral("C001_20240331.cnv_1"),
                                     QStringLiteral("C002_20240331.cnv_0")}));
        QCOMPARE(pageFilePaths(base), (QStringList{base + QStringLiteral("_0"), base + QStringLiteral("_1")}));
        QCOMPARE(loadPages(pageFilePaths(base))[1].texts(), QStringList{QStringLiteral("2")});
    }

    // Every page of a set is synced, but the names only once, with the
    // folder they end in: a folder sync per page multiplied the time a
    // monthly invoice takes to register.
    void aPageSetSyncsItsFolderOnce()
    {
        QTemporaryDir dir;
        const QString base = dir.filePath(QStringLiteral("C001_20240331.cnv"));
        QVector<Page> pages;
        for (int i = 0; i < 5; ++i)
            pages << samplePage(QString::number(i));
        QStringList fileSyncs, folderSyncs;
        text::setFaultHook([&](text::FileStep step, const QString &path) {
            if (step == text::FileStep::SyncFile)
                fileSyncs << QFileInfo(path).fileName();
            if (step == text::FileStep::SyncFolder)
                folderSyncs << path;
            return 0;
        });
        writePageFiles(base, pages);
        text::setFaultHook({});
        QCOMPARE(fileSyncs.size(), pages.size());
        QCOMPARE(folderSyncs, QStringList{QDir(dir.path()).absolutePath()});
        QCOMPARE(loadPages(pageFilePaths(base)).size(), pages.size());
    }

    // A page too big to share a file system page with another.
    static Page bigPage(const QString &text)
    {
        Page page = samplePage(text);
        page.items[3].image = QByteArray(20000, char(text.size()));
        return page;
    }

    // The pages of an archived invoice are replaced only by a complete new
    // set: a disk that fills before the first or after some new pages keeps
    // the old set whole, and nothing of the new set is left behind.
    void fullDiskKeepsTheOldPageSet_data()
    {
        QTest::addColumn<int>("leaveKilobytes");
        QTest::newRow("no new page fits") << 0;
        QTest::newRow("some new pages fit") << 48;
    }
    void fullDiskKeepsTheOldPageSet()
    {
        QFETCH(int, leaveKilobytes);
        testsupport::FullFileSystem fs(512);
        QVX_NEED_FULL_FS(fs);
        const QString base = fs.filePath(QStringLiteral("C001_20240331.cnv"));
        writePageFiles(base, {samplePage(QStringLiteral("old 1")), samplePage(QStringLiteral("old 2"))});
        touch(fs.filePath(QStringLiteral("C002_20240331.cnv_0")));
        const QStringList names = fs.entries();
        QList<QByteArray> old;
        for (const QString &name : names)
            old << fs.contents(fs.filePath(name));
        QVERIFY(fs.fill(leaveKilobytes * 1024));

        QVector<Page> pages;
        for (int i = 0; i < 6; ++i)
            pages << bigPage(QStringLiteral("new %1").arg(i));
        QVERIFY_THROWS_EXCEPTION(text::TextFileError, writePageFiles(base, pages));
        QCOMPARE(fs.entries(), names);
        for (int i = 0; i < names.size(); ++i)
            QCOMPARE(fs.contents(fs.filePath(names[i])), old[i]);

        fs.release();
        writePageFiles(base, pages);
        QCOMPARE(pageFilePaths(base).size(), 6);
        QCOMPARE(loadPage(pageFilePaths(base).last()).texts(), QStringList{QStringLiteral("new 5")});
        QCOMPARE(fs.entries().size(), 7);
    }

    // A PDF saved from the preview over an older one on a disk that fills
    // keeps the older file whole, leaves nothing behind and tells the user.
    void previewPdfOnAFullDisk_data()
    {
        QTest::addColumn<int>("leavePercent"); // of the new file's size
        QTest::newRow("nothing fits") << 0;
        QTest::newRow("half fits") << 50;
    }
    void previewPdfOnAFullDisk()
    {
        QFETCH(int, leavePercent);
        testsupport::FullFileSystem fs(1024);
        QVX_NEED_FULL_FS(fs);
        const QString path = fs.filePath(QStringLiteral("請求書.pdf"));
        writePdf(path, {samplePage(QStringLiteral("old"))});
        const QByteArray old = fs.contents(path);
        QVERIFY(old.startsWith("%PDF"));
        const QStringList names = fs.entries();

        QVector<Page> pages;
        for (int i = 0; i < 8; ++i)
            pages << samplePage(QStringLiteral("新しい頁 %1").arg(i));
        const qint64 size = pdfBytes(pages, QStringLiteral("請求書")).size();
        QVERIFY2(size > 8192, "the new file spans several pages of the file system");
        PreviewWidget preview;
        preview.setTitle(QStringLiteral("請求書"));
        preview.setPages(pages);
        QList<ui::MessageRequest> shown;
        ui::setMessageResponder([&shown](const ui::MessageRequest &r) {
            shown << r;
            return ui::Answer::Ok;
        });
        const auto saveOver = [&path] {
            QTimer::singleShot(0, [&path] {
                auto *box = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
                QVERIFY(box);
                box->setOption(QFileDialog::DontConfirmOverwrite);
                auto *name = box->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
                QVERIFY(name);
                name->setText(path);
                QTest::keyClick(name, Qt::Key_Return);
            });
        };

        QVERIFY(fs.fill(size * leavePercent / 100));
        saveOver();
        preview.saveAsPdf();
        QCOMPARE(shown.size(), 1);
        QVERIFY(shown[0].text.startsWith(QStringLiteral("PDFファイルを保存できませんでした。\r\n")));
        QCOMPARE(shown[0].icon, ui::Icon::Critical);
        QCOMPARE(fs.entries(), names);
        QCOMPARE(fs.contents(path), old);

        fs.release();
        saveOver();
        preview.saveAsPdf();
        ui::setMessageResponder({});
        QCOMPARE(shown.size(), 1);
        const QByteArray saved = fs.contents(path);
        QVERIFY(saved.startsWith("%PDF"));
        QVERIFY(saved != old);
        QCOMPARE(fs.entries(), names);
    }

    void missingFolderIsReportedInJapanese()
    {
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("none"));
        try {
            writePageFiles(folder + QStringLiteral("/C001_20240331.cnv"), {samplePage("x")});
            QFAIL("no folder, no pages");
        } catch (const text::TextFileError &e) {
            QCOMPARE(e.message(), QStringLiteral("ファイル(%1)に書き込めません。保存先のフォルダーがありません。").arg(folder));
        }
    }

    // A page set that cannot take its place, and a page that cannot be
    // read, say why.
    void failureSaysWhy_data()
    {
        QTest::addColumn<QString>("cause");
        QTest::addColumn<QString>("reason");
        QTest::newRow("folder in a page's place") << "folder" << "同じ名前のフォルダーがあります。";
        QTest::newRow("missing page") << "missing" << "ファイルがありません。";
        QTest::newRow("folder read as a page") << "read folder" << "ファイルではなくフォルダーです。";
    }
    void failureSaysWhy()
    {
        QFETCH(QString, cause);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QString base = dir.filePath(QStringLiteral("C001_20240331.cnv"));
        QString message;
        try {
            if (cause == QLatin1String("folder")) {
                QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("C001_20240331.cnv_0")));
                writePageFiles(base, {samplePage(QStringLiteral("1"))});
            } else {
                if (cause == QLatin1String("read folder"))
                    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("C001_20240331.cnv_0")));
                loadPage(base + QStringLiteral("_0"));
            }
            QFAIL("no error");
        } catch (const text::TextFileError &e) {
            message = e.message();
        } catch (const PageFileError &e) {
            message = e.message();
        }
        QVERIFY(testsupport::saysWhyInJapanese(message, reason));
    }

    void aBasePathWithoutNameDeletesNothing()
    {
        QTemporaryDir dir;
        touch(dir.filePath(QStringLiteral("keep")));
        QVERIFY_THROWS_EXCEPTION(PageFileError, writePageFiles(dir.path() + QLatin1Char('/'), {samplePage("x")}));
        QVERIFY(QFile::exists(dir.filePath(QStringLiteral("keep"))));
    }

    void pdfHasOnePagePerPage()
    {
        const QByteArray pdf = pdfBytes({samplePage("a"), samplePage("b"), samplePage("c")});
        QVERIFY(pdf.startsWith("%PDF"));
        QCOMPARE(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") + pdf.count("/Type /Page "), 3);
    }

    void pdfTextIsTheIdeographsDrawn_data()
    {
        QTest::addColumn<QString>("family");
        QTest::newRow("gothic") << QStringLiteral("ＭＳ ゴシック");
        QTest::newRow("mincho") << QStringLiteral("ＭＳ 明朝");
    }

    // The fonts draw 見 and the radical ⾒ with one glyph; a PDF reader must
    // still find 見積金額 in the file.
    void pdfTextIsTheIdeographsDrawn()
    {
        QFETCH(QString, family);
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext is not installed");
        const QString text = QStringLiteral("見積金額 日付 大小 長い 戸 青 言行 ABC123");
        Page page = samplePage(text);
        page.items[0].font.family = family;
        page.items[0].box.setWidth(12000);
        page.items[0].flags = Qt::AlignLeft;
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("t.pdf"));
        writePdf(pdf, {page});
        QProcess run;
        run.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
        QVERIFY(run.waitForFinished(30000));
        QCOMPARE(QString::fromUtf8(run.readAllStandardOutput()).trimmed(), text);
    }

    void cachedTextsDrawAsDrawTextDoes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("family");
        QTest::addColumn<double>("size");
        QTest::addColumn<int>("flags");
        QTest::addColumn<QRect>("box");
        const QString gothic = QStringLiteral("ＭＳ ゴシック");
        const QString mincho = QStringLiteral("ＭＳ 明朝");
        const int left = Qt::AlignLeft | Qt::AlignVCenter;
        const int right = Qt::AlignRight | Qt::AlignVCenter;
        const int centre = Qt::AlignHCenter | Qt::AlignVCenter;
        const QRect box(301, 207, 2401, 361);
        QTest::newRow("japanese, left") << QStringLiteral("得意先 山田商事（株）") << gothic << 9.0 << left << box;
        QTest::newRow("amount, right") << QStringLiteral("1,234,567") << mincho << 9.0 << right << box;
        QTest::newRow("yen, right") << QStringLiteral("\\12,000") << gothic << 10.5 << right << box;
        QTest::newRow("centred, odd box") << QStringLiteral("伝票一覧") << mincho << 18.0 << centre
                                          << QRect(700, 300, 4001, 601);
        QTest::newRow("centred, even box") << QStringLiteral("No.10023") << gothic << 9.0 << centre
                                           << QRect(700, 300, 1200, 360);
        QTest::newRow("top left") << QStringLiteral("備考 abc") << gothic << 12.0
                                  << int(Qt::AlignLeft | Qt::AlignTop) << QRect(100, 100, 3000, 900);
        QTest::newRow("bottom right") << QStringLiteral("合計 98,765") << mincho << 11.0
                                      << int(Qt::AlignRight | Qt::AlignBottom) << QRect(100, 100, 3000, 903);
        QTest::newRow("no alignment") << QStringLiteral("日付 2024/06/14") << gothic << 9.0 << 0 << box;
        QTest::newRow("spaces inside and before") << QStringLiteral("  A B　 C") << gothic << 9.0 << right << box;
        QTest::newRow("wider than the box") << QStringLiteral("株式会社とても長い名前の得意先様御中") << gothic << 9.0
                                            << left << QRect(300, 200, 1500, 361);
        QTest::newRow("wider, centred") << QStringLiteral("1234567890123456") << mincho << 9.0 << centre
                                        << QRect(300, 200, 700, 361);
        QTest::newRow("taller than the box") << QStringLiteral("見積金額") << gothic << 20.0 << right
                                             << QRect(300, 200, 3000, 150);
        QTest::newRow("kana and latin") << QStringLiteral("カード払い ABC-12 ｶﾅ") << mincho << 9.0 << left << box;
        QTest::newRow("trailing spaces") << QStringLiteral("12  ") << gothic << 9.0 << right << box;
        QTest::newRow("trailing spaces past the box") << QStringLiteral("12345      ") << gothic << 9.0 << left
                                                      << QRect(300, 200, 600, 361);
        QTest::newRow("trailing spaces past the box, centred")
            << QStringLiteral("12345      ") << gothic << 9.0 << centre << QRect(300, 200, 600, 361);
        // A family the system has is kept; its pairs like "AV" and "To" are
        // not drawn closer.
        QTest::newRow("latin face") << QStringLiteral("AVAWAY To 1,234.50 fi") << QStringLiteral("DejaVu Sans") << 10.0
                                    << right << box;
        QTest::newRow("radical code point") << QStringLiteral("⾒積") << mincho << 9.0 << left << box;
        // These lay out differently from a plain run of glyphs.
        QTest::newRow("line break") << QStringLiteral("一行目\n二行目") << gothic << 9.0 << left
                                    << QRect(300, 200, 3000, 900);
        QTest::newRow("tab") << QStringLiteral("a\tb") << gothic << 9.0 << right << box;
        QTest::newRow("wrapped") << QStringLiteral("折り返す 長い 文章 です 折り返す 長い 文章 です") << mincho << 9.0
                                 << int(Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap) << QRect(300, 200, 2000, 900);
        QTest::newRow("no glyph in the face") << QStringLiteral("ᚠ12") << gothic << 9.0 << left << box;
        QTest::newRow("japanese in a latin face") << QStringLiteral("Total 合計 AV") << QStringLiteral("DejaVu Sans")
                                                  << 10.0 << left << box;
        QTest::newRow("right-to-left letters") << QStringLiteral("abc אבג 12") << gothic << 9.0 << right << box;
        QTest::newRow("combining mark") << QStringLiteral("e\u0301te") << gothic << 9.0 << right << box;
        QTest::newRow("combining voiced mark") << QStringLiteral("か\u3099き") << gothic << 9.0 << right << box;
        QTest::newRow("soft hyphen") << QStringLiteral("ab\u00ADcd") << gothic << 9.0 << right << box;
        QTest::newRow("zero width space") << QStringLiteral("ab\u200Bcd") << gothic << 9.0 << right << box;
    }

    // Texts drawn from the cache land in the PDF as QPainter::drawText puts
    // them there: the same glyphs of the same fonts at the same places,
    // clipped alike, with bold, italic, underline and colour; a second page
    // draws them from the cache.
    void cachedTextsDrawAsDrawTextDoes()
    {
        QFETCH(QString, text);
        QFETCH(QString, family);
        QFETCH(double, size);
        QFETCH(int, flags);
        QFETCH(QRect, box);
        Page page;
        page.width = 5000;
        page.height = 1300;
        for (const auto &[bold, italic, underline] :
             {std::array{false, false, false}, std::array{true, false, false}, std::array{false, true, true}}) {
            PageItem t;
            t.type = PageItem::Type::Text;
            t.box = box;
            t.text = text;
            t.font = {family, size, bold, italic, underline};
            t.flags = flags;
            t.color = bold ? QColor(200, 0, 0) : QColor(Qt::black);
            page.items << t;
        }
        const QVector<Page> pages{page, page};
        const QList<QByteArray> plain = pdfStreams(pdfDrawn(pages, false));
        QVERIFY(plain.size() >= 2);
        QCOMPARE(pdfStreams(pdfDrawn(pages, true)), plain);
        QCOMPARE(imageDrawn(page, true), imageDrawn(page, false));
    }

    // Fitting zooms take the size the page area has once the window shows.
    void previewFitsTheShownWindow()
    {
        PreviewWidget w;
        w.setPages({samplePage("1")});
        w.resize(700, 500);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const QWidget *page = w.findChild<QWidget *>(QStringLiteral("page"));
        QVERIFY(page);
        const QScrollArea *area = w.findChild<QScrollArea *>();
        QTRY_VERIFY(qAbs(page->width() - (area->viewport()->width() - 24)) <= 1);
        w.resize(900, 500);
        QTRY_VERIFY(qAbs(page->width() - (area->viewport()->width() - 24)) <= 1);
        w.setZoom(0);
        QVERIFY(page->height() <= area->viewport()->height() - 24 + 1);
    }

    void previewNavigatesAndZooms()
    {
        PreviewWidget w;
        w.resize(600, 800);
        QCOMPARE(w.currentPage(), -1);
        w.setCurrentPage(3); // nothing to show: stays
        QCOMPARE(w.currentPage(), -1);
        w.setPages({samplePage("1"), samplePage("2"), samplePage("3")});
        QCOMPARE(w.currentPage(), 0);
        w.setCurrentPage(7);
        QCOMPARE(w.currentPage(), 2);
        w.setCurrentPage(-4);
        QCOMPARE(w.currentPage(), 0);
        w.setZoom(2.0);
        const double twice = w.scale();
        w.setZoom(1.0);
        QVERIFY(qAbs(twice - 2 * w.scale()) < 1e-9);
        w.setZoom(0); // whole page fits
        QVERIFY(w.scale() * 16838 <= 600);
    }
};

QTEST_MAIN(tst_PageFile)
#include "tst_pagefile.moc"
