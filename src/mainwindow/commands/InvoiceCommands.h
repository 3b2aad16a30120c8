#pragma once

#include <QDate>
#include <QString>

class QWidget;
class frmMainForm;

// The monthly invoice window for one customer; true when it registered an
// invoice.
bool ShowTsukiSeikyushoPrintForm(const QString &customerID, QWidget *parent = nullptr);
// Shows an archived invoice again, page by page, in the preview window.
void ReprintSeikyusho(const QString &customerID, const QDate &invoiceDate, QWidget *parent = nullptr);
// Deletes the invoices selected in the archive list after one question and
// shows the list again.
void DeleteSeikyushos(frmMainForm &form);

// The monthly-invoice branch's part of the main window's commands: opening
// a row, F2 ("Edit"), the popup's "Print" and "Delete" and the Delete
// command. False when the place is not a monthly-invoice view.
bool InvoiceOpenSelectedItem(frmMainForm &form);
bool InvoiceCommand(frmMainForm &form, const QString &command);
