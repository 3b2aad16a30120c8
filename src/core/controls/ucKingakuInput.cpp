#include "core/controls/ucKingakuInput.h"

ucKingakuInput::ucKingakuInput(QWidget *parent)
    : ucAmountInput(QStringLiteral("0123456789-"), parent)
{
}
