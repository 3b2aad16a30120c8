#include "model/Denpyo.h"

#include "core/DateValue.h"
#include "core/Globals.h"
#include "core/Routines.h"
#include "model/DenpyoReader.h"
#include "model/RecordFields.h"

#include <QStringList>

namespace {

// The columns in the order every statement of this file names them.
const QStringList &columns()
{
    static const QStringList list = {
        QStringLiteral("伝票番号"), QStringLiteral("納期"), QStringLiteral("顧客ID"),
        QStringLiteral("顧客郵便"), QStringLiteral("顧客所在地１"), QStringLiteral("顧客所在地２"),
        QStringLiteral("顧客名"), QStringLiteral("顧客部門"), QStringLiteral("顧客電話"),
        QStringLiteral("顧客FAX"), QStringLiteral("明細数"), QStringLiteral("明細計"),
        QStringLiteral("値引率計算"), QStringLiteral("値引率"), QStringLiteral("値引金額"),
        QStringLiteral("合計"), QStringLiteral("消費税含"), QStringLiteral("消費税"),
        QStringLiteral("合計消費税込み"), QStringLiteral("見積もり"), QStringLiteral("見積もり日付"),
        QStringLiteral("受注"), QStringLiteral("受注日付"), QStringLiteral("納品"),
        QStringLiteral("納品日付"), QStringLiteral("請求"), QStringLiteral("請求日付"),
        QStringLiteral("入金"), QStringLiteral("入金日付"), QStringLiteral("部門"),
        QStringLiteral("担当"), QStringLiteral("メモ"), QStringLiteral("作成日付"),
        QStringLiteral("更新日付")};
    return list;
}

enum Column {
    cDenpyoID, cNouki, cCustomerID, cPostNumber, cAddress1, cAddress2, cName, cBumon,
    cTelephone, cFax, cMeisaiCount, cMeisaiSum, cNebikiRitsuOn, cNebikiRitsu, cNebikiKingaku,
    cSummery, cShouhizeiIn, cShouhizei, cSummeryWithShouhizei, cMitsumori, cMitsumoriDate,
    cJuchu, cJuchuDate, cNouhin, cNouhinDate, cSeikyu, cSeikyuDate, cNyukin, cNyukinDate,
    cTantoBumon, cTanto, cMemo, cInsertDate, cModifyDate, cColumnCount
};

const QString &selectSql()
{
    static const QString sql = QStringLiteral("SELECT %1 FROM 伝票テーブル WHERE (伝票番号 = ?)")
                                   .arg(columns().join(QStringLiteral(", ")));
    return sql;
}

const QString &insertSql()
{
    static const QString sql = [] {
        QStringList marks;
        for (int i = 0; i < cColumnCount; ++i)
            marks << QStringLiteral("?");
        return QStringLiteral("INSERT INTO 伝票テーブル (%1) VALUES (%2)")
            .arg(columns().join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")));
    }();
    return sql;
}

const QString &updateSql()
{
    static const QString sql = [] {
        QStringList sets;
        for (const QString &column : columns())
            sets << column + QStringLiteral(" = ?");
        return QStringLiteral("UPDATE 伝票テーブル SET %1 WHERE (伝票番号 = ?)")
            .arg(sets.join(QStringLiteral(", ")));
    }();
    return sql;
}

const QString kExistsSql = QStringLiteral("SELECT 1 FROM 伝票テーブル WHERE (伝票番号 = ?)");
const QString kDeleteSql = QStringLiteral("DELETE FROM 伝票テーブル WHERE (伝票番号 = ?)");
const QString kCounterKey = QStringLiteral("CurrentDenpyoID");
const QString kSeikyuOnSql =
    QStringLiteral("UPDATE 伝票テーブル SET 請求 = 1, 請求日付 = ?, 更新日付 = ? WHERE (伝票番号 = ?)");

const QString kNoNumber = QStringLiteral("伝票番号が設定されていません。");
const QString kExists = QStringLiteral("この伝票は既に存在します。");
const QString kMissing = QStringLiteral("この伝票は存在しません。");

// A stage date is stored only while its stage is on.
void bindStageDate(db::Statement &st, int index, bool on, const QDateTime &value)
{
    if (on)
        recordfields::bindDate(st, index, value);
    else
        st.bindNull(index);
}


// Raises the slip-number counter to denpyoID when it is lower.
void raiseCounter(db::Connection &c, qint32 denpyoID)
{
    db::Statement read = c.prepare(
        QStringLiteral("SELECT 数値型データ FROM 基本情報テーブル WHERE 基本情報ID = ?"));
    read.bindText(1, kCounterKey);
    if (read.step()) {
        if (!read.isNull(0) && read.int64(0) >= denpyoID)
            return;
        c.prepare(QStringLiteral("UPDATE 基本情報テーブル SET 数値型データ = ? WHERE 基本情報ID = ?"))
            .bindInt(1, denpyoID)
            .bindText(2, kCounterKey)
            .exec();
    } else {
        c.prepare(QStringLiteral("INSERT INTO 基本情報テーブル (基本情報ID, 数値型データ) VALUES (?, ?)"))
            .bindText(1, kCounterKey)
            .bindInt(2, denpyoID)
            .exec();
    }
}

} // namespace

Denpyo::Denpyo()
{
    Initialize();
}

void Denpyo::Initialize()
{
    ItemClear();
    m_isNew = true;
}

void Denpyo::ItemClear()
{
    static_cast<DenpyoDisplay &>(*this) = DenpyoDisplay();
    m_meisaiCount = 0;
    m_meisais = std::make_shared<::Meisais>();
}

void Denpyo::setCustomerID(const QString &value) { DenpyoDisplay::setCustomerID(fnRemoveCrLf(value)); }
void Denpyo::setCustomerPostNumber(const QString &value) { DenpyoDisplay::setCustomerPostNumber(fnRemoveCrLf(value)); }
void Denpyo::setCustomerAddress1(const QString &value) { DenpyoDisplay::setCustomerAddress1(fnRemoveCrLf(value)); }
void Denpyo::setCustomerAddress2(const QString &value) { DenpyoDisplay::setCustomerAddress2(fnRemoveCrLf(value)); }
void Denpyo::setCustomerName(const QString &value) { DenpyoDisplay::setCustomerName(fnRemoveCrLf(value)); }
void Denpyo::setCustomerBumon(const QString &value) { DenpyoDisplay::setCustomerBumon(fnRemoveCrLf(value)); }
void Denpyo::setCustomerTelephone(const QString &value) { DenpyoDisplay::setCustomerTelephone(fnRemoveCrLf(value)); }
void Denpyo::setCustomerFax(const QString &value) { DenpyoDisplay::setCustomerFax(fnRemoveCrLf(value)); }
void Denpyo::setBumon(const QString &value) { DenpyoDisplay::setBumon(fnRemoveCrLf(value)); }
void Denpyo::setTanto(const QString &value) { DenpyoDisplay::setTanto(fnRemoveCrLf(value)); }
void Denpyo::setMemo(const QString &value) { DenpyoDisplay::setMemo(fnTrimTrailingBlanks(value)); }

bool Denpyo::Load(qint32 denpyoID)
{
    return DenpyoReader().Load(*this, denpyoID);
}

const QString &Denpyo::SelectStatement()
{
    return selectSql();
}

bool Denpyo::Fetch(db::Statement &st, recordfields::SharedTexts &texts, recordfields::DateReader &dates)
{
    if (!st.step())
        return false;
    // Blank texts and dates give the empty text and the zero date. The
    // customer's and the staff's texts and the days (納期, the stages'
    // dates) repeat from slip to slip and are converted once per reader; a
    // memo is the slip's own, and a date with its time of day is read as it
    // stands.
    const auto sharedText = [&](int column) {
        const QByteArrayView bytes = st.utf8(column);
        return bytes.isEmpty() ? QString() : texts.get(bytes);
    };
    const auto dateOrZero = [&](int column) {
        const QByteArrayView bytes = st.utf8(column);
        if (bytes.isEmpty())
            return zeroDate();
        return bytes.size() == 10 ? dates.read(st, column, bytes) : recordfields::date(st, column);
    };
    // Read into a copy so that a value that does not convert leaves the
    // object cleared rather than half filled. The plain setters store the
    // values as read, as the text rules apply to what a caller assigns.
    DenpyoDisplay row;
    row.setDenpyoID(recordfields::int32(st, cDenpyoID));
    row.setNouki(dateOrZero(cNouki));
    row.setCustomerID(sharedText(cCustomerID));
    row.setCustomerPostNumber(sharedText(cPostNumber));
    row.setCustomerAddress1(sharedText(cAddress1));
    row.setCustomerAddress2(sharedText(cAddress2));
    row.setCustomerName(sharedText(cName));
    row.setCustomerBumon(sharedText(cBumon));
    row.setCustomerTelephone(sharedText(cTelephone));
    row.setCustomerFax(sharedText(cFax));
    const qint16 meisaiCount = st.isNull(cMeisaiCount) ? 0 : recordfields::int16(st, cMeisaiCount);
    if (!st.isNull(cMeisaiSum))
        row.setMeisaiSum(recordfields::int32(st, cMeisaiSum));
    row.setNebikiRitsuOn(recordfields::flag(st, cNebikiRitsuOn));
    row.setNebikiRitsu(recordfields::int16(st, cNebikiRitsu));
    row.setNebikiKingaku(recordfields::int32(st, cNebikiKingaku));
    row.setSummery(recordfields::int32(st, cSummery));
    row.setShouhizeiIn(recordfields::flag(st, cShouhizeiIn));
    row.setShouhizei(recordfields::int32(st, cShouhizei));
    row.setSummeryWithShouhizei(recordfields::int32(st, cSummeryWithShouhizei));
    row.setMitsumori(recordfields::flag(st, cMitsumori));
    row.setMitsumoriDate(dateOrZero(cMitsumoriDate));
    row.setJuchu(recordfields::flag(st, cJuchu));
    row.setJuchuDate(dateOrZero(cJuchuDate));
    row.setNouhin(recordfields::flag(st, cNouhin));
    row.setNouhinDate(dateOrZero(cNouhinDate));
    row.setSeikyu(recordfields::flag(st, cSeikyu));
    row.setSeikyuDate(dateOrZero(cSeikyuDate));
    row.setNyukin(recordfields::flag(st, cNyukin));
    row.setNyukinDate(dateOrZero(cNyukinDate));
    row.setBumon(sharedText(cTantoBumon));
    row.setTanto(sharedText(cTanto));
    row.setMemo(recordfields::isBlank(st, cMemo) ? QString() : st.text(cMemo));
    row.setInsertDate(dateOrZero(cInsertDate));
    row.setModifyDate(dateOrZero(cModifyDate));

    static_cast<DenpyoDisplay &>(*this) = std::move(row);
    m_meisaiCount = meisaiCount;
    return true;
}

bool Denpyo::checkNumber()
{
    if (DenpyoID() != 0)
        return true;
    m_errorMessage = kNoNumber;
    return false;
}

void Denpyo::saved(const QDateTime &insertDate, const QDateTime &modifyDate)
{
    // The object takes the new time only once its row holds it.
    setInsertDate(insertDate);
    setModifyDate(modifyDate);
    m_isNew = false;
}

bool Denpyo::Apply()
{
    if (!checkNumber())
        return false;
    // Leaving this scope by a refusal or an error rolls everything back,
    // the deleted lines and the counter included.
    db::Transaction transaction(connection());
    QDateTime insertDate = InsertDate();
    QDateTime modifyDate = ModifyDate();
    if (!Save(insertDate, modifyDate))
        return false;
    transaction.commit();
    saved(insertDate, modifyDate);
    return true;
}

bool Denpyo::ApplyTogether(Denpyo &first, Denpyo &second)
{
    if (!first.checkNumber())
        return false;
    if (!second.checkNumber()) {
        first.m_errorMessage = second.m_errorMessage;
        return false;
    }
    db::Transaction transaction(connection());
    QDateTime insert1 = first.InsertDate(), modify1 = first.ModifyDate();
    QDateTime insert2 = second.InsertDate(), modify2 = second.ModifyDate();
    if (!first.Save(insert1, modify1))
        return false;
    if (!second.Save(insert2, modify2)) {
        first.m_errorMessage = second.m_errorMessage;
        return false;
    }
    transaction.commit();
    first.saved(insert1, modify1);
    second.saved(insert2, modify2);
    return true;
}

bool Denpyo::ApplyAll(const std::vector<Denpyo *> &slips, int *refused)
{
    for (std::size_t i = 0; i < slips.size(); ++i) {
        if (!slips[i]->checkNumber()) {
            if (refused)
                *refused = static_cast<int>(i);
            return false;
        }
    }
    db::Transaction transaction(connection());
    std::vector<QDateTime> inserts, modifies;
    for (std::size_t i = 0; i < slips.size(); ++i) {
        QDateTime insert = slips[i]->InsertDate(), modify = slips[i]->ModifyDate();
        if (!slips[i]->Save(insert, modify)) {
            if (refused)
                *refused = static_cast<int>(i);
            return false;
        }
        inserts.push_back(insert);
        modifies.push_back(modify);
    }
    transaction.commit();
    for (std::size_t i = 0; i < slips.size(); ++i)
        slips[i]->saved(inserts[i], modifies[i]);
    return true;
}

bool Denpyo::SeikyuOn(const QVector<qint32> &denpyoIDs, const QDate &seikyuDate, QString *errorMessage)
{
    // The marks and the update time a save would set, and nothing else: the
    // rest of the row and the lines stay exactly as stored.
    db::Connection &c = connection();
    db::Transaction transaction(c);
    db::Statement mark = c.prepare(kSeikyuOnSql);
    recordfields::bindDate(mark, 1, QDateTime(seikyuDate, QTime(0, 0)));
    recordfields::bindDateTime(mark, 2, now());
    qint32 highest = 0;
    for (qint32 id : denpyoIDs) {
        mark.reset();
        mark.bindInt(3, id);
        mark.exec();
        if (c.changes() == 0) {
            if (errorMessage)
                *errorMessage = kMissing;
            return false;
        }
        highest = qMax(highest, id);
    }
    raiseCounter(c, highest);
    transaction.commit();
    return true;
}

QString Denpyo::MissingMessage()
{
    return kMissing;
}

bool Denpyo::Save(QDateTime &insertDate, QDateTime &modifyDate)
{
    db::Connection &c = connection();
    db::Statement exists = c.prepare(kExistsSql);
    exists.bindInt(1, DenpyoID());
    const bool found = exists.step();
    if (found && m_isNew) {
        m_errorMessage = kExists;
        return false;
    }
    if (!found && !m_isNew) {
        m_errorMessage = kMissing;
        return false;
    }

    (found ? modifyDate : insertDate) = now();

    db::Statement st = c.prepare(found ? updateSql() : insertSql());
    int i = 0;
    st.bindInt(++i, DenpyoID());
    recordfields::bindDate(st, ++i, Nouki());
    recordfields::bindTextOrNull(st, ++i, CustomerID());
    recordfields::bindTextOrNull(st, ++i, CustomerPostNumber());
    recordfields::bindTextOrNull(st, ++i, CustomerAddress1());
    recordfields::bindTextOrNull(st, ++i, CustomerAddress2());
    recordfields::bindTextOrNull(st, ++i, CustomerName());
    recordfields::bindTextOrNull(st, ++i, CustomerBumon());
    recordfields::bindTextOrNull(st, ++i, CustomerTelephone());
    recordfields::bindTextOrNull(st, ++i, CustomerFax());
    st.bindInt(++i, m_meisaiCount);
    st.bindInt(++i, MeisaiSum());
    st.bindInt(++i, fnIIf(NebikiRitsuOn(), 1, 0));
    st.bindInt(++i, NebikiRitsu());
    st.bindInt(++i, NebikiKingaku());
    st.bindInt(++i, Summery());
    st.bindInt(++i, fnIIf(ShouhizeiIn(), 1, 0));
    st.bindInt(++i, Shouhizei());
    st.bindInt(++i, SummeryWithShouhizei());
    st.bindInt(++i, fnIIf(Mitsumori(), 1, 0));
    bindStageDate(st, ++i, Mitsumori(), MitsumoriDate());
    st.bindInt(++i, fnIIf(Juchu(), 1, 0));
    bindStageDate(st, ++i, Juchu(), JuchuDate());
    st.bindInt(++i, fnIIf(Nouhin(), 1, 0));
    bindStageDate(st, ++i, Nouhin(), NouhinDate());
    st.bindInt(++i, fnIIf(Seikyu(), 1, 0));
    bindStageDate(st, ++i, Seikyu(), SeikyuDate());
    st.bindInt(++i, fnIIf(Nyukin(), 1, 0));
    bindStageDate(st, ++i, Nyukin(), NyukinDate());
    recordfields::bindTextOrNull(st, ++i, Bumon());
    recordfields::bindTextOrNull(st, ++i, Tanto());
    recordfields::bindTextOrNull(st, ++i, Memo());
    recordfields::bindDateTime(st, ++i, insertDate);
    recordfields::bindDateTime(st, ++i, modifyDate);
    if (found)
        st.bindInt(++i, DenpyoID());
    st.exec();

    if (!m_meisais->Apply(DenpyoID()))
        return false;
    CurrentDenpyoIDSave(DenpyoID());
    return true;
}

void Denpyo::CurrentDenpyoIDSave(qint32 denpyoID)
{
    raiseCounter(connection(), denpyoID);
}

bool Denpyo::Delete()
{
    if (!checkNumber())
        return false;
    db::Connection &c = connection();
    db::Transaction transaction(c);
    c.cached(kDeleteSql).bindInt(1, DenpyoID()).exec();
    if (c.changes() == 0) {
        m_errorMessage = kMissing;
        return false;
    }
    m_meisais->Delete(DenpyoID());
    transaction.commit();
    m_isNew = false;
    ItemClear();
    return true;
}
