#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// The main window opens every dialog of a command through one of these
// launchers: a fresh instance per call, shown modally, its result read after
// it has closed. They return true when the dialog saved something; refreshing
// the views is the caller's business.

bool ShowCustomerForm(const QString &mode, const QString &customerID, QWidget *parent = nullptr);
bool ShowShohinForm(const QString &mode, const QString &shohinID, QWidget *parent = nullptr);

// The slip dialogs; the slip number as the caller holds it (nine digits).
bool ShowDenpyoCopyForm(const QString &mode, const QString &denpyoID, QWidget *parent = nullptr);
bool ShowDenpyoProcessForm(const QString &denpyoID, QWidget *parent = nullptr);
bool ShowDenpyoNoteForm(const QString &denpyoID, QWidget *parent = nullptr);
// The bulk progress change of the given slips (the selected rows of the
// slip list, in list order).
bool ShowDenpyoGroupProcessForm(const QStringList &denpyoIDs, QWidget *parent = nullptr);
