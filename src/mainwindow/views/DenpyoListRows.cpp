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

// Dates up to 1899/12/31 (the zero date among them) are blank.
QString shortDate(const QDateTime &value)
{
    const QDate d = value.date();
    return d.isValid() && d > QDate(1899, 12, 31) ? yymmdd(d) : QString();
}

// A stage's date shows whenever its flag is on, whatever it holds.
QString stageDate(bool flag, const QDateTime &value)
{
    return flag && value.isValid() ? yymmdd(value.date()) : QString();
}

QString shortDateTime(const QDateTime &value)
{
    if (!value.isValid() || isZeroDate(value))
        return QString();
    const QTime t = value.time();
    return yymmdd(value.date()) + QLatin1Char(' ') + twoDigits(t.hour()) + QLatin1Char(':') + twoDigits(t.minute())
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
    case 1:
        return shortDate(slip.Nouki());
    case 2:
        return slip.CustomerBumon().isEmpty()
                   ? slip.CustomerName()
                   : slip.CustomerName() + QStringLiteral(" (") + slip.CustomerBumon() + QLatin1Char(')');
    case 3:
        return fnFormatNumber(QStringLiteral("###,###,##0"), slip.SummeryWithShouhizei());
    case 4:
        return stageMark(slip.Mitsumori());
    case 5:
        return stageDate(slip.Mitsumori(), slip.MitsumoriDate());
    case 6:
        return stageMark(slip.Juchu());
    case 7:
        return stageDate(slip.Juchu(), slip.JuchuDate());
    case 8:
        return stageMark(slip.Nouhin());
    case 9:
        return stageDate(slip.Nouhin(), slip.NouhinDate());
    case 10:
        return stageMark(slip.Seikyu());
    case 11:
        return stageDate(slip.Seikyu(), slip.SeikyuDate());
    case 12:
        return stageMark(slip.Nyukin());
    case 13:
        return stageDate(slip.Nyukin(), slip.NyukinDate());
    case 14:
        return shortDateTime(slip.InsertDate());
    case 15:
        return shortDateTime(slip.ModifyDate());
    default:
        return QString();
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
