#include "platform/report/PageOutput.h"

#include "platform/report/PagePainter.h"
#include "platform/text/LineFile.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

namespace report {

namespace {

QPageLayout layoutFor(const Page &page)
{
    const QSizeF portrait(qMin(page.width, page.height) / 1440.0, qMax(page.width, page.height) / 1440.0);
    return QPageLayout(QPageSize(portrait, QPageSize::Inch), page.width > page.height ? QPageLayout::Landscape
                                                                                      : QPageLayout::Portrait,
                       QMarginsF(0, 0, 0, 0));
}

} // namespace

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

QByteArray pdfBytes(const QVector<Page> &pages, const QString &title)
{
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
        for (int i = 0; i < pages.size(); ++i) {
            if (i > 0) {
                writer.setPageLayout(layoutFor(pages[i]));
                writer.newPage();
            }
            paintPage(painter, pages[i]);
        }
        painter.end();
    }
    return bytes;
}

void writePdf(const QString &path, const QVector<Page> &pages, const QString &title)
{
    text::writeBytes(path, pdfBytes(pages, title));
}

} // namespace report
