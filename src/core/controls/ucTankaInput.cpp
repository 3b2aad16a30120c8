#include "core/controls/ucTankaInput.h"

ucTankaInput::ucTankaInput(QWidget *parent)
    : ucAmountInput(QStringLiteral("0123456789-."), parent)
{
}
