#pragma once

#include "core/controls/ucTextInput.h"

// Japanese text: every character, at most 50 until a window sets another
// limit, left-aligned, input method switched on while it has the focus.
class ucJaInput : public ucTextInput {
    Q_OBJECT
public:
    explicit ucJaInput(QWidget *parent = nullptr);
};
