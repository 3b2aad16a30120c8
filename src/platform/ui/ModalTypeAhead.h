#pragma once

class QWidget;

namespace ui {

// Keys typed between the moment a modal window is asked for and the moment
// the window system gives it the keyboard (a fast typist, a scanner, any
// typing while the program is busy) are still sent to the window it now
// blocks, which would drop them. While `modal` is open, those keys are held
// and, once it has the keyboard, passed to it in the order they were typed;
// the keys typed meanwhile queue behind them. Should it close first, they go
// on to where they were sent.
//
// Only the X11 platform lets the program take those keys before they are
// dropped; elsewhere this does nothing.
void catchKeysAheadOf(QWidget *modal);

} // namespace ui
