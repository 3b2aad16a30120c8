#include "../masters/DialogDriver.h"
#include "../support/RunSelf.h"
#include "TestSupport.h"

#include "core/Globals.h"
#include "core/Startup.h"
#include "platform/report/PreviewWidget.h"
#include "core/controls/ucJaInput.h"
#include "core/dialogs/frmNameInput.h"
#include "platform/report/DesignCanvas.h"
#include "platform/report/LayoutDesigner.h"
#include "platform/report/LayoutFile.h"
#include "platform/report/PropertyPanel.h"
#include "model/Denpyo.h"
#include "platform/report/PagePainter.h"
#include "platform/report/PreviewDialog.h"
#include "printing/DenpyoPrint.h"
#include "printing/PrintFormOption.h"
#include "printing/PrintItemNames.h"
#include "printing/frmItemName.h"
#include "printing/frmList.h"
#include "printing/frmPrintForm.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QBuffer>
#include <QComboBox>
#include <QFileDialog>
#include <QImage>
#include <QPainter>
#include <QSignalSpy>
#include <QSpinBox>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

using D = DialogDriver;
using Ref = report::LayoutDesigner::ControlRef;

namespace {

report::Control control(report::ControlKind kind, const QString &name, int top, const QString &text = QString())
{
    report::Control c;
    c.kind = kind;
    c.name = name;
    c.top = top;
    c.width = 2000;
    c.height = 300;
    c.text = text.isEmpty() ? name : text;
    return c;
}

// Field1, Label1, Field2, Field3 one below the other.
report::Layout fourControls()
{
    report::Layout l = report::LayoutDesigner::blankLayout();
    l.sections[0].controls = {control(report::ControlKind::TextBox, "Field1", 0),
                              control(report::ControlKind::Label, "Label1", 600),
                              control(report::ControlKind::TextBox, "Field2", 1200),
                              control(report::ControlKind::TextBox, "Field3", 1800)};
    return l;
}

// A picture file of one colour, wider than high, so that a zoomed picture
// leaves the top and bottom of its box free.
QByteArray pngBytes(const QColor &colour)
{
    QImage image(40, 20, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// Answers the file box of the property panel's picture button with a path.
void choosePictureFile(const QString &path)
{
    D::onNextModal([path](QWidget *modal) {
        auto *box = qobject_cast<QFileDialog *>(modal);
        QVERIFY(box);
        auto *name = box->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        QVERIFY(name);
        name->setText(path);
        QTest::keyClick(name, Qt::Key_Return);
    });
}

QStringList texts(const report::Layout &l)
{
    QStringList out;
    for (const report::Control &c : l.sections.value(0).controls)
        out << c.text;
    return out;
}

// Chooses a row of the item-name picker when it opens.
void pickItemName(const QString &row)
{
    D::onNextModal([row](QWidget *modal) {
        auto *picker = qobject_cast<frmItemName *>(modal);
        QVERIFY(picker);
        const auto found = picker->List1->findItems(row, Qt::MatchExactly);
        QCOMPARE(found.size(), 1);
        picker->List1->setCurrentItem(found.first());
        QVERIFY(picker->cmdOK->isEnabled());
        QTest::mouseClick(picker->cmdOK, Qt::LeftButton);
    });
}

} // namespace

class tst_frmPrintForm : public QObject {
    Q_OBJECT

    std::optional<testsupport::OpenedProgramFolder> m_folder;
    std::unique_ptr<frmPrintForm> m_window;

    std::unique_ptr<frmPrintForm> open(const QString &kind, const QString &name)
    {
        auto w = std::make_unique<frmPrintForm>();
        w->ObjectName = kind;
        w->FormName = name;
        w->show();
        w->activateWindow();
        if (!QTest::qWaitForWindowActive(w.get()))
            qWarning("the designer did not become active");
        return w;
    }

    static QPoint at(frmPrintForm &w, int left, int top)
    {
        report::DesignCanvas *canvas = w.ard->canvas();
        const report::Layout &l = w.ard->layout();
        return canvas->toCanvas(QPointF(l.pageSetup.leftMargin + left, canvas->sectionTop(0) + top)).toPoint();
    }

    static void writeLayout(const QString &path, const report::Layout &layout)
    {
        report::saveLayout(path, layout);
    }

private slots:
    void init()
    {
        m_folder.emplace();
        QDir().mkpath(programFolder() + QStringLiteral("/Define/DenpyoPrintSampleForm"));
        QFile::copy(QStringLiteral(QVX_SAMPLES "/DenpyoPrintSampleForm/納品書.rpx"),
                    programFolder() + QStringLiteral("/Define/DenpyoPrintSampleForm/納品書.rpx"));
    }

    void cleanup()
    {
        m_window.reset();
        m_folder.reset();
    }

    // A slip print form drawn with the mouse and the keys, registered, and
    // run by the report with slip data.
    void newSlipFormByMouseAndKeys()
    {
        D d;
        m_window = open("Denpyo", QString());
        frmPrintForm &w = *m_window;
        QCOMPARE(w.windowTitle(), QStringLiteral(" 伝票印刷フォーム"));
        QVERIFY(w.txtName->Enabled());
        QVERIFY(!w.cmdItemName->isEnabled());
        QVERIFY(w.picOnlySelectOption->isHidden());

        // Mouse: the text-box tool, then a box drawn on the page.
        auto *bar = w.ard->findChild<QToolBar *>();
        QTest::mouseClick(bar->widgetForAction(w.ard->toolAction(report::LayoutDesigner::Tool::TextBox)),
                          Qt::LeftButton);
        report::DesignCanvas *canvas = w.ard->canvas();
        QTest::mousePress(canvas, Qt::LeftButton, {}, at(w, 6000, 300));
        QTest::mouseMove(canvas, at(w, 9000, 600));
        QTest::mouseRelease(canvas, Qt::LeftButton, {}, at(w, 9000, 600));
        const report::Control *number = w.ard->control({0, 0});
        QVERIFY(number);
        QCOMPARE(number->name, QStringLiteral("Field1"));
        QVERIFY(qAbs(number->left - 6000) <= 30 && qAbs(number->width - 3000) <= 30);
        QVERIFY(w.cmdItemName->isEnabled());
        pickItemName("P_伝票番号");
        QTest::mouseClick(w.cmdItemName, Qt::LeftButton);
        QCOMPARE(w.ard->control({0, 0})->text, QStringLiteral("P_伝票番号"));

        // Keys: three text boxes put in place, each moved down by Ctrl+Down.
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        canvas->setFocus();
        for (int i = 0; i < 3; ++i) {
            QTest::keyClick(canvas, Qt::Key_2, Qt::ControlModifier);
            QTest::keyClick(canvas, Qt::Key_Return);
            for (int step = 0; step < 4 * (i + 1); ++step)
                QTest::keyClick(canvas, Qt::Key_Down, Qt::ControlModifier);
        }
        QTest::keyClick(canvas, Qt::Key_Right); // nudged
        QTest::keyClick(canvas, Qt::Key_Right, Qt::ShiftModifier); // widened
        const report::Control *last = w.ard->control({0, 3});
        QVERIFY(last);
        QCOMPARE(last->name, QStringLiteral("Field4"));
        QCOMPARE(QPoint(last->left, last->top), QPoint(30, 1800));
        QCOMPARE(last->width, 1530);
        // Tab steps the selection back to the first text box.
        QTest::keyClick(canvas, Qt::Key_Tab);
        QCOMPARE(w.ard->selection(), (QVector<Ref>{{0, 0}}));

        // Field2, Field3 and Field4 chosen by Ctrl-click get rows 1 to 3.
        QTest::mouseClick(canvas, Qt::LeftButton, {}, at(w, 100, 700));
        QTest::mouseClick(canvas, Qt::LeftButton, Qt::ControlModifier, at(w, 100, 1300));
        QTest::mouseClick(canvas, Qt::LeftButton, Qt::ControlModifier, at(w, 100, 1900));
        QCOMPARE(w.ard->selection(), (QVector<Ref>{{0, 1}, {0, 2}, {0, 3}}));
        pickItemName("1_品名");
        QTest::mouseClick(w.cmdItemName, Qt::LeftButton);

        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        w.txtName->setFocus();
        D::type(QStringLiteral("納品書A"));
        QTest::mouseClick(w.cmdOK, Qt::LeftButton);
        QCOMPARE(d.texts(), QStringList{QStringLiteral("伝票印刷フォーム 納品書A を登録しますか？")});
        QVERIFY(w.lstError->count() == 0);
        QVERIFY(w.ResultModified);
        QVERIFY(!w.isVisible());

        // The slip print runs the registered form: three lines a page, the
        // slip number on each.
        Denpyo slip;
        slip.setDenpyoID(123);
        for (int r = 1; r <= 4; ++r)
            slip.Meisais().Add().setItemName(QStringLiteral("品%1").arg(r));
        QVector<report::Page> pages;
        report::setPreviewDriver([&pages](report::PreviewDialog &preview) {
            pages = preview.viewer()->pages();
            return int(QDialog::Accepted);
        });
        const bool printed = PrintDenpyo(slip, gstrDenpyoPrintFormFolder, QStringLiteral("納品書A"),
                                         QDateTime(QDate(2026, 12, 10), QTime(9, 0)));
        report::setPreviewDriver({});
        QVERIFY(printed);
        QCOMPARE(pages.size(), 2);
        QCOMPARE(pages[0].texts(), (QStringList{"123", "品1", "品2", "品3"}));
        QCOMPARE(pages[1].texts(), (QStringList{"123", "品4"}));
    }

    void numbering_data()
    {
        QTest::addColumn<QVector<Ref>>("order");
        QTest::addColumn<QString>("picked");
        QTest::addColumn<QStringList>("expected");

        const Ref a{0, 0}, label{0, 1}, b{0, 2}, c{0, 3};
        QTest::newRow("A, B, C") << QVector<Ref>{a, b, c} << "1_品名"
                                 << QStringList{"1_品名", "Label1", "2_品名", "3_品名"};
        QTest::newRow("A, label, B, C") << QVector<Ref>{a, label, b, c} << "1_品名"
                                        << QStringList{"1_品名", "Label1", "3_品名", "4_品名"};
        QTest::newRow("C, A") << QVector<Ref>{c, a} << "1_@様" << QStringList{"2_@様", "Label1", "Field2", "1_@様"};
        QTest::newRow("page item for all") << QVector<Ref>{a, b, c} << "P_印刷日付"
                                           << QStringList{"P_印刷日付", "Label1", "P_印刷日付", "P_印刷日付"};
    }

    void numbering()
    {
        QFETCH(QVector<Ref>, order);
        QFETCH(QString, picked);
        QFETCH(QStringList, expected);
        D d;
        m_window = open("Denpyo", QString());
        m_window->ard->setLayout(fourControls());
        m_window->ard->setSelection(order);
        QVERIFY(m_window->cmdItemName->isEnabled());
        pickItemName(picked);
        m_window->ItemNameSelect();
        QCOMPARE(texts(m_window->ard->layout()), expected);

        m_window->ard->setSelection({{0, 1}});
        QVERIFY(!m_window->cmdItemName->isEnabled());
    }

    // Rubber band and Ctrl-click keep the order of selection; the band
    // takes the controls it touches.
    void selectionByBand()
    {
        m_window = open("Denpyo", QString());
        frmPrintForm &w = *m_window;
        w.ard->setLayout(fourControls());
        report::DesignCanvas *canvas = w.ard->canvas();
        QTest::mousePress(canvas, Qt::LeftButton, {}, at(w, 2500, 1000));
        QTest::mouseMove(canvas, at(w, 100, 1900));
        QTest::mouseRelease(canvas, Qt::LeftButton, {}, at(w, 100, 1900));
        QCOMPARE(w.ard->selection(), (QVector<Ref>{{0, 2}, {0, 3}}));
        QTest::mouseClick(canvas, Qt::LeftButton, Qt::ControlModifier, at(w, 100, 100));
        QCOMPARE(w.ard->selection(), (QVector<Ref>{{0, 2}, {0, 3}, {0, 0}}));
        QTest::mouseClick(canvas, Qt::LeftButton, Qt::ControlModifier, at(w, 100, 1300));
        QCOMPARE(w.ard->selection(), (QVector<Ref>{{0, 3}, {0, 0}}));

        // Copy, paste and delete by keys.
        canvas->setFocus();
        QTest::keyClick(canvas, Qt::Key_C, Qt::ControlModifier);
        QTest::keyClick(canvas, Qt::Key_V, Qt::ControlModifier);
        const auto &controls = w.ard->layout().sections[0].controls;
        QCOMPARE(controls.size(), 6);
        QCOMPARE(controls[4].name, QStringLiteral("Field4"));
        QCOMPARE(controls[5].name, QStringLiteral("Field5"));
        QCOMPARE(controls[4].top, 1800 + 150);
        QTest::keyClick(canvas, Qt::Key_Delete);
        QCOMPARE(w.ard->layout().sections[0].controls.size(), 4);
        QVERIFY(w.isChanged());
    }

    // A handle resizes its control; a line is drawn from end to end and
    // keeps its direction.
    void resizeAndLines()
    {
        m_window = open("Denpyo", QString());
        frmPrintForm &w = *m_window;
        w.ard->setLayout(fourControls());
        report::DesignCanvas *canvas = w.ard->canvas();
        QTest::mouseClick(canvas, Qt::LeftButton, {}, at(w, 100, 100));
        QTest::mousePress(canvas, Qt::LeftButton, {}, at(w, 2000, 300));
        QTest::mouseMove(canvas, at(w, 3000, 450));
        QTest::mouseRelease(canvas, Qt::LeftButton, {}, at(w, 3000, 450));
        const report::Control *c = w.ard->control({0, 0});
        QVERIFY(qAbs(c->width - 3000) <= 30 && qAbs(c->height - 450) <= 30);
        QCOMPARE(QPoint(c->left, c->top), QPoint(0, 0));

        w.ard->setTool(report::LayoutDesigner::Tool::Line);
        QTest::mousePress(canvas, Qt::LeftButton, {}, at(w, 5000, 3000));
        QTest::mouseMove(canvas, at(w, 4000, 2500));
        QTest::mouseRelease(canvas, Qt::LeftButton, {}, at(w, 4000, 2500));
        const report::Control *line = w.ard->control({0, 4});
        QVERIFY(line);
        QCOMPARE(line->kind, report::ControlKind::Line);
        QCOMPARE(line->name, QStringLiteral("Line1"));
        QVERIFY(qAbs(line->width + 1000) <= 30 && qAbs(line->height + 500) <= 30);
        QCOMPARE(w.ard->tool(), report::LayoutDesigner::Tool::Pointer);
        // The line is found by a click on its middle, not on its box's corner.
        QTest::mouseClick(canvas, Qt::LeftButton, {}, at(w, 4500, 2750));
        QCOMPARE(w.ard->selection(), (QVector<Ref>{{0, 4}}));
        QTest::mouseClick(canvas, Qt::LeftButton, {}, at(w, 4100, 2900));
        QVERIFY(w.ard->selection().isEmpty());

        // The section's bottom edge drags its height.
        const int height = w.ard->layout().sections[0].height;
        QTest::mousePress(canvas, Qt::LeftButton, {}, at(w, 8000, height));
        QTest::mouseMove(canvas, at(w, 8000, 9000));
        QTest::mouseRelease(canvas, Qt::LeftButton, {}, at(w, 8000, 9000));
        QVERIFY(qAbs(w.ard->layout().sections[0].height - 9000) <= 15);
        QCOMPARE(w.ard->propertyPanel()->sectionHeightBox->value(), w.ard->layout().sections[0].height);

        // A rectangle with the default size from a click.
        w.ard->setTool(report::LayoutDesigner::Tool::Rectangle);
        QTest::mouseClick(canvas, Qt::LeftButton, {}, at(w, 6000, 6000));
        const report::Control *shape = w.ard->control({0, 5});
        QVERIFY(shape);
        QCOMPARE(shape->kind, report::ControlKind::Shape);
        QCOMPARE(QSize(shape->width, shape->height), QSize(2000, 1000));
    }

    // Controls at the far edge of what a layout may hold are drawn and
    // edited, and what the designer writes loads again.
    void farAwayControls()
    {
        m_window = open("Denpyo", QString());
        report::Layout l = fourControls();
        l.sections[0].height = report::kMaxTwips;
        report::Section second = l.sections[0];
        second.name = QStringLiteral("Second");
        l.sections.append(second);
        report::Control &c = l.sections[0].controls[0];
        c.left = report::kMaxTwips;
        c.top = report::kMaxTwips;
        c.width = report::kMaxTwips;
        c.height = -report::kMaxTwips;
        ui::setMessageResponder([](const ui::MessageRequest &) { return ui::Answer::Ok; });
        m_window->ard->setLayout(l);
        ui::setMessageResponder({});
        QVERIFY(!m_window->ard->canvas()->grab(QRect(0, 0, 400, 400)).isNull());
        m_window->ard->setSelection({{0, 0}, {1, 0}});
        m_window->ard->moveSelection(150000, 150000);
        m_window->ard->resizeSelection(report::kMaxTwips, report::kMaxTwips);
        QCOMPARE(m_window->ard->control({0, 0})->left, report::kMaxTwips);
        QCOMPARE(m_window->ard->control({1, 0})->width, report::kMaxTwips);
        m_window->ard->copySelection();
        m_window->ard->paste();
        QVERIFY(!m_window->ard->canvas()->grab(QRect(0, 0, 400, 400)).isNull());
        const QString path = gstrDenpyoPrintFormFolder + QStringLiteral("far.rpx");
        m_window->ard->saveLayoutFile(path);
        QCOMPARE(report::loadLayout(path).sections, m_window->ard->layout().sections);
    }

    // The panel edits the first selected control; a name another control
    // has is refused.
    void propertyPanel()
    {
        m_window = open("Denpyo", QString());
        frmPrintForm &w = *m_window;
        w.ard->setLayout(fourControls());
        w.ard->setSelection({{0, 2}});
        report::PropertyPanel *panel = w.ard->propertyPanel();
        panel->textEdit->setFocus();
        panel->textEdit->selectAll();
        D::type(QStringLiteral("P_顧客名"));
        panel->widthBox->setValue(3000);
        panel->alignBox->setCurrentIndex(2);
        panel->borderBox->setChecked(true);
        panel->formatEdit->setFocus();
        D::type(QStringLiteral("#,##0"));
        panel->nameEdit->setFocus();
        panel->nameEdit->selectAll();
        D::type(QStringLiteral("Field1"));
        D::key(Qt::Key_Return);
        const report::Control *c = w.ard->control({0, 2});
        QCOMPARE(c->text, QStringLiteral("P_顧客名"));
        QCOMPARE(c->width, 3000);
        QCOMPARE(c->align, report::HAlign::Right);
        QVERIFY(c->border);
        QCOMPARE(c->outputFormat, QStringLiteral("#,##0"));
        QCOMPARE(c->name, QStringLiteral("Field2"));
        QCOMPARE(panel->nameEdit->text(), QStringLiteral("Field2"));
    }

    // A property box takes pasted text by the rule of every entry field:
    // what it shows is what the control and its file keep.
    void propertyBoxesTakeWhatTheyKeep_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("shown");
        QTest::newRow("text, a control character") << "textEdit" << QString::fromUtf16(u"a\u0001b") << "ab";
        QTest::newRow("text, NUL and noncharacters")
            << "textEdit" << QString::fromUtf16(u"a") + QChar(0) + QString::fromUtf16(u"b\uFFFEc\uFFFFd") << "abcd";
        QTest::newRow("text, as CP932 keeps it") << "textEdit" << QString::fromUtf16(u"1\u301C2") << QString::fromUtf16(u"1\uFF5E2");
        QTest::newRow("tag, tab and line break") << "tagEdit" << QString::fromUtf16(u"1,\t25\r\n") << "1,25";
        QTest::newRow("format") << "formatEdit" << QString::fromUtf16(u"#,##0\u001F.##") << "#,##0.##";
        QTest::newRow("name") << "nameEdit" << QString::fromUtf16(u"Fie\u0007ld9") << "Field9";
        // Nothing is left of it: the name is refused and stays.
        QTest::newRow("name of control characters only") << "nameEdit" << QString::fromUtf16(u"\u0001\u0002") << "Field2";
    }
    void propertyBoxesTakeWhatTheyKeep()
    {
        QFETCH(QString, box);
        QFETCH(QString, pasted);
        QFETCH(QString, shown);
        m_window = open("Denpyo", QString());
        frmPrintForm &w = *m_window;
        w.ard->setLayout(fourControls());
        w.ard->setSelection({{0, 2}});
        auto *edit = w.ard->propertyPanel()->findChild<QLineEdit *>(box);
        QVERIFY(edit);
        edit->setFocus();
        edit->selectAll();
        QGuiApplication::clipboard()->setText(pasted);
        D::key(Qt::Key_V, Qt::ControlModifier);
        if (edit == w.ard->propertyPanel()->nameEdit)
            D::key(Qt::Key_Return);
        QCOMPARE(edit->text(), shown);
        const auto value = [&box](const report::Control &c) {
            return box == QLatin1String("nameEdit") ? c.name
                 : box == QLatin1String("textEdit") ? c.text
                 : box == QLatin1String("tagEdit")  ? c.tag
                                                    : c.outputFormat;
        };
        QCOMPARE(value(*w.ard->control({0, 2})), shown);
        const QString path = gstrDenpyoPrintFormFolder + QStringLiteral("pasted.rpx");
        w.ard->saveLayoutFile(path);
        QCOMPARE(value(report::loadLayout(path).sections[0].controls[2]), shown);
    }

    void registerRefusals()
    {
        D d;
        writeLayout(gstrDenpyoPrintFormFolder + QStringLiteral("abc.rpx"), report::LayoutDesigner::blankLayout());
        m_window = open("Denpyo", QString());
        frmPrintForm &w = *m_window;
        const QStringList before = QDir(gstrDenpyoPrintFormFolder).entryList(QDir::Files);

        QVERIFY(!w.Regist());
        w.txtName->setText(QStringLiteral("a/b"));
        QVERIFY(!w.Regist());
        w.txtName->setText(QStringLiteral("ABC"));
        QVERIFY(!w.Regist());
        QCOMPARE(d.texts(), (QStringList{QStringLiteral("印刷フォーム名を入力してください。"),
                                         QStringLiteral("印刷フォーム名には次の文字は使えません。\r\n\t\\/:*?<>|"),
                                         QStringLiteral("このフォーム名は既に登録されています。")}));
        QCOMPARE(QDir(gstrDenpyoPrintFormFolder).entryList(QDir::Files), before);
        QVERIFY(w.isVisible());
    }

    // Faults are listed; No writes nothing, Yes writes the layout as it is.
    void registerWithFaults()
    {
        D d;
        m_window = open("Denpyo", QString());
        frmPrintForm &w = *m_window;
        report::Layout l = fourControls();
        l.sections[0].controls[0].text = QStringLiteral("X_印刷日付");
        w.ard->setLayout(l);
        w.txtName->setText(QStringLiteral("  月次 "));
        const QString path = gstrDenpyoPrintFormFolder + QStringLiteral("月次.rpx");
        d.answer = ui::Answer::No;
        QVERIFY(!w.Regist());
        QVERIFY(!QFile::exists(path));
        QVERIFY(w.isVisible());
        QCOMPARE(d.texts().last(), QStringLiteral("定義内容に間違いがあります。\r\n\r\n"
                                                  "このまま、伝票印刷フォーム 月次 を登録しますか？"));
        QCOMPARE(w.lstError->count(), 3);
        QCOMPARE(w.lstError->item(0)->text(), QStringLiteral("Field1 / X_印刷日付 / 形式が間違っています。(P_データベース項目名, "
                                                             "F_データベース項目名, L_データベース項目名, 99_データベース項目名)"));
        d.answer = ui::Answer::Yes;
        QVERIFY(w.Regist());
        QCOMPARE(report::loadLayout(path).sections, l.sections);
    }

    // Once a new print form is saved, the window goes on with it: saving
    // again overwrites it and closing with "Yes" saves and closes.
    void newFormSavedTwice()
    {
        D d;
        m_window = open("Denpyo", QString());
        frmPrintForm &w = *m_window;
        w.txtName->setText(QStringLiteral("n1"));
        w.ard->setLayout(fourControls());
        w.SaveOverwrite();
        const QString path = gstrDenpyoPrintFormFolder + QStringLiteral("n1.rpx");
        QVERIFY(QFile::exists(path));
        QVERIFY(!w.txtName->Enabled());
        QVERIFY(!w.isChanged());
        w.ard->setSelection({{0, 0}});
        w.ard->moveSelection(300, 0);
        w.SaveOverwrite();
        QCOMPARE(report::loadLayout(path).sections[0].controls[0].left, 300);
        w.ard->moveSelection(300, 0);
        d.answer = ui::Answer::Yes;
        w.reject();
        QVERIFY(!w.isVisible());
        QCOMPARE(report::loadLayout(path).sections[0].controls[0].left, 600);
        QCOMPARE(d.texts(), QStringList{QStringLiteral("レイアウトが変更されています。保存しますか？")});
        QVERIFY(w.ResultModified);
    }

    void optionRoundTrip_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QVector<bool>>("checks");
        QTest::addColumn<QString>("userData");

        QTest::newRow("slip list, only selected") << "DenpyoList" << QVector<bool>{true, false, false} << "1;0;0;";
        QTest::newRow("slip list, selected and lines") << "DenpyoList" << QVector<bool>{true, true, false} << "1;1;0;";
        QTest::newRow("invoice, lines apart") << "TsukiSeikyusho" << QVector<bool>{false, true, true} << "0;1;1;";
        QTest::newRow("customer list, none") << "CustomerList" << QVector<bool>{false, false, false} << "0;0;0;";
        QTest::newRow("customer keeps three flags") << "Customer" << QVector<bool>{false, false, false} << "0;0;0;";
    }

    void optionRoundTrip()
    {
        QFETCH(QString, kind);
        QFETCH(QVector<bool>, checks);
        QFETCH(QString, userData);
        D d;
        m_window = open(kind, QString());
        QCheckBox *boxes[] = {m_window->chkOnlySelect, m_window->chkShohinMeisai, m_window->chkDenpyoLine};
        for (int i = 0; i < 3; ++i)
            if (checks[i])
                QTest::mouseClick(boxes[i], Qt::LeftButton);
        QCOMPARE(m_window->isChanged(), checks.contains(true));
        m_window->txtName->setText(QStringLiteral("opt"));
        m_window->SaveOverwrite();
        const QString folder = kind == "DenpyoList" ? gstrDenpyoListPrintFormFolder
                             : kind == "TsukiSeikyusho" ? gstrTsukiSeikyushoPrintFormFolder
                             : kind == "CustomerList" ? gstrCustomerListPrintFormFolder
                                                      : gstrCustomerPrintFormFolder;
        const QString path = folder + QStringLiteral("opt.rpx");
        QCOMPARE(report::loadLayout(path).userData, userData);
        bool a = false, b = false, c = false;
        GetDenpyoListFormOption(path, a, b, c);
        QCOMPARE((QVector<bool>{a, b, c}), checks);
        m_window.reset();

        m_window = open(kind, QStringLiteral("opt"));
        QCOMPARE((QVector<bool>{m_window->chkOnlySelect->isChecked(), m_window->chkShohinMeisai->isChecked(),
                                m_window->chkDenpyoLine->isChecked()}),
                 checks);
        QVERIFY(!m_window->isChanged());
        QVERIFY(!m_window->txtName->Enabled());
    }

    void userDataReader_data()
    {
        QTest::addColumn<QString>("userData");
        QTest::addColumn<QVector<bool>>("checks");
        QTest::newRow("1;") << "1;" << QVector<bool>{true, false, false};
        QTest::newRow("empty") << "" << QVector<bool>{false, false, false};
        QTest::newRow("blank parts") << " ;1; " << QVector<bool>{false, true, false};
        QTest::newRow("more parts") << "0;0;1;1;" << QVector<bool>{false, false, true};
    }

    void userDataReader()
    {
        QFETCH(QString, userData);
        QFETCH(QVector<bool>, checks);
        const PrintFormOptions o = PrintFormOptions::fromUserData(userData);
        QCOMPARE((QVector<bool>{o.OnlySelect, o.ShohinMeisai, o.DenpyoLine}), checks);
    }

    // A sample imported into a new print form names it; closing asks, and
    // "No" writes nothing.
    void importSample()
    {
        D d;
        m_window = open("Denpyo", QString());
        D::onNextModal([](QWidget *modal) {
            auto *picker = qobject_cast<frmList *>(modal);
            QVERIFY(picker);
            QCOMPARE(picker->windowTitle(), QStringLiteral(" 印刷フォーム選択"));
            QCOMPARE(picker->lvwFormList->count(), 1);
            QTest::mouseClick(picker->lvwFormList->viewport(), Qt::LeftButton, {},
                              picker->lvwFormList->visualItemRect(picker->lvwFormList->item(0)).center());
            QTest::mouseClick(picker->cmdOK, Qt::LeftButton);
        });
        m_window->InportSampleForm();
        QCOMPARE(m_window->txtName->Text(), QStringLiteral("納品書"));
        QVERIFY(m_window->isChanged());
        QVERIFY(!m_window->ard->layout().sections[0].controls.isEmpty());
        d.answer = ui::Answer::No;
        m_window->reject();
        QVERIFY(!m_window->isVisible());
        QCOMPARE(d.texts(), QStringList{QStringLiteral("レイアウトが変更されています。保存しますか？")});
        QVERIFY(QDir(gstrDenpyoPrintFormFolder).entryList(QDir::Files).isEmpty());
        QVERIFY(!m_window->ResultModified);
    }

    // Save-as writes a new file and leaves the one in the name box alone;
    // closing afterwards does not ask.
    void saveAs()
    {
        D d;
        writeLayout(gstrDenpyoPrintFormFolder + QStringLiteral("元.rpx"), fourControls());
        const QByteArray original = [] {
            QFile f(gstrDenpyoPrintFormFolder + QStringLiteral("元.rpx"));
            f.open(QIODevice::ReadOnly);
            return f.readAll();
        }();
        m_window = open("Denpyo", QStringLiteral("元"));
        m_window->ard->setSelection({{0, 0}});
        m_window->ard->deleteSelection();
        D::onNextModal([](QWidget *modal) {
            QVERIFY(qobject_cast<frmNameInput *>(modal));
            D::type(QStringLiteral("別名"));
            D::key(Qt::Key_Return);
            D::key(Qt::Key_Return);
        });
        m_window->SaveFormAs();
        QCOMPARE(report::loadLayout(gstrDenpyoPrintFormFolder + QStringLiteral("別名.rpx")).sections[0].controls.size(), 3);
        m_window->reject();
        QVERIFY(d.texts().isEmpty());
        QFile f(gstrDenpyoPrintFormFolder + QStringLiteral("元.rpx"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), original);
    }

    void sectionWarning()
    {
        D d;
        m_window = open("Denpyo", QString());
        report::Layout two = fourControls();
        report::Section header;
        header.name = QStringLiteral("PageHeader");
        header.height = 500;
        two.sections.prepend(header);
        m_window->ard->setLayout(two);
        m_window->ard->setLayout(two);
        m_window->ard->setLayout(two);
        QCOMPARE(d.texts(), (QStringList{QStringLiteral("Detail以外のセクションは使用できません。"),
                                         QStringLiteral("Detail以外のセクションは使用できません。")}));
        QCOMPARE(d.messages.first().icon, ui::Icon::Exclamation);
        // Deleting the extra section leaves a layout that passes.
        m_window->ard->deleteSection(0);
        QCOMPARE(d.messages.size(), 2);
        m_window->CheckLayout();
        QCOMPARE(m_window->lstError->count(), 3);
        QVERIFY(m_window->lstError->item(0)->text().startsWith(QStringLiteral("Field1 / Field1 / ")));
    }

    // An unreadable print form is reported and not opened for editing.
    void unreadableForm()
    {
        D d;
        QFile f(gstrDenpyoPrintFormFolder + QStringLiteral("壊れ.rpx"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("<Report><Section Name=\"Detail\"><Control Left=\"x\"/></Section></Report>");
        f.close();
        m_window = open("Denpyo", QStringLiteral("壊れ"));
        QTRY_VERIFY(!m_window->isVisible());
        QCOMPARE(d.messages.size(), 1);
        QVERIFY(d.texts().first().startsWith(QStringLiteral("印刷フォームを読み込めません。")));
        QVERIFY(!m_window->ResultModified);
    }

    void previewShowsTheDesign()
    {
        m_window = open("Denpyo", QString());
        m_window->ard->setLayout(fourControls());
        m_window->ChooseTab(1);
        QCOMPARE(m_window->arv->pageCount(), 1);
        QCOMPARE(m_window->arv->pages()[0].texts(), (QStringList{"Field1", "Label1", "Field2", "Field3"}));
        m_window->ChooseTab(0);
        QCOMPARE(m_window->arv->pageCount(), 0);
    }

    void windowMemory_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("閉じる") << "button";
        QTest::newRow("close box") << "close box";
        QTest::newRow("Esc") << "Esc";
        QTest::newRow("register") << "register";
        QTest::newRow("saved at the question") << "question";
    }

    // However the window is closed, the next opening puts it where it was,
    // at the size it had.
    void windowMemory()
    {
        QFETCH(QString, how);
        D d;
        m_window = open("Denpyo", QString());
        frmPrintForm &w = *m_window;
        const QRect placed(70, 45, 1120, 830);
        w.setGeometry(placed);
        QTRY_COMPARE(w.geometry(), placed);
        if (how == "button") {
            QTest::mouseClick(w.cmdExit, Qt::LeftButton);
        } else if (how == "close box") {
            w.close();
        } else if (how == "Esc") {
            QVERIFY(w.focusWidget());
            QTest::keyClick(w.focusWidget(), Qt::Key_Escape);
        } else if (how == "register") {
            w.txtName->setText(QStringLiteral("記憶"));
            QVERIFY(w.Regist());
        } else {
            w.txtName->setText(QStringLiteral("記憶"));
            w.ard->setLayout(fourControls());
            w.reject();
            QCOMPARE(d.texts().last(), QStringLiteral("レイアウトが変更されています。保存しますか？"));
        }
        QVERIFY(!w.isVisible());
        m_window.reset();

        m_window = open("Denpyo", how == "register" || how == "question" ? QStringLiteral("記憶") : QString());
        QCOMPARE(m_window->geometry(), placed);
    }

    // The designer's first size fits the screen it opens on, whatever its
    // scale: its fault list and status bar are on the screen. Each screen
    // in a process of its own, as Qt takes its screens at start.
    void firstSizeFitsTheScreen_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QString>("scale");
        QTest::newRow("1366x768") << QSize(1366, 768) << "1";
        QTest::newRow("1920x1080 at 150%") << QSize(1920, 1080) << "1.5";
        QTest::newRow("1366x768 at 200%") << QSize(1366, 768) << "2";
    }
    void firstSizeFitsTheScreen()
    {
        QFETCH(QSize, screen);
        QFETCH(QString, scale);
        QTemporaryDir dir;
        testsupport::runSelf(QStringLiteral("designerOnTheScreen"),
                             {{QStringLiteral("QT_QPA_PLATFORM"), testsupport::offscreenScreen(dir.path(), screen)},
                              {QStringLiteral("QT_SCALE_FACTOR"), scale},
                              {QStringLiteral("QVX_SCREEN_CHILD"), QStringLiteral("1")}});
    }
    void designerOnTheScreen()
    {
        if (!qEnvironmentVariableIsSet("QVX_SCREEN_CHILD"))
            QSKIP("run by firstSizeFitsTheScreen on each screen");
        D d;
        m_window = open("Denpyo", QString());
        const QRect area = m_window->screen()->availableGeometry();
        const QRect frame = m_window->frameGeometry();
        QVERIFY2(area.contains(frame), qPrintable(QStringLiteral("%1,%2 %3x%4 minimum %5x%6")
                                                      .arg(frame.x()).arg(frame.y()).arg(frame.width()).arg(frame.height())
                                                      .arg(m_window->minimumWidth()).arg(m_window->minimumHeight())));
        for (QWidget *part : {static_cast<QWidget *>(m_window->lstError), static_cast<QWidget *>(m_window->sb)}) {
            QVERIFY(part->isVisible() && part->height() > 0);
            QVERIFY2(area.contains(QRect(part->mapToGlobal(QPoint(0, 0)), part->size())), qPrintable(part->objectName()));
        }
    }

    // Zoom changes what the designer draws and where the mouse lands, never
    // the layout: an inch is an inch at every zoom, and zooming alone does
    // not ask to save.
    void zoom()
    {
        D d;
        report::Layout l = fourControls();
        report::Control box;
        box.kind = report::ControlKind::Shape;
        box.name = QStringLiteral("Shape1");
        box.left = 4320;
        box.top = 2880;
        box.width = 1440;
        box.height = 720;
        const QColor fill(0, 0, 160);
        box.backColor = fill;
        l.sections[0].controls.append(box);
        writeLayout(gstrDenpyoPrintFormFolder + QStringLiteral("倍率.rpx"), l);
        m_window = open("Denpyo", QStringLiteral("倍率"));
        frmPrintForm &w = *m_window;
        const QVector<report::Section> before = w.ard->layout().sections;
        QSignalSpy changes(w.ard, &report::LayoutDesigner::layoutChanged);
        report::DesignCanvas *canvas = w.ard->canvas();
        auto *zoomBox = w.ard->findChild<QComboBox *>(QStringLiteral("zoomBox"));
        QVERIFY(zoomBox);
        const double inch = canvas->logicalDpiX();
        const Ref shape{0, 4};
        for (const int percent : {50, 200, 125, 100}) {
            zoomBox->setCurrentIndex(zoomBox->findText(QStringLiteral("%1%").arg(percent)));
            const double z = percent / 100.0;
            QCOMPARE(w.ard->zoom(), z);
            const QRectF r = canvas->controlRect(shape);
            QCOMPARE(qRound(r.width()), qRound(inch * z));
            QCOMPARE(qRound(r.height()), qRound(inch * z / 2));
            // Two inches of page between the shape and the page's left margin.
            const QRectF first = canvas->controlRect({0, 0});
            QCOMPARE(qRound(r.left() - first.left()), qRound(3 * inch * z));
            QVERIFY(canvas->width() >= qRound(r.right()) + 1);
            const QImage shown = canvas->grab().toImage();
            QCOMPARE(shown.pixelColor(r.center().toPoint()), fill);
            QVERIFY(shown.pixelColor(QPoint(qRound(r.right()) + 4, qRound(r.center().y()))) != fill);
            QVERIFY(shown.pixelColor(QPoint(qRound(r.center().x()), qRound(r.bottom()) + 4)) != fill);
        }
        QCOMPARE(w.ard->layout().sections, before);
        QCOMPARE(changes.count(), 0);
        QVERIFY(!w.isChanged());

        // At 200 % a drag of one inch on the screen moves the shape half an
        // inch on the page.
        w.ard->setZoom(2.0);
        const QPoint from = canvas->controlRect(shape).center().toPoint();
        const QPoint to = from + QPoint(qRound(inch), qRound(inch));
        QTest::mousePress(canvas, Qt::LeftButton, {}, from);
        QTest::mouseMove(canvas, to);
        QTest::mouseRelease(canvas, Qt::LeftButton, {}, to);
        QCOMPARE(QPoint(w.ard->control(shape)->left, w.ard->control(shape)->top), QPoint(4320 + 720, 2880 + 720));
        QCOMPARE(QSize(w.ard->control(shape)->width, w.ard->control(shape)->height), QSize(1440, 720));
        // Keys move by twips, whatever the zoom.
        canvas->setFocus();
        QTest::keyClick(canvas, Qt::Key_Left);
        QCOMPARE(w.ard->control(shape)->left, 4320 + 720 - 30);
        QVERIFY(w.isChanged());
    }

    // A picture from the toolbox takes a file, is saved with the print
    // form, comes back with it, shows in the designer and prints.
    void picture()
    {
        D d;
        m_window = open("Denpyo", QString());
        frmPrintForm &w = *m_window;
        auto *bar = w.ard->findChild<QToolBar *>();
        QTest::mouseClick(bar->widgetForAction(w.ard->toolAction(report::LayoutDesigner::Tool::Picture)),
                          Qt::LeftButton);
        report::DesignCanvas *canvas = w.ard->canvas();
        QTest::mouseClick(canvas, Qt::LeftButton, {}, at(w, 1500, 600));
        const Ref ref{0, 0};
        const report::Control *c = w.ard->control(ref);
        QVERIFY(c);
        QCOMPARE(c->kind, report::ControlKind::Picture);
        QCOMPARE(c->name, QStringLiteral("Picture1"));
        QCOMPARE(QRect(c->left, c->top, c->width, c->height), QRect(1500, 600, 1500, 1500));
        QCOMPARE(w.ard->selection(), QVector<Ref>{ref});
        report::PropertyPanel *panel = w.ard->propertyPanel();
        QVERIFY(panel->pictureButton->isVisibleTo(panel));

        // A file that is no picture is refused and changes nothing.
        QTemporaryDir files;
        const QString notPicture = files.filePath(QStringLiteral("not.png"));
        QFile bad(notPicture);
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write("not a picture");
        bad.close();
        choosePictureFile(notPicture);
        QTest::mouseClick(panel->pictureButton, Qt::LeftButton);
        QCOMPARE(d.texts(), QStringList{QStringLiteral("画像を読み込めません。\n") + notPicture});
        QVERIFY(w.ard->control(ref)->picture.isEmpty());
        // One too large to be a picture is not read, and says so.
        const QString huge = files.filePath(QStringLiteral("huge.png"));
        QFile big(huge);
        QVERIFY(big.open(QIODevice::WriteOnly));
        QVERIFY(big.resize(16 * 1024 * 1024 + 1));
        big.close();
        d.messages.clear();
        choosePictureFile(huge);
        QTest::mouseClick(panel->pictureButton, Qt::LeftButton);
        QCOMPARE(d.texts(), QStringList{QStringLiteral("画像を読み込めません。ファイルが大きすぎます。\n") + huge});
        QVERIFY(w.ard->control(ref)->picture.isEmpty());

        const QColor red(220, 0, 0);
        const QByteArray png = pngBytes(red);
        const QString pictureFile = files.filePath(QStringLiteral("赤.png"));
        QFile good(pictureFile);
        QVERIFY(good.open(QIODevice::WriteOnly));
        good.write(png);
        good.close();
        choosePictureFile(pictureFile);
        QTest::mouseClick(panel->pictureButton, Qt::LeftButton);
        QCOMPARE(w.ard->control(ref)->picture, png);
        const QImage shown = canvas->grab().toImage();
        QCOMPARE(shown.pixelColor(canvas->controlRect(ref).center().toPoint()), red);

        w.txtName->setText(QStringLiteral("画像"));
        w.SaveOverwrite();
        QCOMPARE(d.messages.size(), 1);
        m_window.reset();
        m_window = open("Denpyo", QStringLiteral("画像"));
        const report::Control *back = m_window->ard->control(ref);
        QVERIFY(back);
        QCOMPARE(back->kind, report::ControlKind::Picture);
        QCOMPARE(back->picture, png);
        QCOMPARE(QRect(back->left, back->top, back->width, back->height), QRect(1500, 600, 1500, 1500));
        m_window.reset();

        Denpyo slip;
        slip.setDenpyoID(7);
        slip.Meisais().Add().setItemName(QStringLiteral("品"));
        QVector<report::Page> pages;
        report::setPreviewDriver([&pages](report::PreviewDialog &preview) {
            pages = preview.viewer()->pages();
            return int(QDialog::Accepted);
        });
        const bool printed = PrintDenpyo(slip, gstrDenpyoPrintFormFolder, QStringLiteral("画像"),
                                         QDateTime(QDate(2026, 12, 10), QTime(9, 0)));
        report::setPreviewDriver({});
        QVERIFY(printed);
        QCOMPARE(pages.size(), 1);
        const report::PageItem *image = nullptr;
        for (const report::PageItem &item : pages[0].items)
            if (item.type == report::PageItem::Type::Image)
                image = &item;
        QVERIFY(image);
        QCOMPARE(image->image, png);
        QCOMPARE(image->box.size(), QSize(1500, 1500));
        // Drawn on the paper at 15 twips a dot: red in the middle of the box,
        // white above the picture, which keeps its proportions.
        QImage paper(pages[0].width / 15, pages[0].height / 15, QImage::Format_RGB32);
        paper.fill(Qt::white);
        {
            QPainter painter(&paper);
            painter.scale(1 / 15.0, 1 / 15.0);
            report::paintPage(painter, pages[0]);
        }
        const QPoint middle = image->box.center() / 15;
        QCOMPARE(paper.pixelColor(middle), red);
        QCOMPARE(paper.pixelColor(middle.x(), (image->box.top() + 100) / 15), QColor(Qt::white));
    }

    void itemNamePickerRows_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QStringList>("tail");
        QTest::newRow("Denpyo") << "Denpyo" << 83
                                << QStringList{"1_明細金額-消費税(内税)", "1_@様", "1_@ここに印字する文字を指定してください"};
        QTest::newRow("Customer") << "Customer" << 1 + 45 + 4 + 2
                                  << QStringList{"P_@ここに印字する文字を指定してください", "1_@様",
                                                 "1_@ここに印字する文字を指定してください"};
    }

    void itemNamePickerRows()
    {
        QFETCH(QString, kind);
        QFETCH(int, rows);
        QFETCH(QStringList, tail);
        frmItemName picker;
        picker.arrPageItemName = fnGetItemNames(kind, "P");
        picker.arrDetailItemName = fnGetItemNames(kind, "D");
        picker.show();
        QCOMPARE(picker.List1->count(), rows);
        QStringList last;
        for (int i = rows - 3; i < rows; ++i)
            last << picker.List1->item(i)->text();
        QCOMPARE(last, tail);
        QVERIFY(!picker.cmdOK->isEnabled());
        QTest::mouseClick(picker.List1->viewport(), Qt::LeftButton, {},
                          picker.List1->visualItemRect(picker.List1->item(0)).center());
        QVERIFY(!picker.cmdOK->isEnabled());
        QTest::mouseDClick(picker.List1->viewport(), Qt::LeftButton, {},
                           picker.List1->visualItemRect(picker.List1->item(0)).center());
        QVERIFY(picker.isVisible());
        QTest::keyClick(picker.List1, Qt::Key_Escape);
        QVERIFY(!picker.isVisible());
        QVERIFY(picker.ResultValue.isEmpty());
    }

    // The row the list makes current when it gets the focus is no choice:
    // only a row the user picks is imported.
    void formPickerTakesOnlyAPickedRow_data()
    {
        QTest::addColumn<QString>("steps"); // space-separated: Enter, Space, OK, Click0, Click1, Down
        QTest::addColumn<QString>("chosen"); // "" when the picker stays open
        QTest::newRow("Enter, Enter") << "Enter Enter" << "";
        QTest::newRow("OK at once") << "OK" << "";
        QTest::newRow("Down, Enter") << "Down Enter" << "";
        QTest::newRow("Space picks the shown row") << "Space Enter Enter" << "納品書";
        QTest::newRow("a click picks") << "Click1 Enter Enter" << "請求書";
        QTest::newRow("a click, then OK") << "Click0 OK" << "納品書";
    }
    void formPickerTakesOnlyAPickedRow()
    {
        QFETCH(QString, steps);
        QFETCH(QString, chosen);
        QTemporaryDir folder;
        for (const char *name : {"納品書", "請求書"})
            writeLayout(folder.filePath(QString::fromUtf8(name) + QStringLiteral(".rpx")), fourControls());
        D d;
        frmList picker;
        picker.FormDir = folder.path() + QLatin1Char('/');
        QVERIFY(D::open(&picker));
        QCOMPARE(picker.lvwFormList->count(), 2);
        QCOMPARE(D::focusName(), QStringLiteral("lvwFormList"));
        for (const QString &step : steps.split(QLatin1Char(' '))) {
            if (step == QLatin1String("Enter"))
                D::key(Qt::Key_Return);
            else if (step == QLatin1String("Space"))
                D::key(Qt::Key_Space);
            else if (step == QLatin1String("Down"))
                D::key(Qt::Key_Down);
            else if (step == QLatin1String("OK"))
                QTest::mouseClick(picker.cmdOK, Qt::LeftButton);
            else
                QTest::mouseClick(picker.lvwFormList->viewport(), Qt::LeftButton, {},
                                  picker.lvwFormList->visualItemRect(picker.lvwFormList->item(step.right(1).toInt()))
                                      .center());
        }
        if (chosen.isEmpty()) {
            QCOMPARE(d.texts(), QStringList{QStringLiteral("フォームを選択してください。")});
            QVERIFY(picker.isVisible());
            QVERIFY(!picker.OK());
            picker.close();
        } else {
            QVERIFY(d.messages.isEmpty());
            QVERIFY(!picker.isVisible());
            QVERIFY(picker.OK());
            QCOMPARE(picker.ResultFormName(), chosen);
        }
    }

    void formPickerWithoutChoice()
    {
        D d;
        frmList picker;
        picker.FormDir = programFolder() + QStringLiteral("/Define/NoSuchFolder/");
        picker.show();
        QCOMPARE(picker.lvwFormList->count(), 0);
        QTest::mouseClick(picker.cmdOK, Qt::LeftButton);
        QCOMPARE(d.texts(), QStringList{QStringLiteral("フォームを選択してください。")});
        QVERIFY(picker.isVisible());
        picker.close();
        QVERIFY(!picker.OK());
    }
};

QTEST_MAIN(tst_frmPrintForm)
#include "tst_frmprintform.moc"
