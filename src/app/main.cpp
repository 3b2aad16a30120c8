#include "mainwindow/commands/MainCommands.h"
#include "mainwindow/views/frmMainForm.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    // Without TZ the C library looks at the zone file again for every local
    // time it converts; a slip list converts several per slip.
    if (qEnvironmentVariableIsEmpty("TZ"))
        qputenv("TZ", ":/etc/localtime");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvex5"));
    frmMainForm window;
    // A refused start-up has said why; the program ends saving nothing.
    if (!window.Form_Load())
        return 1;
    new MainCommands(&window);
    window.show();
    return app.exec();
}
