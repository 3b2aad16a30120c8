#pragma once

#include "core/controls/ucTextInput.h"

// Digit strings, left-aligned, no limit, no input method.
class ucNumLeftInput : public ucTextInput {
    Q_OBJECT
public:
    explicit ucNumLeftInput(QWidget *parent = nullptr);
};
