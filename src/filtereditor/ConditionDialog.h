#pragma once

#include "platform/ui/KeyNavigator.h"

#include <QDialog>
#include <QPointer>

class QBoxLayout;
class QPushButton;
class QVBoxLayout;

// The pattern of the six condition dialogs: a borderless window laid over
// the filter editor's field frame, rows of entry controls, then OK and
// cancel. The caller sets ValueString (and the dialog's options) and
// ofrmFind, shows it modally and reads OK and the result member.
class ConditionDialog : public QDialog {
    Q_OBJECT
public:
    // The condition's current value in the result's format, "" for a new one.
    QString ValueString;
    // The filter editor the dialog lies over; read while it opens.
    QPointer<QWidget> ofrmFind;

    bool OK() const { return m_ok; }

    // Checks and stores the value; closes the dialog when it passed.
    void InputOK();
    void InputCancel();

    QPushButton *cmdOK;
    QPushButton *cmdCancel;

protected:
    // topTwips: how far below the frame's top edge the dialog lies.
    ConditionDialog(const char *name, int topTwips, QWidget *parent);

    // Fills the controls from ValueString (after the placement).
    virtual void loadValue() = 0;
    // Checks the value and stores the result; false keeps the dialog open.
    virtual bool storeResult() = 0;
    // Home's target and the first of the tab order.
    virtual QWidget *firstField() const = 0;
    // The controls in tab order before OK and cancel.
    virtual QList<QWidget *> tabFields() const = 0;
    // Where the focus starts: the first of tabFields() that can take it.
    virtual QWidget *initialFocus() const;

    // A row above the buttons.
    void addRow(QBoxLayout *row);
    // Enter, Up, Down, Right and Left targets of a control (nullptr: none).
    void setTargets(QWidget *from, QWidget *enter, QWidget *up, QWidget *down, QWidget *right, QWidget *left);
    // The message of a refused value, exclamation icon, focus to `focus`.
    void refuse(const QString &text, QWidget *focus);

    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

    ui::KeyNavigator *keys;

private:
    void placeOverFrame();
    void setFrameStyle();

    QVBoxLayout *m_rows;
    int m_topTwips;
    bool m_ok = false;
    bool m_loaded = false;
};
