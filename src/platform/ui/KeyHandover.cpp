#include "platform/ui/KeyHandover.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>
#include <QWindow>

namespace ui {

namespace {
QEvent::Type turnEventType()
{
    static const auto type = QEvent::Type(QEvent::registerEventType());
    return type;
}
} // namespace

KeyHandover::KeyHandover() : QObject(qApp)
{
    // Held keys wait while no window has the focus (the window system has
    // not yet given it back after the closed window went).
    connect(qApp, &QGuiApplication::focusWindowChanged, this, [this](QWindow *now) {
        if (!now)
            return;
        // The window system sends nothing more to a retired window once the
        // focus is elsewhere: what it sent before has come in by now.
        if (m_retired && now != m_retired->windowHandle()) {
            m_retired->deleteLater();
            m_retired = nullptr;
            stopWhenIdle();
        }
        if (!m_held.empty() && !closing())
            postTurn();
    });
}

KeyHandover::~KeyHandover() = default;

KeyHandover &KeyHandover::instance()
{
    static QPointer<KeyHandover> handover;
    if (!handover)
        handover = new KeyHandover;
    return *handover;
}

void KeyHandover::holdFrom(QWidget *closed)
{
    KeyHandover &self = instance();
    if (!closed || self.m_closing.contains(closed))
        return;
    self.m_closing.append(closed);
    // A window that goes without returning to a caller first still lets
    // the held keys go.
    connect(closed, &QObject::destroyed, &self, [&self] { self.postTurn(); });
    self.startFiltering();
}

void KeyHandover::handOn(QWidget *closed)
{
    KeyHandover &self = instance();
    if (!self.m_closing.removeAll(closed))
        return;
    disconnect(closed, &QObject::destroyed, &self, nullptr);
    self.postTurn();
}

void KeyHandover::retire(QWidget *closed)
{
    KeyHandover &self = instance();
    if (!closed || closed == self.m_retired)
        return;
    if (self.m_retired)
        self.m_retired->deleteLater();
    self.m_retired = closed;
    // A hidden window left active would keep the focus from the window it
    // was opened over, which its going would have freed.
    if (QApplication::activeWindow() == closed && closed->parentWidget())
        QApplication::setActiveWindow(closed->parentWidget()->window());
    self.startFiltering();
}

bool KeyHandover::holdsKeys()
{
    KeyHandover &self = instance();
    return !self.m_held.empty();
}

void KeyHandover::startFiltering()
{
    if (m_filtering)
        return;
    m_filtering = true;
    qApp->installEventFilter(this);
}

bool KeyHandover::closing()
{
    m_closing.removeAll(nullptr);
    return !m_closing.isEmpty();
}

bool KeyHandover::holds(QObject *receiver)
{
    // Keys from the window system come to a window first, whichever it is.
    if (receiver->isWindowType())
        return closing() || !m_held.empty() || (m_retired && receiver == m_retired->windowHandle());
    if (!receiver->isWidgetType())
        return false;
    const QWidget *window = static_cast<QWidget *>(receiver)->window();
    return window == m_retired || std::any_of(m_closing.cbegin(), m_closing.cend(),
                                              [window](const QPointer<QWidget> &c) { return c == window; });
}

bool KeyHandover::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease && type != QEvent::ShortcutOverride)
        return false;
    if (m_delivering.contains(event) || !holds(watched))
        return false;
    // An accepted override keeps a shortcut from acting ahead of the held
    // press, which follows.
    event->accept();
    if (type != QEvent::ShortcutOverride)
        m_held.push_back(std::unique_ptr<QKeyEvent>(static_cast<QKeyEvent *>(event->clone())));
    return true;
}

void KeyHandover::postTurn()
{
    if (m_turnPosted)
        return;
    m_turnPosted = true;
    QCoreApplication::postEvent(this, new QEvent(turnEventType()));
}

void KeyHandover::customEvent(QEvent *event)
{
    if (event->type() != turnEventType())
        return;
    m_turnPosted = false;
    // A window still closing hands on when it returns to its caller.
    if (closing())
        return;
    deliverNext();
}

QWindow *KeyHandover::focusedWindow()
{
    // A popup and a modal window take the keys whatever else is active.
    QWidget *top = QApplication::activePopupWidget();
    if (!top)
        top = QApplication::activeModalWidget();
    if (top)
        return top->window()->windowHandle();
    QWindow *focused = QGuiApplication::focusWindow();
    return focused && focused->isVisible() ? focused : nullptr;
}

void KeyHandover::deliverNext()
{
    if (m_held.empty()) {
        stopWhenIdle();
        return;
    }
    QWindow *target = focusedWindow();
    if (!target)
        return; // the next focused window calls for a turn
    std::unique_ptr<QKeyEvent> key = std::move(m_held.front());
    m_held.pop_front();
    // The next key's turn comes before this one is handled: a key that opens
    // a modal window leaves the rest to that window's event loop.
    if (!m_held.empty())
        postTurn();
    m_delivering.append(key.get());
    QCoreApplication::sendEvent(target, key.get());
    m_delivering.removeOne(key.get());
    stopWhenIdle();
}

void KeyHandover::stopWhenIdle()
{
    if (!m_filtering || !m_held.empty() || closing() || m_retired)
        return;
    m_filtering = false;
    qApp->removeEventFilter(this);
}

} // namespace ui
