#include "masters/MemoBox.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWindow>
#include <QtTest>

class tst_MemoBox : public QObject {
    Q_OBJECT

private slots:
    // Characters a file would give back as other ones come in as those,
    // by every way text enters the memo (a drop arrives as a paste does);
    // a NUL never does.
    void enteredTextTakesItsCp932Form_data()
    {
        QTest::addColumn<QString>("route");
        QTest::addColumn<QString>("entered");
        QTest::addColumn<QString>("expected");
        for (const QString route : {"typed", "pasted", "input method"}) {
            QTest::addRow("%s", qPrintable(route)) << route << "A〜‖−—¢£¬ボルト" << "A～∥－―￠￡￢ボルト";
            QTest::addRow("NUL, %s", qPrintable(route)) << route << QString("a") + QChar(0) + "b" << "ab";
        }
        QTest::newRow("pasted lines") << "pasted" << "1〜2\n3" << "1～2\r\n3";
    }

    void enteredTextTakesItsCp932Form()
    {
        QFETCH(QString, route);
        QFETCH(QString, entered);
        QFETCH(QString, expected);
        MemoBox memo;
        memo.setMaxLength(100);
        if (route == "typed") {
            for (const QChar c : entered) {
                QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
                QApplication::sendEvent(&memo, &press);
            }
        } else if (route == "pasted") {
            QGuiApplication::clipboard()->setText(entered);
            memo.paste();
        } else {
            QInputMethodEvent event;
            event.setCommitString(entered);
            QApplication::sendEvent(&memo, &event);
        }
        QCOMPARE(memo.Text(), expected);
    }

    // Keys typed ahead wait for their turn: entering the memo runs none of
    // them in the middle of the move that brings the focus there.
    void enteringRunsNoPendingKey()
    {
        QWidget window;
        auto *before = new QLineEdit(&window);
        auto *memo = new MemoBox(&window);
        memo->move(0, 40);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        before->setFocus();
        QCoreApplication::postEvent(window.windowHandle(),
                                    new QKeyEvent(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a"));
        memo->setFocus();
        QVERIFY(memo->hasFocus());
        QCOMPARE(memo->Text(), QString());
        QTRY_COMPARE(memo->Text(), QStringLiteral("a"));
        QCOMPARE(before->text(), QString());
    }

    void assignedTextIsTakenWhole()
    {
        MemoBox memo;
        memo.setText(QStringLiteral("〜"));
        QCOMPARE(memo.Text(), QStringLiteral("〜"));
    }
};

QTEST_MAIN(tst_MemoBox)
#include "tst_memobox.moc"
