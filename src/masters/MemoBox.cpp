#include "masters/MemoBox.h"

#include "core/Routines.h"

#include <QTextCursor>

MemoBox::MemoBox(QWidget *parent) : QPlainTextEdit(parent)
{
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setTabChangesFocus(true);
    connect(this, &QPlainTextEdit::textChanged, this, &MemoBox::enforceLimit);
}

QString MemoBox::Text() const
{
    QString text = toPlainText();
    return text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
}

void MemoBox::setText(const QString &text)
{
    QString plain = text;
    plain.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    // Assigned text is taken whole; the limit is for typing.
    m_trimming = true;
    setPlainText(plain);
    m_trimming = false;
}

void MemoBox::focusInEvent(QFocusEvent *event)
{
    QPlainTextEdit::focusInEvent(event);
    ImeHiraganaOn();
}

// Cuts what was just typed or pasted beyond the limit, just before the caret.
// Text assigned through setText is left whole.
void MemoBox::enforceLimit()
{
    if (m_trimming || m_maxLength <= 0)
        return;
    const QString plain = toPlainText();
    int excess = plain.size() + int(plain.count(QLatin1Char('\n'))) - m_maxLength;
    if (excess <= 0)
        return;
    m_trimming = true;
    QTextCursor cursor = textCursor();
    int position = cursor.position();
    int start = position;
    while (excess > 0 && start > 0) {
        --start;
        excess -= plain.at(start) == QLatin1Char('\n') ? 2 : 1;
    }
    cursor.setPosition(start);
    cursor.setPosition(position, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    setTextCursor(cursor);
    m_trimming = false;
}
