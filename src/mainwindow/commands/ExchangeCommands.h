#pragma once

class frmMainForm;
class QWidget;

// Copy and paste of slips, customers and products through the clipboard,
// and the CSV export of a list's selected rows. Each works only in a
// record list (level 1 of "伝票", "顧客" or "商品", not the filter folder)
// and does nothing anywhere else.
void CopyCommand(frmMainForm &form);
// True when the paste stored a slip or opened an editor; the caller then
// shows the list again.
bool PasteRecords(frmMainForm &form);
// The menu bar's, toolbar's and Ctrl+V's paste: pastes and shows the list again.
void PasteCommand(frmMainForm &form);
void WriteFileCommand(frmMainForm &form);

// The procedures of each kind, on the rows selected in the main list.
void CopyDenpyos(frmMainForm &form);
void CopyCustomers(frmMainForm &form);
void CopyShohins(frmMainForm &form);
bool PasteDenpyos(QWidget *parent);
bool PasteCustomers(QWidget *parent);
bool PasteShohins(QWidget *parent);
