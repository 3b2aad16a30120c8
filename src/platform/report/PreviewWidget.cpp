#include "platform/report/PreviewWidget.h"

#include "platform/report/PageOutput.h"
#include "platform/report/PagePainter.h"
#include "platform/text/LineFile.h"
#include "platform/ui/MessageBox.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace report {

class PageCanvas : public QWidget {
public:
    explicit PageCanvas(QWidget *parent) : QWidget(parent) {}
    const Page *page = nullptr;
    double scale = 0.1;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        if (!page)
            return;
        p.scale(scale, scale);
        paintPage(p, *page);
    }
};

namespace {

QToolButton *toolButton(const QString &text, const QString &tip, QWidget *parent)
{
    auto *b = new QToolButton(parent);
    b->setText(text);
    b->setToolTip(tip);
    b->setAutoRaise(true);
    return b;
}

const int kMargin = 12; // pixels of grey around the page

// How long one step of rendering further pages may keep the window from
// answering.
const int kFeedStepMs = 15;

} // namespace

PreviewWidget::PreviewWidget(QWidget *parent) : QWidget(parent)
{
    m_first = toolButton(QStringLiteral("|◀"), QStringLiteral("最初のページ"), this);
    m_prev = toolButton(QStringLiteral("◀"), QStringLiteral("前のページ"), this);
    m_next = toolButton(QStringLiteral("▶"), QStringLiteral("次のページ"), this);
    m_last = toolButton(QStringLiteral("▶|"), QStringLiteral("最後のページ"), this);
    m_print = toolButton(QStringLiteral("印刷..."), QStringLiteral("印刷"), this);
    m_pdf = toolButton(QStringLiteral("PDF保存..."), QStringLiteral("PDFファイルに保存"), this);
    m_pageBox = new QSpinBox(this);
    m_pageBox->setMinimum(1);
    m_pageCountLabel = new QLabel(this);
    m_zoomBox = new QComboBox(this);
    m_zoomBox->addItem(QStringLiteral("ページ全体"), 0.0);
    m_zoomBox->addItem(QStringLiteral("ページ幅"), -1.0);
    for (int percent : {50, 75, 100, 150, 200})
        m_zoomBox->addItem(QStringLiteral("%1%").arg(percent), percent / 100.0);
    m_zoomBox->setCurrentIndex(1);

    m_bar = new QHBoxLayout;
    m_bar->setContentsMargins(4, 2, 4, 2);
    for (QWidget *w : std::initializer_list<QWidget *>{m_print, m_pdf, m_first, m_prev, m_pageBox,
                                                       m_pageCountLabel, m_next, m_last, m_zoomBox})
        m_bar->addWidget(w);
    m_bar->addStretch();

    // The page lies on a grey desk with a margin around it.
    m_desk = new QWidget(this);
    m_canvas = new PageCanvas(m_desk);
    m_canvas->setObjectName(QStringLiteral("page"));
    m_canvas->move(kMargin, kMargin);
    m_scroll = new QScrollArea(this);
    m_scroll->setBackgroundRole(QPalette::Dark);
    m_scroll->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_scroll->setWidget(m_desk);
    m_scroll->setWidgetResizable(false);
    // The fitting zooms follow the visible area, which is laid out only
    // after this widget has seen its own size.
    m_scroll->viewport()->installEventFilter(this);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(m_bar);
    layout->addWidget(m_scroll, 1);

    connect(m_first, &QToolButton::clicked, this, [this] { setCurrentPage(0); });
    connect(m_prev, &QToolButton::clicked, this, [this] { setCurrentPage(m_current - 1); });
    connect(m_next, &QToolButton::clicked, this, [this] { setCurrentPage(m_current + 1); });
    connect(m_last, &QToolButton::clicked, this, [this] { setCurrentPage(pageCount() - 1); });
    connect(m_pageBox, &QSpinBox::valueChanged, this, [this](int v) { setCurrentPage(v - 1); });
    connect(m_zoomBox, &QComboBox::currentIndexChanged, this,
            [this](int i) { setZoom(m_zoomBox->itemData(i).toDouble()); });
    connect(m_print, &QToolButton::clicked, this, &PreviewWidget::print);
    connect(m_pdf, &QToolButton::clicked, this, &PreviewWidget::saveAsPdf);
    m_feedTimer = new QTimer(this);
    m_feedTimer->setInterval(0);
    connect(m_feedTimer, &QTimer::timeout, this, &PreviewWidget::feedStep);
    setFocusPolicy(Qt::StrongFocus);
    updateView();
}

QToolButton *PreviewWidget::addCloseButton()
{
    QToolButton *close = toolButton(QStringLiteral("閉じる"), QStringLiteral("プレビューを閉じる"), this);
    m_bar->insertWidget(0, close);
    return close;
}

void PreviewWidget::setPages(const QVector<Page> &pages, PageFeed more)
{
    m_pages = pages;
    m_feed = std::move(more);
    m_current = m_pages.isEmpty() ? -1 : 0;
    if (m_feed)
        m_feedTimer->start();
    else
        m_feedTimer->stop();
    updateView();
}

const QVector<Page> &PreviewWidget::pages()
{
    feedUpTo(-1);
    return m_pages;
}

int PreviewWidget::pageCount()
{
    return int(pages().size());
}

void PreviewWidget::feed(QDeadlineTimer deadline)
{
    if (m_feed(m_pages, deadline)) {
        m_feed = {};
        m_feedTimer->stop();
    }
    // The pages may have moved in memory.
    if (m_current < 0 && !m_pages.isEmpty()) {
        m_current = 0;
        updateView();
    } else {
        updateNavigation();
    }
}

void PreviewWidget::feedStep()
{
    if (m_feed)
        feed(QDeadlineTimer(kFeedStepMs));
}

void PreviewWidget::feedUpTo(int index)
{
    if (!m_feed || (index >= 0 && index < m_pages.size()))
        return;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    while (m_feed && (index < 0 || index >= m_pages.size()))
        feed(QDeadlineTimer(index < 0 ? QDeadlineTimer::Forever : 0));
    QGuiApplication::restoreOverrideCursor();
}

void PreviewWidget::setCurrentPage(int index)
{
    feedUpTo(index);
    if (m_pages.isEmpty())
        return;
    index = qBound(0, index, int(m_pages.size()) - 1);
    if (index == m_current)
        return;
    m_current = index;
    updateView();
    m_scroll->verticalScrollBar()->setValue(0);
}

void PreviewWidget::setZoom(double zoom)
{
    m_zoom = zoom;
    const int i = m_zoomBox->findData(zoom);
    if (i >= 0 && i != m_zoomBox->currentIndex()) {
        const QSignalBlocker block(m_zoomBox);
        m_zoomBox->setCurrentIndex(i);
    }
    updateView();
}

double PreviewWidget::scale() const
{
    const Page *page = m_current >= 0 ? &m_pages[m_current] : nullptr;
    const double dpiScale = logicalDpiX() / 1440.0;
    if (m_zoom > 0 || !page)
        return (m_zoom > 0 ? m_zoom : 1.0) * dpiScale;
    const QSize view = m_scroll->viewport()->size() - QSize(2 * kMargin, 2 * kMargin);
    const double byWidth = qMax(1, view.width()) / double(page->width);
    if (m_zoom < 0)
        return byWidth;
    return qMin(byWidth, qMax(1, view.height()) / double(page->height));
}

void PreviewWidget::updateNavigation()
{
    const bool any = !m_pages.isEmpty();
    const bool further = any && (m_current < m_pages.size() - 1 || m_feed);
    m_first->setEnabled(any && m_current > 0);
    m_prev->setEnabled(any && m_current > 0);
    m_next->setEnabled(further);
    m_last->setEnabled(further);
    m_print->setEnabled(any);
    m_pdf->setEnabled(any);
    m_pageBox->setEnabled(any);
    {
        const QSignalBlocker block(m_pageBox);
        m_pageBox->setMaximum(qMax(1, int(m_pages.size())));
        m_pageBox->setValue(m_current + 1);
    }
    m_pageCountLabel->setText(QStringLiteral("/ %1").arg(m_pages.size()));
    m_canvas->page = any ? &m_pages[m_current] : nullptr;
}

void PreviewWidget::updateView()
{
    updateNavigation();
    const bool any = !m_pages.isEmpty();
    m_canvas->scale = scale();
    if (any) {
        const Page &p = m_pages[m_current];
        m_canvas->resize(qMax(1, qRound(p.width * m_canvas->scale)), qMax(1, qRound(p.height * m_canvas->scale)));
    } else {
        m_canvas->resize(1, 1);
    }
    m_canvas->setVisible(any);
    m_desk->resize(m_canvas->size() + QSize(2 * kMargin, 2 * kMargin));
    m_canvas->update();
}

bool PreviewWidget::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_scroll->viewport() && event->type() == QEvent::Resize && m_zoom <= 0) {
        // Fitting the width can add or take away the vertical scroll bar,
        // which resizes the viewport again; the sizes settle at once.
        const double before = m_canvas->scale;
        if (qAbs(scale() - before) > 1e-9)
            updateView();
    }
    return QWidget::eventFilter(watched, event);
}

void PreviewWidget::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_PageDown: setCurrentPage(m_current + 1); break;
    case Qt::Key_PageUp: setCurrentPage(m_current - 1); break;
    case Qt::Key_Home:
        if (event->modifiers() & Qt::ControlModifier)
            setCurrentPage(0);
        else
            QWidget::keyPressEvent(event);
        break;
    case Qt::Key_End:
        if (event->modifiers() & Qt::ControlModifier)
            setCurrentPage(pageCount() - 1);
        else
            QWidget::keyPressEvent(event);
        break;
    default: QWidget::keyPressEvent(event); break;
    }
}

void PreviewWidget::savePdf(const QString &path)
{
    writePdf(path, pages(), m_title);
}

void PreviewWidget::saveAsPdf()
{
    if (pages().isEmpty())
        return;
    const QString suggested = m_title.isEmpty() ? QString() : QDir::home().filePath(m_title + QStringLiteral(".pdf"));
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("PDFファイルに保存"), suggested,
                                                      QStringLiteral("PDF (*.pdf)"));
    if (path.isEmpty())
        return;
    try {
        savePdf(path);
    } catch (const text::TextFileError &e) {
        ui::showMessage(QStringLiteral("PDFファイルを保存できませんでした。\r\n") + e.message(), ui::Icon::Critical,
                        ui::Buttons::Ok, ui::Answer::Ok, QString(), this);
    }
}

void PreviewWidget::print()
{
    printWithDialog(pages(), this, m_title, m_current);
}

} // namespace report
