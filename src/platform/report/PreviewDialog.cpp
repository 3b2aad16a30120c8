#include "platform/report/PreviewDialog.h"

#include "platform/report/PreviewWidget.h"

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

void setPreviewDriver(PreviewDriver d)
{
    driver() = std::move(d);
}

PreviewDialog::PreviewDialog(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("印刷プレビュー"));
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    m_viewer = new PreviewWidget(this);
    connect(m_viewer->addCloseButton(), &QToolButton::clicked, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_viewer);
    resize(800, 900);
}

void PreviewDialog::setPages(const QVector<Page> &pages)
{
    m_viewer->setPages(pages);
}

int PreviewDialog::execPreview()
{
    if (driver())
        return driver()(*this);
    return exec();
}

} // namespace report
