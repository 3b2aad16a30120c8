#include "mainwindow/views/DenpyoListRows.h"

#include "core/Routines.h"
#include "model/denpyos.h"

namespace {

QString twoDigits(int n)
{
    return QString::number(n).rightJustified(2, QLatin1Char('0'));
}

QString yymmdd(const QDate &d)
{
    return twoDigits(d.year() % 100) + QLatin1Char('/') + twoDigits(d.month()) + QLatin1Char('/') + twoDigits(d.day());
}

// The date a date column shows, or none for a blank cell: the delivery date
// up to 1899/12/31 (the zero date among them) is blank, a stage's date shows
// whenever its flag is on, whatever it holds.
std::optional<QDateTime> shownDate(const DenpyoDisplay &slip, int column)
{
    const auto stage = [](bool flag, const QDateTime &value) -> std::optional<QDateTime> {
        return flag && value.isValid() ? std::optional(value) : std::nullopt;
    };
    const auto stamp = [](const QDateTime &value) -> std::optional<QDateTime> {
        return value.isValid() && !isZeroDate(value) ? std::optional(value) : std::nullopt;
    };
    switch (column) {
    case 1: {
        const QDate d = slip.Nouki().date();
        return d.isValid() && d > QDate(1899, 12, 31) ? std::optional(slip.Nouki()) : std::nullopt;
    }
    case 5: return stage(slip.Mitsumori(), slip.MitsumoriDate());
    case 7: return stage(slip.Juchu(), slip.JuchuDate());
    case 9: return stage(slip.Nouhin(), slip.NouhinDate());
    case 11: return stage(slip.Seikyu(), slip.SeikyuDate());
    case 13: return stage(slip.Nyukin(), slip.NyukinDate());
    case 14: return stamp(slip.InsertDate());
    case 15: return stamp(slip.ModifyDate());
    default: return std::nullopt;
    }
}

bool isDateColumn(int column)
{
    return column == 1 || (column >= 5 && column <= 13 && column % 2 == 1) || column == 14 || column == 15;
}

constexpr int kAmountColumn = 3;

QString dateCell(const DenpyoDisplay &slip, int column)
{
    const std::optional<QDateTime> date = shownDate(slip, column);
    if (!date)
        return QString();
    if (column < 14)
        return yymmdd(date->date());
    const QTime t = date->time();
    return yymmdd(date->date()) + QLatin1Char(' ') + twoDigits(t.hour()) + QLatin1Char(':') + twoDigits(t.minute())
           + QLatin1Char(':') + twoDigits(t.second());
}

QString stageMark(bool flag)
{
    return flag ? QStringLiteral(">>") : QString();
}

} // namespace

DenpyoListRows::DenpyoListRows(std::shared_ptr<const denpyos> slips) : m_slips(std::move(slips)) {}

int DenpyoListRows::count() const
{
    return m_slips ? int(m_slips->Count()) : 0;
}

QString DenpyoListRows::text(int row, int column) const
{
    return cell(m_slips->Item(row + 1), column);
}

int DenpyoListRows::image(int row) const
{
    return stageImage(m_slips->Item(row + 1));
}

bool DenpyoListRows::sortsByValue(int column) const
{
    return column == kAmountColumn || isDateColumn(column);
}

std::optional<double> DenpyoListRows::sortValue(int row, int column) const
{
    const DenpyoDisplay &slip = m_slips->Item(row + 1);
    if (column == kAmountColumn)
        return double(slip.SummeryWithShouhizei());
    const std::optional<QDateTime> date = shownDate(slip, column);
    if (!date)
        return std::nullopt;
    // Seconds counted from the calendar's day numbers: no time-zone lookup
    // per row, and exact in a double.
    return double(date->date().toJulianDay()) * 86400.0 + date->time().msecsSinceStartOfDay() / 1000;
}

bool DenpyoListRows::inOrder(int column, bool ascending) const
{
    // Nine-digit numbers sort as text in number order; slips arrive in
    // number order from their load.
    if (column != 0 || !ascending || !m_slips)
        return false;
    qint32 previous = 0;
    for (const DenpyoDisplay &slip : *m_slips) {
        if (slip.DenpyoID() < previous)
            return false;
        previous = slip.DenpyoID();
    }
    return true;
}

QString DenpyoListRows::cell(const DenpyoDisplay &slip, int column)
{
    switch (column) {
    case 0:
        return QString::number(slip.DenpyoID()).rightJustified(9, QLatin1Char('0'));
    case 2:
        return slip.CustomerBumon().isEmpty()
                   ? slip.CustomerName()
                   : slip.CustomerName() + QStringLiteral(" (") + slip.CustomerBumon() + QLatin1Char(')');
    case kAmountColumn:
        return fnFormatNumber(QStringLiteral("###,###,##0"), slip.SummeryWithShouhizei());
    case 4:
        return stageMark(slip.Mitsumori());
    case 6:
        return stageMark(slip.Juchu());
    case 8:
        return stageMark(slip.Nouhin());
    case 10:
        return stageMark(slip.Seikyu());
    case 12:
        return stageMark(slip.Nyukin());
    default:
        return isDateColumn(column) ? dateCell(slip, column) : QString();
    }
}

int DenpyoListRows::stageImage(const DenpyoDisplay &slip)
{
    int image = 18;
    if (slip.Juchu())
        image = 4;
    if (slip.Nouhin())
        image = 33;
    if (slip.Seikyu())
        image = 34;
    if (slip.Nyukin())
        image = 19;
    return image;
}
