#include "model/DenpyoExportReader.h"

#include "core/DateValue.h"
#include "core/Globals.h"
#include "core/Routines.h"
#include "model/RecordFields.h"

namespace {

using recordfields::digits;

// Columns in the order of the statements below.
enum SlipColumn {
    cDenpyoID, cNouki, cCustomerID, cPostNumber, cAddress1, cAddress2, cName, cBumon, cTelephone,
    cFax, cNebikiRitsu, cNebikiKingaku, cSummery, cShouhizei, cSummeryWithShouhizei, cMitsumori,
    cMitsumoriDate, cJuchu, cJuchuDate, cNouhin, cNouhinDate, cSeikyu, cSeikyuDate, cNyukin,
    cNyukinDate, cTantoBumon, cTanto, cMemo
};
enum LineColumn { cItemID, cItemNumber, cItemName, cItemTanka, cItemSuryo, cItemTanni, cItemKingaku, cItemBikou };

const QString kSelectSlip = QStringLiteral(
    "SELECT 伝票番号, 納期, 顧客ID, 顧客郵便, 顧客所在地１, 顧客所在地２, 顧客名, 顧客部門, 顧客電話, 顧客FAX, "
    "値引率, 値引金額, 合計, 消費税, 合計消費税込み, 見積もり, 見積もり日付, 受注, 受注日付, 納品, 納品日付, "
    "請求, 請求日付, 入金, 入金日付, 部門, 担当, メモ FROM 伝票テーブル WHERE (伝票番号 = ?)");
const QString kSelectLines = QStringLiteral(
    "SELECT 商品ID, 品番, 品名, 単価, 数量, 単位, 金額, 備考 FROM 明細テーブル WHERE (伝票番号 = ?) "
    "ORDER BY 明細番号");

bool isBlankAt(QByteArrayView text, qsizetype at)
{
    // A blank is " " or the full-width space U+3000 (E3 80 80).
    if (text.at(at) == ' ')
        return true;
    return at + 3 <= text.size() && text.sliced(at, 3) == QByteArrayView("\xE3\x80\x80");
}

// True when fnRemoveCrLf leaves the text as it is, so that its bytes serve.
bool keptByRemoveCrLf(QByteArrayView text)
{
    if (text.isEmpty())
        return true;
    if (text.contains('\r') || text.contains('\n') || isBlankAt(text, 0) || text.back() == ' ')
        return false;
    return !(text.size() >= 3 && isBlankAt(text, text.size() - 3));
}

} // namespace

// One snapshot for all the reads, and one shared lock rather than one per
// statement.
DenpyoExportReader::DenpyoExportReader()
    : m_slip(connection().prepare(kSelectSlip)), m_lines(connection().prepare(kSelectLines)),
      m_snapshot(connection())
{
}

bool DenpyoExportReader::seek(qint32 denpyoID)
{
    m_slip.reset();
    m_slip.bindInt(1, denpyoID);
    m_lines.reset();
    m_lines.bindInt(1, denpyoID);
    return m_slip.step();
}

QDate DenpyoExportReader::date(int column) const
{
    const QByteArrayView text = m_slip.utf8(column);
    if (text.isEmpty())
        return zeroDate().date();
    // The form this program writes, read without the general parser; any
    // other text is read as Denpyo::Load reads it.
    if (text.size() == 10 && text[4] == '/' && text[7] == '/') {
        const QDate day(digits(text.data(), 4), digits(text.data() + 5, 2), digits(text.data() + 8, 2));
        if (day.isValid())
            return day;
    }
    return recordfields::date(m_slip, column).date();
}

qint32 DenpyoExportReader::DenpyoID() const { return recordfields::int32(m_slip, cDenpyoID); }
QDate DenpyoExportReader::Nouki() const { return date(cNouki); }
QByteArrayView DenpyoExportReader::CustomerID() const { return m_slip.utf8(cCustomerID); }
QByteArrayView DenpyoExportReader::CustomerPostNumber() const { return m_slip.utf8(cPostNumber); }
QByteArrayView DenpyoExportReader::CustomerAddress1() const { return m_slip.utf8(cAddress1); }
QByteArrayView DenpyoExportReader::CustomerAddress2() const { return m_slip.utf8(cAddress2); }
QByteArrayView DenpyoExportReader::CustomerName() const { return m_slip.utf8(cName); }
QByteArrayView DenpyoExportReader::CustomerBumon() const { return m_slip.utf8(cBumon); }
QByteArrayView DenpyoExportReader::CustomerTelephone() const { return m_slip.utf8(cTelephone); }
QByteArrayView DenpyoExportReader::CustomerFax() const { return m_slip.utf8(cFax); }
qint16 DenpyoExportReader::NebikiRitsu() const { return recordfields::int16(m_slip, cNebikiRitsu); }
qint32 DenpyoExportReader::NebikiKingaku() const { return recordfields::int32(m_slip, cNebikiKingaku); }
qint32 DenpyoExportReader::Summery() const { return recordfields::int32(m_slip, cSummery); }
qint32 DenpyoExportReader::Shouhizei() const { return recordfields::int32(m_slip, cShouhizei); }
qint32 DenpyoExportReader::SummeryWithShouhizei() const
{
    return recordfields::int32(m_slip, cSummeryWithShouhizei);
}
bool DenpyoExportReader::Mitsumori() const { return recordfields::flag(m_slip, cMitsumori); }
QDate DenpyoExportReader::MitsumoriDate() const { return date(cMitsumoriDate); }
bool DenpyoExportReader::Juchu() const { return recordfields::flag(m_slip, cJuchu); }
QDate DenpyoExportReader::JuchuDate() const { return date(cJuchuDate); }
bool DenpyoExportReader::Nouhin() const { return recordfields::flag(m_slip, cNouhin); }
QDate DenpyoExportReader::NouhinDate() const { return date(cNouhinDate); }
bool DenpyoExportReader::Seikyu() const { return recordfields::flag(m_slip, cSeikyu); }
QDate DenpyoExportReader::SeikyuDate() const { return date(cSeikyuDate); }
bool DenpyoExportReader::Nyukin() const { return recordfields::flag(m_slip, cNyukin); }
QDate DenpyoExportReader::NyukinDate() const { return date(cNyukinDate); }
QByteArrayView DenpyoExportReader::Bumon() const { return m_slip.utf8(cTantoBumon); }
QByteArrayView DenpyoExportReader::Tanto() const { return m_slip.utf8(cTanto); }
QByteArrayView DenpyoExportReader::Memo() const { return m_slip.utf8(cMemo); }

bool DenpyoExportReader::nextLine()
{
    return m_lines.step();
}

QByteArrayView DenpyoExportReader::lineText(int column) const
{
    const QByteArrayView text = m_lines.utf8(column);
    if (keptByRemoveCrLf(text))
        return text;
    m_changed[column] = fnRemoveCrLf(QString::fromUtf8(text)).toUtf8();
    return m_changed[column];
}

QByteArrayView DenpyoExportReader::ItemID() const { return lineText(cItemID); }
QByteArrayView DenpyoExportReader::ItemNumber() const { return lineText(cItemNumber); }
QByteArrayView DenpyoExportReader::ItemName() const { return lineText(cItemName); }
double DenpyoExportReader::ItemTanka() const { return recordfields::real(m_lines, cItemTanka); }
double DenpyoExportReader::ItemSuryo() const { return recordfields::real(m_lines, cItemSuryo); }
QByteArrayView DenpyoExportReader::ItemTanni() const { return lineText(cItemTanni); }
qint32 DenpyoExportReader::ItemKingaku() const { return recordfields::int32(m_lines, cItemKingaku); }
QByteArrayView DenpyoExportReader::ItemBikou() const { return lineText(cItemBikou); }
