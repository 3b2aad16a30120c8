#include "core/dialogs/frmNameInput.h"

#include "core/Routines.h"
#include "core/WindowMemory.h"
#include "core/controls/ucJaInput.h"
#include "platform/ui/DialogFrame.h"
#include "platform/ui/KeyNavigator.h"
#include "platform/ui/MessageBox.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {
const QString kCaptionEnd = QStringLiteral("名入力");
const QString kPromptEnd = QStringLiteral("名を入力してください。");
const QString kEmptyName = QStringLiteral("名前を入力してください。");
const QString kBadCharacters = QStringLiteral("名には次の文字は使えません。");
const QString kRefusedList = QStringLiteral("\\/:*?<>|");
} // namespace

frmNameInput::frmNameInput(QWidget *parent)
    : QDialog(parent), txtString(new ucJaInput(this)), cmdOK(new QPushButton(QStringLiteral("ＯＫ"), this)),
      cmdCancel(new QPushButton(QStringLiteral("ｷｬﾝｾﾙ(ESC)"), this)), lblPrompt(new QLabel(this)),
      m_keys(new ui::KeyNavigator(this))
{
    setObjectName(QStringLiteral("frmNameInput"));
    txtString->setObjectName(QStringLiteral("txtString"));
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    lblPrompt->setObjectName(QStringLiteral("lblPrompt"));

    // Enter is the key handling's, not the dialog's default button.
    for (QPushButton *button : {cmdOK, cmdCancel}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lblPrompt);
    layout->addWidget(txtString);
    layout->addLayout(buttons);
    txtString->setMinimumWidth(320);

    connect(cmdOK, &QPushButton::clicked, this, &frmNameInput::InputOK);
    connect(cmdCancel, &QPushButton::clicked, this, &frmNameInput::InputCancel);
    setUpKeys();
    ui::setDialogFrame(this, ui::DialogFrame::Fixed);
}

void frmNameInput::setUpKeys()
{
    using ui::NavKey;
    const auto ok = [this] { InputOK(); };
    const auto cancel = [this] { InputCancel(); };
    const auto nothing = [] {};

    m_keys->setAction(nullptr, NavKey::Escape, cancel);
    m_keys->setMove(nullptr, NavKey::Home, txtString);
    m_keys->setMove(nullptr, NavKey::End, cmdOK);

    m_keys->setMove(txtString, NavKey::Enter, cmdOK);
    m_keys->setMove(txtString, NavKey::Down, cmdOK);

    m_keys->setAction(cmdOK, NavKey::Enter, ok);
    m_keys->setMove(cmdOK, NavKey::Up, txtString);
    m_keys->setAction(cmdOK, NavKey::Down, nothing);
    m_keys->setMove(cmdOK, NavKey::Right, cmdCancel);
    m_keys->setAction(cmdOK, NavKey::Left, nothing);

    m_keys->setAction(cmdCancel, NavKey::Enter, cancel);
    m_keys->setMove(cmdCancel, NavKey::Up, txtString);
    m_keys->setAction(cmdCancel, NavKey::Down, nothing);
    m_keys->setAction(cmdCancel, NavKey::Right, nothing);
    m_keys->setMove(cmdCancel, NavKey::Left, cmdOK);
}

void frmNameInput::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    CenterForm(this);
    setTabOrder(txtString, cmdOK);
    setTabOrder(cmdOK, cmdCancel);
    m_ok = false;
    m_result.clear();
    setWindowTitle(m_title + kCaptionEnd);
    lblPrompt->setText(m_title + kPromptEnd);
    if (!m_originalName.isEmpty())
        txtString->setText(m_originalName);
    txtString->setFocus(Qt::OtherFocusReason);
}

void frmNameInput::InputOK()
{
    if (txtString->Text().isEmpty()) {
        ui::showMessage(kEmptyName, ui::Icon::Critical, ui::Buttons::Ok, ui::Answer::Ok, QString(), this);
        return;
    }
    const QString cleaned = fnRemoveCrLf(txtString->TextBox()->text());
    txtString->setText(cleaned);
    if (!fnIsValidFileName(cleaned)) {
        ui::showMessage(m_title + kBadCharacters + QStringLiteral("\r\n\t") + kRefusedList,
                        ui::Icon::Exclamation, ui::Buttons::Ok, ui::Answer::Ok, QString(), this);
        return;
    }
    m_result = txtString->Text();
    m_ok = true;
    accept();
}

void frmNameInput::InputCancel()
{
    reject();
}
