#pragma once

#include <QDialog>

class ListPrintSource;
class QDateEdit;
class QFrame;
class QLabel;
class QPushButton;
class QStatusBar;
class QTreeWidget;
class QTreeWidgetItem;
namespace ui {
class KeyNavigator;
}

// Prints the rows of the main list with a list print form of the kind.
// Lists the kind's print forms with what each prints (all shown rows or
// only the selected ones), marks in bold the rows of the main list that
// the chosen form would print, and hands their keys, in the list's order,
// to the list print procedure. Closing clears the marks and sorts the
// main list by its first column.
//
// Set ObjectType ("伝票", "顧客" or "商品") and Source, exec(), release.
class frmListPrint : public QDialog {
    Q_OBJECT
public:
    explicit frmListPrint(QWidget *parent = nullptr);
    ~frmListPrint() override;

    QString ObjectType;
    ListPrintSource *Source = nullptr;

    // Prints with the chosen form and closes; nothing when no form is
    // chosen or it has no row to print.
    void ListPrint();

    QLabel *lblTitle;
    QDateEdit *dtpPrintDate;
    QTreeWidget *lvwFormList;
    QPushButton *cmdOK;
    QPushButton *cmdExit;
    QStatusBar *StatusBar1;

public slots:
    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void Form_Load();
    void fillFormList();
    // Marks the rows the form of that row would print; enables printing
    // when there is at least one.
    void markOutputRows(QTreeWidgetItem *form);
    void setUpKeys();

    QLabel *m_statusText;
    QWidget *m_datePanel;
    QFrame *m_rule;
    QString m_folder;
    bool m_opened = false;
    bool m_closed = false;
    ui::KeyNavigator *m_keys;
};
