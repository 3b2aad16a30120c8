#pragma once

#include <QString>

class QWidget;
class frmMainForm;

// The print-form designer launchers, one per kind: a new print form for an
// empty name. True when the designer wrote a layout.
bool ShowPrintFormDenpyo(const QString &formName, QWidget *parent = nullptr);
bool ShowPrintFormDenpyoList(const QString &formName, QWidget *parent = nullptr);
bool ShowPrintFormTsukiSeikyusho(const QString &formName, QWidget *parent = nullptr);
bool ShowPrintFormCustomer(const QString &formName, QWidget *parent = nullptr);
bool ShowPrintFormCustomerList(const QString &formName, QWidget *parent = nullptr);
bool ShowPrintFormShohin(const QString &formName, QWidget *parent = nullptr);
bool ShowPrintFormShohinList(const QString &formName, QWidget *parent = nullptr);
// The launcher of a kind named as the main window names it ("伝票印刷フォーム").
bool ShowPrintFormOfList(const QString &kindName, const QString &formName, QWidget *parent = nullptr);

// Deletes the print forms selected in the main list after one question.
bool DeletePrintForms(frmMainForm &form, const QString &kindName);
// Gives one print form a new name through the name dialog.
bool RenamePrintForm(frmMainForm &form, const QString &kindName, const QString &formName);

// The print-form branch's part of the main window's commands: opening a
// row, the object menu ("Edit", "Delete", "Rename") and the menu bar's
// "New", "Delete" and "Rename". False when the place is not a print-form view.
bool PrintFormOpenSelectedItem(frmMainForm &form);
bool PrintFormCommand(frmMainForm &form, const QString &command);
