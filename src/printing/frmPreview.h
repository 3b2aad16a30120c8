#pragma once

#include "platform/report/Page.h"

#include <QDialog>
#include <QStringList>

namespace report {
class PreviewWidget;
}

// "印刷プレビュー": shows pages printed earlier (page files) again, with the
// same navigation, zoom, printing and PDF saving as the print preview.
class frmPreview : public QDialog {
    Q_OBJECT
public:
    explicit frmPreview(QWidget *parent = nullptr);

    report::PreviewWidget *ARViewer21;

    void setPages(const QVector<report::Page> &pages);
    // Reads the page files in the order given; throws report::PageFileError.
    void loadPageFiles(const QStringList &paths);

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void done(int result) override;

private:
    bool m_positionLoaded = false;
};
