#pragma once

#include <QString>

// A double as plain decimal text: at most 15 significant digits, no
// thousands separators, no exponent, no trailing zeros, "-" when negative.
// 1500 gives "1500", 1234.5 gives "1234.5", 2.5e15 gives "2500000000000000".
QString plainDecimalText(double value);
