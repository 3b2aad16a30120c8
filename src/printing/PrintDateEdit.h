#pragma once

class QDateEdit;
class QDateTime;
class QWidget;

// The print dialogs' date picker: "yyyy/MM/dd" with a Japanese calendar
// whose weeks start on Sunday; it starts at today.
QDateEdit *newPrintDateEdit(QWidget *parent);
// The chosen day as a date value (midnight).
QDateTime printDateOf(const QDateEdit *edit);
