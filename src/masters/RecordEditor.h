#pragma once

#include "masters/EditorMode.h"
#include "platform/ui/KeyNavigator.h"
#include "platform/ui/MessageBox.h"

#include <QDialog>
#include <QList>
#include <functional>

class QLabel;
class QPushButton;
class ucIDInput;

// The dialog behind the customer and product editors: the six modes, the
// input states "Key" and "Data" of "SelectableUpdate", the ID search, the save
// with its confirmation and follow-up, the close key and the window-wide keys.
// A concrete editor builds its fields, hands the shared controls over with
// setParts() and supplies the steps that depend on the record.
class RecordEditor : public QDialog {
    Q_OBJECT
public:
    // Input: one of the six mode texts, set before the dialog is shown.
    QString Mode;

    // False when the dialog opens; true from the first successful save on.
    bool ResultModified() const { return m_resultModified; }

    EditorMode mode() const { return m_mode; }
    InputState inputState() const { return m_inputState; }

    ~RecordEditor() override;

protected:
    RecordEditor(const QString &formName, QWidget *parent);

    struct Parts {
        QLabel *title = nullptr;
        ucIDInput *idBox = nullptr;
        QPushButton *idSearch = nullptr;
        QPushButton *ok = nullptr;
        QPushButton *end = nullptr;
        // Where the focus goes after a record was loaded by its ID, and in
        // place of a disabled ID box.
        QWidget *firstDataField = nullptr;
        // Home's target while the ID box is disabled.
        QWidget *homeWithoutId = nullptr;
        // Locked in input state "Key".
        QList<QWidget *> dataBlocks;
        // Every control with key handling (the ID search button has none).
        QList<QWidget *> keyFields;
    };
    void setParts(const Parts &parts);

    // "顧客" or "商品": titles, questions and messages are built from it.
    virtual QString recordWord() const = 0;
    // Icon of the empty-ID message at save.
    virtual ui::Icon emptyIdOnSaveIcon() const = 0;
    // Everything done once before the mode is applied (limits, lists).
    virtual void prepareFields() {}
    // The key handed in for "ReferenceNew" and "SelectedUpdate".
    virtual QString loadKey() const = 0;
    // Empties every field.
    virtual void recordClear() = 0;
    // Loads the stored record of id and shows it. Without a stored row it
    // shows the empty record only when showWhenMissing is set. Returns found.
    virtual bool showStored(const QString &id, bool showWhenMissing) = 0;
    // "CopyNew": shows the record object handed in.
    virtual void showCopyObject() = 0;
    // The editor's own checks between the empty-ID check and the question.
    virtual bool checkBeforeConfirm() { return true; }
    enum class SaveOutcome { Saved, Refused, Gone };
    // Copies the fields into a fresh record and saves it. Update modes load
    // the ID first (Gone when its row has gone). Refused: *message is the
    // record's reason.
    virtual SaveOutcome saveRecord(const QString &id, bool isNew, QString *message) = 0;
    // Opens the picker; on a choice copies its values (the ID too when
    // copyId) and returns true.
    virtual bool pickRecord(bool copyId) = 0;
    // Tab positions in entry order, the ID box a tab stop only when withId.
    virtual void applyTabChain(bool withId) = 0;
    // "NewReturn": the saved ID handed back.
    virtual void setReturnedId(const QString &id) = 0;

    // Focus targets of a field; a disabled target is skipped as the
    // navigator does. Buttons move only when the target can take the focus.
    void setTargets(QWidget *from, QWidget *enter, QWidget *up, QWidget *down, QWidget *right = nullptr,
                    QWidget *left = nullptr);
    ui::KeyNavigator *keys() const { return m_keys; }

    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void done(int result) override;

    // The shared routines.
    void InputStateSet(InputState state);
    void IdSearch();
    void Save();
    void CloseEditor();

    // Runs an action; a database failure becomes a message and leaves the
    // dialog as it is.
    bool guarded(const std::function<void()> &action);

    QString missingIdMessage() const;
    QString emptyIdMessage() const;

private:
    void applyMode();
    void idEnter();
    void focusIdBox();
    void goHome();

    QString m_formName;
    EditorMode m_mode = EditorMode::fromText(QString());
    InputState m_inputState = InputState::Data;
    bool m_resultModified = false;
    bool m_opened = false;
    Parts m_parts;
    ui::KeyNavigator *m_keys = nullptr;
};
