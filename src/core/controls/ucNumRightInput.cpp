#include "core/controls/ucNumRightInput.h"

ucNumRightInput::ucNumRightInput(QWidget *parent)
    : ucTextInput(QStringLiteral("0123456789"), -1, Qt::AlignRight, ImeMode::Disabled, parent)
{
}
