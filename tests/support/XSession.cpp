#include "XSession.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QStandardPaths>

#include <dlfcn.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <type_traits>
#include <unistd.h>

#include <string>
#include <vector>

namespace {

// Starts a program that ends with the test, however the test ends; fd
// stays open in it.
pid_t spawn(const std::vector<std::string> &args, int fd = -1)
{
    std::vector<char *> argv;
    for (const std::string &a : args)
        argv.push_back(const_cast<char *>(a.c_str()));
    argv.push_back(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
        for (int other = 3; other < 256; ++other)
            if (other != fd)
                ::close(other);
        ::execvp(argv[0], argv.data());
        ::_exit(127);
    }
    return pid > 0 ? pid : 0;
}

void stop(pid_t pid)
{
    if (pid <= 0)
        return;
    ::kill(pid, SIGTERM);
    int status = 0;
    ::waitpid(pid, &status, 0);
}

// The few Xlib and XTEST calls the test needs, loaded at run time so that
// building the test needs no X development files.
struct Xlib {
    void *x11 = nullptr, *xtst = nullptr;
    void *(*OpenDisplay)(const char *) = nullptr;
    int (*CloseDisplay)(void *) = nullptr;
    unsigned long (*DefaultRootWindow)(void *) = nullptr;
    unsigned long (*InternAtom)(void *, const char *, int) = nullptr;
    int (*GetWindowProperty)(void *, unsigned long, unsigned long, long, long, int, unsigned long, unsigned long *,
                             int *, unsigned long *, unsigned long *, unsigned char **) = nullptr;
    int (*Free)(void *) = nullptr;
    unsigned char (*KeysymToKeycode)(void *, unsigned long) = nullptr;
    int (*Flush)(void *) = nullptr;
    int (*FakeKeyEvent)(void *, unsigned int, int, unsigned long) = nullptr;
    int (*GetInputFocus)(void *, unsigned long *, int *) = nullptr;
    int (*Sync)(void *, int) = nullptr;

    bool load()
    {
        x11 = dlopen("libX11.so.6", RTLD_NOW);
        xtst = dlopen("libXtst.so.6", RTLD_NOW);
        if (!x11 || !xtst)
            return false;
        const auto get = [](void *lib, const char *name, auto &fn) {
            fn = reinterpret_cast<std::remove_reference_t<decltype(fn)>>(dlsym(lib, name));
            return fn != nullptr;
        };
        return get(x11, "XOpenDisplay", OpenDisplay) && get(x11, "XCloseDisplay", CloseDisplay)
               && get(x11, "XDefaultRootWindow", DefaultRootWindow) && get(x11, "XInternAtom", InternAtom)
               && get(x11, "XGetWindowProperty", GetWindowProperty) && get(x11, "XFree", Free)
               && get(x11, "XKeysymToKeycode", KeysymToKeycode) && get(x11, "XFlush", Flush)
               && get(x11, "XGetInputFocus", GetInputFocus) && get(x11, "XSync", Sync) && get(xtst, "XTestFakeKeyEvent", FakeKeyEvent);
    }
};

Xlib &xlib()
{
    static Xlib lib;
    return lib;
}

} // namespace

XSession::~XSession()
{
    if (m_display)
        xlib().CloseDisplay(m_display);
    stop(m_wm);
    stop(m_server);
}

QString XSession::start()
{
    const QString failure = startServer();
    qputenv("QT_QPA_PLATFORM", failure.isEmpty() ? "xcb" : "offscreen");
    // The private display has no session bus; without an address the D-Bus
    // library would start one through the display, and leave it behind.
    qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent");
    return failure;
}

QString XSession::startServer()
{
    if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty())
        return QStringLiteral("Xvfb is not installed");
    if (QStandardPaths::findExecutable(QStringLiteral("openbox")).isEmpty())
        return QStringLiteral("openbox is not installed");
    if (!xlib().load())
        return QStringLiteral("libX11 or libXtst is missing");
    int fds[2];
    if (::pipe(fds) != 0)
        return QStringLiteral("no pipe");
    m_server = spawn({"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0", "1280x1024x24", "-nolisten",
                      "tcp"},
                     fds[1]);
    ::close(fds[1]);
    QByteArray number;
    pollfd p{fds[0], POLLIN, 0};
    char c = 0;
    while (::poll(&p, 1, 10000) > 0 && ::read(fds[0], &c, 1) == 1 && c != '\n')
        number += c;
    ::close(fds[0]);
    if (!m_server || number.isEmpty())
        return QStringLiteral("Xvfb did not start");
    qputenv("DISPLAY", ":" + number);
    m_display = xlib().OpenDisplay(nullptr);
    if (!m_display)
        return QStringLiteral("cannot open the display");
    m_wm = spawn({"openbox", "--sm-disable"});
    // Qt asks the window manager what it supports when it connects, so
    // the manager must be up first.
    QElapsedTimer waited;
    waited.start();
    while (!windowManagerRuns()) {
        if (waited.elapsed() > 10000)
            return QStringLiteral("openbox did not start");
        ::usleep(20000);
    }
    return QString();
}

void XSession::tap(unsigned long keysym)
{
    const unsigned int code = xlib().KeysymToKeycode(m_display, keysym);
    xlib().FakeKeyEvent(m_display, code, 1, 0);
    xlib().FakeKeyEvent(m_display, code, 0, 0);
    xlib().Flush(m_display);
}

void XSession::sync()
{
    xlib().Sync(m_display, 0);
}

unsigned long XSession::focus()
{
    unsigned long w = 0;
    int revert = 0;
    xlib().GetInputFocus(m_display, &w, &revert);
    return w;
}

bool XSession::windowManagerRuns()
{
    const unsigned long check = xlib().InternAtom(m_display, "_NET_SUPPORTING_WM_CHECK", 0);
    unsigned long type = 0, items = 0, after = 0;
    int format = 0;
    unsigned char *data = nullptr;
    xlib().GetWindowProperty(m_display, xlib().DefaultRootWindow(m_display), check, 0, 1, 0, 0 /* any */, &type,
                             &format, &items, &after, &data);
    if (data)
        xlib().Free(data);
    return items > 0;
}
