#include "core/Startup.h"
#include "mainwindow/commands/MainCommands.h"
#include "mainwindow/views/MainListView.h"
#include "mainwindow/views/frmMainForm.h"

#include <QApplication>
#include <QEvent>
#include <QThreadPool>
#include <QTimer>
#include <cstdio>

namespace {

// For the start-up benchmark (QVX_FIRST_PAINT_EXIT set): once the first list
// has been painted and put on the display, says "painted" and the number of
// rows listed on standard output, and ends the program.
class FirstPaintProbe : public QObject {
public:
    explicit FirstPaintProbe(frmMainForm *window) : QObject(window), m_window(window)
    {
        window->lvwList->viewport()->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !m_window->flgInit && !m_done) {
            m_done = true;
            // Runs after this paint has been flushed to the display.
            QTimer::singleShot(0, this, [this] {
                std::printf("painted %d\n", m_window->lvwList->rowCountShown());
                std::fflush(stdout);
                QCoreApplication::quit();
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    frmMainForm *m_window;
    bool m_done = false;
};

} // namespace

int main(int argc, char *argv[])
{
    // Without TZ the C library looks at the zone file again for every local
    // time it converts; a slip list converts several per slip.
    if (qEnvironmentVariableIsEmpty("TZ"))
        qputenv("TZ", ":/etc/localtime");
    useJapaneseSystemLocale();
    QApplication app(argc, argv);
    // Qt spreads the larger fills of a paint over the global thread pool.
    // Its threads are kept once made: an idle thread otherwise ends when its
    // wait for work times out, and a clock that makes that wait end at once
    // (a process run with a faked date) had every paint start its threads
    // anew, some hundred of them before the first list was on the screen.
    QThreadPool::globalInstance()->setExpiryTimeout(-1);
    QApplication::setApplicationName(QStringLiteral("Quorvex5"));
    installQtTranslation();
    frmMainForm window;
    // A refused start-up has said why; the program ends saving nothing.
    if (!window.Form_Load())
        return 1;
    new MainCommands(&window);
    if (qEnvironmentVariableIsSet("QVX_FIRST_PAINT_EXIT"))
        new FirstPaintProbe(&window);
    window.show();
    return app.exec();
}
