#include "core/controls/ucDenpyoID.h"

ucDenpyoID::ucDenpyoID(QWidget *parent)
    : ucTextInput(QStringLiteral("0123456789"), 9, Qt::AlignRight, ImeMode::Untouched, parent)
{
}
