#pragma once

#include <QLineEdit>

class ucTextInput;

// The one-line box inside an entry field. It routes every way text can be
// typed or pasted in (keys, input method, clipboard, selection, drop)
// through its owner's filter, and reports focus changes within the window.
class InputTextBox : public QLineEdit {
    Q_OBJECT
public:
    explicit InputTextBox(ucTextInput *owner);
    ~InputTextBox() override;

    // The owner's destructor has begun: the box calls nothing of it any more
    // and takes no more input. (A QPointer would clear only in
    // ~QObject, after the owner's QWidget part has cleared the focus and so
    // sent this box its last focus-out.)
    void ownerGone() { m_owner = nullptr; }

    // Inserts clipboard text as if it had been typed.
    void pasteFiltered();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void insertFiltered(const QString &text, bool typed);
    void leave();

    ucTextInput *m_owner;
    // Entered and not yet left: a message box or a popup menu taking the
    // focus for a moment neither leaves nor re-enters the field.
    bool m_entered = false;
};
