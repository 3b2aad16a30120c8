#pragma once

#include <QDate>
#include <QString>

// The billing period of one month cut at a closing day ("20日締め",
// "月末締め" or empty). Shared by the main window's date bar and the monthly
// invoice so that both cut the months the same way.
struct ClosingPeriod {
    QDate start;
    QDate end;
};

// The period that ends in the month year/month. With a closing day NN the
// period runs from the day after NN of the previous month to NN of this
// month; a month that has no day NN (30日締め in February) closes on its
// last day, so consecutive periods neither skip nor overlap days. An empty
// text, "月末締め" or a text without a day number gives the calendar month.
ClosingPeriod fnGetClosingPeriod(int year, int month, const QString &shimeBi);

// The day number of a closing-day text (5 for "05日締め"); 0 for "月末締め",
// an empty text or anything that does not begin with a day from 1 to 31.
int fnClosingDay(const QString &shimeBi);
