// The slip editor's line grid.
#include "slips/frmDenpyo.h"

#include "core/Routines.h"
#include "core/controls/ucRightLabel.h"
#include "core/controls/ucTelInput.h"
#include "masters/DecimalText.h"
#include "masters/frmShohinList.h"
#include "model/Shohin.h"
#include "platform/grid/FlexGrid.h"
#include "platform/ui/KeyNavigator.h"
#include "slips/MeisaiColumns.h"

#include <QCheckBox>
#include <QFrame>
#include <QLineEdit>

namespace Col = MeisaiColumns;

void frmDenpyo::gridReset()
{
    VSFlexGrid1->setRows(1);
    VSFlexGrid1->AddItem(QStringLiteral("1"));
}

bool frmDenpyo::gridHasFocus() const
{
    if (VSFlexGrid1->hasFocus())
        return true;
    const QLineEdit *editor = VSFlexGrid1->editor();
    return editor && editor->hasFocus();
}

void frmDenpyo::editCurrentCell()
{
    if (Col::isEditable(VSFlexGrid1->Col()))
        VSFlexGrid1->EditCell();
}

void frmDenpyo::numberRows()
{
    const int rows = VSFlexGrid1->Rows() - 1;
    for (int row = 1; row <= rows; ++row)
        VSFlexGrid1->setTextMatrix(row, Col::Number, QString::number(row));
    wlbMeisaisu->setCaption(QString::number(rows));
}

void frmDenpyo::MeisaiRenumber()
{
    numberRows();
    // The editor opens where the user is typing; elsewhere the grid's focus
    // arrival opens it.
    if (VSFlexGrid1->Row() >= 1 && gridHasFocus())
        editCurrentCell();
}

// The keys that append a row move on to it at once; an editor opened here
// would open on the cell they are leaving.
void frmDenpyo::appendRow()
{
    VSFlexGrid1->AddItem(QString::number(VSFlexGrid1->Rows()));
    numberRows();
    DenpyoKingakuKeisan(false);
}

void frmDenpyo::MeisaiRowInsert()
{
    // The grid is locked in state "Key": nothing to insert into.
    const int row = VSFlexGrid1->Row();
    if (row < 1 || !frmMeisai->isEnabled())
        return;
    VSFlexGrid1->commitEdit();
    VSFlexGrid1->AddItem(QStringLiteral("1"), row);
    VSFlexGrid1->setFocus(Qt::OtherFocusReason);
    VSFlexGrid1->setCurrentCell(row, Col::ShohinID);
    MeisaiRenumber();
    DenpyoKingakuKeisan(false);
}

void frmDenpyo::MeisaiRowDelete()
{
    const int row = VSFlexGrid1->Row();
    if (row < 1 || !frmMeisai->isEnabled())
        return;
    const int col = VSFlexGrid1->Col();
    if (VSFlexGrid1->Rows() - 1 > 1) {
        VSFlexGrid1->RemoveItem(row);
    } else {
        VSFlexGrid1->cancelEdit();
        VSFlexGrid1->setRows(1);
        VSFlexGrid1->AddItem(QStringLiteral("1"));
        VSFlexGrid1->setCurrentCell(1, col);
    }
    MeisaiRenumber();
    DenpyoKingakuKeisan(false);
    // The cell the focus moved to was entered while the deleted row still
    // counted: whether it is on the last row is known only now.
    if (gridHasFocus())
        showCellGuide();
}

bool frmDenpyo::GridKeyProcess(int row, int col, int key, Qt::KeyboardModifiers mods)
{
    if (row < 1)
        return false;
    const bool lastRow = row == VSFlexGrid1->Rows() - 1;
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        if (mods == Qt::AltModifier) {
            if (lastRow)
                appendRow();
            VSFlexGrid1->setCurrentCell(row + 1, Col::ShohinID);
            editCurrentCell();
            return true;
        }
        if (mods != Qt::NoModifier)
            return true;
        int nextRow = row;
        int next = Col::Biko;
        switch (col) {
        case Col::ShohinID: {
            VSFlexGrid1->commitEdit();
            bool found = false;
            if (!VSFlexGrid1->TextMatrix(row, Col::ShohinID).isEmpty())
                guarded([this, row, &found] { found = ShohinLoadByID(row); });
            next = !found ? Col::Hinban : VSFlexGrid1->ValueMatrix(row, Col::Tanka) == 0 ? Col::Tanka : Col::Suryo;
            break;
        }
        case Col::Hinban: next = Col::Hinmei; break;
        case Col::Hinmei: next = Col::Tanka; break;
        case Col::Tanka: next = Col::Suryo; break;
        case Col::Suryo: next = Col::Tanni; break;
        case Col::Tanni: next = Col::Biko; break;
        case Col::Kingaku: next = Col::Biko; break;
        case Col::Biko:
            VSFlexGrid1->commitEdit();
            if (lastRow)
                appendRow();
            nextRow = row + 1;
            next = Col::ShohinID;
            break;
        default: return true;
        }
        VSFlexGrid1->setCurrentCell(nextRow, next);
        editCurrentCell();
        return true;
    }
    case Qt::Key_F11: {
        bool picked = false;
        guarded([this, row, &picked] { picked = ShohinListSelect(row); });
        if (picked) {
            VSFlexGrid1->setFocus(Qt::OtherFocusReason);
            focusPriceOrQuantity(row);
        }
        return true;
    }
    case Qt::Key_Up:
        if (row != 1)
            return false;
        VSFlexGrid1->commitEdit();
        if (ui::KeyNavigator::canTakeFocus(txtCustomerTelephone))
            txtCustomerTelephone->setFocus(Qt::OtherFocusReason);
        return true;
    case Qt::Key_Down:
        if (!lastRow)
            return false;
        VSFlexGrid1->commitEdit();
        if (ui::KeyNavigator::canTakeFocus(chkNebikiRitsu))
            chkNebikiRitsu->setFocus(Qt::OtherFocusReason);
        return true;
    default: return false;
    }
}

void frmDenpyo::focusPriceOrQuantity(int row)
{
    VSFlexGrid1->setCurrentCell(row, VSFlexGrid1->ValueMatrix(row, Col::Tanka) == 0 ? Col::Tanka : Col::Suryo);
    editCurrentCell();
    // The window may not have the focus back from the picker yet, so the
    // cell's own arrival shows no hint.
    showCellGuide();
}

// 金額 takes no typing: there the line's first cell speaks for the row.
void frmDenpyo::showCellGuide()
{
    const int col = VSFlexGrid1->Col();
    StatusGuideShow(QString::fromUtf16(Col::spec(Col::isEditable(col) ? col : Col::ShohinID).key));
}

bool frmDenpyo::ShohinLoadByID(int row)
{
    Shohin shohin;
    shohin.Initialize();
    shohin.Load(VSFlexGrid1->TextMatrix(row, Col::ShohinID));
    if (shohin.ShohinID().isEmpty())
        return false;
    VSFlexGrid1->setTextMatrix(row, Col::Hinban, shohin.Number());
    VSFlexGrid1->setTextMatrix(row, Col::Hinmei, shohin.Name());
    VSFlexGrid1->setTextMatrix(row, Col::Tanka, fnFormatComma(plainDecimalText(shohin.Tanka())));
    VSFlexGrid1->setTextMatrix(row, Col::Tanni, shohin.Tanni());
    DenpyoKingakuKeisan(false);
    return true;
}

bool frmDenpyo::ShohinListSelect(int row)
{
    flgKeepGridCell = true;
    VSFlexGrid1->commitEdit();
    RetainedPicker<frmShohinList> picker(this);
    picker->exec();
    if (!picker->OK())
        return false;
    VSFlexGrid1->setTextMatrix(row, Col::ShohinID, picker->ResultShohinID());
    VSFlexGrid1->setTextMatrix(row, Col::Hinban, picker->ResultNumber());
    VSFlexGrid1->setTextMatrix(row, Col::Hinmei, picker->ResultName());
    VSFlexGrid1->setTextMatrix(row, Col::Tanka, fnFormatComma(picker->ResultTanka()));
    VSFlexGrid1->setTextMatrix(row, Col::Tanni, picker->ResultTanni());
    DenpyoKingakuKeisan(false);
    return true;
}

void frmDenpyo::cellEdited(int row, int col)
{
    if (flgLoading)
        return;
    const QString text = VSFlexGrid1->TextMatrix(row, col);
    const QString cleaned = Col::cleanedText(col, text);
    if (cleaned != text)
        VSFlexGrid1->setTextMatrix(row, col, cleaned);
    if (Col::isNumber(col)) {
        DenpyoKingakuKeisan(false);
        VSFlexGrid1->setTextMatrix(row, col, fnFormatComma(cleaned));
    }
}

void frmDenpyo::gridFocusArrived()
{
    if (!VSFlexGrid1->isEnabled() || !frmMeisai->isEnabled())
        return;
    if (!flgKeepGridCell) {
        const int row = VSFlexGrid1->Row() >= 1 ? VSFlexGrid1->Row() : 1;
        VSFlexGrid1->setCurrentCell(row, Col::ShohinID);
    }
    editCurrentCell();
    showCellGuide();
    flgKeepGridCell = false;
}
