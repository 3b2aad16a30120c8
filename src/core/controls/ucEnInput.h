#pragma once

#include "core/controls/ucTextInput.h"

// Half-width text: every character, no limit, left-aligned, input method
// off when entered (the user may switch it on).
class ucEnInput : public ucTextInput {
    Q_OBJECT
public:
    explicit ucEnInput(QWidget *parent = nullptr);
};
