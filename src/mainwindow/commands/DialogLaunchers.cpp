#include "mainwindow/commands/DialogLaunchers.h"

#include "filtereditor/frmFind.h"
#include "filters/SearchFilterKind.h"
#include "mainwindow/views/frmMainForm.h"
#include "masters/frmCustomer.h"
#include "masters/frmShohin.h"

#include <functional>

bool ShowCustomerForm(const QString &mode, const QString &customerID, QWidget *parent)
{
    frmCustomer form(parent);
    form.Mode = mode;
    form.strCustomerID = customerID;
    form.exec();
    return form.ResultModified();
}

bool ShowShohinForm(const QString &mode, const QString &shohinID, QWidget *parent)
{
    frmShohin form(parent);
    form.Mode = mode;
    form.strShohinID = shohinID;
    form.exec();
    return form.ResultModified();
}

namespace {

bool findWith(frmMainForm &form, const QString &kind, const QString &filterName,
              const std::function<void()> &showTemporary)
{
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
