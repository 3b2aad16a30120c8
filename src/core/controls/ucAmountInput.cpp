#include "core/controls/ucAmountInput.h"

#include "core/Routines.h"

#include <QLineEdit>

ucAmountInput::ucAmountInput(const QString &accepted, QWidget *parent)
    : ucTextInput(accepted, 11, Qt::AlignRight, ImeMode::Disabled, parent)
{
}

void ucAmountInput::setText(const QString &value)
{
    replaceText(fnFormatComma(fnCheckNumberText(value)), false);
}

void ucAmountInput::enterField()
{
    // The bare number is edited; taking the separators away is no change
    // the window needs to hear about.
    m_formatting = true;
    replaceText(fnCheckNumberText(TextBox()->text()), true);
    m_formatting = false;
    ucTextInput::enterField();
}

void ucAmountInput::leaveField()
{
    replaceText(fnFormatComma(fnCheckNumberText(TextBox()->text())), false);
    ucTextInput::leaveField();
}
