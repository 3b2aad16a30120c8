#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QString>
#include <QTest>
#include <QWidget>

// Types text the way the keyboard delivers it, one key event per character,
// also for characters Qt Test's keyClicks cannot send (full-width ones).
inline void typeText(QWidget *receiver, const QString &text)
{
    for (const QChar c : text) {
        const int key = c.unicode() < 0x80 ? int(c.toUpper().unicode()) : 0;
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
        QApplication::sendEvent(receiver, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(c));
        QApplication::sendEvent(receiver, &release);
    }
}

// Shows a window and makes it the active one, as a user's click would.
inline bool showActive(QWidget *window)
{
    window->show();
    QApplication::setActiveWindow(window);
    return QTest::qWaitForWindowActive(window);
}
