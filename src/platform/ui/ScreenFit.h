#pragma once

#include <QMargins>
#include <QRect>

class QScreen;
class QWidget;

namespace ui {

// Where a window's inner rectangle may lie on a screen's available area
// (the screen less its panels) when its frame adds `frame` around it: the
// rectangle as it is where it fits; otherwise no larger than the area and
// moved onto it, its top (the title bar) first.
QRect fittedGeometry(const QRect &inner, const QRect &area, const QMargins &frame = {});

// The screen a window at `inner` opens on: the one holding most of it, the
// primary screen when it lies on none.
QScreen *screenFor(const QRect &inner);

// The frame the window system puts around the window: its real one once
// it has been shown, else an estimate from the style's title bar.
QMargins frameMargins(const QWidget *window);

// Places a top-level window at `inner` (device-independent pixels) as far
// as it fits the available area of the screen it opens on.
void placeOnScreen(QWidget *window, const QRect &inner);

// Shrinks a window's first size to the available area of its screen; the
// place is left to the window system or the caller.
void fitFirstSize(QWidget *window);

} // namespace ui
