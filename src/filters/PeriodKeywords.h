#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>
#include <utility>

// The relative periods a date condition can hold ("今日", "先月",
// "今月(20日締)" ...), turned into dates at the moment a filter runs.
class PeriodKeywords {
public:
    // All 33 keywords, in the order the date dialog offers them.
    static const QStringList &labels();
    static bool isKeyword(const QString &keyword); // blanks around it ignored

    // The inclusive first and last day of a keyword's period counted from
    // the given day; nullopt for an unknown keyword.
    static std::optional<std::pair<QDate, QDate>> period(const QString &keyword, const QDate &today);
};

// The period of a keyword counted from today as 16 characters, the start
// and end dates each "yy/mm/dd"; an unknown keyword gives the zero date
// twice, "99/12/3099/12/30".
QString fnGetKikanFromKeyword(const QString &keyword);
