#include "model/Denpyo.h"

#include "core/DateValue.h"
#include "core/Globals.h"
#include "core/Routines.h"
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

QString textOrEmpty(const db::Statement &st, int column)
{
    return recordfields::isBlank(st, column) ? QString() : st.text(column);
}

QDateTime dateOrZero(const db::Statement &st, int column)
{
    return recordfields::isBlank(st, column) ? zeroDate() : recordfields::date(st, column);
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
    m_denpyoID = 0;
    m_customerID.clear();
    m_nouki = zeroDate();
    m_customerPostNumber.clear();
    m_customerAddress1.clear();
    m_customerAddress2.clear();
    m_customerName.clear();
    m_customerBumon.clear();
    m_customerTelephone.clear();
    m_customerFax.clear();
    m_meisaiCount = 0;
    m_meisaiSum = 0;
    m_nebikiRitsuOn = false;
    m_nebikiRitsu = 0;
    m_nebikiKingaku = 0;
    m_summery = 0;
    m_shouhizeiIn = false;
    m_shouhizei = 0;
    m_summeryWithShouhizei = 0;
    m_mitsumori = false;
    m_mitsumoriDate = zeroDate();
    m_juchu = false;
    m_juchuDate = zeroDate();
    m_nouhin = false;
    m_nouhinDate = zeroDate();
    m_seikyu = false;
    m_seikyuDate = zeroDate();
    m_nyukin = false;
    m_nyukinDate = zeroDate();
    m_bumon.clear();
    m_tanto.clear();
    m_memo.clear();
    m_insertDate = zeroDate();
    m_modifyDate = zeroDate();
    m_meisais = std::make_shared<::Meisais>();
}

void Denpyo::setCustomerID(const QString &value) { m_customerID = fnRemoveCrLf(value); }
void Denpyo::setCustomerPostNumber(const QString &value) { m_customerPostNumber = fnRemoveCrLf(value); }
void Denpyo::setCustomerAddress1(const QString &value) { m_customerAddress1 = fnRemoveCrLf(value); }
void Denpyo::setCustomerAddress2(const QString &value) { m_customerAddress2 = fnRemoveCrLf(value); }
void Denpyo::setCustomerName(const QString &value) { m_customerName = fnRemoveCrLf(value); }
void Denpyo::setCustomerBumon(const QString &value) { m_customerBumon = fnRemoveCrLf(value); }
void Denpyo::setCustomerTelephone(const QString &value) { m_customerTelephone = fnRemoveCrLf(value); }
void Denpyo::setCustomerFax(const QString &value) { m_customerFax = fnRemoveCrLf(value); }
void Denpyo::setBumon(const QString &value) { m_bumon = fnRemoveCrLf(value); }
void Denpyo::setTanto(const QString &value) { m_tanto = fnRemoveCrLf(value); }
void Denpyo::setMemo(const QString &value) { m_memo = fnTrimTrailingBlanks(value); }

bool Denpyo::Load(qint32 denpyoID)
{
    ItemClear();
    if (!Fetch(denpyoID))
        return false;
    try {
        m_meisais->LoadFromDenpyo(denpyoID);
    } catch (...) {
        ItemClear();
        throw;
    }
    m_isNew = false;
    return true;
}

bool Denpyo::Fetch(qint32 denpyoID)
{
    db::Statement st = connection().prepare(selectSql());
    st.bindInt(1, denpyoID);
    if (!st.step())
        return false;
    // Read into a copy so that a value that does not convert leaves the
    // object cleared rather than half filled.
    Denpyo row;
    row.m_denpyoID = recordfields::int32(st, cDenpyoID);
    row.m_nouki = dateOrZero(st, cNouki);
    row.m_customerID = textOrEmpty(st, cCustomerID);
    row.m_customerPostNumber = textOrEmpty(st, cPostNumber);
    row.m_customerAddress1 = textOrEmpty(st, cAddress1);
    row.m_customerAddress2 = textOrEmpty(st, cAddress2);
    row.m_customerName = textOrEmpty(st, cName);
    row.m_customerBumon = textOrEmpty(st, cBumon);
    row.m_customerTelephone = textOrEmpty(st, cTelephone);
    row.m_customerFax = textOrEmpty(st, cFax);
    if (!st.isNull(cMeisaiCount))
        row.m_meisaiCount = recordfields::int16(st, cMeisaiCount);
    if (!st.isNull(cMeisaiSum))
        row.m_meisaiSum = recordfields::int32(st, cMeisaiSum);
    row.m_nebikiRitsuOn = recordfields::flag(st, cNebikiRitsuOn);
    row.m_nebikiRitsu = recordfields::int16(st, cNebikiRitsu);
    row.m_nebikiKingaku = recordfields::int32(st, cNebikiKingaku);
    row.m_summery = recordfields::int32(st, cSummery);
    row.m_shouhizeiIn = recordfields::flag(st, cShouhizeiIn);
    row.m_shouhizei = recordfields::int32(st, cShouhizei);
    row.m_summeryWithShouhizei = recordfields::int32(st, cSummeryWithShouhizei);
    row.m_mitsumori = recordfields::flag(st, cMitsumori);
    row.m_mitsumoriDate = dateOrZero(st, cMitsumoriDate);
    row.m_juchu = recordfields::flag(st, cJuchu);
    row.m_juchuDate = dateOrZero(st, cJuchuDate);
    row.m_nouhin = recordfields::flag(st, cNouhin);
    row.m_nouhinDate = dateOrZero(st, cNouhinDate);
    row.m_seikyu = recordfields::flag(st, cSeikyu);
    row.m_seikyuDate = dateOrZero(st, cSeikyuDate);
    row.m_nyukin = recordfields::flag(st, cNyukin);
    row.m_nyukinDate = dateOrZero(st, cNyukinDate);
    row.m_bumon = textOrEmpty(st, cTantoBumon);
    row.m_tanto = textOrEmpty(st, cTanto);
    row.m_memo = textOrEmpty(st, cMemo);
    row.m_insertDate = dateOrZero(st, cInsertDate);
    row.m_modifyDate = dateOrZero(st, cModifyDate);

    row.m_errorMessage = m_errorMessage;
    row.m_isNew = m_isNew;
    row.m_meisais = m_meisais;
    *this = std::move(row);
    return true;
}

bool Denpyo::Apply()
{
    if (m_denpyoID == 0) {
        m_errorMessage = kNoNumber;
        return false;
    }
    // Leaving this scope by a refusal or an error rolls everything back,
    // the deleted lines and the counter included.
    db::Transaction transaction(connection());
    QDateTime insertDate = m_insertDate;
    QDateTime modifyDate = m_modifyDate;
    if (!Save(insertDate, modifyDate))
        return false;
    transaction.commit();
    // The object takes the new time only once its row holds it.
    m_insertDate = insertDate;
    m_modifyDate = modifyDate;
    m_isNew = false;
    return true;
}

bool Denpyo::Save(QDateTime &insertDate, QDateTime &modifyDate)
{
    db::Connection &c = connection();
    db::Statement exists = c.prepare(kExistsSql);
    exists.bindInt(1, m_denpyoID);
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
    st.bindInt(++i, m_denpyoID);
    recordfields::bindDate(st, ++i, m_nouki);
    recordfields::bindTextOrNull(st, ++i, m_customerID);
    recordfields::bindTextOrNull(st, ++i, m_customerPostNumber);
    recordfields::bindTextOrNull(st, ++i, m_customerAddress1);
    recordfields::bindTextOrNull(st, ++i, m_customerAddress2);
    recordfields::bindTextOrNull(st, ++i, m_customerName);
    recordfields::bindTextOrNull(st, ++i, m_customerBumon);
    recordfields::bindTextOrNull(st, ++i, m_customerTelephone);
    recordfields::bindTextOrNull(st, ++i, m_customerFax);
    st.bindInt(++i, m_meisaiCount);
    st.bindInt(++i, m_meisaiSum);
    st.bindInt(++i, fnIIf(m_nebikiRitsuOn, 1, 0));
    st.bindInt(++i, m_nebikiRitsu);
    st.bindInt(++i, m_nebikiKingaku);
    st.bindInt(++i, m_summery);
    st.bindInt(++i, fnIIf(m_shouhizeiIn, 1, 0));
    st.bindInt(++i, m_shouhizei);
    st.bindInt(++i, m_summeryWithShouhizei);
    st.bindInt(++i, fnIIf(m_mitsumori, 1, 0));
    bindStageDate(st, ++i, m_mitsumori, m_mitsumoriDate);
    st.bindInt(++i, fnIIf(m_juchu, 1, 0));
    bindStageDate(st, ++i, m_juchu, m_juchuDate);
    st.bindInt(++i, fnIIf(m_nouhin, 1, 0));
    bindStageDate(st, ++i, m_nouhin, m_nouhinDate);
    st.bindInt(++i, fnIIf(m_seikyu, 1, 0));
    bindStageDate(st, ++i, m_seikyu, m_seikyuDate);
    st.bindInt(++i, fnIIf(m_nyukin, 1, 0));
    bindStageDate(st, ++i, m_nyukin, m_nyukinDate);
    recordfields::bindTextOrNull(st, ++i, m_bumon);
    recordfields::bindTextOrNull(st, ++i, m_tanto);
    recordfields::bindTextOrNull(st, ++i, m_memo);
    recordfields::bindDateTime(st, ++i, insertDate);
    recordfields::bindDateTime(st, ++i, modifyDate);
    if (found)
        st.bindInt(++i, m_denpyoID);
    st.exec();

    if (!m_meisais->Apply(m_denpyoID))
        return false;
    CurrentDenpyoIDSave(m_denpyoID);
    return true;
}

void Denpyo::CurrentDenpyoIDSave(qint32 denpyoID)
{
    db::Connection &c = connection();
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

bool Denpyo::Delete()
{
    if (m_denpyoID == 0) {
        m_errorMessage = kNoNumber;
        return false;
    }
    db::Connection &c = connection();
    db::Transaction transaction(c);
    c.prepare(kDeleteSql).bindInt(1, m_denpyoID).exec();
    if (c.changes() == 0) {
        m_errorMessage = kMissing;
        return false;
    }
    m_meisais->Delete(m_denpyoID);
    transaction.commit();
    m_isNew = false;
    ItemClear();
    return true;
}
