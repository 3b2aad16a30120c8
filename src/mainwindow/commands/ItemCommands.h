#pragma once

#include <QString>

class frmMainForm;

// What opening a row of the main list does (Enter or a double click), and
// the commands on the selected record (F2 and the item popup), by the kind
// and level of the window's present place.
void OpenSelectedItem(frmMainForm &form);
// A row of an opened record's action menu (Enter or a double click).
void OpenItemMenu(frmMainForm &form);
void ItemCommand(frmMainForm &form, const QString &command, int printIndex = 0);
// The object menu of filter folders and print-form lists: "Edit", "Delete", "Rename".
void ObjectCommand(frmMainForm &form, const QString &command);
// The filter editor of a register ("伝票", "顧客", "商品"); see FindDenpyo.
bool FindFilter(frmMainForm &form, const QString &kind, const QString &filterName);
