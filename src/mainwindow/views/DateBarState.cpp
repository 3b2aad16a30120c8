#include "mainwindow/views/DateBarState.h"

#include "core/ClosingPeriod.h"

namespace {
struct DateItem {
    const char16_t *label;
    const char16_t *column;
};
// The stored creation and update times carry a time after the date; their
// date part is written exactly as the schema's day indexes are, so that the
// engine answers these conditions from them.
constexpr DateItem kItems[] = {
    {u"納期", u"納期"},
    {u"見積日", u"見積もり日付"},
    {u"受注日", u"受注日付"},
    {u"納品日", u"納品日付"},
    {u"請求日", u"請求日付"},
    {u"入金日", u"入金日付"},
    {u"作成日", u"substr(作成日付,1,10)"},
    {u"更新日", u"substr(更新日付,1,10)"},
};

QString slashDate(const QDate &date)
{
    return date.toString(QStringLiteral("yyyy/MM/dd"));
}

QString quoted(QString text)
{
    return QLatin1Char('\'') + text.replace(QLatin1Char('\''), QStringLiteral("''")) + QLatin1Char('\'');
}
} // namespace

int DateBarState::dateItemCount()
{
    return int(std::size(kItems));
}

QString DateBarState::dateItemLabel(int index)
{
    return index >= 0 && index < dateItemCount() ? QString::fromUtf16(kItems[index].label) : QString();
}

QString DateBarState::dateItemColumn(int index)
{
    return index >= 0 && index < dateItemCount() ? QString::fromUtf16(kItems[index].column) : QString();
}

bool DateBarState::monthPeriod(QDate &start, QDate &end) const
{
    if (month.size() != 7 || month.at(4) != QLatin1Char('/'))
        return false;
    bool yearOk = false, monthOk = false;
    const int y = month.left(4).toInt(&yearOk);
    const int m = month.mid(5, 2).toInt(&monthOk);
    if (!yearOk || !monthOk || m < 1 || m > 12)
        return false;
    const ClosingPeriod period = fnGetClosingPeriod(y, m, shimeBi);
    start = period.start;
    end = period.end;
    return true;
}

QString DateBarState::joken() const
{
    const QString column = dateItemColumn(dateItem);
    QString result;
    if (dayMode) {
        result = QLatin1Char('(') + column + QStringLiteral(" = '") + slashDate(day) + QStringLiteral("')");
    } else {
        QDate start, end;
        if (monthPeriod(start, end))
            result = QLatin1Char('(') + column + QStringLiteral(" >= '") + slashDate(start) + QStringLiteral("' AND ")
                     + column + QStringLiteral(" <= '") + slashDate(end) + QStringLiteral("')");
    }
    if (!customerItem.isEmpty()) {
        if (!result.isEmpty())
            result += QStringLiteral(" AND ");
        const QString customerID = customerItem.section(QLatin1Char('/'), 0, 0);
        result += QStringLiteral(" (顧客ID = ") + quoted(customerID) + QLatin1Char(')');
    }
    return result;
}

QString DateBarState::caption() const
{
    const QString label = dateItemLabel(dateItem);
    QString result;
    if (dayMode) {
        result = label + QStringLiteral("：") + slashDate(day);
    } else {
        QDate start, end;
        if (monthPeriod(start, end))
            result = label + QStringLiteral("：") + slashDate(start) + QStringLiteral("～") + slashDate(end);
    }
    if (!customerItem.isEmpty()) {
        if (!result.isEmpty())
            result += QStringLiteral("  ");
        result += QStringLiteral("顧客:") + customerItem;
    }
    return QLatin1Char('*') + result;
}
