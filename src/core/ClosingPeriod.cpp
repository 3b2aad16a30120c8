#include "core/ClosingPeriod.h"

#include <algorithm>

int fnClosingDay(const QString &shimeBi)
{
    bool ok = false;
    const int day = shimeBi.left(2).toInt(&ok);
    return ok && day >= 1 && day <= 31 ? day : 0;
}

ClosingPeriod fnGetClosingPeriod(int year, int month, const QString &shimeBi)
{
    const QDate first(year, month, 1);
    const int day = fnClosingDay(shimeBi);
    if (day == 0)
        return {first, first.addDays(first.daysInMonth() - 1)};
    const QDate previous = first.addMonths(-1);
    const QDate previousClose(previous.year(), previous.month(), std::min(day, previous.daysInMonth()));
    return {previousClose.addDays(1), QDate(year, month, std::min(day, first.daysInMonth()))};
}
