#pragma once

#include "DialogDriver.h"

#include <QCalendarWidget>
#include <QDateEdit>
#include <QtTest>

// Dates typed into a date box as users type them, and the calendar keys,
// for every window that has one. A suite adds the rows for its windows with
// addDateKeyRows (columns "window", "keys", "expected", "leaves",
// "calendar"; each case one key at a time and queued) and checks a box with
// checkDateKeys.
namespace datekeys {

struct Case {
    const char *name;
    const char *keys;
    // "yyyy/MM/dd", or "=" the day the box started on, "+n" that day plus n
    // days, "dn" day n of the month it started in.
    const char *expected;
    bool leaves;   // Tab took the focus on to the next control
    bool calendar; // the calendar is open afterwards
};

inline const QList<Case> &cases()
{
    static const QList<Case> all = {
        {"slashes", "2026/12/10", "2026/12/10", false, false},
        {"dashes", "2026-12-10", "2026/12/10", false, false},
        {"digits only", "20261210", "2026/12/10", false, false},
        {"one-digit month and day", "2027/1/5", "2027/01/05", false, false},
        {"slash walks to the day", "//15", "d15", false, false},
        {"Ctrl+A then a whole date", "//{Ctrl+A}20270102", "2027/01/02", false, false},
        {"Tab leaves in one press", "2026/12/10{Tab}", "2026/12/10", true, false},
        {"Alt+Down opens the calendar", "{Alt+Down}", "=", false, true},
        {"Alt+Down, arrows, Esc", "{Alt+Down}{Right}{Down}{Esc}", "=", false, false},
        {"F4, arrow, Enter", "{F4}{Right}{Return}", "+1", false, false},
        {"Alt+Down, Down, Enter", "{Alt+Down}{Down}{Return}", "+7", false, false},
        {"a date typed after the calendar", "{F4}{Left}{Esc}2027/3/4", "2027/03/04", false, false},
        {"the calendar after a typed date", "2027/1/5{F4}{Left}{Esc}", "2027/01/05", false, false},
    };
    return all;
}

inline void addDateKeyRows(const QStringList &windows)
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("leaves");
    QTest::addColumn<bool>("calendar");
    for (const QString &window : windows) {
        for (const Case &c : cases()) {
            for (bool queued : {false, true}) {
                QTest::addRow("%s, %s%s", qPrintable(window), c.name, queued ? ", queued" : "")
                    << window << QString::fromUtf8(c.keys) << QString::fromUtf8(c.expected) << c.leaves
                    << c.calendar;
            }
        }
    }
}

inline bool queuedRow()
{
    return QString::fromUtf8(QTest::currentDataTag()).endsWith(QLatin1String("queued"));
}

inline QDate expectedDate(const QString &expected, const QDate &start)
{
    if (expected == QLatin1String("="))
        return start;
    if (expected.startsWith(QLatin1Char('+')))
        return start.addDays(expected.mid(1).toInt());
    if (expected.startsWith(QLatin1Char('d')))
        return QDate(start.year(), start.month(), expected.mid(1).toInt());
    return QDate::fromString(expected, QStringLiteral("yyyy/MM/dd"));
}

// Gives the box the focus, types the row's keys into its window and checks
// the date, the calendar and where the focus is; `next` is the control Tab
// goes on to. Closes a calendar left open.
inline void checkDateKeys(QWidget *window, QDateEdit *box, QWidget *next)
{
    QFETCH(QString, keys);
    QFETCH(QString, expected);
    QFETCH(bool, leaves);
    QFETCH(bool, calendar);
    QVERIFY(box && box->isEnabled() && next);
    box->setFocus(Qt::OtherFocusReason);
    QVERIFY(box->hasFocus());
    const QDate want = expectedDate(expected, box->date());

    DialogDriver::press(window, keys, queuedRow());

    const bool open = box->calendarWidget()->window()->isVisible();
    if (open)
        DialogDriver::press(window, QStringLiteral("{Esc}"), false);
    QCOMPARE(open, calendar);
    QCOMPARE(box->date(), want);
    // The window's focus: keys typed on go to it. (Offscreen, a calendar
    // shown and closed within one pass of the queue is made the active
    // window afterwards, which leaves the application without a focus.)
    QWidget *focus = window->window()->focusWidget();
    QWidget *owner = leaves ? next : box;
    const QString where = focus ? focus->objectName() : QStringLiteral("nothing");
    QVERIFY2(focus && (focus == owner || owner->isAncestorOf(focus)), qPrintable("the focus is on " + where));
}

} // namespace datekeys
