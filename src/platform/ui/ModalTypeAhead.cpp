#include "platform/ui/ModalTypeAhead.h"

#include "platform/ui/KeyHandover.h"

#include <QGuiApplication>
#include <QWidget>

#ifdef QVX_HAVE_XCB
#include <QAbstractEventDispatcher>
#include <QAbstractNativeEventFilter>
#include <QEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <cstdlib>
#include <deque>
#include <xcb/xcb.h>
#endif

namespace ui {

#ifdef QVX_HAVE_XCB
namespace {

// Marks the keys this program sent back to itself; the server passes the
// event's bytes on untouched.
constexpr uint8_t kResentMark = 0x5a;

bool leadsTo(QWindow *window, const QWindow *to)
{
    for (; window; window = window->transientParent()) {
        if (window == to)
            return true;
    }
    return false;
}

class BlockedKeys : public QObject, public QAbstractNativeEventFilter {
public:
    static BlockedKeys &instance()
    {
        static BlockedKeys *keys = new BlockedKeys;
        return *keys;
    }

    void watch(QWidget *modal)
    {
        if (m_modal != modal) {
            if (m_modal)
                m_modal->removeEventFilter(this);
            m_modal = modal;
            modal->installEventFilter(this);
        }
        // Keys handed on from a window that closed go on from there, the
        // new window included.
        if (KeyHandover::holdsKeys())
            return;
        // The keys the program has taken from the window system but not yet
        // handled were sent to the windows that are blocked now, and would
        // be dropped; they were typed before the ones held so far.
        std::deque<xcb_key_press_event_t> taken;
        for (auto key = m_pending.begin(); key != m_pending.end();) {
            if (blocked(key->event)) {
                taken.push_back(*key);
                key = m_pending.erase(key);
            } else {
                ++key;
            }
        }
        m_held.insert(m_held.begin(), taken.begin(), taken.end());
    }

    bool nativeEventFilter(const QByteArray &type, void *message, qintptr *) override
    {
        if (type != "xcb_generic_event_t")
            return false;
        auto *event = static_cast<xcb_generic_event_t *>(message);
        const uint8_t kind = event->response_type & 0x7f;
        if (kind != XCB_KEY_PRESS && kind != XCB_KEY_RELEASE)
            return false;
        auto *key = reinterpret_cast<xcb_key_press_event_t *>(event);
        if ((event->response_type & 0x80) && key->pad0 == kResentMark) {
            if (m_inFlight > 0 && --m_inFlight == 0)
                m_lost.stop();
            pass(*key);
            return false;
        }
        // A key typed after held ones waits behind them, wherever it goes.
        if (m_held.empty() && m_inFlight == 0 && !blocked(key->event)) {
            pass(*key);
            return false;
        }
        m_held.push_back(*key);
        sendHeld();
        return true;
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const QEvent::Type type = event->type();
        if (watched == m_modal && type == QEvent::Hide)
            QTimer::singleShot(0, this, [this] { sendHeld(); });
        if ((type == QEvent::KeyPress || type == QEvent::KeyRelease) && watched->isWindowType() && event->spontaneous())
            handled(type == QEvent::KeyPress ? XCB_KEY_PRESS : XCB_KEY_RELEASE,
                    static_cast<QKeyEvent *>(event)->nativeScanCode());
        return false;
    }

private:
    // A key Qt has taken from the X connection; it reaches a window later
    // in the same turn of the event loop.
    void pass(const xcb_key_press_event_t &key)
    {
        m_pending.push_back(key);
        if (m_pending.size() > kMaxPending)
            m_pending.pop_front();
    }

    // A key has reached a window: it and those before it (a shortcut takes
    // its key from every window) are handled.
    void handled(uint8_t kind, quint32 code)
    {
        const auto key = std::find_if(m_pending.begin(), m_pending.end(), [kind, code](const xcb_key_press_event_t &k) {
            return (k.response_type & 0x7f) == kind && k.detail == code;
        });
        if (key != m_pending.end())
            m_pending.erase(m_pending.begin(), key + 1);
    }

    BlockedKeys()
    {
        qApp->installNativeEventFilter(this);
        qApp->installEventFilter(this);
        // Once the program waits for the window system, every key it took
        // has been delivered or dropped.
        connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
                [this] { m_pending.clear(); });
        connect(qApp, &QGuiApplication::focusWindowChanged, this, [this] { sendHeld(); });
        // A key sent to a window that went meanwhile never comes back; the
        // keys behind it must not wait for it for ever.
        m_lost.setSingleShot(true);
        m_lost.setInterval(1000);
        connect(&m_lost, &QTimer::timeout, this, [this] {
            m_inFlight = 0;
            sendHeld();
        });
        m_retry.setSingleShot(true);
        m_retry.setInterval(10);
        connect(&m_retry, &QTimer::timeout, this, [this] { sendHeld(); });
    }

    // The watched window while it is open and blocks others.
    QWindow *openModal() const
    {
        if (!m_modal || !m_modal->isVisible() || m_modal->windowModality() == Qt::NonModal)
            return nullptr;
        return m_modal->windowHandle();
    }

    bool blocked(xcb_window_t id) const
    {
        QWindow *modal = openModal();
        if (!modal)
            return false;
        for (QWindow *window : QGuiApplication::topLevelWindows()) {
            if (!window->handle() || window->winId() != id)
                continue;
            if (leadsTo(window, modal))
                return false;
            if (m_modal->windowModality() == Qt::ApplicationModal)
                return true;
            for (QWidget *over = m_modal->parentWidget(); over; over = over->window()->parentWidget()) {
                if (over->window()->windowHandle() == window)
                    return true;
            }
            return false;
        }
        return false;
    }

    // Sends the held keys back through the server behind whatever it has
    // queued for the program: to the watched window once it has the
    // keyboard, or where they were sent when it has closed.
    void sendHeld()
    {
        if (m_held.empty() || m_inFlight > 0)
            return;
        auto *x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
        if (!x11)
            return;
        xcb_connection_t *connection = x11->connection();
        QWindow *modal = openModal();
        if (modal && !hasKeyboard(connection, modal)) {
            // Qt may count the window focused before the server does.
            m_retry.start();
            return;
        }
        for (xcb_key_press_event_t key : m_held) {
            if (modal)
                key.event = xcb_window_t(modal->winId());
            key.pad0 = kResentMark;
            // No event mask: the event goes to the window's creator, this
            // program, and to no other.
            xcb_send_event(connection, false, key.event, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char *>(&key));
            ++m_inFlight;
        }
        m_held.clear();
        xcb_flush(connection);
        m_lost.start();
    }

    static constexpr size_t kMaxPending = 256;

    // Whether the server sends the keys to `window` now. Keys sent back
    // before would reach Qt ahead of the window's focus, and go to the
    // window that had it.
    static bool hasKeyboard(xcb_connection_t *connection, const QWindow *window)
    {
        xcb_get_input_focus_reply_t *focus =
            xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr);
        const bool has = focus && focus->focus == xcb_window_t(window->winId());
        free(focus);
        return has;
    }

    QPointer<QWidget> m_modal;
    // Passed on to Qt, not yet delivered to a window.
    std::deque<xcb_key_press_event_t> m_pending;
    std::deque<xcb_key_press_event_t> m_held;
    int m_inFlight = 0;
    QTimer m_lost;
    QTimer m_retry;
};

} // namespace

// Keys are taken from the X connection a whole batch at a time, before the
// first of them opens a modal window: the watch begins with the program.
void watchFromStart()
{
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        BlockedKeys::instance();
}
Q_COREAPP_STARTUP_FUNCTION(watchFromStart)

void catchKeysAheadOf(QWidget *modal)
{
    if (modal && QGuiApplication::platformName() == QLatin1String("xcb"))
        BlockedKeys::instance().watch(modal);
}

#else

void catchKeysAheadOf(QWidget *) {}

#endif

} // namespace ui
