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
