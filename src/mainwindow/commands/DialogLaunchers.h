#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class MainListView;
class QWidget;
class frmMainForm;

// The main window opens every dialog of a command through one of these
// launchers: a fresh instance per call, shown modally, its result read after
// it has closed. They return true when the dialog saved something; refreshing
// the views is the caller's business.

// The slip editor in one of its modes; the number is the caller's text
// (a list's nine-digit row text, or empty for "New" and "SelectableUpdate").
bool ShowDenpyoForm(const QString &mode, const QString &denpyoID, QWidget *parent = nullptr);
bool ShowCustomerForm(const QString &mode, const QString &customerID, QWidget *parent = nullptr);
bool ShowShohinForm(const QString &mode, const QString &shohinID, QWidget *parent = nullptr);

// The slip dialogs; the slip number as the caller holds it (nine digits).
bool ShowDenpyoCopyForm(const QString &mode, const QString &denpyoID, QWidget *parent = nullptr);
bool ShowDenpyoProcessForm(const QString &denpyoID, QWidget *parent = nullptr);
bool ShowDenpyoNoteForm(const QString &denpyoID, QWidget *parent = nullptr);
// The bulk progress change of the given slips (the selected rows of the
// slip list, in list order).
bool ShowDenpyoGroupProcessForm(const QStringList &denpyoIDs, QWidget *parent = nullptr);
// The print dialogs. A slip number is passed on without leading zeros.
void PrintDenpyoItem(qint32 denpyoID, const QString &formName, QWidget *parent = nullptr);
void PrintCustomerItem(const QString &customerID, const QString &formName, QWidget *parent = nullptr);
void PrintShohinItem(const QString &shohinID, const QString &formName, QWidget *parent = nullptr);
// Prints rows of the main list; kind is "伝票", "顧客" or "商品".
void ShowListPrintForm(const QString &kind, MainListView *list, QWidget *parent = nullptr);
void ShowPrintInfoForm(QWidget *parent = nullptr);

// The filter editor for a new filter (empty name), a saved filter or the
// one-off search ("一時検索"). When the one-off search was run, the main
// list shows what it selects. True when the editor saved its filter with OK
// or F12; one written under another name (名前をつけて保存) the window
// follows by itself (frmMainForm::FollowChanges).
bool FindDenpyo(frmMainForm &form, const QString &filterName);
bool FindCustomer(frmMainForm &form, const QString &filterName);
bool FindShohin(frmMainForm &form, const QString &filterName);

// What a launcher was asked to open: the dialog's class, its mode (or
// kind) and the record's key.
struct LaunchRequest {
    QString dialog;
    QString mode;
    QString key;
};
// Tests drive the launchers instead of the dialogs: while a driver is set,
// every launcher hands it the request and returns its answer without
// opening anything. An empty driver opens the dialogs again.
using LaunchDriver = std::function<bool(const LaunchRequest &)>;
void setLaunchDriver(LaunchDriver driver);
// The driver's answer, or nothing when no driver is set (for launchers
// kept elsewhere).
std::optional<bool> drivenLaunch(const LaunchRequest &request);
