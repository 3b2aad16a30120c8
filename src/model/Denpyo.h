#pragma once

#include "model/Meisais.h"

#include <QDateTime>
#include <QString>
#include <memory>

// One sales slip of 伝票テーブル with its lines. The slip computes nothing:
// amounts, discount and tax are stored as the caller sets them.
//
// Refusals return false and leave a sentence in ErrorMessage (never
// cleared by a later success); every other failure throws db::DbError.
class Denpyo {
public:
    Denpyo();

    // Clears every field and marks the slip new.
    void Initialize();
    const QString &ErrorMessage() const { return m_errorMessage; }

    qint32 DenpyoID() const { return m_denpyoID; }
    void setDenpyoID(qint32 value) { m_denpyoID = value; }
    // One-line texts lose line breaks and surrounding blanks when assigned.
    const QString &CustomerID() const { return m_customerID; }
    void setCustomerID(const QString &value);
    const QDateTime &Nouki() const { return m_nouki; }
    void setNouki(const QDateTime &value) { m_nouki = value; }
    const QString &CustomerPostNumber() const { return m_customerPostNumber; }
    void setCustomerPostNumber(const QString &value);
    const QString &CustomerAddress1() const { return m_customerAddress1; }
    void setCustomerAddress1(const QString &value);
    const QString &CustomerAddress2() const { return m_customerAddress2; }
    void setCustomerAddress2(const QString &value);
    const QString &CustomerName() const { return m_customerName; }
    void setCustomerName(const QString &value);
    const QString &CustomerBumon() const { return m_customerBumon; }
    void setCustomerBumon(const QString &value);
    const QString &CustomerTelephone() const { return m_customerTelephone; }
    void setCustomerTelephone(const QString &value);
    const QString &CustomerFax() const { return m_customerFax; }
    void setCustomerFax(const QString &value);
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
    void setBumon(const QString &value);
    const QString &Tanto() const { return m_tanto; }
    void setTanto(const QString &value);
    // Keeps line breaks and leading blanks; loses trailing blanks.
    const QString &Memo() const { return m_memo; }
    void setMemo(const QString &value);
    const QDateTime &InsertDate() const { return m_insertDate; }
    void setInsertDate(const QDateTime &value) { m_insertDate = value; }
    const QDateTime &ModifyDate() const { return m_modifyDate; }
    void setModifyDate(const QDateTime &value) { m_modifyDate = value; }

    // Clears the slip and reads the row and its lines; false when there is
    // no such slip (the new-record flag then stays as it was).
    bool Load(qint32 denpyoID);
    // Inserts (new slip) or updates the row, rewrites its lines and raises
    // the slip-number counter in one transaction. On any error everything is
    // rolled back before the error is rethrown.
    bool Apply();
    // Removes the row and its lines in one transaction; a row that has gone
    // is a refusal.
    bool Delete();

    // The current line collection itself. Load and Initialize replace it, so
    // fetch it again after them; MeisaisHandle keeps an earlier one alive.
    ::Meisais &Meisais() const { return *m_meisais; }
    std::shared_ptr<::Meisais> MeisaisHandle() const { return m_meisais; }

    // Raises the stored slip-number counter to denpyoID when it is lower;
    // never lowers it.
    void CurrentDenpyoIDSave(qint32 denpyoID);

private:
    void ItemClear();
    // Writes the row with the creation or update time set in the given
    // values; Apply keeps them once the transaction has committed.
    bool Save(QDateTime &insertDate, QDateTime &modifyDate);
    bool Fetch(qint32 denpyoID);

    qint32 m_denpyoID = 0;
    QString m_customerID;
    QDateTime m_nouki;
    QString m_customerPostNumber;
    QString m_customerAddress1;
    QString m_customerAddress2;
    QString m_customerName;
    QString m_customerBumon;
    QString m_customerTelephone;
    QString m_customerFax;
    qint16 m_meisaiCount = 0; // mirrors 明細数 as loaded; nothing reads it
    qint32 m_meisaiSum = 0;
    bool m_nebikiRitsuOn = false;
    qint16 m_nebikiRitsu = 0;
    qint32 m_nebikiKingaku = 0;
    qint32 m_summery = 0;
    bool m_shouhizeiIn = false;
    qint32 m_shouhizei = 0;
    qint32 m_summeryWithShouhizei = 0;
    bool m_mitsumori = false;
    QDateTime m_mitsumoriDate;
    bool m_juchu = false;
    QDateTime m_juchuDate;
    bool m_nouhin = false;
    QDateTime m_nouhinDate;
    bool m_seikyu = false;
    QDateTime m_seikyuDate;
    bool m_nyukin = false;
    QDateTime m_nyukinDate;
    QString m_bumon;
    QString m_tanto;
    QString m_memo;
    QDateTime m_insertDate;
    QDateTime m_modifyDate;

    QString m_errorMessage;
    bool m_isNew = true;
    std::shared_ptr<::Meisais> m_meisais;
};
