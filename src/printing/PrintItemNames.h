#pragma once

#include <QString>
#include <QStringList>

// The item names the fields of a print form may use, per kind
// ("Denpyo", "DenpyoList", "TsukiSeikyusho", "Customer", "CustomerList",
// "Shohin", "ShohinList") and list ("P" page items, "D" detail items).
// Element 0 is empty and the names follow from element 1; an unknown kind or
// letter, or a kind without detail items, gives element 0 alone.
QStringList fnGetItemNames(const QString &kind, const QString &listLetter);
