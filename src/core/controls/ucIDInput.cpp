#include "core/controls/ucIDInput.h"

ucIDInput::ucIDInput(QWidget *parent)
    : ucTextInput(QStringLiteral("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ+-@"), 14, Qt::AlignLeft,
                  ImeMode::Disabled, parent)
{
}

QChar ucIDInput::filterChar(QChar c) const
{
    if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
        return c.toUpper();
    if (c == QLatin1Char('*'))
        return m_forSearch ? c : QChar();
    return ucTextInput::filterChar(c);
}
