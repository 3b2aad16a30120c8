#include "printing/frmList.h"

#include "core/WindowMemory.h"
#include "platform/ui/DialogFrame.h"
#include "platform/ui/KeyNavigator.h"
#include "platform/ui/MessageBox.h"

#include <QApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>
#include <QVBoxLayout>

frmList::frmList(QWidget *parent)
    : QDialog(parent), Label1(new QLabel(QStringLiteral("取り込む印刷フォームを選択してください。"), this)),
      lvwFormList(new QListWidget(this)), cmdOK(new QPushButton(QStringLiteral("ＯＫ"), this)),
      cmdCancel(new QPushButton(QStringLiteral("ｷｬﾝｾﾙ(ESC)"), this)), m_keys(new ui::KeyNavigator(this))
{
    setObjectName(QStringLiteral("frmList"));
    Label1->setObjectName(QStringLiteral("Label1"));
    lvwFormList->setObjectName(QStringLiteral("lvwFormList"));
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    lvwFormList->setViewMode(QListView::ListMode);
    lvwFormList->setFlow(QListView::TopToBottom);
    lvwFormList->setWrapping(true);
    lvwFormList->setResizeMode(QListView::Adjust);
    lvwFormList->setSortingEnabled(true);
    for (QPushButton *b : {cmdOK, cmdCancel}) {
        b->setAutoDefault(false);
        b->setFocusPolicy(Qt::StrongFocus);
    }

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(lvwFormList, 1);
    layout->addLayout(buttons);
    setMinimumSize(361, 308); // 5415 x 4620 twips
    resize(420, 340);

    // A click, or the keyboard's choice of an item, names the print form. The
    // row the list makes current when it gets the focus is shown but not
    // selected: it names nothing until the user picks it.
    connect(lvwFormList, &QListWidget::itemSelectionChanged, this, [this] {
        const QList<QListWidgetItem *> picked = lvwFormList->selectedItems();
        if (!picked.isEmpty() && !picked.first()->text().isEmpty())
            m_result = picked.first()->text();
    });
    connect(lvwFormList, &QListWidget::itemClicked, this, [this](QListWidgetItem *item) {
        if (item->text().isEmpty())
            cmdOK->setFocus(Qt::OtherFocusReason);
        else
            m_result = item->text();
    });
    connect(lvwFormList, &QListWidget::itemDoubleClicked, this, [this] { FormSelect(); });
    connect(cmdOK, &QPushButton::clicked, this, &frmList::FormSelect);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    setUpKeys();
    ui::setDialogFrame(this, ui::DialogFrame::Sizable);
}

void frmList::setUpKeys()
{
    using ui::NavKey;
    const auto nothing = [] {};
    const auto cancel = [this] { reject(); };
    m_keys->watch({lvwFormList, cmdOK, cmdCancel});
    m_keys->setMove(lvwFormList, NavKey::Enter, cmdOK);
    m_keys->setMove(lvwFormList, NavKey::Down, cmdOK);
    m_keys->setMove(lvwFormList, NavKey::End, cmdOK);
    m_keys->setAction(lvwFormList, NavKey::Home, nothing);
    for (NavKey k : {NavKey::Up, NavKey::Left, NavKey::Right})
        m_keys->setAction(lvwFormList, k, nothing);
    for (QPushButton *b : {cmdOK, cmdCancel}) {
        m_keys->setMove(b, NavKey::Home, lvwFormList);
        m_keys->setMove(b, NavKey::End, cmdOK);
        for (NavKey k : {NavKey::Up, NavKey::Down, NavKey::Left, NavKey::Right})
            m_keys->setAction(b, k, nothing);
    }
    m_keys->setAction(cmdOK, NavKey::Enter, [this] { FormSelect(); });
    m_keys->setAction(cmdCancel, NavKey::Enter, cancel);
    m_keys->setAction(nullptr, NavKey::Escape, cancel);
}

void frmList::fillList()
{
    lvwFormList->clear();
    const QIcon icon = QApplication::style()->standardIcon(QStyle::SP_FileIcon);
    if (FormDir.isEmpty())
        return;
    const QStringList files =
        QDir(FormDir).entryList({QStringLiteral("*") + FormSufix}, QDir::Files | QDir::Readable);
    for (const QString &file : files)
        lvwFormList->addItem(new QListWidgetItem(icon, file.chopped(qMin<int>(4, file.size()))));
    lvwFormList->sortItems(Qt::AscendingOrder);
}

void frmList::showEvent(QShowEvent *event)
{
    if (!m_opened) {
        m_opened = true;
        LoadWindowPosition(this);
        setWindowTitle(QStringLiteral(" 印刷フォーム選択"));
        m_ok = false;
        m_result.clear();
        fillList();
        lvwFormList->setCurrentRow(-1);
        lvwFormList->setFocus(Qt::OtherFocusReason);
    }
    QDialog::showEvent(event);
}

void frmList::FormSelect()
{
    if (m_result.isEmpty()) {
        ui::showMessage(QStringLiteral("フォームを選択してください。"), ui::Icon::Critical, ui::Buttons::Ok,
                        ui::Answer::Ok, QString(), this);
        return;
    }
    m_ok = true;
    accept();
}

void frmList::done(int result)
{
    if (result != Accepted)
        m_ok = false;
    SaveWindowPosition(this);
    QDialog::done(result);
}
