#pragma once

#include "platform/report/PreviewDialog.h"

#include <QStringList>

// "印刷プレビュー": shows pages printed earlier (page files) again, with the
// same navigation, zoom, printing and PDF saving as the print preview, and
// shown (execPreview) the same way. Unlike the print preview it remembers
// its place and keeps a margin around the viewer.
class frmPreview : public report::PreviewDialog {
    Q_OBJECT
public:
    explicit frmPreview(QWidget *parent = nullptr);

    report::PreviewWidget *const ARViewer21;

    // Reads the page files in the order given; throws report::PageFileError.
    void loadPageFiles(const QStringList &paths);

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void done(int result) override;

private:
    bool m_positionLoaded = false;
};
