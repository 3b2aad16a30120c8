#include "core/Startup.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvex5"));
    if (!fnStartup())
        return 1;
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Quorvex5"));
    window.show();
    const int rc = app.exec();
    CloseDatabase();
    return rc;
}
