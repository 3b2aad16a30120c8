#include "mainwindow/commands/DialogLaunchers.h"

bool ShowCustomerForm(const QString &mode, const QString &customerID, QWidget *parent)
{
    Q_UNUSED(mode);
    Q_UNUSED(customerID);
    Q_UNUSED(parent);
    return false;
}

bool ShowShohinForm(const QString &mode, const QString &shohinID, QWidget *parent)
{
    Q_UNUSED(mode);
    Q_UNUSED(shohinID);
    Q_UNUSED(parent);
    return false;
}
