#include "core/controls/DateBox.h"

#include "core/DateValue.h"

#include <QCalendarWidget>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionComboBox>

namespace {

bool isSeparator(const QKeyEvent *event)
{
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString text = event->text();
    return text == QLatin1String("/") || text == QLatin1String("-") || text == QLatin1String(".");
}

bool isDigit(const QKeyEvent *event)
{
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString text = event->text();
    return text.size() == 1 && text.at(0) >= QLatin1Char('0') && text.at(0) <= QLatin1Char('9');
}

} // namespace

DateBox::DateBox(QWidget *parent) : QDateEdit(parent)
{
    setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
    // The calendar is made when it is first about to open: making one costs
    // a window more than the rest of the box.
    setCalendarPopup(true);
}

DateBox::~DateBox()
{
    // The popup, a child of the box, hides as it goes.
    if (m_popup)
        m_popup->removeEventFilter(this);
}

bool DateBox::calendarShown() const
{
    return m_popup && m_popup->isVisible();
}

void DateBox::preparePopup()
{
    if (m_popup)
        return;
    m_popup = calendarWidget()->window();
    // The box would follow every day the arrows pass in the calendar, each
    // a change of date to whoever listens; only a picked day is taken.
    disconnect(m_popup, SIGNAL(newDateSelected(QDate)), this, nullptr);
    m_popup->installEventFilter(this);
}

void DateBox::showCalendar()
{
    if (!calendarPopup() || isReadOnly() || !isEnabled())
        return;
    preparePopup();
    // The calendar's own set-up runs on a press of the drop-down button.
    QStyleOptionComboBox option;
    option.initFrom(this);
    option.editable = true;
    option.subControls = QStyle::SC_All;
    const QPoint button =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, this).center();
    QMouseEvent press(QEvent::MouseButtonPress, button, mapToGlobal(button), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QDateEdit::mousePressEvent(&press);
}

void DateBox::takeFocus()
{
    setFocus(Qt::OtherFocusReason);
    m_movedOn = false;
    selectSection(0);
}

void DateBox::selectSection(int index)
{
    setCurrentSectionIndex(index);
    setSelectedSection(currentSection());
}

void DateBox::keyPressEvent(QKeyEvent *event)
{
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    const bool movedOn = m_movedOn;
    m_movedOn = false;
    if ((event->key() == Qt::Key_Down && mods == Qt::AltModifier) || (event->key() == Qt::Key_F4 && mods == 0)) {
        showCalendar();
        event->accept();
        return;
    }
    // Alt+Up closes a drop-down; on the box it must not step the date.
    if (event->key() == Qt::Key_Up && mods == Qt::AltModifier) {
        event->accept();
        return;
    }
    if (isSeparator(event)) {
        event->accept();
        if (!movedOn && currentSectionIndex() + 1 < sectionCount())
            selectSection(currentSectionIndex() + 1);
        return;
    }
    if (isDigit(event)) {
        const QLineEdit *edit = lineEdit();
        // A box showing "no date" has no parts to type into: it starts from
        // today, and the digits typed replace it part by part.
        if (!specialValueText().isEmpty() && date() == minimumDate()) {
            setDate(today());
            selectSection(0);
        } else if (edit->hasSelectedText() && edit->selectedText() == edit->text()) {
            selectSection(0);
        }
        const int before = currentSectionIndex();
        QDateEdit::keyPressEvent(event);
        m_movedOn = currentSectionIndex() != before;
        return;
    }
    QDateEdit::keyPressEvent(event);
}

void DateBox::mousePressEvent(QMouseEvent *event)
{
    if (calendarPopup())
        preparePopup();
    QDateEdit::mousePressEvent(event);
}

void DateBox::focusInEvent(QFocusEvent *event)
{
    QDateEdit::focusInEvent(event);
    m_movedOn = false;
    // A click puts the caret where it lands, and the calendar closing leaves
    // it where it was; coming any other way, a date is typed from its year.
    if (event->reason() != Qt::MouseFocusReason && event->reason() != Qt::PopupFocusReason)
        selectSection(0);
}

bool DateBox::focusNextPrevChild(bool next)
{
    // Tab leaves the box at once; the separators walk its parts.
    return QWidget::focusNextPrevChild(next);
}

bool DateBox::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_popup) {
        // The calendar takes the keys while it is open, even when a disabled
        // box took the focus away from it.
        if (event->type() == QEvent::Show)
            calendarWidget()->setFocus(Qt::PopupFocusReason);
        else if (event->type() == QEvent::Hide)
            emit calendarDone();
    }
    return QDateEdit::eventFilter(watched, event);
}
