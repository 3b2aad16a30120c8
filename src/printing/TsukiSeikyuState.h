#pragma once

#include "core/ClosingPeriod.h"

#include <QDate>
#include <QString>
#include <QVector>

// What the monthly invoice window has chosen, and what follows from it: the
// proposed period, the slip condition, the order of the list and the
// question about slips invoiced before. Free of widgets so that each rule
// can be checked without a window.
struct TsukiSeikyuState {
    QString customerID;
    int dateItem = 0; // 0 納期, 1 受注日付, 2 納品日付
    QDate from;
    QDate to;
    bool miSeikyuOnly = false;

    // The period that ended last on or before today: with a closing day the
    // one whose closing day (the month's last day when the month is shorter)
    // is today or the latest before it; without one ("" or "月末締め") the
    // previous calendar month, even on a month's last day.
    static ClosingPeriod proposePeriod(const QString &shimeBi, const QDate &today);

    static int dateItemCount() { return 3; }
    static QString dateItemLabel(int index);  // "伝票納期" ...
    static QString dateItemCaption(int index); // "納期" ...
    // A stored index outside 0 to 2 or not a number gives 0.
    static int dateItemFromText(const QString &text);

    // The slip condition on 伝票テーブル (the ID has its quotes doubled).
    QString where() const;
    QString order() const;

    // The numbers of the slips invoiced before, for the question; empty when
    // none. ids and flags run in slip-number order.
    static QString invoicedList(const QVector<qint32> &ids, const QVector<bool> &flags);
    static QString invoicedQuestion(const QString &list);

    static QString noFormMessage();
    static QString overwriteQuestion();
    static QString emptyPeriodMessage();
};
