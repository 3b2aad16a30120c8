#include "masters/frmCustomerList.h"

#include "core/controls/ucIDInput.h"
#include "core/controls/ucJaInput.h"
#include "filters/FilterCompiler.h"
#include "masters/PickerConditions.h"
#include "masters/TwipsGeometry.h"
#include "masters/frmCustomer.h"
#include "model/Customers.h"
#include "platform/ui/Twips.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

using ui::NavKey;

namespace {
// The frame of a sizable window around its client area, in twips.
constexpr int kFrameWidth = 170;
constexpr int kFrameHeight = 570;
} // namespace

frmCustomerList::frmCustomerList(QWidget *parent)
    : RecordPicker(QStringLiteral("frmCustomerList"), SearchFilterKind::Customer, parent)
{
    setWindowTitle(QStringLiteral(" 顧客検索"));
    list->setObjectName(QStringLiteral("lvwCustomerList"));
    cmdNew->setObjectName(QStringLiteral("cmdCustomerNew"));
    cmdNew->setText(QStringLiteral("顧客作成(F2)"));

    placedLabel(QStringLiteral("顧客ID"), framSearch, 600, 285, 735, 255)
        ->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    txtSearchCustomerID = placedField<ucIDInput>("txtSearchCustomerID", framSearch, 1560, 240, 1815, 300);
    placedLabel(QStringLiteral("顧客名"), framSearch, 600, 600, 735, 255)
        ->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    txtSearchCustomerNameKnj = placedField<ucJaInput>("txtSearchCustomerNameKnj", framSearch, 1560, 600, 3015, 300);
    // A small note under its caption: a smaller type keeps it whole in the
    // low strip left above the frame's bottom edge.
    QLabel *note = placedLabel(QStringLiteral("（漢字・かな）"), framSearch, 420, 840, 1095, 225);
    QFont noteFont = note->font();
    noteFont.setPointSizeF(noteFont.pointSizeF() * 0.8);
    note->setFont(noteFont);

    placeTwips(tvwTree, 120, 840, 2295, 4575);
    placeTwips(framSearch, 2520, 120, 6135, 1095);
    placeTwips(cmdSearch, 4680, 360, 1215, 540);
    placeTwips(list, 2520, 1320, 6135, 4095);
    placeTwips(cmdNew, 120, 5520, 1335, 540);
    placeTwips(cmdOK, 6000, 5520, 1215, 540);
    placeTwips(cmdCancel, 7320, 5520, 1215, 540);
    resize(ui::twipsToPixelsX(8790, this), ui::twipsToPixelsY(6225, this));
    setMinimumSize(ui::twipsToPixelsX(8910 - kFrameWidth, this), ui::twipsToPixelsY(3000 - kFrameHeight, this));
    setSizeGripEnabled(true);

    setColumns({QStringLiteral("顧客ID"), QStringLiteral("顧客名"), QStringLiteral("かな"), QStringLiteral("部門")},
               {1700, 2500, 2000, 2500}, {Qt::AlignLeft, Qt::AlignLeft, Qt::AlignLeft, Qt::AlignLeft});
    setSearchBoxes({txtSearchCustomerID, txtSearchCustomerNameKnj});

    keys->setAction(txtSearchCustomerID, NavKey::Enter, [this] { BoxSearch(); });
    keys->setMove(txtSearchCustomerID, NavKey::Down, txtSearchCustomerNameKnj);
    keys->setAction(txtSearchCustomerNameKnj, NavKey::Enter, [this] {
        BoxSearch();
        list->setFocus(Qt::OtherFocusReason);
    });
    keys->setMove(txtSearchCustomerNameKnj, NavKey::Up, txtSearchCustomerID);
    keys->setMove(txtSearchCustomerNameKnj, NavKey::Down, list);

    // Tab visits the boxes, the list and the two buttons first; the search
    // button is for the mouse.
    cmdSearch->setFocusPolicy(Qt::ClickFocus);
    setTabOrder(txtSearchCustomerID, txtSearchCustomerNameKnj);
    setTabOrder(txtSearchCustomerNameKnj, list);
    setTabOrder(list, cmdOK);
    setTabOrder(cmdOK, cmdCancel);
    setTabOrder(cmdCancel, tvwTree);
    setTabOrder(tvwTree, cmdNew);
}

QString frmCustomerList::boxCondition() const
{
    return CustomerSearchWhereMake(txtSearchCustomerNameKnj->Text(), txtSearchCustomerID->Text());
}

bool frmCustomerList::filterCondition(const QString &name, QString *condition) const
{
    return fnMakeCustomerSQLWHERE(name, *condition);
}

QList<QStringList> frmCustomerList::loadRows(const QString &condition)
{
    Customers customers;
    customers.Load(condition, QString());
    QList<QStringList> rows;
    rows.reserve(customers.Count());
    for (const CustomerDisplay &c : customers)
        rows << QStringList{c.CustomerID(), c.NameKnj(), c.NameKana(), c.Bumon()};
    return rows;
}

void frmCustomerList::clearBoxes()
{
    txtSearchCustomerID->setText(QString());
    txtSearchCustomerNameKnj->setText(QString());
}

void frmCustomerList::loadChosen(const QString &key)
{
    m_chosen.Initialize();
    m_chosen.Load(key);
}

QString frmCustomerList::createRecord()
{
    frmCustomer editor(this);
    editor.Mode = QStringLiteral("NewReturn");
    editor.ResultCustomerID = QString();
    editor.exec();
    return editor.ResultCustomerID;
}

void frmCustomerList::showNewKey(const QString &key)
{
    txtSearchCustomerID->setText(key);
    txtSearchCustomerNameKnj->setText(QString());
}

QWidget *frmCustomerList::aboveList() const
{
    return txtSearchCustomerNameKnj;
}

void frmCustomerList::resizeEvent(QResizeEvent *event)
{
    RecordPicker::resizeEvent(event);
    if (isMinimized())
        return;
    const int w = qMax(ui::pixelsToTwipsX(width(), this) + kFrameWidth, 8910);
    const int h = qMax(ui::pixelsToTwipsY(height(), this) + kFrameHeight, 3000);
    const int treeWidth = 2295;
    placeTwips(framSearch, 2520, 120, w - treeWidth - 560, 1095);
    placeTwips(cmdSearch, (w - treeWidth - 560) - 1400, 360, 1215, 540);
    placeTwips(cmdOK, w - 2960, h - 1310, 1215, 540);
    placeTwips(cmdCancel, w - 1660, h - 1310, 1215, 540);
    placeTwips(cmdNew, 120, h - 1310, 1335, 540);
    placeTwips(tvwTree, 120, 840, treeWidth, h - 2200);
    placeTwips(list, 2520, 1320, w - treeWidth - 560, h - 2700);
}
