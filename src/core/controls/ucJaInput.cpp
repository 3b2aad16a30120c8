#include "core/controls/ucJaInput.h"

ucJaInput::ucJaInput(QWidget *parent)
    : ucTextInput(QString(), 50, Qt::AlignLeft, ImeMode::On, parent)
{
}
