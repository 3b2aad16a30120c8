#pragma once

#include "platform/report/Page.h"
#include "platform/report/PreviewWidget.h"

#include <QDialog>
#include <functional>

namespace report {

// A modal window around a PreviewWidget.
class PreviewDialog : public QDialog {
    Q_OBJECT
public:
    explicit PreviewDialog(QWidget *parent = nullptr);
    PreviewWidget *viewer() const { return m_viewer; }
    void setPages(const QVector<Page> &pages, PageFeed more = {});

    // Shows the dialog modally, or hands it to the driver that tests set.
    int execPreview();

protected:
    // For a window that places the viewer itself, without a layout.
    enum class ViewerPlacement { Layout, Manual };
    PreviewDialog(QWidget *parent, ViewerPlacement placement);

private:
    PreviewWidget *m_viewer;
};

// The first size of a preview window: tall enough for a page, within the
// screen's free area.
QSize defaultPreviewSize(const QWidget *window);

// Tests drive previews through a driver instead of a modal loop; the
// driver sees the filled dialog and returns the dialog's result.
using PreviewDriver = std::function<int(PreviewDialog &)>;
void setPreviewDriver(PreviewDriver driver); // empty: real modal windows again

} // namespace report
