#pragma once

#include <QString>

// Turn a saved search filter into the condition texts the list collections
// take. Each returns false after showing why ("…が存在しません。" or
// "…が不正です。"), leaving the conditions as they were.

// strSQLWHERE: condition on 伝票テーブル, always beginning "((1 = 1)".
// strSQLMEISAIWHERE: condition on the line columns 品名, 品番, 商品ID of
// 明細テーブル, empty when the filter tests none of them.
// A name beginning "/" is a ready slip condition and is passed through.
bool fnMakeDenpyoSQLWHERE(const QString &filterName, QString &strSQLWHERE, QString &strSQLMEISAIWHERE);

// Condition on 顧客テーブル / 商品テーブル with bare column names; empty when
// the filter holds no condition.
bool fnMakeCustomerSQLWHERE(const QString &filterName, QString &strSQLWHERE);
bool fnMakeShohinSQLWHERE(const QString &filterName, QString &strSQLWHERE);
