#pragma once

class QObject;

namespace ui {

// A window's handlers must never run once its destructor has begun. While
// the QWidget part of a window tears down it hides the window and clears the
// focus, so its widgets still report focus-out, lost-focus and the
// application's focusChanged, and Qt only drops the window's connections in
// ~QObject, after the window's own members and bases are gone.
//
// Call this first in the destructor of the class that made the connections
// (a window or the shared base of windows): it disconnects every connection
// from the application object and from the owner's descendants to the
// owner, so nothing reaches it any more.
void disconnectForTeardown(QObject *owner);

} // namespace ui
