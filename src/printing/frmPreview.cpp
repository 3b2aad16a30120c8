#include "printing/frmPreview.h"

#include "core/WindowMemory.h"
#include "platform/report/PageFile.h"
#include "platform/report/PreviewWidget.h"
#include "platform/ui/Twips.h"

frmPreview::frmPreview(QWidget *parent)
    : report::PreviewDialog(parent, ViewerPlacement::Manual), ARViewer21(viewer())
{
    setObjectName(QStringLiteral("frmPreview"));
}

void frmPreview::loadPageFiles(const QStringList &paths)
{
    setPages(report::loadPages(paths));
}

void frmPreview::showEvent(QShowEvent *event)
{
    if (!m_positionLoaded) {
        m_positionLoaded = true;
        LoadWindowPosition(this);
    }
    QDialog::showEvent(event);
}

void frmPreview::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    // The viewer takes the window less its frame (220 by 530 twips of the
    // outer size), never more than the client area.
    const QSize outer = frameGeometry().size();
    if (outer == size()) { // no frame known (not shown yet, or none at all)
        ARViewer21->setGeometry(rect());
        return;
    }
    const int w = outer.width() - ui::twipsToPixelsX(220, this);
    const int h = outer.height() - ui::twipsToPixelsY(530, this);
    ARViewer21->setGeometry(0, 0, qBound(0, w, width()), qBound(0, h, height()));
}

void frmPreview::done(int result)
{
    SaveWindowPosition(this);
    QDialog::done(result);
}
