#include "masters/RecordEditor.h"

#include "core/WindowMemory.h"
#include "core/controls/ucIDInput.h"
#include "core/DatabaseFailure.h"
#include "platform/ui/DialogFrame.h"
#include "platform/ui/Teardown.h"
#include "platform/ui/WaitCursor.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

using ui::NavKey;

RecordEditor::RecordEditor(const QString &formName, QWidget *parent)
    : QDialog(parent), m_formName(formName)
{
    setObjectName(formName);
    ui::setDialogFrame(this, ui::DialogFrame::Sizable);
    m_keys = new ui::KeyNavigator(this);
}

RecordEditor::~RecordEditor()
{
    // The fields still report leaving as the dialog hides and its focus is
    // cleared; no handler of a concrete editor may run then.
    ui::disconnectForTeardown(this);
}

void RecordEditor::setParts(const Parts &parts)
{
    m_parts = parts;
    // The key row overlaps the top edge of the fields' frame, which is made
    // after it and would hide the lower border of the ID box and its button.
    parts.idBox->raise();
    parts.idSearch->raise();
    m_keys->watch(parts.idBox);
    for (QWidget *w : parts.keyFields) {
        m_keys->watch(w);
        // A button or check box would walk the tab chain with the arrows;
        // here only its own targets (setTargets) move the focus.
        if (qobject_cast<QAbstractButton *>(w)) {
            for (NavKey key : {NavKey::Up, NavKey::Down, NavKey::Right, NavKey::Left})
                m_keys->setAction(w, key, [] {});
        }
    }
    m_keys->setAction(nullptr, NavKey::Home, [this] { goHome(); });
    m_keys->setAction(nullptr, NavKey::End, [this] {
        if (ui::KeyNavigator::canTakeFocus(m_parts.ok))
            m_parts.ok->setFocus(Qt::OtherFocusReason);
    });
    m_keys->setAction(nullptr, NavKey::F11, [this] { IdSearch(); });
    m_keys->setAction(nullptr, NavKey::F12, [this] { Save(); });
    m_keys->setAction(nullptr, NavKey::Escape, [this] { CloseEditor(); });
    connect(parts.idSearch, &QPushButton::clicked, this, [this] { IdSearch(); });
    connect(parts.ok, &QPushButton::clicked, this, [this] { Save(); });
    connect(parts.end, &QPushButton::clicked, this, [this] { CloseEditor(); });
    // The search button is for the mouse; it keeps no keys of its own.
    parts.idSearch->setFocusPolicy(Qt::ClickFocus);
}

void RecordEditor::setTargets(QWidget *from, QWidget *enter, QWidget *up, QWidget *down, QWidget *right,
                              QWidget *left)
{
    const std::pair<NavKey, QWidget *> targets[] = {
        {NavKey::Enter, enter}, {NavKey::Up, up}, {NavKey::Down, down}, {NavKey::Right, right}, {NavKey::Left, left}};
    const bool isButton = qobject_cast<QAbstractButton *>(from) != nullptr;
    for (const auto &[key, to] : targets) {
        if (!to)
            continue;
        if (isButton) {
            // A button's move never walks on past a locked target.
            m_keys->setAction(from, key, [to] {
                if (ui::KeyNavigator::canTakeFocus(to))
                    to->setFocus(Qt::OtherFocusReason);
            });
        } else {
            m_keys->setMove(from, key, to);
        }
    }
}

void RecordEditor::showEvent(QShowEvent *event)
{
    if (!m_opened) {
        m_opened = true;
        LoadWindowPosition(this);
        m_resultModified = false;
        m_mode = EditorMode::fromText(Mode);
        prepareFields();
        applyMode();
    }
    QDialog::showEvent(event);
}

void RecordEditor::applyMode()
{
    m_parts.title->setText(m_mode.title(recordWord()));
    m_parts.ok->setText(m_mode.okCaption());
    m_parts.end->setText(QStringLiteral("閉じる(ESC)"));
    // The ID box's own Enter and F12 exist only where it looks records up.
    if (m_mode.looksUpTypedId()) {
        m_keys->setAction(m_parts.idBox, NavKey::Enter, [this] { idEnter(); });
        m_keys->setAction(m_parts.idBox, NavKey::F12, [] {});
    }
    recordClear();
    // A record that cannot be read leaves the form empty; the ID box below
    // is still locked as the mode asks.
    guarded([this] {
        if (m_mode.loadsGivenKey())
            showStored(loadKey(), true);
        else if (m_mode.kind() == EditorMode::CopyNew)
            showCopyObject();
    });
    if (m_mode.hasInputStates())
        InputStateSet(InputState::Key);
    if (m_mode.kind() == EditorMode::ReferenceNew)
        m_parts.idBox->setText(QString());
    const bool withId = !m_mode.idBoxFixed();
    if (!m_mode.hasInputStates())
        m_parts.idBox->setEnabled(withId);
    applyTabChain(withId);
    focusIdBox();
}

void RecordEditor::InputStateSet(InputState state)
{
    m_inputState = state;
    const bool key = state == InputState::Key;
    m_parts.idBox->setEnabled(key);
    m_parts.idSearch->setEnabled(key);
    for (QWidget *w : m_parts.dataBlocks)
        w->setEnabled(!key);
    m_parts.ok->setEnabled(!key);
    m_parts.end->setText(key ? QStringLiteral("閉じる(ESC)") : QStringLiteral("クリア(ESC)"));
}

QString RecordEditor::missingIdMessage() const
{
    return QStringLiteral("この") + recordWord() + QStringLiteral("IDは存在しません。");
}

QString RecordEditor::emptyIdMessage() const
{
    return recordWord() + QStringLiteral("IDを入力してください。");
}

void RecordEditor::IdSearch()
{
    guarded([this] {
        const QString id = m_parts.idBox->Text();
        if (m_mode.looksUpTypedId() && !id.isEmpty()) {
            if (showStored(id, false)) {
                InputStateSet(InputState::Data);
                m_parts.firstDataField->setFocus(Qt::OtherFocusReason);
            } else {
                ui::showMessage(missingIdMessage(), ui::Icon::Critical, ui::Buttons::Ok, ui::Answer::Ok, QString(),
                                this);
            }
            return;
        }
        if (pickRecord(m_mode.looksUpTypedId()) && m_mode.looksUpTypedId()) {
            InputStateSet(InputState::Data);
            m_parts.firstDataField->setFocus(Qt::OtherFocusReason);
        }
    });
}

void RecordEditor::idEnter()
{
    guarded([this] {
        const QString id = m_parts.idBox->Text();
        if (id.isEmpty()) {
            ui::showMessage(emptyIdMessage(), ui::Icon::Critical, ui::Buttons::Ok, ui::Answer::Ok, QString(), this);
            return;
        }
        if (!showStored(id, false)) {
            ui::showMessage(missingIdMessage(), ui::Icon::Critical, ui::Buttons::Ok, ui::Answer::Ok, QString(), this);
            return;
        }
        InputStateSet(InputState::Data);
        m_keys->moveFocus(m_parts.firstDataField, NavKey::Enter);
    });
}

void RecordEditor::Save()
{
    // In state "Key" the save button and the data are locked.
    if (m_mode.hasInputStates() && m_inputState == InputState::Key)
        return;
    const QString id = m_parts.idBox->Text();
    if (id.isEmpty()) {
        ui::showMessage(emptyIdMessage(), emptyIdOnSaveIcon(), ui::Buttons::Ok, ui::Answer::Ok, QString(), this);
        focusIdBox();
        return;
    }
    if (!checkBeforeConfirm())
        return;
    if (ui::showMessage(m_mode.saveQuestion(recordWord(), id), ui::Icon::Question, ui::Buttons::YesNo,
                        ui::Answer::Yes, QString(), this)
        != ui::Answer::Yes)
        return;

    ui::WaitCursor wait;
    SaveOutcome outcome = SaveOutcome::Refused;
    QString message;
    try {
        outcome = saveRecord(id, m_mode.isNewRecord(), &message);
    } catch (const std::exception &e) {
        wait.release();
        showDatabaseFailure(e, this);
        focusIdBox();
        return;
    }
    if (outcome != SaveOutcome::Saved) {
        wait.release();
        // A row that went while the dialog was open is reported as the ID
        // search reports an unknown ID, with its icon.
        if (outcome == SaveOutcome::Gone)
            ui::showMessage(missingIdMessage(), ui::Icon::Critical, ui::Buttons::Ok, ui::Answer::Ok, QString(), this);
        else
            ui::showMessage(message, ui::Icon::None, ui::Buttons::Ok, ui::Answer::Ok, QString(), this);
        focusIdBox();
        return;
    }

    m_resultModified = true;
    if (m_mode.staysOpenAfterSave()) {
        // Back to the empty starting state for the next record.
        if (m_mode.hasInputStates())
            InputStateSet(InputState::Key);
        m_parts.ok->setText(m_mode.okCaption());
        recordClear();
        focusIdBox();
        return;
    }
    if (m_mode.kind() == EditorMode::NewReturn)
        setReturnedId(id);
    wait.release();
    accept();
}

void RecordEditor::CloseEditor()
{
    if (m_mode.hasInputStates() && m_inputState == InputState::Data) {
        InputStateSet(InputState::Key);
        recordClear();
        focusIdBox();
        return;
    }
    reject();
}

void RecordEditor::focusIdBox()
{
    if (m_parts.idBox->Enabled())
        m_parts.idBox->setFocus(Qt::OtherFocusReason);
    else
        m_parts.firstDataField->setFocus(Qt::OtherFocusReason);
}

void RecordEditor::goHome()
{
    if (m_parts.idBox->Enabled())
        m_parts.idBox->setFocus(Qt::OtherFocusReason);
    else
        m_parts.homeWithoutId->setFocus(Qt::OtherFocusReason);
}

void RecordEditor::keyPressEvent(QKeyEvent *event)
{
    // There is no default button: Enter presses the button that has the
    // focus and does nothing elsewhere; Esc reaches the window only from
    // controls without key handling, where it does nothing.
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (auto *button = qobject_cast<QPushButton *>(focusWidget()))
            button->click();
        event->accept();
        return;
    case Qt::Key_Escape:
        event->accept();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

void RecordEditor::done(int result)
{
    SaveWindowPosition(this);
    QDialog::done(result);
}

bool RecordEditor::guarded(const std::function<void()> &action)
{
    return runShowingFailure(this, action);
}
