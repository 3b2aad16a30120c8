#pragma once

#include <QString>
#include <Qt>

// The columns of the slip editor's line grid and the rules of their cells,
// without widgets.
namespace MeisaiColumns {

enum Column { Number = 0, ShohinID, Hinban, Hinmei, Tanka, Suryo, Tanni, Kingaku, Biko, Count };

struct Spec {
    const char16_t *heading;
    int widthTwips;
    // Qt::Alignment(); general: numbers right, text left.
    Qt::Alignment alignment;
    // Characters a cell keeps after an edit; 0: no cut (number columns are
    // cleaned instead), -1: no editing.
    int limit;
    // The name of the column's key hints.
    const char16_t *key;
};
const Spec &spec(int col);

// Columns in which the cell editor opens.
bool isEditable(int col);
// Columns whose editor turns the input method on.
bool usesIme(int col);
// Unit price and quantity.
bool isNumber(int col);

// The text a cell keeps after an edit: cut to the column's limit; a number
// column keeps its number text ("12a3" -> "123") or nothing when it is no
// number (before the thousands separators are put in).
QString cleanedText(int col, const QString &text);

// The status-bar hint for a field or column key, on the grid's last row or not.
QString guideText(const QString &name, bool lastRow);
// Whether a name is one of the grid's column keys.
bool isGridKey(const QString &name);

} // namespace MeisaiColumns
