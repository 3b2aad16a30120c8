#pragma once

#include <QString>

// The slip editor's captions and messages, in one place.
namespace DenpyoTexts {
inline const QString kCaption = QStringLiteral(" 伝票明細");
inline const QString kTitle = QStringLiteral("伝票明細");
inline const QString kRegist = QStringLiteral("登録(F12)");
inline const QString kUpdate = QStringLiteral("更新(F12)");
inline const QString kClose = QStringLiteral("閉じる(ESC)");
inline const QString kClear = QStringLiteral("クリア(ESC)");
inline const QString kNewSlip = QStringLiteral("新規伝票");
inline const QString kUpdateSlip = QStringLiteral("伝票更新");
inline const QString kShouhizei = QStringLiteral("消費税");
inline const QString kUchizei = QStringLiteral("(内税)");
inline const QString kPrintEntry = QStringLiteral("(印刷)");
inline const QString kEnterNumber = QStringLiteral("伝票番号を入力してください。");
inline const QString kNoSuchNumber = QStringLiteral("この伝票番号は存在しません。");
inline const QString kNoSuchSlip = QStringLiteral("この伝票は存在しません。");
inline const QString kTotalDiffers =
    QStringLiteral("登録されている「税込合計」と表示されている「税込合計」が異なっています。");
inline const QString kTooLarge =
    QStringLiteral("金額が大きすぎます。伝票の金額は -2,147,483,648 から 2,147,483,647 までにしてください。");
} // namespace DenpyoTexts
