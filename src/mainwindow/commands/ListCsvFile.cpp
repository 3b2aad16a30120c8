#include "mainwindow/commands/ListCsvFile.h"

#include "core/DateValue.h"
#include "core/Money.h"
#include "masters/DecimalText.h"
#include "model/Customer.h"
#include "model/Denpyo.h"
#include "model/DenpyoExportReader.h"
#include "model/Shohin.h"
#include "platform/text/Cp932.h"
#include "platform/text/LineFile.h"

#include <charconv>
#include <functional>

namespace {

const QString kStageMark = QStringLiteral(">>");
// How much of the file is made before it goes to the disk.
constexpr qsizetype kPieceBytes = 256 * 1024;

// CSV rows in UTF-8. Every value stands in double quotes with its own quotes
// doubled and each line break (CR LF, CR or LF) written as "//", so that no
// value breaks a row; values are joined by "," and every row ends by CR LF.
class CsvRows {
public:
    void field(QByteArrayView utf8)
    {
        separate();
        m_bytes += '"';
        const char *p = utf8.data();
        const char *const end = p + utf8.size();
        const char *kept = p;
        for (; p < end; ++p) {
            const char c = *p;
            if (c != '"' && c != '\r' && c != '\n')
                continue;
            m_bytes.append(kept, p - kept);
            if (c == '"') {
                m_bytes += "\"\"";
            } else {
                m_bytes += "//";
                if (c == '\r' && p + 1 < end && p[1] == '\n')
                    ++p;
            }
            kept = p + 1;
        }
        m_bytes.append(kept, end - kept);
        m_bytes += '"';
    }
    void field(const QString &text) { field(QByteArrayView(text.toUtf8())); }
    // Decimal digits, "-" when negative.
    void field(qint64 whole)
    {
        char digits[24];
        const auto written = std::to_chars(digits, digits + sizeof digits, whole);
        field(QByteArrayView(digits, written.ptr - digits));
    }
    void emptyFields(int count)
    {
        for (int i = 0; i < count; ++i)
            field(QByteArrayView());
    }
    void endRow()
    {
        m_bytes += "\r\n";
        m_first = true;
    }
    QByteArray &bytes() { return m_bytes; }

private:
    void separate()
    {
        if (!m_first)
            m_bytes += ',';
        m_first = false;
    }

    QByteArray m_bytes;
    bool m_first = true;
};

QString row(const QStringList &values)
{
    CsvRows out;
    for (const QString &value : values)
        out.field(value);
    out.endRow();
    return QString::fromUtf8(out.bytes());
}

QString amount(qint64 value)
{
    return formatThousands(value);
}

// The first three characters, "-", and at most four more; "-" when empty.
QString postcode(const QString &value)
{
    return value.left(3) + QLatin1Char('-') + value.mid(3, 4);
}

QString postcode(QByteArrayView utf8)
{
    return postcode(QString::fromUtf8(utf8));
}

// The date is read only when the stage is set.
template <typename DateOf>
void stage(CsvRows &out, bool on, DateOf &&dateOf)
{
    if (on) {
        out.field(kStageMark);
        out.field(formatDate(dateOf()));
    } else {
        out.field(QByteArrayView());
        out.field(QByteArrayView());
    }
}

// Columns 1 to 28, of a Denpyo or of a DenpyoExportReader.
template <typename Slip>
void slipFields(CsvRows &out, const Slip &d)
{
    out.field(qint64(d.DenpyoID()));
    out.field(formatDate(d.Nouki()));
    out.field(d.CustomerID());
    out.field(postcode(d.CustomerPostNumber()));
    out.field(d.CustomerAddress1());
    out.field(d.CustomerAddress2());
    out.field(d.CustomerName());
    out.field(d.CustomerBumon());
    out.field(d.CustomerTelephone());
    out.field(d.CustomerFax());
    out.field(qint64(d.NebikiRitsu()));
    out.field(amount(d.NebikiKingaku()));
    out.field(amount(d.Summery()));
    out.field(amount(d.Shouhizei()));
    out.field(amount(d.SummeryWithShouhizei()));
    stage(out, d.Mitsumori(), [&d] { return d.MitsumoriDate(); });
    stage(out, d.Juchu(), [&d] { return d.JuchuDate(); });
    stage(out, d.Nouhin(), [&d] { return d.NouhinDate(); });
    stage(out, d.Seikyu(), [&d] { return d.SeikyuDate(); });
    stage(out, d.Nyukin(), [&d] { return d.NyukinDate(); });
    out.field(d.Bumon());
    out.field(d.Tanto());
    out.field(d.Memo());
}

// Columns 29 to 37, of a Meisai or of a DenpyoExportReader's current line.
template <typename Line>
void itemFields(CsvRows &out, qint32 position, const Line &line)
{
    out.field(qint64(position));
    out.field(line.ItemID());
    out.field(line.ItemNumber());
    out.field(line.ItemName());
    out.field(plainDecimalText(line.ItemTanka()));
    out.field(plainDecimalText(line.ItemSuryo()));
    out.field(line.ItemTanni());
    out.field(amount(line.ItemKingaku()));
    out.field(line.ItemBikou());
}

// One row per line item: the first carries the slip's values, the further
// ones leave them empty. `eachLine(row)` calls row for every line in order;
// a slip without lines still gets its row, with an empty item 1.
template <typename Slip, typename EachLine>
void slipRows(CsvRows &out, const Slip &slip, EachLine &&eachLine)
{
    qint32 position = 0;
    const auto row = [&](const auto &line) {
        if (++position == 1)
            slipFields(out, slip);
        else
            out.emptyFields(28);
        itemFields(out, position, line);
        out.endRow();
    };
    eachLine(row);
    if (position == 0)
        row(Meisai());
}

// The file's rows for the list rows' texts of the kind; `pieceDone` is
// called after each record, so that the caller may take the bytes away.
void listRows(CsvRows &out, const QString &kind, const QStringList &rowTexts, const std::function<void()> &pieceDone)
{
    if (kind == QStringLiteral("伝票")) {
        out.bytes() += ListCsvFile::DenpyoHeader().toUtf8();
        DenpyoExportReader reader;
        for (const QString &rowText : rowTexts) {
            bool ok = false;
            const qint32 id = rowText.trimmed().toInt(&ok);
            if (!ok || !reader.seek(id))
                continue;
            slipRows(out, reader, [&reader](const auto &row) {
                while (reader.nextLine())
                    row(reader);
            });
            pieceDone();
        }
    } else if (kind == QStringLiteral("顧客")) {
        out.bytes() += ListCsvFile::CustomerHeader().toUtf8();
        for (const QString &rowText : rowTexts) {
            Customer customer;
            if (customer.Load(rowText))
                out.bytes() += ListCsvFile::CustomerRow(customer).toUtf8();
            pieceDone();
        }
    } else if (kind == QStringLiteral("商品")) {
        out.bytes() += ListCsvFile::ShohinHeader().toUtf8();
        for (const QString &rowText : rowTexts) {
            Shohin shohin;
            if (shohin.Load(rowText))
                out.bytes() += ListCsvFile::ShohinRow(shohin).toUtf8();
            pieceDone();
        }
    }
}

} // namespace

QString ListCsvFile::suggestedFileName(const QString &kind, const QDateTime &at)
{
    return kind + QLatin1Char('_') + at.toString(QStringLiteral("yyMMddHHmmss"));
}

QString ListCsvFile::DenpyoHeader()
{
    return row({QStringLiteral("伝票番号"), QStringLiteral("納期"),     QStringLiteral("顧客ID"),
                QStringLiteral("郵便番号"), QStringLiteral("所在地１"), QStringLiteral("所在地２"),
                QStringLiteral("顧客名"),   QStringLiteral("部門名"),   QStringLiteral("電話番号"),
                QStringLiteral("FAX番号"),  QStringLiteral("値引率"),   QStringLiteral("値引金額"),
                QStringLiteral("小計"),     QStringLiteral("消費税等"), QStringLiteral("合計金額"),
                QStringLiteral("見積"),     QStringLiteral("見積日"),   QStringLiteral("受注"),
                QStringLiteral("受注日"),   QStringLiteral("納品"),     QStringLiteral("納品日"),
                QStringLiteral("請求"),     QStringLiteral("請求日"),   QStringLiteral("入金"),
                QStringLiteral("入金日"),   QStringLiteral("部門"),     QStringLiteral("担当"),
                QStringLiteral("メモ"),     QStringLiteral("明細№"),   QStringLiteral("商品ID"),
                QStringLiteral("品番"),     QStringLiteral("品名"),     QStringLiteral("単価"),
                QStringLiteral("数量"),     QStringLiteral("単位"),     QStringLiteral("金額"),
                QStringLiteral("備考")});
}

QString ListCsvFile::CustomerHeader()
{
    return row({QStringLiteral("顧客ID"), QStringLiteral("顧客名かな"), QStringLiteral("顧客名漢字"),
                QStringLiteral("部門"), QStringLiteral("郵便番号"), QStringLiteral("所在地１"),
                QStringLiteral("所在地２"), QStringLiteral("電話番号"), QStringLiteral("FAX番号"),
                QStringLiteral("値引率"), QStringLiteral("メモ"), QStringLiteral("月締め請求"),
                QStringLiteral("締め日"), QStringLiteral("請求書フォーム")});
}

QString ListCsvFile::ShohinHeader()
{
    return row({QStringLiteral("商品ID"), QStringLiteral("品番"), QStringLiteral("品名"), QStringLiteral("製造元"),
                QStringLiteral("単価"), QStringLiteral("単位"), QStringLiteral("説明")});
}

QString ListCsvFile::DenpyoRows(const Denpyo &d)
{
    CsvRows out;
    slipRows(out, d, [&d](const auto &row) {
        for (const Meisai &line : d.Meisais())
            row(line);
    });
    return QString::fromUtf8(out.bytes());
}

QString ListCsvFile::CustomerRow(const Customer &c)
{
    return row({c.CustomerID(), c.NameKana(), c.NameKnj(), c.Bumon(), postcode(c.PostNumber()), c.Address1(),
                c.Address2(), c.Phone(), c.Fax(), QString::number(c.NebikiRitsu()), c.Memo(),
                c.TsukiSeikyu() ? QStringLiteral("する") : QStringLiteral("しない"), c.ShimeBi(),
                c.SeikyushoForm()});
}

QString ListCsvFile::ShohinRow(const Shohin &s)
{
    return row({s.ShohinID(), s.Number(), s.Name(), s.Maker(), plainDecimalText(s.Tanka()), s.Tanni(), s.Memo()});
}

QString ListCsvFile::text(const QString &kind, const QStringList &rowTexts)
{
    CsvRows out;
    listRows(out, kind, rowTexts, [] {});
    return QString::fromUtf8(out.bytes());
}

qsizetype ListCsvFile::write(const QString &path, const QString &text)
{
    qsizetype replaced = 0;
    const QByteArray bytes = text::toCp932Replacing(text, &replaced);
    text::writeBytes(path, bytes);
    return replaced;
}

qsizetype ListCsvFile::writeList(const QString &path, const QString &kind, const QStringList &rowTexts)
{
    qsizetype replaced = 0;
    // The file goes to the disk a piece at a time as the records are read:
    // however long the list, only one piece is held.
    text::writeStreamed(path, [&](const text::PieceWriter &write) {
        CsvRows out;
        const auto writeOut = [&] {
            qsizetype count = 0;
            write(text::utf8ToCp932Replacing(out.bytes(), &count));
            replaced += count;
            out.bytes().resize(0);
        };
        listRows(out, kind, rowTexts, [&] {
            if (out.bytes().size() >= kPieceBytes)
                writeOut();
        });
        if (!out.bytes().isEmpty())
            writeOut();
    });
    return replaced;
}

QString ListCsvFile::replacedMessage(qsizetype count)
{
    return QStringLiteral("ファイルに書けない文字が%1文字あったため、「?」に置き換えて保存しました。").arg(count);
}
