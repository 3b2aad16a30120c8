#include "filters/SearchConditionKey.h"

#include "core/Routines.h"

#include <QHash>

namespace {
const QChar kSeparator = QLatin1Char('@');
const int kColumnStart = 20; // 0-based position 21
} // namespace

std::optional<SearchConditionKey> SearchConditionKey::parse(const QString &key)
{
    // The column ends at the first "@"; one inside the stamp or code part
    // means the key was not written by the editor.
    const int at = key.indexOf(kSeparator);
    if (at < kColumnStart)
        return std::nullopt;
    SearchConditionKey k;
    k.stamp = key.left(kStampWidth);
    k.code = key.mid(kStampWidth, 3);
    k.column = key.mid(kColumnStart, at - kColumnStart);
    k.value = key.mid(at + 1);
    return k;
}

QString SearchConditionKey::withoutStamp() const
{
    return code + column + kSeparator + value;
}

QString SearchConditionKey::text() const
{
    return stamp.leftJustified(kStampWidth, QLatin1Char(' '), true) + withoutStamp();
}

QString SearchConditionKey::stampOf(const QDateTime &moment)
{
    static const QDateTime epoch(QDate(1899, 12, 30), QTime(0, 0, 0));
    const QDateTime local(moment.date(), moment.time());
    const double days = double(epoch.date().daysTo(local.date()))
                        + double(local.time().msecsSinceStartOfDay()) / 86400000.0;
    return QString::number(days, 'g', 15).leftJustified(kStampWidth, QLatin1Char(' '), true);
}

QString SearchConditionKey::stamped(const QDateTime &moment, const QString &keyWithoutStamp)
{
    return stampOf(moment) + keyWithoutStamp;
}

QString SearchConditionKey::codeOf(const QString &inputKind)
{
    static const QHash<QString, QString> codes{
        {QStringLiteral("NumInput"), QStringLiteral("N00")},
        {QStringLiteral("Kingaku"), QStringLiteral("K00")},
        {QStringLiteral("IDInput"), QStringLiteral("I00")},
        {QStringLiteral("IDInput_Customer_CustomerID"), QStringLiteral("I21")},
        {QStringLiteral("IDInput_Shohin_ShohinID"), QStringLiteral("I31")},
        {QStringLiteral("StringInput"), QStringLiteral("S00")},
        {QStringLiteral("StringInput_Customer_NameKnj"), QStringLiteral("S22")},
        {QStringLiteral("StringInput_Customer_NameKana"), QStringLiteral("S23")},
        {QStringLiteral("StringInput_Customer_Bumon"), QStringLiteral("S24")},
        {QStringLiteral("StringInput_Shohin_Number"), QStringLiteral("S32")},
        {QStringLiteral("StringInput_Shohin_Name"), QStringLiteral("S33")},
        {QStringLiteral("StringInput_Shohin_Maker"), QStringLiteral("S34")},
        {QStringLiteral("YesNo"), QStringLiteral("Y00")},
        {QStringLiteral("SuruShinai"), QStringLiteral("Z00")},
        {QStringLiteral("DateInput"), QStringLiteral("D00")},
        {QStringLiteral("DateInputForDateTime"), QStringLiteral("T00")},
    };
    return codes.value(inputKind);
}

bool SearchConditionKey::isPeriodLabel(const QString &value)
{
    return value.size() >= 2 && (value.at(1) == QChar(u'月') || value.at(1) == QChar(u'日'));
}

QString SearchConditionKey::displayText(const QString &code, const QString &value)
{
    static const QString tilde = QStringLiteral("～");
    const QChar letter = code.isEmpty() ? QChar() : code.at(0);
    switch (letter.unicode()) {
    case 'N':
    case 'K': {
        const QString lower = QString::number(value.left(9).trimmed().toLongLong());
        const QString upper = QString::number(value.mid(9, 9).trimmed().toLongLong());
        if (letter == QLatin1Char('N'))
            return lower + tilde + upper;
        return fnFormatComma(lower) + tilde + fnFormatComma(upper);
    }
    case 'Y':
        return value == QLatin1String("Y") ? QStringLiteral("済み") : QStringLiteral("未済み");
    case 'Z':
        return value == QLatin1String("Y") ? QStringLiteral("する") : QStringLiteral("しない");
    case 'D':
    case 'T':
        if (isPeriodLabel(value))
            return value;
        return value.left(8) + tilde + value.mid(8, 8);
    default:
        return value;
    }
}
