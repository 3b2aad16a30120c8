#pragma once

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;
namespace ui {
class KeyNavigator;
}

// Chooses one print form of a folder for import. Set FormDir (ending in
// "/") and FormSufix (".rpx"), exec(), then read OK and ResultFormName.
class frmList : public QDialog {
    Q_OBJECT
public:
    explicit frmList(QWidget *parent = nullptr);

    QString FormDir;
    QString FormSufix = QStringLiteral(".rpx");
    bool OK() const { return m_ok; }
    QString ResultFormName() const { return m_result; }

    QLabel *Label1;
    QListWidget *lvwFormList;
    QPushButton *cmdOK;
    QPushButton *cmdCancel;

    void FormSelect();

protected:
    void showEvent(QShowEvent *event) override;
    void done(int result) override;

private:
    void fillList();
    void setUpKeys();

    ui::KeyNavigator *m_keys;
    bool m_opened = false;
    bool m_ok = false;
    QString m_result;
};
