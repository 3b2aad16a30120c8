#include "DialogDriver.h"
#include "TestSupport.h"
#include "core/Globals.h"
#include "core/controls/ucTextInput.h"
#include "masters/frmCustomer.h"
#include "masters/frmCustomerList.h"
#include "model/Customer.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

using D = DialogDriver;

class tst_frmCustomer : public QObject {
    Q_OBJECT

    testsupport::ProgramFolder m_folder;

    static QString text(QWidget *dlg, const char *name) { return D::shown(dlg, name); }
    static bool enabled(QWidget *dlg, const char *name)
    {
        auto *w = dlg->findChild<QWidget *>(QLatin1String(name));
        if (auto *input = qobject_cast<ucTextInput *>(w))
            return input->Enabled() && input->isEnabled() && input->TextBox()->isEnabled();
        return w->isEnabled();
    }
    // The stored row as "column=value" texts of the columns asked for.
    static QString row(const QString &id, const QStringList &columns)
    {
        db::Statement st = connection().prepare(QStringLiteral("SELECT * FROM 顧客テーブル WHERE 顧客ID = ?;"));
        st.bind(1, id);
        if (!st.step())
            return QStringLiteral("<no row>");
        QStringList out;
        for (const QString &c : columns)
            out << c + QLatin1Char('=') + (st.isNull(c) ? QStringLiteral("<null>") : st.value(c).toString());
        return out.join(QLatin1Char(';'));
    }
    static int count()
    {
        return connection().scalar(QStringLiteral("SELECT COUNT(*) FROM 顧客テーブル;")).toInt();
    }

private slots:
    void initTestCase()
    {
        m_folder.open();
        QFile(gstrTsukiSeikyushoPrintFormFolder + QStringLiteral("標準.rpx")).open(QIODevice::WriteOnly);
        QFile(gstrTsukiSeikyushoPrintFormFolder + QStringLiteral("A請求.RPX")).open(QIODevice::WriteOnly);
        QFile(gstrTsukiSeikyushoPrintFormFolder + QStringLiteral("メモ.txt")).open(QIODevice::WriteOnly);
    }

    void init()
    {
        connection().exec(QStringLiteral("DELETE FROM 顧客テーブル;"));
        Customer c;
        c.setCustomerID(QStringLiteral("A1"));
        c.setNameKana(QStringLiteral("やまだ"));
        c.setNameKnj(QStringLiteral("山田商店"));
        c.setBumon(QStringLiteral("営業部"));
        c.setPostNumber(QStringLiteral("1234567"));
        c.setAddress1(QStringLiteral("東京都"));
        c.setPhone(QStringLiteral("03-1111-2222"));
        c.setNebikiRitsu(10);
        c.setMemo(QStringLiteral("一行目\r\n二行目"));
        c.setTsukiSeikyu(true);
        c.setShimeBi(QStringLiteral("20日締め"));
        c.setSeikyushoForm(QStringLiteral("標準"));
        QVERIFY(c.Apply());
    }

    void newModeSavesAndStaysOpen()
    {
        D d;
        frmCustomer dlg;
        dlg.Mode = QStringLiteral("New");
        QVERIFY(D::open(&dlg));
        QCOMPARE(dlg.findChild<QLabel *>(QStringLiteral("lblTitle"))->text(), QStringLiteral("新規顧客"));
        QCOMPARE(text(&dlg, "cmdOK"), QStringLiteral("登録(F12)"));
        QCOMPARE(D::focusName(), QStringLiteral("txtCustomerID"));
        QCOMPARE(text(&dlg, "txtCustomerNebikiRitsu"), QStringLiteral("0"));

        D::type(QStringLiteral("b-2"));
        D::key(Qt::Key_Return);
        QCOMPARE(D::focusName(), QStringLiteral("txtCustomerNameKana"));
        D::type(QStringLiteral("すずき"));
        D::key(Qt::Key_Return);
        D::type(QStringLiteral("鈴木"));
        D::key(Qt::Key_Down);
        D::key(Qt::Key_Return);
        QCOMPARE(D::focusName(), QStringLiteral("txtCustomerPostNumber1"));
        D::type(QStringLiteral("98x7"));
        QCOMPARE(text(&dlg, "txtCustomerPostNumber1"), QStringLiteral("987"));
        D::key(Qt::Key_Right);
        QCOMPARE(D::focusName(), QStringLiteral("txtCustomerPostNumber2"));
        D::type(QStringLiteral("65432"));
        D::key(Qt::Key_Return);
        D::type(QStringLiteral("大阪府"));
        D::key(Qt::Key_Return);
        D::key(Qt::Key_Return);
        QCOMPARE(D::focusName(), QStringLiteral("txtCustomerTelephone"));
        D::type(QStringLiteral("06-1234"));
        D::key(Qt::Key_Return);
        D::key(Qt::Key_Return);
        QCOMPARE(D::focusName(), QStringLiteral("txtCustomerNebikiRitsu"));
        D::type(QStringLiteral("9995"));
        D::key(Qt::Key_Return);
        QCOMPARE(D::focusName(), QStringLiteral("txtCustomerMemo"));
        D::type(QStringLiteral("a"));
        D::key(Qt::Key_Return);
        D::type(QStringLiteral("b"));
        // The lists keep a choice while the box is unticked; it is not saved.
        dlg.findChild<QComboBox *>(QStringLiteral("cmbShimeBi"))->setCurrentIndex(3);
        D::key(Qt::Key_F12);

        QCOMPARE(d.texts(), QStringList{QStringLiteral("顧客 B-2 を登録しますか？")});
        QCOMPARE(d.messages.first().icon, ui::Icon::Question);
        QCOMPARE(row(QStringLiteral("B-2"), {"顧客名かな", "顧客名漢字", "郵便番号", "所在地１", "電話番号", "値引率",
                                              "メモ", "月締め請求", "締め日", "請求書フォーム"}),
                 QStringLiteral("顧客名かな=すずき;顧客名漢字=鈴木;郵便番号=9876543;所在地１=大阪府;電話番号=06-1234;"
                                "値引率=999;メモ=a\r\nb;月締め請求=0;締め日=<null>;請求書フォーム=<null>"));
        QVERIFY(dlg.isVisible());
        QVERIFY(dlg.ResultModified());
        QCOMPARE(text(&dlg, "txtCustomerID"), QString());
        QCOMPARE(text(&dlg, "txtCustomerNameKana"), QString());
        QCOMPARE(text(&dlg, "txtCustomerNebikiRitsu"), QStringLiteral("0"));
        QCOMPARE(text(&dlg, "cmdOK"), QStringLiteral("登録(F12)"));
        QCOMPARE(D::focusName(), QStringLiteral("txtCustomerID"));
        D::key(Qt::Key_Escape);
        QVERIFY(!dlg.isVisible());
        QVERIFY(dlg.ResultModified());
    }

    void saveIsRefused_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<bool>("tick");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<int>("icon");
        QTest::addColumn<QString>("focus");
        QTest::newRow("empty id") << "" << false << int(ui::Answer::Yes)
                                  << QStringList{"顧客IDを入力してください。"} << int(ui::Icon::Exclamation)
                                  << "txtCustomerID";
        QTest::newRow("no closing day") << "C1" << true << int(ui::Answer::Yes)
                                        << QStringList{"締め日を選択してください。"} << int(ui::Icon::Exclamation)
                                        << "cmbShimeBi";
        QTest::newRow("answered no") << "C1" << false << int(ui::Answer::No)
                                     << QStringList{"顧客 C1 を登録しますか？"} << int(ui::Icon::Question)
                                     << "txtCustomerNameKana";
        QTest::newRow("taken id") << "A1" << false << int(ui::Answer::Yes)
                                  << QStringList{"顧客 A1 を登録しますか？", "この顧客は既に存在します。"}
                                  << int(ui::Icon::None) << "txtCustomerID";
    }
    void saveIsRefused()
    {
        QFETCH(QString, id);
        QFETCH(bool, tick);
        D d;
        QFETCH(int, answer);
        d.answer = ui::Answer(answer);
        frmCustomer dlg;
        dlg.Mode = QStringLiteral("New");
        QVERIFY(D::open(&dlg));
        D::type(id);
        D::key(Qt::Key_Return);
        D::type(QStringLiteral("かな"));
        if (tick)
            dlg.findChild<QCheckBox *>(QStringLiteral("chkTsukiSeikyu"))->setChecked(true);
        D::key(Qt::Key_F12);
        QTEST(d.texts(), "texts");
        QTEST(int(d.messages.last().icon), "icon");
        QTEST(D::focusName(), "focus");
        QCOMPARE(count(), 1);
        QVERIFY(dlg.isVisible());
        QVERIFY(!dlg.ResultModified());
        QCOMPARE(text(&dlg, "txtCustomerNameKana"), QStringLiteral("かな"));
    }

    void newReturnHandsBackTheId()
    {
        D d;
        frmCustomer dlg;
        dlg.Mode = QStringLiteral("NewReturn");
        dlg.ResultCustomerID = QStringLiteral("untouched");
        QVERIFY(D::open(&dlg));
        D::type(QStringLiteral("c9"));
        D::key(Qt::Key_F12);
        QVERIFY(!dlg.isVisible());
        QVERIFY(dlg.ResultModified());
        QCOMPARE(dlg.ResultCustomerID, QStringLiteral("C9"));
        QCOMPARE(count(), 2);
    }

    void closingWithoutSaveLeavesResults()
    {
        D d;
        frmCustomer dlg;
        dlg.Mode = QStringLiteral("NewReturn");
        dlg.ResultCustomerID = QStringLiteral("untouched");
        QVERIFY(D::open(&dlg));
        D::type(QStringLiteral("C9"));
        D::key(Qt::Key_Escape);
        QVERIFY(!dlg.isVisible());
        QVERIFY(!dlg.ResultModified());
        QCOMPARE(dlg.ResultCustomerID, QStringLiteral("untouched"));
        QVERIFY(d.messages.isEmpty());
    }

    void referenceNewCopiesEverythingButTheId()
    {
        D d;
        frmCustomer dlg;
        dlg.Mode = QStringLiteral("ReferenceNew");
        dlg.strCustomerID = QStringLiteral("A1");
        QVERIFY(D::open(&dlg));
        QCOMPARE(text(&dlg, "txtCustomerID"), QString());
        QCOMPARE(text(&dlg, "txtCustomerNameKnj"), QStringLiteral("山田商店"));
        QCOMPARE(text(&dlg, "txtCustomerPostNumber1"), QStringLiteral("123"));
        QCOMPARE(text(&dlg, "txtCustomerPostNumber2"), QStringLiteral("4567"));
        QCOMPARE(text(&dlg, "txtCustomerNebikiRitsu"), QStringLiteral("10"));
        QCOMPARE(text(&dlg, "txtCustomerMemo"), QStringLiteral("一行目\n二行目"));
        QVERIFY(dlg.findChild<QCheckBox *>(QStringLiteral("chkTsukiSeikyu"))->isChecked());
        QVERIFY(enabled(&dlg, "cmbShimeBi"));
        QCOMPARE(text(&dlg, "cmbShimeBi"), QStringLiteral("20日締め"));
        QCOMPARE(text(&dlg, "cmbSeikyushoForm"), QStringLiteral("標準"));
        QCOMPARE(D::focusName(), QStringLiteral("txtCustomerID"));

        D::type(QStringLiteral("A1"));
        D::key(Qt::Key_F12);
        QCOMPARE(d.texts().last(), QStringLiteral("この顧客は既に存在します。"));
        QVERIFY(dlg.isVisible());
        D::key(Qt::Key_Backspace);
        D::type(QStringLiteral("2"));
        D::key(Qt::Key_F12);
        QVERIFY(!dlg.isVisible());
        QCOMPARE(row(QStringLiteral("A2"), {"顧客名漢字", "郵便番号", "月締め請求", "締め日", "請求書フォーム", "メモ"}),
                 QStringLiteral("顧客名漢字=山田商店;郵便番号=1234567;月締め請求=1;締め日=20日締め;請求書フォーム=標準;"
                                "メモ=一行目\r\n二行目"));
    }

    void copyNewShowsTheObject()
    {
        D d;
        frmCustomer dlg;
        dlg.Mode = QStringLiteral("CopyNew");
        dlg.CustomerObject.setCustomerID(QStringLiteral("P5"));
        dlg.CustomerObject.setNameKnj(QStringLiteral("貼付"));
        dlg.CustomerObject.setShimeBi(QStringLiteral("99日締め"));
        QVERIFY(D::open(&dlg));
        QCOMPARE(text(&dlg, "txtCustomerID"), QStringLiteral("P5"));
        QCOMPARE(text(&dlg, "txtCustomerNameKnj"), QStringLiteral("貼付"));
        QCOMPARE(text(&dlg, "cmbShimeBi"), QString());
        D::key(Qt::Key_F12);
        QVERIFY(!dlg.isVisible());
        QCOMPARE(row(QStringLiteral("P5"), {"顧客名漢字"}), QStringLiteral("顧客名漢字=貼付"));
    }

    void selectableUpdateWalksKeyAndData()
    {
        D d;
        frmCustomer dlg;
        dlg.Mode = QStringLiteral("SelectableUpdate");
        QVERIFY(D::open(&dlg));
        QCOMPARE(dlg.findChild<QLabel *>(QStringLiteral("lblTitle"))->text(), QStringLiteral("顧客修正"));
        QCOMPARE(text(&dlg, "cmdOK"), QStringLiteral("更新(F12)"));
        QCOMPARE(text(&dlg, "cmdEnd"), QStringLiteral("閉じる(ESC)"));
        QVERIFY(!enabled(&dlg, "txtCustomerNameKana"));
        QVERIFY(!enabled(&dlg, "cmdOK"));

        // State "Key": Enter with an empty box, an unknown ID; Down, End, F12 do nothing.
        D::key(Qt::Key_Return);
        D::type(QStringLiteral("Z9"));
        D::key(Qt::Key_Return);
        D::key(Qt::Key_Down);
        D::key(Qt::Key_End);
        D::key(Qt::Key_F12);
        QCOMPARE(d.texts(), (QStringList{"顧客IDを入力してください。", "この顧客IDは存在しません。"}));
        QCOMPARE(d.messages[0].icon, ui::Icon::Critical);
        QCOMPARE(d.messages[1].icon, ui::Icon::Critical);
        QCOMPARE(D::focusName(), QStringLiteral("txtCustomerID"));
        QCOMPARE(dlg.inputState(), InputState::Key);

        D::key(Qt::Key_Home);
        for (int i = 0; i < 2; ++i)
            D::key(Qt::Key_Backspace);
        D::type(QStringLiteral("a1"));
        D::key(Qt::Key_Return);
        QCOMPARE(dlg.inputState(), InputState::Data);
        QCOMPARE(D::focusName(), QStringLiteral("txtCustomerNameKana"));
        QVERIFY(!enabled(&dlg, "txtCustomerID"));
        QCOMPARE(text(&dlg, "cmdEnd"), QStringLiteral("クリア(ESC)"));
        QCOMPARE(text(&dlg, "txtCustomerNameKnj"), QStringLiteral("山田商店"));
        // Up from the first field cannot reach the locked ID box; Home goes to かな.
        D::key(Qt::Key_Down);
        D::key(Qt::Key_Up);
        D::key(Qt::Key_Up);
        QCOMPARE(D::focusName(), QStringLiteral("txtCustomerNameKana"));
        D::key(Qt::Key_Down);
        D::key(Qt::Key_Home);
        QCOMPARE(D::focusName(), QStringLiteral("txtCustomerNameKana"));

        // Esc drops the changes and returns to "Key".
        D::type(QStringLiteral("x"));
        D::key(Qt::Key_Escape);
        QCOMPARE(dlg.inputState(), InputState::Key);
        QCOMPARE(text(&dlg, "txtCustomerID"), QString());
        QCOMPARE(D::focusName(), QStringLiteral("txtCustomerID"));
        QCOMPARE(row(QStringLiteral("A1"), {"顧客名かな"}), QStringLiteral("顧客名かな=やまだ"));

        // Load again, change and save: back to "Key" and an empty form.
        D::type(QStringLiteral("A1"));
        D::key(Qt::Key_F11);
        QCOMPARE(dlg.inputState(), InputState::Data);
        dlg.findChild<QCheckBox *>(QStringLiteral("chkTsukiSeikyu"))->setChecked(false);
        D::type(QStringLiteral("よしだ"));
        D::key(Qt::Key_End);
        QCOMPARE(D::focusName(), QStringLiteral("cmdOK"));
        D::key(Qt::Key_F12);
        QCOMPARE(d.texts().last(), QStringLiteral("顧客 A1 を更新しますか？"));
        QCOMPARE(row(QStringLiteral("A1"), {"顧客名かな", "顧客名漢字", "月締め請求", "締め日", "請求書フォーム"}),
                 QStringLiteral("顧客名かな=よしだ;顧客名漢字=山田商店;月締め請求=0;締め日=<null>;請求書フォーム=<null>"));
        QVERIFY(dlg.ResultModified());
        QCOMPARE(dlg.inputState(), InputState::Key);
        QCOMPARE(text(&dlg, "txtCustomerNameKana"), QString());
        QCOMPARE(D::focusName(), QStringLiteral("txtCustomerID"));
        D::key(Qt::Key_Escape);
        QVERIFY(!dlg.isVisible());
    }

    void pickerChoiceFillsTheForm()
    {
        D d;
        frmCustomer dlg;
        dlg.Mode = QStringLiteral("SelectableUpdate");
        QVERIFY(D::open(&dlg));
        bool picked = false;
        D::onNextModal([&picked](QWidget *modal) {
            auto *picker = qobject_cast<frmCustomerList *>(modal);
            QVERIFY(picker);
            D::type(QStringLiteral("A1"));
            D::key(Qt::Key_Return);
            D::key(Qt::Key_F12);
            picked = true;
        });
        D::key(Qt::Key_F11);
        QVERIFY(picked);
        QVERIFY(D::open(&dlg));
        QCOMPARE(dlg.inputState(), InputState::Data);
        QCOMPARE(text(&dlg, "txtCustomerID"), QStringLiteral("A1"));
        QCOMPARE(text(&dlg, "txtCustomerBumon"), QStringLiteral("営業部"));
        QCOMPARE(text(&dlg, "cmbSeikyushoForm"), QStringLiteral("標準"));
        QCOMPARE(D::focusName(), QStringLiteral("txtCustomerNameKana"));
    }

    void selectedUpdateKeepsTheKey()
    {
        D d;
        frmCustomer dlg;
        dlg.Mode = QStringLiteral("SelectedUpdate");
        dlg.strCustomerID = QStringLiteral("A1");
        QVERIFY(D::open(&dlg));
        QVERIFY(!enabled(&dlg, "txtCustomerID"));
        QCOMPARE(text(&dlg, "txtCustomerID"), QStringLiteral("A1"));
        QCOMPARE(D::focusName(), QStringLiteral("txtCustomerNameKana"));
        QCOMPARE(text(&dlg, "cmdEnd"), QStringLiteral("閉じる(ESC)"));
        D::key(Qt::Key_Down);
        D::key(Qt::Key_Home);
        QCOMPARE(D::focusName(), QStringLiteral("txtCustomerNameKana"));
        D::key(Qt::Key_Down);
        D::type(QStringLiteral("山田本店"));
        D::key(Qt::Key_F12);
        QVERIFY(!dlg.isVisible());
        QVERIFY(dlg.ResultModified());
        QCOMPARE(row(QStringLiteral("A1"), {"顧客名漢字", "郵便番号", "締め日"}),
                 QStringLiteral("顧客名漢字=山田本店;郵便番号=1234567;締め日=20日締め"));
    }

    void selectedUpdatePicksDetailsButNotTheId()
    {
        Customer other;
        other.setCustomerID(QStringLiteral("B7"));
        other.setNameKnj(QStringLiteral("別商事"));
        other.setPostNumber(QStringLiteral("7654321"));
        QVERIFY(other.Apply());
        D d;
        frmCustomer dlg;
        dlg.Mode = QStringLiteral("SelectedUpdate");
        dlg.strCustomerID = QStringLiteral("A1");
        QVERIFY(D::open(&dlg));
        D::onNextModal([](QWidget *modal) {
            QVERIFY(qobject_cast<frmCustomerList *>(modal));
            D::type(QStringLiteral("B7"));
            D::key(Qt::Key_Return);
            D::key(Qt::Key_Return);
        });
        D::key(Qt::Key_F11);
        QVERIFY(D::open(&dlg));
        QCOMPARE(text(&dlg, "txtCustomerID"), QStringLiteral("A1"));
        QCOMPARE(text(&dlg, "txtCustomerNameKnj"), QStringLiteral("別商事"));
        QCOMPARE(text(&dlg, "txtCustomerPostNumber2"), QStringLiteral("4321"));
        QVERIFY(!dlg.findChild<QCheckBox *>(QStringLiteral("chkTsukiSeikyu"))->isChecked());
        QCOMPARE(text(&dlg, "cmbShimeBi"), QString());
        D::key(Qt::Key_F12);
        QVERIFY(!dlg.isVisible());
        QCOMPARE(row(QStringLiteral("A1"), {"顧客名漢字", "郵便番号", "月締め請求"}),
                 QStringLiteral("顧客名漢字=別商事;郵便番号=7654321;月締め請求=0"));
    }

    void pastedCustomerStartsWithoutAnId()
    {
        D d;
        frmCustomer dlg;
        dlg.Mode = QStringLiteral("CopyNew");
        dlg.CustomerObject.setNameKnj(QStringLiteral("貼付"));
        QVERIFY(D::open(&dlg));
        QCOMPARE(text(&dlg, "txtCustomerID"), QString());
        QCOMPARE(D::focusName(), QStringLiteral("txtCustomerID"));
        D::key(Qt::Key_F12);
        QCOMPARE(d.texts(), QStringList{QStringLiteral("顧客IDを入力してください。")});
        D::type(QStringLiteral("p6"));
        D::key(Qt::Key_F12);
        QVERIFY(!dlg.isVisible());
        QVERIFY(dlg.ResultModified());
        QCOMPARE(row(QStringLiteral("P6"), {"顧客名漢字"}), QStringLiteral("顧客名漢字=貼付"));
    }

    void recordGoneAtSaveIsNamed()
    {
        D d;
        frmCustomer dlg;
        dlg.Mode = QStringLiteral("SelectedUpdate");
        dlg.strCustomerID = QStringLiteral("A1");
        QVERIFY(D::open(&dlg));
        connection().exec(QStringLiteral("DELETE FROM 顧客テーブル;"));
        D::key(Qt::Key_F12);
        QCOMPARE(d.texts(), (QStringList{"顧客 A1 を更新しますか？", "この顧客IDは存在しません。"}));
        QCOMPARE(d.messages.last().icon, ui::Icon::Critical);
        QVERIFY(dlg.isVisible());
        QCOMPARE(D::focusName(), QStringLiteral("txtCustomerNameKana"));
        QCOMPARE(count(), 0);
    }

    void databaseFailureKeepsTheDialog_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("when");
        QTest::newRow("opening") << "SelectedUpdate" << "opening";
        QTest::newRow("id lookup") << "SelectableUpdate" << "lookup";
        QTest::newRow("save") << "New" << "save";
    }
    void databaseFailureKeepsTheDialog()
    {
        QFETCH(QString, mode);
        QFETCH(QString, when);
        const auto breakTable = [] { connection().exec(QStringLiteral("ALTER TABLE 顧客テーブル RENAME TO 顧客退避;")); };
        D d;
        frmCustomer dlg;
        dlg.Mode = mode;
        dlg.strCustomerID = QStringLiteral("A1");
        if (when == QLatin1String("opening"))
            breakTable();
        QVERIFY(D::open(&dlg));
        if (when == QLatin1String("lookup")) {
            D::type(QStringLiteral("A1"));
            breakTable();
            D::key(Qt::Key_Return);
        } else if (when == QLatin1String("save")) {
            D::type(QStringLiteral("N1"));
            D::key(Qt::Key_Return);
            D::type(QStringLiteral("しんき"));
            breakTable();
            D::key(Qt::Key_F12);
        }
        connection().exec(QStringLiteral("ALTER TABLE 顧客退避 RENAME TO 顧客テーブル;"));
        QVERIFY(dlg.isVisible());
        QVERIFY(!dlg.ResultModified());
        QVERIFY(d.messages.last().text.contains(QStringLiteral("顧客テーブル")));
        QCOMPARE(d.messages.last().icon, ui::Icon::Exclamation);
        if (when == QLatin1String("opening")) {
            QVERIFY(!enabled(&dlg, "txtCustomerID"));
        } else if (when == QLatin1String("lookup")) {
            QCOMPARE(dlg.inputState(), InputState::Key);
            QCOMPARE(text(&dlg, "txtCustomerID"), QStringLiteral("A1"));
        } else {
            QCOMPARE(text(&dlg, "txtCustomerID"), QStringLiteral("N1"));
            QCOMPARE(text(&dlg, "txtCustomerNameKana"), QStringLiteral("しんき"));
            // The same save goes through once the table is back.
            D::key(Qt::Key_F12);
            QVERIFY(dlg.ResultModified());
            QCOMPARE(row(QStringLiteral("N1"), {"顧客名かな"}), QStringLiteral("顧客名かな=しんき"));
        }
    }

    void shortPostcodeIsSavedUnchanged()
    {
        connection().exec(QStringLiteral("UPDATE 顧客テーブル SET 郵便番号 = '12345';"));
        D d;
        frmCustomer dlg;
        dlg.Mode = QStringLiteral("SelectedUpdate");
        dlg.strCustomerID = QStringLiteral("A1");
        QVERIFY(D::open(&dlg));
        QCOMPARE(text(&dlg, "txtCustomerPostNumber1"), QStringLiteral("123"));
        QCOMPARE(text(&dlg, "txtCustomerPostNumber2"), QStringLiteral("45"));
        D::key(Qt::Key_F12);
        QCOMPARE(row(QStringLiteral("A1"), {"郵便番号"}), QStringLiteral("郵便番号=12345"));
    }

    void memoLeavesFromItsFirstAndLastLines()
    {
        D d;
        frmCustomer dlg;
        dlg.Mode = QStringLiteral("SelectedUpdate");
        dlg.strCustomerID = QStringLiteral("A1");
        QVERIFY(D::open(&dlg));
        auto *memo = dlg.findChild<QPlainTextEdit *>(QStringLiteral("txtCustomerMemo"));
        memo->setFocus();
        memo->moveCursor(QTextCursor::End);
        D::key(Qt::Key_Up);
        QCOMPARE(D::focusName(), QStringLiteral("txtCustomerMemo"));
        D::key(Qt::Key_Up);
        QCOMPARE(D::focusName(), QStringLiteral("txtCustomerTelephone"));
        memo->setFocus();
        memo->moveCursor(QTextCursor::Start);
        D::key(Qt::Key_Down);
        QCOMPARE(D::focusName(), QStringLiteral("txtCustomerMemo"));
        D::key(Qt::Key_Down);
        QCOMPARE(D::focusName(), QStringLiteral("cmdOK"));
    }

    void arrowsOnTheBillingBlockAndButtonsStay_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("key");
        for (const char *control : {"chkTsukiSeikyu", "cmdOK", "cmdEnd"}) {
            for (const auto &[name, key] : {std::pair{"Up", Qt::Key_Up}, std::pair{"Down", Qt::Key_Down},
                                            std::pair{"Right", Qt::Key_Right}, std::pair{"Left", Qt::Key_Left}})
                QTest::addRow("%s %s", control, name) << control << int(key);
        }
    }
    void arrowsOnTheBillingBlockAndButtonsStay()
    {
        QFETCH(QString, control);
        QFETCH(int, key);
        D d;
        frmCustomer dlg;
        dlg.Mode = QStringLiteral("New");
        QVERIFY(D::open(&dlg));
        dlg.findChild<QWidget *>(control)->setFocus();
        D::key(Qt::Key(key));
        QCOMPARE(D::focusName(), control);
        QVERIFY(d.messages.isEmpty());
    }

    void tabChainFollowsTheEntryOrder_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<bool>("withId");
        QTest::newRow("New") << "New" << true;
        QTest::newRow("SelectedUpdate") << "SelectedUpdate" << false;
    }
    void tabChainFollowsTheEntryOrder()
    {
        QFETCH(QString, mode);
        QFETCH(bool, withId);
        D d;
        frmCustomer dlg;
        dlg.Mode = mode;
        dlg.strCustomerID = QStringLiteral("A1");
        QVERIFY(D::open(&dlg));
        // The lists are enabled so that they take the focus too.
        dlg.findChild<QCheckBox *>(QStringLiteral("chkTsukiSeikyu"))->setChecked(true);
        QStringList expected = {"txtCustomerNameKana",    "txtCustomerNameKnj",  "txtCustomerBumon",
                                "txtCustomerPostNumber1", "txtCustomerPostNumber2", "txtCustomerAddress1",
                                "txtCustomerAddress2",    "txtCustomerTelephone", "txtCustomerFax",
                                "txtCustomerNebikiRitsu", "txtCustomerMemo",     "chkTsukiSeikyu",
                                "cmbShimeBi",             "cmbSeikyushoForm",    "cmdOK",
                                "cmdEnd"};
        if (withId)
            expected.prepend(QStringLiteral("txtCustomerID"));
        expected << expected.first();
        QCOMPARE(D::tabWalk(int(expected.size())), expected);
    }

    void rateTextAtSave_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::newRow("emptied counts as 0") << "" << "値引率=0";
        QTest::newRow("over a hundred kept") << "150" << "値引率=150";
    }
    void rateTextAtSave()
    {
        QFETCH(QString, typed);
        D d;
        frmCustomer dlg;
        dlg.Mode = QStringLiteral("SelectedUpdate");
        dlg.strCustomerID = QStringLiteral("A1");
        QVERIFY(D::open(&dlg));
        dlg.findChild<QWidget *>(QStringLiteral("txtCustomerNebikiRitsu"))->setFocus();
        D::key(Qt::Key_Backspace);
        D::type(typed);
        D::key(Qt::Key_F12);
        QVERIFY(!dlg.isVisible());
        QTEST(row(QStringLiteral("A1"), {"値引率"}), "stored");
    }

    void memoTakes254Characters()
    {
        D d;
        frmCustomer dlg;
        dlg.Mode = QStringLiteral("New");
        QVERIFY(D::open(&dlg));
        auto *memo = dlg.findChild<QPlainTextEdit *>(QStringLiteral("txtCustomerMemo"));
        memo->setFocus();
        D::type(QString(250, QLatin1Char('x')));
        D::key(Qt::Key_Return);
        D::type(QStringLiteral("abcd"));
        // 250 + CR LF + 2 = 254.
        QCOMPARE(memo->toPlainText(), QString(250, QLatin1Char('x')) + QStringLiteral("\nab"));
    }

    void listsOfTheBillingBlock()
    {
        D d;
        frmCustomer dlg;
        dlg.Mode = QStringLiteral("New");
        QVERIFY(D::open(&dlg));
        auto *forms = dlg.findChild<QComboBox *>(QStringLiteral("cmbSeikyushoForm"));
        QStringList entries;
        for (int i = 0; i < forms->count(); ++i)
            entries << forms->itemText(i);
        QCOMPARE(entries, (QStringList{"", "A請求", "標準"}));
        auto *days = dlg.findChild<QComboBox *>(QStringLiteral("cmbShimeBi"));
        QCOMPARE(days->count(), 8);
        QCOMPARE(days->itemText(7), QStringLiteral("月末締め"));
        QVERIFY(!days->isEnabled());
        dlg.findChild<QCheckBox *>(QStringLiteral("chkTsukiSeikyu"))->setChecked(true);
        QVERIFY(days->isEnabled());
        QVERIFY(forms->isEnabled());
    }
};

QTEST_MAIN(tst_frmCustomer)
#include "tst_frmcustomer.moc"
