#pragma once

#include <QDateEdit>

class QFocusEvent;
class QKeyEvent;
class QMouseEvent;

// A date box showing yyyy/mm/dd with a drop-down calendar, taking dates as
// users type them: "2026/12/10", "2026-12-10" and "20261210" all give that
// day. A separator moves to the next of year, month and day inside the box
// (none is needed after a part typed in full); Tab leaves the box in one
// press. Whenever the focus comes to the box other than by a click, the
// caret starts on the year, and with the whole text selected the next digit
// starts the date afresh there.
//
// The calendar opens from the keyboard with Alt+Down or F4, changing
// nothing; in it the arrows move the day, Enter picks it, and Esc closes it.
// Only a picked day changes the date.
class DateBox : public QDateEdit {
    Q_OBJECT
public:
    explicit DateBox(QWidget *parent = nullptr);
    ~DateBox() override;

    // Opens the calendar as its drop-down button does.
    void showCalendar();
    // The calendar is open (it is made only when first opened).
    bool calendarShown() const;
    // Gives the box the focus for a date typed from its year, also when it
    // has the focus already (no focus event comes then).
    void takeFocus();

signals:
    // The calendar closed: a day was picked (also the day already shown) or
    // it closed without a pick.
    void calendarDone();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    bool focusNextPrevChild(bool next) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void selectSection(int index);
    // Makes the calendar, if not yet made, taking only picked days from it.
    void preparePopup();

    QWidget *m_popup = nullptr;
    // The last digit filled its part and the caret moved on by itself.
    bool m_movedOn = false;
};
