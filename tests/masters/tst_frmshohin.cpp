#include "DialogDriver.h"
#include "TestSupport.h"
#include "core/Globals.h"
#include "core/controls/ucTextInput.h"
#include "masters/frmShohin.h"
#include "masters/frmShohinList.h"
#include "model/Shohin.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

using D = DialogDriver;

class tst_frmShohin : public QObject {
    Q_OBJECT

    testsupport::ProgramFolder m_folder;

    static QString text(QWidget *dlg, const char *name) { return D::shown(dlg, name); }
    static QVariant stored(const QString &id, const QString &column)
    {
        db::Statement st = connection().prepare(QStringLiteral("SELECT * FROM 商品テーブル WHERE 商品ID = ?;"));
        st.bind(1, id);
        return st.step() ? st.value(column) : QVariant(QStringLiteral("<no row>"));
    }

private slots:
    void initTestCase() { m_folder.open(); }

    void init()
    {
        connection().exec(QStringLiteral("DELETE FROM 商品テーブル;"));
        Shohin s;
        s.setShohinID(QStringLiteral("P1"));
        s.setNumber(QStringLiteral("X-100"));
        s.setName(QStringLiteral("ボルト"));
        s.setMaker(QStringLiteral("山田製作所"));
        s.setTanka(1.23456);
        s.setTanni(QStringLiteral("本"));
        QVERIFY(s.Apply());
    }

    void newModeTakesAFormattedPrice()
    {
        D d;
        frmShohin dlg;
        dlg.Mode = QStringLiteral("New");
        QVERIFY(D::open(&dlg));
        QCOMPARE(dlg.findChild<QLabel *>(QStringLiteral("lblTitle"))->text(), QStringLiteral("新規商品"));
        const QStringList clipped = D::clippedTexts(&dlg);
        QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QStringLiteral(", "))));
        QCOMPARE(text(&dlg, "txtShohinTanka"), QStringLiteral("0"));
        D::type(QStringLiteral("p2"));
        D::key(Qt::Key_Return);
        QCOMPARE(D::focusName(), QStringLiteral("txtShohinNumber"));
        D::type(QStringLiteral("N-1"));
        D::key(Qt::Key_Return);
        D::type(QStringLiteral("ナット"));
        D::key(Qt::Key_Down);
        D::key(Qt::Key_Down);
        QCOMPARE(D::focusName(), QStringLiteral("txtShohinTanka"));
        D::type(QStringLiteral("1200.5"));
        D::key(Qt::Key_Return);
        QCOMPARE(text(&dlg, "txtShohinTanka"), QStringLiteral("1,200.5"));
        D::type(QStringLiteral("kilogram1234"));
        QCOMPARE(text(&dlg, "txtShohinTanni"), QStringLiteral("kilogram123"));
        D::key(Qt::Key_Up);
        QCOMPARE(text(&dlg, "txtShohinTanka"), QStringLiteral("1200.5"));
        D::key(Qt::Key_F12);
        QCOMPARE(d.texts(), QStringList{QStringLiteral("商品 P2 を登録しますか？")});
        QCOMPARE(stored(QStringLiteral("P2"), QStringLiteral("単価")).toDouble(), 1200.5);
        QCOMPARE(stored(QStringLiteral("P2"), QStringLiteral("品名")).toString(), QStringLiteral("ナット"));
        QCOMPARE(stored(QStringLiteral("P2"), QStringLiteral("単位")).toString(), QStringLiteral("kilogram123"));
        QVERIFY(dlg.isVisible());
        QCOMPARE(D::focusName(), QStringLiteral("txtShohinID"));
        QCOMPARE(text(&dlg, "txtShohinTanka"), QStringLiteral("0"));
    }

    void emptyIdIsRefusedCritically()
    {
        D d;
        frmShohin dlg;
        dlg.Mode = QStringLiteral("New");
        QVERIFY(D::open(&dlg));
        D::key(Qt::Key_Return);
        D::key(Qt::Key_F12);
        QCOMPARE(d.texts(), QStringList{QStringLiteral("商品IDを入力してください。")});
        QCOMPARE(d.messages.first().icon, ui::Icon::Critical);
        QCOMPARE(D::focusName(), QStringLiteral("txtShohinID"));
    }

    void storedPriceShowsAndIsKept_data()
    {
        QTest::addColumn<double>("price");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("walk");
        QTest::addColumn<double>("expected");
        // The stored price is shown in full, also where it has more
        // decimals or integer digits than can be typed; an unedited price is
        // saved as it was stored.
        QTest::newRow("four decimals untouched") << 1.23456 << "1.23456" << "" << false << 1.23456;
        QTest::newRow("four decimals walked through") << 1.23456 << "1.23456" << "" << true << 1.23456;
        QTest::newRow("pasted price walked through") << 1234.5678 << "1,234.5678" << "" << true << 1234.5678;
        QTest::newRow("negative pasted price") << -1234.5678 << "-1,234.5678" << "" << true << -1234.5678;
        QTest::newRow("four decimals edited") << 1.23456 << "1.23456" << "5" << false << 5.0;
        QTest::newRow("box emptied counts as 0") << 1.23456 << "1.23456" << "-" << false << 0.0;
        QTest::newRow("thirteen integer digits") << 1234567890123.0 << "1,234,567,890,123" << "" << false
                                                 << 1234567890123.0;
        QTest::newRow("sixteen integer digits") << 2.5e15 << "2,500,000,000,000,000" << "" << true << 2.5e15;
        QTest::newRow("tiny fraction") << 1e-5 << "0.00001" << "" << true << 1e-5;
        QTest::newRow("showable walked through") << 1200.5 << "1,200.5" << "" << true << 1200.5;
        QTest::newRow("twelve integer digits") << 123456789012.0 << "123,456,789,012" << "" << false
                                               << 123456789012.0;
    }
    void storedPriceShowsAndIsKept()
    {
        QFETCH(double, price);
        QFETCH(QString, typed);
        QFETCH(bool, walk);
        db::Statement st = connection().prepare(QStringLiteral("UPDATE 商品テーブル SET 単価 = ?;"));
        st.bind(1, price);
        st.step();
        D d;
        frmShohin dlg;
        dlg.Mode = QStringLiteral("SelectedUpdate");
        dlg.strShohinID = QStringLiteral("P1");
        QVERIFY(D::open(&dlg));
        QCOMPARE(D::focusName(), QStringLiteral("txtShohinNumber"));
        QCOMPARE(text(&dlg, "txtShohinName"), QStringLiteral("ボルト"));
        QTEST(text(&dlg, "txtShohinTanka"), "shown");
        QFETCH(QString, shown);
        if (walk) {
            for (int i = 0; i < 3; ++i)
                D::key(Qt::Key_Return);
            // While it is edited the box holds the bare number.
            QCOMPARE(D::focusName(), QStringLiteral("txtShohinTanka"));
            QCOMPARE(text(&dlg, "txtShohinTanka"), QString(shown).remove(QLatin1Char(',')));
            for (int i = 0; i < 2; ++i)
                D::key(Qt::Key_Return);
            QCOMPARE(D::focusName(), QStringLiteral("txtShohinMemo"));
            QCOMPARE(text(&dlg, "txtShohinTanka"), shown);
        }
        if (!typed.isEmpty()) {
            dlg.findChild<QWidget *>(QStringLiteral("txtShohinTanka"))->setFocus();
            D::type(typed);
        }
        D::key(Qt::Key_F12);
        QCOMPARE(d.texts(), QStringList{QStringLiteral("商品 P1 を更新しますか？")});
        QVERIFY(!dlg.isVisible());
        QTEST(stored(QStringLiteral("P1"), QStringLiteral("単価")).toDouble(), "expected");
    }

    void keysOfTheButtonsAndHome()
    {
        D d;
        frmShohin dlg;
        dlg.Mode = QStringLiteral("SelectableUpdate");
        QVERIFY(D::open(&dlg));
        auto *end = dlg.findChild<QPushButton *>(QStringLiteral("cmdEnd"));
        end->setFocus();
        D::key(Qt::Key_Up);
        D::key(Qt::Key_F12);
        QCOMPARE(D::focusName(), QStringLiteral("cmdEnd"));
        QVERIFY(d.messages.isEmpty());
        D::key(Qt::Key_Home);
        D::type(QStringLiteral("P1"));
        D::key(Qt::Key_Return);
        QCOMPARE(dlg.inputState(), InputState::Data);
        QCOMPARE(text(&dlg, "cmdEnd"), QStringLiteral("クリア(ESC)"));
        end->setFocus();
        D::key(Qt::Key_Up);
        QCOMPARE(D::focusName(), QStringLiteral("txtShohinTanni"));
        D::key(Qt::Key_Home);
        QCOMPARE(D::focusName(), QStringLiteral("txtShohinName"));
        D::key(Qt::Key_Escape);
        QCOMPARE(dlg.inputState(), InputState::Key);
        D::key(Qt::Key_Home);
        QCOMPARE(D::focusName(), QStringLiteral("txtShohinID"));
        D::key(Qt::Key_Escape);
        QVERIFY(!dlg.isVisible());
        QVERIFY(!dlg.ResultModified());
    }

    void priceBoxLimitsAndInputMethods()
    {
        D d;
        frmShohin dlg;
        dlg.Mode = QStringLiteral("New");
        QVERIFY(D::open(&dlg));
        auto *tanka = dlg.findChild<ucTextInput *>(QStringLiteral("txtShohinTanka"));
        tanka->setFocus();
        D::type(QStringLiteral("1234567890"));
        QCOMPARE(tanka->TextBox()->text(), QStringLiteral("123456789"));
        // Part numbers start in plain letters; names in the input method.
        auto hints = [&dlg](const char *name) {
            return dlg.findChild<ucTextInput *>(QLatin1String(name))->TextBox()->inputMethodHints();
        };
        QVERIFY(hints("txtShohinNumber") & Qt::ImhPreferLatin);
        QVERIFY(!(hints("txtShohinName") & Qt::ImhPreferLatin));
        QVERIFY(!(hints("txtShohinMaker") & Qt::ImhPreferLatin));
        // The buttons' Up reaches 単位 in a new mode too.
        D::key(Qt::Key_End);
        QCOMPARE(D::focusName(), QStringLiteral("cmdOK"));
        D::key(Qt::Key_Up);
        QCOMPARE(D::focusName(), QStringLiteral("txtShohinTanni"));
        dlg.findChild<QWidget *>(QStringLiteral("cmdEnd"))->setFocus();
        for (Qt::Key arrow : {Qt::Key_Down, Qt::Key_Right, Qt::Key_Left})
            D::key(arrow);
        QCOMPARE(D::focusName(), QStringLiteral("cmdEnd"));
        D::key(Qt::Key_Up);
        QCOMPARE(D::focusName(), QStringLiteral("txtShohinTanni"));
    }

    void newReturnHandsBackTheId()
    {
        D d;
        frmShohin dlg;
        dlg.Mode = QStringLiteral("NewReturn");
        QVERIFY(D::open(&dlg));
        D::type(QStringLiteral("p-100"));
        // Enter presses the focused save button.
        D::key(Qt::Key_End);
        QCOMPARE(D::focusName(), QStringLiteral("cmdOK"));
        D::key(Qt::Key_Return);
        QVERIFY(!dlg.isVisible());
        QCOMPARE(dlg.ResutltShohinID, QStringLiteral("P-100"));
        QVERIFY(dlg.ResultModified());
    }

    void recordGoneAtSaveIsNamed()
    {
        D d;
        frmShohin dlg;
        dlg.Mode = QStringLiteral("SelectableUpdate");
        QVERIFY(D::open(&dlg));
        D::type(QStringLiteral("P1"));
        D::key(Qt::Key_Return);
        connection().exec(QStringLiteral("DELETE FROM 商品テーブル;"));
        D::key(Qt::Key_F12);
        QCOMPARE(d.texts(), (QStringList{"商品 P1 を更新しますか？", "この商品IDは存在しません。"}));
        QCOMPARE(d.messages.last().icon, ui::Icon::Critical);
        QCOMPARE(dlg.inputState(), InputState::Data);
        QCOMPARE(D::focusName(), QStringLiteral("txtShohinNumber"));
        QCOMPARE(connection().scalar(QStringLiteral("SELECT COUNT(*) FROM 商品テーブル;")).toInt(), 0);
    }

    void pickedProductFillsAllButTheId()
    {
        D d;
        frmShohin dlg;
        dlg.Mode = QStringLiteral("New");
        QVERIFY(D::open(&dlg));
        D::type(QStringLiteral("P9"));
        D::onNextModal([](QWidget *modal) {
            QVERIFY(qobject_cast<frmShohinList *>(modal));
            D::key(Qt::Key_Return);
            D::key(Qt::Key_Return);
        });
        D::key(Qt::Key_F11);
        QVERIFY(D::open(&dlg));
        QCOMPARE(text(&dlg, "txtShohinID"), QStringLiteral("P9"));
        QCOMPARE(text(&dlg, "txtShohinMaker"), QStringLiteral("山田製作所"));
        D::key(Qt::Key_F12);
        QCOMPARE(stored(QStringLiteral("P9"), QStringLiteral("単価")).toDouble(), 1.23456);
    }
};

QTEST_MAIN(tst_frmShohin)
#include "tst_frmshohin.moc"
