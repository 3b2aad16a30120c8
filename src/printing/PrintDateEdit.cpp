#include "printing/PrintDateEdit.h"

#include "core/DateValue.h"
#include "core/controls/DateBox.h"

#include <QCalendarWidget>
#include <QLocale>

QDateEdit *newPrintDateEdit(QWidget *parent)
{
    auto *edit = new DateBox(parent);
    edit->setObjectName(QStringLiteral("dtpPrintDate"));
    edit->setLocale(QLocale(QLocale::Japanese, QLocale::Japan));
    edit->calendarWidget()->setFirstDayOfWeek(Qt::Sunday);
    edit->setDate(today());
    return edit;
}

QDateTime printDateOf(const QDateEdit *edit)
{
    return QDateTime(edit->date(), QTime(0, 0));
}
