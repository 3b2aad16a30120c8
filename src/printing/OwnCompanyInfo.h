#pragma once

#include <QString>

class clsReportPrint;

// The own-company details: 21 settings of 基本情報テーブル, each printed as
// one page item. The account types are numbers (0 当座, otherwise 普通);
// every other key holds text.
struct OwnCompanyKey {
    const char *key;
    const char16_t *item;
    bool accountType;
};
extern const OwnCompanyKey kOwnCompanyKeys[21];

// The text an account type prints as.
QString fnKozaShuruiText(qint32 value);

// Sets the 21 own-company page items from the settings; a missing key
// prints empty (an account type as 当座). An account whose bank, branch and
// number are all empty is not set: its type prints empty too. Throws
// db::DbError.
void SetOwnCompanyPageData(clsReportPrint &report);
