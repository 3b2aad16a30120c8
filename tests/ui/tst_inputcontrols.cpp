#include "KeyTyping.h"

#include "core/controls/ucDenpyoID.h"
#include "core/controls/ucEnInput.h"
#include "core/controls/ucIDInput.h"
#include "core/controls/ucJaInput.h"
#include "core/controls/ucKingakuInput.h"
#include "core/controls/ucNumLeftInput.h"
#include "core/controls/ucNumRightInput.h"
#include "core/controls/ucRightLabel.h"
#include "core/controls/ucTankaInput.h"
#include "core/controls/ucTelInput.h"
#include "core/controls/ucTitleLabel.h"
#include "platform/ui/Twips.h"

#include <QClipboard>
#include <QFrame>
#include <QInputMethodEvent>
#include <QLabel>
#include <QMenu>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QtTest>
#include <memory>
#include <stdexcept>

namespace {

std::unique_ptr<ucTextInput> makeControl(const QString &kind, QWidget *parent = nullptr)
{
    if (kind == "ucJaInput") return std::make_unique<ucJaInput>(parent);
    if (kind == "ucEnInput") return std::make_unique<ucEnInput>(parent);
    if (kind == "ucIDInput") return std::make_unique<ucIDInput>(parent);
    if (kind == "ucDenpyoID") return std::make_unique<ucDenpyoID>(parent);
    if (kind == "ucNumLeftInput") return std::make_unique<ucNumLeftInput>(parent);
    if (kind == "ucNumRightInput") return std::make_unique<ucNumRightInput>(parent);
    if (kind == "ucTelInput") return std::make_unique<ucTelInput>(parent);
    if (kind == "ucKingakuInput") return std::make_unique<ucKingakuInput>(parent);
    if (kind == "ucTankaInput") return std::make_unique<ucTankaInput>(parent);
    return nullptr;
}

// Records the signals of a field by name, in order.
struct EventLog {
    QStringList events;
    QList<int> keys;
    explicit EventLog(ucTextInput *c)
    {
        QObject::connect(c, &ucTextInput::TextBoxChange, [this] { events << "Change"; });
        QObject::connect(c, &ucTextInput::TextBoxKeyDown, [this](int &key, int &) {
            events << "KeyDown";
            keys << key;
        });
        QObject::connect(c, &ucTextInput::TextBoxGotFocus, [this] { events << "GotFocus"; });
        QObject::connect(c, &ucTextInput::TextBoxLostFocus, [this] { events << "LostFocus"; });
    }
};

// A shown, active window with a field to test and a second field to leave to.
struct FocusWindow {
    QWidget window;
    std::unique_ptr<ucTextInput> field;
    QLineEdit other;
    explicit FocusWindow(const QString &kind)
    {
        auto *layout = new QVBoxLayout(&window);
        field = makeControl(kind, &window);
        layout->addWidget(field.get());
        layout->addWidget(&other);
        window.show();
        QApplication::setActiveWindow(&window);
        other.setFocus();
    }
    bool activate() { return QTest::qWaitForWindowActive(&window); }
    void enter() { field->setFocus(Qt::TabFocusReason); }
    void leave() { other.setFocus(Qt::TabFocusReason); }
};

} // namespace

class TestInputControls : public QObject {
    Q_OBJECT
private slots:
    void designedSettings_data();
    void designedSettings();
    void typedCharactersAreFiltered_data();
    void typedCharactersAreFiltered();
    void fullFieldRefusesTypingUntilBackspace();
    void pastedTextIsFilteredLikeTyping_data();
    void pastedTextIsFilteredLikeTyping();
    void contextMenuPasteIsFiltered();
    void inputMethodCommitIsFiltered();
    void enteredTextTakesItsCp932Form_data();
    void enteredTextTakesItsCp932Form();
    void enterReachesWindowAndInsertsNothing();
    void keyDownHandlerCanKeepKeyFromBox();
    void maxLengthRange();
    void textReadsBackTrimmed();
    void assignedTextIsNotFiltered();
    void plainFieldSelectsAllOnEntry();
    void amountFormattingRoundTrip();
    void otherWindowDoesNotLeaveField();
    void focusMovedWhileAnotherWindowIsActiveLeavesField();
    void amountLeavingCleansText_data();
    void amountLeavingCleansText();
    void amountAssignmentFormats_data();
    void amountAssignmentFormats();
    void storedNumberSurvivesEntering_data();
    void storedNumberSurvivesEntering();
    void rightLabelGeometryAndColour();
    void titleLabelBand();
};

void TestInputControls::designedSettings_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("maxLength");
    QTest::addColumn<bool>("rightAligned");
    QTest::addColumn<bool>("inputMethod");
    QTest::newRow("ucJaInput") << "ucJaInput" << 50 << false << true;
    QTest::newRow("ucEnInput") << "ucEnInput" << -1 << false << true;
    QTest::newRow("ucIDInput") << "ucIDInput" << 14 << false << false;
    QTest::newRow("ucDenpyoID") << "ucDenpyoID" << 9 << true << true;
    QTest::newRow("ucNumLeftInput") << "ucNumLeftInput" << -1 << false << false;
    QTest::newRow("ucNumRightInput") << "ucNumRightInput" << -1 << true << false;
    QTest::newRow("ucTelInput") << "ucTelInput" << 15 << false << false;
    QTest::newRow("ucKingakuInput") << "ucKingakuInput" << 11 << true << false;
    QTest::newRow("ucTankaInput") << "ucTankaInput" << 11 << true << false;
}

void TestInputControls::designedSettings()
{
    QFETCH(QString, kind);
    QFETCH(int, maxLength);
    QFETCH(bool, rightAligned);
    QFETCH(bool, inputMethod);
    auto c = makeControl(kind);
    QCOMPARE(c->MaxLength(), maxLength);
    QCOMPARE(bool(c->TextBox()->alignment() & Qt::AlignRight), rightAligned);
    QCOMPARE(c->TextBox()->testAttribute(Qt::WA_InputMethodEnabled), inputMethod);
    QCOMPARE(c->Text(), QString());
    QCOMPARE(c->focusProxy(), static_cast<QWidget *>(c->TextBox()));
}

void TestInputControls::typedCharactersAreFiltered_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("maxLength"); // -2: as designed
    QTest::addColumn<bool>("forSearch");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");

    QTest::newRow("ja: full-width text") << "ucJaInput" << -2 << false << "あいう　漢字" << "あいう　漢字";
    QTest::newRow("ja: stops at 50") << "ucJaInput" << -2 << false << QString(55, QChar(0x3042)) << QString(50, QChar(0x3042));
    QTest::newRow("ja: limit set by window") << "ucJaInput" << 3 << false << "abcd" << "abc";
    QTest::newRow("en: anything") << "ucEnInput" << -2 << false << "Ab 1.'*" << "Ab 1.'*";
    QTest::newRow("en: limit 0 refuses all") << "ucEnInput" << 0 << false << "a1" << "";
    QTest::newRow("id: lower case made capital") << "ucIDInput" << -2 << false << "ab-1" << "AB-1";
    QTest::newRow("id: plus and at sign") << "ucIDInput" << -2 << false << "x+y@z" << "X+Y@Z";
    QTest::newRow("id: quote, point, blank refused") << "ucIDInput" << -2 << false << "a'b.c d\"" << "ABCD";
    QTest::newRow("id: full-width refused") << "ucIDInput" << -2 << false << "ＡＢ1" << "1";
    QTest::newRow("id: asterisk refused") << "ucIDInput" << -2 << false << "a*" << "A";
    QTest::newRow("id: asterisk for search") << "ucIDInput" << -2 << true << "*a*b" << "*A*B";
    QTest::newRow("id: stops at 14") << "ucIDInput" << -2 << false << "123456789012345" << "12345678901234";
    QTest::newRow("denpyo: digits only") << "ucDenpyoID" << -2 << false << "1a2-3.4" << "1234";
    QTest::newRow("denpyo: stops at 9") << "ucDenpyoID" << -2 << false << "1234567890" << "123456789";
    QTest::newRow("numleft: digits only") << "ucNumLeftInput" << -2 << false << "12-3.4x" << "1234";
    QTest::newRow("numleft: no limit") << "ucNumLeftInput" << -2 << false << QString(40, '7') << QString(40, '7');
    QTest::newRow("numright: digits only") << "ucNumRightInput" << -2 << false << "1 2,3" << "123";
    QTest::newRow("numright: limit 3") << "ucNumRightInput" << 3 << false << "1234" << "123";
    QTest::newRow("tel: digits and minus") << "ucTelInput" << -2 << false << "03(1234)5678-x" << "0312345678-";
    QTest::newRow("tel: stops at 15") << "ucTelInput" << -2 << false << "0123-4567-89012" "3" << "0123-4567-89012";
    QTest::newRow("kingaku: digits and minus") << "ucKingakuInput" << -2 << false << "-1.2,3" << "-123";
    QTest::newRow("kingaku: nine characters") << "ucKingakuInput" << -2 << false << "1234567890" << "123456789";
    QTest::newRow("kingaku: minus and eight") << "ucKingakuInput" << -2 << false << "-123456789" << "-12345678";
    QTest::newRow("kingaku: max length ignored") << "ucKingakuInput" << 20 << false << "1234567890" << "123456789";
    QTest::newRow("tanka: point accepted") << "ucTankaInput" << -2 << false << "12.5x" << "12.5";
}

void TestInputControls::typedCharactersAreFiltered()
{
    QFETCH(QString, kind);
    QFETCH(int, maxLength);
    QFETCH(bool, forSearch);
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    auto c = makeControl(kind);
    if (maxLength != -2)
        c->setMaxLength(maxLength);
    if (forSearch)
        static_cast<ucIDInput *>(c.get())->setForSearch(true);
    EventLog log(c.get());
    typeText(c->TextBox(), typed);
    QCOMPARE(c->TextBox()->text(), expected);
    // A refused character raises no change: one change per kept character.
    QCOMPARE(log.events.count("Change"), expected.size());
    QCOMPARE(log.events.count("KeyDown"), typed.size());
}

void TestInputControls::fullFieldRefusesTypingUntilBackspace()
{
    ucJaInput c;
    c.setText(QString(50, 'x'));
    c.setSelStart(0);
    c.setSelLength(50);
    typeText(c.TextBox(), "y");
    QCOMPARE(c.TextBox()->text(), QString(50, 'x'));
    QTest::keyClick(c.TextBox(), Qt::Key_Backspace);
    QCOMPARE(c.TextBox()->text(), QString());
    typeText(c.TextBox(), "y");
    QCOMPARE(c.TextBox()->text(), QString("y"));
}

void TestInputControls::pastedTextIsFilteredLikeTyping_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("expected");
    QTest::newRow("id: quote never reaches the box") << "ucIDInput" << "" << "a'b*c" << "ABC";
    QTest::newRow("id: line breaks dropped") << "ucIDInput" << "" << "12\r\n34" << "1234";
    QTest::newRow("id: cut at the limit") << "ucIDInput" << "1234567890" << "abcdefg" << "1234567890ABCD";
    QTest::newRow("denpyo: digits only") << "ucDenpyoID" << "" << "No. 1,234" << "1234";
    QTest::newRow("ja: line breaks dropped") << "ucJaInput" << "" << "上\r\n下\t" << "上下";
    QTest::newRow("kingaku: separators dropped") << "ucKingakuInput" << "" << "1,234,567" << "1234567";
    QTest::newRow("ja: NUL and noncharacters dropped")
        << "ucJaInput" << "" << QString::fromUtf16(u"a") + QChar(0) + QString::fromUtf16(u"b\uFFFEc\uFFFFd") << "abcd";
    QTest::newRow("ja: half a pair dropped, a whole pair kept")
        << "ucJaInput" << "" << QString::fromUtf16(u"a") + QChar(0xD842) + QString::fromUtf16(u"b\U00020BB7") << QString::fromUtf16(u"ab\U00020BB7");
}

void TestInputControls::pastedTextIsFilteredLikeTyping()
{
    QFETCH(QString, kind);
    QFETCH(QString, before);
    QFETCH(QString, clipboard);
    QFETCH(QString, expected);
    auto c = makeControl(kind);
    c->TextBox()->setText(before);
    QGuiApplication::clipboard()->setText(clipboard);
    QTest::keyClick(c->TextBox(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(c->TextBox()->text(), expected);
    // The other paste key behaves the same.
    c->TextBox()->setText(before);
    QTest::keyClick(c->TextBox(), Qt::Key_Insert, Qt::ShiftModifier);
    QCOMPARE(c->TextBox()->text(), expected);
}

void TestInputControls::contextMenuPasteIsFiltered()
{
    QWidget window;
    ucIDInput c(&window);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QGuiApplication::clipboard()->setText("x'1");
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2), c.TextBox()->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(c.TextBox(), &event);
    auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    QVERIFY(menu);
    auto *paste = menu->findChild<QAction *>("edit-paste");
    QVERIFY(paste);
    paste->trigger();
    menu->close();
    QCOMPARE(c.TextBox()->text(), QString("X1"));
}

void TestInputControls::inputMethodCommitIsFiltered()
{
    ucIDInput c;
    QInputMethodEvent event;
    event.setCommitString(QStringLiteral("ab'ｃ1"));
    QApplication::sendEvent(c.TextBox(), &event);
    QCOMPARE(c.TextBox()->text(), QString("AB1"));

    ucJaInput ja;
    ja.setMaxLength(3);
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("日本語入力"));
    QApplication::sendEvent(ja.TextBox(), &commit);
    QCOMPARE(ja.TextBox()->text(), QString("日本語"));
}

// Characters a file would give back as other ones come in as those, by
// every way text enters a field; a NUL never does.
void TestInputControls::enteredTextTakesItsCp932Form_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("route");
    QTest::addColumn<QString>("entered");
    QTest::addColumn<QString>("expected");
    const QString aliases = QStringLiteral("〜‖−—¢£¬");
    const QString forms = QStringLiteral("～∥－―￠￡￢");
    for (const QString route : {"typed", "pasted", "menu paste", "input method"}) {
        QTest::addRow("ja, %s", qPrintable(route)) << "ucJaInput" << route << "A" + aliases + "ボルト" << "A" + forms + "ボルト";
        QTest::addRow("en, %s", qPrintable(route)) << "ucEnInput" << route << "1〜2" << "1～2";
        QTest::addRow("ja, NUL, %s", qPrintable(route)) << "ucJaInput" << route << QString("a") + QChar(0) + "b" << "ab";
        QTest::addRow("en, NUL, %s", qPrintable(route)) << "ucEnInput" << route << QString(QChar(0)) + "x" << "x";
    }
}

void TestInputControls::enteredTextTakesItsCp932Form()
{
    QFETCH(QString, kind);
    QFETCH(QString, route);
    QFETCH(QString, entered);
    QFETCH(QString, expected);
    QWidget window;
    auto c = makeControl(kind, &window);
    if (route == "typed") {
        typeText(c->TextBox(), entered);
    } else if (route == "pasted") {
        QGuiApplication::clipboard()->setText(entered);
        QTest::keyClick(c->TextBox(), Qt::Key_V, Qt::ControlModifier);
    } else if (route == "menu paste") {
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QGuiApplication::clipboard()->setText(entered);
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2), c->TextBox()->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(c->TextBox(), &event);
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QVERIFY(menu);
        menu->findChild<QAction *>("edit-paste")->trigger();
        menu->close();
    } else {
        QInputMethodEvent event;
        event.setCommitString(entered);
        QApplication::sendEvent(c->TextBox(), &event);
    }
    QCOMPARE(c->TextBox()->text(), expected);
}

void TestInputControls::enterReachesWindowAndInsertsNothing()
{
    ucJaInput c;
    c.setText("abc");
    EventLog log(&c);
    QTest::keyClick(c.TextBox(), Qt::Key_Return);
    QTest::keyClick(c.TextBox(), Qt::Key_Enter);
    QCOMPARE(log.keys, (QList<int>{Qt::Key_Return, Qt::Key_Enter}));
    QCOMPARE(log.events, (QStringList{"KeyDown", "KeyDown"}));
    QCOMPARE(c.TextBox()->text(), QString("abc"));
}

void TestInputControls::keyDownHandlerCanKeepKeyFromBox()
{
    ucEnInput c;
    connect(&c, &ucTextInput::TextBoxKeyDown, [](int &key, int &) {
        if (key == Qt::Key_B)
            key = 0;
    });
    EventLog log(&c);
    typeText(c.TextBox(), "abc");
    QCOMPARE(c.TextBox()->text(), QString("ac"));
    // The key-down comes before the change it causes.
    QCOMPARE(log.events, (QStringList{"KeyDown", "Change", "KeyDown", "KeyDown", "Change"}));
}

void TestInputControls::maxLengthRange()
{
    ucEnInput c;
    c.setMaxLength(32766);
    QCOMPARE(c.MaxLength(), 32766);
    c.setMaxLength(-1);
    QCOMPARE(c.MaxLength(), -1);
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, c.setMaxLength(32767));
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, c.setMaxLength(-2));
    QCOMPARE(c.MaxLength(), -1);
}

void TestInputControls::textReadsBackTrimmed()
{
    ucJaInput c;
    c.setText("  word  ");
    QCOMPARE(c.TextBox()->text(), QString("  word  "));
    QCOMPARE(c.Text(), QString("word"));
    c.setText(QStringLiteral("　全角　"));
    QCOMPARE(c.Text(), QStringLiteral("全角"));
}

void TestInputControls::assignedTextIsNotFiltered()
{
    ucIDInput c;
    EventLog log(&c);
    c.setText("ab'c*");
    QCOMPARE(c.Text(), QString("ab'c*"));
    QCOMPARE(log.events, QStringList{"Change"});
    ucDenpyoID d;
    d.setText("12345678901");
    QCOMPARE(d.Text(), QString("12345678901"));
}

void TestInputControls::plainFieldSelectsAllOnEntry()
{
    FocusWindow w("ucTelInput");
    QVERIFY(w.activate());
    w.field->setText("03-1234");
    w.field->TextBox()->setCursorPosition(2);
    EventLog log(w.field.get());
    w.enter();
    QCOMPARE(w.field->SelStart(), 0);
    QCOMPARE(w.field->SelLength(), 7);
    w.leave();
    QCOMPARE(log.events, (QStringList{"GotFocus", "LostFocus"}));
    QCOMPARE(w.field->Text(), QString("03-1234"));
}

void TestInputControls::amountFormattingRoundTrip()
{
    FocusWindow w("ucKingakuInput");
    QVERIFY(w.activate());
    auto *amount = static_cast<ucKingakuInput *>(w.field.get());
    amount->setText("1234567");
    QCOMPARE(amount->TextBox()->text(), QString("1,234,567"));
    QCOMPARE(amount->Text(), QString("1,234,567"));

    EventLog log(amount);
    bool formattingSeen = false;
    connect(amount->TextBox(), &QLineEdit::textChanged, [&] { formattingSeen = amount->flgFormatting(); });
    w.enter();
    QCOMPARE(amount->TextBox()->text(), QString("1234567"));
    QVERIFY(formattingSeen);
    QVERIFY(!amount->flgFormatting());
    QCOMPARE(amount->SelStart(), 0);
    QCOMPARE(amount->SelLength(), 7);
    QCOMPARE(log.events, QStringList{"GotFocus"});

    // Assigning while editing still stores the formatted form.
    amount->setText("98765");
    QCOMPARE(amount->Text(), QString("98,765"));
    amount->TextBox()->setText("1234567");

    log.events.clear();
    w.leave();
    QCOMPARE(amount->TextBox()->text(), QString("1,234,567"));
    QCOMPARE(log.events, (QStringList{"Change", "LostFocus"}));
}

void TestInputControls::otherWindowDoesNotLeaveField()
{
    // A message box or another window taking the focus for a while must not
    // format the amount being edited, nor select it all again on return.
    FocusWindow w("ucKingakuInput");
    QVERIFY(w.activate());
    w.field->setText("1234567");
    w.enter();
    w.field->setSelStart(3);
    EventLog log(w.field.get());
    {
        QWidget box;
        box.show();
        QApplication::setActiveWindow(&box);
        QVERIFY(QTest::qWaitForWindowActive(&box));
        QCOMPARE(w.field->TextBox()->text(), QString("1234567"));
    }
    QApplication::setActiveWindow(&w.window);
    QVERIFY(QTest::qWaitForWindowActive(&w.window));
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(w.field->TextBox()));
    QCOMPARE(w.field->SelStart(), 3);
    QCOMPARE(w.field->SelLength(), 0);
    QVERIFY(log.events.isEmpty());
    w.leave();
    QCOMPARE(log.events, (QStringList{"Change", "LostFocus"}));
}

// A window that moves the focus while a message box is up (as after a
// refusal) has left the field once it is active again.
void TestInputControls::focusMovedWhileAnotherWindowIsActiveLeavesField()
{
    FocusWindow w("ucKingakuInput");
    QVERIFY(w.activate());
    w.field->setText("1234567");
    w.enter();
    EventLog log(w.field.get());
    {
        QWidget box;
        box.show();
        QApplication::setActiveWindow(&box);
        QVERIFY(QTest::qWaitForWindowActive(&box));
        w.other.setFocus(Qt::OtherFocusReason);
    }
    QApplication::setActiveWindow(&w.window);
    QVERIFY(QTest::qWaitForWindowActive(&w.window));
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(&w.other));
    QCOMPARE(w.field->TextBox()->text(), QString("1,234,567"));
    QCOMPARE(log.events, (QStringList{"Change", "LostFocus"}));

    // Entering it again is a new entry.
    log.events.clear();
    w.enter();
    QCOMPARE(w.field->TextBox()->text(), QString("1234567"));
    QCOMPARE(log.events, QStringList{"GotFocus"});
}

void TestInputControls::amountLeavingCleansText_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("kingaku: nine digits") << "ucKingakuInput" << "123456789" << "123,456,789";
    QTest::newRow("kingaku: negative") << "ucKingakuInput" << "-12345678" << "-12,345,678";
    QTest::newRow("kingaku: minus inside") << "ucKingakuInput" << "12-3" << "";
    QTest::newRow("kingaku: lone minus") << "ucKingakuInput" << "-" << "";
    QTest::newRow("tanka: decimal kept") << "ucTankaInput" << "1234.5" << "1,234.5";
    QTest::newRow("tanka: trailing point") << "ucTankaInput" << "12." << "12";
    QTest::newRow("tanka: four decimals") << "ucTankaInput" << "12.3456" << "";
}

void TestInputControls::amountLeavingCleansText()
{
    QFETCH(QString, kind);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    FocusWindow w(kind);
    QVERIFY(w.activate());
    w.enter();
    typeText(w.field->TextBox(), typed);
    QCOMPARE(w.field->TextBox()->text(), typed);
    w.leave();
    QCOMPARE(w.field->TextBox()->text(), shown);
}

void TestInputControls::amountAssignmentFormats_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("assigned");
    QTest::addColumn<QString>("shown");
    QTest::newRow("kingaku: decimal assigned") << "ucKingakuInput" << "12.5" << "12.5";
    QTest::newRow("kingaku: separators kept") << "ucKingakuInput" << "1,000" << "1,000";
    QTest::newRow("kingaku: no number") << "ucKingakuInput" << "abc" << "";
    QTest::newRow("tanka: empty") << "ucTankaInput" << "" << "";
    QTest::newRow("tanka: negative decimal") << "ucTankaInput" << "-1234.25" << "-1,234.25";
}

void TestInputControls::amountAssignmentFormats()
{
    QFETCH(QString, kind);
    QFETCH(QString, assigned);
    QFETCH(QString, shown);
    auto c = makeControl(kind);
    c->setText(assigned);
    QCOMPARE(c->TextBox()->text(), shown);
}

void TestInputControls::storedNumberSurvivesEntering_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("typed"); // after entering; empty: nothing typed
    QTest::addColumn<QString>("edited");
    QTest::addColumn<QString>("left");
    QTest::newRow("four decimals walked through") << "1234.5678" << "" << "1234.5678" << "1,234.5678";
    QTest::newRow("negative") << "-0.00005" << "" << "-0.00005" << "-0.00005";
    QTest::newRow("thirteen digits") << "1234567890123" << "" << "1234567890123" << "1,234,567,890,123";
    QTest::newRow("retyped: the typed rule") << "1234.5678" << "12.3456" << "1234.5678" << "";
    QTest::newRow("typed over") << "1234.5678" << "99.5" << "1234.5678" << "99.5";
}

// A stored number is shown whole, more decimals than typing takes
// included, through entering and leaving; typing brings back the rules of
// typed text.
void TestInputControls::storedNumberSurvivesEntering()
{
    QFETCH(QString, stored);
    QFETCH(QString, typed);
    FocusWindow w("ucTankaInput");
    QVERIFY(w.activate());
    auto *tanka = static_cast<ucTankaInput *>(w.field.get());
    tanka->showStoredNumber(stored);
    w.enter();
    QTEST(tanka->TextBox()->text(), "edited");
    if (!typed.isEmpty()) {
        // Nine characters refuse typing until some are taken away.
        QTest::keyClick(tanka->TextBox(), Qt::Key_Backspace);
        typeText(tanka->TextBox(), typed);
    }
    w.leave();
    QTEST(tanka->TextBox()->text(), "left");
    w.enter();
    w.leave();
    QTEST(tanka->TextBox()->text(), "left");
}

void TestInputControls::rightLabelGeometryAndColour()
{
    QWidget window;
    ucRightLabel label(&window);
    window.show();
    label.setCaption("1,234,567");
    QCOMPARE(label.Caption(), QString("1,234,567"));
    QVERIFY(label.Label1()->alignment() & Qt::AlignRight);
    for (int width : {100, 250, 600}) {
        label.resize(width, label.height());
        QCOMPARE(label.Picture1()->width(), width);
        QCOMPARE(label.Label1()->geometry().right() + 1, width - ui::twipsToPixelsX(100, &label));
    }
    label.setForeColor(255);
    QCOMPARE(label.ForeColor(), 255);
    QCOMPARE(label.Label1()->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, label.setForeColor(0x10000));
    QCOMPARE(label.ForeColor(), 255);
}

void TestInputControls::titleLabelBand()
{
    QWidget window;
    ucTitleLabel title(&window);
    window.show();
    title.setCaption("伝票一覧");
    for (int width : {200, 800}) {
        title.resize(width, title.height());
        QCOMPARE(title.Picture1()->width(), width - ui::twipsToPixelsX(10, &title));
    }
    QCOMPARE(title.Picture1()->palette().color(QPalette::Window), QColor(224, 224, 224));
    QCOMPARE(title.height(), ui::twipsToPixelsY(315, &title));
}

QTEST_MAIN(TestInputControls)
#include "tst_inputcontrols.moc"
