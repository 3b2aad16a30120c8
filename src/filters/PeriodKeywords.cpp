#include "filters/PeriodKeywords.h"

#include "core/DateValue.h"

namespace {

enum class Rule { Days, Month, ClosingDay };

struct Keyword {
    QString label;
    Rule rule;
    int offset;     // days from today, or months from the base month
    int closingDay; // for closing-day periods only
};

const QVector<Keyword> &keywords()
{
    static const QVector<Keyword> table = [] {
        QVector<Keyword> t{
            {QStringLiteral("昨日"), Rule::Days, -1, 0},
            {QStringLiteral("今日"), Rule::Days, 0, 0},
            {QStringLiteral("明日"), Rule::Days, 1, 0},
        };
        static const QString digits = QStringLiteral("２３４５６７");
        for (int i = 0; i < digits.size(); ++i) {
            t.append({digits.at(i) + QStringLiteral("日前"), Rule::Days, -(i + 2), 0});
            t.append({digits.at(i) + QStringLiteral("日後"), Rule::Days, i + 2, 0});
        }
        t.append({QStringLiteral("先月"), Rule::Month, -1, 0});
        t.append({QStringLiteral("今月"), Rule::Month, 0, 0});
        t.append({QStringLiteral("来月"), Rule::Month, 1, 0});
        for (int day : {5, 10, 15, 20, 25}) {
            const QString suffix = QStringLiteral("(%1日締)").arg(day);
            t.append({QStringLiteral("先月") + suffix, Rule::ClosingDay, -1, day});
            t.append({QStringLiteral("今月") + suffix, Rule::ClosingDay, 0, day});
            t.append({QStringLiteral("来月") + suffix, Rule::ClosingDay, 1, day});
        }
        return t;
    }();
    return table;
}

// Only half-width blanks are ignored: a full-width blank is part of the text.
QString trimBlanks(const QString &text)
{
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && text.at(start) == QLatin1Char(' '))
        ++start;
    while (end > start && text.at(end - 1) == QLatin1Char(' '))
        --end;
    return text.mid(start, end - start);
}

const Keyword *find(const QString &keyword)
{
    const QString trimmed = trimBlanks(keyword);
    for (const Keyword &k : keywords()) {
        if (k.label == trimmed)
            return &k;
    }
    return nullptr;
}

QDate firstOfMonth(const QDate &d)
{
    return QDate(d.year(), d.month(), 1);
}

} // namespace

const QStringList &PeriodKeywords::labels()
{
    static const QStringList list = [] {
        QStringList l;
        for (const Keyword &k : keywords())
            l << k.label;
        return l;
    }();
    return list;
}

bool PeriodKeywords::isKeyword(const QString &keyword)
{
    return find(keyword) != nullptr;
}

std::optional<std::pair<QDate, QDate>> PeriodKeywords::period(const QString &keyword, const QDate &today)
{
    const Keyword *k = find(keyword);
    if (!k || !today.isValid())
        return std::nullopt;
    switch (k->rule) {
    case Rule::Days: {
        const QDate day = today.addDays(k->offset);
        return std::make_pair(day, day);
    }
    case Rule::Month: {
        const QDate first = firstOfMonth(today).addMonths(k->offset);
        return std::make_pair(first, first.addDays(first.daysInMonth() - 1));
    }
    case Rule::ClosingDay: {
        // The base month is the one whose closing period contains today.
        QDate base = firstOfMonth(today);
        if (today.day() <= k->closingDay)
            base = base.addMonths(-1);
        const QDate startMonth = base.addMonths(k->offset);
        const QDate endMonth = startMonth.addMonths(1);
        return std::make_pair(QDate(startMonth.year(), startMonth.month(), k->closingDay + 1),
                              QDate(endMonth.year(), endMonth.month(), k->closingDay));
    }
    }
    return std::nullopt;
}

QString fnGetKikanFromKeyword(const QString &keyword)
{
    const auto p = PeriodKeywords::period(keyword, today());
    if (!p) {
        const QDate zero = zeroDate().date();
        return formatShortDate(zero) + formatShortDate(zero);
    }
    return formatShortDate(p->first) + formatShortDate(p->second);
}
