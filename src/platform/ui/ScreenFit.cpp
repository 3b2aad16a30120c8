#include "platform/ui/ScreenFit.h"

#include <QApplication>
#include <QScreen>
#include <QStyle>
#include <QWidget>

#include <algorithm>

namespace ui {

QRect fittedGeometry(const QRect &inner, const QRect &area, const QMargins &frame)
{
    const QRect room = area.marginsRemoved(frame);
    if (room.isEmpty())
        return inner;
    QRect fitted(inner.topLeft(), inner.size().boundedTo(room.size()));
    // Off the right or bottom edge first, so that a window larger than the
    // area ends with its left and top edges (title bar) on it.
    if (fitted.right() > room.right())
        fitted.moveRight(room.right());
    if (fitted.bottom() > room.bottom())
        fitted.moveBottom(room.bottom());
    if (fitted.left() < room.left())
        fitted.moveLeft(room.left());
    if (fitted.top() < room.top())
        fitted.moveTop(room.top());
    return fitted;
}

QScreen *screenFor(const QRect &inner)
{
    QScreen *best = nullptr;
    qint64 bestArea = 0;
    for (QScreen *screen : QGuiApplication::screens()) {
        const QRect common = screen->geometry().intersected(inner);
        const qint64 area = qint64(common.width()) * common.height();
        if (area > bestArea) {
            best = screen;
            bestArea = area;
        }
    }
    return best ? best : QGuiApplication::primaryScreen();
}

namespace {

QMargins shownFrame(const QWidget *window)
{
    const QRect outer = window->frameGeometry();
    const QRect inner = window->geometry();
    return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom()};
}

bool isShown(const QWidget *window)
{
    return window->testAttribute(Qt::WA_WState_Created) && window->isVisible();
}

} // namespace

QMargins frameMargins(const QWidget *window)
{
    if (isShown(window))
        return shownFrame(window);
    if (window->windowFlags() & Qt::FramelessWindowHint)
        return {};
    // Before its first show the window system has said nothing of this
    // window's frame: another framed window that is shown (the main window)
    // has the same one.
    for (const QWidget *other : QApplication::topLevelWidgets()) {
        const Qt::WindowType type = other->windowType();
        if (other != window && isShown(other) && (type == Qt::Window || type == Qt::Dialog)
            && !(other->windowFlags() & Qt::FramelessWindowHint) && other->frameGeometry() != other->geometry())
            return shownFrame(other);
    }
    // Else the style's title bar is near enough to keep the title on the
    // screen.
    const int border = window->style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, window);
    const int title = window->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, window);
    return {border, title + border, border, border};
}

namespace {

// A minimum size larger than the room would push the window off again.
void allowSize(QWidget *window, const QSize &room)
{
    if (!room.isEmpty())
        window->setMinimumSize(window->minimumSize().boundedTo(room));
}

} // namespace

void placeOnScreen(QWidget *window, const QRect &inner)
{
    QScreen *screen = screenFor(inner);
    if (!screen) {
        window->setGeometry(inner);
        return;
    }
    const QRect area = screen->availableGeometry();
    const QMargins frame = frameMargins(window);
    allowSize(window, area.marginsRemoved(frame).size());
    window->setGeometry(fittedGeometry(inner, area, frame));
}

void fitFirstSize(QWidget *window)
{
    const QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QSize room = screen->availableGeometry().marginsRemoved(frameMargins(window)).size();
    if (room.isEmpty())
        return;
    allowSize(window, room);
    window->resize(window->size().boundedTo(room));
}

} // namespace ui
