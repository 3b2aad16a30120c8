#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class ucJaInput;
namespace ui {
class KeyNavigator;
}

// Asks for the name of a saved object (a filter, a print form) that must be
// usable as a file name. Set Title (the kind of object, e.g. "フィルター")
// and OriginalName, exec(), then read OK and ResultString. Whether the name
// is already taken is the caller's business.
class frmNameInput : public QDialog {
    Q_OBJECT
public:
    explicit frmNameInput(QWidget *parent = nullptr);

    QString Title() const { return m_title; }
    void setTitle(const QString &title) { m_title = title; }
    QString OriginalName() const { return m_originalName; }
    void setOriginalName(const QString &name) { m_originalName = name; }

    // True only after a valid name was confirmed.
    bool OK() const { return m_ok; }
    // The confirmed name without blanks around it; empty unless OK.
    QString ResultString() const { return m_ok ? m_result : QString(); }

    void InputOK();
    void InputCancel();

    ucJaInput *txtString;
    QPushButton *cmdOK;
    QPushButton *cmdCancel;
    QLabel *lblPrompt;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void setUpKeys();

    ui::KeyNavigator *m_keys;
    QString m_title;
    QString m_originalName;
    QString m_result;
    bool m_ok = false;
};
