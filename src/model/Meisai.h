#pragma once

#include <QString>

// One line of a slip. A line knows neither its slip nor its position; it
// is numbered only when the slip is stored.
class Meisai {
public:
    Meisai() = default;

    // The texts lose line breaks and surrounding blanks when assigned.
    const QString &ItemID() const { return m_id; }
    void setItemID(const QString &value);
    const QString &ItemNumber() const { return m_number; }
    void setItemNumber(const QString &value);
    const QString &ItemName() const { return m_name; }
    void setItemName(const QString &value);
    double ItemTanka() const { return m_tanka; }
    void setItemTanka(double value) { m_tanka = value; }
    double ItemSuryo() const { return m_suryo; }
    void setItemSuryo(double value) { m_suryo = value; }
    const QString &ItemTanni() const { return m_tanni; }
    void setItemTanni(const QString &value);
    qint32 ItemKingaku() const { return m_kingaku; }
    void setItemKingaku(qint32 value) { m_kingaku = value; }
    const QString &ItemBikou() const { return m_bikou; }
    void setItemBikou(const QString &value);

private:
    QString m_id;
    QString m_number;
    QString m_name;
    double m_tanka = 0;
    double m_suryo = 0;
    QString m_tanni;
    qint32 m_kingaku = 0;
    QString m_bikou;
};
