#pragma once

#include <QHash>
#include <QPair>
#include <QObject>
#include <QPointer>
#include <functional>

class QKeyEvent;
class QWidget;

namespace ui {

// The keys a window's fields hand to the window.
enum class NavKey { Enter, Up, Down, Right, Left, Home, End, F11, F12, Escape };

// Sees the keys of a window's fields before the fields do and turns them
// into focus moves or window actions. Per field and key it holds either a
// neighbour to move to or an action; a key with neither goes on to the
// field. Window-wide entries (from = nullptr) apply to every watched field
// that has no entry of its own for that key. The Shift, Ctrl and Alt state
// is ignored, except that Alt+Down and Alt+Up stay with a date box that
// drops down a calendar. A key with an entry wins over a window shortcut on
// the same key while a watched field has the focus.
//
// A move to the field that has the focus leaves the key to the field.
//
// Right and Left leave a text box only with the caret at its end, or at its
// start with nothing selected; Up and Down leave a multi-line box only from
// its first or last line. Other widgets act at once.
//
// A field may be a composite widget whose focus proxy receives the keys
// (the entry fields hand their focus to their inner box).
class KeyNavigator : public QObject {
    Q_OBJECT
public:
    explicit KeyNavigator(QWidget *window);

    // Starts watching a field's keys.
    void watch(QWidget *field);
    void watch(std::initializer_list<QWidget *> fields);

    // from = nullptr: for every watched field. Watches `from` when needed.
    void setMove(QWidget *from, NavKey key, QWidget *to);
    void setAction(QWidget *from, NavKey key, std::function<void()> action);
    // Both kinds of entry removed; the key goes on to the field again.
    void clear(QWidget *from, NavKey key);

    // Gives the focus to `to` when it can take it (visible, enabled, accepts
    // focus); otherwise follows `to`'s own neighbour for `key` onwards.
    // Returns whether the focus moved.
    bool moveFocus(QWidget *to, NavKey key);

    // Whether a widget can take the focus now.
    static bool canTakeFocus(const QWidget *w);
    // The widget that actually receives a field's keys and focus.
    static QWidget *keyReceiver(QWidget *field);
    // Whether `key` would leave `receiver` by the caret rule above.
    static bool caretAllowsLeaving(const QWidget *receiver, NavKey key);
    // The navigation key of an event, if it is one.
    static bool toNavKey(const QKeyEvent *event, NavKey *key);

signals:
    // A watched field's navigation key, before it is acted on.
    void keyPressed(QWidget *field, ui::NavKey key);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Entry {
        QPointer<QWidget> to;
        std::function<void()> action;
    };
    const Entry *find(QWidget *field, NavKey key) const;

    QWidget *m_window;
    QHash<QObject *, QWidget *> m_fieldOfReceiver;
    QHash<QPair<const QWidget *, int>, Entry> m_entries;
};

} // namespace ui
