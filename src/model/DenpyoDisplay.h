#pragma once

#include "core/DateValue.h"

#include <QDateTime>
#include <QString>

// One row of a slip listing, and the columns Denpyo holds. Values are kept
// exactly as assigned; a new row holds 0, "", false and the zero date.
class DenpyoDisplay {
public:
    qint32 DenpyoID() const { return m_denpyoID; }
    void setDenpyoID(qint32 value) { m_denpyoID = value; }
    const QString &CustomerID() const { return m_customerID; }
    void setCustomerID(const QString &value) { m_customerID = value; }
    const QDateTime &Nouki() const { return m_nouki; }
    void setNouki(const QDateTime &value) { m_nouki = value; }
    const QString &CustomerPostNumber() const { return m_customerPostNumber; }
    void setCustomerPostNumber(const QString &value) { m_customerPostNumber = value; }
    const QString &CustomerAddress1() const { return m_customerAddress1; }
    void setCustomerAddress1(const QString &value) { m_customerAddress1 = value; }
    const QString &CustomerAddress2() const { return m_customerAddress2; }
    void setCustomerAddress2(const QString &value) { m_customerAddress2 = value; }
    const QString &CustomerName() const { return m_customerName; }
    void setCustomerName(const QString &value) { m_customerName = value; }
    const QString &CustomerBumon() const { return m_customerBumon; }
    void setCustomerBumon(const QString &value) { m_customerBumon = value; }
    const QString &CustomerTelephone() const { return m_customerTelephone; }
    void setCustomerTelephone(const QString &value) { m_customerTelephone = value; }
    const QString &CustomerFax() const { return m_customerFax; }
    void setCustomerFax(const QString &value) { m_customerFax = value; }
    qint32 MeisaiSum() const { return m_meisaiSum; }
    void setMeisaiSum(qint32 value) { m_meisaiSum = value; }
    bool NebikiRitsuOn() const { return m_nebikiRitsuOn; }
    void setNebikiRitsuOn(bool value) { m_nebikiRitsuOn = value; }
    qint16 NebikiRitsu() const { return m_nebikiRitsu; }
    void setNebikiRitsu(qint16 value) { m_nebikiRitsu = value; }
    qint32 NebikiKingaku() const { return m_nebikiKingaku; }
    void setNebikiKingaku(qint32 value) { m_nebikiKingaku = value; }
    qint32 Summery() const { return m_summery; }
    void setSummery(qint32 value) { m_summery = value; }
    bool ShouhizeiIn() const { return m_shouhizeiIn; }
    void setShouhizeiIn(bool value) { m_shouhizeiIn = value; }
    qint32 Shouhizei() const { return m_shouhizei; }
    void setShouhizei(qint32 value) { m_shouhizei = value; }
    qint32 SummeryWithShouhizei() const { return m_summeryWithShouhizei; }
    void setSummeryWithShouhizei(qint32 value) { m_summeryWithShouhizei = value; }
    bool Mitsumori() const { return m_mitsumori; }
    void setMitsumori(bool value) { m_mitsumori = value; }
    const QDateTime &MitsumoriDate() const { return m_mitsumoriDate; }
    void setMitsumoriDate(const QDateTime &value) { m_mitsumoriDate = value; }
    bool Juchu() const { return m_juchu; }
    void setJuchu(bool value) { m_juchu = value; }
    const QDateTime &JuchuDate() const { return m_juchuDate; }
    void setJuchuDate(const QDateTime &value) { m_juchuDate = value; }
    bool Nouhin() const { return m_nouhin; }
    void setNouhin(bool value) { m_nouhin = value; }
    const QDateTime &NouhinDate() const { return m_nouhinDate; }
    void setNouhinDate(const QDateTime &value) { m_nouhinDate = value; }
    bool Seikyu() const { return m_seikyu; }
    void setSeikyu(bool value) { m_seikyu = value; }
    const QDateTime &SeikyuDate() const { return m_seikyuDate; }
    void setSeikyuDate(const QDateTime &value) { m_seikyuDate = value; }
    bool Nyukin() const { return m_nyukin; }
    void setNyukin(bool value) { m_nyukin = value; }
    const QDateTime &NyukinDate() const { return m_nyukinDate; }
    void setNyukinDate(const QDateTime &value) { m_nyukinDate = value; }
    const QString &Bumon() const { return m_bumon; }
    void setBumon(const QString &value) { m_bumon = value; }
    const QString &Tanto() const { return m_tanto; }
    void setTanto(const QString &value) { m_tanto = value; }
    const QString &Memo() const { return m_memo; }
    void setMemo(const QString &value) { m_memo = value; }
    const QDateTime &InsertDate() const { return m_insertDate; }
    void setInsertDate(const QDateTime &value) { m_insertDate = value; }
    const QDateTime &ModifyDate() const { return m_modifyDate; }
    void setModifyDate(const QDateTime &value) { m_modifyDate = value; }

private:
    // Copied rather than built for every row: a listing makes many rows.
    static const QDateTime &zero()
    {
        static const QDateTime value = zeroDate();
        return value;
    }

    qint32 m_denpyoID = 0;
    QString m_customerID;
    QDateTime m_nouki = zero();
    QString m_customerPostNumber;
    QString m_customerAddress1;
    QString m_customerAddress2;
    QString m_customerName;
    QString m_customerBumon;
    QString m_customerTelephone;
    QString m_customerFax;
    qint32 m_meisaiSum = 0;
    bool m_nebikiRitsuOn = false;
    qint16 m_nebikiRitsu = 0;
    qint32 m_nebikiKingaku = 0;
    qint32 m_summery = 0;
    bool m_shouhizeiIn = false;
    qint32 m_shouhizei = 0;
    qint32 m_summeryWithShouhizei = 0;
    bool m_mitsumori = false;
    QDateTime m_mitsumoriDate = zero();
    bool m_juchu = false;
    QDateTime m_juchuDate = zero();
    bool m_nouhin = false;
    QDateTime m_nouhinDate = zero();
    bool m_seikyu = false;
    QDateTime m_seikyuDate = zero();
    bool m_nyukin = false;
    QDateTime m_nyukinDate = zero();
    QString m_bumon;
    QString m_tanto;
    QString m_memo;
    QDateTime m_insertDate = zero();
    QDateTime m_modifyDate = zero();
};
