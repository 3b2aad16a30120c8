#include "platform/ui/KeyHandover.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QVBoxLayout>
#include <QWindow>
#include <QtTest>

namespace {
// Posts keys as the window system queues them while the program is busy.
// "\x1b" stands for Esc, "\t" for F2.
void queueKeys(QWidget *window, const QString &keys)
{
    for (const QChar c : keys) {
        int key = c.toUpper().unicode();
        QString text(c);
        if (c == QLatin1Char('\x1b')) {
            key = Qt::Key_Escape;
        } else if (c == QLatin1Char('\t')) {
            key = Qt::Key_F2;
            text.clear();
        }
        QWindow *target = window->windowHandle();
        QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier, text));
        QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyRelease, key, Qt::NoModifier, text));
    }
}

// A window with one box; F2 in it opens a modal dialog with a box of its own.
class Window : public QDialog {
public:
    QLineEdit *box = new QLineEdit(this);
    QString typedInDialog;

    Window()
    {
        setLayout(new QVBoxLayout);
        layout()->addWidget(box);
        box->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress || static_cast<QKeyEvent *>(event)->key() != Qt::Key_F2)
            return QDialog::eventFilter(watched, event);
        QDialog dialog(this);
        auto *inner = new QLineEdit(&dialog);
        inner->setFocus();
        dialog.exec();
        typedInDialog = inner->text();
        return true;
    }
};
} // namespace

// Keys typed past the moment a window closed on a choice follow the focus.
class tst_KeyHandover : public QObject {
    Q_OBJECT

private slots:
    void heldKeysFollowTheFocusInOrder_data()
    {
        QTest::addColumn<QString>("toClosed");
        QTest::addColumn<QString>("toOwner");
        QTest::addColumn<QString>("inOwner");
        QTest::addColumn<QString>("inDialog");
        QTest::newRow("closed window's keys first") << "ab" << "c" << "abc" << "";
        QTest::newRow("owner's keys only") << "" << "xyz" << "xyz" << "";
        QTest::newRow("a key opens a dialog") << "a\tx" << "y\x1b" "b" << "ab" << "xy";
    }

    void heldKeysFollowTheFocusInOrder()
    {
        QFETCH(QString, toClosed);
        QFETCH(QString, toOwner);
        QFETCH(QString, inOwner);
        QFETCH(QString, inDialog);
        Window owner;
        owner.setWindowModality(Qt::ApplicationModal);
        owner.show();
        QVERIFY(QTest::qWaitForWindowActive(&owner));
        owner.box->setFocus();
        QDialog closed(&owner);
        auto *closedBox = new QLineEdit(&closed);
        closed.setModal(true);
        closed.show();
        closedBox->setFocus();

        // The choice: keys already queued for the window and typed after it.
        queueKeys(&closed, toClosed);
        ui::KeyHandover::holdFrom(&closed);
        closed.hide();
        queueKeys(&owner, toOwner);
        QTest::qWait(0);
        QCOMPARE(closedBox->text(), QString());
        QCOMPARE(owner.box->text(), QString());
        // The caller places the focus before the loop runs again.
        ui::KeyHandover::handOn(&closed);
        QCOMPARE(owner.box->text(), QString());
        QTRY_COMPARE(owner.box->text(), inOwner);
        QCOMPARE(owner.typedInDialog, inDialog);
        QCOMPARE(closedBox->text(), QString());

        // Nothing is held any more.
        queueKeys(&owner, QStringLiteral("q"));
        QTRY_COMPARE(owner.box->text(), inOwner + QLatin1Char('q'));
    }

    // Keys typed while the choice was taken come in after the caller is done
    // with the window, still addressed to it: they follow the others, and
    // the window stays for them until the next one retires.
    void retiredWindowPassesLateKeysOn()
    {
        Window owner;
        owner.setWindowModality(Qt::ApplicationModal);
        owner.show();
        QVERIFY(QTest::qWaitForWindowActive(&owner));
        owner.box->setFocus();
        QPointer<QDialog> closed = new QDialog(&owner);
        auto *closedBox = new QLineEdit(closed);
        closed->show();
        closedBox->setFocus();

        ui::KeyHandover::holdFrom(closed);
        closed->hide();
        queueKeys(closed, QStringLiteral("ab"));
        ui::KeyHandover::handOn(closed);
        ui::KeyHandover::retire(closed);
        queueKeys(&owner, QStringLiteral("c"));
        QTRY_COMPARE(owner.box->text(), QStringLiteral("abc"));
        QCOMPARE(closedBox->text(), QString());
        QVERIFY(closed);

        QPointer<QDialog> next = new QDialog(&owner);
        ui::KeyHandover::retire(next);
        QTRY_VERIFY(!closed);
        QVERIFY(next);
    }
};

QTEST_MAIN(tst_KeyHandover)
#include "tst_keyhandover.moc"
