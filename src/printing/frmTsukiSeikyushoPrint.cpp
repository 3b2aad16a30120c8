#include "printing/frmTsukiSeikyushoPrint.h"

#include "core/DatabaseFailure.h"
#include "core/DateValue.h"
#include "core/Globals.h"
#include "core/Routines.h"
#include "core/Settings.h"
#include "core/WindowMemory.h"
#include "core/controls/DateBox.h"
#include "model/Customer.h"
#include "model/Denpyo.h"
#include "platform/report/LayoutFile.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/TextTableModel.h"
#include "printing/DenpyoListPrint.h"
#include "printing/SeikyushoArchive.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTreeView>
#include <QVBoxLayout>
#include <iterator>
#include <memory>

namespace {
const QString kSection = QStringLiteral("TsukiSeikyu Setting");

QString settingsFile()
{
    return settingsFileName(QStringLiteral("Ini"));
}

} // namespace

frmTsukiSeikyushoPrint::frmTsukiSeikyushoPrint(const QString &customerID, QWidget *parent)
    : QDialog(parent), CustomerID(customerID)
{
    setWindowTitle(QStringLiteral(" 月締め請求書印刷"));
    auto *title = new QLabel(QStringLiteral("月締め請求書印刷"), this);
    lblCustomerId = new QLabel(this);
    lblCustomerName = new QLabel(this);
    lblShimeBi = new QLabel(this);
    cmbDateItem = new QComboBox(this);
    dtpFrom = new DateBox(this);
    dtpTo = new DateBox(this);
    chkMiSeikyu = new QCheckBox(QStringLiteral("未請求伝票のみ"), this);
    cmdCreateList = new QPushButton(QStringLiteral("再表示(&F)"), this);
    lblNoukiFromTo = new QLabel(this);
    lvwMeisaiList = new QTreeView(this);
    m_listModel = new ui::TextTableModel(this);
    lvwMeisaiList->setModel(m_listModel);
    lvwMeisaiList->setRootIsDecorated(false);
    lvwMeisaiList->setItemsExpandable(false);
    // Every row is one line of text: the list need not measure each one.
    lvwMeisaiList->setUniformRowHeights(true);
    lvwMeisaiList->setSortingEnabled(false);
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setSizeGripEnabled(false);
    StatusBar1->addWidget(new QLabel(QStringLiteral("請求金額"), this));
    lblTotal = new QLabel(this);
    StatusBar1->addWidget(lblTotal);
    cmbSeikyushoForm = new QComboBox(this);
    dtpSeikyuDate = new DateBox(this);
    dtpPrintDate = new DateBox(this);
    cmdOK = new QPushButton(QStringLiteral("登録・印刷(F12)"), this);
    cmdExit = new QPushButton(QStringLiteral("閉じる(ESC)"), this);

    auto *head = new QGridLayout;
    head->addWidget(new QLabel(QStringLiteral("顧客"), this), 0, 0);
    head->addWidget(lblCustomerId, 0, 1);
    head->addWidget(lblCustomerName, 0, 2, 1, 3);
    head->addWidget(new QLabel(QStringLiteral("締め日"), this), 0, 5);
    head->addWidget(lblShimeBi, 0, 6);
    head->addWidget(cmbDateItem, 1, 0, 1, 2);
    head->addWidget(dtpFrom, 1, 2);
    head->addWidget(new QLabel(QStringLiteral("～"), this), 1, 3);
    head->addWidget(dtpTo, 1, 4);
    head->addWidget(chkMiSeikyu, 1, 5);
    head->addWidget(cmdCreateList, 1, 6);
    auto *print = new QHBoxLayout;
    print->addWidget(new QLabel(QStringLiteral("請求書フォーム"), this));
    print->addWidget(cmbSeikyushoForm, 1);
    print->addWidget(new QLabel(QStringLiteral("請求日付"), this));
    print->addWidget(dtpSeikyuDate);
    print->addWidget(new QLabel(QStringLiteral("印刷日付"), this));
    print->addWidget(dtpPrintDate);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdExit);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addLayout(head);
    layout->addWidget(lblNoukiFromTo);
    layout->addWidget(lvwMeisaiList, 1);
    layout->addWidget(StatusBar1);
    layout->addLayout(print);
    layout->addLayout(buttons);
    // The smallest outer size is 10395 x 5000 twips.
    setMinimumSize(10395 * logicalDpiX() / 1440, 5000 * logicalDpiY() / 1440);
    resize(900, 560);

    QWidget *order[] = {cmbDateItem, dtpFrom, dtpTo, chkMiSeikyu, cmdCreateList, lvwMeisaiList,
                        cmbSeikyushoForm, dtpSeikyuDate, dtpPrintDate, cmdOK, cmdExit};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(order[i], order[i + 1]);
    for (QWidget *w : order)
        if (w != cmdCreateList)
            w->installEventFilter(this);
    cmdOK->setAutoDefault(false);
    cmdExit->setAutoDefault(false);
    cmdCreateList->setAutoDefault(false);

    LoadWindowPosition(this);
    m_formFolder = gstrTsukiSeikyushoPrintFormFolder;
    runShowingFailure(this, [this] { loadForm(); });

    connect(cmdCreateList, &QPushButton::clicked, this, [this] {
        runShowingFailure(this, [this] { SeikyuListShow(); });
        lvwMeisaiList->setFocus();
    });
    // The list always shows the slips the controls select, so the slips
    // registered are the slips shown.
    connect(cmbDateItem, &QComboBox::currentIndexChanged, this, &frmTsukiSeikyushoPrint::listChanged);
    connect(dtpFrom, &QDateEdit::dateChanged, this, &frmTsukiSeikyushoPrint::listChanged);
    connect(dtpTo, &QDateEdit::dateChanged, this, &frmTsukiSeikyushoPrint::listChanged);
    connect(chkMiSeikyu, &QCheckBox::toggled, this, &frmTsukiSeikyushoPrint::listChanged);
    connect(cmbSeikyushoForm, &QComboBox::currentIndexChanged, this, &frmTsukiSeikyushoPrint::updateOK);
    connect(cmdOK, &QPushButton::clicked, this, &frmTsukiSeikyushoPrint::SeikyushoRegistPrint);
    connect(cmdExit, &QPushButton::clicked, this, &QDialog::reject);
}

void frmTsukiSeikyushoPrint::loadForm()
{
    Customer customer;
    customer.Load(CustomerID);
    lblCustomerId->setText(CustomerID);
    lblCustomerName->setText(customer.NameKnj());
    lblShimeBi->setText(customer.ShimeBi());
    const QSignalBlocker b1(cmbDateItem), b2(dtpFrom), b3(dtpTo), b4(chkMiSeikyu), b5(cmbSeikyushoForm);
    for (int i = 0; i < TsukiSeikyuState::dateItemCount(); ++i)
        cmbDateItem->addItem(TsukiSeikyuState::dateItemLabel(i));
    cmbDateItem->setCurrentIndex(TsukiSeikyuState::dateItemFromText(
        fnReadSetting(settingsFile(), kSection, QStringLiteral("DateItem"), QStringLiteral("0"))));
    const ClosingPeriod period = TsukiSeikyuState::proposePeriod(customer.ShimeBi(), today());
    dtpFrom->setDate(period.start);
    dtpTo->setDate(period.end);
    chkMiSeikyu->setChecked(
        fnReadSetting(settingsFile(), kSection, QStringLiteral("MiSeikyuOnly"), QStringLiteral("0")).trimmed()
        == QLatin1String("1"));
    cmbSeikyushoForm->addItem(QString());
    const QStringList files = QDir(m_formFolder).entryList({QStringLiteral("*.rpx")}, QDir::Files, QDir::Name);
    for (const QString &file : files)
        cmbSeikyushoForm->addItem(file.chopped(4));
    const int chosen = customer.SeikyushoForm().isEmpty() ? -1 : cmbSeikyushoForm->findText(customer.SeikyushoForm(),
                                                                                              Qt::MatchExactly | Qt::MatchCaseSensitive);
    cmbSeikyushoForm->setCurrentIndex(chosen > 0 ? chosen : 0);
    dtpSeikyuDate->setDate(period.end);
    dtpPrintDate->setDate(period.end);
    SeikyuListShow();
}

TsukiSeikyuState frmTsukiSeikyushoPrint::state() const
{
    TsukiSeikyuState s;
    s.customerID = CustomerID;
    s.dateItem = cmbDateItem->currentIndex();
    s.from = dtpFrom->date();
    s.to = dtpTo->date();
    s.miSeikyuOnly = chkMiSeikyu->isChecked();
    return s;
}

void frmTsukiSeikyushoPrint::listChanged()
{
    runShowingFailure(this, [this] { SeikyuListShow(); });
}

void frmTsukiSeikyushoPrint::SeikyuListShow()
{
    m_listCurrent = false;
    const TsukiSeikyuState s = state();
    lblNoukiFromTo->setText(dtpFrom->text() + QStringLiteral(" ～ ") + dtpTo->text());
    m_listModel->clear();
    m_total = 0;
    const QString captions[] = {QStringLiteral("伝票番号"), TsukiSeikyuState::dateItemCaption(s.dateItem),
                                QStringLiteral("商品ID"),  QStringLiteral("品番"),
                                QStringLiteral("品名"),    QStringLiteral("数量"),
                                QStringLiteral("単位"),    QStringLiteral("単価"),
                                QStringLiteral("金額"),    QStringLiteral("備考"),
                                QStringLiteral("合計"),    QStringLiteral("消費税"),
                                QStringLiteral("税込合計")};
    const int widths[] = {1300, 1200, 1200, 2500, 2500, 800, 800, 1000, 1000, 1500, 1000, 1000, 1000};
    const bool right[] = {false, false, false, false, false, true, false, true, true, false, true, true, true};
    QVector<ui::TextTableModel::Column> columns;
    for (int i = 0; i < 13; ++i)
        columns.append({captions[i], right[i] ? Qt::AlignRight : Qt::AlignLeft});
    m_listModel->setColumns(columns);
    for (int i = 0; i < 13; ++i)
        lvwMeisaiList->header()->resizeSection(i, widths[i] * logicalDpiX() / 1440);
    TsukiSeikyuState::List list = s.list();
    // The list shows the rows as they were read, in one step.
    m_listModel->setRows(std::move(list.rows));
    m_total = list.total;
    lblTotal->setText(fnFormatNumber(QStringLiteral("#,##0"), double(m_total)));
    m_listCurrent = true;
    updateOK();
}

void frmTsukiSeikyushoPrint::updateOK()
{
    cmdOK->setEnabled(!cmbSeikyushoForm->currentText().isEmpty() && m_listModel->rowCount() > 0);
}

void frmTsukiSeikyushoPrint::SeikyushoRegistPrint()
{
    if (cmbSeikyushoForm->currentText().trimmed().isEmpty()) {
        ui::showMessage(TsukiSeikyuState::noFormMessage(), ui::Icon::Exclamation, ui::Buttons::Ok, ui::Answer::Ok,
                        QString(), this);
        cmbSeikyushoForm->setFocus();
        return;
    }
    bool registered = false;
    const bool ran = runShowingFailure(this, [&] { registered = registerSlips(state()); });
    if (ran && registered)
        accept();
}

// False when the window is to stay open (a message has been shown) or the
// user said No (the window has been closed).
bool frmTsukiSeikyushoPrint::registerSlips(const TsukiSeikyuState &s)
{
    const QString formName = cmbSeikyushoForm->currentText();
    // The layout must load before anything changes.
    try {
        report::loadLayout(m_formFolder + formName + QStringLiteral(".rpx"));
    } catch (const std::exception &error) {
        // A layout's own error says why it could not be read.
        const auto *layout = dynamic_cast<const report::LayoutError *>(&error);
        ui::showMessage(QStringLiteral("請求書フォームを読み込めません。\r\n") + formName
                            + (layout ? QStringLiteral("\r\n") + layout->message() : QString()),
                        ui::Icon::Exclamation,
                        ui::Buttons::Ok, ui::Answer::Ok, QString(), this);
        return false;
    }
    QVector<qint32> ids;
    QVector<bool> flags;
    s.slips(ids, flags);
    if (ids.isEmpty()) {
        ui::showMessage(TsukiSeikyuState::emptyPeriodMessage(), ui::Icon::Exclamation, ui::Buttons::Ok,
                        ui::Answer::Ok, QString(), this);
        return false;
    }
    const QString invoiced = TsukiSeikyuState::invoicedList(ids, flags);
    if (!invoiced.isEmpty()
        && ui::showMessage(TsukiSeikyuState::invoicedQuestion(invoiced), ui::Icon::Exclamation, ui::Buttons::YesNo,
                           ui::Answer::Yes, QString(), this)
               != ui::Answer::Yes) {
        reject();
        return false;
    }
    const QDate invoiceDate = dtpSeikyuDate->date();
    if (seikyusho::invoiceExists(s.customerID, invoiceDate)
        && ui::showMessage(TsukiSeikyuState::overwriteQuestion(), ui::Icon::Question, ui::Buttons::YesNo,
                           ui::Answer::Yes, QString(), this)
               != ui::Answer::Yes) {
        reject();
        return false;
    }
    // The folder for the new pages exists before any slip is marked.
    try {
        seikyusho::prepareStaging(s.customerID, invoiceDate);
    } catch (const seikyusho::ArchiveError &error) {
        ui::showMessage(error.message(), ui::Icon::Exclamation, ui::Buttons::Ok, ui::Answer::Ok, QString(), this);
        return false;
    }
    // All slips are marked, or none.
    QString refusal;
    bool marked = false;
    try {
        marked = Denpyo::SeikyuOn(ids, invoiceDate, &refusal);
    } catch (...) {
        seikyusho::discardStaging(s.customerID, invoiceDate);
        throw;
    }
    if (!marked) {
        seikyusho::discardStaging(s.customerID, invoiceDate);
        ui::showMessage(refusal, ui::Icon::None, ui::Buttons::Ok, ui::Answer::Ok, QString(), this);
        return false;
    }
    QStringList numbers{QString()};
    for (qint32 id : ids)
        numbers << QString::number(id);
    try {
        const bool printed = PrintDenpyoList(m_formFolder, formName, QDateTime(dtpPrintDate->date(), QTime(0, 0)),
                                             numbers, seikyusho::stagingBasePath(s.customerID, invoiceDate), this);
        if (printed)
            seikyusho::commitStaging(s.customerID, invoiceDate);
        else
            seikyusho::discardStaging(s.customerID, invoiceDate);
    } catch (const seikyusho::ArchiveError &error) {
        seikyusho::discardStaging(s.customerID, invoiceDate);
        ResultModified = true;
        ui::showMessage(error.message(), ui::Icon::Exclamation, ui::Buttons::Ok, ui::Answer::Ok, QString(), this);
        return true;
    } catch (...) {
        seikyusho::discardStaging(s.customerID, invoiceDate);
        ResultModified = true;
        throw;
    }
    ResultModified = true;
    return true;
}

void frmTsukiSeikyushoPrint::done(int result)
{
    SaveWindowPosition(this);
    fnWriteSetting(settingsFile(), kSection, QStringLiteral("DateItem"), QString::number(cmbDateItem->currentIndex()));
    fnWriteSetting(settingsFile(), kSection, QStringLiteral("MiSeikyuOnly"),
                   chkMiSeikyu->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
    QDialog::done(result);
}

void frmTsukiSeikyushoPrint::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F12) {
        SeikyushoRegistPrint();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool frmTsukiSeikyushoPrint::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    auto *key = static_cast<QKeyEvent *>(event);
    auto focus = [](QWidget *w) {
        if (w->isEnabled())
            w->setFocus();
        return true;
    };
    switch (key->key()) {
    case Qt::Key_F12:
        SeikyushoRegistPrint();
        return true;
    case Qt::Key_Escape:
        reject();
        return true;
    case Qt::Key_Home:
        return focus(dtpFrom);
    case Qt::Key_End:
        return focus(cmdOK);
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        const QHash<QObject *, QWidget *> next = {
            {cmbDateItem, dtpFrom},   {dtpFrom, dtpTo},          {dtpTo, chkMiSeikyu},
            {chkMiSeikyu, cmdCreateList}, {lvwMeisaiList, cmdOK}, {cmbSeikyushoForm, dtpSeikyuDate},
            {dtpSeikyuDate, dtpPrintDate}, {dtpPrintDate, cmdOK}};
        if (QWidget *w = next.value(watched))
            return focus(w);
        return QDialog::eventFilter(watched, event);
    }
    default:
        return QDialog::eventFilter(watched, event);
    }
}
