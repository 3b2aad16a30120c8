#include "core/controls/InputTextBox.h"

#include "core/controls/ucTextInput.h"

#include <QAction>
#include <QApplication>
#include <QKeySequence>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

InputTextBox::InputTextBox(ucTextInput *owner) : QLineEdit(owner), m_owner(owner)
{
    // A drop would bring in text past the filter.
    setAcceptDrops(false);
    setMaxLength(32767);
    // The focus moved on within our window while another window was active:
    // this box got no focus-out of its own for it, but it has been left.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) {
        if (m_entered && now && now != this && now->window() == window())
            leave();
    });
}

InputTextBox::~InputTextBox()
{
    disconnect(qApp, nullptr, this, nullptr);
}

void InputTextBox::leave()
{
    m_entered = false;
    if (m_owner)
        m_owner->leaveField();
}

void InputTextBox::insertFiltered(const QString &text, bool typed)
{
    if (!m_owner)
        return;
    // Typing stops at the limit whatever is selected; pasted text may use
    // the room the selection it replaces leaves.
    const int replaced = typed ? 0 : int(selectedText().size());
    const QString kept = m_owner->filterTyped(text, replaced);
    if (!kept.isEmpty())
        insert(kept);
}

void InputTextBox::pasteFiltered()
{
    if (isReadOnly())
        return;
    insertFiltered(QGuiApplication::clipboard()->text(QClipboard::Clipboard), false);
}

void InputTextBox::keyPressEvent(QKeyEvent *event)
{
    if (!m_owner) {
        event->accept();
        return;
    }
    int keyCode = event->key();
    int shift = int(event->modifiers());
    if (!m_owner->keyDown(keyCode, shift)) {
        event->accept();
        return;
    }
    if (keyCode == Qt::Key_Return || keyCode == Qt::Key_Enter) {
        // Enter inserts nothing and triggers no default button behind the
        // window's back: the window has already seen it.
        event->accept();
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        pasteFiltered();
        event->accept();
        return;
    }
    const QString text = event->text();
    const Qt::KeyboardModifiers commandKeys = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    if (!isReadOnly() && !text.isEmpty() && text.at(0).isPrint() && !(event->modifiers() & commandKeys)) {
        insertFiltered(text, true);
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void InputTextBox::inputMethodEvent(QInputMethodEvent *event)
{
    const QString commit = event->commitString();
    if (commit.isEmpty() || isReadOnly()) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    const QString kept = m_owner ? m_owner->filterTyped(commit, 0) : QString();
    if (kept == commit) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent filtered(event->preeditString(), event->attributes());
    filtered.setCommitString(kept, event->replacementStart(), event->replacementLength());
    QLineEdit::inputMethodEvent(&filtered);
}

void InputTextBox::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    if (!m_entered && m_owner) {
        m_entered = true;
        m_owner->enterField();
    }
}

void InputTextBox::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    // Another application, a message box or a popup menu taking the focus
    // for a while does not leave the field.
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason)
        return;
    if (m_entered)
        leave();
}

void InputTextBox::contextMenuEvent(QContextMenuEvent *event)
{
    // Our own menu: the standard one pastes past the filter, and its
    // actions cannot be told apart reliably to reroute the paste.
    auto *menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const bool editable = !isReadOnly();
    const bool selected = hasSelectedText();
    auto add = [menu](const QString &name, const QString &text, QKeySequence::StandardKey key, bool enabled,
                      auto slot) {
        QAction *action = menu->addAction(text, slot);
        action->setObjectName(name);
        action->setShortcut(QKeySequence(key));
        action->setEnabled(enabled);
    };
    add(QStringLiteral("edit-undo"), QStringLiteral("元に戻す(&U)"), QKeySequence::Undo,
        editable && isUndoAvailable(), [this] { undo(); });
    add(QStringLiteral("edit-redo"), QStringLiteral("やり直し(&R)"), QKeySequence::Redo,
        editable && isRedoAvailable(), [this] { redo(); });
    menu->addSeparator();
    add(QStringLiteral("edit-cut"), QStringLiteral("切り取り(&T)"), QKeySequence::Cut,
        editable && selected && echoMode() == Normal, [this] { cut(); });
    add(QStringLiteral("edit-copy"), QStringLiteral("コピー(&C)"), QKeySequence::Copy,
        selected && echoMode() == Normal, [this] { copy(); });
    add(QStringLiteral("edit-paste"), QStringLiteral("貼り付け(&P)"), QKeySequence::Paste,
        editable && !QGuiApplication::clipboard()->text().isEmpty(), [this] { pasteFiltered(); });
    add(QStringLiteral("edit-delete"), QStringLiteral("削除(&D)"), QKeySequence::Delete, editable && selected,
        [this] { del(); });
    menu->addSeparator();
    add(QStringLiteral("select-all"), QStringLiteral("すべて選択(&A)"), QKeySequence::SelectAll,
        !text().isEmpty(), [this] { selectAll(); });
    menu->popup(event->globalPos());
    event->accept();
}

void InputTextBox::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection()) {
        if (!isReadOnly()) {
            deselect();
            setCursorPosition(cursorPositionAt(event->position().toPoint()));
            insertFiltered(QGuiApplication::clipboard()->text(QClipboard::Selection), false);
        }
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}
