#include "../masters/DateKeys.h"
#include "../masters/DialogDriver.h"
#include "TestSupport.h"
#include "core/DateValue.h"
#include "core/controls/ucTextInput.h"
#include "filtereditor/frmDateFromTo.h"
#include "filtereditor/frmDenpyoIDFromTo.h"
#include "filtereditor/frmIDInput.h"
#include "filtereditor/frmKingakuFromTo.h"
#include "filtereditor/frmStringInput.h"
#include "filtereditor/frmYesNo.h"
#include "filters/PeriodKeywords.h"
#include "masters/frmCustomerList.h"
#include "masters/frmShohinList.h"
#include "model/Customer.h"
#include "model/Shohin.h"
#include "platform/ui/Twips.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>
#include <memory>
#include <optional>

using D = DialogDriver;

namespace {
QString shown(QWidget *dialog, const char *name)
{
    return D::shown(dialog, name);
}

// 0 slip numbers, 1 amounts, 2 dates, 3 ID, 4 text, 5 two-way choice.
std::unique_ptr<ConditionDialog> createDialog(int which)
{
    switch (which) {
    case 0: return std::make_unique<frmDenpyoIDFromTo>();
    case 1: return std::make_unique<frmKingakuFromTo>();
    case 2: return std::make_unique<frmDateFromTo>();
    case 3: return std::make_unique<frmIDInput>();
    case 4: return std::make_unique<frmStringInput>();
    default: return std::make_unique<frmYesNo>();
    }
}
} // namespace

// The six dialogs that ask a condition's value, driven by keys.
class tst_ConditionDialogs : public QObject {
    Q_OBJECT

    std::optional<testsupport::OpenedProgramFolder> m_folder;

private slots:
    void init()
    {
        setFixedNow(QDateTime(QDate(2024, 5, 10), QTime(9, 0)));
        m_folder.emplace();
    }
    void cleanup()
    {
        m_folder.reset();
        setFixedNow(QDateTime());
    }

    // Lower bound, Enter, upper bound, Enter, Enter on OK.
    void ranges_data()
    {
        QTest::addColumn<bool>("amounts");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("result"); // empty: refused
        QTest::addColumn<QString>("shownFrom");
        QTest::addColumn<QString>("shownTo");
        QTest::newRow("both empty") << false << "" << "" << "000000000000000000" << "0" << "0";
        QTest::newRow("upper empty") << false << "5" << "" << "000000005000000005" << "5" << "5";
        QTest::newRow("upper zero") << false << "5" << "0" << "000000005000000005" << "5" << "5";
        QTest::newRow("lower empty") << false << "" << "9" << "000000000000000009" << "0" << "9";
        QTest::newRow("reversed") << false << "20" << "10" << "" << "20" << "10";
        QTest::newRow("amounts") << true << "1000" << "2500" << "000001000000002500" << "1,000" << "2,500";
        QTest::newRow("amount reversed") << true << "300" << "20" << "" << "300" << "20";
        QTest::newRow("negative amount") << true << "-5" << "10" << "" << "-5" << "10";
    }
    void ranges()
    {
        QFETCH(bool, amounts);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, result);
        QFETCH(QString, shownFrom);
        QFETCH(QString, shownTo);
        D d;
        std::unique_ptr<RangeDialog> dialog;
        if (amounts)
            dialog = std::make_unique<frmKingakuFromTo>();
        else
            dialog = std::make_unique<frmDenpyoIDFromTo>();
        QVERIFY(D::open(dialog.get()));
        const char *fromBox = amounts ? "txtKingakuFrom" : "txtDenpyoIDFrom";
        const char *toBox = amounts ? "txtKingakuTo" : "txtDenpyoIDTo";
        QCOMPARE(D::focusName(), QLatin1String(fromBox));
        D::type(from);
        D::key(Qt::Key_Return);
        QCOMPARE(D::focusName(), QLatin1String(toBox));
        D::type(to);
        D::key(Qt::Key_Return);
        QCOMPARE(D::focusName(), QStringLiteral("cmdOK"));
        D::key(Qt::Key_Return);
        const QString stored = amounts ? static_cast<frmKingakuFromTo *>(dialog.get())->ResultKingaku()
                                       : static_cast<frmDenpyoIDFromTo *>(dialog.get())->ResultDenpyoID();
        if (result.isEmpty()) {
            const QString message = amounts ? QStringLiteral("金額の範囲指定が間違っています。")
                                            : QStringLiteral("伝票№の範囲指定が間違っています。");
            QCOMPARE(d.texts(), QStringList{message});
            QCOMPARE(d.messages.first().icon, ui::Icon::Exclamation);
            QVERIFY(dialog->isVisible());
            QVERIFY(!dialog->OK());
            QCOMPARE(D::focusName(), QLatin1String(fromBox));
        } else {
            QVERIFY(d.messages.isEmpty());
            QVERIFY(!dialog->isVisible());
            QVERIFY(dialog->OK());
            QCOMPARE(stored, result);
        }
        QCOMPARE(shown(dialog.get(), fromBox), shownFrom);
        QCOMPARE(shown(dialog.get(), toBox), shownTo);
    }

    void rangesShowTheirValue()
    {
        frmDenpyoIDFromTo numbers;
        numbers.ValueString = QStringLiteral("000000012000000345");
        QVERIFY(D::open(&numbers));
        QCOMPARE(shown(&numbers, "txtDenpyoIDFrom"), QStringLiteral("12"));
        QCOMPARE(shown(&numbers, "txtDenpyoIDTo"), QStringLiteral("345"));
        frmKingakuFromTo amounts;
        amounts.ValueString = QStringLiteral("000001000000002500");
        QVERIFY(D::open(&amounts));
        // The focused box is being edited and shows the plain number.
        QCOMPARE(shown(&amounts, "txtKingakuFrom"), QStringLiteral("1000"));
        QCOMPARE(shown(&amounts, "txtKingakuTo"), QStringLiteral("2,500"));
        QCOMPARE(amounts.windowTitle(), QStringLiteral(" 金額入力"));
    }

    void datePresets()
    {
        frmDateFromTo dialog;
        QVERIFY(D::open(&dialog));
        auto *list = dialog.cmbSelect;
        QCOMPARE(list->count(), 33);
        QStringList labels;
        for (int i = 0; i < list->count(); ++i)
            labels << list->itemText(i);
        QCOMPARE(labels, PeriodKeywords::labels());
        QCOMPARE(labels.first(), QStringLiteral("昨日"));
        QCOMPARE(labels.at(18), QStringLiteral("先月(5日締)"));
        QCOMPARE(labels.last(), QStringLiteral("来月(25日締)"));
        QCOMPARE(list->currentText(), QStringLiteral("今日"));
        QCOMPARE(dialog.dateMode(), 0);
        QVERIFY(!dialog.dtpDateFrom->isEnabled());
        QVERIFY(!dialog.dtpDateTo->isEnabled());
        QCOMPARE(dialog.dtpDateFrom->date(), QDate(2024, 5, 10));
        QCOMPARE(D::focusName(), QStringLiteral("cmbSelect"));
        // Home goes to the from date, which is locked in preset mode.
        D::key(Qt::Key_Home);
        QCOMPARE(D::focusName(), QStringLiteral("cmbSelect"));
        D::key(Qt::Key_Down);
        QCOMPARE(list->currentText(), QStringLiteral("明日"));
        D::key(Qt::Key_Return);
        QCOMPARE(D::focusName(), QStringLiteral("cmdOK"));
        // Up from OK leads to the locked from date: the focus stays.
        D::key(Qt::Key_Up);
        QCOMPARE(D::focusName(), QStringLiteral("cmdOK"));
        D::key(Qt::Key_Return);
        QVERIFY(dialog.OK());
        QCOMPARE(dialog.ResultDate(), QStringLiteral("明日") + QString(14, QLatin1Char(' ')));
    }

    void dateValues_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QDate>("from");
        QTest::addColumn<QDate>("to");
        QTest::newRow("label") << "先月(20日締)" << 0 << "先月(20日締)" << QDate(2024, 5, 10) << QDate(2024, 5, 10);
        QTest::newRow("range") << "24/01/0524/01/31" << 1 << "今日" << QDate(2024, 1, 5) << QDate(2024, 1, 31);
        QTest::newRow("unknown label") << "今月末" << 0 << "今日" << QDate(2024, 5, 10) << QDate(2024, 5, 10);
        QTest::newRow("unreadable pair") << "24/13/4024/99/99" << 1 << "今日" << QDate(2024, 5, 10)
                                         << QDate(2024, 5, 10);
    }
    void dateValues()
    {
        QFETCH(QString, value);
        frmDateFromTo dialog;
        dialog.ValueString = value;
        QVERIFY(D::open(&dialog));
        QTEST(dialog.dateMode(), "mode");
        QTEST(dialog.cmbSelect->currentText(), "label");
        QTEST(dialog.dtpDateFrom->date(), "from");
        QTEST(dialog.dtpDateTo->date(), "to");
        // OK returns the value as it was loaded.
        D::key(Qt::Key_End);
        D::key(Qt::Key_Return);
        QVERIFY(dialog.OK());
        if (QByteArray(QTest::currentDataTag()) == "range")
            QCOMPARE(dialog.ResultDate(), value);
    }

    void dateRange()
    {
        D d;
        frmDateFromTo dialog;
        QVERIFY(D::open(&dialog));
        dialog.optSwitch[1]->click();
        QCOMPARE(dialog.dateMode(), 1);
        QVERIFY(!dialog.cmbSelect->isEnabled());
        D::key(Qt::Key_Home);
        QCOMPARE(D::focusName(), QStringLiteral("dtpDateFrom"));
        dialog.dtpDateFrom->setDate(QDate(2024, 5, 2));
        dialog.dtpDateTo->setDate(QDate(2024, 5, 1));
        D::key(Qt::Key_Return);
        QCOMPARE(D::focusName(), QStringLiteral("dtpDateTo"));
        D::key(Qt::Key_Return);
        D::key(Qt::Key_Return);
        QCOMPARE(d.texts(), QStringList{QStringLiteral("日付の範囲指定が間違っています。")});
        QCOMPARE(D::focusName(), QStringLiteral("dtpDateFrom"));
        QVERIFY(!dialog.OK());
        dialog.dtpDateTo->setDate(QDate(2024, 5, 2));
        D::key(Qt::Key_End);
        D::key(Qt::Key_Return);
        QVERIFY(dialog.OK());
        QCOMPARE(dialog.ResultDate(), QStringLiteral("24/05/0224/05/02"));
    }

    // Either date of the range, typed or picked in the calendar.
    void datesAsTyped_data() { datekeys::addDateKeyRows({"from", "to"}); }
    void datesAsTyped()
    {
        QFETCH(QString, window);
        D d;
        frmDateFromTo dialog;
        QVERIFY(D::open(&dialog));
        dialog.optSwitch[1]->click();
        const bool from = window == QLatin1String("from");
        datekeys::checkDateKeys(&dialog, from ? dialog.dtpDateFrom : dialog.dtpDateTo,
                                from ? static_cast<QWidget *>(dialog.dtpDateTo) : dialog.cmdOK);
        QVERIFY(d.messages.isEmpty());
    }

    void idAndText()
    {
        frmIDInput id;
        QVERIFY(D::open(&id));
        QVERIFY(!id.cmdSearch->isVisible());
        D::type(QStringLiteral("ab"));
        QCOMPARE(shown(&id, "txtString"), QStringLiteral("AB"));
        D::type(QStringLiteral("*"));
        // F11 without a picker does nothing.
        D::key(Qt::Key_F11);
        D::key(Qt::Key_Return);
        QCOMPARE(D::focusName(), QStringLiteral("cmdOK"));
        D::key(Qt::Key_Return);
        QVERIFY(id.OK());
        QCOMPARE(id.ResultString(), QStringLiteral("AB*"));

        frmStringInput empty;
        QVERIFY(D::open(&empty));
        D::key(Qt::Key_End);
        D::key(Qt::Key_Return);
        QVERIFY(empty.OK());
        QCOMPARE(empty.ResultString(), QString());
    }

    // A character the filter file cannot hold is refused before it is kept.
    void textOutsideTheFileEncoding()
    {
        D d;
        frmStringInput dialog;
        dialog.ValueString = QStringLiteral("abc\U0001F600");
        QVERIFY(D::open(&dialog));
        D::key(Qt::Key_End);
        D::key(Qt::Key_Return);
        QCOMPARE(d.texts(), QStringList{QStringLiteral("検索フィルターに保存できない文字が含まれています。")});
        QVERIFY(!dialog.OK());
        QVERIFY(dialog.isVisible());
        QCOMPARE(D::focusName(), QStringLiteral("txtString"));
    }

    void pickers_data()
    {
        QTest::addColumn<QString>("object");
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("typedID");
        QTest::addColumn<QString>("result");
        QTest::newRow("customer kana") << "Customer" << "NameKana" << "顧客検索(F11)" << "A1" << "やまだ";
        QTest::newRow("customer id") << "Customer" << "CustomerID" << "顧客検索(F11)" << "A1" << "A1";
        QTest::newRow("customer bumon") << "Customer" << "Bumon" << "顧客検索(F11)" << "A1" << "営業部";
        QTest::newRow("product maker") << "Shohin" << "Maker" << "商品検索(F11)" << "P1" << "製造所";
        QTest::newRow("product number") << "Shohin" << "Number" << "商品検索(F11)" << "P1" << "N-1";
        QTest::newRow("picker cancelled") << "Customer" << "NameKnj" << "顧客検索(F11)" << "" << "前の値";
    }
    void pickers()
    {
        Customer customer;
        customer.setCustomerID(QStringLiteral("A1"));
        customer.setNameKnj(QStringLiteral("山田"));
        customer.setNameKana(QStringLiteral("やまだ"));
        customer.setBumon(QStringLiteral("営業部"));
        QVERIFY(customer.Apply());
        Shohin product;
        product.setShohinID(QStringLiteral("P1"));
        product.setNumber(QStringLiteral("N-1"));
        product.setName(QStringLiteral("品"));
        product.setMaker(QStringLiteral("製造所"));
        QVERIFY(product.Apply());

        QFETCH(QString, object);
        QFETCH(QString, item);
        QFETCH(QString, typedID);
        frmStringInput dialog;
        dialog.SearchOptionObject = object;
        dialog.SearchOptionItemName = item;
        dialog.ValueString = QStringLiteral("前の値");
        QVERIFY(D::open(&dialog));
        QTEST(dialog.cmdSearch->text(), "caption");
        QVERIFY(dialog.cmdSearch->isVisible());
        bool opened = false;
        D::onNextModal([&](QWidget *modal) {
            opened = object == QLatin1String("Customer") ? qobject_cast<frmCustomerList *>(modal) != nullptr
                                                         : qobject_cast<frmShohinList *>(modal) != nullptr;
            if (typedID.isEmpty()) {
                D::key(Qt::Key_Escape);
                return;
            }
            D::type(typedID);
            D::key(Qt::Key_Return);
            D::key(Qt::Key_F12);
        });
        D::key(Qt::Key_F11);
        QVERIFY(opened);
        QVERIFY(D::open(&dialog));
        QTEST(shown(&dialog, "txtString"), "result");
        QVERIFY(!dialog.OK());
    }

    void yesNo_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("chosen");
        QTest::newRow("new") << "" << 0;
        QTest::newRow("Y") << "Y" << 0;
        QTest::newRow("N") << "N" << 1;
    }
    void yesNo()
    {
        QFETCH(QString, value);
        QFETCH(int, chosen);
        frmYesNo dialog;
        dialog.TrueItemName = QStringLiteral("する");
        dialog.FalseItemName = QStringLiteral("しない");
        dialog.ValueString = value;
        QVERIFY(D::open(&dialog));
        QCOMPARE(dialog.optSwitch[0]->text(), QStringLiteral("する"));
        QCOMPARE(dialog.optSwitch[1]->text(), QStringLiteral("しない"));
        QVERIFY(dialog.optSwitch[chosen]->isChecked());
        QCOMPARE(D::focusName(), QStringLiteral("optSwitch%1").arg(chosen));
        D::key(Qt::Key_Return);
        QCOMPARE(D::focusName(), QStringLiteral("cmdOK"));
        D::key(Qt::Key_Return);
        QVERIFY(dialog.OK());
        QCOMPARE(dialog.ResultValue(), chosen == 0 ? QStringLiteral("Y") : QStringLiteral("N"));
    }

    // Esc in any control closes the dialog without a value.
    void escapeCancels_data()
    {
        QTest::addColumn<int>("which");
        QTest::addColumn<int>("presses"); // Tab presses before Esc
        for (int which = 0; which < 6; ++which)
            for (int presses : {0, 1, 2})
                QTest::newRow(qPrintable(QStringLiteral("%1/%2").arg(which).arg(presses))) << which << presses;
    }
    void escapeCancels()
    {
        QFETCH(int, which);
        QFETCH(int, presses);
        const std::unique_ptr<ConditionDialog> dialog = createDialog(which);
        QVERIFY(D::open(dialog.get()));
        D::type(QStringLiteral("1"));
        for (int i = 0; i < presses; ++i)
            D::key(Qt::Key_Tab);
        D::key(Qt::Key_Escape);
        QVERIFY(!dialog->isVisible());
        QVERIFY(!dialog->OK());
    }

    // The arrow keys of the range and text dialogs: a key with a target
    // moves the focus there, from a text box Right only with the caret at
    // the end and Left only at the start with nothing selected; a text box
    // keeps a key without a target.
    void arrowKeys_data()
    {
        QTest::addColumn<int>("which"); // as createDialog
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("caret"); // -1: the whole text selected, as on entering
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("focus");
        const QString from = QStringLiteral("txtDenpyoIDFrom"), to = QStringLiteral("txtDenpyoIDTo");
        const QString ok = QStringLiteral("cmdOK"), cancel = QStringLiteral("cmdCancel");
        const QString box = QStringLiteral("txtString");
        const int down = Qt::Key_Down, up = Qt::Key_Up, right = Qt::Key_Right, left = Qt::Key_Left;
        QTest::newRow("from: Down") << 0 << from << "12" << 1 << down << ok;
        QTest::newRow("from: Right at the end") << 0 << from << "12" << 2 << right << to;
        QTest::newRow("from: Right, empty") << 0 << from << "" << 0 << right << to;
        QTest::newRow("from: Right inside") << 0 << from << "12" << 1 << right << from;
        QTest::newRow("from: Right, all selected") << 0 << from << "12" << -1 << right << from;
        QTest::newRow("from: Left at the start") << 0 << from << "12" << 0 << left << from;
        QTest::newRow("from: Up") << 0 << from << "12" << 0 << up << from;
        QTest::newRow("to: Down") << 0 << to << "34" << 1 << down << cancel;
        QTest::newRow("to: Left at the start") << 0 << to << "34" << 0 << left << from;
        QTest::newRow("to: Left, empty") << 0 << to << "" << 0 << left << from;
        QTest::newRow("to: Left inside") << 0 << to << "34" << 1 << left << to;
        QTest::newRow("to: Left, all selected") << 0 << to << "34" << -1 << left << to;
        QTest::newRow("to: Right at the end") << 0 << to << "34" << 2 << right << to;
        QTest::newRow("to: Up") << 0 << to << "34" << 2 << up << to;
        QTest::newRow("OK: Up") << 0 << ok << "" << 0 << up << from;
        QTest::newRow("OK: Right") << 0 << ok << "" << 0 << right << cancel;
        QTest::newRow("cancel: Up") << 0 << cancel << "" << 0 << up << to;
        QTest::newRow("cancel: Left") << 0 << cancel << "" << 0 << left << ok;
        // The amount boxes drop their separators while edited.
        QTest::newRow("amount from: Right at the end")
            << 1 << "txtKingakuFrom" << "1000" << 4 << right << "txtKingakuTo";
        QTest::newRow("amount from: Right inside") << 1 << "txtKingakuFrom" << "1000" << 3 << right << "txtKingakuFrom";
        QTest::newRow("amount to: Left at the start")
            << 1 << "txtKingakuTo" << "2500" << 0 << left << "txtKingakuFrom";
        QTest::newRow("amount to: Down") << 1 << "txtKingakuTo" << "2500" << 0 << down << cancel;
        QTest::newRow("amount OK: Up") << 1 << ok << "" << 0 << up << "txtKingakuFrom";
        QTest::newRow("amount cancel: Up") << 1 << cancel << "" << 0 << up << "txtKingakuTo";
        QTest::newRow("ID box: Down") << 3 << box << "A1" << 0 << down << ok;
        QTest::newRow("ID box: Right at the end") << 3 << box << "A1" << 2 << right << box;
        QTest::newRow("ID OK: Up") << 3 << ok << "" << 0 << up << box;
        QTest::newRow("ID cancel: Left") << 3 << cancel << "" << 0 << left << ok;
        QTest::newRow("text box: Down") << 4 << box << "abc" << 1 << down << ok;
        QTest::newRow("text box: Up") << 4 << box << "abc" << 0 << up << box;
        QTest::newRow("text box: Left at the start") << 4 << box << "abc" << 0 << left << box;
        QTest::newRow("text OK: Up") << 4 << ok << "" << 0 << up << box;
        QTest::newRow("text OK: Right") << 4 << ok << "" << 0 << right << cancel;
        QTest::newRow("text cancel: Up") << 4 << cancel << "" << 0 << up << box;
        QTest::newRow("text cancel: Left") << 4 << cancel << "" << 0 << left << ok;
    }
    void arrowKeys()
    {
        QFETCH(int, which);
        QFETCH(QString, from);
        QFETCH(QString, text);
        QFETCH(int, caret);
        QFETCH(int, key);
        D d;
        const std::unique_ptr<ConditionDialog> dialog = createDialog(which);
        QVERIFY(D::open(dialog.get()));
        auto *start = dialog->findChild<QWidget *>(from);
        QVERIFY(start);
        auto *input = qobject_cast<ucTextInput *>(start);
        // The control is entered afresh, as the user would.
        (start == dialog->cmdOK ? dialog->cmdCancel : dialog->cmdOK)->setFocus();
        if (input)
            input->setText(text);
        start->setFocus();
        QCOMPARE(D::focusName(), from);
        if (input) {
            QCOMPARE(input->TextBox()->text(), text);
            if (caret >= 0)
                input->TextBox()->setCursorPosition(caret);
            else
                QCOMPARE(input->TextBox()->selectedText(), text);
        }
        D::key(Qt::Key(key));
        QTEST(D::focusName(), "focus");
        QVERIFY(dialog->isVisible());
        QVERIFY(d.messages.isEmpty());
    }

    // The dialog lies in the editor's frame, below its caption, and no
    // wider than it, also where the editor is at its narrowest.
    void placement_data()
    {
        QTest::addColumn<int>("which");
        QTest::addColumn<int>("frameTwips");
        for (int which = 0; which < 6; ++which) {
            QTest::addRow("dialog %d, wide frame", which) << which << 9000;
            QTest::addRow("dialog %d, narrowest editor", which) << which << 7095 - 2720;
        }
    }
    void placement()
    {
        QFETCH(int, which);
        QFETCH(int, frameTwips);
        QWidget editor;
        editor.resize(800, 500);
        auto *frame = new QGroupBox(&editor);
        frame->setObjectName(QStringLiteral("frmChild"));
        frame->setGeometry(160, 64, ui::twipsToPixelsX(frameTwips, &editor), 113);
        QVERIFY(D::open(&editor));
        const std::unique_ptr<ConditionDialog> dialog = createDialog(which);
        dialog->setParent(&editor, dialog->windowFlags());
        dialog->ofrmFind = &editor;
        QVERIFY(D::open(dialog.get()));
        const QPoint corner = frame->mapToGlobal(QPoint(0, 0));
        const int inset = ui::twipsToPixelsX(150, frame);
        QCOMPARE(dialog->x(), corner.x() + inset);
        QVERIFY(dialog->y() > corner.y());
        QCOMPARE(dialog->width(), frame->width() - inset);
        // Every caption is whole within the dialog, none on its edge.
        const QStringList clipped = D::clippedTexts(dialog.get());
        QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QStringLiteral(", "))));
        // The boxes that give way still show a whole amount.
        for (QLineEdit *box : dialog->findChildren<QLineEdit *>())
            QVERIFY(box->width() > box->fontMetrics().horizontalAdvance(QStringLiteral("-12,345,678")));
        for (QLabel *label : dialog->findChildren<QLabel *>()) {
            const QRect shown(label->mapTo(dialog.get(), QPoint(0, 0)), label->size());
            QVERIFY2(dialog->contentsRect().contains(shown), qPrintable(label->text()));
        }
    }
};

QTEST_MAIN(tst_ConditionDialogs)
#include "tst_conditiondialogs.moc"
