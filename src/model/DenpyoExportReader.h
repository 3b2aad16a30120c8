#pragma once

#include "platform/db/ReadTransaction.h"
#include "platform/db/Statement.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDate>

// Stored slips read one at a time by number for a file that shows them: the
// slip columns and line columns such a file holds and nothing more, each
// value as Denpyo::Load would give it, the texts in the engine's UTF-8 so
// that a long export converts nothing it only copies. A text stays valid
// until the next seek or nextLine. The properties carry the names of
// Denpyo's and Meisai's. All reads of one reader see the database as it was
// at its first read.
//
// Values that do not convert throw db::DbError as Denpyo::Load does; a
// stage date is only read while its stage is set.
class DenpyoExportReader {
public:
    DenpyoExportReader();
    DenpyoExportReader(const DenpyoExportReader &) = delete;
    DenpyoExportReader &operator=(const DenpyoExportReader &) = delete;

    // Makes the slip current; false when there is no such slip.
    bool seek(qint32 denpyoID);

    qint32 DenpyoID() const;
    QDate Nouki() const;
    QByteArrayView CustomerID() const;
    QByteArrayView CustomerPostNumber() const;
    QByteArrayView CustomerAddress1() const;
    QByteArrayView CustomerAddress2() const;
    QByteArrayView CustomerName() const;
    QByteArrayView CustomerBumon() const;
    QByteArrayView CustomerTelephone() const;
    QByteArrayView CustomerFax() const;
    qint16 NebikiRitsu() const;
    qint32 NebikiKingaku() const;
    qint32 Summery() const;
    qint32 Shouhizei() const;
    qint32 SummeryWithShouhizei() const;
    bool Mitsumori() const;
    QDate MitsumoriDate() const;
    bool Juchu() const;
    QDate JuchuDate() const;
    bool Nouhin() const;
    QDate NouhinDate() const;
    bool Seikyu() const;
    QDate SeikyuDate() const;
    bool Nyukin() const;
    QDate NyukinDate() const;
    QByteArrayView Bumon() const;
    QByteArrayView Tanto() const;
    QByteArrayView Memo() const;

    // Steps through the current slip's lines in their order; false after
    // the last. A slip may have none.
    bool nextLine();
    // The current line's values; its texts lose line breaks and surrounding
    // blanks, as a Meisai's do.
    QByteArrayView ItemID() const;
    QByteArrayView ItemNumber() const;
    QByteArrayView ItemName() const;
    double ItemTanka() const;
    double ItemSuryo() const;
    QByteArrayView ItemTanni() const;
    qint32 ItemKingaku() const;
    QByteArrayView ItemBikou() const;

private:
    QDate date(int column) const;
    QByteArrayView lineText(int column) const;

    db::Statement m_slip;
    db::Statement m_lines;
    // After the statements, so that the read ends before they go.
    db::ReadTransaction m_snapshot;
    // A line text that its reading rule changed.
    mutable QByteArray m_changed[8];
};
