#pragma once

#include <QDialog>

class QPushButton;
class QRadioButton;
class QTabWidget;
class ucTextInput;
namespace ui {
class KeyNavigator;
}

// Keeps the own-company details the print forms show: company, address,
// contact, registration number and three transfer accounts, each a setting
// of 基本情報テーブル ("MyName" to "MyKoza3Number"). It reads and writes
// them itself; exec() it and release it. The position is remembered.
class frmPrintInfo : public QDialog {
    Q_OBJECT
public:
    explicit frmPrintInfo(QWidget *parent = nullptr);
    ~frmPrintInfo() override;

    // Asks, writes all 21 settings in one transaction and closes. A setting
    // that cannot be written is reported, nothing is kept and the window
    // stays open with what was typed.
    void PrintInfoSave();

    ucTextInput *txtName, *txtPostNumber, *txtAddress1, *txtAddress2, *txtPhone, *txtFax, *txtHomePage, *txtMail,
        *txtTourokuBango;
    // Accounts 1 to 3 at index 0 to 2.
    ucTextInput *txtKozaGinko[3], *txtKozaShiten[3], *txtKozaNumber[3];
    // Per account: [0] 当座, [1] 普通.
    QRadioButton *optKozaShurui[3][2];
    QTabWidget *tabKoza;
    QPushButton *cmdOK;
    QPushButton *cmdCancel;

public slots:
    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void setUpKeys();
    void loadFields();
    // The field of a text setting; nullptr for an account type.
    ucTextInput *textField(int keyIndex) const;
    int kozaOf(int keyIndex) const;

    ui::KeyNavigator *m_keys;
    // The tab chain, accounts included: Tab walks into the account pages
    // that are not shown, showing them.
    QList<QWidget *> m_tabStops;
    bool m_changingPage = false;
    bool m_opened = false;
    // Fields that could not be read must not be written back empty.
    bool m_readFailed = false;
};
