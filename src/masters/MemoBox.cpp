#include "masters/MemoBox.h"

#include "core/Routines.h"
#include "platform/text/Cp932.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextCursor>

namespace {
QString entered(const QString &text)
{
    QString kept = text::toCp932Form(text);
    kept.remove(QChar(0));
    return kept;
}
} // namespace

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
    ImeHiraganaOn(this);
}

void MemoBox::keyPressEvent(QKeyEvent *event)
{
    const QString kept = entered(event->text());
    if (kept == event->text()) {
        QPlainTextEdit::keyPressEvent(event);
        return;
    }
    QKeyEvent filtered(event->type(), event->key(), event->modifiers(), event->nativeScanCode(),
                       event->nativeVirtualKey(), event->nativeModifiers(), kept, event->isAutoRepeat(),
                       quint16(event->count()), event->device());
    QPlainTextEdit::keyPressEvent(&filtered);
    event->setAccepted(filtered.isAccepted());
}

void MemoBox::inputMethodEvent(QInputMethodEvent *event)
{
    const QString kept = entered(event->commitString());
    if (kept == event->commitString()) {
        QPlainTextEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent filtered(event->preeditString(), event->attributes());
    filtered.setCommitString(kept, event->replacementStart(), event->replacementLength());
    QPlainTextEdit::inputMethodEvent(&filtered);
}

void MemoBox::insertFromMimeData(const QMimeData *source)
{
    if (!source || !source->hasText())
        return;
    // Plain text only: the memo is stored as text.
    QMimeData plain;
    plain.setText(entered(source->text()));
    QPlainTextEdit::insertFromMimeData(&plain);
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
