#include "core/controls/ucJaInput.h"
#include "platform/ui/KeyNavigator.h"
#include "platform/ui/WaitCursor.h"

#include <QAction>
#include <QCheckBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtTest>

using ui::NavKey;

// A window of fields chained first to last by Enter/Down (back by Up), with
// Home, End and Esc set window-wide.
struct Form {
    QWidget window;
    QLineEdit *first = new QLineEdit(&window);
    QLineEdit *second = new QLineEdit(&window);
    ucJaInput *third = new ucJaInput(&window);
    QPlainTextEdit *notes = new QPlainTextEdit(&window);
    QPushButton *ok = new QPushButton("OK", &window);
    ui::KeyNavigator keys{&window};
    int closed = 0;

    Form()
    {
        auto *layout = new QVBoxLayout(&window);
        for (QWidget *w : std::initializer_list<QWidget *>{first, second, third, notes, ok})
            layout->addWidget(w);
        const QList<QWidget *> chain{first, second, third, notes, ok};
        for (int i = 0; i + 1 < chain.size(); ++i) {
            for (NavKey k : {NavKey::Enter, NavKey::Down, NavKey::Right})
                keys.setMove(chain[i], k, chain[i + 1]);
            for (NavKey k : {NavKey::Up, NavKey::Left})
                keys.setMove(chain[i + 1], k, chain[i]);
        }
        keys.setMove(nullptr, NavKey::Home, first);
        keys.setMove(nullptr, NavKey::End, ok);
        keys.setAction(nullptr, NavKey::Escape, [this] { ++closed; });
        window.show();
        QApplication::setActiveWindow(&window);
    }
    QWidget *focused() const { return QApplication::focusWidget(); }
};

class TestKeyNavigator : public QObject {
    Q_OBJECT
private slots:
    void arrowsLeaveTextOnlyAtItsEnds_data();
    void arrowsLeaveTextOnlyAtItsEnds();
    void multiLineBoxLeavesFromOuterLines();
    void fieldThatCannotTakeFocusIsPassedOver();
    void nothingToMoveToLeavesFocus();
    void windowWideKeysAndOwnEntries();
    void moveToTheFocusedFieldLeavesTheKeyToIt();
    void compositeFieldSeenBeforeItsOwnHandling();
    void entryWinsOverWindowShortcut();
    void altArrowsStayWithADateBoxCalendar();
    void waitCursorNests();
};

void TestKeyNavigator::arrowsLeaveTextOnlyAtItsEnds_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("caret");
    QTest::addColumn<bool>("selectAll");
    QTest::addColumn<bool>("leaves");
    QTest::newRow("right at end") << int(Qt::Key_Right) << 3 << false << true;
    QTest::newRow("right inside") << int(Qt::Key_Right) << 1 << false << false;
    QTest::newRow("right with all selected") << int(Qt::Key_Right) << 3 << true << false;
    QTest::newRow("left at start") << int(Qt::Key_Left) << 0 << false << true;
    QTest::newRow("left inside") << int(Qt::Key_Left) << 2 << false << false;
    QTest::newRow("left with all selected") << int(Qt::Key_Left) << 0 << true << false;
    QTest::newRow("down anywhere") << int(Qt::Key_Down) << 1 << true << true;
    QTest::newRow("enter anywhere") << int(Qt::Key_Return) << 1 << false << true;
}

void TestKeyNavigator::arrowsLeaveTextOnlyAtItsEnds()
{
    QFETCH(int, key);
    QFETCH(int, caret);
    QFETCH(bool, selectAll);
    QFETCH(bool, leaves);
    Form f;
    QVERIFY(QTest::qWaitForWindowActive(&f.window));
    f.second->setText("abc");
    f.second->setFocus();
    f.second->setCursorPosition(caret);
    if (selectAll)
        f.second->selectAll();
    QTest::keyClick(f.second, Qt::Key(key));
    QWidget *expected = f.second;
    if (leaves)
        expected = key == Qt::Key_Left ? static_cast<QWidget *>(f.first) : static_cast<QWidget *>(f.third->TextBox());
    QCOMPARE(f.focused(), expected);
}

void TestKeyNavigator::multiLineBoxLeavesFromOuterLines()
{
    Form f;
    QVERIFY(QTest::qWaitForWindowActive(&f.window));
    f.notes->setPlainText("one\ntwo\nthree");
    f.notes->setFocus();
    QTextCursor c = f.notes->textCursor();
    c.setPosition(5); // on "two"
    f.notes->setTextCursor(c);
    QTest::keyClick(f.notes, Qt::Key_Up);
    QCOMPARE(f.focused(), f.notes);      // moved to the first line only
    QTest::keyClick(f.notes, Qt::Key_Up);
    QCOMPARE(f.focused(), static_cast<QWidget *>(f.third->TextBox()));

    f.notes->setFocus();
    c.setPosition(5);
    f.notes->setTextCursor(c);
    QTest::keyClick(f.notes, Qt::Key_Down);
    QCOMPARE(f.focused(), f.notes);
    QTest::keyClick(f.notes, Qt::Key_Down);
    QCOMPARE(f.focused(), f.ok);
}

void TestKeyNavigator::fieldThatCannotTakeFocusIsPassedOver()
{
    Form f;
    QVERIFY(QTest::qWaitForWindowActive(&f.window));
    f.second->setEnabled(false);
    f.third->setEnabled(false); // the entry field's own box is disabled
    f.first->setFocus();
    QTest::keyClick(f.first, Qt::Key_Return);
    QCOMPARE(f.focused(), f.notes);
    f.notes->setFocus();
    f.notes->moveCursor(QTextCursor::Start);
    QTest::keyClick(f.notes, Qt::Key_Up);
    QCOMPARE(f.focused(), f.first);
    f.third->setEnabled(true);
    f.second->hide();
    QTest::keyClick(f.first, Qt::Key_Down);
    QCOMPARE(f.focused(), static_cast<QWidget *>(f.third->TextBox()));
}

void TestKeyNavigator::nothingToMoveToLeavesFocus()
{
    Form f;
    QVERIFY(QTest::qWaitForWindowActive(&f.window));
    f.ok->setEnabled(false);
    f.notes->setFocus();
    f.notes->moveCursor(QTextCursor::End);
    QTest::keyClick(f.notes, Qt::Key_Return); // Enter has an entry: it is used up
    QCOMPARE(f.focused(), f.notes);
    QCOMPARE(f.notes->toPlainText(), QString());
    QTest::keyClick(f.notes, Qt::Key_End);
    QCOMPARE(f.focused(), f.notes);
}

void TestKeyNavigator::windowWideKeysAndOwnEntries()
{
    Form f;
    QVERIFY(QTest::qWaitForWindowActive(&f.window));
    QList<NavKey> seen;
    connect(&f.keys, &ui::KeyNavigator::keyPressed, [&](QWidget *, NavKey k) { seen << k; });
    f.third->setFocus();
    QTest::keyClick(f.third->TextBox(), Qt::Key_End);
    QCOMPARE(f.focused(), f.ok);
    QTest::keyClick(f.ok, Qt::Key_Home, Qt::ShiftModifier); // modifiers do not matter
    QCOMPARE(f.focused(), f.first);
    QTest::keyClick(f.first, Qt::Key_Escape);
    QCOMPARE(f.closed, 1);
    QCOMPARE(seen, (QList<NavKey>{NavKey::End, NavKey::Home, NavKey::Escape}));

    // A field's own entry wins over the window-wide one; clearing it gives
    // the key back to the field.
    f.keys.setAction(f.first, NavKey::Escape, [] {});
    QTest::keyClick(f.first, Qt::Key_Escape);
    QCOMPARE(f.closed, 1);
    f.keys.clear(nullptr, NavKey::Home);
    f.first->setText("abc");
    f.first->setCursorPosition(3);
    QTest::keyClick(f.first, Qt::Key_Home);
    QCOMPARE(f.focused(), f.first);
    QCOMPARE(f.first->cursorPosition(), 0);
    // Keys the navigator has no word for reach the field.
    QTest::keyClick(f.first, Qt::Key_F11);
    QTest::keyClicks(f.first, "x");
    QCOMPARE(f.first->text(), QString("xabc"));
}

// Home goes to the first field; pressed there it is the field's own Home.
void TestKeyNavigator::moveToTheFocusedFieldLeavesTheKeyToIt()
{
    Form f;
    QVERIFY(QTest::qWaitForWindowActive(&f.window));
    int seen = 0;
    connect(&f.keys, &ui::KeyNavigator::keyPressed, [&](QWidget *, NavKey) { ++seen; });
    f.first->setText("abc");
    f.first->setFocus();
    f.first->setCursorPosition(3);
    QTest::keyClick(f.first, Qt::Key_Home);
    QCOMPARE(f.focused(), f.first);
    QCOMPARE(f.first->cursorPosition(), 0);
    QCOMPARE(seen, 0);

    // A composite field is recognised through its inner box.
    f.keys.setMove(f.third, NavKey::End, f.third);
    f.third->setText("xyz");
    f.third->setFocus();
    f.third->setSelStart(0);
    QTest::keyClick(f.third->TextBox(), Qt::Key_End);
    QCOMPARE(f.focused(), f.third->TextBox());
    QCOMPARE(f.third->SelStart(), 3);
    QCOMPARE(seen, 0);
}

void TestKeyNavigator::compositeFieldSeenBeforeItsOwnHandling()
{
    Form f;
    QVERIFY(QTest::qWaitForWindowActive(&f.window));
    int keyDowns = 0;
    connect(f.third, &ucTextInput::TextBoxKeyDown, [&](int &, int &) { ++keyDowns; });
    f.third->setFocus();
    QTest::keyClick(f.third->TextBox(), Qt::Key_Return);
    QCOMPARE(f.focused(), f.notes);
    QCOMPARE(keyDowns, 0);
    f.third->setFocus();
    QTest::keyClick(f.third->TextBox(), Qt::Key_A);
    QCOMPARE(keyDowns, 1);
}

// Alt+Down and Alt+Up belong to a date box's drop-down calendar; without a
// calendar, and without Alt, the arrows move on as set.
void TestKeyNavigator::altArrowsStayWithADateBoxCalendar()
{
    Form f;
    QVERIFY(QTest::qWaitForWindowActive(&f.window));
    auto *withCalendar = new QDateEdit(&f.window);
    withCalendar->setCalendarPopup(true);
    auto *plain = new QDateEdit(&f.window);
    for (QDateEdit *box : {withCalendar, plain}) {
        box->show();
        f.keys.setMove(box, NavKey::Down, f.ok);
        f.keys.setMove(box, NavKey::Up, f.first);
    }
    int seen = 0;
    connect(&f.keys, &ui::KeyNavigator::keyPressed, [&](QWidget *, NavKey) { ++seen; });
    for (Qt::Key key : {Qt::Key_Down, Qt::Key_Up}) {
        withCalendar->setFocus();
        QTest::keyClick(QApplication::focusWidget(), key, Qt::AltModifier);
        QVERIFY(withCalendar->hasFocus());
        QCOMPARE(seen, 0);
        plain->setFocus();
        QTest::keyClick(QApplication::focusWidget(), key, Qt::AltModifier);
        QCOMPARE(f.focused(), key == Qt::Key_Down ? static_cast<QWidget *>(f.ok) : f.first);
        withCalendar->setFocus();
        QTest::keyClick(QApplication::focusWidget(), key);
        QCOMPARE(f.focused(), key == Qt::Key_Down ? static_cast<QWidget *>(f.ok) : f.first);
        seen = 0;
    }
}

void TestKeyNavigator::entryWinsOverWindowShortcut()
{
    Form f;
    QVERIFY(QTest::qWaitForWindowActive(&f.window));
    int shortcutF12 = 0, shortcutF11 = 0, navigatorF12 = 0;
    auto *save = new QAction(&f.window);
    save->setShortcut(Qt::Key_F12);
    connect(save, &QAction::triggered, [&] { ++shortcutF12; });
    auto *pick = new QAction(&f.window);
    pick->setShortcut(Qt::Key_F11);
    connect(pick, &QAction::triggered, [&] { ++shortcutF11; });
    f.window.addActions({save, pick});
    f.keys.setAction(nullptr, NavKey::F12, [&] { ++navigatorF12; });
    f.first->setFocus();
    QTest::keyClick(f.first, Qt::Key_F12);
    QTest::keyClick(f.first, Qt::Key_F11);
    QCOMPARE(navigatorF12, 1);
    QCOMPARE(shortcutF12, 0);
    QCOMPARE(shortcutF11, 1);
}

void TestKeyNavigator::waitCursorNests()
{
    QVERIFY(!QGuiApplication::overrideCursor());
    {
        ui::WaitCursor outer;
        QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        {
            ui::WaitCursor inner;
            inner.release();
            QVERIFY(QGuiApplication::overrideCursor());
        }
        QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    }
    QVERIFY(!QGuiApplication::overrideCursor());
}

QTEST_MAIN(TestKeyNavigator)
#include "tst_keynavigator.moc"
