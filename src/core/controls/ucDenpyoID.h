#pragma once

#include "core/controls/ucTextInput.h"

// Slip numbers: digits only, at most 9, right-aligned; the input method is
// left as it is.
class ucDenpyoID : public ucTextInput {
    Q_OBJECT
public:
    explicit ucDenpyoID(QWidget *parent = nullptr);
};
