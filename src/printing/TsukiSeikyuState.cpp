#include "printing/TsukiSeikyuState.h"

namespace {
const char *const kLabels[] = {"伝票納期", "伝票受注日付", "伝票納品日付"};
const char *const kColumns[] = {"納期", "受注日付", "納品日付"};

int clampIndex(int index)
{
    return index >= 0 && index < TsukiSeikyuState::dateItemCount() ? index : 0;
}

QString quoted(const QString &text)
{
    QString doubled = text;
    doubled.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + doubled + QLatin1Char('\'');
}
} // namespace

ClosingPeriod TsukiSeikyuState::proposePeriod(const QString &shimeBi, const QDate &today)
{
    if (fnClosingDay(shimeBi) == 0) {
        const QDate previous = today.addMonths(-1);
        return fnGetClosingPeriod(previous.year(), previous.month(), shimeBi);
    }
    ClosingPeriod period = fnGetClosingPeriod(today.year(), today.month(), shimeBi);
    if (period.end > today) {
        const QDate previous = QDate(today.year(), today.month(), 1).addMonths(-1);
        period = fnGetClosingPeriod(previous.year(), previous.month(), shimeBi);
    }
    return period;
}

QString TsukiSeikyuState::dateItemLabel(int index)
{
    return QString::fromUtf8(kLabels[clampIndex(index)]);
}

QString TsukiSeikyuState::dateItemCaption(int index)
{
    return QString::fromUtf8(kColumns[clampIndex(index)]);
}

int TsukiSeikyuState::dateItemFromText(const QString &text)
{
    bool ok = false;
    const int index = text.trimmed().toInt(&ok);
    return ok ? clampIndex(index) : 0;
}

QString TsukiSeikyuState::where() const
{
    const QString c = dateItemCaption(dateItem);
    const QString f = from.toString(QStringLiteral("yyyy/MM/dd"));
    const QString t = to.toString(QStringLiteral("yyyy/MM/dd"));
    QString text = QStringLiteral("(") + c + QStringLiteral(" >= '") + f + QStringLiteral("' AND ") + c
                   + QStringLiteral(" <= '") + t + QStringLiteral("')") + QStringLiteral(" AND")
                   + QStringLiteral(" (顧客ID = ") + quoted(customerID) + QStringLiteral(")");
    if (miSeikyuOnly)
        text += QStringLiteral(" AND") + QStringLiteral(" (請求 = FALSE)");
    return text;
}

QString TsukiSeikyuState::order() const
{
    return QStringLiteral("伝票テーブル.") + dateItemCaption(dateItem) + QStringLiteral(", 伝票テーブル.伝票番号");
}

QString TsukiSeikyuState::invoicedList(const QVector<qint32> &ids, const QVector<bool> &flags)
{
    QString text;
    int listed = 0;
    for (int i = 0; i < ids.size() && i < flags.size(); ++i) {
        if (!flags[i])
            continue;
        if (listed == 10) {
            text += QStringLiteral(":");
            break;
        }
        text += QString::number(ids[i]);
        if (i != ids.size() - 1)
            text += QStringLiteral("\r\n");
        ++listed;
    }
    return text;
}

QString TsukiSeikyuState::invoicedQuestion(const QString &list)
{
    return QStringLiteral("既に請求済の伝票が存在しています。続行しますか？") + QStringLiteral("\r\n") + list
           + QStringLiteral("\r\n");
}

QString TsukiSeikyuState::noFormMessage()
{
    return QStringLiteral("請求書フォームが指定されていません。");
}

QString TsukiSeikyuState::overwriteQuestion()
{
    return QStringLiteral("この日付の請求書は既に存在しています。上書きしますか？");
}

QString TsukiSeikyuState::emptyPeriodMessage()
{
    return QStringLiteral("この期間に請求する伝票がありません。");
}
