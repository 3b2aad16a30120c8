#pragma once

#include "platform/report/LayoutDesigner.h"

#include <QPointF>
#include <QRect>
#include <QWidget>

namespace report {

// The page of a LayoutDesigner: paints the layout and turns mouse and keys
// into the designer's edits. Coordinates: pixels = twips * scale() plus the
// paper's place on the canvas.
class DesignCanvas : public QWidget {
    Q_OBJECT
public:
    explicit DesignCanvas(LayoutDesigner *designer);

    double scale() const; // pixels per twip
    void relayout();      // after the layout or zoom changed size

    // Twips on the page for a canvas point, and back.
    QPointF toPage(const QPointF &pixels) const;
    QPointF toCanvas(const QPointF &twips) const;
    // The top of a section on the page, in twips; sections lie one below
    // the other from the top margin.
    int sectionTop(int section) const;
    int sectionAt(double pageY) const; // -1 outside every section
    // Where a control lies on the canvas, in pixels.
    QRectF controlRect(const LayoutDesigner::ControlRef &ref) const;
    LayoutDesigner::ControlRef controlAt(const QPointF &pixels) const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool event(QEvent *event) override;
    QSize sizeHint() const override;

private:
    enum class Drag { None, Move, Resize, Band, Draw, SectionHeight };
    // Handle h of a control (0..7 clockwise from the top left; a line has
    // its two ends 0 and 1).
    QVector<QPointF> handles(const LayoutDesigner::ControlRef &ref) const;
    bool handleAt(const QPointF &pixels, LayoutDesigner::ControlRef &ref, int &handle) const;
    void applyResize(const QPointF &pixels);
    void selectInBand(bool add);
    void stepSelection(bool forward);

    LayoutDesigner *m_designer;
    Drag m_drag = Drag::None;
    QPointF m_pressPos;
    QPointF m_lastPos;
    LayoutDesigner::ControlRef m_resizeRef;
    int m_resizeHandle = -1;
    Control m_resizeStart;
    QVector<LayoutDesigner::ControlRef> m_bandBase;
    QVector<QPoint> m_moveStart; // left/top of each selected control at press
    bool m_dragChanged = false;
    int m_drawSection = -1;
    int m_heightSection = -1;
    // The section whose bottom edge lies under a canvas point, or -1.
    int sectionEdgeAt(const QPointF &pixels) const;
};

} // namespace report
