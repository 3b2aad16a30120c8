#pragma once

#include "slips/DenpyoStages.h"

#include <QDialog>

class QCheckBox;
class QDateEdit;
class QFrame;
class QLabel;
class QPushButton;
namespace ui {
class KeyNavigator;
}

// What the two progress dialogs share: the five stage boxes with their
// date pickers side by side in a frame, the update and close buttons, the
// keys (Enter walks box, picker, next box; Home, End, F12, Esc) and the
// window memory. A picker is usable only while its box is ticked.
class ProgressDialog : public QDialog {
    Q_OBJECT
public:
    bool ResultModified() const { return m_resultModified; }

    QCheckBox *chkShinko[denpyostages::kCount] = {};
    QDateEdit *datShinko[denpyostages::kCount] = {};
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdCancel = nullptr;

protected:
    // Geometry in twips: the stage frame's top and the buttons' top.
    ProgressDialog(const QString &formName, const QString &title, int titleWidth, int frameTop, int buttonTop,
                   QWidget *parent);
    ~ProgressDialog() override;

    // Runs on the first show, after the window position was restored.
    virtual void load() = 0;
    virtual void save() = 0;
    // A stage box was ticked, cleared or greyed by the user.
    virtual void stageClicked(int stage) { Q_UNUSED(stage); }
    // A picker's date was changed by the user.
    virtual void dateChanged(int stage) { Q_UNUSED(stage); }

    // Sets a stage as stored: ticked with its date, or cleared.
    void showStage(int stage, bool on, const QDateTime &date);
    // The picker's date as the slip takes it: the zero date for none.
    QDateTime pickedDate(int stage) const;
    void resetPicker(int stage);
    void setPickerQuietly(int stage, const QDate &date);

    QLabel *lblTitle = nullptr;
    QFrame *framStages = nullptr;
    bool m_resultModified = false;
    bool m_filling = false;

    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void done(int result) override;

private:
    void boxClicked(int stage);

    ui::KeyNavigator *m_keys = nullptr;
    bool m_loaded = false;
};
