#include "platform/report/PageOutput.h"

#include "platform/report/PagePainter.h"
#include "platform/text/LineFile.h"
#include "platform/ui/MessageBox.h"

#include <QBuffer>
#include <QHash>
#include <QRawFont>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace report {

namespace {

QPageLayout layoutFor(const Page &page)
{
    const QSizeF portrait(qMin(page.width, page.height) / 1440.0, qMax(page.width, page.height) / 1440.0);
    return QPageLayout(QPageSize(portrait, QPageSize::Inch), page.width > page.height ? QPageLayout::Landscape
                                                                                      : QPageLayout::Portrait,
                       QMarginsF(0, 0, 0, 0));
}

bool isUnifiedIdeograph(uint u)
{
    return (u >= 0x4E00 && u <= 0x9FFF) || (u >= 0x3400 && u <= 0x4DBF);
}

// Radical code points (U+2E80..U+2FDF) and the ideograph that shares their
// glyph in the Japanese fonts pages are drawn with.
const QHash<uint, uint> &radicalIdeographs()
{
    static const QHash<uint, uint> table = [] {
        QHash<uint, uint> map;
        QString ideographs;
        for (uint u = 0x3400; u <= 0x9FFF; ++u)
            if (isUnifiedIdeograph(u))
                ideographs += QChar(char16_t(u));
        QString radicals;
        for (uint u = 0x2E80; u <= 0x2FDF; ++u)
            radicals += QChar(char16_t(u));
        for (const QString &family : {resolveFamily(QStringLiteral("ゴシック")), resolveFamily(QStringLiteral("明朝"))}) {
            const QRawFont font = QRawFont::fromFont(QFont(family));
            if (!font.isValid())
                continue;
            const QList<quint32> ideographGlyphs = font.glyphIndexesForString(ideographs);
            QHash<quint32, uint> byGlyph;
            for (int i = 0; i < ideographGlyphs.size() && i < ideographs.size(); ++i)
                if (ideographGlyphs[i] != 0 && !byGlyph.contains(ideographGlyphs[i]))
                    byGlyph.insert(ideographGlyphs[i], ideographs.at(i).unicode());
            const QList<quint32> radicalGlyphs = font.glyphIndexesForString(radicals);
            for (int i = 0; i < radicalGlyphs.size() && i < radicals.size(); ++i) {
                const uint radical = radicals.at(i).unicode();
                const uint ideograph = byGlyph.value(radicalGlyphs[i]);
                if (ideograph != 0 && !map.contains(radical))
                    map.insert(radical, ideograph);
            }
        }
        for (uint u = 0x2F00; u <= 0x2FD5; ++u) {
            const QString d = QChar(char16_t(u)).decomposition();
            if (!map.contains(u) && d.size() == 1 && isUnifiedIdeograph(d.at(0).unicode()))
                map.insert(u, d.at(0).unicode());
        }
        return map;
    }();
    return table;
}

// Rewrites one "<XXXX>" code in place when it names a radical.
void restoreCode(QByteArray &pdf, qsizetype at)
{
    bool ok = false;
    const uint code = QByteArray::fromRawData(pdf.constData() + at + 1, 4).toUInt(&ok, 16);
    if (!ok || code < 0x2E80 || code > 0x2FDF)
        return;
    const uint ideograph = radicalIdeographs().value(code);
    if (ideograph == 0)
        return;
    const QByteArray hex = QByteArray::number(ideograph, 16).toUpper().rightJustified(4, '0');
    pdf.replace(at + 1, 4, hex);
}

// The PDF writer takes buffers of several megabytes for every page it
// finishes and frees them again. By default the C library maps blocks that
// large from the system, or, once it has adapted, hands the top of its heap
// back after each page and takes it again, touching fresh zeroed pages each
// time (three system calls a page on a long list). Serving blocks up to
// 32 MB from the heap and keeping up to 64 MB of free heap avoids that; the
// price is that much memory kept for the program's next use.
void keepLargeBuffersInTheHeap()
{
#ifdef __GLIBC__
    static const bool once = [] {
        mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
        mallopt(M_TRIM_THRESHOLD, 64 * 1024 * 1024);
        return true;
    }();
    static_cast<void>(once);
#endif
}

} // namespace

// The text a PDF reader copies or finds comes from each font's ToUnicode
// map, which the PDF writer builds by asking the font which character a
// glyph stands for; it takes the lowest, and the Japanese fonts draw radicals
// (U+2F92 "⾒") with the same glyphs as the ideographs (U+898B "見"). The
// maps are plain text; codes are rewritten in place (same length), so the
// file's offsets stay valid.
void restoreIdeographText(QByteArray &pdf)
{
    qsizetype from = 0;
    for (;;) {
        const qsizetype begin = pdf.indexOf("beginbfrange", from);
        if (begin < 0)
            return;
        const qsizetype end = pdf.indexOf("endbfrange", begin);
        if (end < 0)
            return;
        qsizetype line = begin;
        while (line < end) {
            qsizetype next = pdf.indexOf('\n', line);
            if (next < 0 || next > end)
                next = end;
            const qsizetype bracket = pdf.indexOf('[', line);
            if (bracket >= 0 && bracket < next) {
                // "<first> <last> [<code> <code> ...]": one code per glyph.
                for (qsizetype at = pdf.indexOf('<', bracket); at >= 0 && at + 5 < next; at = pdf.indexOf('<', at + 1))
                    if (pdf.at(at + 5) == '>')
                        restoreCode(pdf, at);
            } else {
                // "<first> <last> <code>": only a range of one glyph is safe.
                const QList<QByteArray> parts = pdf.mid(line, next - line).trimmed().split(' ');
                if (parts.size() == 3 && parts[0] == parts[1] && parts[2].size() == 6)
                    restoreCode(pdf, line + pdf.mid(line, next - line).lastIndexOf('<'));
            }
            line = next + 1;
        }
        from = end;
    }
}

void preparePrinter(QPrinter &printer, const QVector<Page> &pages)
{
    printer.setFullPage(true);
    if (!pages.isEmpty())
        printer.setPageLayout(layoutFor(pages.first()));
}

bool printPages(QPrinter &printer, const QVector<Page> &pages, int from, int to)
{
    from = qMax(0, from);
    to = qMin(int(pages.size()) - 1, to);
    if (from > to)
        return true;
    printer.setFullPage(true);
    printer.setPageLayout(layoutFor(pages[from]));
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const double scale = printer.resolution() / 1440.0;
    for (int i = from; i <= to; ++i) {
        if (i > from) {
            printer.setPageLayout(layoutFor(pages[i]));
            printer.newPage();
        }
        painter.save();
        painter.scale(scale, scale);
        paintPage(painter, pages[i]);
        painter.restore();
    }
    return painter.end();
}

bool printWithDialog(const QVector<Page> &pages, QWidget *parent, const QString &title, int current)
{
    if (pages.isEmpty())
        return false;
    const int count = int(pages.size());
    QPrinter printer(QPrinter::HighResolution);
    preparePrinter(printer, pages);
    printer.setDocName(title);
    QPrintDialog dialog(&printer, parent);
    dialog.setMinMax(1, count);
    dialog.setFromTo(1, count);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, true);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    int from = 0, to = count - 1;
    if (printer.printRange() == QPrinter::PageRange) {
        from = printer.fromPage() - 1;
        to = printer.toPage() - 1;
    } else if (printer.printRange() == QPrinter::CurrentPage) {
        from = to = qBound(0, current, count - 1);
    }
    if (printPages(printer, pages, from, to))
        return true;
    ui::showMessage(QStringLiteral("印刷を開始できませんでした。"), ui::Icon::Critical, ui::Buttons::Ok, ui::Answer::Ok,
                    QString(), parent);
    return false;
}

QByteArray pdfBytes(const QVector<Page> &pages, const QString &title)
{
    keepLargeBuffersInTheHeap();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(1440); // painter units are twips
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("Quorvex5"));
        if (!pages.isEmpty())
            writer.setPageLayout(layoutFor(pages.first()));
        QPainter painter(&writer);
        GlyphCache glyphs;
        for (int i = 0; i < pages.size(); ++i) {
            if (i > 0) {
                writer.setPageLayout(layoutFor(pages[i]));
                writer.newPage();
            }
            paintPage(painter, pages[i], glyphs);
        }
        painter.end();
    }
    restoreIdeographText(bytes);
    return bytes;
}

void writePdf(const QString &path, const QVector<Page> &pages, const QString &title)
{
    text::writeBytes(path, pdfBytes(pages, title));
}

} // namespace report
