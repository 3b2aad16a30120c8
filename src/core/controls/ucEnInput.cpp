#include "core/controls/ucEnInput.h"

ucEnInput::ucEnInput(QWidget *parent)
    : ucTextInput(QString(), -1, Qt::AlignLeft, ImeMode::Off, parent)
{
}
