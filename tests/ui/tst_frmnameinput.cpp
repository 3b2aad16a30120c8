#include "KeyTyping.h"
#include "MessageLog.h"

#include "core/controls/ucJaInput.h"
#include "core/dialogs/frmNameInput.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using ui::Icon;

class TestFrmNameInput : public QObject {
    Q_OBJECT
private slots:
    void captionAndPromptBuiltFromTitle();
    void originalNameFillsBox_data();
    void originalNameFillsBox();
    void confirmingChecksName_data();
    void confirmingChecksName();
    void cancelPathsLeaveNoResult_data();
    void cancelPathsLeaveNoResult();
    void keysMoveBetweenControls();
    void execReturnsTypedName();

};

void TestFrmNameInput::captionAndPromptBuiltFromTitle()
{
    frmNameInput d;
    d.setTitle("フォーム");
    QVERIFY(showActive(&d));
    QCOMPARE(d.windowTitle(), QStringLiteral("フォーム名入力"));
    QCOMPARE(d.lblPrompt->text(), QStringLiteral("フォーム名を入力してください。"));
    QCOMPARE(d.cmdOK->text(), QStringLiteral("ＯＫ"));
    QCOMPARE(d.cmdCancel->text(), QStringLiteral("ｷｬﾝｾﾙ(ESC)"));
    QCOMPARE(d.txtString->MaxLength(), 50);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(d.txtString->TextBox()));
    QVERIFY(!d.OK());
}

void TestFrmNameInput::originalNameFillsBox_data()
{
    QTest::addColumn<QString>("original");
    QTest::newRow("none") << QString();
    QTest::newRow("current name") << QStringLiteral("月末締め");
}

void TestFrmNameInput::originalNameFillsBox()
{
    QFETCH(QString, original);
    frmNameInput d;
    d.setTitle("フィルター");
    d.setOriginalName(original);
    QVERIFY(showActive(&d));
    QCOMPARE(d.txtString->TextBox()->text(), original);
}

void TestFrmNameInput::confirmingChecksName_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("boxAfter");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("icon");
    const QString bad = QStringLiteral("フォーム名には次の文字は使えません。\r\n\t\\/:*?<>|");
    QTest::newRow("plain") << "月次" << true << "月次" << "月次" << QString() << 0;
    QTest::newRow("blanks around") << "  月次 帳票  " << true << "月次 帳票" << "月次 帳票" << QString() << 0;
    QTest::newRow("blanks only") << "   " << false << "" << "   " << QStringLiteral("名前を入力してください。") << int(Icon::Critical);
    QTest::newRow("empty") << "" << false << "" << "" << QStringLiteral("名前を入力してください。") << int(Icon::Critical);
    QTest::newRow("slash") << " a/b " << false << "" << "a/b" << bad << int(Icon::Exclamation);
    QTest::newRow("backslash") << "a\\b" << false << "" << "a\\b" << bad << int(Icon::Exclamation);
    QTest::newRow("each refused character") << "x:*?<>|" << false << "" << "x:*?<>|" << bad << int(Icon::Exclamation);
}

void TestFrmNameInput::confirmingChecksName()
{
    QFETCH(QString, typed);
    QFETCH(bool, ok);
    QFETCH(QString, result);
    QFETCH(QString, boxAfter);
    QFETCH(QString, message);
    QFETCH(int, icon);
    MessageLog log;
    frmNameInput d;
    d.setTitle("フォーム");
    QVERIFY(showActive(&d));
    typeText(d.txtString->TextBox(), typed);
    QTest::keyClick(d.txtString->TextBox(), Qt::Key_Return); // to the OK button
    QCOMPARE(QApplication::focusWidget(), d.cmdOK);
    QTest::keyClick(d.cmdOK, Qt::Key_Return);
    QCOMPARE(d.OK(), ok);
    QCOMPARE(d.ResultString(), result);
    QCOMPARE(d.isVisible(), !ok);
    QCOMPARE(d.txtString->TextBox()->text(), boxAfter);
    if (message.isEmpty()) {
        QVERIFY(log.shown.isEmpty());
    } else {
        QCOMPARE(log.texts(), QStringList{message});
        QCOMPARE(int(log.shown[0].icon), icon);
        QVERIFY(log.shown[0].title.isEmpty());
    }
}

void TestFrmNameInput::cancelPathsLeaveNoResult_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("esc in box") << "escBox";
    QTest::newRow("esc on ok") << "escOK";
    QTest::newRow("enter on cancel") << "enterCancel";
    QTest::newRow("click cancel") << "clickCancel";
    QTest::newRow("window closed") << "close";
}

void TestFrmNameInput::cancelPathsLeaveNoResult()
{
    QFETCH(QString, how);
    frmNameInput d;
    d.setTitle("フィルター");
    d.setOriginalName("旧名");
    QVERIFY(showActive(&d));
    if (how == "escBox") {
        QTest::keyClick(d.txtString->TextBox(), Qt::Key_Escape);
    } else if (how == "escOK") {
        d.cmdOK->setFocus();
        QTest::keyClick(d.cmdOK, Qt::Key_Escape);
    } else if (how == "enterCancel") {
        d.cmdCancel->setFocus();
        QTest::keyClick(d.cmdCancel, Qt::Key_Return);
    } else if (how == "clickCancel") {
        QTest::mouseClick(d.cmdCancel, Qt::LeftButton);
    } else {
        d.close();
    }
    QVERIFY(!d.isVisible());
    QCOMPARE(d.result(), int(QDialog::Rejected));
    QVERIFY(!d.OK());
    QCOMPARE(d.ResultString(), QString());
}

void TestFrmNameInput::keysMoveBetweenControls()
{
    frmNameInput d;
    d.setTitle("フォーム");
    d.setOriginalName("abc");
    QVERIFY(showActive(&d));
    QWidget *box = d.txtString->TextBox();
    auto focus = [] { return QApplication::focusWidget(); };

    QTest::keyClick(box, Qt::Key_Down);
    QCOMPARE(focus(), d.cmdOK);
    QTest::keyClick(d.cmdOK, Qt::Key_Down); // nothing below
    QCOMPARE(focus(), d.cmdOK);
    QTest::keyClick(d.cmdOK, Qt::Key_Left); // nothing to the left
    QCOMPARE(focus(), d.cmdOK);
    QTest::keyClick(d.cmdOK, Qt::Key_Right);
    QCOMPARE(focus(), d.cmdCancel);
    QTest::keyClick(d.cmdCancel, Qt::Key_Right);
    QCOMPARE(focus(), d.cmdCancel);
    QTest::keyClick(d.cmdCancel, Qt::Key_Left);
    QCOMPARE(focus(), d.cmdOK);
    QTest::keyClick(d.cmdOK, Qt::Key_Up);
    QCOMPARE(focus(), box);
    QTest::keyClick(box, Qt::Key_End);
    QCOMPARE(focus(), d.cmdOK);
    QTest::keyClick(d.cmdOK, Qt::Key_Home);
    QCOMPARE(focus(), box);
    // In the box Right and Left only move the caret.
    d.txtString->setSelStart(3);
    QTest::keyClick(box, Qt::Key_Right);
    QCOMPARE(focus(), box);
    d.txtString->setSelStart(0);
    QTest::keyClick(box, Qt::Key_Left);
    QCOMPARE(focus(), box);
    // Home in the box is the box's own: the caret goes to the start.
    d.txtString->setSelStart(2);
    QTest::keyClick(box, Qt::Key_Home);
    QCOMPARE(focus(), box);
    QCOMPARE(d.txtString->SelStart(), 0);
    QVERIFY(d.isVisible());
}

void TestFrmNameInput::execReturnsTypedName()
{
    frmNameInput d;
    d.setTitle("フィルター");
    QTimer::singleShot(0, &d, [&d] {
        typeText(d.txtString->TextBox(), "得意先 A");
        QTest::mouseClick(d.cmdOK, Qt::LeftButton);
    });
    QCOMPARE(d.exec(), int(QDialog::Accepted));
    QVERIFY(d.OK());
    QCOMPARE(d.ResultString(), QStringLiteral("得意先 A"));
}

QTEST_MAIN(TestFrmNameInput)
#include "tst_frmnameinput.moc"
