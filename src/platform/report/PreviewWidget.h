#pragma once

#include "platform/report/Page.h"

#include <QDeadlineTimer>
#include <QVector>
#include <QWidget>

#include <functional>

class QComboBox;
class QHBoxLayout;
class QLabel;
class QScrollArea;
class QSpinBox;
class QTimer;
class QToolButton;

namespace report {

class PageCanvas;

// Renders further pages of a report that is still running: appends the pages
// finished by the deadline (at least one more unless the report has ended)
// and returns true once the last page is there.
using PageFeed = std::function<bool(QVector<Page> &pages, QDeadlineTimer deadline)>;

// Shows rendered pages one at a time with page navigation, zoom, printing
// through the system print dialog and saving as PDF.
//
// The pages can come while they are shown: the first ones through setPages,
// the rest from a feed that runs in short steps while the event loop is
// idle. Everything that needs a page not yet there (going to it, the page
// count, printing, PDF) renders up to it first.
class PreviewWidget : public QWidget {
    Q_OBJECT
public:
    explicit PreviewWidget(QWidget *parent = nullptr);

    void setPages(const QVector<Page> &pages, PageFeed more = {});
    // Every page, rendered to the end first.
    const QVector<Page> &pages();
    int pageCount();
    // The pages there so far, without waiting for the rest.
    int shownPageCount() const { return int(m_pages.size()); }
    bool allPagesShown() const { return !m_feed; }
    int currentPage() const { return m_current; } // 0-based; -1 without pages
    void setCurrentPage(int index);

    // 0 fits the whole page, -1 fits the page width, else a factor (1 = 100 %).
    void setZoom(double zoom);
    double zoom() const { return m_zoom; }
    double scale() const; // pixels per twip at the current zoom

    // Asks for a file and writes the pages as PDF; errors reach the user.
    void saveAsPdf();
    // Throws text::TextFileError.
    void savePdf(const QString &path);
    void print();

    // A "閉じる" button at the front of the tool bar, for the window around.
    QToolButton *addCloseButton();

    QString title() const { return m_title; }
    void setTitle(const QString &title) { m_title = title; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void updateView();
    void updateNavigation();
    // Renders until page `index` (0-based) is there or the pages end; -1:
    // to the end.
    void feedUpTo(int index);
    void feedStep();
    void feed(QDeadlineTimer deadline);

    QVector<Page> m_pages;
    PageFeed m_feed;
    QTimer *m_feedTimer;
    int m_current = -1;
    double m_zoom = -1;
    QString m_title;
    QToolButton *m_first, *m_prev, *m_next, *m_last, *m_print, *m_pdf;
    QSpinBox *m_pageBox;
    QLabel *m_pageCountLabel;
    QComboBox *m_zoomBox;
    QHBoxLayout *m_bar;
    QScrollArea *m_scroll;
    QWidget *m_desk;
    PageCanvas *m_canvas;
};

} // namespace report
