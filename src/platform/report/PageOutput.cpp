#include "platform/report/PageOutput.h"

#include "platform/report/PagePainter.h"
#include "platform/text/LineFile.h"
#include "platform/ui/MessageBox.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
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
