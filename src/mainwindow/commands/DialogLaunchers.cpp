#include "mainwindow/commands/DialogLaunchers.h"

#include "masters/frmCustomer.h"
#include "masters/frmShohin.h"
#include "slips/frmDenpyoCopy.h"
#include "slips/frmDenpyoGroupProcess.h"
#include "slips/frmDenpyoNote.h"
#include "slips/frmDenpyoProcess.h"

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

bool ShowDenpyoCopyForm(const QString &mode, const QString &denpyoID, QWidget *parent)
{
    frmDenpyoCopy form(parent);
    form.Mode = mode;
    form.FromDenpyoID = denpyoID;
    form.exec();
    return form.ResultModified();
}

bool ShowDenpyoProcessForm(const QString &denpyoID, QWidget *parent)
{
    frmDenpyoProcess form(parent);
    form.strDenpyoID = denpyoID;
    form.exec();
    return form.ResultModified();
}

bool ShowDenpyoNoteForm(const QString &denpyoID, QWidget *parent)
{
    frmDenpyoNote form(parent);
    form.strDenpyoID = denpyoID;
    form.exec();
    return form.ResultModified();
}

bool ShowDenpyoGroupProcessForm(const QStringList &denpyoIDs, QWidget *parent)
{
    frmDenpyoGroupProcess form(parent);
    form.SelectedDenpyoIDs = denpyoIDs;
    form.exec();
    return form.ResultModified();
}
