#pragma once

#include "../masters/DialogDriver.h"
#include "TestSupport.h"
#include "core/BasicInfo.h"
#include "core/DateValue.h"
#include "core/Globals.h"
#include "model/Denpyo.h"

#include <QLabel>
#include <QTreeWidget>
#include <QtTest>

// Slips stored for the dialog tests, and what the dialogs show of them.
namespace slipfixture {

struct Line {
    QString name;
    double tanka;
    double suryo;
    qint32 kingaku;
};

// A stored slip of the given lines; line i is named "品<i>" unless given.
inline void storeSlip(qint32 id, const QList<Line> &lines, const QString &customer = QStringLiteral("山田商店"),
                      bool ritsuOn = false, qint16 ritsu = 0, qint32 nebiki = 0, bool tax = false)
{
    Denpyo d;
    d.setDenpyoID(id);
    d.setNouki(QDateTime(QDate(2026, 12, 1), QTime()));
    d.setCustomerID(QStringLiteral("C01"));
    d.setCustomerName(customer);
    d.setCustomerBumon(QStringLiteral("営業部"));
    d.setNebikiRitsuOn(ritsuOn);
    d.setNebikiRitsu(ritsu);
    d.setNebikiKingaku(nebiki);
    d.setShouhizeiIn(tax);
    qint64 sum = 0;
    for (const Line &l : lines) {
        Meisai &m = d.Meisais().Add();
        m.setItemName(l.name);
        m.setItemTanka(l.tanka);
        m.setItemSuryo(l.suryo);
        m.setItemKingaku(l.kingaku);
        sum += l.kingaku;
    }
    d.setMeisaiSum(qint32(sum));
    d.setSummery(qint32(sum - nebiki));
    d.setSummeryWithShouhizei(qint32(sum - nebiki));
    QVERIFY(d.Apply());
}

// n lines "品1".."品n" of amount 100 × i (unit price 100 × i, quantity 1).
inline QList<Line> numbered(int n)
{
    QList<Line> lines;
    for (int i = 1; i <= n; ++i)
        lines << Line{QStringLiteral("品%1").arg(i), 100.0 * i, 1, 100 * i};
    return lines;
}

inline void setTaxRate(qint32 rate)
{
    BasicInfo info;
    info.setBasicInfoID(QStringLiteral("ShouhizeiRitsu"));
    info.setLongValue(rate);
    QVERIFY(info.Apply());
}

// The names of a stored slip's lines in order, or "<no slip>".
inline QStringList storedLines(qint32 id)
{
    Denpyo d;
    if (!d.Load(id))
        return {QStringLiteral("<no slip>")};
    QStringList names;
    for (const Meisai &m : d.Meisais())
        names << m.ItemName();
    return names;
}

inline QStringList rowTexts(QWidget *dlg, const char *list)
{
    auto *l = dlg->findChild<QTreeWidget *>(QLatin1String(list));
    QStringList out;
    for (int i = 0; l && i < l->topLevelItemCount(); ++i)
        out << l->topLevelItem(i)->text(0);
    return out;
}

inline QString label(QWidget *dlg, const char *name)
{
    auto *l = dlg->findChild<QLabel *>(QLatin1String(name));
    return l ? l->text() : QStringLiteral("<none>");
}

} // namespace slipfixture
