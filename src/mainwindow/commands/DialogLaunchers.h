#pragma once

#include <QString>

class QWidget;
class frmMainForm;

// The main window opens every dialog of a command through one of these
// launchers: a fresh instance per call, shown modally, its result read after
// it has closed. They return true when the dialog saved something; refreshing
// the views is the caller's business.

bool ShowCustomerForm(const QString &mode, const QString &customerID, QWidget *parent = nullptr);
bool ShowShohinForm(const QString &mode, const QString &shohinID, QWidget *parent = nullptr);

// The filter editor for a new filter (empty name), a saved filter or the
// one-off search ("一時検索"). When the one-off search was run, the main
// list shows what it selects. True when a saved filter was written.
bool FindDenpyo(frmMainForm &form, const QString &filterName);
bool FindCustomer(frmMainForm &form, const QString &filterName);
bool FindShohin(frmMainForm &form, const QString &filterName);
