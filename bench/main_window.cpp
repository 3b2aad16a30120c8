#include "main_window.h"

#include "mainwindow/commands/MainCommands.h"
#include "mainwindow/views/frmMainForm.h"

#include <QCoreApplication>

namespace benchmain {

bool open(frmMainForm &form)
{
    if (!form.Form_Load())
        return false;
    new MainCommands(&form);
    form.show();
    form.Form_Activate();
    QCoreApplication::processEvents();
    return true;
}

bool openWithAllSlips(frmMainForm &form)
{
    if (!open(form))
        return false;
    form.ShowDenpyoList(QStringLiteral("全件"), QStringLiteral("全件"), true);
    form.repaint();
    QCoreApplication::processEvents();
    return true;
}

} // namespace benchmain
