#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QPushButton;
class ucDenpyoID;
class ucNumRightInput;
class ucTextInput;
namespace ui {
class KeyNavigator;
}

// Views and changes the five business settings kept in 基本情報テーブル:
// the current slip number, the slip list's check count and the tax
// settings. It reads and writes them itself; exec() it and release it.
// The position is remembered between uses.
class frmSystemInfo : public QDialog {
    Q_OBJECT
public:
    explicit frmSystemInfo(QWidget *parent = nullptr);

    // Asks, writes every field to its record and closes. A number that does
    // not fit a record, or a database failure, is reported and nothing is
    // written; the dialog stays open with what was typed.
    void SystemInfoSave();
    // Closes without writing.
    void SystemInfoClose();

    ucDenpyoID *txtCurrentDenpyoID;
    ucNumRightInput *txtDenpyoListCheckCount;
    ucNumRightInput *txtShouhizeiRitsu;
    QComboBox *cmbShouhizeiPattern;
    QCheckBox *chkShouhizei;
    QPushButton *cmdOK;
    QPushButton *cmdCancel;

public slots:
    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void setUpKeys();
    void loadFields();
    // The number a text field stands for; false (with a message) when it
    // does not fit.
    bool fieldNumber(ucTextInput *field, const QString &label, qint32 *number);

    ui::KeyNavigator *m_keys;
    bool m_opened = false;
    bool m_readFailed = false;
};
