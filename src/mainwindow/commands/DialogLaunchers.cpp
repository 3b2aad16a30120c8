#include "mainwindow/commands/DialogLaunchers.h"

#include "masters/frmCustomer.h"
#include "masters/frmShohin.h"
#include "slips/frmDenpyo.h"

bool ShowDenpyoForm(const QString &mode, const QString &denpyoID, QWidget *parent)
{
    frmDenpyo form(parent);
    form.strMode = mode;
    form.strDenpyoID = denpyoID;
    form.exec();
    return form.ResultModified();
}

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
