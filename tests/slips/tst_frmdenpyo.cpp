#include "../support/RunSelf.h"
#include "DialogDriver.h"
#include "TestSupport.h"
#include "core/BasicInfo.h"
#include "core/DateValue.h"
#include "core/Globals.h"
#include "core/Settings.h"
#include "core/controls/ucCaptionLabel.h"
#include "masters/frmCustomerList.h"
#include "masters/frmShohinList.h"
#include "masters/RecordPicker.h"
#include "model/Customer.h"
#include "model/Denpyo.h"
#include "model/Shohin.h"
#include "platform/grid/FlexGrid.h"
#include "printing/frmItemPrint.h"
#include "slips/frmDenpyoCopy.h"
#include "slips/frmDenpyoList.h"
#include "slips/frmDenpyo.h"
#include "slips/frmDenpyoTexts.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QDateEdit>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>
#include <QtTest>
#include <limits>
#include <optional>

using D = DialogDriver;

// Calls back as a picker shows or hides, inside the call that does it.
class WindowEvents : public QObject {
public:
    WindowEvents() { qApp->installEventFilter(this); }
    std::function<void(QWidget *)> onShow;
    std::function<void(QWidget *)> onHide;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *picker = qobject_cast<RecordPicker *>(watched);
        if (picker && event->type() == QEvent::Show && onShow)
            onShow(picker);
        if (picker && event->type() == QEvent::Hide && onHide)
            onHide(picker);
        return false;
    }
};

// The slip editor driven from the keyboard against a fresh database.
class tst_frmDenpyo : public QObject {
    Q_OBJECT

    std::optional<testsupport::OpenedProgramFolder> m_folder;

    static void setLong(const char *key, qint32 value)
    {
        BasicInfo info;
        info.setBasicInfoID(QString::fromLatin1(key));
        info.setLongValue(value);
        QVERIFY(info.Apply());
    }
    static grid::FlexGrid *grid(QWidget *dlg) { return dlg->findChild<grid::FlexGrid *>(QStringLiteral("VSFlexGrid1")); }
    static QString cell(QWidget *dlg, int row, int col) { return grid(dlg)->TextMatrix(row, col); }
    static QString label(QWidget *dlg, const char *name)
    {
        QWidget *w = dlg->findChild<QWidget *>(QLatin1String(name));
        if (auto *l = qobject_cast<QLabel *>(w))
            return l->text();
        if (auto *c = qobject_cast<ucCaptionLabel *>(w))
            return c->Caption();
        return D::shown(dlg, name);
    }
    static QCheckBox *check(QWidget *dlg, const char *name) { return dlg->findChild<QCheckBox *>(QLatin1String(name)); }
    static bool enabled(QWidget *dlg, const char *name)
    {
        auto *w = dlg->findChild<QWidget *>(QLatin1String(name));
        if (auto *input = qobject_cast<ucTextInput *>(w))
            return input->Enabled() && input->isEnabledTo(dlg);
        return w->isEnabled();
    }
    static int slipCount() { return connection().scalar(QStringLiteral("SELECT COUNT(*) FROM 伝票テーブル;")).toInt(); }
    static QString focusCell(QWidget *dlg)
    {
        grid::FlexGrid *g = grid(dlg);
        if (D::focusName() != QLatin1String("VSFlexGrid1"))
            return D::focusName();
        return QStringLiteral("%1,%2%3").arg(g->Row()).arg(g->Col()).arg(g->isEditing() ? "*" : "");
    }
    // Types into the open cell and presses Enter.
    static void enterCell(const QString &text)
    {
        if (!text.isEmpty())
            D::type(text);
        D::key(Qt::Key_Return);
    }

    // Queues keys as the window system does while the program is busy: each
    // goes to the window and from there to whatever has the focus when the
    // key's turn comes. "\r" stands for Enter, "\f" for F12.
    static QList<std::pair<int, QString>> keyStrokes(const QString &keys)
    {
        QList<std::pair<int, QString>> strokes;
        for (const QChar c : keys) {
            int key = Qt::Key_unknown;
            QString text(c);
            if (c == QLatin1Char('\r')) {
                key = Qt::Key_Return;
            } else if (c == QLatin1Char('\f')) {
                key = Qt::Key_F12;
                text.clear();
            } else if (c.unicode() < 0x80) {
                key = c.toUpper().unicode();
            }
            strokes.append({key, text});
        }
        return strokes;
    }
    static void queueKeys(QWidget *window, const QString &keys)
    {
        QWindow *target = window->windowHandle();
        for (const auto &[key, text] : keyStrokes(keys)) {
            QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier, text));
            QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyRelease, key, Qt::NoModifier, text));
        }
    }
    // Message boxes shown as real modal windows, each answered Yes once it
    // is active: the focus leaves the editor for the box and comes back when
    // it closes. Their texts are added to `shown`.
    static void answerInRealBoxes(QWidget *owner, QStringList *shown)
    {
        ui::setMessageResponder([owner, shown](const ui::MessageRequest &r) {
            *shown << r.text;
            QDialog box(owner);
            QTimer::singleShot(0, &box, [&box] {
                if (!QTest::qWaitForWindowActive(&box))
                    qWarning("the box did not become active");
                box.accept();
            });
            box.exec();
            // The window manager's part: the window under the box is active again.
            owner->activateWindow();
            return ui::Answer::Yes;
        });
    }
    // The same keys typed one at a time, each handled before the next.
    static void typeKeys(const QString &keys)
    {
        for (const auto &[key, text] : keyStrokes(keys)) {
            QTest::sendKeyEvent(QTest::Press, D::focus(), Qt::Key(key), text, Qt::NoModifier);
            QTest::sendKeyEvent(QTest::Release, D::focus(), Qt::Key(key), text, Qt::NoModifier);
        }
    }
    // A stored slip's lines as "ID|品番|品名|単価|数量|単位|金額|備考".
    static QStringList storedRows(qint32 id)
    {
        Denpyo d;
        if (!d.Load(id))
            return {QStringLiteral("<no slip>")};
        QStringList rows;
        for (const Meisai &m : d.Meisais())
            rows << QStringList{m.ItemID(), m.ItemNumber(), m.ItemName(), QString::number(m.ItemTanka()),
                                QString::number(m.ItemSuryo()), m.ItemTanni(), QString::number(m.ItemKingaku()),
                                m.ItemBikou()}
                        .join(QLatin1Char('|'));
        return rows;
    }

    // Slip 5: two lines, a rate discount, tax, stage flags and a memo.
    static void storeSlip5()
    {
        Denpyo d;
        d.setDenpyoID(5);
        d.setNouki(QDateTime(QDate(2026, 11, 3), QTime(0, 0)));
        d.setCustomerID(QStringLiteral("A1"));
        d.setCustomerName(QStringLiteral("山田商店"));
        d.setCustomerPostNumber(QStringLiteral("1234567"));
        d.setNebikiRitsuOn(true);
        d.setNebikiRitsu(10);
        d.setShouhizeiIn(true);
        d.setJuchu(true);
        d.setJuchuDate(QDateTime(QDate(2026, 11, 1), QTime(0, 0)));
        d.setMemo(QStringLiteral("覚え"));
        d.setSummeryWithShouhizei(1188);
        Meisai &a = d.Meisais().Add();
        a.setItemID(QStringLiteral("P1"));
        a.setItemName(QStringLiteral("鉛筆"));
        a.setItemTanka(1200);
        a.setItemSuryo(1);
        Meisai &b = d.Meisais().Add();
        b.setItemName(QStringLiteral("値引"));
        b.setItemTanka(-100);
        b.setItemSuryo(1);
        QVERIFY(d.Apply());
    }

private slots:
    void init()
    {
        m_folder.emplace();
        setFixedNow(QDateTime(QDate(2026, 12, 10), QTime(9, 0)));
        setLong("CurrentDenpyoID", 41);
        setLong("Shouhizei", 1);
        setLong("ShouhizeiRitsu", 10);
        setLong("ShouhizeiPattern", 0);
        Customer c;
        c.setCustomerID(QStringLiteral("A1"));
        c.setNameKnj(QStringLiteral("山田商店"));
        c.setPostNumber(QStringLiteral("1234567"));
        c.setAddress1(QStringLiteral("東京都"));
        c.setPhone(QStringLiteral("03-1111-2222"));
        QVERIFY(c.Apply());
        Customer r;
        r.setCustomerID(QStringLiteral("R10"));
        r.setNameKnj(QStringLiteral("割引商事"));
        r.setNebikiRitsu(10);
        QVERIFY(r.Apply());
        Shohin p;
        p.setShohinID(QStringLiteral("P1"));
        p.setNumber(QStringLiteral("HB-1"));
        p.setName(QStringLiteral("鉛筆"));
        p.setTanka(1200);
        p.setTanni(QStringLiteral("本"));
        QVERIFY(p.Apply());
        Shohin z;
        z.setShohinID(QStringLiteral("Z0"));
        z.setName(QStringLiteral("見本"));
        QVERIFY(z.Apply());
        storeSlip5();
    }
    void cleanup()
    {
        setFixedNow(QDateTime());
        m_folder.reset();
    }

    void newSlipIsTypedSavedAndReadBack()
    {
        D d;
        frmDenpyo dlg;
        dlg.strMode = QStringLiteral("New");
        QVERIFY(D::open(&dlg));
        QCOMPARE(dlg.windowTitle(), QStringLiteral(" 伝票明細"));
        QCOMPARE(label(&dlg, "txtDenpyoID"), QStringLiteral("42"));
        QVERIFY(!enabled(&dlg, "txtDenpyoID"));
        QCOMPARE(dlg.findChild<QDateEdit *>(QStringLiteral("datNouki"))->date(), QDate(2026, 12, 10));
        QVERIFY(check(&dlg, "chkShouhizei")->isChecked());
        QCOMPARE(label(&dlg, "cmdOK"), QStringLiteral("登録(F12)"));
        QCOMPARE(label(&dlg, "stbPanel2"), QStringLiteral("新規伝票"));
        QCOMPARE(D::focusName(), QStringLiteral("datNouki"));

        D::key(Qt::Key_Return);
        QCOMPARE(D::focusName(), QStringLiteral("txtCustomerID"));
        QCOMPARE(label(&dlg, "stbPanel1"), QStringLiteral("F11-顧客検索"));
        enterCell(QStringLiteral("a1"));
        QCOMPARE(label(&dlg, "txtCustomerName"), QStringLiteral("山田商店"));
        QCOMPARE(label(&dlg, "txtCustomerPostNumber1"), QStringLiteral("123"));
        QCOMPARE(label(&dlg, "txtCustomerPostNumber2"), QStringLiteral("4567"));
        QCOMPARE(focusCell(&dlg), QStringLiteral("1,1*"));
        QCOMPARE(label(&dlg, "stbPanel1"), QStringLiteral("F11-商品検索  Alt+Enter-行追加"));
        QVERIFY(enabled(&dlg, "cmdIns"));

        // A known product with a price goes on to the quantity.
        enterCell(QStringLiteral("p1"));
        QCOMPARE(cell(&dlg, 1, 1), QStringLiteral("P1"));
        QCOMPARE(cell(&dlg, 1, 4), QStringLiteral("1,200"));
        QCOMPARE(cell(&dlg, 1, 6), QStringLiteral("本"));
        QCOMPARE(focusCell(&dlg), QStringLiteral("1,5*"));
        enterCell(QStringLiteral("3"));
        QCOMPARE(cell(&dlg, 1, 7), QStringLiteral("3,600"));
        QCOMPARE(focusCell(&dlg), QStringLiteral("1,6*"));
        enterCell(QString());
        QCOMPARE(focusCell(&dlg), QStringLiteral("1,8*"));
        QCOMPARE(label(&dlg, "stbPanel1"), QStringLiteral("Enter-行追加"));
        enterCell(QStringLiteral("memo"));
        QCOMPARE(grid(&dlg)->Rows(), 3);
        QCOMPARE(cell(&dlg, 2, 0), QStringLiteral("2"));
        QCOMPARE(focusCell(&dlg), QStringLiteral("2,1*"));

        // An unknown product goes on through every column.
        enterCell(QStringLiteral("x9"));
        QCOMPARE(focusCell(&dlg), QStringLiteral("2,2*"));
        enterCell(QStringLiteral("HB"));
        enterCell(QStringLiteral("品"));
        QCOMPARE(focusCell(&dlg), QStringLiteral("2,4*"));
        enterCell(QStringLiteral("1.5"));
        enterCell(QStringLiteral("12a3"));
        QCOMPARE(cell(&dlg, 2, 5), QStringLiteral("123"));
        QCOMPARE(cell(&dlg, 2, 7), QStringLiteral("185"));
        enterCell(QStringLiteral("abcdefghijkl"));
        QCOMPARE(cell(&dlg, 2, 6), QStringLiteral("abcdefghij"));
        enterCell(QString());
        QCOMPARE(focusCell(&dlg), QStringLiteral("3,1*"));
        QCOMPARE(label(&dlg, "wlbMeisaisu"), QStringLiteral("3"));
        QCOMPARE(label(&dlg, "lblMeisaiKei"), QStringLiteral("3,785"));
        QCOMPARE(label(&dlg, "wlbShouhizei"), QStringLiteral("379"));
        QCOMPARE(label(&dlg, "wlbSumWithShouhizei"), QStringLiteral("4,164"));

        D::key(Qt::Key_F12);
        QCOMPARE(d.texts(), QStringList{QStringLiteral("伝票 42 を登録しますか？")});
        QCOMPARE(d.messages.first().icon, ui::Icon::Question);
        QVERIFY(dlg.ResultModified());
        QVERIFY(dlg.isVisible());

        Denpyo stored;
        QVERIFY(stored.Load(42));
        QCOMPARE(stored.CustomerID(), QStringLiteral("A1"));
        QCOMPARE(stored.CustomerPostNumber(), QStringLiteral("1234567"));
        QCOMPARE(stored.Nouki().date(), QDate(2026, 12, 10));
        QCOMPARE(stored.MeisaiSum(), 3785);
        QCOMPARE(stored.Shouhizei(), 379);
        QCOMPARE(stored.SummeryWithShouhizei(), 4164);
        QVERIFY(stored.ShouhizeiIn());
        // The blank last line is not stored.
        QCOMPARE(stored.Meisais().Count(), 2);
        const Meisai &second = stored.Meisais().Item(2);
        QCOMPARE(second.ItemID(), QStringLiteral("X9"));
        QCOMPARE(second.ItemTanka(), 1.5);
        QCOMPARE(second.ItemSuryo(), 123.0);
        QCOMPARE(second.ItemKingaku(), 185);
        QCOMPARE(stored.Meisais().Item(1).ItemBikou(), QStringLiteral("memo"));

        // The window offers the next slip.
        QCOMPARE(label(&dlg, "txtDenpyoID"), QStringLiteral("43"));
        QCOMPARE(label(&dlg, "txtCustomerID"), QString());
        QCOMPARE(grid(&dlg)->Rows(), 2);
        QCOMPARE(label(&dlg, "lblMeisaiKei"), QStringLiteral("0"));
        QVERIFY(check(&dlg, "chkShouhizei")->isChecked());
        QCOMPARE(D::focusName(), QStringLiteral("datNouki"));
        D::key(Qt::Key_Escape);
        QVERIFY(!dlg.isVisible());
    }

    void rowsAreInsertedAndDeleted()
    {
        D d;
        frmDenpyo dlg;
        dlg.strMode = QStringLiteral("SelectedUpdate");
        dlg.strDenpyoID = QStringLiteral("000000005");
        QVERIFY(D::open(&dlg));
        QCOMPARE(grid(&dlg)->Rows(), 3);
        D::key(Qt::Key_Tab); // to the customer ID
        QCOMPARE(D::focusName(), QStringLiteral("txtCustomerID"));
        D::key(Qt::Key_Down);
        D::key(Qt::Key_Down);
        D::key(Qt::Key_Down);
        QCOMPARE(D::focusName(), QStringLiteral("txtCustomerTelephone"));
        D::key(Qt::Key_Down);
        QCOMPARE(focusCell(&dlg), QStringLiteral("1,1*"));
        // Above row 1.
        D::key(Qt::Key_Insert, Qt::AltModifier);
        QCOMPARE(grid(&dlg)->Rows(), 4);
        QCOMPARE(cell(&dlg, 1, 3), QString());
        QCOMPARE(cell(&dlg, 2, 3), QStringLiteral("鉛筆"));
        QCOMPARE(cell(&dlg, 3, 0), QStringLiteral("3"));
        QCOMPARE(focusCell(&dlg), QStringLiteral("1,1*"));
        // Ctrl+Alt+Insert is no window key.
        D::key(Qt::Key_Insert, Qt::AltModifier | Qt::ControlModifier);
        QCOMPARE(grid(&dlg)->Rows(), 4);
        // Deleting row 2 of 3 renumbers.
        grid(&dlg)->setCurrentCell(2, 1);
        D::key(Qt::Key_Delete, Qt::AltModifier);
        QCOMPARE(grid(&dlg)->Rows(), 3);
        QCOMPARE(cell(&dlg, 2, 3), QStringLiteral("値引"));
        QCOMPARE(cell(&dlg, 2, 0), QStringLiteral("2"));
        QCOMPARE(label(&dlg, "wlbMeisaisu"), QStringLiteral("2"));
        QCOMPARE(label(&dlg, "lblMeisaiKei"), QStringLiteral("-100"));
        // Alt+Delete from the customer block still deletes the grid's row.
        D::key(Qt::Key_Home);
        D::key(Qt::Key_Delete, Qt::AltModifier);
        D::key(Qt::Key_Delete, Qt::AltModifier);
        QCOMPARE(grid(&dlg)->Rows(), 2);
        QCOMPARE(cell(&dlg, 1, 0), QStringLiteral("1"));
        QCOMPARE(cell(&dlg, 1, 3), QString());
        QCOMPARE(label(&dlg, "wlbMeisaisu"), QStringLiteral("1"));
        QVERIFY(d.messages.isEmpty());
    }

    void modes_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("shownNumber");
        QTest::addColumn<QString>("okCaption");
        QTest::addColumn<QString>("panel2");
        QTest::addColumn<QString>("question");
        QTest::addColumn<bool>("closesAfterSave");
        QTest::addColumn<int>("storedAs");
        QTest::newRow("SelectedUpdate") << "SelectedUpdate" << "000000005" << "5" << "更新(F12)" << "伝票更新"
                                        << "伝票 5 を更新しますか？" << true << 5;
        QTest::newRow("ReferenceNew") << "ReferenceNew" << "5" << "42" << "登録(F12)" << "新規伝票"
                                      << "伝票 42 を登録しますか？" << true << 42;
    }
    void modes()
    {
        QFETCH(QString, mode);
        QFETCH(QString, number);
        D d;
        frmDenpyo dlg;
        dlg.strMode = mode;
        dlg.strDenpyoID = number;
        QVERIFY(D::open(&dlg));
        QTEST(label(&dlg, "txtDenpyoID"), "shownNumber");
        QTEST(label(&dlg, "cmdOK"), "okCaption");
        QTEST(label(&dlg, "stbPanel2"), "panel2");
        QVERIFY(!enabled(&dlg, "txtDenpyoID"));
        QCOMPARE(label(&dlg, "txtCustomerName"), QStringLiteral("山田商店"));
        QCOMPARE(dlg.findChild<QDateEdit *>(QStringLiteral("datNouki"))->date(), QDate(2026, 11, 3));
        QVERIFY(check(&dlg, "chkNebikiRitsu")->isChecked());
        QCOMPARE(label(&dlg, "txtNebikiRitsu"), QStringLiteral("10"));
        // 1,100 less 10 % is 990, with tax 1,089: the stored 1,188 differs.
        QCOMPARE(label(&dlg, "txtNebikiKingaku"), QStringLiteral("110"));
        QCOMPARE(label(&dlg, "wlbSumWithShouhizei"), QStringLiteral("1,089"));
        const bool update = mode == QLatin1String("SelectedUpdate");
        QCOMPARE(label(&dlg, "lblMessage"),
                 update ? QStringLiteral("登録されている「税込合計」と表示されている「税込合計」が異なっています。")
                        : QString());

        D::key(Qt::Key_F12);
        QTEST(d.texts().value(0), "question");
        QCOMPARE(d.messages.size(), 1);
        QTEST(!dlg.isVisible(), "closesAfterSave");
        QVERIFY(dlg.ResultModified());
        QFETCH(int, storedAs);
        Denpyo stored;
        QVERIFY(stored.Load(storedAs));
        QCOMPARE(stored.SummeryWithShouhizei(), 1089);
        QCOMPARE(stored.NebikiKingaku(), 110);
        QCOMPARE(stored.Meisais().Count(), 2);
        // An update keeps the stages and memo; a slip made from another starts without them.
        QCOMPARE(stored.Juchu(), update);
        QCOMPARE(stored.Memo(), update ? QStringLiteral("覚え") : QString());
        QCOMPARE(slipCount(), update ? 1 : 2);
    }

    void slipThatCannotBeLoaded()
    {
        D d;
        frmDenpyo dlg;
        dlg.strMode = QStringLiteral("SelectedUpdate");
        dlg.strDenpyoID = QStringLiteral("999");
        dlg.show();
        QTRY_VERIFY(!dlg.isVisible());
        QCOMPARE(d.texts(), QStringList{QStringLiteral("この伝票は存在しません。")});
        QCOMPARE(slipCount(), 1);
    }

    void selectableUpdateMovesBetweenKeyAndData()
    {
        D d;
        frmDenpyo dlg;
        dlg.strMode = QStringLiteral("SelectableUpdate");
        QVERIFY(D::open(&dlg));
        QCOMPARE(dlg.editState(), QStringLiteral("Key"));
        QCOMPARE(D::focusName(), QStringLiteral("txtDenpyoID"));
        QVERIFY(!enabled(&dlg, "cmdOK"));
        QVERIFY(!enabled(&dlg, "txtCustomerID"));
        QCOMPARE(label(&dlg, "cmdEnd"), QStringLiteral("閉じる(ESC)"));
        // F12, End and the row keys do nothing while the form is locked.
        D::key(Qt::Key_F12);
        D::key(Qt::Key_End);
        D::key(Qt::Key_Insert, Qt::AltModifier);
        QCOMPARE(D::focusName(), QStringLiteral("txtDenpyoID"));
        QCOMPARE(grid(&dlg)->Rows(), 2);
        QVERIFY(d.messages.isEmpty());

        D::key(Qt::Key_Return);
        D::type(QStringLiteral("0"));
        D::key(Qt::Key_Return);
        QCOMPARE(d.texts(), (QStringList{"伝票番号を入力してください。", "この伝票番号は存在しません。"}));
        QCOMPARE(d.messages.last().icon, ui::Icon::Critical);
        QCOMPARE(dlg.editState(), QStringLiteral("Key"));

        dlg.findChild<ucTextInput *>(QStringLiteral("txtDenpyoID"))->setText(QStringLiteral("5"));
        D::key(Qt::Key_Return);
        QCOMPARE(dlg.editState(), QStringLiteral("Data"));
        QCOMPARE(D::focusName(), QStringLiteral("datNouki"));
        QCOMPARE(label(&dlg, "cmdEnd"), QStringLiteral("クリア(ESC)"));
        QCOMPARE(label(&dlg, "txtCustomerName"), QStringLiteral("山田商店"));
        // Esc in "Data" clears without saving.
        D::key(Qt::Key_Escape);
        QVERIFY(dlg.isVisible());
        QCOMPARE(dlg.editState(), QStringLiteral("Key"));
        QCOMPARE(label(&dlg, "txtCustomerName"), QString());
        QCOMPARE(D::focusName(), QStringLiteral("txtDenpyoID"));

        dlg.findChild<ucTextInput *>(QStringLiteral("txtDenpyoID"))->setText(QStringLiteral("5"));
        D::key(Qt::Key_Return);
        dlg.findChild<ucTextInput *>(QStringLiteral("txtCustomerName"))->setText(QStringLiteral("新しい名前"));
        D::key(Qt::Key_F12);
        QCOMPARE(d.texts().last(), QStringLiteral("伝票 5 を更新しますか？"));
        QVERIFY(dlg.ResultModified());
        QCOMPARE(dlg.editState(), QStringLiteral("Key"));
        QCOMPARE(label(&dlg, "txtDenpyoID"), QString());
        QCOMPARE(D::focusName(), QStringLiteral("txtDenpyoID"));
        Denpyo stored;
        QVERIFY(stored.Load(5));
        QCOMPARE(stored.CustomerName(), QStringLiteral("新しい名前"));
        QVERIFY(stored.Juchu());
        D::key(Qt::Key_Escape);
        QVERIFY(!dlg.isVisible());
    }

    void customerRateIsTakenOver()
    {
        D d;
        frmDenpyo dlg;
        dlg.strMode = QStringLiteral("New");
        QVERIFY(D::open(&dlg));
        auto *id = dlg.findChild<ucTextInput *>(QStringLiteral("txtCustomerID"));
        id->setFocus();
        enterCell(QStringLiteral("r10"));
        QVERIFY(check(&dlg, "chkNebikiRitsu")->isChecked());
        QCOMPARE(label(&dlg, "txtNebikiRitsu"), QStringLiteral("10"));
        QVERIFY(enabled(&dlg, "txtNebikiRitsu"));
        QVERIFY(!enabled(&dlg, "txtNebikiKingaku"));
        enterCell(QStringLiteral("p1"));
        enterCell(QStringLiteral("2"));
        QCOMPARE(label(&dlg, "txtNebikiKingaku"), QStringLiteral("240"));
        QCOMPARE(label(&dlg, "wlbSum"), QStringLiteral("2,160"));
        // A customer without a rate switches back to a discount by amount,
        // which keeps the amount last computed.
        id->setFocus();
        id->setText(QStringLiteral("A1"));
        D::key(Qt::Key_Return);
        QVERIFY(!check(&dlg, "chkNebikiRitsu")->isChecked());
        QCOMPARE(label(&dlg, "txtNebikiRitsu"), QStringLiteral("0"));
        QVERIFY(enabled(&dlg, "txtNebikiKingaku"));
        QCOMPARE(label(&dlg, "txtNebikiKingaku"), QStringLiteral("240"));
        QCOMPARE(label(&dlg, "wlbSum"), QStringLiteral("2,160"));
        // An unknown ID changes nothing and moves on.
        id->setFocus();
        id->setText(QStringLiteral("NONE"));
        D::key(Qt::Key_Return);
        QCOMPARE(D::focusName(), QStringLiteral("txtCustomerPostNumber1"));
        QCOMPARE(label(&dlg, "txtCustomerName"), QStringLiteral("山田商店"));
        QVERIFY(d.messages.isEmpty());
    }

    void pickersFillTheForm()
    {
        D d;
        frmDenpyo dlg;
        dlg.strMode = QStringLiteral("New");
        QVERIFY(D::open(&dlg));
        bool picked = false;
        D::onNextModal([&picked](QWidget *modal) {
            QVERIFY(qobject_cast<frmCustomerList *>(modal));
            D::type(QStringLiteral("R10"));
            D::key(Qt::Key_Return);
            D::key(Qt::Key_F12);
            picked = true;
        });
        D::key(Qt::Key_F11);
        QVERIFY(picked);
        QVERIFY(D::open(&dlg));
        QCOMPARE(label(&dlg, "txtCustomerID"), QStringLiteral("R10"));
        QCOMPARE(label(&dlg, "txtCustomerName"), QStringLiteral("割引商事"));
        QVERIFY(check(&dlg, "chkNebikiRitsu")->isChecked());
        QCOMPARE(focusCell(&dlg), QStringLiteral("1,1*"));

        D::type(QStringLiteral("5"));
        D::key(Qt::Key_Return); // no product 5: on to 品番
        grid(&dlg)->setCurrentCell(1, 5);
        enterCell(QStringLiteral("4"));
        grid(&dlg)->setCurrentCell(1, 1);
        picked = false;
        D::onNextModal([&picked](QWidget *modal) {
            QVERIFY(qobject_cast<frmShohinList *>(modal));
            D::type(QStringLiteral("P1"));
            D::key(Qt::Key_Return);
            D::key(Qt::Key_F12);
            picked = true;
        });
        D::key(Qt::Key_F11);
        QVERIFY(picked);
        QVERIFY(D::open(&dlg));
        QCOMPARE(cell(&dlg, 1, 1), QStringLiteral("P1"));
        QCOMPARE(cell(&dlg, 1, 2), QStringLiteral("HB-1"));
        QCOMPARE(cell(&dlg, 1, 4), QStringLiteral("1,200"));
        QCOMPARE(cell(&dlg, 1, 5), QStringLiteral("4"));
        QCOMPARE(cell(&dlg, 1, 7), QStringLiteral("4,800"));
        QCOMPARE(label(&dlg, "txtNebikiKingaku"), QStringLiteral("480"));
        QCOMPARE(focusCell(&dlg), QStringLiteral("1,5*"));
    }

    void overflowDisablesRegistering()
    {
        D d;
        frmDenpyo dlg;
        dlg.strMode = QStringLiteral("New");
        QVERIFY(D::open(&dlg));
        grid(&dlg)->setFocus();
        grid(&dlg)->setCurrentCell(1, 4);
        enterCell(QStringLiteral("9999999999"));
        QVERIFY(enabled(&dlg, "cmdOK"));
        enterCell(QStringLiteral("1"));
        QCOMPARE(cell(&dlg, 1, 7), QStringLiteral("9,999,999,999"));
        // Tax on top leaves the range.
        QCOMPARE(label(&dlg, "lblMeisaiKei"), QStringLiteral("数値オーバー"));
        QCOMPARE(label(&dlg, "wlbSumWithShouhizei"), QString());
        QVERIFY(!enabled(&dlg, "cmdOK"));
        check(&dlg, "chkShouhizei")->setChecked(false);
        QCOMPARE(label(&dlg, "lblMeisaiKei"), QStringLiteral("9,999,999,999"));
        QVERIFY(enabled(&dlg, "cmdOK"));

        grid(&dlg)->setFocus();
        grid(&dlg)->setCurrentCell(1, 5);
        enterCell(QStringLiteral("1.001"));
        QCOMPARE(cell(&dlg, 1, 7), QStringLiteral("数値オーバー"));
        QCOMPARE(label(&dlg, "lblMeisaiKei"), QStringLiteral("数値オーバー"));
        QCOMPARE(label(&dlg, "wlbSum"), QString());
        QVERIFY(!enabled(&dlg, "cmdOK"));
        D::key(Qt::Key_F12);
        QVERIFY(d.messages.isEmpty());

        // In range but past the slip's 32-bit fields: refused, input kept.
        grid(&dlg)->setCurrentCell(1, 5);
        enterCell(QStringLiteral("0.5"));
        QCOMPARE(cell(&dlg, 1, 7), QStringLiteral("5,000,000,000"));
        QVERIFY(enabled(&dlg, "cmdOK"));
        D::key(Qt::Key_F12);
        QCOMPARE(d.texts().size(), 1);
        QCOMPARE(d.messages.last().icon, ui::Icon::Critical);
        QCOMPARE(slipCount(), 1);
        QVERIFY(!dlg.ResultModified());
        QCOMPARE(cell(&dlg, 1, 7), QStringLiteral("5,000,000,000"));
    }

    // A minus sign is no digit: a twelve-digit negative price is kept, its
    // line shows the amount and the line total below the range the overflow.
    void twelveDigitNegativePriceShowsTheOverflow()
    {
        D d;
        frmDenpyo dlg;
        dlg.strMode = QStringLiteral("New");
        QVERIFY(D::open(&dlg));
        grid(&dlg)->setFocus();
        grid(&dlg)->setCurrentCell(1, 4);
        enterCell(QStringLiteral("-999999999999"));
        enterCell(QStringLiteral("1"));
        QCOMPARE(cell(&dlg, 1, 4), QStringLiteral("-999,999,999,999"));
        QCOMPARE(cell(&dlg, 1, 7), QStringLiteral("-999,999,999,999"));
        QCOMPARE(label(&dlg, "lblMeisaiKei"), QStringLiteral("数値オーバー"));
        QCOMPARE(label(&dlg, "wlbSum"), QString());
        QVERIFY(!enabled(&dlg, "cmdOK"));
        QVERIFY(d.messages.isEmpty());
    }

    // Register, print and refer copy the form into a slip, whose amounts are
    // 32-bit fields: an amount past them is refused before anything is
    // stored or handed on, and the form keeps what was typed.
    void actionsRefuseAmountsPastTheSlipFields_data()
    {
        QTest::addColumn<QString>("action"); // "register", "print" or "refer"
        QTest::addColumn<QString>("price");  // quantity 1
        QTest::addColumn<bool>("tax");
        QTest::addColumn<QString>("discount"); // "": none
        QTest::addColumn<QString>("total");    // 税込合計 shown
        QTest::addColumn<bool>("refused");
        QTest::newRow("print, line past") << "print" << "5000000000" << true << "" << "5,500,000,000" << true;
        QTest::newRow("refer, line past") << "refer" << "5000000000" << true << "" << "5,500,000,000" << true;
        QTest::newRow("print, negative line past")
            << "print" << "-3000000000" << true << "" << "-3,300,000,000" << true;
        QTest::newRow("print, first yen past") << "print" << "2147483648" << false << "" << "2,147,483,648" << true;
        QTest::newRow("print, largest that fits")
            << "print" << "2147483647" << false << "" << "2,147,483,647" << false;
        QTest::newRow("refer, largest that fits")
            << "refer" << "2147483647" << false << "" << "2,147,483,647" << false;
        QTest::newRow("register, largest that fits")
            << "register" << "2147483647" << false << "" << "2,147,483,647" << false;
        // Only the total with tax is past.
        QTest::newRow("register, taxed total past")
            << "register" << "2000000000" << true << "" << "2,200,000,000" << true;
        QTest::newRow("refer, taxed total past") << "refer" << "2000000000" << true << "" << "2,200,000,000" << true;
        // The total fits after the discount, the line does not.
        QTest::newRow("register, line past, total fits")
            << "register" << "3000000000" << false << "1000000000" << "2,000,000,000" << true;
        QTest::newRow("print, line past, total fits")
            << "print" << "3000000000" << false << "1000000000" << "2,000,000,000" << true;
    }
    void actionsRefuseAmountsPastTheSlipFields()
    {
        QFETCH(QString, action);
        QFETCH(QString, price);
        QFETCH(bool, tax);
        QFETCH(QString, discount);
        QFETCH(bool, refused);
        QFile(gstrDenpyoPrintFormFolder + QStringLiteral("納品書.rpx")).open(QIODevice::WriteOnly);
        D d;
        frmDenpyo dlg;
        dlg.strMode = QStringLiteral("New");
        QVERIFY(D::open(&dlg));
        check(&dlg, "chkShouhizei")->setChecked(tax);
        grid(&dlg)->setFocus();
        grid(&dlg)->setCurrentCell(1, 4);
        enterCell(price);
        enterCell(QStringLiteral("1"));
        if (!discount.isEmpty())
            dlg.findChild<ucTextInput *>(QStringLiteral("txtNebikiKingaku"))->setText(discount);
        QVERIFY(enabled(&dlg, "cmdOK"));
        QTEST(label(&dlg, "wlbSumWithShouhizei"), "total");
        const QString lineAmount = cell(&dlg, 1, 7);
        const QString shownTotal = label(&dlg, "wlbSumWithShouhizei");
        const int rows = grid(&dlg)->Rows();

        // Whatever window the action opens is recorded and closed.
        QString opened;
        QTimer closer;
        closer.setSingleShot(true);
        connect(&closer, &QTimer::timeout, &closer, [&opened] {
            if (QWidget *modal = QApplication::activeModalWidget()) {
                opened = QString::fromLatin1(modal->metaObject()->className());
                modal->close();
            }
        });
        closer.start(0);
        if (action == QLatin1String("register")) {
            D::key(Qt::Key_F12);
        } else if (action == QLatin1String("print")) {
            auto *box = dlg.findChild<QComboBox *>(QStringLiteral("cmbPrint"));
            box->setCurrentIndex(1);
            emit box->activated(1);
        } else {
            dlg.findChild<QPushButton *>(QStringLiteral("cmdDenpyoSearch"))->click();
        }
        QTest::qWait(0);

        if (refused) {
            QCOMPARE(d.texts(), QStringList{DenpyoTexts::kTooLarge});
            QCOMPARE(d.messages.last().icon, ui::Icon::Critical);
            QCOMPARE(opened, QString());
            QCOMPARE(slipCount(), 1);
            QVERIFY(!dlg.ResultModified());
            QVERIFY(dlg.isVisible());
            QCOMPARE(cell(&dlg, 1, 7), lineAmount);
            QCOMPARE(label(&dlg, "wlbSumWithShouhizei"), shownTotal);
            QCOMPARE(grid(&dlg)->Rows(), rows);
            return;
        }
        QVERIFY(!d.texts().contains(DenpyoTexts::kTooLarge));
        if (action == QLatin1String("register")) {
            QCOMPARE(d.texts(), QStringList{QStringLiteral("伝票 42 を登録しますか？")});
            Denpyo stored;
            QVERIFY(stored.Load(42));
            QCOMPARE(stored.SummeryWithShouhizei(), std::numeric_limits<qint32>::max());
            QCOMPARE(stored.Meisais().Item(1).ItemKingaku(), std::numeric_limits<qint32>::max());
        } else {
            QCOMPARE(opened, action == QLatin1String("print") ? QStringLiteral("frmItemPrint")
                                                               : QStringLiteral("frmDenpyoList"));
            QCOMPARE(slipCount(), 1);
        }
    }

    // Another user removed the slip being changed, or took the number of the
    // slip being made, before it was registered: the reason is shown, nothing
    // is stored and the form keeps its input.
    void refusedSaveShowsTheReason_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("icon");
        QTest::addColumn<QString>("focusAfter");
        const QString gone = QStringLiteral("この伝票は存在しません。");
        const QString taken = QStringLiteral("この伝票は既に存在します。");
        QTest::newRow("SelectedUpdate, slip gone")
            << "SelectedUpdate" << gone << int(ui::Icon::Exclamation) << "txtCustomerName";
        QTest::newRow("SelectableUpdate, slip gone")
            << "SelectableUpdate" << gone << int(ui::Icon::Exclamation) << "txtCustomerName";
        QTest::newRow("New, number taken") << "New" << taken << int(ui::Icon::Critical) << "datNouki";
        QTest::newRow("ReferenceNew, number taken") << "ReferenceNew" << taken << int(ui::Icon::Critical) << "datNouki";
    }
    void refusedSaveShowsTheReason()
    {
        QFETCH(QString, mode);
        QFETCH(QString, message);
        QFETCH(int, icon);
        D d;
        frmDenpyo dlg;
        dlg.strMode = mode;
        dlg.strDenpyoID = QStringLiteral("5");
        QVERIFY(D::open(&dlg));
        if (mode == QLatin1String("SelectableUpdate")) {
            D::type(QStringLiteral("5"));
            D::key(Qt::Key_Return);
            QCOMPARE(dlg.editState(), QStringLiteral("Data"));
        }
        const bool update = mode.endsWith(QLatin1String("Update"));
        if (update) {
            Denpyo other;
            QVERIFY(other.Load(5));
            QVERIFY(other.Delete());
        } else {
            QCOMPARE(label(&dlg, "txtDenpyoID"), QStringLiteral("42"));
            Denpyo other;
            other.setDenpyoID(42);
            other.setCustomerName(QStringLiteral("他の人"));
            QVERIFY(other.Apply());
        }
        auto *name = dlg.findChild<ucTextInput *>(QStringLiteral("txtCustomerName"));
        name->setFocus();
        name->setText(QStringLiteral("入力した名前"));
        D::key(Qt::Key_F12);

        QCOMPARE(d.texts().size(), 2);
        QCOMPARE(d.texts().last(), message);
        QCOMPARE(int(d.messages.last().icon), icon);
        QVERIFY(dlg.isVisible());
        QVERIFY(!dlg.ResultModified());
        QCOMPARE(dlg.editState(), QStringLiteral("Data"));
        QTEST(D::focusName(), "focusAfter");
        QCOMPARE(label(&dlg, "txtCustomerName"), QStringLiteral("入力した名前"));
        Denpyo stored;
        if (update) {
            QVERIFY(!stored.Load(5));
        } else {
            QVERIFY(stored.Load(42));
            QCOMPARE(stored.CustomerName(), QStringLiteral("他の人"));
        }
    }

    void taxCaptionFollowsThePattern_data()
    {
        QTest::addColumn<int>("pattern");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("tax");
        QTest::newRow("on top") << 0 << "消費税" << "110";
        QTest::newRow("contained") << 1 << "消費税(内税)" << "100";
        QTest::newRow("other pattern") << 2 << "消費税" << "100";
    }
    void taxCaptionFollowsThePattern()
    {
        QFETCH(int, pattern);
        setLong("ShouhizeiPattern", pattern);
        setLong("ShouhizeiRitsu", 10);
        D d;
        frmDenpyo dlg;
        dlg.strMode = QStringLiteral("New");
        QVERIFY(D::open(&dlg));
        QTEST(check(&dlg, "chkShouhizei")->text(), "caption");
        grid(&dlg)->setFocus();
        grid(&dlg)->setCurrentCell(1, 4);
        enterCell(QStringLiteral("1100"));
        enterCell(QStringLiteral("1"));
        QTEST(label(&dlg, "wlbShouhizei"), "tax");
    }

    void gridKeysAndHints()
    {
        D d;
        frmDenpyo dlg;
        dlg.strMode = QStringLiteral("SelectedUpdate");
        dlg.strDenpyoID = QStringLiteral("5");
        QVERIFY(D::open(&dlg));
        QCOMPARE(label(&dlg, "stbPanel1"), QString());
        QVERIFY(!enabled(&dlg, "cmdIns"));
        grid(&dlg)->setFocus();
        QCOMPARE(focusCell(&dlg), QStringLiteral("1,1*"));
        QCOMPARE(label(&dlg, "stbPanel1"), QStringLiteral("F11-商品検索  Alt+Enter-次の行"));
        QVERIFY(enabled(&dlg, "cmdIns"));
        // Up from the first row goes to the telephone box.
        D::key(Qt::Key_Up);
        QCOMPARE(D::focusName(), QStringLiteral("txtCustomerTelephone"));
        QVERIFY(!enabled(&dlg, "cmdIns"));
        D::key(Qt::Key_Down);
        QCOMPARE(focusCell(&dlg), QStringLiteral("1,1*"));
        // An apostrophe is no product: Enter goes on to 品番 quietly.
        D::type(QStringLiteral("x'1"));
        D::key(Qt::Key_Return);
        QCOMPARE(cell(&dlg, 1, 1), QStringLiteral("X'1"));
        QCOMPARE(focusCell(&dlg), QStringLiteral("1,2*"));
        D::key(Qt::Key_Return);
        QCOMPARE(label(&dlg, "stbPanel1"), QStringLiteral("Alt+Enter-次の行"));
        // Alt+Enter in a middle column of the first row: the next row, no new one.
        D::key(Qt::Key_Return, Qt::AltModifier);
        QCOMPARE(focusCell(&dlg), QStringLiteral("2,1*"));
        QCOMPARE(grid(&dlg)->Rows(), 3);
        // Leaving a price cell formats it.
        grid(&dlg)->setCurrentCell(2, 4);
        D::type(QStringLiteral("1234567"));
        D::key(Qt::Key_Down);
        QCOMPARE(cell(&dlg, 2, 4), QStringLiteral("1,234,567"));
        QCOMPARE(D::focusName(), QStringLiteral("chkNebikiRitsu"));
        D::key(Qt::Key_Up);
        QCOMPARE(D::focusName(), QStringLiteral("VSFlexGrid1"));
        // Alt+Enter on the last row appends one.
        grid(&dlg)->setCurrentCell(2, 3);
        D::key(Qt::Key_Return, Qt::AltModifier);
        QCOMPARE(grid(&dlg)->Rows(), 4);
        QCOMPARE(focusCell(&dlg), QStringLiteral("3,1*"));
        QCOMPARE(label(&dlg, "stbPanel1"), QStringLiteral("F11-商品検索  Alt+Enter-行追加"));
        QVERIFY(d.messages.isEmpty());
    }

    // The hint names the keys of the cell that has the focus, also after a
    // product pick and after a row delete moved the focus to another row.
    void hintFollowsTheFocusedCell()
    {
        D d;
        frmDenpyo dlg;
        dlg.strMode = QStringLiteral("New");
        dlg.setWindowModality(Qt::ApplicationModal);
        QVERIFY(D::open(&dlg));
        typeKeys(QStringLiteral("\ra1\r"));
        QCOMPARE(focusCell(&dlg), QStringLiteral("1,1*"));
        auto pick = [](const QString &id) {
            D::onNextModal([id](QWidget *) {
                D::type(id);
                D::key(Qt::Key_Return);
                D::key(Qt::Key_F12);
            });
        };
        pick(QStringLiteral("P1"));
        D::key(Qt::Key_F11);
        QVERIFY(D::open(&dlg));
        QCOMPARE(focusCell(&dlg), QStringLiteral("1,5*"));
        QCOMPARE(label(&dlg, "stbPanel1"), QStringLiteral("Alt+Enter-行追加"));
        // Three rows; a product without a price on the middle one, by the button.
        D::key(Qt::Key_Return, Qt::AltModifier);
        D::key(Qt::Key_Return, Qt::AltModifier);
        QCOMPARE(focusCell(&dlg), QStringLiteral("3,1*"));
        grid(&dlg)->setCurrentCell(2, 1);
        pick(QStringLiteral("Z0"));
        QTest::mouseClick(dlg.findChild<QPushButton *>("cmdShohinID"), Qt::LeftButton);
        QVERIFY(D::open(&dlg));
        QCOMPARE(focusCell(&dlg), QStringLiteral("2,4*"));
        QCOMPARE(label(&dlg, "stbPanel1"), QStringLiteral("Alt+Enter-次の行"));
        // Deleting the last row leaves the focus on the new last one.
        grid(&dlg)->setCurrentCell(3, 2);
        QCOMPARE(label(&dlg, "stbPanel1"), QStringLiteral("Alt+Enter-行追加"));
        D::key(Qt::Key_Delete, Qt::AltModifier);
        QCOMPARE(grid(&dlg)->Rows(), 3);
        QCOMPARE(focusCell(&dlg), QStringLiteral("2,2*"));
        QCOMPARE(label(&dlg, "stbPanel1"), QStringLiteral("Alt+Enter-行追加"));
        // A middle row: the row that moves up is not the last.
        D::key(Qt::Key_Return, Qt::AltModifier);
        grid(&dlg)->setCurrentCell(2, 1);
        D::key(Qt::Key_Delete, Qt::AltModifier);
        QCOMPARE(focusCell(&dlg), QStringLiteral("2,1*"));
        QCOMPARE(label(&dlg, "stbPanel1"), QStringLiteral("F11-商品検索  Alt+Enter-行追加"));
        QVERIFY(d.messages.isEmpty());
    }

    // A whole slip typed ahead of the window (a stalled window, a fast typist,
    // a barcode scanner): every key waits in the queue before the first is
    // handled, and each must land where it would at normal speed.
    void keysTypedAheadLandWhereTheyWould_data()
    {
        QTest::addColumn<QString>("lines");
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<int>("sum");
        QTest::newRow("two lines") << QStringLiteral("p1\r3\r\r\r" "\rHB-2\rペン\r500\r2\r本\r替芯付\r")
                                   << QStringList{"P1|HB-1|鉛筆|1200|3|本|3600|", "|HB-2|ペン|500|2|本|1000|替芯付"}
                                   << 4600;
        QTest::newRow("product without a price") << QStringLiteral("z0\r250\r4\r\r\rp1\r2\rdz\rx\r")
                                                 << QStringList{"Z0||見本|250|4||1000|", "P1|HB-1|鉛筆|1200|2|dz|2400|x"}
                                                 << 3400;
        QString lines;
        QStringList stored;
        int sum = 0;
        for (int i = 1; i <= 20; ++i) {
            lines += QStringLiteral("\rH%1\rN%1\r%2\r2\rko\rm%1\r").arg(i).arg(i * 10);
            stored << QStringLiteral("|H%1|N%1|%2|2|ko|%3|m%1").arg(i).arg(i * 10).arg(i * 20);
            sum += i * 20;
        }
        QTest::newRow("twenty lines") << lines << stored << sum;
    }

    void keysTypedAheadLandWhereTheyWould()
    {
        QFETCH(QString, lines);
        QFETCH(QStringList, stored);
        QFETCH(int, sum);
        D d;
        frmDenpyo dlg;
        dlg.strMode = QStringLiteral("New");
        QVERIFY(D::open(&dlg));
        QCOMPARE(D::focusName(), QStringLiteral("datNouki"));
        QStringList opened;
        connect(grid(&dlg), &grid::FlexGrid::editStarted, &dlg,
                [&opened](int row, int col) { opened << QStringLiteral("%1,%2").arg(row).arg(col); });
        // The date, the customer, the lines, then F12 to register.
        queueKeys(&dlg, QStringLiteral("\ra1\r") + lines + QStringLiteral("\f"));
        QTest::qWait(0);
        QCoreApplication::processEvents();

        QCOMPARE(d.texts(), QStringList{QStringLiteral("伝票 42 を登録しますか？")});
        QCOMPARE(storedRows(42), stored);
        // The editor opened once on each cell the keys went to, never again
        // on a cell they were leaving.
        for (qsizetype i = 1; i < opened.size(); ++i)
            QVERIFY2(opened[i] != opened[i - 1], qPrintable(opened.mid(0, i + 1).join(QLatin1Char(' '))));
        Denpyo slip;
        QVERIFY(slip.Load(42));
        QCOMPARE(slip.CustomerID(), QStringLiteral("A1"));
        QCOMPARE(slip.MeisaiSum(), sum);
        // The window has moved on to the next slip.
        QCOMPARE(label(&dlg, "txtDenpyoID"), QStringLiteral("43"));
        QCOMPARE(D::focusName(), QStringLiteral("datNouki"));
    }

    // A refused save puts the focus back on 納期 after its message: the date
    // typed next is taken as typed.
    void dateTypedAfterARefusedSave()
    {
        D d;
        QStringList shown;
        frmDenpyo dlg;
        answerInRealBoxes(&dlg, &shown);
        dlg.strMode = QStringLiteral("New");
        QVERIFY(D::open(&dlg));
        Denpyo other;
        other.setDenpyoID(42);
        QVERIFY(other.Apply());
        D::press(&dlg, QStringLiteral("2026/12/05{F12}"), false);
        QTRY_COMPARE(D::focusName(), QStringLiteral("datNouki"));
        QCOMPARE(shown.size(), 2);
        QVERIFY(other.Delete());
        D::press(&dlg, QStringLiteral("2026/12/15{F12}"), true);
        QTRY_COMPARE(shown.size(), 3);
        Denpyo slip;
        QVERIFY(slip.Load(42));
        QCOMPARE(slip.Nouki().date(), QDate(2026, 12, 15));
    }

    // After 登録 the editor offers the next slip with the focus back on 納期;
    // the next date is typed from its year whatever part the last one ended
    // on. The message boxes are real windows, which the focus leaves the
    // editor for, or are answered without taking the focus (as when the
    // window system keeps it on the editor).
    void nextSlipTakesTheDateAsTyped_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("next");
        QTest::addColumn<QDate>("nextDate");
        QTest::addColumn<bool>("queued");
        QTest::addColumn<bool>("realBoxes");
        const struct {
            const char *name;
            const char *first;
            const char *next;
            QDate nextDate;
        } cases[] = {
            {"F12 in the date box", "2026/12/05{F12}", "2026/12/15", QDate(2026, 12, 15)},
            {"F12 after the customer", "2026/12/05{Return}a1{Return}{F12}", "2026-12-15", QDate(2026, 12, 15)},
            {"digits only", "2026/12/05{F12}", "20270105", QDate(2027, 1, 5)},
            {"Ctrl+A", "2026/12/05{F12}", "{Right}{Right}{Ctrl+A}2027/1/5", QDate(2027, 1, 5)},
            {"calendar: Alt+Down, arrows, Esc", "2026/12/05{F12}", "{Alt+Down}{Right}{Down}{Esc}", QDate(2026, 12, 10)},
            {"calendar: F4, arrow, Enter", "2026/12/05{F12}", "{F4}{Left}{Return}", QDate(2026, 12, 9)},
        };
        for (const auto &c : cases) {
            for (bool realBoxes : {true, false}) {
                for (bool queued : {false, true})
                    QTest::addRow("%s%s%s", c.name, queued ? ", queued" : "", realBoxes ? "" : ", boxes without focus")
                        << QString::fromUtf8(c.first) << QString::fromUtf8(c.next) << c.nextDate << queued
                        << realBoxes;
            }
        }
    }
    void nextSlipTakesTheDateAsTyped()
    {
        QFETCH(QString, first);
        QFETCH(QString, next);
        QFETCH(QDate, nextDate);
        QFETCH(bool, queued);
        QFETCH(bool, realBoxes);
        D d;
        QStringList shown;
        frmDenpyo dlg;
        if (realBoxes) {
            answerInRealBoxes(&dlg, &shown);
        } else {
            ui::setMessageResponder([&shown](const ui::MessageRequest &r) {
                shown << r.text;
                return ui::Answer::Yes;
            });
        }
        dlg.strMode = QStringLiteral("New");
        QVERIFY(D::open(&dlg));
        QCOMPARE(D::focusName(), QStringLiteral("datNouki"));
        D::press(&dlg, first, false);
        QTRY_COMPARE(D::focusName(), QStringLiteral("datNouki"));
        QCOMPARE(label(&dlg, "txtDenpyoID"), QStringLiteral("43"));

        D::press(&dlg, next + QStringLiteral("{F12}"), queued);
        QTRY_COMPARE(shown.size(), 2);
        QCOMPARE(shown, QStringList({QStringLiteral("伝票 42 を登録しますか？"), QStringLiteral("伝票 43 を登録しますか？")}));
        Denpyo slip;
        QVERIFY(slip.Load(42));
        QCOMPARE(slip.Nouki().date(), QDate(2026, 12, 5));
        QVERIFY(slip.Load(43));
        QCOMPARE(slip.Nouki().date(), nextDate);
    }

    // Keys typed ahead through a picker: the search, the choice and the lines
    // after it. "queued": all wait before the picker handles the first, and
    // the window system addresses every one to the picker; "after the
    // choice": the keys typed after the choice already go to the editor's
    // window, while the program is still busy closing the picker; "late to
    // the picker": they are still addressed to the picker but come in only
    // after the editor has taken the choice; "chosen by mouse": as "after
    // the choice" after a click on 選択, so that no key of the choice itself
    // is still on its way; "one by one": each is handled before the next is
    // typed.
    void keysTypedAheadThroughAPicker_data()
    {
        QTest::addColumn<QString>("opener");
        QTest::addColumn<QString>("route");
        QTest::addColumn<QString>("inPicker");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QStringList>("stored");
        const QString customerLines = QStringLiteral("p1\r3\r\r\r" "\rHB-2\rペン\r500\r2\r本\r替芯付\r\f");
        const QStringList customerRows{"P1|HB-1|鉛筆|1200|3|本|3600|", "|HB-2|ペン|500|2|本|1000|替芯付"};
        const QString productLines = QStringLiteral("3\r\rx\r\f");
        const QStringList productRows{"P1|HB-1|鉛筆|1200|3|本|3600|x"};
        for (const char *route : {"queued", "after the choice", "late to the picker", "chosen by mouse", "one by one"}) {
            for (const char *opener : {"F11", "button"}) {
                QTest::addRow("customer, %s, %s", opener, route)
                    << QStringLiteral("customer ") + QLatin1String(opener) << QString::fromLatin1(route)
                    << QStringLiteral("a1\r\r") << customerLines << customerRows;
                QTest::addRow("product, %s, %s", opener, route)
                    << QStringLiteral("product ") + QLatin1String(opener) << QString::fromLatin1(route)
                    << QStringLiteral("p1\r\r") << productLines << productRows;
            }
        }
    }

    void keysTypedAheadThroughAPicker()
    {
        QFETCH(QString, opener);
        QFETCH(QString, route);
        QFETCH(QString, inPicker);
        QFETCH(QString, after);
        QFETCH(QStringList, stored);
        D d;
        frmDenpyo dlg;
        dlg.strMode = QStringLiteral("New");
        dlg.setWindowModality(Qt::ApplicationModal);
        QVERIFY(D::open(&dlg));
        D::key(Qt::Key_Return);
        const bool product = opener.startsWith(QLatin1String("product"));
        if (product) {
            typeKeys(QStringLiteral("a1\r"));
            QCOMPARE(focusCell(&dlg), QStringLiteral("1,1*"));
        }
        QCOMPARE(D::focusName(), product ? QStringLiteral("VSFlexGrid1") : QStringLiteral("txtCustomerID"));

        // The picker's keys are posted as it shows, before its loop runs.
        WindowEvents pickerEvents;
        int pickers = 0;
        pickerEvents.onShow = [&](QWidget *picker) {
            ++pickers;
            if (route == QLatin1String("one by one") || route == QLatin1String("chosen by mouse")) {
                QTimer::singleShot(0, picker, [picker, inPicker, route] {
                    picker->activateWindow();
                    QVERIFY(QTest::qWaitForWindowActive(picker));
                    if (route == QLatin1String("one by one")) {
                        typeKeys(inPicker);
                        return;
                    }
                    typeKeys(inPicker.chopped(1));
                    QTest::mouseClick(picker->findChild<QPushButton *>(QStringLiteral("cmdOK")), Qt::LeftButton);
                });
                return;
            }
            queueKeys(picker, route == QLatin1String("queued") ? inPicker + after : inPicker);
        };
        pickerEvents.onHide = [&](QWidget *picker) {
            if (route == QLatin1String("after the choice") || route == QLatin1String("chosen by mouse"))
                queueKeys(&dlg, after);
            else if (route == QLatin1String("late to the picker"))
                queueKeys(picker, after);
        };
        if (opener.endsWith(QLatin1String("F11")))
            D::key(Qt::Key_F11);
        else
            QTest::mouseClick(dlg.findChild<QPushButton *>(product ? "cmdShohinID" : "cmdCustomerID"), Qt::LeftButton);
        QCOMPARE(pickers, 1);
        if (route == QLatin1String("one by one"))
            typeKeys(after);

        QTRY_COMPARE(label(&dlg, "txtDenpyoID"), QStringLiteral("43"));
        QCOMPARE(d.texts(), QStringList{QStringLiteral("伝票 42 を登録しますか？")});
        QCOMPARE(storedRows(42), stored);
        Denpyo slip;
        QVERIFY(slip.Load(42));
        QCOMPARE(slip.CustomerID(), QStringLiteral("A1"));
        QCOMPARE(D::focusName(), QStringLiteral("datNouki"));
    }

    // A line break pasted into a text cell is dropped as it comes in: the
    // cell shows what it keeps, and its limit counts only that.
    void pastedLineBreaksAreDropped_data()
    {
        QTest::addColumn<int>("col");
        QTest::addColumn<int>("limit");
        QTest::newRow("商品ID") << 1 << 15;
        QTest::newRow("品番") << 2 << 50;
        QTest::newRow("品名") << 3 << 50;
        QTest::newRow("単位") << 6 << 10;
        QTest::newRow("備考") << 8 << 50;
    }

    void pastedLineBreaksAreDropped()
    {
        QFETCH(int, col);
        QFETCH(int, limit);
        D d;
        frmDenpyo dlg;
        dlg.strMode = QStringLiteral("New");
        QVERIFY(D::open(&dlg));
        dlg.findChild<QWidget *>(QStringLiteral("txtCustomerID"))->setFocus();
        enterCell(QStringLiteral("a1"));
        grid(&dlg)->setCurrentCell(1, col == 2 ? 3 : 2);
        grid(&dlg)->setCurrentCell(1, col);
        QVERIFY(grid(&dlg)->isEditing());
        const QString head(limit - 5, QLatin1Char('A'));
        QGuiApplication::clipboard()->setText(head + QStringLiteral("\r\nLINE2\r\n"));
        D::key(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(grid(&dlg)->editor()->text(), head + QStringLiteral("LINE2"));
        grid(&dlg)->setCurrentCell(1, col == 8 ? 6 : 8);
        QCOMPARE(cell(&dlg, 1, col), head + QStringLiteral("LINE2"));
        D::key(Qt::Key_F12);
        QCOMPARE(d.texts(), QStringList{QStringLiteral("伝票 42 を登録しますか？")});
        const QStringList stored = storedRows(42);
        QCOMPARE(stored.size(), 1);
        QCOMPARE(stored.first().split(QLatin1Char('|')).value(col - 1), head + QStringLiteral("LINE2"));
    }

    // 伝票参照 is a tab stop between the customer block and the lines; Enter
    // on it opens the slip search.
    void referButtonIsATabStop()
    {
        D d;
        frmDenpyo dlg;
        dlg.strMode = QStringLiteral("New");
        QVERIFY(D::open(&dlg));
        dlg.findChild<QWidget *>(QStringLiteral("txtCustomerFax"))->setFocus();
        QCOMPARE(D::tabWalk(3), (QStringList{"txtCustomerFax", "cmdDenpyoSearch", "VSFlexGrid1"}));
        QCOMPARE(D::focusName(), QStringLiteral("chkNebikiRitsu"));
        D::key(Qt::Key_Backtab, Qt::ShiftModifier);
        D::key(Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(D::focusName(), QStringLiteral("cmdDenpyoSearch"));
        bool searched = false;
        D::onNextModal([&searched](QWidget *modal) {
            searched = qobject_cast<frmDenpyoList *>(modal) != nullptr;
            modal->close();
        });
        D::key(Qt::Key_Return);
        QVERIFY(searched);
        QVERIFY(d.messages.isEmpty());
    }

    // A place saved at 200% on a 3200x1800 screen, the editor opened on a
    // 1366x768 one at each scale (in a process of its own: Qt takes its
    // screen at start): the editor lies on the screen, and so do its update
    // and close buttons.
    void placeFromALargerScreen_data()
    {
        QTest::addColumn<QString>("scale");
        QTest::newRow("100%") << "1";
        QTest::newRow("150%") << "1.5";
        QTest::newRow("200%") << "2";
    }
    void placeFromALargerScreen()
    {
        QFETCH(QString, scale);
        QTemporaryDir dir;
        testsupport::runSelf(QStringLiteral("editorOnTheSmallerScreen"),
                             {{QStringLiteral("QT_QPA_PLATFORM"), testsupport::offscreenScreen(dir.path(), {1366, 768})},
                              {QStringLiteral("QT_SCALE_FACTOR"), scale},
                              {QStringLiteral("QVX_SCREEN_CHILD"), QStringLiteral("1")}});
    }
    void editorOnTheSmallerScreen()
    {
        if (!qEnvironmentVariableIsSet("QVX_SCREEN_CHILD"))
            QSKIP("run by placeFromALargerScreen at each scale");
        QVERIFY(fnWriteSetting(settingsFileName(QStringLiteral("Size")), QStringLiteral("Window Positions"),
                               QStringLiteral("frmDenpyo"), QStringLiteral("090000450014400084000")));
        D d;
        frmDenpyo dlg;
        dlg.strMode = QStringLiteral("New");
        QVERIFY(D::open(&dlg));
        const QRect area = dlg.screen()->availableGeometry();
        QVERIFY(area.contains(dlg.frameGeometry()));
        for (const QString name : {QStringLiteral("cmdOK"), QStringLiteral("cmdEnd")}) {
            const auto *button = dlg.findChild<QPushButton *>(name);
            QVERIFY(button);
            const QRect shown(button->mapToGlobal(QPoint(0, 0)), button->size());
            QVERIFY2(area.contains(shown) && dlg.geometry().contains(shown), qPrintable(button->text()));
        }
    }

    void windowAndColumnsAreRemembered()
    {
        QSize shrunk, grown;
        {
            frmDenpyo dlg;
            dlg.strMode = QStringLiteral("New");
            QVERIFY(D::open(&dlg));
            shrunk = dlg.size();
            // Smaller than the smallest size snaps back.
            dlg.resize(dlg.width() / 2, dlg.height() / 2);
            QCOMPARE(dlg.size(), shrunk);
            dlg.resize(shrunk.width() + 120, shrunk.height() + 80);
            grown = dlg.size();
            grid(&dlg)->setColWidth(3, 222);
            emit grid(&dlg)->columnResized(3);
            D::key(Qt::Key_Escape);
        }
        frmDenpyo dlg;
        dlg.strMode = QStringLiteral("New");
        QVERIFY(D::open(&dlg));
        QCOMPARE(dlg.size(), grown);
        QVERIFY(qAbs(grid(&dlg)->ColWidth(3) - 222) <= 1);
    }

    void printBoxPrintsTheFormAsItStands()
    {
        QFile(gstrDenpyoPrintFormFolder + QStringLiteral("納品書.rpx")).open(QIODevice::WriteOnly);
        D d;
        frmDenpyo dlg;
        dlg.strMode = QStringLiteral("New");
        QVERIFY(D::open(&dlg));
        auto *box = dlg.findChild<QComboBox *>(QStringLiteral("cmbPrint"));
        QCOMPARE(box->count(), 2);
        QCOMPARE(box->itemText(0), QStringLiteral("(印刷)"));
        QCOMPARE(box->itemText(1), QStringLiteral("納品書"));
        grid(&dlg)->setFocus();
        enterCell(QStringLiteral("p1"));
        enterCell(QStringLiteral("2"));
        D::key(Qt::Key_Return, Qt::AltModifier);
        QCOMPARE(grid(&dlg)->Rows(), 3);

        QString type, formName;
        D::onNextModal([&](QWidget *modal) {
            auto *print = qobject_cast<frmItemPrint *>(modal);
            QVERIFY(print);
            type = print->ObjectType;
            formName = print->FormName;
            print->reject();
        });
        box->setCurrentIndex(1);
        emit box->activated(1);
        QCOMPARE(type, QStringLiteral("伝票"));
        QCOMPARE(formName, QStringLiteral("納品書"));
        // Nothing is stored, the box shows "(印刷)" again and the grid keeps
        // its blank last row.
        QCOMPARE(box->currentIndex(), 0);
        QCOMPARE(grid(&dlg)->Rows(), 3);
        QCOMPARE(slipCount(), 1);
        QVERIFY(!dlg.ResultModified());
    }

    void slipSearchPicksASlip()
    {
        D d;
        frmDenpyo dlg;
        dlg.strMode = QStringLiteral("SelectableUpdate");
        QVERIFY(D::open(&dlg));
        // Closed without a choice: nothing loads.
        D::onNextModal([](QWidget *modal) {
            QVERIFY(qobject_cast<frmDenpyoList *>(modal));
            D::key(Qt::Key_Escape);
        });
        D::key(Qt::Key_F11);
        QVERIFY(D::open(&dlg));
        QCOMPARE(dlg.editState(), QStringLiteral("Key"));
        QCOMPARE(label(&dlg, "txtDenpyoID"), QString());
        QCOMPARE(D::focusName(), QStringLiteral("txtDenpyoID"));

        D::onNextModal([](QWidget *modal) {
            modal->findChild<QWidget *>(QStringLiteral("txtSearchDenpyoID"))->setFocus();
            D::type(QStringLiteral("5"));
            D::key(Qt::Key_Return);
            D::key(Qt::Key_F12);
        });
        D::key(Qt::Key_F11);
        QVERIFY(D::open(&dlg));
        QCOMPARE(label(&dlg, "txtDenpyoID"), QStringLiteral("5"));
        QCOMPARE(dlg.editState(), QStringLiteral("Data"));
        QCOMPARE(label(&dlg, "txtCustomerName"), QStringLiteral("山田商店"));
        QVERIFY(d.messages.isEmpty());
    }

    void referTakesLinesOfAnotherSlip()
    {
        D d;
        frmDenpyo dlg;
        dlg.strMode = QStringLiteral("New");
        QVERIFY(D::open(&dlg));
        bool copied = false;
        D::onNextModal([&copied](QWidget *modal) {
            QVERIFY(qobject_cast<frmDenpyoList *>(modal));
            D::onNextModal([&copied](QWidget *second) {
                auto *copy = qobject_cast<frmDenpyoCopy *>(second);
                QVERIFY(copy);
                QCOMPARE(copy->Mode, QStringLiteral("Refer"));
                copy->cmdAllSelect_Click();
                D::key(Qt::Key_F12);
                copied = true;
            });
            modal->findChild<QWidget *>(QStringLiteral("txtSearchDenpyoID"))->setFocus();
            D::type(QStringLiteral("5"));
            D::key(Qt::Key_Return);
            D::key(Qt::Key_F12);
        });
        dlg.findChild<QPushButton *>(QStringLiteral("cmdDenpyoSearch"))->click();
        QVERIFY(copied);
        QVERIFY(D::open(&dlg));
        // The lines are in the form, under the new slip's number; nothing is stored.
        QCOMPARE(label(&dlg, "txtDenpyoID"), QStringLiteral("42"));
        QCOMPARE(cell(&dlg, 1, 3), QStringLiteral("鉛筆"));
        QCOMPARE(cell(&dlg, 2, 3), QStringLiteral("値引"));
        QCOMPARE(label(&dlg, "lblMeisaiKei"), QStringLiteral("1,100"));
        QCOMPARE(slipCount(), 1);
        QVERIFY(!dlg.ResultModified());
    }

    void firstNumberWithoutCounter()
    {
        connection().exec(QStringLiteral("DELETE FROM 基本情報テーブル WHERE 基本情報ID = 'CurrentDenpyoID';"));
        frmDenpyo dlg;
        dlg.strMode = QStringLiteral("New");
        QVERIFY(D::open(&dlg));
        QCOMPARE(label(&dlg, "txtDenpyoID"), QStringLiteral("1"));
    }
};

QTEST_MAIN(tst_frmDenpyo)
#include "tst_frmdenpyo.moc"
