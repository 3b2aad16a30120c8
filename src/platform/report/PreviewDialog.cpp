#include "platform/report/PreviewDialog.h"

#include "platform/report/PreviewWidget.h"
#include "platform/ui/DialogFrame.h"

#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

namespace report {

namespace {
PreviewDriver &driver()
{
    static PreviewDriver d;
    return d;
}
} // namespace

QSize defaultPreviewSize(const QWidget *window)
{
    QSize size(800, 900);
    if (const QScreen *screen = window->screen())
        size = size.boundedTo(screen->availableGeometry().size() * 0.9);
    return size;
}

void setPreviewDriver(PreviewDriver d)
{
    driver() = std::move(d);
}

PreviewDialog::PreviewDialog(QWidget *parent) : PreviewDialog(parent, ViewerPlacement::Layout) {}

PreviewDialog::PreviewDialog(QWidget *parent, ViewerPlacement placement) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("印刷プレビュー"));
    ui::setDialogFrame(this, ui::DialogFrame::Sizable);
    m_viewer = new PreviewWidget(this);
    connect(m_viewer->addCloseButton(), &QToolButton::clicked, this, &QDialog::reject);
    if (placement == ViewerPlacement::Layout) {
        auto *layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(m_viewer);
    }
    resize(defaultPreviewSize(this));
}

void PreviewDialog::setPages(const QVector<Page> &pages, PageFeed more)
{
    m_viewer->setPages(pages, std::move(more));
}

int PreviewDialog::execPreview()
{
    if (driver())
        return driver()(*this);
    return exec();
}

} // namespace report
