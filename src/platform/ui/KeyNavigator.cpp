#include "platform/ui/KeyNavigator.h"

#include <QAbstractButton>
#include <QDateTimeEdit>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSet>
#include <QTextBlock>
#include <QTextLayout>
#include <QTextEdit>
#include <QWidget>

namespace ui {

KeyNavigator::KeyNavigator(QWidget *window) : QObject(window), m_window(window) {}

QWidget *KeyNavigator::keyReceiver(QWidget *field)
{
    QWidget *w = field;
    while (w && w->focusProxy())
        w = w->focusProxy();
    return w;
}

bool KeyNavigator::canTakeFocus(const QWidget *w)
{
    if (!w)
        return false;
    const QWidget *receiver = keyReceiver(const_cast<QWidget *>(w));
    return receiver->isVisible() && receiver->isEnabled() && w->isEnabled()
           && (receiver->focusPolicy() & Qt::TabFocus);
}

void KeyNavigator::watch(QWidget *field)
{
    QWidget *receiver = keyReceiver(field);
    if (!receiver || m_fieldOfReceiver.contains(receiver))
        return;
    m_fieldOfReceiver.insert(receiver, field);
    receiver->installEventFilter(this);
    connect(receiver, &QObject::destroyed, this,
            [this](QObject *gone) { m_fieldOfReceiver.remove(gone); });
}

void KeyNavigator::watch(std::initializer_list<QWidget *> fields)
{
    for (QWidget *field : fields)
        watch(field);
}

void KeyNavigator::setMove(QWidget *from, NavKey key, QWidget *to)
{
    if (from)
        watch(from);
    m_entries.insert({from, int(key)}, Entry{to, {}});
}

void KeyNavigator::setAction(QWidget *from, NavKey key, std::function<void()> action)
{
    if (from)
        watch(from);
    m_entries.insert({from, int(key)}, Entry{nullptr, std::move(action)});
}

void KeyNavigator::clear(QWidget *from, NavKey key)
{
    m_entries.remove({from, int(key)});
}

const KeyNavigator::Entry *KeyNavigator::find(QWidget *field, NavKey key) const
{
    auto it = m_entries.constFind({field, int(key)});
    if (it == m_entries.cend())
        it = m_entries.constFind({nullptr, int(key)});
    return it == m_entries.cend() ? nullptr : &it.value();
}

bool KeyNavigator::moveFocus(QWidget *to, NavKey key)
{
    // A field that cannot take the focus is passed over in the direction of
    // the key, as far as the neighbours lead.
    QSet<QWidget *> seen;
    while (to && !seen.contains(to)) {
        if (canTakeFocus(to)) {
            to->setFocus(Qt::OtherFocusReason);
            return true;
        }
        seen.insert(to);
        const auto it = m_entries.constFind({to, int(key)});
        to = it == m_entries.cend() ? nullptr : it->to.data();
    }
    return false;
}

bool KeyNavigator::toNavKey(const QKeyEvent *event, NavKey *key)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: *key = NavKey::Enter; return true;
    case Qt::Key_Up: *key = NavKey::Up; return true;
    case Qt::Key_Down: *key = NavKey::Down; return true;
    case Qt::Key_Right: *key = NavKey::Right; return true;
    case Qt::Key_Left: *key = NavKey::Left; return true;
    case Qt::Key_Home: *key = NavKey::Home; return true;
    case Qt::Key_End: *key = NavKey::End; return true;
    case Qt::Key_F11: *key = NavKey::F11; return true;
    case Qt::Key_F12: *key = NavKey::F12; return true;
    case Qt::Key_Escape: *key = NavKey::Escape; return true;
    default: return false;
    }
}

namespace {
template <typename Edit>
bool caretInTextEdit(const Edit *edit, NavKey key)
{
    const QTextCursor cursor = edit->textCursor();
    switch (key) {
    case NavKey::Right: return !cursor.hasSelection() && cursor.atEnd();
    case NavKey::Left: return !cursor.hasSelection() && cursor.atStart();
    case NavKey::Up:
    case NavKey::Down: {
        const QTextBlock block = cursor.block();
        const QTextLayout *layout = block.layout();
        const int line = layout ? layout->lineForTextPosition(cursor.positionInBlock()).lineNumber() : 0;
        if (key == NavKey::Up)
            return block == edit->document()->firstBlock() && line <= 0;
        return block == edit->document()->lastBlock() && (!layout || line >= layout->lineCount() - 1);
    }
    default: return true;
    }
}
} // namespace

bool KeyNavigator::caretAllowsLeaving(const QWidget *receiver, NavKey key)
{
    if (const auto *line = qobject_cast<const QLineEdit *>(receiver)) {
        if (key == NavKey::Right)
            return !line->hasSelectedText() && line->cursorPosition() == line->text().size();
        if (key == NavKey::Left)
            return !line->hasSelectedText() && line->cursorPosition() == 0;
        return true;
    }
    if (const auto *plain = qobject_cast<const QPlainTextEdit *>(receiver))
        return caretInTextEdit(plain, key);
    if (const auto *rich = qobject_cast<const QTextEdit *>(receiver))
        return caretInTextEdit(rich, key);
    return true;
}

bool KeyNavigator::eventFilter(QObject *watched, QEvent *event)
{
    const bool press = event->type() == QEvent::KeyPress;
    // A window shortcut on the same key would otherwise take the key before
    // the field (and so this navigator) ever sees it.
    const bool shortcutCheck = event->type() == QEvent::ShortcutOverride;
    if (!press && !shortcutCheck)
        return QObject::eventFilter(watched, event);
    QWidget *field = m_fieldOfReceiver.value(watched);
    if (!field)
        return false;
    auto *keyEvent = static_cast<QKeyEvent *>(event);
    NavKey key;
    if (!toNavKey(keyEvent, &key))
        return false;
    // Alt+Down and Alt+Up open and close a drop-down calendar.
    if ((key == NavKey::Down || key == NavKey::Up) && (keyEvent->modifiers() & Qt::AltModifier)) {
        if (const auto *dateBox = qobject_cast<const QDateTimeEdit *>(field); dateBox && dateBox->calendarPopup())
            return false;
    }
    const Entry *entry = find(field, key);
    if (!entry)
        return false;
    if (!caretAllowsLeaving(static_cast<QWidget *>(watched), key))
        return false;
    // A move to the field that already has the focus changes nothing, so the
    // key keeps its own meaning there (Home and End move the caret).
    if (!entry->action && entry->to && keyReceiver(entry->to) == watched)
        return false;
    if (shortcutCheck) {
        event->accept();
        return true;
    }
    emit keyPressed(field, key);
    // The entry may go while the action runs (a window closing itself).
    const Entry copy = *entry;
    if (copy.action)
        copy.action();
    else
        moveFocus(copy.to, key);
    return true;
}

} // namespace ui
