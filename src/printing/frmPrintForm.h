#pragma once

#include "printing/LayoutCheck.h"

#include <QDialog>
#include <QStringList>

class QAction;
class QCheckBox;
class QLabel;
class QListWidget;
class QMenuBar;
class QPushButton;
class QSplitter;
class QStackedWidget;
class QStatusBar;
class QWidget;
class ucJaInput;
namespace report {
class LayoutDesigner;
class PreviewWidget;
} // namespace report

// The print-form designer window: designs, checks, registers and saves the
// print forms of one kind. Set ObjectName (the kind code) and FormName (""
// for a new print form), exec(), then read ResultModified.
class frmPrintForm : public QDialog {
    Q_OBJECT
public:
    explicit frmPrintForm(QWidget *parent = nullptr);
    ~frmPrintForm() override;

    QString ObjectName;
    QString FormName;
    bool ResultModified = false;

    // Commands.
    void ChooseTab(int index); // 0 デザイン, 1 プレビュー
    void ItemNameSelect();
    bool Regist();        // 登録: check, confirm, save, close
    void SaveOverwrite(); // 上書き保存
    void SaveFormAs();
    void InportForm();
    void InportSampleForm();

    // Lists the layout's faults in lstError; true when there are errors.
    bool CheckLayout();
    bool fnRegistForm(bool hasErrors, bool confirm);
    bool isChanged() const { return m_changed; }
    bool isNewForm() const { return m_newForm; }

    report::LayoutDesigner *ard;
    report::PreviewWidget *arv;
    QStackedWidget *m_views;
    QLabel *lblTab[2];
    QWidget *picBanner;
    QLabel *lblTitle;
    QLabel *Label1;
    ucJaInput *txtName;
    QWidget *picOnlySelectOption;
    QCheckBox *chkOnlySelect;
    QWidget *picDenpyoListOption;
    QCheckBox *chkShohinMeisai;
    QCheckBox *chkDenpyoLine;
    QWidget *picCommand;
    QPushButton *cmdItemName;
    QPushButton *cmdOK;
    QPushButton *cmdExit;
    QListWidget *lstError;
    QSplitter *splitter;
    QStatusBar *sb;
    QMenuBar *menuBar;
    QAction *mnuSave, *mnuSaveAs, *mnuInportForm, *mnuInportSampleForm, *mnuExit;

public slots:
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Load();
    bool LoadFormLayout(const QString &path);
    bool SaveFormLayout(const QString &path);
    void importFrom(const QString &folder);
    void layoutChanged(int kind);
    void selectionChanged();
    void closeWindow(int result);
    QString formFolder() const;

    QString m_displayName;
    QString m_sampleFolder;
    bool m_newForm = true;
    bool m_changed = false;
    bool m_loading = false;
    bool m_sectionWarned = false;
    bool m_opened = false;
    QStringList m_pageItems;
    QStringList m_detailItems;
};
