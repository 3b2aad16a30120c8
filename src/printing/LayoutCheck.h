#pragma once

#include "platform/report/Layout.h"

#include <QString>
#include <QStringList>

// The rules a print form's layout must meet: one section, named "Detail",
// starting a new page before each record, and every Field control holding a
// field spec whose item is one of the kind's names. The check reports only.
struct LayoutCheckResult {
    QStringList entries; // one per fault or note, in the order found
    bool hasErrors = false; // notes about the product-line option do not count
};

// pageItems and detailItems as fnGetItemNames gives them (element 0 unused).
LayoutCheckResult CheckLayout(const report::Layout &layout, const QString &kindCode, const QStringList &pageItems,
                              const QStringList &detailItems, bool shohinMeisai);

// True when some element from 1 on equals the name exactly.
bool fnIsItemName(const QStringList &items, const QString &name);

namespace LayoutCheckText {
inline const QString kSections = QStringLiteral("Detail以外のセクションは使用できません。");
inline const QString kSectionName = QStringLiteral("Detailセクションの名前を'Detail'以外に変更できません。");
inline const QString kNewPage = QStringLiteral("NewPageプロパティは[1- Before]に設定してください。");
inline const QString kFormat = QStringLiteral(
    " / 形式が間違っています。(P_データベース項目名, F_データベース項目名, L_データベース項目名, 99_データベース項目名)");
inline const QString kItemName = QStringLiteral(" / データベース項目名が間違っています。");
inline const QString kMeisaiCheckedUnused = QStringLiteral(
    "「商品明細を出力する」チェックボックスがチェックされていますが、商品明細項目が定義されていません。");
inline const QString kMeisaiUncheckedUsed = QStringLiteral(
    "「商品明細を出力する」チェックボックスがチェックされていませんが、商品明細項目が定義されています。");
inline const QString kWarningTitle = QStringLiteral("エラー");
} // namespace LayoutCheckText
