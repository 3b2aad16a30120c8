#include "core/BasicInfo.h"
#include "core/Globals.h"
#include "core/Routines.h"

#include <cmath>
#include <limits>
#include <sqlite3.h>

namespace {
const QString kSelect = QStringLiteral("SELECT * FROM 基本情報テーブル WHERE (基本情報ID = ?)");
const QString kUpsert = QStringLiteral(
    "INSERT INTO 基本情報テーブル (基本情報ID, テキスト型データ, 数値型データ) VALUES (?, ?, ?) "
    "ON CONFLICT (基本情報ID) DO UPDATE SET テキスト型データ = excluded.テキスト型データ, "
    "数値型データ = excluded.数値型データ");
} // namespace

BasicInfo::BasicInfo()
{
    Initialize();
}

void BasicInfo::Initialize()
{
    m_id.clear();
    m_string.clear();
    m_long = QStringLiteral("0");
}

void BasicInfo::setBasicInfoID(const QString &value)
{
    m_id = fnTrimTrailingBlanks(value);
}

void BasicInfo::setStringValue(const QString &value)
{
    m_string = fnTrimTrailingBlanks(value);
}

qint32 BasicInfo::LongValue() const
{
    bool ok = false;
    qint64 v = m_long.toLongLong(&ok);
    if (!ok) {
        const double d = m_long.toDouble(&ok);
        if (ok && std::isfinite(d))
            v = qint64(std::nearbyint(d)); // the platform rounds halves to even
        ok = ok && std::isfinite(d) && std::fabs(d) < 9.0e18;
    }
    if (!ok || v < std::numeric_limits<qint32>::min() || v > std::numeric_limits<qint32>::max())
        throw db::DbError(SQLITE_MISMATCH, QStringLiteral("基本情報(%1)の数値型データ(%2)を整数にできません。")
                                               .arg(m_id, m_long));
    return qint32(v);
}

void BasicInfo::setLongValue(qint32 value)
{
    m_long = QString::number(value);
}

bool BasicInfo::Load(const QString &basicInfoID)
{
    Initialize();
    return Fetch(basicInfoID);
}

bool BasicInfo::Apply()
{
    if (m_id.isEmpty()) {
        m_errorMessage = QStringLiteral("コードが設定されていません。");
        return false;
    }
    return Save();
}

bool BasicInfo::Save()
{
    db::Statement st = connection().prepare(kUpsert);
    st.bindText(1, m_id);
    if (m_string.isEmpty())
        st.bindNull(2);
    else
        st.bindText(2, m_string);
    st.bindInt(3, LongValue());
    st.exec();
    return true;
}

bool BasicInfo::Fetch(const QString &basicInfoID)
{
    db::Statement st = connection().prepare(kSelect);
    st.bindText(1, basicInfoID);
    if (!st.step())
        return false;
    m_id = st.text(QStringLiteral("基本情報ID"));
    const QString text = st.text(QStringLiteral("テキスト型データ"));
    if (!text.isEmpty())
        m_string = text;
    const QString number = st.value(QStringLiteral("数値型データ")).toString();
    if (!number.isEmpty())
        m_long = number;
    return true;
}
