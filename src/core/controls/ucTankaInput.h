#pragma once

#include "core/controls/ucAmountInput.h"

// Unit prices: digits, "-" and "." may be typed.
class ucTankaInput : public ucAmountInput {
    Q_OBJECT
public:
    explicit ucTankaInput(QWidget *parent = nullptr);
};
