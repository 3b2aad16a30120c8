#include "core/controls/ucNumLeftInput.h"

ucNumLeftInput::ucNumLeftInput(QWidget *parent)
    : ucTextInput(QStringLiteral("0123456789"), -1, Qt::AlignLeft, ImeMode::Disabled, parent)
{
}
