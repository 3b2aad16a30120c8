#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

// The five totals of one slip as the line-transfer dialog shows and commits
// them. They keep their own rounding, apart from the slip editor's: the
// discount and the tax are rounded down, the tax always added on top.
class CopyTotals {
public:
    // The largest tax-included total a slip may take.
    static constexpr qint64 kLimit = 999999999;

    // lineSum: the amounts of the lines the slip will have. With ritsuOn the
    // discount is taken from the line sum reduced by ritsu percent (rounded
    // down), else it is the slip's fixed nebikiKingaku.
    static CopyTotals compute(qint64 lineSum, bool ritsuOn, qint32 ritsu, qint64 nebikiKingaku,
                              bool shouhizeiIn, qint32 taxRate);

    qint64 meisaiSum = 0;
    qint64 nebikiKingaku = 0;
    qint64 summery = 0;
    qint64 shouhizei = 0;
    qint64 summeryWithShouhizei = 0;

    // 合計, 消費税 and 税込合計 show "######": the total is negative or the
    // tax-included total is above the limit.
    bool hidden() const { return summery < 0 || summeryWithShouhizei > kLimit; }
    // Whether a slip may be saved with these totals: the tax-included total
    // is within the limit and every total fits a stored amount.
    bool committable() const;

    // The five label texts, 明細計 to 税込合計.
    QStringList texts() const;
    // "###,###,###": separators, a leading minus, nothing for 0.
    static QString format(qint64 value);
};
