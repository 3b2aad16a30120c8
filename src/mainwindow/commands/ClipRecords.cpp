#include "mainwindow/commands/ClipRecords.h"

#include "core/Globals.h"
#include "mainwindow/commands/ObjectClipboardText.h"
#include "model/DenpyoReader.h"
#include "platform/db/ReadTransaction.h"

namespace clipboardtext {

namespace {

const QString kDenpyo = QStringLiteral("伝票");
const QString kCustomer = QStringLiteral("顧客");
const QString kShohin = QStringLiteral("商品");

QString itemKey(qint32 position, const QString &name)
{
    return QStringLiteral("明細/") + QString::number(position) + QLatin1Char('/') + name;
}

const QStringList &itemNames()
{
    static const QStringList names = {QStringLiteral("商品ID"), QStringLiteral("品番"), QStringLiteral("品名"),
                                      QStringLiteral("単価"),   QStringLiteral("数量"), QStringLiteral("単位"),
                                      QStringLiteral("金額"),   QStringLiteral("備考")};
    return names;
}

// Header and records of a copy; load(key) gives a record's lines for its
// number, or nothing when the record has gone.
template <typename Key, typename Load>
QString copyText(const QString &kind, const QList<Key> &keys, Load load)
{
    QString records;
    qint32 count = 0;
    for (const Key &key : keys) {
        const std::optional<QString> lines = load(key, count + 1);
        if (!lines)
            continue;
        records += *lines;
        ++count;
    }
    return header(kind, count) + records;
}

std::unique_ptr<Denpyo> DenpyoFromClipData(RecordTable &r)
{
    auto slip = std::make_unique<Denpyo>();
    slip->setNouki(r.date(QStringLiteral("納期")));
    slip->setCustomerID(r.text(QStringLiteral("顧客ID")));
    slip->setCustomerPostNumber(r.text(QStringLiteral("顧客郵便")));
    slip->setCustomerAddress1(r.text(QStringLiteral("顧客所在地１")));
    slip->setCustomerAddress2(r.text(QStringLiteral("顧客所在地２")));
    slip->setCustomerName(r.text(QStringLiteral("顧客名")));
    slip->setCustomerBumon(r.text(QStringLiteral("顧客部門")));
    slip->setCustomerTelephone(r.text(QStringLiteral("顧客電話")));
    slip->setCustomerFax(r.text(QStringLiteral("顧客FAX")));
    slip->setMeisaiSum(r.int32(QStringLiteral("明細計")));
    slip->setNebikiRitsuOn(r.flag(QStringLiteral("値引率計算")));
    slip->setNebikiRitsu(r.int16(QStringLiteral("値引率")));
    slip->setNebikiKingaku(r.int32(QStringLiteral("値引金額")));
    slip->setSummery(r.int32(QStringLiteral("合計")));
    slip->setShouhizeiIn(r.flag(QStringLiteral("消費税含")));
    slip->setShouhizei(r.int32(QStringLiteral("消費税")));
    slip->setSummeryWithShouhizei(r.int32(QStringLiteral("合計消費税込み")));
    slip->setBumon(r.text(QStringLiteral("部門")));
    slip->setTanto(r.text(QStringLiteral("担当")));
    slip->setMemo(r.memo(QStringLiteral("メモ")));

    const qint16 count = r.int16(QStringLiteral("明細数"));
    if (count < 0)
        return nullptr;
    for (qint32 j = 1; j <= count; ++j) {
        // A counted line item of which the text holds nothing is missing.
        bool present = false;
        for (const QString &name : itemNames())
            present = present || r.contains(itemKey(j, name));
        if (!present)
            return nullptr;
        Meisai &line = slip->Meisais().Add();
        line.setItemID(r.text(itemKey(j, QStringLiteral("商品ID"))));
        line.setItemNumber(r.text(itemKey(j, QStringLiteral("品番"))));
        line.setItemName(r.text(itemKey(j, QStringLiteral("品名"))));
        line.setItemTanka(r.number(itemKey(j, QStringLiteral("単価"))));
        line.setItemSuryo(r.number(itemKey(j, QStringLiteral("数量"))));
        line.setItemTanni(r.text(itemKey(j, QStringLiteral("単位"))));
        line.setItemKingaku(r.int32(itemKey(j, QStringLiteral("金額"))));
        line.setItemBikou(r.text(itemKey(j, QStringLiteral("備考"))));
    }
    if (!r.converted())
        return nullptr;
    return slip;
}

std::optional<Customer> CustomerFromClipData(RecordTable &r)
{
    Customer customer;
    customer.setNameKana(r.text(QStringLiteral("顧客名かな")));
    customer.setNameKnj(r.text(QStringLiteral("顧客名漢字")));
    customer.setBumon(r.text(QStringLiteral("部門")));
    customer.setPostNumber(r.text(QStringLiteral("郵便番号")));
    customer.setAddress1(r.text(QStringLiteral("所在地１")));
    customer.setAddress2(r.text(QStringLiteral("所在地２")));
    customer.setPhone(r.text(QStringLiteral("電話番号")));
    customer.setFax(r.text(QStringLiteral("FAX番号")));
    customer.setNebikiRitsu(r.int16(QStringLiteral("値引率")));
    customer.setMemo(r.memo(QStringLiteral("メモ")));
    customer.setTsukiSeikyu(r.flag(QStringLiteral("月締め請求")));
    customer.setShimeBi(r.text(QStringLiteral("締め日")));
    customer.setSeikyushoForm(r.text(QStringLiteral("請求書フォーム")));
    if (!r.converted())
        return std::nullopt;
    return customer;
}

std::optional<Shohin> ShohinFromClipData(RecordTable &r)
{
    Shohin shohin;
    shohin.setNumber(r.text(QStringLiteral("品番")));
    shohin.setName(r.text(QStringLiteral("品名")));
    shohin.setMaker(r.text(QStringLiteral("製造元")));
    shohin.setTanka(r.number(QStringLiteral("単価")));
    shohin.setTanni(r.text(QStringLiteral("単位")));
    shohin.setMemo(r.memo(QStringLiteral("説明")));
    if (!r.converted())
        return std::nullopt;
    return shohin;
}

} // namespace

void AppendDenpyoClipText(QString &text, qint32 number, const Denpyo &d)
{
    RecordLines r(number, text);
    r.whole(QStringLiteral("伝票番号"), d.DenpyoID());
    r.date(QStringLiteral("納期"), d.Nouki());
    r.text(QStringLiteral("顧客ID"), d.CustomerID());
    r.text(QStringLiteral("顧客郵便"), d.CustomerPostNumber());
    r.text(QStringLiteral("顧客所在地１"), d.CustomerAddress1());
    r.text(QStringLiteral("顧客所在地２"), d.CustomerAddress2());
    r.text(QStringLiteral("顧客名"), d.CustomerName());
    r.text(QStringLiteral("顧客部門"), d.CustomerBumon());
    r.text(QStringLiteral("顧客電話"), d.CustomerTelephone());
    r.text(QStringLiteral("顧客FAX"), d.CustomerFax());
    r.whole(QStringLiteral("明細計"), d.MeisaiSum());
    r.flag(QStringLiteral("値引率計算"), d.NebikiRitsuOn());
    r.whole(QStringLiteral("値引率"), d.NebikiRitsu());
    r.whole(QStringLiteral("値引金額"), d.NebikiKingaku());
    r.whole(QStringLiteral("合計"), d.Summery());
    r.flag(QStringLiteral("消費税含"), d.ShouhizeiIn());
    r.whole(QStringLiteral("消費税"), d.Shouhizei());
    r.whole(QStringLiteral("合計消費税込み"), d.SummeryWithShouhizei());
    r.flag(QStringLiteral("見積もり"), d.Mitsumori());
    r.stageDate(QStringLiteral("見積もり日付"), d.MitsumoriDate());
    r.flag(QStringLiteral("受注"), d.Juchu());
    r.stageDate(QStringLiteral("受注日付"), d.JuchuDate());
    r.flag(QStringLiteral("納品"), d.Nouhin());
    r.stageDate(QStringLiteral("納品日付"), d.NouhinDate());
    r.flag(QStringLiteral("請求"), d.Seikyu());
    r.stageDate(QStringLiteral("請求日付"), d.SeikyuDate());
    r.flag(QStringLiteral("入金"), d.Nyukin());
    r.stageDate(QStringLiteral("入金日付"), d.NyukinDate());
    r.text(QStringLiteral("部門"), d.Bumon());
    r.text(QStringLiteral("担当"), d.Tanto());
    r.memo(QStringLiteral("メモ"), d.Memo());
    r.time(QStringLiteral("作成日付"), d.InsertDate());
    r.time(QStringLiteral("更新日付"), d.ModifyDate());
    const ::Meisais &lines = d.Meisais();
    r.whole(QStringLiteral("明細数"), lines.Count());
    qint32 j = 0;
    for (const Meisai &line : lines) {
        r.item(++j);
        r.text(QStringLiteral("商品ID"), line.ItemID());
        r.text(QStringLiteral("品番"), line.ItemNumber());
        r.text(QStringLiteral("品名"), line.ItemName());
        r.number(QStringLiteral("単価"), line.ItemTanka());
        r.number(QStringLiteral("数量"), line.ItemSuryo());
        r.text(QStringLiteral("単位"), line.ItemTanni());
        r.whole(QStringLiteral("金額"), line.ItemKingaku());
        r.text(QStringLiteral("備考"), line.ItemBikou());
    }
}

QString DenpyoToClipText(qint32 number, const Denpyo &slip)
{
    QString text;
    AppendDenpyoClipText(text, number, slip);
    return text;
}

QString CustomerToClipText(qint32 number, const Customer &c)
{
    RecordLines r(number);
    r.text(QStringLiteral("顧客ID"), c.CustomerID());
    r.text(QStringLiteral("顧客名かな"), c.NameKana());
    r.text(QStringLiteral("顧客名漢字"), c.NameKnj());
    r.text(QStringLiteral("部門"), c.Bumon());
    r.text(QStringLiteral("郵便番号"), c.PostNumber());
    r.text(QStringLiteral("所在地１"), c.Address1());
    r.text(QStringLiteral("所在地２"), c.Address2());
    r.text(QStringLiteral("電話番号"), c.Phone());
    r.text(QStringLiteral("FAX番号"), c.Fax());
    r.whole(QStringLiteral("値引率"), c.NebikiRitsu());
    r.memo(QStringLiteral("メモ"), c.Memo());
    r.flag(QStringLiteral("月締め請求"), c.TsukiSeikyu());
    r.text(QStringLiteral("締め日"), c.ShimeBi());
    r.text(QStringLiteral("請求書フォーム"), c.SeikyushoForm());
    return r.lines();
}

QString ShohinToClipText(qint32 number, const Shohin &s)
{
    RecordLines r(number);
    r.text(QStringLiteral("商品ID"), s.ShohinID());
    r.text(QStringLiteral("品番"), s.Number());
    r.text(QStringLiteral("品名"), s.Name());
    r.text(QStringLiteral("製造元"), s.Maker());
    r.number(QStringLiteral("単価"), s.Tanka());
    r.text(QStringLiteral("単位"), s.Tanni());
    r.memo(QStringLiteral("説明"), s.Memo());
    return r.lines();
}

QString DenpyosText(const QList<qint32> &denpyoIDs)
{
    // One reader in one read transaction: two statements prepared for the
    // whole copy and the engine's lock taken once, not per slip. The slips
    // are written straight into the text, which is never copied whole: a
    // copy of every slip makes hundreds of megabytes.
    db::ReadTransaction snapshot(connection());
    DenpyoReader reader;
    Denpyo slip;
    QString text = header(kDenpyo, qint32(denpyoIDs.size()));
    const qsizetype headerSize = text.size();
    qint32 count = 0;
    for (qint32 id : denpyoIDs) {
        if (!reader.Load(slip, id))
            continue;
        AppendDenpyoClipText(text, ++count, slip);
    }
    if (count != denpyoIDs.size())
        text.replace(0, headerSize, header(kDenpyo, count));
    return text;
}

QString CustomersText(const QStringList &customerIDs)
{
    return copyText(kCustomer, customerIDs, [](const QString &id, qint32 number) -> std::optional<QString> {
        Customer customer;
        if (!customer.Load(id))
            return std::nullopt;
        return CustomerToClipText(number, customer);
    });
}

QString ShohinsText(const QStringList &shohinIDs)
{
    return copyText(kShohin, shohinIDs, [](const QString &id, qint32 number) -> std::optional<QString> {
        Shohin shohin;
        if (!shohin.Load(id))
            return std::nullopt;
        return ShohinToClipText(number, shohin);
    });
}

std::optional<std::vector<std::unique_ptr<Denpyo>>> DenpyosFromText(const QString &text)
{
    std::optional<QList<RecordTable>> records = read(text, kDenpyo);
    if (!records)
        return std::nullopt;
    std::vector<std::unique_ptr<Denpyo>> slips;
    for (RecordTable &record : *records) {
        std::unique_ptr<Denpyo> slip = DenpyoFromClipData(record);
        if (!slip)
            return std::nullopt;
        slips.push_back(std::move(slip));
    }
    return slips;
}

std::optional<QList<Customer>> CustomersFromText(const QString &text)
{
    std::optional<QList<RecordTable>> records = read(text, kCustomer);
    if (!records)
        return std::nullopt;
    QList<Customer> customers;
    for (RecordTable &record : *records) {
        std::optional<Customer> customer = CustomerFromClipData(record);
        if (!customer)
            return std::nullopt;
        customers.append(*customer);
    }
    return customers;
}

std::optional<QList<Shohin>> ShohinsFromText(const QString &text)
{
    std::optional<QList<RecordTable>> records = read(text, kShohin);
    if (!records)
        return std::nullopt;
    QList<Shohin> shohins;
    for (RecordTable &record : *records) {
        std::optional<Shohin> shohin = ShohinFromClipData(record);
        if (!shohin)
            return std::nullopt;
        shohins.append(*shohin);
    }
    return shohins;
}

} // namespace clipboardtext
