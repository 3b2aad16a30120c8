#include "TestSupport.h"
#include "XSession.h"

#include "core/Globals.h"
#include "core/Startup.h"
#include "mainwindow/commands/MainCommands.h"
#include "mainwindow/views/MainListView.h"
#include "mainwindow/views/frmMainForm.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>

#include <functional>

// The main window on a real X server under a real window manager, the
// keyboard pressed through the server. Opening and closing the settings
// dialogs must leave the keyboard with the main window every time.

namespace {

XSession *session = nullptr;
QString notRunning;

constexpr unsigned long kF12 = 0xffc9, kReturn = 0xff0d, kEscape = 0xff1b, kDown = 0xff54, kUp = 0xff52;

// Counts the key presses that reach the widgets of one window.
class KeyCounter : public QObject {
public:
    explicit KeyCounter(QWidget *window) : m_window(window) { qApp->installEventFilter(this); }
    int presses(int key) const { return m_presses.value(key); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress && watched->isWidgetType()
            && static_cast<QWidget *>(watched) == QApplication::focusWidget()
            && static_cast<QWidget *>(watched)->window() == m_window)
            ++m_presses[static_cast<QKeyEvent *>(event)->key()];
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget *m_window;
    QHash<int, int> m_presses;
};

// Runs steps from a timer, so that they go on inside the dialogs' own
// event loops: each waits for its condition, then acts.
class Script : public QObject {
public:
    struct Step {
        QString what;
        std::function<bool()> ready;
        std::function<void()> act;
    };

    void run(QList<Step> steps)
    {
        m_steps = std::move(steps);
        m_next = 0;
        m_failure.clear();
        m_clock.start();
        m_timer.setInterval(10);
        connect(&m_timer, &QTimer::timeout, this, &Script::tick, Qt::UniqueConnection);
        m_timer.start();
    }
    bool finished() const { return !m_timer.isActive(); }
    QString failure() const { return m_failure; }

private:
    void tick()
    {
        if (m_next >= m_steps.size()) {
            m_timer.stop();
            return;
        }
        const Step &step = m_steps.at(m_next);
        if (step.ready()) {
            ++m_next;
            m_clock.restart();
            if (step.act)
                step.act();
            return;
        }
        if (m_clock.elapsed() > 3000) {
            m_failure = step.what;
            m_timer.stop();
            // Nothing may stay open over the next round.
            for (int open = 0; open < 5; ++open) {
                if (QWidget *modal = QApplication::activeModalWidget())
                    modal->close();
            }
        }
    }

    QList<Step> m_steps;
    qsizetype m_next = 0;
    QString m_failure;
    QElapsedTimer m_clock;
    QTimer m_timer;
};

QWidget *focusWindow()
{
    QWidget *focus = QApplication::focusWidget();
    return focus ? focus->window() : nullptr;
}

} // namespace

class tst_DialogFocus : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void keyboardComesBackAfterEachDialog_data();
    void keyboardComesBackAfterEachDialog();

private:
    std::unique_ptr<testsupport::ProgramFolder> m_folder;
    std::unique_ptr<frmMainForm> m_form;
};

void tst_DialogFocus::initTestCase()
{
    if (!notRunning.isEmpty())
        QSKIP(qPrintable(notRunning));
}

void tst_DialogFocus::init()
{
    m_folder = std::make_unique<testsupport::ProgramFolder>();
    m_folder->open();
    // A slip to list, so that the list print is enabled.
    connection()
        .prepare(QStringLiteral("INSERT INTO 伝票テーブル (伝票番号, 納期, 顧客ID, 顧客名, 合計消費税込み, 見積もり, 受注, "
                                "納品, 請求, 入金) VALUES (1, '2026/12/01', 'C1', '甲', 100, 0, 0, 0, 0, 0)"))
        .exec();
    m_form = std::make_unique<frmMainForm>();
    QVERIFY(m_form->Form_Load());
    new MainCommands(m_form.get());
    m_form->show();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    m_form->SelectTreeNode(QStringLiteral("de全件"));
    m_form->lvwList->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(m_form->lvwList));
}

void tst_DialogFocus::cleanup()
{
    m_form.reset();
    CloseDatabase();
    m_folder.reset();
}

void tst_DialogFocus::keyboardComesBackAfterEachDialog_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<bool>("save");
    QTest::newRow("基本設定, F12 and Enter on the question") << "mnuSystemInfo" << "frmSystemInfo" << true;
    QTest::newRow("自社情報, F12 and Enter on the question") << "mnuJishaInfo" << "frmPrintInfo" << true;
    QTest::newRow("基本設定, Esc") << "mnuSystemInfo" << "frmSystemInfo" << false;
    QTest::newRow("自社情報, Esc") << "mnuJishaInfo" << "frmPrintInfo" << false;
    QTest::newRow("一覧表の印刷, Esc") << "mnuListPrint" << "frmListPrint" << false;
}

void tst_DialogFocus::keyboardComesBackAfterEachDialog()
{
    QFETCH(QString, menu);
    QFETCH(QString, dialog);
    QFETCH(bool, save);
    QAction *action = m_form->findChild<QAction *>(menu);
    QVERIFY(action && action->isEnabled());
    QWidget *main = m_form.get();
    QWidget *list = m_form->lvwList;
    KeyCounter keys(main);

    const auto dialogHasKeyboard = [dialog] {
        QWidget *modal = QApplication::activeModalWidget();
        return modal && modal->objectName() == dialog && QApplication::activeWindow() == modal
               && focusWindow() == modal;
    };
    const auto questionHasKeyboard = [] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        return box && QApplication::activeWindow() == box && focusWindow() == box;
    };
    // As the program sees it and as the X server does: the server sends the
    // next key to the window it gave the keyboard to.
    const auto mainHasKeyboard = [main, list] {
        return !QApplication::activeModalWidget() && QApplication::activeWindow() == main
               && QApplication::focusWidget() == list && session->focus() == main->winId();
    };

    constexpr int kRounds = 12;
    QStringList failures;
    for (int round = 1; round <= kRounds; ++round) {
        const int downs = keys.presses(Qt::Key_Down), ups = keys.presses(Qt::Key_Up);
        QList<Script::Step> steps;
        steps << Script::Step{QStringLiteral("the main window had the keyboard"), mainHasKeyboard,
                              [action] { QMetaObject::invokeMethod(action, &QAction::trigger, Qt::QueuedConnection); }};
        if (save) {
            steps << Script::Step{QStringLiteral("the dialog got the keyboard"), dialogHasKeyboard,
                                  [] { session->tap(kF12); }};
            steps << Script::Step{QStringLiteral("the question got the keyboard"), questionHasKeyboard,
                                  [] { session->tap(kReturn); }};
        } else {
            steps << Script::Step{QStringLiteral("the dialog got the keyboard"), dialogHasKeyboard,
                                  [] { session->tap(kEscape); }};
        }
        steps << Script::Step{QStringLiteral("the main window got the keyboard back"), mainHasKeyboard,
                              [] { session->tap(kDown); }};
        steps << Script::Step{QStringLiteral("a key reached the main list"),
                              [&keys, downs] { return keys.presses(Qt::Key_Down) > downs; },
                              [] { session->tap(kUp); }};
        steps << Script::Step{QStringLiteral("the next key reached the main list"),
                              [&keys, ups] { return keys.presses(Qt::Key_Up) > ups; }, nullptr};
        Script script;
        script.run(steps);
        QTRY_VERIFY_WITH_TIMEOUT(script.finished(), 30000);
        if (!script.failure().isEmpty()) {
            failures << QStringLiteral("round %1: not %2").arg(round).arg(script.failure());
            // Give the keyboard back as a click would, for the next round.
            main->activateWindow();
            if (!QTest::qWaitForWindowActive(main))
                break;
            list->setFocus();
        }
    }
    QVERIFY2(failures.isEmpty(), qPrintable(failures.join(QStringLiteral("; "))));
}

int main(int argc, char *argv[])
{
    return runOnPrivateDisplay<tst_DialogFocus>(argc, argv, session, notRunning);
}

#include "tst_dialogfocus.moc"
