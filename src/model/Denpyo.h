#pragma once

#include <vector>

#include "model/DenpyoDisplay.h"
#include "model/Meisais.h"

#include <QDateTime>
#include <QString>
#include <QVector>
#include <memory>

namespace db {
class Statement;
}
namespace recordfields {
class DateReader;
class SharedTexts;
}

// One sales slip of 伝票テーブル with its lines. The slip computes nothing:
// amounts, discount and tax are stored as the caller sets them.
//
// Refusals return false and leave a sentence in ErrorMessage (never
// cleared by a later success); every other failure throws db::DbError.
//
// The columns are held as a listing row, privately, so that no plain
// setter of the row can bypass the rules of this record's text setters.
class Denpyo : private DenpyoDisplay {
public:
    Denpyo();

    // Clears every field and marks the slip new.
    void Initialize();
    const QString &ErrorMessage() const { return m_errorMessage; }

    // The columns and their plain setters are the listing row's; the texts
    // below take this record's rules instead.
    using DenpyoDisplay::DenpyoID, DenpyoDisplay::CustomerID, DenpyoDisplay::Nouki,
        DenpyoDisplay::CustomerPostNumber, DenpyoDisplay::CustomerAddress1,
        DenpyoDisplay::CustomerAddress2, DenpyoDisplay::CustomerName, DenpyoDisplay::CustomerBumon,
        DenpyoDisplay::CustomerTelephone, DenpyoDisplay::CustomerFax, DenpyoDisplay::MeisaiSum,
        DenpyoDisplay::NebikiRitsuOn, DenpyoDisplay::NebikiRitsu, DenpyoDisplay::NebikiKingaku,
        DenpyoDisplay::Summery, DenpyoDisplay::ShouhizeiIn, DenpyoDisplay::Shouhizei,
        DenpyoDisplay::SummeryWithShouhizei, DenpyoDisplay::Mitsumori, DenpyoDisplay::MitsumoriDate,
        DenpyoDisplay::Juchu, DenpyoDisplay::JuchuDate, DenpyoDisplay::Nouhin,
        DenpyoDisplay::NouhinDate, DenpyoDisplay::Seikyu, DenpyoDisplay::SeikyuDate,
        DenpyoDisplay::Nyukin, DenpyoDisplay::NyukinDate, DenpyoDisplay::Bumon, DenpyoDisplay::Tanto,
        DenpyoDisplay::Memo, DenpyoDisplay::InsertDate, DenpyoDisplay::ModifyDate;
    using DenpyoDisplay::setDenpyoID, DenpyoDisplay::setNouki, DenpyoDisplay::setMeisaiSum,
        DenpyoDisplay::setNebikiRitsuOn, DenpyoDisplay::setNebikiRitsu,
        DenpyoDisplay::setNebikiKingaku, DenpyoDisplay::setSummery, DenpyoDisplay::setShouhizeiIn,
        DenpyoDisplay::setShouhizei, DenpyoDisplay::setSummeryWithShouhizei,
        DenpyoDisplay::setMitsumori, DenpyoDisplay::setMitsumoriDate, DenpyoDisplay::setJuchu,
        DenpyoDisplay::setJuchuDate, DenpyoDisplay::setNouhin, DenpyoDisplay::setNouhinDate,
        DenpyoDisplay::setSeikyu, DenpyoDisplay::setSeikyuDate, DenpyoDisplay::setNyukin,
        DenpyoDisplay::setNyukinDate, DenpyoDisplay::setInsertDate, DenpyoDisplay::setModifyDate;

    // One-line texts lose line breaks and surrounding blanks when assigned.
    void setCustomerID(const QString &value);
    void setCustomerPostNumber(const QString &value);
    void setCustomerAddress1(const QString &value);
    void setCustomerAddress2(const QString &value);
    void setCustomerName(const QString &value);
    void setCustomerBumon(const QString &value);
    void setCustomerTelephone(const QString &value);
    void setCustomerFax(const QString &value);
    void setBumon(const QString &value);
    void setTanto(const QString &value);
    // Keeps line breaks and leading blanks; loses trailing blanks.
    void setMemo(const QString &value);

    // Clears the slip and reads the row and its lines; false when there is
    // no such slip (the new-record flag then stays as it was).
    bool Load(qint32 denpyoID);
    // Inserts (new slip) or updates the row, rewrites its lines and raises
    // the slip-number counter in one transaction. On any error everything is
    // rolled back before the error is rethrown.
    bool Apply();
    // Saves two slips as Apply does, in one transaction: both are stored or
    // neither. A refusal of either leaves its sentence in first's
    // ErrorMessage (and in the refusing slip's own).
    static bool ApplyTogether(Denpyo &first, Denpyo &second);
    // Saves every slip as Apply does, in one transaction: all are stored or
    // none. A refusal leaves its sentence in the refusing slip's
    // ErrorMessage and sets refused to its position.
    static bool ApplyAll(const std::vector<Denpyo *> &slips, int *refused = nullptr);
    // Marks the slips invoiced: 請求 on, 請求日付 the given day and the update
    // time set as a save sets it, in one transaction, all or none. Nothing
    // else of the rows changes and the lines are not touched. A slip that is
    // not stored refuses the whole marking and leaves its sentence in
    // errorMessage.
    static bool SeikyuOn(const QVector<qint32> &denpyoIDs, const QDate &seikyuDate,
                         QString *errorMessage = nullptr);
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

    // The refusal of a slip that is not stored.
    static QString MissingMessage();

private:
    friend class DenpyoReader;
    // The statement that reads one slip row, its number bound as parameter 1.
    static const QString &SelectStatement();
    void ItemClear();
    // Writes the row with the creation or update time set in the given
    // values; Apply keeps them once the transaction has committed.
    bool Save(QDateTime &insertDate, QDateTime &modifyDate);
    // Steps the bound row statement and takes the row's values, its
    // repeating texts and days through those of the reader's run of reads;
    // false, the object untouched, when it gives no row.
    bool Fetch(db::Statement &st, recordfields::SharedTexts &texts, recordfields::DateReader &dates);
    // The refusal of a number 0; true when the slip may be saved.
    bool checkNumber();
    // After the commit: the object takes the times its row holds.
    void saved(const QDateTime &insertDate, const QDateTime &modifyDate);

    qint16 m_meisaiCount = 0; // mirrors 明細数 as loaded; nothing reads it

    QString m_errorMessage;
    bool m_isNew = true;
    std::shared_ptr<::Meisais> m_meisais;
};
