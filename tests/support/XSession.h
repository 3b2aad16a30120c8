#pragma once

#include <QApplication>
#include <QString>
#include <QTest>
#include <sys/types.h>

// A private X server (Xvfb) with a window manager (openbox) for the run of a
// test, and its keyboard pressed through the server (XTEST): a key goes to
// whichever window the server gives the keyboard to, as the user's keys do.
// Xlib and XTEST are loaded at run time, so that building the tests needs no
// X development files.
class XSession {
public:
    XSession() = default;
    ~XSession();
    XSession(const XSession &) = delete;
    XSession &operator=(const XSession &) = delete;

    // Empty when the session runs (DISPLAY names it then, and Qt is set to
    // use it); else why not, and Qt is set to draw offscreen.
    QString start();

    // Presses and releases a key.
    void tap(unsigned long keysym);
    // Returns once the server has handled every key sent so far.
    void sync();
    // The window the server sends keys to.
    unsigned long focus();

private:
    QString startServer();
    bool windowManagerRuns();

    pid_t m_server = 0, m_wm = 0;
    void *m_display = nullptr;
};

// The main of a test on the private display: `session` and `notRunning` are
// set for the test's run, whose cases skip when `notRunning` says why.
template <class Test>
int runOnPrivateDisplay(int argc, char *argv[], XSession *&session, QString &notRunning)
{
    XSession x;
    session = &x;
    notRunning = x.start();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvex5"));
    Test test;
    return QTest::qExec(&test, argc, argv);
}
