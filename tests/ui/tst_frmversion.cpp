#include "core/dialogs/frmVersion.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

class TestFrmVersion : public QObject {
    Q_OBJECT
private slots:
    void versionLine();
    void closesByEveryKeyOfOK_data();
    void closesByEveryKeyOfOK();
    void splashShowsNoButton();
};

void TestFrmVersion::versionLine()
{
    QCOMPARE(frmVersion::VersionText(5, 0, 0), QStringLiteral("V 5.0.0"));
    QCOMPARE(frmVersion::VersionText(5, 12, 103), QStringLiteral("V 5.12.103"));
}

void TestFrmVersion::closesByEveryKeyOfOK_data()
{
    QTest::addColumn<int>("key"); // 0: a click
    QTest::newRow("enter") << int(Qt::Key_Return);
    QTest::newRow("esc") << int(Qt::Key_Escape);
    QTest::newRow("click") << 0;
}

void TestFrmVersion::closesByEveryKeyOfOK()
{
    QFETCH(int, key);
    frmVersion d;
    d.bSplash = false;
    bool buttonShown = false;
    QTimer::singleShot(0, &d, [&] {
        buttonShown = d.cmdOK->isVisible();
        QVERIFY(d.lblVersion->text().startsWith(QStringLiteral("V ")));
        if (key)
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &d, Qt::Key(key));
        else
            QTest::mouseClick(d.cmdOK, Qt::LeftButton);
    });
    // A dialog still open after the keystroke would hang here; the guard ends it.
    QTimer::singleShot(2000, &d, [&d] { d.done(99); });
    QVERIFY(d.exec() != 99);
    QVERIFY(buttonShown);
    QCOMPARE(d.lblVersion->text(), QStringLiteral("V 5.0.0"));
}

void TestFrmVersion::splashShowsNoButton()
{
    frmVersion d;
    d.bSplash = true;
    d.show();
    QVERIFY(!d.cmdOK->isVisible());
}

QTEST_MAIN(TestFrmVersion)
#include "tst_frmversion.moc"
