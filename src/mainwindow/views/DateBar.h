#pragma once

#include "core/controls/DateBox.h"
#include "mainwindow/views/DateBarState.h"

#include <QDate>
#include <QWidget>

class QComboBox;
class QLabel;
class QTimer;
class QToolBar;

// The date bar of the main window: date column, day picker, month and
// closing day, and a customer. Every change on it asks for the slip list of
// its present state (listRequested); its two step toolbars report their
// button keys (stepClicked).
class DateBar : public QWidget {
    Q_OBJECT
public:
    // flgInit is the main window's start-up flag: while it is set the
    // bar's handlers do nothing.
    DateBar(const bool &flgInit, QWidget *parent = nullptr);

    QComboBox *cmbDateItem;
    DateBox *dtpNouki;
    QComboBox *cmbNouki;
    QComboBox *cmbShimeBi;
    QToolBar *tlbDayBar;
    QToolBar *tlbMonthBar;
    QLabel *lblKokyaku;
    QComboBox *cmbKokyaku;

    bool DayMode = true;
    QString strMinMonth;
    QString strMaxMonth;
    QDate datDropDownDate;

    // Fills the bar for today. The customers' list is read when it is first
    // used (see LoadKokyakuCombo).
    void InitDateBar();
    // "DateItem" and "DayMode" of section "Initial Data"; values that are
    // not numbers, out of range or not a Boolean text give the defaults.
    void RestoreDateBar();
    void SaveDateBarSettings() const;
    void LoadKokyakuCombo();
    // Until the customers' list is first read, it is asked for
    // (customersWanted) when the list is about to be used: focused, clicked
    // or turned with the wheel. A window not yet shown reads it at once.
    bool customersPending() const { return m_customersPending; }

    // Moves the day picker without running its change handler.
    void setPickerQuietly(const QDate &date);

    DateBarState state() const;
    QString GetDateBarJoken() const { return state().joken(); }
    QString GetDateBarCaption() const { return state().caption(); }

    // The handlers, also run by the step commands after moving a control.
    void cmbDateItem_Click();
    void cmbKokyaku_Click();
    void cmbNouki_Click();
    void cmbShimeBi_Click();
    void dtpNouki_Change();
    void dtpNouki_DropDown();
    void dtpNouki_CloseUp();

signals:
    void listRequested();
    void stepClicked(const QString &key);
    void customersWanted();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void setDayMode(bool dayMode);
    // The day picker's calendar, made when it is about to open.
    void prepareCalendar();

    const bool &m_flgInit;
    bool m_quiet = false; // the picker is being moved by the bar itself
    bool m_calendarReady = false;
    bool m_customersPending = false;
    QTimer *m_typedDay; // runs while a day typed in the picker waits to be listed
};
