#include "DialogDriver.h"
#include "TestSupport.h"
#include "XSession.h"

#include "core/BasicInfo.h"
#include "masters/RecordPicker.h"
#include "model/Customer.h"
#include "model/Denpyo.h"
#include "model/Shohin.h"
#include "slips/frmDenpyo.h"

#include <QApplication>
#include <QTimer>
#include <QtTest>
#include <optional>

// The slip editor on a real X server under a real window manager, typed at
// through the server: F11 opens the customer picker, and what follows it is
// meant for the picker until the choice closes it, then for the editor again,
// however fast it comes. Keys typed before the picker has the keyboard are
// still sent by the server to the editor's window.

namespace {

XSession *session = nullptr;
QString notRunning;

// Types a key sequence as key symbols; "\v" stands for F11, "\r" for Enter,
// "\f" for F12.
void typeAll(const QString &keys)
{
    for (const QChar c : keys) {
        const unsigned long key = c == QLatin1Char('\v')   ? 0xffc8
                                  : c == QLatin1Char('\f') ? 0xffc9
                                  : c == QLatin1Char('\r') ? 0xff0d
                                                           : c.unicode();
        session->tap(key);
    }
    session->sync();
}

} // namespace

class tst_PickerTypeAhead : public QObject {
    Q_OBJECT

    std::optional<testsupport::OpenedProgramFolder> m_folder;

private slots:
    void initTestCase()
    {
        if (!notRunning.isEmpty())
            QSKIP(qPrintable(notRunning));
    }

    void init()
    {
        m_folder.emplace();
        BasicInfo next;
        next.setBasicInfoID(QStringLiteral("CurrentDenpyoID"));
        next.setLongValue(41);
        QVERIFY(next.Apply());
        Customer c;
        c.setCustomerID(QStringLiteral("A1"));
        c.setNameKnj(QStringLiteral("山田商店"));
        QVERIFY(c.Apply());
        Shohin p;
        p.setShohinID(QStringLiteral("P1"));
        p.setNumber(QStringLiteral("HB-1"));
        p.setName(QStringLiteral("鉛筆"));
        p.setTanka(1200);
        p.setTanni(QStringLiteral("本"));
        QVERIFY(p.Apply());
    }
    void cleanup() { m_folder.reset(); }

    void keysTypedAtOnceReachThePickerAndTheEditor_data()
    {
        QTest::addColumn<bool>("busy");
        QTest::addColumn<QString>("keys");
        // F11, "a1" Enter Enter in the customer picker (search, then choose),
        // a line for the product "p1" with the quantity 3, F12 to save.
        const QString customer = QStringLiteral("\va1\r\r");
        const QString line = QStringLiteral("p1\r3\r\r\r\r\f");
        // Every key is waiting at the server before the program handles the
        // first: the picker is not yet shown when its keys are typed.
        QTest::newRow("typed while the program is busy") << true << customer + line;
        // The product picker opens from keys handed on past the first.
        QTest::newRow("two pickers typed while the program is busy")
            << true << customer + QStringLiteral("\vp1\r\r3\r\r\r\r\f");
        // The picker has the keyboard before its keys come.
        QTest::newRow("typed after the picker shows") << false << customer + line;
    }

    void keysTypedAtOnceReachThePickerAndTheEditor()
    {
        QFETCH(bool, busy);
        QFETCH(QString, keys);
        DialogDriver d;
        frmDenpyo dlg;
        dlg.strMode = QStringLiteral("New");
        dlg.setWindowModality(Qt::ApplicationModal);
        QVERIFY(DialogDriver::open(&dlg));
        QTRY_COMPARE(session->focus(), dlg.winId());
        DialogDriver::key(Qt::Key_Return);
        QCOMPARE(DialogDriver::focusName(), QStringLiteral("txtCustomerID"));

        // Lost keys leave the picker open, and the test inside its loop.
        QTimer watchdog;
        watchdog.setSingleShot(true);
        connect(&watchdog, &QTimer::timeout, [&dlg] {
            for (QWidget *modal = QApplication::activeModalWidget(); modal && modal != &dlg;
                 modal = QApplication::activeModalWidget())
                modal->close();
        });
        watchdog.start(8000);
        // The rest follows from inside the picker's loop once it has the
        // keyboard.
        QTimer typist;
        typist.setInterval(20);
        connect(&typist, &QTimer::timeout, [&typist, keys] {
            QWidget *modal = QApplication::activeModalWidget();
            if (qobject_cast<RecordPicker *>(modal) && session->focus() == modal->winId()) {
                typist.stop();
                typeAll(keys.mid(1));
            }
        });
        if (busy) {
            // The keys go to the server while the program runs no loop.
            QTimer::singleShot(0, &dlg, [keys] { typeAll(keys); });
        } else {
            typist.start();
            typeAll(keys.left(1));
        }

        Denpyo slip;
        QTRY_VERIFY_WITH_TIMEOUT(slip.Load(42), 10000);
        QCOMPARE(slip.CustomerID(), QStringLiteral("A1"));
        QCOMPARE(slip.Meisais().Count(), 1);
        const Meisai &line = slip.Meisais().Item(1);
        QCOMPARE(line.ItemID(), QStringLiteral("P1"));
        QCOMPARE(line.ItemSuryo(), 3.0);
        QCOMPARE(line.ItemKingaku(), 3600);
        QCOMPARE(d.texts(), QStringList{QStringLiteral("伝票 42 を登録しますか？")});
    }
};

int main(int argc, char *argv[])
{
    return runOnPrivateDisplay<tst_PickerTypeAhead>(argc, argv, session, notRunning);
}

#include "tst_pickertypeahead.moc"
