#pragma once

#include <QPlainTextEdit>

// The editors' multi-line memo: line breaks are CR LF in its text (as they
// are stored and copied), the limit counts them as two characters, and the
// input method is switched on when it is entered. Typed, pasted and dropped
// text comes in as a CP932 file would give it back, without NUL characters.
class MemoBox : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit MemoBox(QWidget *parent = nullptr);

    QString Text() const;
    void setText(const QString &text);
    int MaxLength() const { return m_maxLength; }
    void setMaxLength(int value) { m_maxLength = value; }

protected:
    void focusInEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void insertFromMimeData(const QMimeData *source) override;

private:
    void enforceLimit();

    int m_maxLength = 0;
    bool m_trimming = false;
};
