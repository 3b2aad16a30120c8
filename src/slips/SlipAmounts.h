#pragma once

#include "core/Money.h"

#include <QString>
#include <optional>
#include <vector>

// The amount rules of a slip, without widgets: from the lines' unit prices
// and quantities, the discount controls and the tax settings it computes
// every line amount, the line total, the discount, the total, the tax and
// the total with tax, or says that a value left the shown range. The slip
// editor shows the result; tests and benchmarks call it directly.
struct SlipAmountInput {
    struct Line {
        double tanka = 0;
        double suryo = 0;
    };
    std::vector<Line> lines;
    // Ticked: discount by rate; cleared: by amount.
    bool rateOn = false;
    QString rateText;   // the rate box as shown
    QString amountText; // the discount amount box as shown
    // True only when the recalculation was started by typing in the amount
    // box, which then is not rewritten.
    bool amountTyped = false;
    bool taxOn = false;
    qint32 taxRate = 0;    // whole percent
    qint32 taxPattern = 0; // 0: added on top; anything else: contained
};

struct SlipAmountResult {
    // Amounts of the lines computed, from the first on. On a line whose
    // product left the range the list stops: that line is overflowRow and
    // the lines after it keep what they showed.
    std::vector<Money> lineAmounts;
    int overflowRow = -1; // 0-based; -1 when every line was computed
    // A value left ±9,999,999,999 (or the money type): the totals are not
    // shown and the slip cannot be registered.
    bool overflow = false;
    Money lineTotal, discount, total, tax, totalWithTax;
    // Whether the discount step ran (the boxes' enabling follows the tick).
    bool discountReached = false;
    // New texts for the discount boxes, when they change.
    std::optional<QString> amountBoxText;
    std::optional<QString> rateBoxText;

    // Texts of the shown values ("" for each total on overflow).
    QString lineTotalText() const;
    QString totalText() const { return overflow ? QString() : total.display(); }
    QString taxText() const { return overflow ? QString() : tax.display(); }
    QString totalWithTaxText() const { return overflow ? QString() : totalWithTax.display(); }
};

namespace SlipAmounts {
inline const QString kOverflowText = QStringLiteral("数値オーバー");

SlipAmountResult compute(const SlipAmountInput &input);
// The same rules from a line total already summed (the input's lines are
// not read): what the slip stores for lines whose amounts are known.
SlipAmountResult totals(Money lineTotal, const SlipAmountInput &input);

// The 金額 column's text of a line amount ("###,###,###": 0 shows blank).
QString lineAmountText(Money amount);
// The numeric value of a cell or box text ("1,234.5" -> 1234.5, "5-" -> -5);
// 0 for a blank text or one that is no number.
double numberValue(const QString &text);
} // namespace SlipAmounts
