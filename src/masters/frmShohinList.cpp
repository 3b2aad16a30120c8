#include "masters/frmShohinList.h"

#include "core/Routines.h"
#include "core/controls/ucIDInput.h"
#include "core/controls/ucJaInput.h"
#include "filters/FilterCompiler.h"
#include "masters/PickerConditions.h"
#include "masters/TwipsGeometry.h"
#include "masters/frmShohin.h"
#include "model/Shohins.h"
#include "platform/ui/Twips.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

using ui::NavKey;

namespace {
constexpr int kFrameWidth = 265;
constexpr int kFrameHeight = 695;
} // namespace

frmShohinList::frmShohinList(QWidget *parent)
    : RecordPicker(QStringLiteral("frmShohinList"), SearchFilterKind::Shohin, parent)
{
    setWindowTitle(QStringLiteral(" 商品検索"));
    list->setObjectName(QStringLiteral("lvwShohinList"));
    cmdNew->setObjectName(QStringLiteral("cmdShohinNew"));
    cmdNew->setText(QStringLiteral("商品作成(F2)"));

    placedLabel(QStringLiteral("商品ID"), framSearch, 240, 285, 855, 255)
        ->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    txtSearchShohinID = placedField<ucIDInput>("txtSearchShohinID", framSearch, 1320, 240, 1935, 300);
    placedLabel(QStringLiteral("品番"), framSearch, 360, 645, 735, 255)
        ->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    txtSearchHinban = placedField<ucJaInput>("txtSearchHinban", framSearch, 1320, 600, 3135, 300);
    placedLabel(QStringLiteral("品名"), framSearch, 360, 1005, 735, 255)
        ->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    txtSearchHinmei = placedField<ucJaInput>("txtSearchHinmei", framSearch, 1320, 960, 3135, 300);
    placedLabel(QStringLiteral("製造元"), framSearch, 360, 1365, 735, 255)
        ->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    txtSearchMaker = placedField<ucJaInput>("txtSearchMaker", framSearch, 1320, 1320, 3135, 300);

    placeTwips(tvwTree, 120, 840, 2295, 4935);
    placeTwips(framSearch, 2520, 120, 6135, 1815);
    placeTwips(cmdSearch, 4680, 240, 1215, 660);
    placeTwips(list, 2520, 2040, 6135, 3735);
    placeTwips(cmdNew, 120, 5880, 1335, 540);
    placeTwips(cmdOK, 5880, 5880, 1335, 540);
    placeTwips(cmdCancel, 7320, 5880, 1335, 540);
    resize(ui::twipsToPixelsX(8775, this), ui::twipsToPixelsY(6540, this));
    setMinimumSize(ui::twipsToPixelsX(8910 - kFrameWidth, this), ui::twipsToPixelsY(3500 - kFrameHeight, this));
    setSizeGripEnabled(true);

    setColumns({QStringLiteral("商品ID"), QStringLiteral("品番"), QStringLiteral("品名"), QStringLiteral("製造元"),
                QStringLiteral("単価")},
               {1700, 2700, 2700, 2700, 1200},
               {Qt::AlignLeft, Qt::AlignLeft, Qt::AlignLeft, Qt::AlignLeft, Qt::AlignRight});
    setSearchBoxes({txtSearchShohinID, txtSearchHinban, txtSearchHinmei, txtSearchMaker});

    const QList<ucTextInput *> boxes = {txtSearchShohinID, txtSearchHinban, txtSearchHinmei, txtSearchMaker};
    for (int i = 0; i < boxes.size(); ++i) {
        keys->setAction(boxes[i], NavKey::Enter, [this] { BoxSearch(); });
        if (i + 1 < boxes.size())
            keys->setMove(boxes[i], NavKey::Down, boxes[i + 1]);
    }

    // Tab visits the ID box, the list and the two buttons first, the other
    // boxes last.
    setTabOrder(txtSearchShohinID, list);
    setTabOrder(list, cmdOK);
    setTabOrder(cmdOK, cmdCancel);
    setTabOrder(cmdCancel, cmdSearch);
    setTabOrder(cmdSearch, tvwTree);
    setTabOrder(tvwTree, cmdNew);
    setTabOrder(cmdNew, txtSearchHinban);
    setTabOrder(txtSearchHinban, txtSearchHinmei);
    setTabOrder(txtSearchHinmei, txtSearchMaker);
}

QString frmShohinList::tankaCell(double tanka)
{
    return fnFormatNumber(QStringLiteral("##,###,##0.##"), tanka);
}

QString frmShohinList::boxCondition() const
{
    return ShohinSearchWhereMake(txtSearchShohinID->Text(), txtSearchHinban->Text(), txtSearchHinmei->Text(),
                                 txtSearchMaker->Text());
}

bool frmShohinList::filterCondition(const QString &name, QString *condition) const
{
    return fnMakeShohinSQLWHERE(name, *condition);
}

QList<QStringList> frmShohinList::loadRows(const QString &condition)
{
    Shohins shohins;
    shohins.Load(condition);
    QList<QStringList> rows;
    rows.reserve(shohins.Count());
    for (const ShohinDisplay &s : shohins)
        rows << QStringList{s.ShohinID(), s.Number(), s.Name(), s.Maker(), tankaCell(s.Tanka())};
    return rows;
}

void frmShohinList::clearBoxes()
{
    for (ucTextInput *box : std::initializer_list<ucTextInput *>{txtSearchShohinID, txtSearchHinban,
                                                                  txtSearchHinmei, txtSearchMaker})
        box->setText(QString());
}

void frmShohinList::loadChosen(const QString &key)
{
    m_chosen.Initialize();
    m_chosen.Load(key);
}

QString frmShohinList::createRecord()
{
    frmShohin editor(this);
    editor.Mode = QStringLiteral("NewReturn");
    editor.ResutltShohinID = QString();
    editor.exec();
    return editor.ResutltShohinID;
}

void frmShohinList::showNewKey(const QString &key)
{
    txtSearchShohinID->setText(key);
    txtSearchHinban->setText(QString());
    txtSearchHinmei->setText(QString());
    txtSearchMaker->setText(QString());
}

QWidget *frmShohinList::aboveList() const
{
    return txtSearchShohinID;
}

void frmShohinList::resizeEvent(QResizeEvent *event)
{
    RecordPicker::resizeEvent(event);
    if (isMinimized())
        return;
    const int w = qMax(ui::pixelsToTwipsX(width(), this) + kFrameWidth, 8910);
    const int h = qMax(ui::pixelsToTwipsY(height(), this) + kFrameHeight, 3500);
    const int treeWidth = 2295;
    placeTwips(framSearch, 2520, 120, w - treeWidth - 560, 1815);
    placeTwips(cmdSearch, (w - treeWidth - 560) - 1400, 240, 1215, 660);
    placeTwips(cmdOK, w - 3160, h - 1310, 1335, 540);
    placeTwips(cmdCancel, w - 1710, h - 1310, 1335, 540);
    placeTwips(cmdNew, 120, h - 1310, 1335, 540);
    placeTwips(tvwTree, 120, 840, treeWidth, h - 2300);
    placeTwips(list, 2520, 2040, w - treeWidth - 560, h - 3500);
}
