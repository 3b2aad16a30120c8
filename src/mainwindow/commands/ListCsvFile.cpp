#include "mainwindow/commands/ListCsvFile.h"

#include "core/DateValue.h"
#include "core/Routines.h"
#include "masters/DecimalText.h"
#include "model/Customer.h"
#include "model/Denpyo.h"
#include "model/Shohin.h"
#include "platform/text/Cp932.h"
#include "platform/text/LineFile.h"

#include <QRegularExpression>

namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kStageMark = QStringLiteral(">>");

QString field(const QString &value)
{
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    QString kept = value;
    kept.replace(lineBreak, QStringLiteral("//"));
    kept.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + kept + QLatin1Char('"');
}

QString row(const QStringList &values)
{
    QStringList fields;
    fields.reserve(values.size());
    for (const QString &value : values)
        fields << field(value);
    return fields.join(QLatin1Char(',')) + kCrLf;
}

QString amount(qint64 value)
{
    return fnFormatNumber(QStringLiteral("#,##0"), double(value));
}

// The first three characters, "-", and at most four more; "-" when empty.
QString postcode(const QString &value)
{
    return value.left(3) + QLatin1Char('-') + value.mid(3, 4);
}

void stage(QStringList &values, bool on, const QDateTime &date)
{
    values << (on ? kStageMark : QString()) << (on ? formatDate(date) : QString());
}

QStringList itemValues(qint32 position, const Meisai &line)
{
    return {QString::number(position), line.ItemID(), line.ItemNumber(), line.ItemName(),
            plainDecimalText(line.ItemTanka()), plainDecimalText(line.ItemSuryo()), line.ItemTanni(),
            amount(line.ItemKingaku()), line.ItemBikou()};
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
    QStringList values = {QString::number(d.DenpyoID()),
                          formatDate(d.Nouki()),
                          d.CustomerID(),
                          postcode(d.CustomerPostNumber()),
                          d.CustomerAddress1(),
                          d.CustomerAddress2(),
                          d.CustomerName(),
                          d.CustomerBumon(),
                          d.CustomerTelephone(),
                          d.CustomerFax(),
                          QString::number(d.NebikiRitsu()),
                          amount(d.NebikiKingaku()),
                          amount(d.Summery()),
                          amount(d.Shouhizei()),
                          amount(d.SummeryWithShouhizei())};
    stage(values, d.Mitsumori(), d.MitsumoriDate());
    stage(values, d.Juchu(), d.JuchuDate());
    stage(values, d.Nouhin(), d.NouhinDate());
    stage(values, d.Seikyu(), d.SeikyuDate());
    stage(values, d.Nyukin(), d.NyukinDate());
    values << d.Bumon() << d.Tanto() << d.Memo();

    const ::Meisais &lines = d.Meisais();
    if (lines.Count() == 0)
        return row(values + itemValues(1, Meisai()));
    QString rows;
    qint32 j = 0;
    for (const Meisai &line : lines) {
        ++j;
        if (j == 1)
            rows += row(values + itemValues(j, line));
        else
            rows += QString(28, QLatin1Char(',')) + row(itemValues(j, line));
    }
    return rows;
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
    QString out;
    if (kind == QStringLiteral("伝票")) {
        out = DenpyoHeader();
        for (const QString &rowText : rowTexts) {
            bool ok = false;
            const qint32 id = rowText.trimmed().toInt(&ok);
            Denpyo slip;
            if (ok && slip.Load(id))
                out += DenpyoRows(slip);
        }
    } else if (kind == QStringLiteral("顧客")) {
        out = CustomerHeader();
        for (const QString &rowText : rowTexts) {
            Customer customer;
            if (customer.Load(rowText))
                out += CustomerRow(customer);
        }
    } else if (kind == QStringLiteral("商品")) {
        out = ShohinHeader();
        for (const QString &rowText : rowTexts) {
            Shohin shohin;
            if (shohin.Load(rowText))
                out += ShohinRow(shohin);
        }
    }
    return out;
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
    return write(path, text(kind, rowTexts));
}

QString ListCsvFile::replacedMessage(qsizetype count)
{
    return QStringLiteral("ファイルに書けない文字が%1文字あったため、「?」に置き換えて保存しました。").arg(count);
}
