#include "../masters/DateKeys.h"
#include "SlipFixture.h"
#include "platform/ui/Twips.h"
#include "slips/frmDenpyoCopy.h"
#include "slips/frmDenpyoGroupProcess.h"
#include "slips/frmDenpyoList.h"
#include "slips/frmDenpyoNote.h"
#include "slips/frmDenpyoProcess.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QDateEdit>
#include <QFrame>
#include <memory>

using D = DialogDriver;
using namespace slipfixture;

// What the slip dialogs share: their date pickers, title rules and captions,
// looked at in each dialog that has them.
class tst_SlipDialogParts : public QObject {
    Q_OBJECT

    std::optional<testsupport::OpenedProgramFolder> m_folder;

    // Opens one of the dialogs on slips 1 and 2, which have 受注 on the
    // same day, so that its picker is usable.
    static std::unique_ptr<QDialog> open(const QString &which)
    {
        std::unique_ptr<QDialog> dialog;
        if (which == QLatin1String("finder")) {
            dialog = std::make_unique<frmDenpyoList>();
        } else if (which == QLatin1String("copy") || which == QLatin1String("split")) {
            auto copy = std::make_unique<frmDenpyoCopy>();
            copy->Mode = which == QLatin1String("copy") ? QStringLiteral("Copy") : QStringLiteral("Split");
            copy->FromDenpyoID = QStringLiteral("000000001");
            dialog = std::move(copy);
        } else if (which == QLatin1String("progress")) {
            auto process = std::make_unique<frmDenpyoProcess>();
            process->strDenpyoID = QStringLiteral("000000001");
            dialog = std::move(process);
        } else if (which == QLatin1String("bulk progress")) {
            auto group = std::make_unique<frmDenpyoGroupProcess>();
            group->SelectedDenpyoIDs = {QStringLiteral("000000001"), QStringLiteral("000000002")};
            dialog = std::move(group);
        } else {
            auto note = std::make_unique<frmDenpyoNote>();
            note->strDenpyoID = QStringLiteral("000000001");
            dialog = std::move(note);
        }
        if (!D::open(dialog.get()))
            return nullptr;
        // The line transfer's picker is usable once the destination is
        // decided: Enter in the number box takes a new slip.
        if (which == QLatin1String("copy") || which == QLatin1String("split"))
            D::key(Qt::Key_Return);
        return dialog;
    }

    static QStringList allDialogs() { return {"finder", "copy", "split", "progress", "bulk progress", "note"}; }

private slots:
    void init()
    {
        setFixedNow(QDateTime(QDate(2026, 12, 9), QTime(10, 0)));
        m_folder.emplace();
        for (qint32 id : {1, 2}) {
            storeSlip(id, numbered(2));
            connection().exec(
                QStringLiteral("UPDATE 伝票テーブル SET 受注 = 1, 受注日付 = '2026/11/30' WHERE 伝票番号 = %1").arg(id));
        }
    }
    void cleanup()
    {
        m_folder.reset();
        setFixedNow(QDateTime());
    }

    // A date picker is one stop of the tab chain both ways, as the slip
    // editor's date box, not one stop per year, month and day.
    void datePickerIsOneTabStop_data()
    {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("picker");
        QTest::addColumn<QString>("after");
        QTest::newRow("finder") << "finder" << "txtSearchDenpyoID" << "dtpSearchNouki" << "cmbSearchNouki";
        QTest::newRow("copy") << "copy" << "" << "datToNouki" << "lstSelectable";
        QTest::newRow("split") << "split" << "" << "datToNouki" << "lstSelectable";
        QTest::newRow("progress") << "progress" << "chkShinko1" << "datShinko1" << "chkShinko2";
        QTest::newRow("bulk progress") << "bulk progress" << "chkShinko1" << "datShinko1" << "chkShinko2";
    }
    void datePickerIsOneTabStop()
    {
        QFETCH(QString, dialog);
        QFETCH(QString, before);
        QFETCH(QString, picker);
        QFETCH(QString, after);
        D d;
        const std::unique_ptr<QDialog> window = open(dialog);
        QVERIFY(window);
        auto *dateBox = window->findChild<QDateEdit *>(picker);
        QVERIFY(dateBox && dateBox->isEnabled());
        if (before.isEmpty()) {
            dateBox->setFocus();
        } else {
            window->findChild<QWidget *>(before)->setFocus();
            D::key(Qt::Key_Tab);
        }
        QCOMPARE(D::focusName(), picker);
        D::key(Qt::Key_Tab);
        QCOMPARE(D::focusName(), after);
        D::key(Qt::Key_Backtab);
        QCOMPARE(D::focusName(), picker);
        // Shift+Tab leaves it at once as well.
        D::key(Qt::Key_Backtab);
        QVERIFY(D::focusName() != picker);
        if (!before.isEmpty())
            QCOMPARE(D::focusName(), before);
    }

    // Dates typed into every dialog's picker as users type them, each key
    // handled as it comes or all waiting in the queue first. The picker
    // starts on the date the dialog gives it; "=" expects that date, "+N"
    // the date N days on, "dN" that date on day N.
    void datePickerTakesDatesAsTyped_data()
    {
        datekeys::addDateKeyRows({"progress", "bulk progress", "copy", "split", "finder"});
    }
    void datePickerTakesDatesAsTyped()
    {
        QFETCH(QString, window);
        const QHash<QString, QPair<QString, QString>> around = {
            {"progress", {"datShinko1", "chkShinko2"}},    {"bulk progress", {"datShinko1", "chkShinko2"}},
            {"copy", {"datToNouki", "lstSelectable"}},     {"split", {"datToNouki", "lstSelectable"}},
            {"finder", {"dtpSearchNouki", "cmbSearchNouki"}},
        };
        D d;
        const std::unique_ptr<QDialog> dialog = open(window);
        QVERIFY(dialog);
        datekeys::checkDateKeys(dialog.get(), dialog->findChild<QDateEdit *>(around.value(window).first),
                                dialog->findChild<QWidget *>(around.value(window).second));
        QVERIFY(d.messages.isEmpty());
    }

    // The etched rule under the title runs to the window's right edge,
    // however wide the window is made.
    void titleRuleFollowsTheWidth_data()
    {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<int>("margin"); // twips from the rule's end to the window's right edge
        QTest::newRow("copy") << "copy" << 380 - 120;
        QTest::newRow("split") << "split" << 380 - 120;
        QTest::newRow("note") << "note" << 500 - 120;
    }
    void titleRuleFollowsTheWidth()
    {
        QFETCH(QString, dialog);
        QFETCH(int, margin);
        D d;
        const std::unique_ptr<QDialog> window = open(dialog);
        QVERIFY(window);
        for (int extra : {0, 300, 120}) {
            window->resize(window->minimumWidth() + extra, window->height());
            QTRY_COMPARE(window->width(), window->minimumWidth() + extra);
            int lines = 0;
            for (QFrame *line : window->findChildren<QFrame *>(Qt::FindDirectChildrenOnly)) {
                if (line->frameShape() != QFrame::HLine)
                    continue;
                ++lines;
                const int end = line->geometry().x() + line->geometry().width();
                const int expected = window->width() - ui::twipsToPixelsX(margin, window.get());
                QVERIFY2(std::abs(end - expected) <= 2, qPrintable(QStringLiteral("at width %1 a line ends at %2, not %3")
                                                                      .arg(window->width())
                                                                      .arg(end)
                                                                      .arg(expected)));
            }
            QCOMPARE(lines, 2);
        }
    }

    // Every caption and check box text is shown whole in the font used.
    void noCaptionIsClipped_data()
    {
        QTest::addColumn<QString>("dialog");
        for (const QString &name : allDialogs())
            QTest::newRow(qPrintable(name)) << name;
    }
    void noCaptionIsClipped()
    {
        QFETCH(QString, dialog);
        D d;
        const std::unique_ptr<QDialog> window = open(dialog);
        QVERIFY(window);
        const QStringList clipped = D::clippedTexts(window.get());
        QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QStringLiteral(", "))));
    }
};

QTEST_MAIN(tst_SlipDialogParts)
#include "tst_slipdialogparts.moc"
