#pragma once

#include <QString>
#include <QWidget>

class QLineEdit;
class InputTextBox;

// The common part of the one-line entry fields: a container holding exactly
// one text box (Text1, reached through TextBox()). The field filters typed and
// pasted characters, selects its whole text when it is entered and reports
// keys, changes and focus to the window as signals; it moves no focus itself.
//
// Signals, in the order they can follow one another:
//   TextBoxChange     the box's text changed (typing, deleting, pasting,
//                     assignment through Text or TextBox); quiet while an
//                     amount field rewrites its own text on entry.
//   TextBoxKeyDown    every key press in the box, before the box handles it
//                     and before the character filter. KeyCode is a Qt::Key
//                     (Enter arrives as Qt::Key_Return or Qt::Key_Enter),
//                     Shift the Qt::KeyboardModifiers; a handler that sets
//                     KeyCode to 0 keeps the key from the box. Connect it
//                     directly: the arguments are references.
//   TextBoxGotFocus   after the field was entered and its text selected.
//   TextBoxLostFocus  after the field was left (and an amount formatted).
//
// Only typed (and pasted) characters are filtered; text assigned through
// Text or TextBox is taken as it is.
class ucTextInput : public QWidget {
    Q_OBJECT
public:
    ~ucTextInput() override;

    // The box itself; text written through it bypasses Text and formatting.
    QLineEdit *TextBox() const;

    // The enabled state of the box (the container stays enabled).
    bool Enabled() const;
    void setEnabled(bool enabled);

    // Read: the box's text without leading and trailing blanks (full-width
    // blanks included). Write: see the field kinds; plain fields store the
    // value unchanged.
    QString Text() const;
    virtual void setText(const QString &value);

    // -1 stands for no limit. Values outside -1..32766 throw std::out_of_range.
    int MaxLength() const { return m_maxLength; }
    void setMaxLength(int value);

    int SelStart() const;
    void setSelStart(int value);
    int SelLength() const;
    void setSelLength(int value);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // The entry fields' font: a Japanese monospaced gothic, 9 point.
    static QFont fieldFont();

signals:
    void TextBoxChange();
    void TextBoxKeyDown(int &KeyCode, int &Shift);
    void TextBoxGotFocus();
    void TextBoxLostFocus();

protected:
    // How the field treats the input method while it has the focus.
    enum class ImeMode {
        On,        // switched on for the field (the conversion mode is the user's)
        Off,       // off when entered; the user may switch it on
        Disabled,  // cannot be switched on in the field
        Untouched, // left as the input method is
    };

    // accepted: the characters that may be typed; empty = every character
    // text::isEnterable allows (no line breaks or other controls).
    ucTextInput(const QString &accepted, int designedMaxLength, Qt::Alignment alignment,
                ImeMode ime, QWidget *parent);

    // The character typed, as it goes into the box, or a null QChar when the
    // field refuses it.
    virtual QChar filterChar(QChar c) const;
    // The number of characters at which typing stops; -1 = none.
    virtual int typedLengthLimit() const { return m_maxLength; }
    virtual void enterField();
    virtual void leaveField();

    // Replaces the box's text; quiet = no TextBoxChange for this change.
    void replaceText(const QString &text, bool quiet);
    void selectAllText();

    void resizeEvent(QResizeEvent *event) override;

private:
    friend class InputTextBox;

    // Keeps what may be inserted of `typed` at the caret: filtered character
    // by character, and cut where the typing limit is reached once
    // `replaced` characters of the current text have made room.
    QString filterTyped(const QString &typed, int replaced) const;
    bool keyDown(int &keyCode, int &shift);
    void boxChanged();

    InputTextBox *m_box;
    QString m_accepted;
    int m_maxLength;
    bool m_quiet = false;
};
