#pragma once

#include "core/controls/ucTextInput.h"

// Telephone and fax numbers: digits and "-", at most 15, left-aligned,
// no input method.
class ucTelInput : public ucTextInput {
    Q_OBJECT
public:
    explicit ucTelInput(QWidget *parent = nullptr);
};
