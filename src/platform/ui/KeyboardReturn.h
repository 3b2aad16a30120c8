#pragma once

class QWidget;

namespace ui {

// When a modal dialog or message box closes, the window that opened it
// takes the keyboard again. Window managers do not all see to it: when a
// question and the dialog that asked it close in one go, some give the
// keyboard to the closing dialog and then to nobody, and the next keys are
// lost until a click. Installed once for the whole application; calling it
// again does nothing.
void returnKeyboardToOpeners();

// The window a box opened without a named parent belongs to: the topmost
// modal window, else the active one (nullptr when there is none).
QWidget *currentOpener();

} // namespace ui
