#pragma once

#include <QDialog>

class MemoBox;
class QLabel;
class QFrame;
class QPushButton;
class ucJaInput;
namespace ui {
class KeyNavigator;
}

// The notes of one slip: department, person in charge and a memo of up to
// 254 characters. The caller sets strDenpyoID, shows the dialog modally and
// reads ResultModified. Saving loads the slip again and writes it whole.
class frmDenpyoNote : public QDialog {
    Q_OBJECT
public:
    explicit frmDenpyoNote(QWidget *parent = nullptr);

    QString strDenpyoID;
    bool ResultModified() const { return m_resultModified; }

    void DenpyoNoteSave();

    QLabel *lblName = nullptr;
    ucJaInput *txtTokkiJikou1 = nullptr;
    ucJaInput *txtTokkiJikou2 = nullptr;
    MemoBox *txtTokkiJikou3 = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdCancel = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void done(int result) override;

private:
    void load();

    QFrame *framMain = nullptr;
    QFrame *m_lines[2] = {};
    ui::KeyNavigator *m_keys = nullptr;
    bool m_loaded = false;
    bool m_resultModified = false;
};
