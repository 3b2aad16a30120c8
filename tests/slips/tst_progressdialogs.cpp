#include "SlipFixture.h"
#include "masters/MemoBox.h"
#include "slips/frmDenpyoGroupProcess.h"
#include "slips/frmDenpyoNote.h"
#include "slips/frmDenpyoProcess.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QDateEdit>
#include <QPlainTextEdit>
#include <QPushButton>

using D = DialogDriver;
using namespace slipfixture;

// The progress dialogs of one and of several slips, and the note dialog:
// each writes the whole slip again, changing only its own fields.
class tst_ProgressDialogs : public QObject {
    Q_OBJECT

    std::optional<testsupport::OpenedProgramFolder> m_folder;

    static QString stage(qint32 id, const char *column)
    {
        const QVariant flag = connection().scalar(
            QStringLiteral("SELECT %1 FROM 伝票テーブル WHERE 伝票番号 = %2").arg(QString::fromUtf8(column)).arg(id));
        const QVariant day = connection().scalar(
            QStringLiteral("SELECT %1日付 FROM 伝票テーブル WHERE 伝票番号 = %2").arg(QString::fromUtf8(column)).arg(id));
        return flag.toInt() ? QStringLiteral("on ") + day.toString() : QStringLiteral("off");
    }
    static void setStage(qint32 id, const char *column, const QString &day)
    {
        connection().exec(QStringLiteral("UPDATE 伝票テーブル SET %1 = %2, %1日付 = %3 WHERE 伝票番号 = %4")
                              .arg(QString::fromUtf8(column), day.isEmpty() ? QStringLiteral("0") : QStringLiteral("1"),
                                   day.isEmpty() ? QStringLiteral("NULL") : QLatin1Char('\'') + day + QLatin1Char('\''))
                              .arg(id));
    }
    static QString modified(qint32 id)
    {
        return connection()
            .scalar(QStringLiteral("SELECT 更新日付 FROM 伝票テーブル WHERE 伝票番号 = %1").arg(id))
            .toString();
    }

private slots:
    void init()
    {
        setFixedNow(QDateTime(QDate(2026, 12, 9), QTime(10, 0)));
        m_folder.emplace();
    }
    void cleanup()
    {
        m_folder.reset();
        setFixedNow(QDateTime());
    }

    void oneSlipsStages()
    {
        storeSlip(123, numbered(1));
        setStage(123, "受注", QStringLiteral("2026/11/30"));
        setStage(123, "請求", QStringLiteral("2026/12/01"));
        D d;
        frmDenpyoProcess dlg;
        dlg.strDenpyoID = QStringLiteral("000000123");
        QVERIFY(D::open(&dlg));
        QCOMPARE(dlg.lblName->text(), QStringLiteral("123 - 山田商店 / ¥100"));
        QCOMPARE(D::focusName(), QStringLiteral("chkShinko0"));
        QVERIFY(!dlg.datShinko[0]->isEnabled());
        QCOMPARE(dlg.datShinko[1]->date(), QDate(2026, 11, 30));
        // Enter walks box, its picker when ticked, the next box.
        D::key(Qt::Key_Return);
        QCOMPARE(D::focusName(), QStringLiteral("chkShinko1"));
        D::key(Qt::Key_Return);
        QCOMPARE(D::focusName(), QStringLiteral("datShinko1"));
        D::key(Qt::Key_Home);
        QCOMPARE(D::focusName(), QStringLiteral("chkShinko0"));
        D::key(Qt::Key_Space); // tick 見積もり: today
        QCOMPARE(dlg.datShinko[0]->date(), QDate(2026, 12, 9));
        dlg.chkShinko[3]->setFocus();
        D::key(Qt::Key_Space); // clear 請求
        D::key(Qt::Key_End);
        QCOMPARE(D::focusName(), QStringLiteral("cmdOK"));
        d.answer = ui::Answer::No;
        D::key(Qt::Key_F12);
        QVERIFY(dlg.isVisible());
        QCOMPARE(stage(123, "見積もり"), QStringLiteral("off"));
        d.answer = ui::Answer::Yes;
        D::key(Qt::Key_F12);
        QCOMPARE(d.texts(), QStringList(2, QStringLiteral("伝票 000000123 を更新しますか？")));
        QVERIFY(dlg.ResultModified());
        QCOMPARE(stage(123, "見積もり"), QStringLiteral("on 2026/12/09"));
        QCOMPARE(stage(123, "受注"), QStringLiteral("on 2026/11/30"));
        QCOMPARE(stage(123, "請求"), QStringLiteral("off"));
        QCOMPARE(storedLines(123), QStringList{"品1"});
        QCOMPARE(modified(123), QStringLiteral("2026/12/09 10:00:00"));
    }

    // A date typed into a stage's picker, then Tab, Space and F12 as a user
    // types on: the date is stored and the Space ticks the next stage. The
    // calendar opened with the mouse takes the arrows and Enter although the
    // pickers were disabled and enabled again after it was made.
    void typedStageDateIsStored_data()
    {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<bool>("mouse"); // the calendar opened by a click on its button first
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("juchu");
        QTest::addColumn<bool>("queued");
        QTest::addColumn<bool>("undated"); // 受注 is stored ticked without a date
        for (const char *dialog : {"progress", "bulk progress"}) {
            for (bool queued : {false, true}) {
                const char *tail = queued ? ", queued" : "";
                QTest::addRow("%s, typed%s", dialog, tail) << dialog << false << "2026/12/10{Tab}{Space}{F12}"
                                                           << "on 2026/12/10" << queued << false;
                QTest::addRow("%s, typed over no date%s", dialog, tail)
                    << dialog << false << "2026/12/10{Tab}{Space}{F12}" << "on 2026/12/10" << queued << true;
                QTest::addRow("%s, dashes%s", dialog, tail) << dialog << false << "2026-12-10{Tab}{Space}{F12}"
                                                            << "on 2026/12/10" << queued << false;
                QTest::addRow("%s, Alt+Down and Esc%s", dialog, tail)
                    << dialog << false << "{Alt+Down}{Right}{Esc}{Tab}{Space}{F12}" << "on 2026/11/30" << queued << false;
                QTest::addRow("%s, clicked calendar%s", dialog, tail)
                    << dialog << true << "{Right}{Return}{Tab}{Space}{F12}" << "on 2026/12/01" << queued << false;
            }
        }
    }
    void typedStageDateIsStored()
    {
        QFETCH(QString, dialog);
        QFETCH(bool, mouse);
        QFETCH(QString, keys);
        QFETCH(bool, queued);
        QFETCH(bool, undated);
        storeSlip(1, numbered(1));
        setStage(1, "受注", QStringLiteral("2026/11/30"));
        if (undated)
            connection().exec(QStringLiteral("UPDATE 伝票テーブル SET 受注日付 = NULL WHERE 伝票番号 = 1"));
        D d;
        frmDenpyoProcess one;
        one.strDenpyoID = QStringLiteral("000000001");
        frmDenpyoGroupProcess bulk;
        bulk.SelectedDenpyoIDs = {QStringLiteral("000000001")};
        ProgressDialog *dlg = dialog == QLatin1String("progress") ? static_cast<ProgressDialog *>(&one) : &bulk;
        QVERIFY(D::open(dlg));
        D::press(dlg, QStringLiteral("{Return}{Tab}"), false);
        QCOMPARE(D::focusName(), QStringLiteral("datShinko1"));
        QDateEdit *picker = dlg->datShinko[1];
        if (mouse) {
            QTest::mouseClick(picker, Qt::LeftButton, {}, QPoint(picker->width() - 4, picker->height() / 2));
            QTRY_VERIFY(picker->calendarWidget()->window()->isVisible());
        }
        D::press(dlg, keys, queued);
        QTRY_COMPARE(d.texts().size(), 1);
        QVERIFY(d.texts().first().endsWith(QStringLiteral("よろしいですか？"))
                || d.texts().first().endsWith(QStringLiteral("更新しますか？")));
        QTEST(stage(1, "受注"), "juchu");
        QCOMPARE(stage(1, "納品"), QStringLiteral("on 2026/12/09"));
        QCOMPARE(stage(1, "請求"), QStringLiteral("off"));
    }

    void slipThatHasGoneIsNotShown()
    {
        D d;
        frmDenpyoProcess dlg;
        dlg.strDenpyoID = QStringLiteral("000000009");
        dlg.show();
        QTRY_VERIFY(!dlg.isVisible());
        QCOMPARE(d.texts(), QStringList{Denpyo::MissingMessage()});
        QVERIFY(!dlg.ResultModified());
    }

    // Three slips, of which two have 受注 on one day and one has 納品 on
    // another: only the stage the user changes is written.
    void bulkChangeOfOneStage()
    {
        for (qint32 id : {1, 2, 3})
            storeSlip(id, numbered(1));
        setStage(1, "受注", QStringLiteral("2026/11/01"));
        setStage(2, "受注", QStringLiteral("2026/11/01"));
        setStage(1, "納品", QStringLiteral("2026/11/05"));
        setStage(2, "納品", QStringLiteral("2026/11/06"));
        setStage(3, "納品", QStringLiteral("2026/11/05"));
        for (qint32 id : {1, 2, 3})
            setStage(id, "請求", QStringLiteral("2026/11/10"));
        D d;
        frmDenpyoGroupProcess dlg;
        dlg.SelectedDenpyoIDs = {QStringLiteral("000000001"), QStringLiteral("000000002"), QStringLiteral("000000003")};
        QVERIFY(D::open(&dlg));
        QCOMPARE(dlg.chkShinko[0]->checkState(), Qt::Unchecked);
        QCOMPARE(dlg.chkShinko[1]->checkState(), Qt::PartiallyChecked);
        QCOMPARE(dlg.chkShinko[2]->checkState(), Qt::PartiallyChecked);
        QCOMPARE(dlg.chkShinko[3]->checkState(), Qt::Checked);
        QCOMPARE(dlg.datShinko[3]->date(), QDate(2026, 11, 10));
        QVERIFY(!dlg.datShinko[1]->isEnabled());
        QCOMPARE(dlg.lblMessage->toPlainText(),
                 QStringLiteral(" 次の3件の伝票が選択されています。\n\n   000000001\n   000000002\n   000000003\n   "));

        D::key(Qt::Key_F12);
        QCOMPARE(d.texts(), QStringList{QStringLiteral("変更されておりません。")});
        // Clearing 請求 on all three; the grey stages stay as stored.
        dlg.chkShinko[3]->setFocus();
        D::key(Qt::Key_Space);
        QVERIFY(dlg.marked(3));
        QVERIFY(!dlg.marked(1));
        D::key(Qt::Key_F12);
        QCOMPARE(d.texts().last(), QStringLiteral("選択されているすべての伝票を更新します。よろしいですか？"));
        QVERIFY(dlg.ResultModified());
        for (qint32 id : {1, 2, 3})
            QCOMPARE(stage(id, "請求"), QStringLiteral("off"));
        QCOMPARE(stage(1, "受注"), QStringLiteral("on 2026/11/01"));
        QCOMPARE(stage(3, "受注"), QStringLiteral("off"));
        QCOMPARE(stage(2, "納品"), QStringLiteral("on 2026/11/06"));
    }

    // A stage the user changed is painted on RGB(128, 128, 255) with its
    // text in the window-background colour; the others keep their colours.
    void bulkChangedStageIsPaintedInColour()
    {
        storeSlip(1, numbered(1));
        storeSlip(2, numbered(1));
        D d;
        frmDenpyoGroupProcess dlg;
        dlg.SelectedDenpyoIDs = {QStringLiteral("000000001"), QStringLiteral("000000002")};
        QVERIFY(D::open(&dlg));
        dlg.chkShinko[3]->setFocus();
        D::key(Qt::Key_Space);
        QVERIFY(dlg.marked(3));
        const QColor marked(128, 128, 255);
        const QColor text = QApplication::palette().color(QPalette::Base);
        auto count = [](QWidget *w, const QColor &colour) {
            const QImage image = w->grab().toImage().convertToFormat(QImage::Format_RGB32);
            int n = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    n += QColor(image.pixel(x, y)) == colour;
            return std::pair<int, int>(n, image.width() * image.height());
        };
        const auto [painted, all] = count(dlg.chkShinko[3], marked);
        QVERIFY2(painted * 2 > all, qPrintable(QStringLiteral("%1 of %2 pixels").arg(painted).arg(all)));
        QVERIFY(count(dlg.chkShinko[3], text).first > 0);
        QCOMPARE(count(dlg.chkShinko[2], marked).first, 0);
    }

    void bulkTickOfAGreyStageAndARefusedSlip()
    {
        storeSlip(1, numbered(1));
        storeSlip(2, numbered(1));
        setStage(1, "入金", QStringLiteral("2026/11/01"));
        D d;
        frmDenpyoGroupProcess dlg;
        dlg.SelectedDenpyoIDs = {QStringLiteral("000000001"), QStringLiteral("000000002")};
        QVERIFY(D::open(&dlg));
        QCOMPARE(dlg.chkShinko[4]->checkState(), Qt::PartiallyChecked);
        connection().exec(QStringLiteral("DELETE FROM 伝票テーブル WHERE 伝票番号 = 1"));
        dlg.chkShinko[4]->setFocus();
        D::key(Qt::Key_Space);
        QCOMPARE(dlg.chkShinko[4]->checkState(), Qt::Checked);
        QCOMPARE(dlg.datShinko[4]->date(), QDate(2026, 12, 9));
        D::key(Qt::Key_F12);
        QCOMPARE(d.texts().last(), QStringLiteral("伝票 1 を更新できませんでした。"));
        QVERIFY(dlg.ResultModified());
        QCOMPARE(stage(2, "入金"), QStringLiteral("on 2026/12/09"));
        QCOMPARE(storedLines(1), QStringList{"<no slip>"});
    }

    void notes()
    {
        storeSlip(7, numbered(2));
        D d;
        frmDenpyoNote dlg;
        dlg.strDenpyoID = QStringLiteral("000000007");
        QVERIFY(D::open(&dlg));
        QCOMPARE(dlg.lblName->text(), QStringLiteral("7 - 山田商店 / ¥300"));
        QCOMPARE(D::focusName(), QStringLiteral("txtTokkiJikou1"));
        D::type(QStringLiteral("  営業一課 "));
        D::key(Qt::Key_Return);
        D::type(QStringLiteral("O'Hara"));
        D::key(Qt::Key_Return);
        QCOMPARE(D::focusName(), QStringLiteral("txtTokkiJikou3"));
        D::type(QStringLiteral("一行目"));
        D::key(Qt::Key_Return);
        D::type(QStringLiteral("二行目  "));
        D::key(Qt::Key_Up);
        QCOMPARE(D::focusName(), QStringLiteral("txtTokkiJikou3"));
        d.answer = ui::Answer::No;
        D::key(Qt::Key_F12);
        QVERIFY(dlg.isVisible());
        d.answer = ui::Answer::Yes;
        D::key(Qt::Key_F12);
        QCOMPARE(d.texts(), QStringList(2, QStringLiteral("伝票 000000007 を更新しますか？")));
        QVERIFY(dlg.ResultModified());
        Denpyo stored;
        QVERIFY(stored.Load(7));
        QCOMPARE(stored.Bumon(), QStringLiteral("営業一課"));
        QCOMPARE(stored.Tanto(), QStringLiteral("O'Hara"));
        QCOMPARE(stored.Memo(), QStringLiteral("一行目\r\n二行目"));
        QCOMPARE(stored.Meisais().Count(), 2);
    }
};

QTEST_MAIN(tst_ProgressDialogs)
#include "tst_progressdialogs.moc"
