#pragma once

#include "platform/report/Page.h"

#include <QByteArray>
#include <QString>
#include <QVector>

class QPrinter;
class QWidget;

namespace report {

// Pages from..to (0-based, inclusive) onto a printer; false when the
// printer could not be started.
bool printPages(QPrinter &printer, const QVector<Page> &pages, int from, int to);
// Suits the printer's paper to the first page.
void preparePrinter(QPrinter &printer, const QVector<Page> &pages);

// Asks for printer and pages through the system print dialog and prints;
// `current` is the page a "current page" choice prints. False when the user
// cancelled or the printer could not be started (the user has been told).
bool printWithDialog(const QVector<Page> &pages, QWidget *parent, const QString &title = QString(),
                     int current = 0);

// Copied and searched PDF text shows ideographs, not the radicals that share
// their glyphs (see the definition).
void restoreIdeographText(QByteArray &pdf);

QByteArray pdfBytes(const QVector<Page> &pages, const QString &title = QString());
// Writes safely (temporary file, renamed); throws text::TextFileError.
void writePdf(const QString &path, const QVector<Page> &pages, const QString &title = QString());

} // namespace report
