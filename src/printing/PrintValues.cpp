#include "printing/PrintValues.h"

#include "core/BasicInfo.h"
#include "core/DateValue.h"
#include "core/Routines.h"
#include "printing/ReportCurrency.h"
#include "printing/clsReportPrint.h"

#include <limits>

namespace {
const QString kMemoNames[6] = {QStringLiteral("メモ１行目"), QStringLiteral("メモ２行目"), QStringLiteral("メモ３行目"),
                               QStringLiteral("メモ４行目"), QStringLiteral("メモ５行目"), QStringLiteral("メモ６行目")};
} // namespace

QString fnPostNumberText(const QString &postNumber)
{
    return fnDashToBlank(postNumber.left(3) + QLatin1Char('-') + postNumber.mid(3));
}

QVariant fnReportDate(const QDateTime &value)
{
    if (!value.isValid() || isZeroDate(value))
        return QString();
    return value;
}

QVariant fnReportCurrency(qint64 yen)
{
    return QVariant::fromValue(ReportCurrency::fromYen(yen));
}

QString fnNameHead(const QString &name)
{
    return name.left(25);
}

QString fnNameTail(const QString &name)
{
    return name.mid(25, 25);
}

qint64 fnRoundRatio(qint64 value, qint64 mul, qint64 div)
{
    if (div == 0)
        return 0;
    __int128 n = __int128(value) * mul;
    __int128 d = div;
    if (d < 0) {
        n = -n;
        d = -d;
    }
    const bool negative = n < 0;
    const __int128 magnitude = negative ? -n : n;
    __int128 q = (magnitude * 2 + d) / (d * 2);
    if (negative)
        q = -q;
    if (q > std::numeric_limits<qint64>::max())
        return std::numeric_limits<qint64>::max();
    if (q < std::numeric_limits<qint64>::min())
        return std::numeric_limits<qint64>::min();
    return qint64(q);
}

qint32 fnShouhizeiRitsu()
{
    BasicInfo info;
    info.Initialize();
    info.Load(QStringLiteral("ShouhizeiRitsu"));
    return info.LongValue();
}

void SetReportData(clsReportPrint &report, ReportPart part, const QString &name, const QVariant &value)
{
    if (part == ReportPart::Page)
        report.SetPageData(name, value);
    else
        report.SetDetailData(name, value);
}

void SetMemoLines(clsReportPrint &report, ReportPart part, const QString &memo, const QString &namePrefix)
{
    const QStringList lines = fnSplitLines(memo);
    for (int i = 0; i < 6; ++i) {
        SetReportData(report, part, namePrefix + kMemoNames[i], lines.value(i));
    }
}

LineTax fnLineTax(qint64 amount, qint32 rate)
{
    return LineTax{fnRoundRatio(amount, rate, 100), fnRoundRatio(amount, rate, qint64(rate) + 100)};
}
