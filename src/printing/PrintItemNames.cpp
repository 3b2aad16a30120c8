#include "printing/PrintItemNames.h"

namespace {

QStringList ownCompanyItems()
{
    QStringList names = {
        QStringLiteral("自社会社名"),   QStringLiteral("自社郵便番号"),   QStringLiteral("自社所在地１"),
        QStringLiteral("自社所在地２"), QStringLiteral("自社電話番号"),   QStringLiteral("自社FAX番号"),
        QStringLiteral("自社ホームページ"), QStringLiteral("自社メール"), QStringLiteral("自社登録番号"),
    };
    for (const QString &n : {QStringLiteral("１"), QStringLiteral("２"), QStringLiteral("３")}) {
        const QString account = QStringLiteral("自社振込口座") + n;
        names << account + QStringLiteral("銀行") << account + QStringLiteral("支店")
              << account + QStringLiteral("種類") << account + QStringLiteral("番号");
    }
    return names;
}

QStringList memoItems(const QString &prefix = QString())
{
    QStringList names;
    for (const QString &n : {QStringLiteral("１"), QStringLiteral("２"), QStringLiteral("３"), QStringLiteral("４"),
                             QStringLiteral("５"), QStringLiteral("６")})
        names << prefix + QStringLiteral("メモ") + n + QStringLiteral("行目");
    return names;
}

QStringList slipItems()
{
    return {
        QStringLiteral("伝票番号"),      QStringLiteral("納期"),
        QStringLiteral("顧客ID"),        QStringLiteral("顧客郵便"),
        QStringLiteral("顧客所在地１"),  QStringLiteral("顧客所在地２"),
        QStringLiteral("顧客名"),        QStringLiteral("顧客名+様"),
        QStringLiteral("顧客名+御中"),   QStringLiteral("顧客部門"),
        QStringLiteral("顧客電話"),      QStringLiteral("顧客FAX"),
        QStringLiteral("見積日"),        QStringLiteral("受注日"),
        QStringLiteral("納品日"),        QStringLiteral("請求日"),
        QStringLiteral("入金日"),        QStringLiteral("値引率"),
        QStringLiteral("値引金額"),      QStringLiteral("値引き+値引金額"),
        QStringLiteral("値引き+値引率+値引金額"), QStringLiteral("合計"),
        QStringLiteral("消費税"),        QStringLiteral("税込合計"),
        QStringLiteral("合計-消費税"),   QStringLiteral("明細集計/金額"),
        QStringLiteral("明細集計/消費税"), QStringLiteral("明細集計/税込金額"),
        QStringLiteral("明細集計/消費税(内税)"), QStringLiteral("明細集計/明細金額-消費税(内税)"),
        QStringLiteral("部門"),          QStringLiteral("担当"),
    };
}

QStringList lineItems()
{
    return {
        QStringLiteral("商品ID"), QStringLiteral("品番"),       QStringLiteral("品名"),
        QStringLiteral("品名１－２５"), QStringLiteral("品名２６－５０"), QStringLiteral("品番+品名"),
        QStringLiteral("単価"),   QStringLiteral("数量"),       QStringLiteral("単位"),
        QStringLiteral("金額"),   QStringLiteral("備考"),
    };
}

QStringList lineTaxItems()
{
    return {QStringLiteral("明細消費税"), QStringLiteral("明細税込金額"), QStringLiteral("明細消費税(内税)"),
            QStringLiteral("明細金額-消費税(内税)")};
}

QStringList customerItems()
{
    return {
        QStringLiteral("顧客ID"),       QStringLiteral("顧客名かな"),   QStringLiteral("顧客名漢字"),
        QStringLiteral("顧客名漢字+様"), QStringLiteral("顧客名漢字+御中"), QStringLiteral("部門"),
        QStringLiteral("郵便番号"),     QStringLiteral("所在地１"),     QStringLiteral("所在地２"),
        QStringLiteral("電話番号"),     QStringLiteral("FAX番号"),      QStringLiteral("値引率"),
        QStringLiteral("月締め請求"),   QStringLiteral("締め日"),       QStringLiteral("請求金額計算"),
        QStringLiteral("請求金額計算説明"), QStringLiteral("請求書フォーム"),
    };
}

QStringList productItems()
{
    return {
        QStringLiteral("商品ID"), QStringLiteral("品番"), QStringLiteral("品名"),
        QStringLiteral("品名１－２５"), QStringLiteral("品名２６－５０"), QStringLiteral("製造元"),
        QStringLiteral("単価"),   QStringLiteral("単位"),
    };
}

QStringList firstSlipItems()
{
    const QString slip = QStringLiteral("先頭伝票/");
    const QString customer = QStringLiteral("先頭伝票顧客/");
    const QString totals = QStringLiteral("伝票集計/");
    QStringList names;
    for (const char *n : {"納期", "顧客ID", "顧客郵便", "顧客所在地１", "顧客所在地２", "顧客名", "顧客名+様",
                          "顧客名+御中", "顧客部門", "顧客電話", "顧客FAX", "見積日付", "受注日付", "納品日付",
                          "請求日付", "入金日付", "部門", "担当", "値引率"})
        names << slip + QString::fromUtf8(n);
    names << memoItems(slip);
    for (const char *n : {"顧客郵便", "顧客所在地１", "顧客所在地２", "顧客名", "顧客名+様", "顧客名+御中",
                          "顧客部門", "顧客電話", "顧客FAX"})
        names << customer + QString::fromUtf8(n);
    for (const char *n : {"値引金額", "合計", "消費税", "税込合計", "合計-消費税", "合計x消費税率",
                          "合計+(合計x消費税率)", "合計x消費税率(内税計算)", "合計-(合計x消費税率(内税計算))"})
        names << totals + QString::fromUtf8(n);
    return names;
}

QStringList slipListRowItems()
{
    QStringList names;
    for (const char *n : {"行番号", "伝票連番", "伝票番号", "納期", "顧客ID", "顧客郵便", "顧客所在地１",
                          "顧客所在地２", "顧客名", "顧客部門", "顧客電話", "顧客FAX", "見積日", "受注日", "納品日",
                          "請求日", "入金日", "値引率", "値引金額", "合計", "消費税", "税込合計", "合計-消費税",
                          "部門", "担当"})
        names << QString::fromUtf8(n);
    return names + memoItems() + lineItems();
}

} // namespace

QStringList fnGetItemNames(const QString &kind, const QString &listLetter)
{
    const QString printDate = QStringLiteral("印刷日付");
    QStringList names;
    if (listLetter == QLatin1String("P")) {
        if (kind == QLatin1String("Denpyo"))
            names = QStringList{printDate} + slipItems() + memoItems() + ownCompanyItems();
        else if (kind == QLatin1String("DenpyoList") || kind == QLatin1String("TsukiSeikyusho"))
            names = QStringList{printDate} + firstSlipItems() + ownCompanyItems();
        else if (kind == QLatin1String("Customer"))
            names = QStringList{printDate} + customerItems() + memoItems() + ownCompanyItems();
        else if (kind == QLatin1String("Shohin"))
            names = QStringList{printDate} + productItems() + memoItems() + ownCompanyItems();
        else if (kind == QLatin1String("CustomerList") || kind == QLatin1String("ShohinList"))
            names = QStringList{printDate} + ownCompanyItems();
    } else if (listLetter == QLatin1String("D")) {
        if (kind == QLatin1String("Denpyo"))
            names = lineItems() + lineTaxItems();
        else if (kind == QLatin1String("DenpyoList") || kind == QLatin1String("TsukiSeikyusho"))
            names = slipListRowItems();
        else if (kind == QLatin1String("CustomerList"))
            names = customerItems() + memoItems();
        else if (kind == QLatin1String("ShohinList"))
            names = productItems() + memoItems();
    }
    names.prepend(QString());
    return names;
}
