#include "core/controls/ucTelInput.h"

ucTelInput::ucTelInput(QWidget *parent)
    : ucTextInput(QStringLiteral("0123456789-"), 15, Qt::AlignLeft, ImeMode::Disabled, parent)
{
}
