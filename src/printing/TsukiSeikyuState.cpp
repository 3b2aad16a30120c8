#include "printing/TsukiSeikyuState.h"

#include "core/DateValue.h"
#include "core/Globals.h"
#include "core/Routines.h"
#include "model/RecordFields.h"

namespace {
const char *const kLabels[] = {"伝票納期", "伝票受注日付", "伝票納品日付"};
const char *const kColumns[] = {"納期", "受注日付", "納品日付"};

int clampIndex(int index)
{
    return index >= 0 && index < TsukiSeikyuState::dateItemCount() ? index : 0;
}

QString plain(qint64 value)
{
    return value == 0 ? QString() : fnFormatNumber(QStringLiteral("#,###"), double(value));
}

QString quantity(double value)
{
    return fnFormatNumber(QStringLiteral("#,###.###"), value);
}

// Line texts as a line takes them: without line breaks and blanks around.
QString lineText(const db::Statement &st, int column)
{
    return fnRemoveCrLf(st.text(column));
}

QStringList lineRow(const QString &id, const QString &number, const QString &name, double suryo,
                    const QString &tanni, double tanka, qint32 kingaku, const QString &bikou)
{
    QStringList cells(13);
    cells[2] = id;
    cells[3] = number;
    cells[4] = name;
    cells[5] = quantity(suryo);
    cells[6] = tanni;
    cells[7] = quantity(tanka);
    cells[8] = plain(kingaku);
    cells[9] = bikou;
    return cells;
}

QStringList blankFilled(QStringList cells)
{
    for (int i = 1; i < cells.size(); ++i) {
        if (cells[i].isEmpty())
            cells[i] = QStringLiteral(" ");
    }
    return cells;
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

void TsukiSeikyuState::slips(QVector<qint32> &ids, QVector<bool> &flags) const
{
    db::Statement st = connection().prepare(QStringLiteral("SELECT 伝票番号, 請求 FROM 伝票テーブル%1 ORDER BY "
                                                           "伝票テーブル.伝票番号")
                                                .arg(recordfields::whereClause(where())));
    while (st.step()) {
        ids << recordfields::int32(st, 0);
        flags << recordfields::flag(st, 1);
    }
}

TsukiSeikyuState::List TsukiSeikyuState::list() const
{
    enum { cID, cDate, cSummery, cShouhizei, cWithShouhizei, cNebikiKingaku, cNebikiRitsu };
    db::Connection &c = connection();
    db::Statement slips = c.prepare(QStringLiteral("SELECT 伝票番号, %1, 合計, 消費税, 合計消費税込み, 値引金額, 値引率 "
                                                   "FROM 伝票テーブル%2 ORDER BY %3")
                                        .arg(dateItemCaption(dateItem), recordfields::whereClause(where()), order()));
    enum { lID, lNumber, lName, lSuryo, lTanni, lTanka, lKingaku, lBikou };
    db::Statement lines = c.prepare(QStringLiteral("SELECT 商品ID, 品番, 品名, 数量, 単位, 単価, 金額, 備考 "
                                                   "FROM 明細テーブル WHERE (伝票番号 = ?) ORDER BY 伝票番号, 明細番号"));
    List list;
    while (slips.step()) {
        const qint32 id = recordfields::int32(slips, cID);
        const QDate date =
            (recordfields::isBlank(slips, cDate) ? zeroDate() : recordfields::date(slips, cDate)).date();
        const qint32 withShouhizei = recordfields::int32(slips, cWithShouhizei);
        QStringList cells(13);
        cells[0] = QStringLiteral("%1").arg(id, 9, 10, QLatin1Char('0'));
        cells[1] = date.isValid() ? date.toString(QStringLiteral("yyyy/MM/dd")) : QString();
        cells[10] = plain(recordfields::int32(slips, cSummery));
        cells[11] = plain(recordfields::int32(slips, cShouhizei));
        cells[12] = plain(withShouhizei);
        list.rows << blankFilled(cells);

        lines.reset();
        lines.bindInt(1, id);
        bool any = false;
        while (lines.step()) {
            list.rows << blankFilled(lineRow(lineText(lines, lID), lineText(lines, lNumber), lineText(lines, lName),
                                             recordfields::real(lines, lSuryo), lineText(lines, lTanni),
                                             recordfields::real(lines, lTanka), recordfields::int32(lines, lKingaku),
                                             lineText(lines, lBikou)));
            any = true;
        }
        if (!any)
            list.rows << blankFilled(lineRow(QString(), QString(), QString(), 0, QString(), 0, 0, QString()));

        const qint32 nebiki = recordfields::int32(slips, cNebikiKingaku);
        if (nebiki > 0) {
            const qint16 ritsu = recordfields::int16(slips, cNebikiRitsu);
            QStringList discount(13);
            discount[8] = plain(-qint64(nebiki));
            discount[9] = QStringLiteral("値引き ")
                          + (ritsu > 0 ? QString::number(ritsu) + QStringLiteral("%") : QString());
            list.rows << blankFilled(discount);
        }
        list.total += withShouhizei;
    }
    return list;
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
