#pragma once

#include "platform/report/Page.h"

#include <QVector>
#include <QWidget>

class QComboBox;
class QHBoxLayout;
class QLabel;
class QScrollArea;
class QSpinBox;
class QToolButton;

namespace report {

class PageCanvas;

// Shows rendered pages one at a time with page navigation, zoom, printing
// through the system print dialog and saving as PDF.
class PreviewWidget : public QWidget {
    Q_OBJECT
public:
    explicit PreviewWidget(QWidget *parent = nullptr);

    void setPages(const QVector<Page> &pages);
    const QVector<Page> &pages() const { return m_pages; }
    int pageCount() const { return int(m_pages.size()); }
    int currentPage() const { return m_current; } // 0-based; -1 without pages
    void setCurrentPage(int index);

    // 0 fits the whole page, -1 fits the page width, else a factor (1 = 100 %).
    void setZoom(double zoom);
    double zoom() const { return m_zoom; }
    double scale() const; // pixels per twip at the current zoom

    // Asks for a file and writes the pages as PDF; errors reach the user.
    void saveAsPdf();
    // Throws text::TextFileError.
    void savePdf(const QString &path) const;
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

    QVector<Page> m_pages;
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
