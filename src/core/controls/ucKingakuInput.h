#pragma once

#include "core/controls/ucAmountInput.h"

// Amounts of money: digits and "-" may be typed.
class ucKingakuInput : public ucAmountInput {
    Q_OBJECT
public:
    explicit ucKingakuInput(QWidget *parent = nullptr);
};
