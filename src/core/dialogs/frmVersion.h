#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The about box: product name, version and the maker's notices. Opens
// centred; OK (Enter, Esc or a click) closes it.
class frmVersion : public QDialog {
    Q_OBJECT
public:
    explicit frmVersion(QWidget *parent = nullptr);

    // True while shown as a splash: no OK button.
    bool bSplash = false;

    // "V " and major.minor.revision.
    static QString VersionText(int major, int minor, int revision);

    QLabel *lblVersion;
    QPushButton *cmdOK;

protected:
    void showEvent(QShowEvent *event) override;
};
