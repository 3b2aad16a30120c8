#include "printing/frmPreview.h"

#include "core/WindowMemory.h"
#include "platform/report/PageFile.h"
#include "platform/report/PreviewDialog.h"
#include "platform/report/PreviewWidget.h"
#include "platform/ui/DialogFrame.h"
#include "platform/ui/Twips.h"

#include <QToolButton>

frmPreview::frmPreview(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmPreview"));
    setWindowTitle(QStringLiteral("印刷プレビュー"));
    ui::setDialogFrame(this, ui::DialogFrame::Sizable);
    ARViewer21 = new report::PreviewWidget(this);
    connect(ARViewer21->addCloseButton(), &QToolButton::clicked, this, &QDialog::reject);
    resize(report::defaultPreviewSize(this));
}

void frmPreview::setPages(const QVector<report::Page> &pages)
{
    ARViewer21->setPages(pages);
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
