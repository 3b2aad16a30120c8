#include "mainwindow/views/RecordPaneRows.h"

#include "core/DateValue.h"
#include "core/Routines.h"
#include "model/Customer.h"
#include "model/Denpyo.h"
#include "model/Shohin.h"
#include "slips/DenpyoStages.h"
#include "slips/LineTransfer.h"

#include <QDir>

namespace recordpane {

namespace {

QString amount(qint64 value)
{
    return fnFormatNumber(QStringLiteral("###,###,##0"), double(value));
}

// A memo as rows: the trimmed text cut at its line breaks; a final break
// adds no empty row.
QStringList memoPieces(const QString &memo)
{
    QString text = fnTrimBlanks(memo);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QStringList pieces = text.split(QLatin1Char('\n'));
    if (pieces.size() > 1 && pieces.last().isEmpty())
        pieces.removeLast();
    return pieces;
}

QString shortDateTime(const QDateTime &value)
{
    return isZeroDate(value) ? QString() : formatDateTime(value).mid(2);
}

} // namespace

std::shared_ptr<TextListRows> denpyoContents(const Denpyo &d)
{
    auto rows = std::make_shared<TextListRows>();
    auto separator = [&rows] {
        rows->add({QStringLiteral("-------"), QStringLiteral("--------"), QStringLiteral("---------------------"),
                   QStringLiteral("----------"), QStringLiteral("---------------------")},
                  0);
    };
    auto total = [&rows](const QString &label, const QString &value) {
        rows->add({QString(), QString(), label, value, QString()}, 0);
    };
    rows->add({QStringLiteral("伝票№"), QString::number(d.DenpyoID()),
               QStringLiteral("納期 ") + formatDate(d.Nouki()).right(8), QString(), QString()},
              0);
    separator();
    rows->add({QStringLiteral("顧客"), d.CustomerID(), d.CustomerName() + QLatin1Char(' ') + d.CustomerBumon(),
               QString(), d.CustomerAddress1() + QLatin1Char(' ') + d.CustomerAddress2()},
              0);
    QString contact;
    if (!d.CustomerTelephone().isEmpty())
        contact += QStringLiteral("Tel ") + d.CustomerTelephone() + QStringLiteral("  ");
    if (!d.CustomerFax().isEmpty())
        contact += QStringLiteral("Fax ") + d.CustomerFax();
    if (!contact.isEmpty())
        rows->add({QString(), QString(), QString(), QString(), contact}, 0);
    separator();
    qint32 i = 0;
    for (const Meisai &m : d.Meisais()) {
        const QString name = m.ItemNumber().isEmpty() ? m.ItemName() : m.ItemNumber() + QLatin1Char(' ') + m.ItemName();
        rows->add({QStringLiteral("明細-") + QString::number(++i), m.ItemID(), name, amount(m.ItemKingaku()),
                   linetransfer::detailText(m)},
                  0);
    }
    separator();
    total(QStringLiteral("明細計"), amount(d.MeisaiSum()));
    if (d.NebikiRitsu() > 0)
        total(QStringLiteral("値引率"), fnFormatNumber(QStringLiteral("##0"), d.NebikiRitsu()) + QStringLiteral("％"));
    if (d.NebikiKingaku() > 0)
        total(QStringLiteral("値引き"), amount(d.NebikiKingaku()));
    if (d.Summery() > 0)
        total(QStringLiteral("合計"), amount(d.Summery()));
    if (d.Shouhizei() > 0)
        total(QStringLiteral("消費税"), amount(d.Shouhizei()));
    total(QStringLiteral("税込合計"), amount(d.SummeryWithShouhizei()));
    if (!d.Bumon().isEmpty() || !d.Tanto().isEmpty() || !d.Memo().isEmpty()) {
        separator();
        if (!d.Bumon().isEmpty())
            rows->add({QStringLiteral("部門"), QString(), d.Bumon(), QString(), QString()}, 0);
        if (!d.Tanto().isEmpty())
            rows->add({QStringLiteral("担当"), QString(), d.Tanto(), QString(), QString()}, 0);
    }
    if (!fnTrimBlanks(d.Memo()).isEmpty()) {
        bool first = true;
        for (const QString &piece : memoPieces(d.Memo())) {
            rows->add({first ? QStringLiteral("メモ") : QString(), QString(), piece, QString(), QString()}, 0);
            first = false;
        }
    }
    bool anyStage = false;
    for (int s = 0; s < denpyostages::kCount; ++s)
        anyStage = anyStage || denpyostages::flag(d, s);
    if (anyStage) {
        separator();
        static const char16_t *padded[denpyostages::kCount] = {u"見積もり  ", u"受注      ", u"納品      ",
                                                               u"請求      ", u"入金      "};
        for (int s = 0; s < denpyostages::kCount; ++s) {
            QString name = QString::fromUtf16(padded[s]);
            if (denpyostages::flag(d, s))
                name += formatDate(denpyostages::date(d, s));
            rows->add({s == 0 ? QStringLiteral("進行状況") : QString(), QString(), name, QString(), QString()}, 0);
        }
    }
    separator();
    rows->add({QString(), QStringLiteral("作成日"), shortDateTime(d.InsertDate()), QString(), QString()}, 0);
    rows->add({QString(), QStringLiteral("更新日"), shortDateTime(d.ModifyDate()), QString(), QString()}, 0);
    return rows;
}

QVector<MainListModel::Column> denpyoContentsColumns(const QVector<int> &widths)
{
    return {{QStringLiteral("項目"), widths.value(0), Qt::AlignLeft},
            {QStringLiteral("ｺｰﾄﾞ"), widths.value(1), Qt::AlignLeft},
            {QStringLiteral("名前"), widths.value(2), Qt::AlignLeft},
            {QStringLiteral("金額"), widths.value(3), Qt::AlignRight},
            {QStringLiteral("詳細"), widths.value(4), Qt::AlignLeft}};
}

QVector<int> decodeDenpyoColumnWidths(const QString &record)
{
    const QString text = record.isEmpty() ? kDefaultDenpyoColumnWidths : record;
    QVector<int> widths;
    for (int k = 0; k < 5; ++k) {
        bool ok = false;
        const int width = text.mid(5 * k, 5).toInt(&ok);
        // Five digits hold at most 99999 twips; a wider column is kept at
        // the widest a 16-bit width allows.
        widths << (ok && width > 0 ? std::min(width, 32767) : 0);
    }
    return widths;
}

QString encodeDenpyoColumnWidths(const QVector<int> &widths)
{
    QString record;
    for (int k = 0; k < 5; ++k)
        record += QStringLiteral("%1").arg(std::clamp(widths.value(k), 0, 32767), 5, 10, QLatin1Char('0'));
    return record;
}

std::shared_ptr<TextListRows> customerContents(const Customer &c)
{
    auto rows = std::make_shared<TextListRows>();
    auto row = [&rows](const QString &label, const QString &value) { rows->add({label, value}, 0); };
    auto separator = [&row] {
        row(QStringLiteral("--------------"), QStringLiteral("------------------------------------"));
    };
    row(QStringLiteral("顧客ID"), c.CustomerID());
    separator();
    row(QStringLiteral("会社名(かな)"), c.NameKana());
    row(QStringLiteral("会社名(漢字)"), c.NameKnj());
    row(QStringLiteral("部門"), c.Bumon());
    separator();
    const QString post = c.PostNumber();
    row(QStringLiteral("所在地"),
        fnTrimBlanks(post).isEmpty() ? QString() : QStringLiteral("〒") + post.left(3) + QLatin1Char('-') + post.mid(3));
    row(QString(), c.Address1());
    if (!c.Address2().isEmpty())
        row(QString(), c.Address2());
    if (!c.Phone().isEmpty())
        row(QStringLiteral("Tel"), c.Phone());
    if (!c.Fax().isEmpty())
        row(QStringLiteral("Fax"), c.Fax());
    if (c.NebikiRitsu() > 0) {
        separator();
        row(QStringLiteral("値引率"), QString::number(c.NebikiRitsu()) + QStringLiteral("％"));
    }
    if (!fnTrimBlanks(c.Memo()).isEmpty()) {
        separator();
        bool first = true;
        for (const QString &piece : memoPieces(c.Memo())) {
            row(first ? QStringLiteral("メモ") : QString(), piece);
            first = false;
        }
    }
    if (c.TsukiSeikyu()) {
        separator();
        row(QStringLiteral("[月締め請求]"), QString());
        row(QStringLiteral("締め日"), c.ShimeBi());
        row(QStringLiteral("請求書フォーム"), c.SeikyushoForm());
    }
    return rows;
}

std::shared_ptr<TextListRows> shohinContents(const Shohin &s)
{
    auto rows = std::make_shared<TextListRows>();
    auto row = [&rows](const QString &label, const QString &value) { rows->add({label, value}, 0); };
    auto separator = [&row] {
        row(QStringLiteral("--------------"), QStringLiteral("------------------------------------"));
    };
    row(QStringLiteral("商品ID"), s.ShohinID());
    separator();
    row(QStringLiteral("品番"), s.Number());
    row(QStringLiteral("品名"), s.Name());
    row(QStringLiteral("製造元"), s.Maker());
    if (s.Tanka() > 0)
        row(QStringLiteral("単価"), fnFormatNumber(QStringLiteral("#,##0.###"), s.Tanka()) + QStringLiteral("円"));
    if (!s.Tanni().isEmpty())
        row(QStringLiteral("単位"), s.Tanni());
    if (!fnTrimBlanks(s.Memo()).isEmpty()) {
        separator();
        bool first = true;
        for (const QString &piece : memoPieces(s.Memo())) {
            row(first ? QStringLiteral("説明") : QString(), piece);
            first = false;
        }
    }
    return rows;
}

QVector<MainListModel::Column> registerContentsColumns()
{
    return {{QStringLiteral("項目"), 1500, Qt::AlignLeft}, {QStringLiteral("内容"), 4500, Qt::AlignLeft}};
}

std::shared_ptr<TextListRows> itemMenu(const QString &kind, const QString &printFormFolder)
{
    struct Fixed {
        const char16_t *caption;
        const char16_t *description;
        int image;
    };
    static const Fixed denpyo[] = {
        {u"伝票明細", u"伝票の明細を更新します...", 4},
        {u"補足情報", u"伝票の補足情報を更新します...", 7},
        {u"進行状況", u"伝票の進行状況を更新します...", 8},
        {u"参照作成", u"この伝票を参照して、新規伝票を作成します...", 5},
        {u"伝票複写", u"この伝票から、新規または既存伝票へ明細を複写します...", 26},
        {u"伝票分割", u"この伝票から、新規または既存伝票へ明細を移動します...", 26},
    };
    static const Fixed customer[] = {
        {u"顧客情報", u"顧客情報を更新します...", 3},
        {u"参照作成", u"この顧客を参照して、新規顧客を作成します...", 23},
    };
    static const Fixed shohin[] = {
        {u"商品情報", u"商品情報を更新します...", 6},
        {u"参照作成", u"この商品を参照して、新規商品を作成します...", 24},
    };
    const bool slip = kind == QStringLiteral("伝票");
    const Fixed *fixed = slip ? denpyo : kind == QStringLiteral("顧客") ? customer : shohin;
    const int count = slip ? 6 : 2;
    auto rows = std::make_shared<TextListRows>();
    for (int i = 0; i < count; ++i)
        rows->add({QString::fromUtf16(fixed[i].caption), QString::fromUtf16(fixed[i].description), QString::number(i)},
                  fixed[i].image);
    const QString printKey = slip ? QStringLiteral("9") : QStringLiteral("2");
    const QStringList forms = QDir(printFormFolder).entryList({QStringLiteral("*.rpx")}, QDir::Files, QDir::Unsorted);
    for (const QString &file : forms) {
        const QString name = file.chopped(4);
        rows->add({name + QStringLiteral("印刷"), name + QStringLiteral("を印刷します..."), printKey + name}, 10);
    }
    return rows;
}

QVector<MainListModel::Column> itemMenuColumns()
{
    return {{QStringLiteral("名前"), 3500, Qt::AlignLeft},
            {QStringLiteral("説明"), 4500, Qt::AlignLeft},
            {QStringLiteral("ｿｰﾄｷｰ"), 0, Qt::AlignLeft}};
}

} // namespace recordpane
