#include "printing/frmPrintForm.h"

#include "core/Routines.h"
#include "core/WindowMemory.h"
#include "core/controls/ucJaInput.h"
#include "core/dialogs/frmNameInput.h"
#include "platform/report/LayoutDesigner.h"
#include "platform/report/LayoutFile.h"
#include "platform/report/PreviewWidget.h"
#include "platform/text/LineFile.h"
#include "platform/ui/DialogFrame.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/WaitCursor.h"
#include "printing/PrintFormKind.h"
#include "printing/PrintFormOption.h"
#include "printing/PrintItemNames.h"
#include "printing/frmItemName.h"
#include "printing/frmList.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QShowEvent>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const QString kTabChosen = QStringLiteral("background-color: rgb(192, 192, 192);");
const QString kNoName = QStringLiteral("印刷フォーム名を入力してください。");
const QString kBadName = QStringLiteral("印刷フォーム名には次の文字は使えません。");
const QString kTaken = QStringLiteral("このフォーム名は既に登録されています。");
const QString kFaulty = QStringLiteral("定義内容に間違いがあります。");
const QString kChanged = QStringLiteral("レイアウトが変更されています。保存しますか？");

QLabel *tabLabel(const QString &text, const char *name, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setAlignment(Qt::AlignCenter);
    label->setMargin(4);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Raised);
    label->setCursor(Qt::PointingHandCursor);
    return label;
}

} // namespace

frmPrintForm::frmPrintForm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmPrintForm"));

    menuBar = new QMenuBar(this);
    QMenu *file = menuBar->addMenu(QStringLiteral("ﾌｧｲﾙ(&F)"));
    file->setObjectName(QStringLiteral("file"));
    mnuSave = file->addAction(QStringLiteral("上書き保存(&S)"));
    mnuSaveAs = file->addAction(QStringLiteral("名前をつけて保存(&A)"));
    file->addSeparator();
    mnuInportForm = file->addAction(QStringLiteral("印刷フォームをインポート(&F)"));
    mnuInportSampleForm = file->addAction(QStringLiteral("サンプル印刷フォームをインポート(&P)"));
    file->addSeparator();
    mnuExit = file->addAction(QStringLiteral("終了(&X)"));

    picBanner = new QWidget(this);
    picBanner->setObjectName(QStringLiteral("picBanner"));
    picBanner->setAutoFillBackground(true);
    lblTitle = new QLabel(picBanner);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    QFont titleFont = lblTitle->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.4);
    titleFont.setBold(true);
    lblTitle->setFont(titleFont);
    Label1 = new QLabel(QStringLiteral("フォーム名　"), picBanner);
    Label1->setObjectName(QStringLiteral("Label1"));
    txtName = new ucJaInput(picBanner);
    txtName->setObjectName(QStringLiteral("txtName"));
    txtName->setMinimumWidth(220);
    Label1->setBuddy(txtName);

    picOnlySelectOption = new QWidget(picBanner);
    picOnlySelectOption->setObjectName(QStringLiteral("picOnlySelectOption"));
    chkOnlySelect = new QCheckBox(QStringLiteral("選択行のみを出力する"), picOnlySelectOption);
    chkOnlySelect->setObjectName(QStringLiteral("chkOnlySelect"));
    auto *onlyBox = new QVBoxLayout(picOnlySelectOption);
    onlyBox->setContentsMargins(0, 0, 0, 0);
    onlyBox->addWidget(chkOnlySelect);
    picDenpyoListOption = new QWidget(picBanner);
    picDenpyoListOption->setObjectName(QStringLiteral("picDenpyoListOption"));
    chkShohinMeisai = new QCheckBox(QStringLiteral("商品明細を出力する"), picDenpyoListOption);
    chkShohinMeisai->setObjectName(QStringLiteral("chkShohinMeisai"));
    chkDenpyoLine = new QCheckBox(QStringLiteral("伝票行と商品明細行を分ける"), picDenpyoListOption);
    chkDenpyoLine->setObjectName(QStringLiteral("chkDenpyoLine"));
    auto *listBox = new QVBoxLayout(picDenpyoListOption);
    listBox->setContentsMargins(0, 0, 0, 0);
    listBox->addWidget(chkShohinMeisai);
    listBox->addWidget(chkDenpyoLine);

    picCommand = new QWidget(picBanner);
    picCommand->setObjectName(QStringLiteral("picCommand"));
    cmdItemName = new QPushButton(QStringLiteral("項目名選択(&D)"), picCommand);
    cmdItemName->setObjectName(QStringLiteral("cmdItemName"));
    cmdOK = new QPushButton(QStringLiteral("登録(&S)"), picCommand);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdExit = new QPushButton(QStringLiteral("閉じる(&E)"), picCommand);
    cmdExit->setObjectName(QStringLiteral("cmdExit"));
    for (QPushButton *b : {cmdItemName, cmdOK, cmdExit})
        b->setAutoDefault(false);
    cmdItemName->setEnabled(false);
    auto *commands = new QHBoxLayout(picCommand);
    commands->setContentsMargins(0, 0, 0, 0);
    commands->addWidget(cmdItemName);
    commands->addWidget(cmdOK);
    commands->addWidget(cmdExit);

    lblTab[0] = tabLabel(QStringLiteral("デザイン"), "lblTab0", picBanner);
    lblTab[1] = tabLabel(QStringLiteral("プレビュー"), "lblTab1", picBanner);
    for (QLabel *tab : lblTab)
        tab->installEventFilter(this);

    auto *nameRow = new QHBoxLayout;
    nameRow->addWidget(Label1);
    nameRow->addWidget(txtName);
    nameRow->addSpacing(16);
    nameRow->addWidget(picOnlySelectOption);
    nameRow->addWidget(picDenpyoListOption);
    nameRow->addStretch();
    nameRow->addWidget(picCommand);
    auto *titleRow = new QHBoxLayout;
    titleRow->addWidget(lblTitle);
    titleRow->addStretch();
    titleRow->addWidget(lblTab[0]);
    titleRow->addWidget(lblTab[1]);
    auto *banner = new QVBoxLayout(picBanner);
    banner->setContentsMargins(8, 6, 8, 0);
    banner->addLayout(nameRow);
    banner->addLayout(titleRow);

    ard = new report::LayoutDesigner(this);
    ard->setObjectName(QStringLiteral("ard"));
    arv = new report::PreviewWidget(this);
    arv->setObjectName(QStringLiteral("arv"));
    m_views = new QStackedWidget(this);
    m_views->addWidget(ard);
    m_views->addWidget(arv);

    lstError = new QListWidget(this);
    lstError->setObjectName(QStringLiteral("lstError"));
    splitter = new QSplitter(Qt::Vertical, this);
    splitter->setObjectName(QStringLiteral("imlHSplitter"));
    splitter->addWidget(m_views);
    splitter->addWidget(lstError);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 0);
    splitter->setChildrenCollapsible(false);
    splitter->setSizes({600, 80});
    m_views->setMinimumHeight(120);
    lstError->setMinimumHeight(40);

    sb = new QStatusBar(this);
    sb->setObjectName(QStringLiteral("sb"));
    sb->setSizeGripEnabled(true);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->setMenuBar(menuBar);
    layout->addWidget(picBanner);
    layout->addWidget(splitter, 1);
    layout->addWidget(sb);
    resize(1000, 760);

    connect(cmdItemName, &QPushButton::clicked, this, &frmPrintForm::ItemNameSelect);
    connect(cmdOK, &QPushButton::clicked, this, &frmPrintForm::Regist);
    connect(cmdExit, &QPushButton::clicked, this, &frmPrintForm::reject);
    connect(mnuSave, &QAction::triggered, this, &frmPrintForm::SaveOverwrite);
    connect(mnuSaveAs, &QAction::triggered, this, &frmPrintForm::SaveFormAs);
    connect(mnuInportForm, &QAction::triggered, this, &frmPrintForm::InportForm);
    connect(mnuInportSampleForm, &QAction::triggered, this, &frmPrintForm::InportSampleForm);
    connect(mnuExit, &QAction::triggered, this, &frmPrintForm::reject);
    for (QCheckBox *box : {chkOnlySelect, chkShohinMeisai, chkDenpyoLine})
        connect(box, &QCheckBox::clicked, this, [this] { m_changed = true; });
    connect(ard, &report::LayoutDesigner::layoutChanged, this, &frmPrintForm::layoutChanged);
    connect(ard, &report::LayoutDesigner::selectionChanged, this, &frmPrintForm::selectionChanged);
    ui::setDialogFrame(this, ui::DialogFrame::Sizable);
}

frmPrintForm::~frmPrintForm()
{
    // The designer's notifications must not reach a window half destroyed.
    disconnect(ard, nullptr, this, nullptr);
}

QString frmPrintForm::formFolder() const
{
    const PrintFormKind *kind = printFormKindByCode(ObjectName);
    return kind ? kind->formFolder() : QString();
}

void frmPrintForm::showEvent(QShowEvent *event)
{
    if (!m_opened) {
        m_opened = true;
        Load();
    }
    QDialog::showEvent(event);
}

void frmPrintForm::Load()
{
    LoadWindowPosition(this);
    m_loading = true;
    ResultModified = false;
    ChooseTab(0);

    const PrintFormKind *kind = printFormKindByCode(ObjectName);
    if (kind) {
        m_displayName = kind->displayName;
        m_sampleFolder = kind->sampleFolder();
    }
    picOnlySelectOption->setVisible(kind && kind->onlySelectOption);
    picDenpyoListOption->setVisible(kind && kind->denpyoListOptions);
    setWindowTitle(QLatin1Char(' ') + m_displayName + QStringLiteral("印刷フォーム"));
    lblTitle->setText(m_displayName + QStringLiteral("印刷フォーム"));

    txtName->setText(FormName);
    bool loaded = true;
    if (!FormName.isEmpty()) {
        txtName->setEnabled(false);
        loaded = LoadFormLayout(printFormPath(formFolder(), FormName));
        m_newForm = false;
    } else {
        txtName->setEnabled(true);
        m_newForm = true;
    }
    m_pageItems = fnGetItemNames(ObjectName, QStringLiteral("P"));
    m_detailItems = fnGetItemNames(ObjectName, QStringLiteral("D"));
    m_changed = false;
    m_sectionWarned = false;
    m_loading = false;
    if (!loaded) {
        // Editing an unreadable print form would overwrite it with a blank
        // one; the user has been told, and the window goes.
        QTimer::singleShot(0, this, [this] { closeWindow(Rejected); });
        return;
    }
    if (m_newForm)
        txtName->setFocus(Qt::OtherFocusReason);
    else
        ard->setFocus(Qt::OtherFocusReason);
}

bool frmPrintForm::LoadFormLayout(const QString &path)
{
    try {
        ard->loadLayoutFile(path);
    } catch (const report::LayoutError &e) {
        ui::showMessage(QStringLiteral("印刷フォームを読み込めません。\r\n") + e.message(), ui::Icon::Exclamation,
                        ui::Buttons::Ok, ui::Answer::Ok, QString(), this);
        return false;
    }
    const PrintFormOptions options = PrintFormOptions::fromUserData(ard->userData());
    chkOnlySelect->setChecked(options.OnlySelect);
    chkShohinMeisai->setChecked(options.ShohinMeisai);
    chkDenpyoLine->setChecked(options.DenpyoLine);
    return true;
}

bool frmPrintForm::SaveFormLayout(const QString &path)
{
    PrintFormOptions options;
    options.OnlySelect = chkOnlySelect->isChecked();
    options.ShohinMeisai = chkShohinMeisai->isChecked();
    options.DenpyoLine = chkDenpyoLine->isChecked();
    ard->setUserData(options.toUserData());
    try {
        ard->saveLayoutFile(path);
    } catch (const std::exception &e) {
        const auto *text = dynamic_cast<const text::TextFileError *>(&e);
        ui::showMessage(QStringLiteral("印刷フォームを保存できません。\r\n")
                            + (text ? text->message() : QString::fromLocal8Bit(e.what())),
                        ui::Icon::Exclamation, ui::Buttons::Ok, ui::Answer::Ok, QString(), this);
        return false;
    }
    m_changed = false;
    return true;
}

void frmPrintForm::ChooseTab(int index)
{
    ui::WaitCursor wait;
    for (int i = 0; i < 2; ++i)
        lblTab[i]->setStyleSheet(i == index ? kTabChosen : QString());
    m_views->setCurrentIndex(index == 1 ? 1 : 0);
    if (index == 1)
        arv->setPages(ard->renderPreview());
    else
        arv->setPages({});
}

bool frmPrintForm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        for (int i = 0; i < 2; ++i)
            if (watched == lblTab[i]) {
                ChooseTab(i);
                return true;
            }
    }
    return QDialog::eventFilter(watched, event);
}

void frmPrintForm::layoutChanged(int kind)
{
    m_changed = true;
    if (kind != report::LayoutDesigner::SectionsChanged && kind != report::LayoutDesigner::LayoutReplaced)
        return;
    if (m_sectionWarned) {
        m_sectionWarned = false;
        return;
    }
    if (ard->layout().sections.size() > 1) {
        ui::showMessage(LayoutCheckText::kSections, ui::Icon::Exclamation, ui::Buttons::Ok, ui::Answer::Ok,
                        LayoutCheckText::kWarningTitle, this);
        m_sectionWarned = true;
    }
}

void frmPrintForm::selectionChanged()
{
    if (m_loading)
        return;
    bool field = false;
    for (const auto &ref : ard->selection())
        if (const report::Control *c = ard->control(ref))
            field = field || c->name.startsWith(QLatin1String("Field"));
    cmdItemName->setEnabled(field);
}

void frmPrintForm::ItemNameSelect()
{
    frmItemName picker(this);
    picker.arrPageItemName = m_pageItems;
    picker.arrDetailItemName = m_detailItems;
    picker.exec();
    const QString result = picker.ResultValue;
    if (result.isEmpty())
        return;
    const auto selection = ard->selection();
    for (int k = 0; k < selection.size(); ++k) {
        const report::Control *c = ard->control(selection[k]);
        if (!c || !c->name.startsWith(QLatin1String("Field")))
            continue;
        ard->setControlText(selection[k],
                            result.startsWith(QLatin1Char('1')) ? QString::number(k + 1) + result.mid(1) : result);
    }
}

bool frmPrintForm::CheckLayout()
{
    const LayoutCheckResult result =
        ::CheckLayout(ard->layout(), ObjectName, m_pageItems, m_detailItems, chkShohinMeisai->isChecked());
    lstError->clear();
    lstError->addItems(result.entries);
    return result.hasErrors;
}

bool frmPrintForm::fnRegistForm(bool hasErrors, bool confirm)
{
    txtName->setText(fnTrimBlanks(txtName->TextBox()->text()));
    if (txtName->TextBox()->text().isEmpty()) {
        ui::showMessage(kNoName, ui::Icon::Critical, ui::Buttons::Ok, ui::Answer::Ok, QString(), this);
        txtName->setFocus(Qt::OtherFocusReason);
        return false;
    }
    txtName->setText(fnRemoveCrLf(txtName->TextBox()->text()));
    const QString name = txtName->TextBox()->text();
    if (!fnIsValidFileName(name)) {
        ui::showMessage(kBadName + QStringLiteral("\r\n\t\\/:*?<>|"), ui::Icon::Exclamation, ui::Buttons::Ok,
                        ui::Answer::Ok, QString(), this);
        return false;
    }
    const QString folder = formFolder();
    if (m_newForm && printFormExists(folder, name)) {
        ui::showMessage(kTaken, ui::Icon::Critical, ui::Buttons::Ok, ui::Answer::Ok, QString(), this);
        txtName->setFocus(Qt::OtherFocusReason);
        return false;
    }
    if (confirm) {
        const QString verb = m_newForm ? QStringLiteral("登録") : QStringLiteral("更新");
        QString question = m_displayName + QStringLiteral("印刷フォーム ") + name + QStringLiteral(" を") + verb
                           + QStringLiteral("しますか？");
        if (hasErrors)
            question = kFaulty + QStringLiteral("\r\n\r\n") + QStringLiteral("このまま、") + question;
        if (ui::showMessage(question, ui::Icon::Question, ui::Buttons::YesNo, ui::Answer::Yes, QString(), this)
            != ui::Answer::Yes)
            return false;
    }
    ui::WaitCursor wait;
    if (!SaveFormLayout(printFormPath(folder, name)))
        return false;
    ResultModified = true;
    // From now on the window edits the print form it has just written.
    m_newForm = false;
    txtName->setEnabled(false);
    return true;
}

bool frmPrintForm::Regist()
{
    if (!fnRegistForm(CheckLayout(), true))
        return false;
    closeWindow(Accepted);
    return true;
}

void frmPrintForm::SaveOverwrite()
{
    fnRegistForm(CheckLayout(), false);
}

void frmPrintForm::SaveFormAs()
{
    frmNameInput dialog(this);
    dialog.setTitle(QStringLiteral("フォーム"));
    dialog.setOriginalName(QString());
    dialog.exec();
    if (!dialog.OK())
        return;
    const QString folder = formFolder();
    if (printFormExists(folder, dialog.ResultString())) {
        ui::showMessage(kTaken, ui::Icon::Critical, ui::Buttons::Ok, ui::Answer::Ok, QString(), this);
        return;
    }
    ui::WaitCursor wait;
    if (SaveFormLayout(printFormPath(folder, dialog.ResultString())))
        ResultModified = true;
}

void frmPrintForm::importFrom(const QString &folder)
{
    frmList picker(this);
    picker.FormDir = folder;
    picker.FormSufix = QStringLiteral(".rpx");
    picker.exec();
    if (!picker.OK())
        return;
    {
        ui::WaitCursor wait;
        if (!LoadFormLayout(printFormPath(folder, picker.ResultFormName())))
            return;
        m_changed = true;
    }
    if (fnTrimBlanks(txtName->TextBox()->text()).isEmpty())
        txtName->setText(picker.ResultFormName());
}

void frmPrintForm::InportForm()
{
    importFrom(formFolder());
}

void frmPrintForm::InportSampleForm()
{
    importFrom(m_sampleFolder);
}

void frmPrintForm::reject()
{
    if (m_changed) {
        const ui::Answer answer = ui::showMessage(kChanged, ui::Icon::Question, ui::Buttons::YesNoCancel,
                                                  ui::Answer::Yes, QString(), this);
        if (answer == ui::Answer::Cancel)
            return;
        if (answer == ui::Answer::Yes && !fnRegistForm(CheckLayout(), false))
            return;
    }
    closeWindow(Rejected);
}

void frmPrintForm::closeWindow(int result)
{
    SaveWindowPosition(this);
    QDialog::done(result);
}
