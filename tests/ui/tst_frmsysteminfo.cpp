#include "KeyTyping.h"
#include "MessageLog.h"
#include "TestSupport.h"

#include "core/Globals.h"
#include "core/controls/ucDenpyoID.h"
#include "core/controls/ucNumRightInput.h"
#include "core/dialogs/frmSystemInfo.h"
#include "platform/db/Statement.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <memory>

using ui::Answer;
using ui::Icon;

namespace {
const QString kAsk = QStringLiteral("更新しますか？");
const QString kMissingTaxRate = QStringLiteral("基本設定テーブルの消費税率レコードが存在しません。");

const QStringList kKeys{"CurrentDenpyoID", "DenpyoListCheckCount", "ShouhizeiRitsu", "ShouhizeiPattern",
                        "Shouhizei"};

// The stored numbers of the five settings; -1 for a missing row.
QList<qint64> stored()
{
    QList<qint64> values;
    for (const QString &key : kKeys) {
        auto st = connection().prepare(
            QStringLiteral("SELECT 数値型データ FROM 基本情報テーブル WHERE 基本情報ID = ?"));
        st.bindText(1, key);
        values << (st.step() ? st.int64(0) : -1);
    }
    return values;
}

void store(const QList<qint64> &values)
{
    for (int i = 0; i < kKeys.size(); ++i) {
        auto st = connection().prepare(
            QStringLiteral("UPDATE 基本情報テーブル SET 数値型データ = ? WHERE 基本情報ID = ?"));
        st.bindInt(1, values[i]);
        st.bindText(2, kKeys[i]);
        st.step();
    }
}

void removeRow(const QString &key)
{
    auto st = connection().prepare(QStringLiteral("DELETE FROM 基本情報テーブル WHERE 基本情報ID = ?"));
    st.bindText(1, key);
    st.step();
}

void retype(ucTextInput *field, const QString &text)
{
    field->TextBox()->clear();
    typeText(field->TextBox(), text);
}
} // namespace

class TestFrmSystemInfo : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void fieldsShowStoredSettings();
    void escClosesWithoutWriting();
    void saveWritesEveryField();
    void answeringNoKeepsDialogOpen();
    void missingRecordReportedOnOpenAndSave();
    void numberTooLargeRefusedBeforeWriting();
    void f12SavesFromEveryControl_data();
    void f12SavesFromEveryControl();
    void unknownStoredChoicesKept();
    void databaseFailureWritesNothing();
    void unreadableSettingsAreNotWrittenBack();
    void reopensWhereItWasClosed();

private:
    std::unique_ptr<testsupport::ProgramFolder> m_folder;
};

void TestFrmSystemInfo::init()
{
    m_folder = std::make_unique<testsupport::ProgramFolder>();
    m_folder->open();
    store({123, 500, 10, 1, 1});
}

void TestFrmSystemInfo::cleanup()
{
    gConnection.reset();
    m_folder.reset();
}

void TestFrmSystemInfo::fieldsShowStoredSettings()
{
    MessageLog log;
    frmSystemInfo d;
    QVERIFY(showActive(&d));
    QCOMPARE(d.windowTitle(), QStringLiteral(" 基本設定"));
    QCOMPARE(d.txtCurrentDenpyoID->Text(), QString("123"));
    QCOMPARE(d.txtDenpyoListCheckCount->Text(), QString("500"));
    QCOMPARE(d.txtShouhizeiRitsu->Text(), QString("10"));
    QCOMPARE(d.cmbShouhizeiPattern->currentText(), QStringLiteral("(内税)"));
    QVERIFY(d.chkShouhizei->isChecked());
    QCOMPARE(d.txtShouhizeiRitsu->MaxLength(), 3);
    QVERIFY(log.shown.isEmpty());
}

void TestFrmSystemInfo::escClosesWithoutWriting()
{
    MessageLog log;
    frmSystemInfo d;
    QVERIFY(showActive(&d));
    retype(d.txtDenpyoListCheckCount, "7");
    QTest::keyClick(d.txtDenpyoListCheckCount->TextBox(), Qt::Key_Escape);
    QVERIFY(!d.isVisible());
    QVERIFY(log.shown.isEmpty());
    QCOMPARE(stored(), (QList<qint64>{123, 500, 10, 1, 1}));
}

void TestFrmSystemInfo::saveWritesEveryField()
{
    MessageLog log;
    frmSystemInfo d;
    QVERIFY(showActive(&d));
    retype(d.txtCurrentDenpyoID, "1000");
    d.txtDenpyoListCheckCount->TextBox()->clear(); // empty is stored as 0
    retype(d.txtShouhizeiRitsu, "1234");            // no fourth character
    QCOMPARE(d.txtShouhizeiRitsu->Text(), QString("123"));
    d.cmbShouhizeiPattern->setCurrentIndex(0);
    d.chkShouhizei->setChecked(false);
    d.cmdOK->setFocus();
    QTest::keyClick(d.cmdOK, Qt::Key_Return);
    QCOMPARE(log.texts(), QStringList{kAsk});
    QCOMPARE(log.shown[0].icon, Icon::Question);
    QCOMPARE(log.shown[0].defaultAnswer, Answer::Yes);
    QVERIFY(!d.isVisible());
    QCOMPARE(stored(), (QList<qint64>{1000, 0, 123, 0, 0}));
}

void TestFrmSystemInfo::answeringNoKeepsDialogOpen()
{
    MessageLog log;
    log.answers << Answer::No;
    frmSystemInfo d;
    QVERIFY(showActive(&d));
    retype(d.txtCurrentDenpyoID, "9");
    QTest::mouseClick(d.cmdOK, Qt::LeftButton);
    QCOMPARE(log.texts(), QStringList{kAsk});
    QVERIFY(d.isVisible());
    QCOMPARE(d.txtCurrentDenpyoID->Text(), QString("9"));
    QCOMPARE(stored(), (QList<qint64>{123, 500, 10, 1, 1}));
}

void TestFrmSystemInfo::missingRecordReportedOnOpenAndSave()
{
    removeRow("ShouhizeiRitsu");
    MessageLog log;
    frmSystemInfo d;
    QVERIFY(showActive(&d));
    QCOMPARE(log.texts(), QStringList{kMissingTaxRate});
    QCOMPARE(log.shown[0].icon, Icon::Exclamation);
    QCOMPARE(d.txtShouhizeiRitsu->Text(), QString("0"));

    log.shown.clear();
    retype(d.txtCurrentDenpyoID, "77");
    retype(d.txtShouhizeiRitsu, "8");
    QTest::keyClick(d.txtShouhizeiRitsu->TextBox(), Qt::Key_F12);
    QCOMPARE(log.texts(), (QStringList{kAsk, kMissingTaxRate}));
    QVERIFY(!d.isVisible());
    QCOMPARE(stored(), (QList<qint64>{77, 500, -1, 1, 1}));
}

void TestFrmSystemInfo::numberTooLargeRefusedBeforeWriting()
{
    MessageLog log;
    frmSystemInfo d;
    QVERIFY(showActive(&d));
    retype(d.txtCurrentDenpyoID, "5");
    retype(d.txtDenpyoListCheckCount, "2147483648");
    QTest::keyClick(d.txtCurrentDenpyoID->TextBox(), Qt::Key_F12);
    QCOMPARE(log.shown.size(), 1);
    QCOMPARE(log.shown[0].icon, Icon::Exclamation);
    QVERIFY(log.shown[0].text.startsWith(QStringLiteral("伝票一覧表示のチェック件数")));
    QVERIFY(d.isVisible());
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(d.txtDenpyoListCheckCount->TextBox()));
    QCOMPARE(stored(), (QList<qint64>{123, 500, 10, 1, 1}));

    // The largest value that fits is stored.
    log.shown.clear();
    retype(d.txtDenpyoListCheckCount, "2147483647");
    QTest::keyClick(d.txtDenpyoListCheckCount->TextBox(), Qt::Key_F12);
    QCOMPARE(log.texts(), QStringList{kAsk});
    QCOMPARE(stored(), (QList<qint64>{5, 2147483647, 10, 1, 1}));
}

void TestFrmSystemInfo::f12SavesFromEveryControl_data()
{
    QTest::addColumn<QString>("control");
    for (const char *name : {"txtCurrentDenpyoID", "txtDenpyoListCheckCount", "txtShouhizeiRitsu",
                             "cmbShouhizeiPattern", "chkShouhizei", "cmdOK", "cmdCancel"})
        QTest::newRow(name) << QString(name);
}

void TestFrmSystemInfo::f12SavesFromEveryControl()
{
    QFETCH(QString, control);
    MessageLog log;
    log.answers << Answer::No;
    frmSystemInfo d;
    QVERIFY(showActive(&d));
    auto *w = d.findChild<QWidget *>(control);
    QVERIFY(w);
    w->setFocus();
    QWidget *receiver = QApplication::focusWidget();
    QTest::keyClick(receiver, Qt::Key_F12);
    QCOMPARE(log.texts(), QStringList{kAsk});
    QTest::keyClick(receiver, Qt::Key_End);
    QCOMPARE(QApplication::focusWidget(), d.cmdOK);
    QTest::keyClick(d.cmdOK, Qt::Key_Home);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(d.txtCurrentDenpyoID->TextBox()));
    QVERIFY(d.isVisible());
}

void TestFrmSystemInfo::unknownStoredChoicesKept()
{
    store({123, 500, 10, 5, 7});
    MessageLog log;
    frmSystemInfo d;
    QVERIFY(showActive(&d));
    QCOMPARE(d.cmbShouhizeiPattern->currentIndex(), -1);
    QCOMPARE(d.chkShouhizei->checkState(), Qt::PartiallyChecked);
    QTest::keyClick(d.txtCurrentDenpyoID->TextBox(), Qt::Key_F12);
    QCOMPARE(stored(), (QList<qint64>{123, 500, 10, 5, 7}));
}

void TestFrmSystemInfo::databaseFailureWritesNothing()
{
    connection().exec(QStringLiteral(
        "CREATE TRIGGER refuse BEFORE UPDATE ON 基本情報テーブル WHEN NEW.基本情報ID = 'ShouhizeiPattern' "
        "BEGIN SELECT RAISE(ABORT, 'locked'); END"));
    MessageLog log;
    frmSystemInfo d;
    QVERIFY(showActive(&d));
    retype(d.txtCurrentDenpyoID, "456");
    QTest::keyClick(d.txtCurrentDenpyoID->TextBox(), Qt::Key_F12);
    QCOMPARE(log.shown.size(), 2);
    QCOMPARE(log.shown[1].icon, Icon::Exclamation);
    // The keys before the failing one are not left half written, and what
    // was typed is still there.
    QCOMPARE(stored(), (QList<qint64>{123, 500, 10, 1, 1}));
    QVERIFY(d.isVisible());
    QCOMPARE(d.txtCurrentDenpyoID->Text(), QString("456"));
    QVERIFY(!QGuiApplication::overrideCursor());
}

void TestFrmSystemInfo::unreadableSettingsAreNotWrittenBack()
{
    connection().exec(QStringLiteral("ALTER TABLE 基本情報テーブル RENAME TO 退避"));
    MessageLog log;
    frmSystemInfo d;
    QVERIFY(showActive(&d));
    QCOMPARE(log.shown.size(), 1);
    connection().exec(QStringLiteral("ALTER TABLE 退避 RENAME TO 基本情報テーブル"));
    log.shown.clear();
    QTest::keyClick(d.txtCurrentDenpyoID->TextBox(), Qt::Key_F12);
    QCOMPARE(log.shown.size(), 1);
    QVERIFY(log.shown[0].text != kAsk);
    QCOMPARE(stored(), (QList<qint64>{123, 500, 10, 1, 1}));
}

void TestFrmSystemInfo::reopensWhereItWasClosed()
{
    QPoint where;
    {
        frmSystemInfo d;
        QVERIFY(showActive(&d));
        d.move(d.pos() + QPoint(45, 30));
        where = d.pos();
        QTest::keyClick(d.txtCurrentDenpyoID->TextBox(), Qt::Key_Escape);
    }
    frmSystemInfo again;
    QVERIFY(showActive(&again));
    QVERIFY((again.pos() - where).manhattanLength() <= 2);
}

QTEST_MAIN(TestFrmSystemInfo)
#include "tst_frmsysteminfo.moc"
