#include "TestSupport.h"

#include "core/DateValue.h"
#include "core/Globals.h"
#include "core/Startup.h"
#include "mainwindow/commands/MainCommands.h"
#include "mainwindow/commands/PopupMenus.h"
#include "mainwindow/views/MainListView.h"
#include "mainwindow/views/frmMainForm.h"
#include "masters/frmCustomer.h"
#include "masters/frmShohin.h"
#include "platform/ui/MessageBox.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QToolBar>
#include <QtTest>

namespace {

// The manual's text without its markup, whole or one chapter of it.
QString manualText(const QString &chapterId = QString())
{
    QFile file(QStringLiteral(QVX_MANUAL));
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    QString html = QString::fromUtf8(file.readAll());
    if (!chapterId.isEmpty()) {
        const qsizetype start = html.indexOf(QStringLiteral("<h2 id=\"%1\">").arg(chapterId));
        if (start < 0)
            return QString();
        const qsizetype end = html.indexOf(QStringLiteral("<h2"), start + 1);
        html = html.mid(start, end < 0 ? -1 : end - start);
    }
    html.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
    return html;
}

// A caption as a reader meets it: without its access key and padding.
QString plainCaption(QString text)
{
    text.remove(QRegularExpression(QStringLiteral("\\(&.\\)")));
    return text.trimmed();
}

} // namespace

// The manual checked against the windows it describes.
class tst_Manual : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void namesEveryMenuCommandAndToolbarButton();
    void namesEveryFieldOfTheEditors_data();
    void namesEveryFieldOfTheEditors();
    void saysWhatThePopupOffersWithoutASelection_data();
    void saysWhatThePopupOffersWithoutASelection();

private:
    void open();

    std::unique_ptr<testsupport::ProgramFolder> m_folder;
    std::unique_ptr<frmMainForm> m_form;
    MainCommands *m_commands = nullptr;
};

void tst_Manual::init()
{
    setFixedNow(QDateTime(QDate(2026, 12, 9), QTime(10, 0)));
    m_folder = std::make_unique<testsupport::ProgramFolder>();
    m_folder->open();
    ui::setMessageResponder([](const ui::MessageRequest &) { return ui::Answer::Yes; });
    QVERIFY2(!manualText().isEmpty(), QVX_MANUAL);
}

void tst_Manual::cleanup()
{
    m_form.reset();
    m_commands = nullptr;
    CloseDatabase();
    ui::setMessageResponder({});
    m_folder.reset();
    setFixedNow(QDateTime());
}

void tst_Manual::open()
{
    m_form = std::make_unique<frmMainForm>();
    QVERIFY(m_form->Form_Load());
    m_commands = new MainCommands(m_form.get());
    m_form->Form_Activate();
}

void tst_Manual::namesEveryMenuCommandAndToolbarButton()
{
    open();
    const QString commands = manualText(QStringLiteral("commands"));
    for (QAction *menu : m_form->menuBar()->actions()) {
        QVERIFY(commands.contains(plainCaption(menu->text())));
        for (QAction *item : menu->menu()->actions())
            if (!item->isSeparator())
                QVERIFY2(commands.contains(plainCaption(item->text())), qPrintable(item->text()));
    }
    // The toolbar's buttons, in the order the manual lists them.
    QStringList buttons;
    for (QAction *a : m_form->tlbBar1->actions())
        if (!a->isSeparator() && !a->toolTip().isEmpty())
            buttons << a->toolTip();
    QVERIFY2(commands.contains(QStringLiteral("ツールバーのボタンは左から、") + buttons.join(QStringLiteral("、"))),
             qPrintable(buttons.join(QLatin1Char(','))));
}

void tst_Manual::namesEveryFieldOfTheEditors_data()
{
    QTest::addColumn<QString>("editor");
    QTest::newRow("customer") << "frmCustomer";
    QTest::newRow("product") << "frmShohin";
}

void tst_Manual::namesEveryFieldOfTheEditors()
{
    QFETCH(QString, editor);
    std::unique_ptr<QDialog> window;
    if (editor == QLatin1String("frmCustomer"))
        window = std::make_unique<frmCustomer>();
    else
        window = std::make_unique<frmShohin>();
    const QString chapter = manualText(QStringLiteral("masters"));
    // Units, the length note and the window's own heading are no fields.
    static const QRegularExpression notAField(QStringLiteral("^(円|％|\\(\\d+文字\\)|顧客情報|商品情報)?$"));
    int fields = 0;
    for (QLabel *label : window->findChildren<QLabel *>()) {
        QString name = label->text();
        name.remove(QStringLiteral("〒"));
        name = name.trimmed();
        name.remove(QChar(0x3000));
        if (notAField.match(name).hasMatch())
            continue;
        ++fields;
        QVERIFY2(chapter.contains(name), qPrintable(name));
    }
    QVERIFY(fields >= 6);
}

void tst_Manual::saysWhatThePopupOffersWithoutASelection_data()
{
    QTest::addColumn<QString>("node");
    QTest::newRow("slips") << "de全件";
    QTest::newRow("customers") << "cu全件";
    QTest::newRow("products") << "sh全件";
}

void tst_Manual::saysWhatThePopupOffersWithoutASelection()
{
    QFETCH(QString, node);
    open();
    m_form->SelectTreeNode(node);
    m_form->lvwList->clearSelection();
    QMenu *menu = m_commands->popupMenus()->PreparePopupMenu();
    QVERIFY(menu);
    QStringList offered;
    for (QAction *action : menu->actions())
        if (action->isVisible() && !action->isSeparator() && action->isEnabled())
            offered << action->text();
    QVERIFY(!offered.isEmpty());

    // The manual's paragraph on lists without a selected row.
    const QString keys = manualText(QStringLiteral("mainkeys"));
    const qsizetype at = keys.indexOf(QStringLiteral("行が選択されていないとき"));
    QVERIFY(at >= 0);
    const QString paragraph = keys.mid(at, keys.indexOf(QLatin1Char('\n'), at) - at);
    for (const QString &command : offered)
        QVERIFY2(paragraph.contains(QStringLiteral("「") + command + QStringLiteral("」")), qPrintable(command));
}

QTEST_MAIN(tst_Manual)
#include "tst_manual.moc"
