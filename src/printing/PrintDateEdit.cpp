#include "printing/PrintDateEdit.h"

#include "core/DateValue.h"

#include <QCalendarWidget>
#include <QDateEdit>
#include <QLocale>

QDateEdit *newPrintDateEdit(QWidget *parent)
{
    auto *edit = new QDateEdit(parent);
    edit->setObjectName(QStringLiteral("dtpPrintDate"));
    edit->setCalendarPopup(true);
    edit->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
    edit->setLocale(QLocale(QLocale::Japanese, QLocale::Japan));
    edit->calendarWidget()->setFirstDayOfWeek(Qt::Sunday);
    edit->setDate(today());
    return edit;
}

QDateTime printDateOf(const QDateEdit *edit)
{
    return QDateTime(edit->date(), QTime(0, 0));
}
