#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

// The five totals of one slip as the line-transfer dialog shows and commits
// them. They follow the slip editor's amount rules (SlipAmounts), so that a
// transferred slip opened in the editor and registered again stays as it
// was: the discount and the tax rounded by fnRoundOff, the tax added on top
// or contained in the total by the shop's tax pattern.
class CopyTotals {
public:
    // The largest tax-included total a slip may take.
    static constexpr qint64 kLimit = 999999999;

    // lineSum: the amounts of the lines the slip will have. With ritsuOn the
    // discount is ritsu percent of the line sum, else the slip's fixed
    // nebikiKingaku. taxPattern: 0 adds the tax on top, any other value
    // takes it as contained in the total.
    static CopyTotals compute(qint64 lineSum, bool ritsuOn, qint32 ritsu, qint64 nebikiKingaku,
                              bool shouhizeiIn, qint32 taxRate, qint32 taxPattern);

    qint64 meisaiSum = 0;
    qint64 nebikiKingaku = 0;
    qint64 summery = 0;
    qint64 shouhizei = 0;
    qint64 summeryWithShouhizei = 0;
    // A value left the range the slip editor shows: such a slip cannot be
    // registered there either.
    bool overflow = false;

    // 合計, 消費税 and 税込合計 show "######": the total is negative, the
    // tax-included total is above the limit or a value overflowed.
    bool hidden() const { return overflow || summery < 0 || summeryWithShouhizei > kLimit; }
    // Whether a slip may be saved with these totals: the tax-included total
    // is within the limit and every total fits a stored amount.
    bool committable() const;

    // The five label texts, 明細計 to 税込合計.
    QStringList texts() const;
    // "###,###,###": separators, a leading minus, nothing for 0.
    static QString format(qint64 value);
};
