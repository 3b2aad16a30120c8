#pragma once

#include <QString>

// One product row of a list, and the columns Shohin holds. Text setters
// remove trailing blanks only; line breaks and leading blanks stay. Numbers
// and flags are kept as given.
class ShohinDisplay {
public:
    const QString &ShohinID() const { return m_shohinID; }
    void setShohinID(const QString &value);
    const QString &Number() const { return m_number; }
    void setNumber(const QString &value);
    const QString &Name() const { return m_name; }
    void setName(const QString &value);
    const QString &Maker() const { return m_maker; }
    void setMaker(const QString &value);
    double Tanka() const { return m_tanka; }
    void setTanka(double value) { m_tanka = value; }
    const QString &Tanni() const { return m_tanni; }
    void setTanni(const QString &value);
    const QString &Memo() const { return m_memo; }
    void setMemo(const QString &value);

private:
    QString m_shohinID;
    QString m_number;
    QString m_name;
    QString m_maker;
    double m_tanka = 0;
    QString m_tanni;
    QString m_memo;
};
