#pragma once

#include <QDialog>
#include <QStringList>

class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;

// Offers the field texts a print form's fields may hold: the kind's page
// items with "P_", literal texts, and the detail items with "1_". Set
// arrPageItemName and arrDetailItemName (element 0 unused), exec(), then
// read ResultValue ("" when closed without a choice).
class frmItemName : public QDialog {
    Q_OBJECT
public:
    explicit frmItemName(QWidget *parent = nullptr);

    QStringList arrPageItemName;
    QStringList arrDetailItemName;
    QString ResultValue;

    QListWidget *List1;
    QPushButton *cmdOK;
    QPushButton *cmdExit;
    QLabel *picHelp;

    void FillList();

protected:
    void showEvent(QShowEvent *event) override;
    void done(int result) override;

private:
    static bool isHeading(const QListWidgetItem *item);
    bool m_opened = false;
};
