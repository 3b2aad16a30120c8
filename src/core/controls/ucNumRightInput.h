#pragma once

#include "core/controls/ucTextInput.h"

// Digit strings, right-aligned, no limit, no input method.
class ucNumRightInput : public ucTextInput {
    Q_OBJECT
public:
    explicit ucNumRightInput(QWidget *parent = nullptr);
};
