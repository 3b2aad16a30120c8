#pragma once

#include <QString>

// Condition texts of the pickers' search boxes. The box values are quoted
// literals; an apostrophe in them is doubled so that it is searched for
// rather than ending the literal. LIKE pattern characters keep their meaning.

// Name anywhere in the kana or kanji name, ID at the start of 顧客ID.
QString CustomerSearchWhereMake(const QString &name, const QString &id);

// ID at the start of 商品ID; 品番, 品名 and 製造元 anywhere in their column.
QString ShohinSearchWhereMake(const QString &id, const QString &hinban, const QString &hinmei,
                              const QString &maker);

// The slip finder's slip condition: only the slip number when digits are
// given; otherwise the delivery date (one day "yyyy/mm/dd", or a range
// "yyyy/mm/dd ～ yyyy/mm/dd"), the customer ID at its start and the customer
// name anywhere.
QString DenpyoSearchWhereMake(const QString &digits, const QString &nouki, const QString &customerID,
                              const QString &customerName);
// The slip finder's line condition: product ID at its start, 品番 and 品名
// anywhere.
QString DenpyoMeisaiWhereMake(const QString &shohinID, const QString &hinban, const QString &hinmei);
