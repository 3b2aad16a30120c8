#include "core/controls/ucAmountInput.h"

#include "core/Routines.h"

#include <QLineEdit>

ucAmountInput::ucAmountInput(const QString &accepted, QWidget *parent)
    : ucTextInput(accepted, 11, Qt::AlignRight, ImeMode::Disabled, parent)
{
    connect(TextBox(), &QLineEdit::textEdited, this, [this] { m_stored.clear(); });
}

void ucAmountInput::setText(const QString &value)
{
    m_stored.clear();
    replaceText(fnFormatComma(fnCheckNumberText(value)), false);
}

void ucAmountInput::showStoredNumber(const QString &plain)
{
    m_stored = plain;
    replaceText(fnFormatComma(plain), false);
}

void ucAmountInput::enterField()
{
    // The bare number is edited; taking the separators away is no change
    // the window needs to hear about.
    m_formatting = true;
    const QString shown = TextBox()->text();
    replaceText(!m_stored.isEmpty() && shown == fnFormatComma(m_stored) ? m_stored : fnCheckNumberText(shown), true);
    m_formatting = false;
    ucTextInput::enterField();
}

void ucAmountInput::leaveField()
{
    const QString shown = TextBox()->text();
    replaceText(fnFormatComma(!m_stored.isEmpty() && shown == m_stored ? m_stored : fnCheckNumberText(shown)), false);
    ucTextInput::leaveField();
}
