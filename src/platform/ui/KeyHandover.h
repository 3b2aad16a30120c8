#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <deque>
#include <memory>

class QKeyEvent;
class QWidget;
class QWindow;

namespace ui {

// Keys typed ahead past the moment a window closes on the user's choice (a
// fast typist, a scanner, any typing while the program is busy) still reach
// that window: the window system addressed them to it. From the choice on,
// the keys the closed window and the program's windows receive are held back
// and, once the closed window's caller has placed the focus and the event
// loop runs again, handed one by one in the order they were typed to the
// window that has the focus then. Keys arriving while some still wait queue
// behind them, so that none overtakes another.
class KeyHandover : public QObject {
    Q_OBJECT
public:
    // `closed` has taken its choice and is closing: hold the keys from now.
    static void holdFrom(QWidget *closed);
    // `closed` has returned to its caller, which places the focus before the
    // event loop runs again: the held keys follow from the next turn on.
    static void handOn(QWidget *closed);
    // The caller is done with `closed`. Its window stays until the window
    // system has given the focus to another one, since keys typed before
    // that are still addressed to it (and those of a window that is gone are
    // lost); they are handed on as the held ones. It is deleted then, or when
    // the next window retires, whichever comes first.
    static void retire(QWidget *closed);
    // Whether keys wait here to be handed on.
    static bool holdsKeys();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void customEvent(QEvent *event) override;

private:
    KeyHandover();
    ~KeyHandover() override;
    static KeyHandover &instance();
    void startFiltering();
    bool holds(QObject *receiver);
    bool closing();
    void postTurn();
    void deliverNext();
    void stopWhenIdle();
    static QWindow *focusedWindow();

    QList<QPointer<QWidget>> m_closing;
    QPointer<QWidget> m_retired;
    std::deque<std::unique_ptr<QKeyEvent>> m_held;
    // The held keys being delivered now; the filter lets them pass.
    QList<const QEvent *> m_delivering;
    bool m_filtering = false;
    bool m_turnPosted = false;
};

} // namespace ui
