#include "core/controls/ucJaInput.h"
#include "platform/ui/Teardown.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QtTest>

namespace {

// Handler calls that reached a window after its destructor had begun.
QStringList g_lateCalls;

// A window as the program builds them: fields whose leaving it handles, and
// the application's focus changes it watches, all through its own slots.
class Window : public QDialog {
public:
    Window()
    {
        first = new ucJaInput(this);
        second = new ucJaInput(this);
        second->move(0, 40);
        connect(first, &ucTextInput::TextBoxLostFocus, this, &Window::fieldLeft);
        connect(second, &ucTextInput::TextBoxLostFocus, this, &Window::fieldLeft);
        connect(qApp, &QApplication::focusChanged, this, &Window::focusMoved);
    }
    ~Window() override
    {
        m_dying = true;
        ui::disconnectForTeardown(this);
    }

    ucJaInput *first;
    ucJaInput *second;
    int left = 0;

private:
    void fieldLeft()
    {
        ++left;
        if (m_dying)
            g_lateCalls << QStringLiteral("fieldLeft");
    }
    void focusMoved()
    {
        if (m_dying)
            g_lateCalls << QStringLiteral("focusMoved");
    }

    bool m_dying = false;
};

} // namespace

// A window or a field destroyed while a field has the focus runs no handler
// of the window any more, and the field calls nothing of itself.
class tst_Teardown : public QObject {
    Q_OBJECT

private slots:
    void init() { g_lateCalls.clear(); }

    // Hiding the window and clearing its focus on the way out would report
    // the field's leaving and the focus change to the window's slots.
    void windowWithFocusedField()
    {
        auto *window = new Window;
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window));
        window->first->TextBox()->setFocus(Qt::OtherFocusReason);
        window->second->TextBox()->setFocus(Qt::TabFocusReason);
        QCOMPARE(window->left, 1); // leaving is reported while the window lives
        delete window;
        QCOMPARE(g_lateCalls, QStringList());
    }

    // The field alone goes while it has the focus: its box outlives it by the
    // QWidget part's teardown, which sends the box its last focus-out.
    void fieldDestroyedWithTheFocus()
    {
        Window window;
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        window.second->TextBox()->setFocus(Qt::OtherFocusReason);
        QVERIFY(window.second->TextBox()->hasFocus());
        const int before = window.left;
        delete window.second;
        QCOMPARE(window.left, before);
        QCOMPARE(g_lateCalls, QStringList());
    }
};

QTEST_MAIN(tst_Teardown)
#include "tst_teardown.moc"
