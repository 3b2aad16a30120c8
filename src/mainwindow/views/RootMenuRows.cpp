#include "mainwindow/views/RootMenuRows.h"

#include "mainwindow/views/NavigationTree.h"

namespace {
struct FixedRow {
    const char16_t *text;
    int picture;
    const char16_t *description;
};

// Per register: new, edit, search, saved filters, all records.
const FixedRow kDenpyoRows[] = {
    {u"新規伝票", 22, u"新規伝票を作成します..."},
    {u"伝票修正", 4, u"既存の伝票を修正します..."},
    {u"検索", 9, u"伝票を検索します..."},
    {u"検索フィルター", 17, u"登録されている検索フィルターを表示します..."},
    {u"全件", 2, u"伝票を全件表示します..."},
};
const FixedRow kCustomerRows[] = {
    {u"新規顧客", 23, u"新規顧客を作成します..."},
    {u"顧客修正", 3, u"既存の顧客を修正します..."},
    {u"検索", 12, u"顧客を検索します..."},
    {u"検索フィルター", 17, u"登録されている検索フィルターを表示します..."},
    {u"全件", 2, u"顧客を全件表示します..."},
};
const FixedRow kShohinRows[] = {
    {u"新規商品", 24, u"新規商品を作成します..."},
    {u"商品修正", 6, u"既存の商品を修正します..."},
    {u"検索", 12, u"商品を検索します..."},
    {u"検索フィルター", 17, u"登録されている検索フィルターを表示します..."},
    {u"全件", 2, u"商品を全件表示します..."},
};
} // namespace

RootMenuRows::RootMenuRows(SearchFilterKind kind)
{
    const FixedRow *fixed = kind == SearchFilterKind::Denpyo     ? kDenpyoRows
                            : kind == SearchFilterKind::Customer ? kCustomerRows
                                                                 : kShohinRows;
    const QString tags[] = {kNew, kUpdate, kFind, kFilters, kAll};
    for (int i = 0; i < 5; ++i)
        add({QString::fromUtf16(fixed[i].text), QString::fromUtf16(fixed[i].description), QString::number(i)},
            fixed[i].picture, tags[i]);

    const QString description = kind == SearchFilterKind::Denpyo     ? QStringLiteral("の伝票を検索します...")
                                : kind == SearchFilterKind::Customer ? QStringLiteral("の顧客を検索します...")
                                                                     : QStringLiteral("の商品を検索します...");
    for (const QString &name : searchfilter::savedNames(kind))
        if (NavigationTree::isListedFilterName(name))
            add({name, name + description, QStringLiteral("9") + name}, 2, kFilter);
}

QVector<MainListModel::Column> RootMenuRows::columns()
{
    return {{QStringLiteral("名前"), 3500, Qt::AlignLeft},
            {QStringLiteral("説明"), 4500, Qt::AlignLeft},
            {QStringLiteral("ｿｰﾄｷｰ"), 0, Qt::AlignLeft}};
}
