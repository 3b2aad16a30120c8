#include "DialogDriver.h"
#include "TestSupport.h"
#include "core/Globals.h"
#include "core/controls/ucTextInput.h"
#include "mainwindow/commands/DialogLaunchers.h"
#include "masters/frmCustomer.h"
#include "masters/frmShohin.h"

#include <QLineEdit>
#include <QtTest>

using D = DialogDriver;

class tst_Launchers : public QObject {
    Q_OBJECT

    testsupport::ProgramFolder m_folder;

    static QString scalar(const QString &sql) { return connection().scalar(sql).toString(); }

private slots:
    void initTestCase()
    {
        m_folder.open();
        connection().exec(QStringLiteral("INSERT INTO 顧客テーブル (顧客ID, 顧客名漢字, 値引率) VALUES ('A1', '山田', 0);"));
        connection().exec(QStringLiteral("INSERT INTO 商品テーブル (商品ID, 品名, 単価) VALUES ('P1', 'ボルト', 10);"));
    }

    void savingReportsTrue()
    {
        D d;
        D::onNextModal([](QWidget *modal) {
            auto *form = qobject_cast<frmCustomer *>(modal);
            QVERIFY(form);
            QCOMPARE(form->Mode, QStringLiteral("SelectedUpdate"));
            D::key(Qt::Key_Down);
            D::type(QStringLiteral("x"));
            D::key(Qt::Key_F12);
        });
        QVERIFY(ShowCustomerForm(QStringLiteral("SelectedUpdate"), QStringLiteral("A1")));
        QCOMPARE(scalar(QStringLiteral("SELECT 顧客名漢字 FROM 顧客テーブル WHERE 顧客ID = 'A1';")), QStringLiteral("x"));
    }

    void closingWithoutSavingReportsFalse()
    {
        D d;
        D::onNextModal([](QWidget *modal) {
            QVERIFY(qobject_cast<frmShohin *>(modal));
            D::type(QStringLiteral("typed"));
            D::key(Qt::Key_Escape);
        });
        QVERIFY(!ShowShohinForm(QStringLiteral("SelectedUpdate"), QStringLiteral("P1")));
        // A second command gets a fresh editor showing the stored record.
        QString shown;
        D::onNextModal([&shown](QWidget *modal) {
            shown = modal->findChild<ucTextInput *>(QStringLiteral("txtShohinNumber"))->TextBox()->text();
            D::key(Qt::Key_Escape);
        });
        QVERIFY(!ShowShohinForm(QStringLiteral("SelectedUpdate"), QStringLiteral("P1")));
        QCOMPARE(shown, QString());
        QVERIFY(d.messages.isEmpty());
    }

    void referenceNewSavesACopy()
    {
        D d;
        D::onNextModal([](QWidget *) {
            D::type(QStringLiteral("P2"));
            D::key(Qt::Key_F12);
        });
        QVERIFY(ShowShohinForm(QStringLiteral("ReferenceNew"), QStringLiteral("P1")));
        QCOMPARE(scalar(QStringLiteral("SELECT 品名 || '/' || 単価 FROM 商品テーブル WHERE 商品ID = 'P2';")),
                 QStringLiteral("ボルト/10.0"));
    }
};

QTEST_MAIN(tst_Launchers)
#include "tst_launchers.moc"
