#pragma once

#include <QDate>
#include <QString>

// What the date bar of the main window has chosen, and the two texts it
// builds from that: the slip condition and the list name. Kept free of
// widgets so that the texts can be checked without a window.
struct DateBarState {
    int dateItem = 0;      // index of the date column, 0 to 7
    bool dayMode = true;   // one day, or one month cut at the closing day
    QDate day;             // the day of day mode
    QString month;         // "YYYY/MM", or empty for no month
    QString shimeBi;       // "20日締め", "月末締め" or empty
    QString customerItem;  // "ID/name", or empty for every customer

    // Condition on 伝票テーブル; empty when nothing restricts the slips.
    QString joken() const;
    // List name: "*" followed by what was chosen.
    QString caption() const;

    static int dateItemCount();
    static QString dateItemLabel(int index);
    static QString dateItemColumn(int index);

private:
    bool monthPeriod(QDate &start, QDate &end) const;
};
