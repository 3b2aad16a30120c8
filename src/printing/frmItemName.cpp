#include "printing/frmItemName.h"

#include "core/WindowMemory.h"
#include "platform/ui/DialogFrame.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

frmItemName::frmItemName(QWidget *parent)
    : QDialog(parent), List1(new QListWidget(this)), cmdOK(new QPushButton(QStringLiteral("OK"), this)),
      cmdExit(new QPushButton(QStringLiteral("閉じる(ESC)"), this)), picHelp(new QLabel(this))
{
    setObjectName(QStringLiteral("frmItemName"));
    setWindowTitle(QStringLiteral("項目名"));
    List1->setObjectName(QStringLiteral("List1"));
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdExit->setObjectName(QStringLiteral("cmdExit"));
    picHelp->setObjectName(QStringLiteral("picHelp"));
    picHelp->setText(QStringLiteral("接頭文字\n"
                                    "P_：全ページに印字\n"
                                    "F_：１ページ目のみ印字\n"
                                    "L_：最終ページのみ印字\n"
                                    "数字_：明細データ\n"
                                    "P_@：全ページに固定文字印字\n"
                                    "F_@：１ページ目に固定文字印字\n"
                                    "L_@：最終ページに固定文字印字\n"
                                    "数字_@：明細データに固定文字印字"));
    picHelp->setFrameShape(QFrame::StyledPanel);
    picHelp->setMargin(6);
    cmdOK->setDefault(true);
    cmdOK->setEnabled(false);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdExit);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(List1, 1);
    layout->addWidget(picHelp);
    layout->addLayout(buttons);
    resize(360, 560);

    connect(List1, &QListWidget::currentItemChanged, this,
            [this](QListWidgetItem *item) { cmdOK->setEnabled(item && !isHeading(item)); });
    connect(List1, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { cmdOK->setEnabled(!isHeading(item)); });
    connect(List1, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem *item) {
        if (isHeading(item))
            return;
        ResultValue = item->text();
        accept();
    });
    connect(cmdOK, &QPushButton::clicked, this, [this] {
        const QListWidgetItem *item = List1->currentItem();
        if (!item || isHeading(item))
            return;
        ResultValue = item->text();
        accept();
    });
    connect(cmdExit, &QPushButton::clicked, this, &QDialog::reject);
    ui::setDialogFrame(this, ui::DialogFrame::Sizable);
}

bool frmItemName::isHeading(const QListWidgetItem *item)
{
    return item->text().startsWith(QLatin1Char('('));
}

void frmItemName::FillList()
{
    List1->clear();
    List1->addItem(QStringLiteral("(ページデータ)"));
    for (int i = 1; i < arrPageItemName.size(); ++i)
        List1->addItem(QStringLiteral("P_") + arrPageItemName.at(i));
    for (const char *literal : {"P_@ご請求金額", "P_@円", "P_@様", "P_@ここに印字する文字を指定してください"})
        List1->addItem(QString::fromUtf8(literal));
    if (arrDetailItemName.size() > 1) {
        List1->addItem(QStringLiteral("(明細データ)"));
        for (int i = 1; i < arrDetailItemName.size(); ++i)
            List1->addItem(QStringLiteral("1_") + arrDetailItemName.at(i));
    }
    List1->addItem(QStringLiteral("1_@様"));
    List1->addItem(QStringLiteral("1_@ここに印字する文字を指定してください"));
    // No row is current until the user picks one, so OK starts disabled.
    List1->setCurrentRow(-1);
    cmdOK->setEnabled(false);
}

void frmItemName::showEvent(QShowEvent *event)
{
    if (!m_opened) {
        m_opened = true;
        LoadWindowPosition(this);
        ResultValue.clear();
        FillList();
        List1->setFocus(Qt::OtherFocusReason);
    }
    QDialog::showEvent(event);
}

void frmItemName::done(int result)
{
    if (result != Accepted)
        ResultValue.clear();
    SaveWindowPosition(this);
    QDialog::done(result);
}
