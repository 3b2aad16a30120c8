#pragma once

#include <QMetaType>
#include <QtGlobal>

// A currency amount handed to a report: a 64-bit count of ten-thousandths,
// kept apart from plain numbers because fields format the two differently.
struct ReportCurrency {
    qint64 tenThousandths = 0;

    static ReportCurrency fromYen(qint64 yen) { return ReportCurrency{yen * 10000}; }
    double toDouble() const { return tenThousandths / 10000.0; }
    bool operator==(const ReportCurrency &) const = default;
};
Q_DECLARE_METATYPE(ReportCurrency)
