#include "core/Tables.h"
#include "core/Globals.h"

namespace {

struct ColumnRow {
    const char16_t *caption;
    int width;
};

const ColumnRow kDenpyoListColumns[] = {
    {u"伝票№", 1300},   {u"納期", 900},     {u"顧客名", 2000}, {u"金額", 1000},
    {u"見積", 600},     {u"見積日", 900},   {u"受注", 600},    {u"受注日", 900},
    {u"納品", 600},     {u"納品日", 900},   {u"請求", 600},    {u"請求日", 900},
    {u"入金", 600},     {u"入金日", 900},   {u"作成日", 1800}, {u"更新日", 1800},
};

const char16_t *const kDenpyoKensakuItems[] = {
    u"root;rt0D;伝票番号;NumInput;伝票番号",
    u"root;rtBD;納期;DateInput;納期",
    u"root;rt1D;顧客ID;IDInput_Customer_CustomerID;顧客ID",
    u"root;rt2D;顧客名;StringInput_Customer_NameKnj;顧客名",
    u"root;rt3D;商品ID;IDInput_Shohin_ShohinID;商品ID",
    u"root;rt4D;品番;StringInput_Shohin_Number;品番",
    u"root;rt5D;品名;StringInput_Shohin_Name;品名",
    u"root;rt7D;合計金額（税込）;Kingaku;合計消費税込み",
    u"root;rtND;見積もり;YesNo;見積もり",
    u"root;rtOD;受注;YesNo;受注",
    u"root;rtPD;納品;YesNo;納品",
    u"root;rtQD;請求;YesNo;請求",
    u"root;rtRD;入金;YesNo;入金",
    u"root;rtDD;見積もり日;DateInput;見積もり日付",
    u"root;rtED;受注日;DateInput;受注日付",
    u"root;rtFD;納品日;DateInput;納品日付",
    u"root;rtGD;請求日;DateInput;請求日付",
    u"root;rtHD;入金日;DateInput;入金日付",
    u"root;rtID;部門;StringInput;部門",
    u"root;rtJD;担当;StringInput;担当",
    u"root;rtKD;メモ;StringInput;メモ",
    u"root;rtLD;作成日;DateInputForDateTime;作成日付",
    u"root;rtMD;更新日;DateInputForDateTime;更新日付",
};

const char16_t *const kCustomerKensakuItems[] = {
    u"root;rt1D;顧客ID;IDInput_Customer_CustomerID;顧客ID",
    u"root;rt2D;顧客名かな;StringInput_Customer_NameKana;顧客名かな",
    u"root;rt3D;顧客名漢字;StringInput_Customer_NameKnj;顧客名漢字",
    u"root;rt4D;部門;StringInput_Customer_Bumon;部門",
    u"root;rt5D;郵便番号(XXXXXXX);IDInput;郵便番号",
    u"root;rt6D;所在地;StringInput;所在地",
    u"root;rt7D;電話番号(XXXX-XX-XXXX);IDInput;電話番号",
    u"root;rt8D;FAX番号(XXXX-XX-XXXX);IDInput;FAX番号",
    u"root;rt9D;値引率;NumInput;値引率",
    u"root;rtAD;メモ;StringInput;メモ",
    u"root;rtBD;月締め請求;SuruShinai;月締め請求",
    u"root;rtCD;締め日;StringInput;締め日",
    u"root;rtDD;請求書フォーム;StringInput;請求書フォーム",
};

const char16_t *const kShohinKensakuItems[] = {
    u"root;rt1D;商品ID;IDInput_Shohin_ShohinID;商品ID",
    u"root;rt2D;品番;StringInput_Shohin_Number;品番",
    u"root;rt3D;品名;StringInput_Shohin_Name;品名",
    u"root;rt4D;製造元;StringInput_Shohin_Maker;製造元",
    u"root;rt5D;単価;Kingaku;単価",
    u"root;rt6D;単位;StringInput;単位",
    u"root;rt7D;説明;StringInput;説明",
};

template <std::size_t N>
QStringList toList(const char16_t *const (&texts)[N])
{
    QStringList list;
    list.reserve(N);
    for (const char16_t *t : texts)
        list += QString::fromUtf16(t);
    return list;
}

} // namespace

void InitDenpyoListColumns()
{
    garrDenpyoListColumns.clear();
    for (const ColumnRow &row : kDenpyoListColumns)
        garrDenpyoListColumns.append(DenpyoListColumn{QString::fromUtf16(row.caption), row.width});
}

void InitDenpyoKensakuItems()
{
    garrDenpyoKensakuItems = toList(kDenpyoKensakuItems);
}

void InitCustomerKensakuItems()
{
    garrCustomerKensakuItems = toList(kCustomerKensakuItems);
}

void InitShohinKensakuItems()
{
    garrShohinKensakuItems = toList(kShohinKensakuItems);
}

KensakuItemSpec KensakuItemSpec::parse(const QString &text)
{
    const QStringList f = text.split(QLatin1Char(';'));
    KensakuItemSpec spec;
    spec.parentKey = f.value(0);
    spec.nodeKey = f.value(1);
    spec.caption = f.value(2);
    spec.inputKind = f.value(3);
    spec.column = f.value(4);
    return spec;
}
