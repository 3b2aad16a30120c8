#include "masters/MemoBox.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QKeyEvent>
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

    void assignedTextIsTakenWhole()
    {
        MemoBox memo;
        memo.setText(QStringLiteral("〜"));
        QCOMPARE(memo.Text(), QStringLiteral("〜"));
    }
};

QTEST_MAIN(tst_MemoBox)
#include "tst_memobox.moc"
