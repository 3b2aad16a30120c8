#pragma once

#include "core/ClosingPeriod.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVector>

// What the monthly invoice window has chosen, and what follows from it: the
// proposed period, the slip condition, the order of the list and the
// question about slips invoiced before. Free of widgets so that each rule
// can be checked without a window.
struct TsukiSeikyuState {
    QString customerID;
    int dateItem = 0; // 0 納期, 1 受注日付, 2 納品日付
    QDate from;
    QDate to;
    bool miSeikyuOnly = false;

    // The period that ended last on or before today: with a closing day the
    // one whose closing day (the month's last day when the month is shorter)
    // is today or the latest before it; without one ("" or "月末締め") the
    // previous calendar month, even on a month's last day.
    static ClosingPeriod proposePeriod(const QString &shimeBi, const QDate &today);

    static int dateItemCount() { return 3; }
    static QString dateItemLabel(int index);  // "伝票納期" ...
    static QString dateItemCaption(int index); // "納期" ...
    // A stored index outside 0 to 2 or not a number gives 0.
    static int dateItemFromText(const QString &text);

    // The slip condition on 伝票テーブル (the ID has its quotes doubled).
    QString where() const;
    QString order() const;

    // The numbers of the slips where() selects and their invoiced flags, in
    // slip-number order. Throws db::DbError.
    void slips(QVector<qint32> &ids, QVector<bool> &flags) const;

    // The window's list as it shows it, read from the database: for each slip
    // where() selects, in order(), its row, a row per line in line order (a
    // slip stored without lines shows one blank line) and, after a discount,
    // a discount row; 13 cells a row, an empty cell past the first holding
    // one blank. Reads only the columns the list shows. Throws db::DbError.
    struct List {
        QVector<QStringList> rows;
        qint64 total = 0; // 合計消費税込み of the slips
    };
    List list() const;

    // The numbers of the slips invoiced before, for the question; empty when
    // none. ids and flags run in slip-number order.
    static QString invoicedList(const QVector<qint32> &ids, const QVector<bool> &flags);
    static QString invoicedQuestion(const QString &list);

    static QString noFormMessage();
    static QString overwriteQuestion();
    static QString emptyPeriodMessage();
};
