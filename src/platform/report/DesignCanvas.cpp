#include "platform/report/DesignCanvas.h"

#include "platform/report/PagePainter.h"
#include "platform/report/Report.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace report {

namespace {

const int kPad = 16;       // pixels of desk around the paper
const int kHandle = 3;     // half the size of a grab handle, pixels
const int kSnap = 15;      // twips a mouse move snaps to
const int kMinDraw = 4;    // pixels below which a drawn box gets the default size
const int kFarTwips = 1 << 24; // beyond the sum of any sections

using Ref = LayoutDesigner::ControlRef;

// Edits stay within what a layout file may hold.
int clampedSum(int a, int b)
{
    return int(std::clamp<qint64>(qint64(a) + b, -kMaxTwips, kMaxTwips));
}

int snap(double twips)
{
    return int(std::lround(twips / kSnap)) * kSnap;
}

double distanceToSegment(const QPointF &p, const QPointF &a, const QPointF &b)
{
    const QPointF ab = b - a;
    const double len2 = QPointF::dotProduct(ab, ab);
    double t = len2 > 0 ? QPointF::dotProduct(p - a, ab) / len2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    const QPointF d = p - (a + t * ab);
    return std::hypot(d.x(), d.y());
}

} // namespace

DesignCanvas::DesignCanvas(LayoutDesigner *designer) : QWidget(designer), m_designer(designer)
{
    setObjectName(QStringLiteral("designCanvas"));
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAutoFillBackground(false);
    setAccessibleName(QStringLiteral("レイアウト"));
}

double DesignCanvas::scale() const
{
    return logicalDpiX() / 1440.0 * m_designer->zoom();
}

int DesignCanvas::sectionTop(int section) const
{
    // Sizes come from files: summed wide, and kept to what a page can be.
    const Layout &l = m_designer->layout();
    qint64 top = l.pageSetup.topMargin;
    for (int i = 0; i < section && i < l.sections.size(); ++i)
        top += qMax(0, l.sections[i].height);
    return int(std::clamp<qint64>(top, -kFarTwips, kFarTwips));
}

int DesignCanvas::sectionAt(double pageY) const
{
    const Layout &l = m_designer->layout();
    for (int i = 0; i < l.sections.size(); ++i) {
        const int top = sectionTop(i);
        if (pageY >= top && pageY < top + qMax(0, l.sections[i].height))
            return i;
    }
    return -1;
}

int DesignCanvas::sectionEdgeAt(const QPointF &pixels) const
{
    const Layout &l = m_designer->layout();
    for (int i = 0; i < l.sections.size(); ++i) {
        const double bottom = toCanvas({0.0, double(sectionTop(i + 1))}).y();
        if (std::abs(pixels.y() - bottom) <= 3)
            return i;
    }
    return -1;
}

QSize DesignCanvas::sizeHint() const
{
    const Layout &l = m_designer->layout();
    const double height =
        qMax<double>(l.pageSetup.pageHeight(), double(sectionTop(int(l.sections.size()))) + l.pageSetup.bottomMargin);
    const double width = qBound<double>(0, l.pageSetup.pageWidth(), kFarTwips);
    return QSize(int(width * scale()) + 2 * kPad, int(qMin<double>(height, kFarTwips) * scale()) + 2 * kPad);
}

void DesignCanvas::relayout()
{
    resize(sizeHint());
    update();
}

QPointF DesignCanvas::toPage(const QPointF &pixels) const
{
    return (pixels - QPointF(kPad, kPad)) / scale();
}

QPointF DesignCanvas::toCanvas(const QPointF &twips) const
{
    return twips * scale() + QPointF(kPad, kPad);
}

QRectF DesignCanvas::controlRect(const Ref &ref) const
{
    const Control *c = m_designer->control(ref);
    if (!c)
        return {};
    const QPointF origin(m_designer->layout().pageSetup.leftMargin, sectionTop(ref.section));
    const QPointF a = toCanvas(origin + QPointF(c->left, c->top));
    const QPointF b = a + QPointF(c->width, c->height) * scale();
    return QRectF(a, b).normalized();
}

Ref DesignCanvas::controlAt(const QPointF &pixels) const
{
    const Layout &l = m_designer->layout();
    // The control drawn last lies on top.
    for (int s = int(l.sections.size()) - 1; s >= 0; --s) {
        const QVector<Control> &controls = l.sections[s].controls;
        for (int i = int(controls.size()) - 1; i >= 0; --i) {
            const Ref ref{s, i};
            const QRectF r = controlRect(ref);
            if (controls[i].kind == ControlKind::Line) {
                const QPointF origin(l.pageSetup.leftMargin, sectionTop(s));
                const Control &c = controls[i];
                const QPointF a = toCanvas(origin + QPointF(c.left, c.top));
                const QPointF b = a + QPointF(c.width, c.height) * scale();
                if (distanceToSegment(pixels, a, b) <= 4)
                    return ref;
            } else if (r.adjusted(-2, -2, 2, 2).contains(pixels)) {
                return ref;
            }
        }
    }
    return {};
}

QVector<QPointF> DesignCanvas::handles(const Ref &ref) const
{
    const Control *c = m_designer->control(ref);
    if (!c)
        return {};
    if (c->kind == ControlKind::Line) {
        const QPointF origin(m_designer->layout().pageSetup.leftMargin, sectionTop(ref.section));
        const QPointF a = toCanvas(origin + QPointF(c->left, c->top));
        return {a, a + QPointF(c->width, c->height) * scale()};
    }
    const QRectF r = controlRect(ref);
    const double cx = r.center().x(), cy = r.center().y();
    return {r.topLeft(),    QPointF(cx, r.top()),    r.topRight(),   QPointF(r.right(), cy),
            r.bottomRight(), QPointF(cx, r.bottom()), r.bottomLeft(), QPointF(r.left(), cy)};
}

bool DesignCanvas::handleAt(const QPointF &pixels, Ref &ref, int &handle) const
{
    for (const Ref &r : m_designer->selection()) {
        const QVector<QPointF> hs = handles(r);
        for (int h = 0; h < hs.size(); ++h) {
            if (std::abs(hs[h].x() - pixels.x()) <= kHandle + 1 && std::abs(hs[h].y() - pixels.y()) <= kHandle + 1) {
                ref = r;
                handle = h;
                return true;
            }
        }
    }
    return false;
}

void DesignCanvas::paintEvent(QPaintEvent *)
{
    const Layout &l = m_designer->layout();
    const PageSetup &setup = l.pageSetup;
    const double s = scale();
    QPainter p(this);
    p.fillRect(rect(), QColor(128, 128, 128));
    const QSize hint = sizeHint();
    const QRectF paper(kPad, kPad, hint.width() - 2 * kPad, hint.height() - 2 * kPad);
    p.fillRect(paper.translated(3, 3), QColor(90, 90, 90));
    p.fillRect(paper, Qt::white);

    // Margins and sections.
    const double bodyLeft = setup.leftMargin;
    const double bodyWidth = setup.pageWidth() - setup.leftMargin - setup.rightMargin;
    p.setPen(QPen(QColor(200, 200, 200), 1, Qt::DashLine));
    p.drawRect(QRectF(toCanvas({bodyLeft, double(setup.topMargin)}),
                      toCanvas({bodyLeft + bodyWidth, double(setup.pageHeight() - setup.bottomMargin)})));
    QFont small = font();
    small.setPointSizeF(qMax(6.0, small.pointSizeF() * 0.8));
    p.setFont(small);
    for (int i = 0; i < l.sections.size(); ++i) {
        const double top = sectionTop(i);
        const QRectF area(toCanvas({bodyLeft, top}), toCanvas({bodyLeft + bodyWidth, top + l.sections[i].height}));
        p.fillRect(area, i == m_designer->currentSection() ? QColor(246, 249, 255) : QColor(250, 250, 250));
        p.setPen(QPen(QColor(90, 120, 200), 1, Qt::DashLine));
        p.drawLine(QPointF(paper.left(), area.bottom()), QPointF(paper.right(), area.bottom()));
        p.setPen(QColor(90, 120, 200));
        p.drawText(QRectF(paper.left() + 2, area.top(), area.left() - paper.left() - 4, 40),
                   Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, l.sections[i].name);
    }

    // The controls, drawn as they print.
    Page page;
    for (int i = 0; i < l.sections.size(); ++i)
        Report::renderSection(page, l.sections[i], setup.leftMargin, sectionTop(i));
    p.save();
    p.translate(kPad, kPad);
    p.scale(s, s);
    paintPage(p, page);
    p.restore();

    // Outlines of boxes that print none, and names of empty ones.
    for (int si = 0; si < l.sections.size(); ++si) {
        const QVector<Control> &controls = l.sections[si].controls;
        for (int i = 0; i < controls.size(); ++i) {
            const Control &c = controls[i];
            if (c.kind == ControlKind::Line || c.kind == ControlKind::Shape)
                continue;
            const QRectF r = controlRect({si, i});
            if (!c.border) {
                p.setPen(QPen(QColor(170, 170, 170), 1, Qt::DotLine));
                p.setBrush(Qt::NoBrush);
                p.drawRect(r);
            }
            if ((c.kind != ControlKind::Picture && c.text.isEmpty()) || (c.kind == ControlKind::Picture && c.picture.isEmpty())) {
                p.setPen(QColor(160, 160, 160));
                p.drawText(r.adjusted(2, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter, c.name);
            }
        }
    }

    // Selection, numbered in its order when it holds several controls.
    const QVector<Ref> &selection = m_designer->selection();
    for (int k = 0; k < selection.size(); ++k) {
        const Ref &ref = selection[k];
        const Control *c = m_designer->control(ref);
        if (!c)
            continue;
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(0, 90, 220), 1));
        if (c->kind != ControlKind::Line)
            p.drawRect(controlRect(ref));
        p.setBrush(k == 0 ? QColor(0, 90, 220) : Qt::white);
        for (const QPointF &h : handles(ref))
            p.drawRect(QRectF(h.x() - kHandle, h.y() - kHandle, 2 * kHandle, 2 * kHandle));
        if (selection.size() > 1) {
            const QRectF r = controlRect(ref);
            const QString number = QString::number(k + 1);
            const QRectF badge(r.left() - 1, r.top() - 14, qMax(14, p.fontMetrics().horizontalAdvance(number) + 6), 13);
            p.fillRect(badge, QColor(0, 90, 220));
            p.setPen(Qt::white);
            p.drawText(badge, Qt::AlignCenter, number);
        }
    }

    if (m_drag == Drag::Band || m_drag == Drag::Draw) {
        p.setBrush(m_drag == Drag::Band ? QColor(0, 90, 220, 30) : Qt::NoBrush);
        p.setPen(QPen(QColor(0, 90, 220), 1, Qt::DashLine));
        if (m_drag == Drag::Draw && m_designer->tool() == LayoutDesigner::Tool::Line)
            p.drawLine(m_pressPos, m_lastPos);
        else
            p.drawRect(QRectF(m_pressPos, m_lastPos).normalized());
    }
}

void DesignCanvas::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    const QPointF pos = event->position();
    m_pressPos = m_lastPos = pos;
    m_dragChanged = false;
    const bool ctrl = event->modifiers() & Qt::ControlModifier;

    if (m_designer->tool() != LayoutDesigner::Tool::Pointer) {
        m_drag = Drag::Draw;
        m_drawSection = sectionAt(toPage(pos).y());
        if (m_drawSection < 0)
            m_drawSection = m_designer->currentSection();
        return;
    }
    Ref ref;
    int handle = -1;
    if (!ctrl && handleAt(pos, ref, handle)) {
        m_drag = Drag::Resize;
        m_resizeRef = ref;
        m_resizeHandle = handle;
        m_resizeStart = *m_designer->control(ref);
        return;
    }
    ref = controlAt(pos);
    if (ref.section < 0 && !ctrl && (m_heightSection = sectionEdgeAt(pos)) >= 0) {
        m_drag = Drag::SectionHeight;
        m_designer->setCurrentSection(m_heightSection);
        return;
    }
    if (ref.section >= 0) {
        const bool selected = m_designer->selection().contains(ref);
        if (ctrl) {
            m_designer->selectControl(ref, true);
            m_drag = Drag::None;
            return;
        }
        if (!selected)
            m_designer->setSelection({ref});
        m_drag = Drag::Move;
        m_moveStart.clear();
        for (const Ref &r : m_designer->selection()) {
            const Control *c = m_designer->control(r);
            m_moveStart.append(QPoint(c->left, c->top));
        }
        return;
    }
    const int section = sectionAt(toPage(pos).y());
    if (section >= 0)
        m_designer->setCurrentSection(section);
    m_bandBase = ctrl ? m_designer->selection() : QVector<Ref>();
    if (!ctrl)
        m_designer->clearSelection();
    m_drag = Drag::Band;
}

void DesignCanvas::mouseMoveEvent(QMouseEvent *event)
{
    const QPointF pos = event->position();
    m_lastPos = pos;
    switch (m_drag) {
    case Drag::None:
        break;
    case Drag::Move: {
        const QPointF delta = (pos - m_pressPos) / scale();
        const int dx = snap(delta.x()), dy = snap(delta.y());
        const QVector<Ref> &selection = m_designer->selection();
        for (int k = 0; k < selection.size() && k < m_moveStart.size(); ++k) {
            Control &c = m_designer->m_layout.sections[selection[k].section].controls[selection[k].control];
            const int left = qMax(0, clampedSum(m_moveStart[k].x(), dx));
            const int top = qMax(0, clampedSum(m_moveStart[k].y(), dy));
            if (left != c.left || top != c.top) {
                c.left = left;
                c.top = top;
                m_dragChanged = true;
            }
        }
        update();
        break;
    }
    case Drag::Resize:
        applyResize(pos);
        break;
    case Drag::Band:
        selectInBand(!m_bandBase.isEmpty());
        update();
        break;
    case Drag::Draw:
        update();
        break;
    case Drag::SectionHeight: {
        Section &section = m_designer->m_layout.sections[m_heightSection];
        const int height = std::clamp(snap(toPage(pos).y() - sectionTop(m_heightSection)), 0, kMaxTwips);
        if (height != section.height) {
            section.height = height;
            m_dragChanged = true;
            relayout();
        }
        break;
    }
    }
    if (m_drag == Drag::None)
        setCursor(m_designer->tool() != LayoutDesigner::Tool::Pointer ? Qt::CrossCursor
                  : sectionEdgeAt(pos) >= 0 && controlAt(pos).section < 0 ? Qt::SizeVerCursor
                                                                           : Qt::ArrowCursor);
}

void DesignCanvas::applyResize(const QPointF &pos)
{
    Control *c = const_cast<Control *>(m_designer->control(m_resizeRef));
    if (!c)
        return;
    const QPointF delta = (pos - m_pressPos) / scale();
    const int dx = snap(delta.x()), dy = snap(delta.y());
    const Control &s = m_resizeStart;
    Control next = *c;
    if (c->kind == ControlKind::Line) {
        QPoint a(s.left, s.top), b(clampedSum(s.left, s.width), clampedSum(s.top, s.height));
        (m_resizeHandle == 0 ? a : b) += QPoint(dx, dy);
        next.left = a.x();
        next.top = a.y();
        next.width = b.x() - a.x();
        next.height = b.y() - a.y();
    } else {
        int l = s.left, t = s.top, r = clampedSum(s.left, s.width), b = clampedSum(s.top, s.height);
        switch (m_resizeHandle) {
        case 0: l += dx; t += dy; break;
        case 1: t += dy; break;
        case 2: r += dx; t += dy; break;
        case 3: r += dx; break;
        case 4: r += dx; b += dy; break;
        case 5: b += dy; break;
        case 6: l += dx; b += dy; break;
        case 7: l += dx; break;
        }
        next.left = qMin(l, r);
        next.top = qMin(t, b);
        next.width = std::abs(r - l);
        next.height = std::abs(b - t);
    }
    if (!(next == *c)) {
        *c = next;
        m_dragChanged = true;
        update();
    }
}

void DesignCanvas::selectInBand(bool add)
{
    const QRectF band = QRectF(m_pressPos, m_lastPos).normalized();
    QVector<Ref> refs = add ? m_bandBase : QVector<Ref>();
    const Layout &l = m_designer->layout();
    for (int s = 0; s < l.sections.size(); ++s)
        for (int i = 0; i < l.sections[s].controls.size(); ++i) {
            const Ref ref{s, i};
            QRectF r = controlRect(ref);
            if (r.width() < 1 || r.height() < 1)
                r.adjust(-1, -1, 1, 1); // lines lying flat
            if (band.intersects(r) && !refs.contains(ref))
                refs.append(ref);
        }
    if (refs != m_designer->selection())
        m_designer->setSelection(refs);
}

void DesignCanvas::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    const Drag drag = std::exchange(m_drag, Drag::None);
    m_lastPos = event->position();
    if (drag == Drag::Draw) {
        const LayoutDesigner::Tool tool = m_designer->tool();
        m_designer->setTool(LayoutDesigner::Tool::Pointer);
        if (m_drawSection < 0)
            return;
        const QPointF origin(m_designer->layout().pageSetup.leftMargin, sectionTop(m_drawSection));
        const QPointF a = toPage(m_pressPos) - origin;
        const QPointF b = toPage(m_lastPos) - origin;
        const bool small = std::abs(m_lastPos.x() - m_pressPos.x()) < kMinDraw
                           && std::abs(m_lastPos.y() - m_pressPos.y()) < kMinDraw;
        QRect box(snap(a.x()), snap(a.y()), small ? 0 : snap(b.x() - a.x()), small ? 0 : snap(b.y() - a.y()));
        if (tool != LayoutDesigner::Tool::Line && !small) {
            box = QRect(QPoint(qMin(snap(a.x()), snap(b.x())), qMin(snap(a.y()), snap(b.y()))),
                        QSize(std::abs(snap(b.x() - a.x())), std::abs(snap(b.y() - a.y()))));
        }
        box.moveTo(qMax(0, box.x()), qMax(0, box.y()));
        m_designer->addControl(tool, m_drawSection, box);
    } else if ((drag == Drag::Move || drag == Drag::Resize || drag == Drag::SectionHeight) && m_dragChanged) {
        m_designer->notifyControlsEdited();
    }
    update();
}

void DesignCanvas::stepSelection(bool forward)
{
    const Layout &l = m_designer->layout();
    QVector<Ref> all;
    for (int s = 0; s < l.sections.size(); ++s)
        for (int i = 0; i < l.sections[s].controls.size(); ++i)
            all.append({s, i});
    if (all.isEmpty())
        return;
    const QVector<Ref> &selection = m_designer->selection();
    int at = selection.isEmpty() ? -1 : int(all.indexOf(selection.last()));
    if (at < 0)
        at = forward ? -1 : 0;
    at = (at + (forward ? 1 : -1) + int(all.size())) % int(all.size());
    m_designer->setSelection({all[at]});
}

bool DesignCanvas::event(QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)
            && !(key->modifiers() & Qt::ControlModifier)) {
            stepSelection(key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier));
            return true;
        }
    }
    return QWidget::event(event);
}

void DesignCanvas::keyPressEvent(QKeyEvent *event)
{
    const Qt::KeyboardModifiers mods = event->modifiers();
    const bool ctrl = mods & Qt::ControlModifier;
    const bool shift = mods & Qt::ShiftModifier;
    const bool hasSelection = !m_designer->selection().isEmpty();
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down: {
        if (!hasSelection)
            break;
        const int step = ctrl ? 150 : 30;
        const int dx = event->key() == Qt::Key_Left ? -step : event->key() == Qt::Key_Right ? step : 0;
        const int dy = event->key() == Qt::Key_Up ? -step : event->key() == Qt::Key_Down ? step : 0;
        if (shift)
            m_designer->resizeSelection(dx, dy);
        else
            m_designer->moveSelection(dx, dy);
        return;
    }
    case Qt::Key_Delete:
        if (!hasSelection)
            break;
        m_designer->deleteSelection();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Insert:
        if (m_designer->tool() == LayoutDesigner::Tool::Pointer)
            break;
        m_designer->addControlAtDefaultPlace(m_designer->tool());
        m_designer->setTool(LayoutDesigner::Tool::Pointer);
        return;
    case Qt::Key_Escape:
        if (m_designer->tool() != LayoutDesigner::Tool::Pointer) {
            m_designer->setTool(LayoutDesigner::Tool::Pointer);
            return;
        }
        break; // the window's own Esc
    default:
        if (ctrl && event->key() == Qt::Key_C) {
            m_designer->copySelection();
            return;
        }
        if (ctrl && event->key() == Qt::Key_V) {
            m_designer->paste();
            return;
        }
        if (ctrl && event->key() == Qt::Key_A) {
            const int s = m_designer->currentSection();
            QVector<Ref> refs;
            if (s >= 0)
                for (int i = 0; i < m_designer->layout().sections[s].controls.size(); ++i)
                    refs.append({s, i});
            m_designer->setSelection(refs);
            return;
        }
        break;
    }
    event->ignore();
}

} // namespace report
