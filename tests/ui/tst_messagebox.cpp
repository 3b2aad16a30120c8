#include "platform/ui/KeyboardReturn.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/WaitCursor.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

Q_DECLARE_METATYPE(ui::Buttons)
Q_DECLARE_METATYPE(ui::Answer)

// The real box, driven while it waits: captions, default and escape buttons.
class TestMessageBox : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QApplication::setApplicationName(QStringLiteral("Quorvex5")); }

    void realBox_data()
    {
        QTest::addColumn<ui::Buttons>("buttons");
        QTest::addColumn<ui::Answer>("defaultAnswer");
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<QString>("defaultCaption");
        QTest::addColumn<int>("key");
        QTest::addColumn<ui::Answer>("answer");
        QTest::newRow("ok, Enter") << ui::Buttons::Ok << ui::Answer::Ok << QStringList{"OK"} << "OK"
                                   << int(Qt::Key_Return) << ui::Answer::Ok;
        QTest::newRow("yes/no, Enter on the default")
            << ui::Buttons::YesNo << ui::Answer::Yes << QStringList{"いいえ(&N)", "はい(&Y)"} << "はい(&Y)"
            << int(Qt::Key_Return) << ui::Answer::Yes;
        QTest::newRow("yes/no, Esc is No")
            << ui::Buttons::YesNo << ui::Answer::Yes << QStringList{"いいえ(&N)", "はい(&Y)"} << "はい(&Y)"
            << int(Qt::Key_Escape) << ui::Answer::No;
        QTest::newRow("yes/no/cancel, No by default")
            << ui::Buttons::YesNoCancel << ui::Answer::No << QStringList{"いいえ(&N)", "はい(&Y)", "キャンセル"}
            << "いいえ(&N)" << int(Qt::Key_Return) << ui::Answer::No;
        QTest::newRow("ok/cancel, Esc") << ui::Buttons::OkCancel << ui::Answer::Ok << QStringList{"OK", "キャンセル"}
                                        << "OK" << int(Qt::Key_Escape) << ui::Answer::Cancel;
        QTest::newRow("retry/cancel") << ui::Buttons::RetryCancel << ui::Answer::Retry
                                      << QStringList{"キャンセル", "再試行(&R)"} << "再試行(&R)" << int(Qt::Key_Return)
                                      << ui::Answer::Retry;
    }

    void realBox()
    {
        QFETCH(ui::Buttons, buttons);
        QFETCH(ui::Answer, defaultAnswer);
        QFETCH(QStringList, captions);
        QFETCH(QString, defaultCaption);
        QFETCH(int, key);
        QFETCH(ui::Answer, answer);
        QString title;
        QStringList seen;
        QString seenDefault;
        QTimer::singleShot(0, this, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            title = box->windowTitle();
            for (QAbstractButton *b : box->buttons())
                seen << b->text();
            seenDefault = box->defaultButton() ? box->defaultButton()->text() : QString();
            QTest::keyClick(box, Qt::Key(key));
        });
        const ui::Answer got = ui::showMessage(QStringLiteral("更新しますか？"), ui::Icon::Question, buttons,
                                               defaultAnswer);
        seen.sort();
        captions.sort();
        QCOMPARE(seen, captions);
        QCOMPARE(seenDefault, defaultCaption);
        QCOMPARE(title, QStringLiteral("Quorvex5"));
        QCOMPARE(got, answer);
    }

    // A box shown while the hourglass is up shows the ordinary pointer; the
    // hourglass comes back after it.
    void noHourglassOverTheBox()
    {
        ui::WaitCursor wait;
        Qt::CursorShape during = Qt::WaitCursor;
        QTimer::singleShot(0, this, [&] {
            during = QGuiApplication::overrideCursor()->shape();
            QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Return);
        });
        ui::showMessage(QStringLiteral("伝票検索フィルター 無しが存在しません。"), ui::Icon::Exclamation);
        QCOMPARE(during, Qt::ArrowCursor);
        QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        wait.release();
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    // A box opened without a named parent while a dialog is open belongs to
    // the dialog, even when the window manager has left no window active;
    // once the box has closed the dialog has the keyboard again.
    void boxBelongsToTheOpenDialog()
    {
        ui::returnKeyboardToOpeners();
        QDialog dialog;
        QWidget *boxParent = nullptr;
        bool activeAgain = false;
        QTimer::singleShot(0, &dialog, [&] {
            QApplication::setActiveWindow(nullptr);
            QTimer::singleShot(0, &dialog, [&] {
                auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
                boxParent = box ? box->parentWidget() : nullptr;
                if (box)
                    QTest::keyClick(box, Qt::Key_Return);
            });
            ui::showMessage(QStringLiteral("締め日を選択してください。"), ui::Icon::Exclamation);
            activeAgain = QTest::qWaitFor([&] { return QApplication::activeWindow() == &dialog; }, 2000);
            dialog.accept();
        });
        dialog.exec();
        QCOMPARE(boxParent, &dialog);
        QVERIFY(activeAgain);
    }
};

QTEST_MAIN(TestMessageBox)
#include "tst_messagebox.moc"
