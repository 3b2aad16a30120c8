#include "mainwindow/commands/DialogLaunchers.h"

#include "filtereditor/frmFind.h"
#include "filters/SearchFilterKind.h"
#include "mainwindow/views/frmMainForm.h"
#include "mainwindow/commands/MainListPrintSource.h"
#include "masters/frmCustomer.h"
#include "masters/frmShohin.h"
#include "slips/frmDenpyoCopy.h"
#include "slips/frmDenpyoGroupProcess.h"
#include "slips/frmDenpyoNote.h"
#include "slips/frmDenpyoProcess.h"
#include "printing/frmItemPrint.h"
#include "printing/frmListPrint.h"
#include "printing/frmPrintInfo.h"
#include "slips/frmDenpyo.h"

#include <functional>

namespace {
LaunchDriver &launchDriver()
{
    static LaunchDriver driver;
    return driver;
}
} // namespace

void setLaunchDriver(LaunchDriver driver)
{
    launchDriver() = std::move(driver);
}

std::optional<bool> drivenLaunch(const LaunchRequest &request)
{
    if (!launchDriver())
        return std::nullopt;
    return launchDriver()(request);
}

namespace {
// Shows a slip or master dialog modally, unless a driver stands in for it,
// and says whether it changed anything.
template <class Form, class Setup>
bool runForm(const LaunchRequest &request, QWidget *parent, Setup setup)
{
    if (const auto driven = drivenLaunch(request))
        return *driven;
    Form form(parent);
    setup(form);
    form.exec();
    return form.ResultModified();
}
} // namespace

bool ShowDenpyoForm(const QString &mode, const QString &denpyoID, QWidget *parent)
{
    return runForm<frmDenpyo>({QStringLiteral("frmDenpyo"), mode, denpyoID}, parent, [&](frmDenpyo &form) {
        form.strMode = mode;
        form.strDenpyoID = denpyoID;
    });
}

bool ShowCustomerForm(const QString &mode, const QString &customerID, QWidget *parent)
{
    return runForm<frmCustomer>({QStringLiteral("frmCustomer"), mode, customerID}, parent, [&](frmCustomer &form) {
        form.Mode = mode;
        form.strCustomerID = customerID;
    });
}

bool ShowShohinForm(const QString &mode, const QString &shohinID, QWidget *parent)
{
    return runForm<frmShohin>({QStringLiteral("frmShohin"), mode, shohinID}, parent, [&](frmShohin &form) {
        form.Mode = mode;
        form.strShohinID = shohinID;
    });
}

bool ShowDenpyoCopyForm(const QString &mode, const QString &denpyoID, QWidget *parent)
{
    return runForm<frmDenpyoCopy>({QStringLiteral("frmDenpyoCopy"), mode, denpyoID}, parent, [&](frmDenpyoCopy &form) {
        form.Mode = mode;
        form.FromDenpyoID = denpyoID;
    });
}

bool ShowDenpyoProcessForm(const QString &denpyoID, QWidget *parent)
{
    return runForm<frmDenpyoProcess>({QStringLiteral("frmDenpyoProcess"), QString(), denpyoID}, parent, [&](frmDenpyoProcess &form) {
        form.strDenpyoID = denpyoID;
    });
}

bool ShowDenpyoNoteForm(const QString &denpyoID, QWidget *parent)
{
    return runForm<frmDenpyoNote>({QStringLiteral("frmDenpyoNote"), QString(), denpyoID}, parent, [&](frmDenpyoNote &form) {
        form.strDenpyoID = denpyoID;
    });
}

bool ShowDenpyoGroupProcessForm(const QStringList &denpyoIDs, QWidget *parent)
{
    return runForm<frmDenpyoGroupProcess>({QStringLiteral("frmDenpyoGroupProcess"), QString(), denpyoIDs.join(QLatin1Char(','))}, parent, [&](frmDenpyoGroupProcess &form) {
        form.SelectedDenpyoIDs = denpyoIDs;
    });
}

namespace {
void printItem(const QString &type, const QString &id, const QString &formName, QWidget *parent)
{
    if (const auto driven = drivenLaunch({QStringLiteral("frmItemPrint"), type, id + QLatin1Char('/') + formName}))
        return;
    frmItemPrint form(parent);
    form.ObjectType = type;
    form.ObjectID = id;
    form.FormName = formName;
    form.exec();
}
} // namespace

void PrintDenpyoItem(qint32 denpyoID, const QString &formName, QWidget *parent)
{
    printItem(QStringLiteral("伝票"), QString::number(denpyoID), formName, parent);
}

void PrintCustomerItem(const QString &customerID, const QString &formName, QWidget *parent)
{
    printItem(QStringLiteral("顧客"), customerID, formName, parent);
}

void PrintShohinItem(const QString &shohinID, const QString &formName, QWidget *parent)
{
    printItem(QStringLiteral("商品"), shohinID, formName, parent);
}

void ShowListPrintForm(const QString &kind, MainListView *list, QWidget *parent)
{
    if (const auto driven = drivenLaunch({QStringLiteral("frmListPrint"), kind, QString()}))
        return;
    MainListPrintSource source(list);
    frmListPrint form(parent);
    form.ObjectType = kind;
    form.Source = &source;
    form.exec();
}

void ShowPrintInfoForm(QWidget *parent)
{
    if (const auto driven = drivenLaunch({QStringLiteral("frmPrintInfo"), QString(), QString()}))
        return;
    frmPrintInfo form(parent);
    form.exec();
}

namespace {

bool findWith(frmMainForm &form, const QString &kind, const QString &filterName,
              const std::function<void()> &showTemporary)
{
    if (const auto driven = drivenLaunch({QStringLiteral("frmFind"), kind, filterName}))
        return *driven;
    try {
        frmFind editor(&form);
        editor.ObjectName = kind;
        editor.FindName = filterName;
        editor.exec();
        if (editor.ResultFind())
            showTemporary();
        return editor.ResultModified();
    } catch (const std::exception &) {
        // The editor reports its own failures; one that escapes it leaves
        // the main window as it was.
        return false;
    }
}

} // namespace

bool FindDenpyo(frmMainForm &form, const QString &filterName)
{
    const QString temporary = searchfilter::kTemporaryName;
    return findWith(form, QStringLiteral("伝票"), filterName,
                    [&] { form.ShowDenpyoList(temporary, temporary, true); });
}

bool FindCustomer(frmMainForm &form, const QString &filterName)
{
    return findWith(form, QStringLiteral("顧客"), filterName,
                    [&] { form.ShowCustomerList(searchfilter::kTemporaryName, true); });
}

bool FindShohin(frmMainForm &form, const QString &filterName)
{
    return findWith(form, QStringLiteral("商品"), filterName,
                    [&] { form.ShowShohinList(searchfilter::kTemporaryName, true); });
}
