#pragma once

#include <QString>

class QWidget;

// The main window opens every dialog of a command through one of these
// launchers: a fresh instance per call, shown modally, its result read after
// it has closed. They return true when the dialog saved something; refreshing
// the views is the caller's business.

// The slip editor in one of its modes; the number is the caller's text
// (a list's nine-digit row text, or empty for "New" and "SelectableUpdate").
bool ShowDenpyoForm(const QString &mode, const QString &denpyoID, QWidget *parent = nullptr);
bool ShowCustomerForm(const QString &mode, const QString &customerID, QWidget *parent = nullptr);
bool ShowShohinForm(const QString &mode, const QString &shohinID, QWidget *parent = nullptr);
