#include "filtereditor/frmKingakuFromTo.h"

#include "core/controls/ucKingakuInput.h"

frmKingakuFromTo::frmKingakuFromTo(QWidget *parent)
    : RangeDialog("frmKingakuFromTo", "txtKingakuFrom", "txtKingakuTo", new ucKingakuInput, new ucKingakuInput,
                  QStringLiteral("円   ～"), QStringLiteral("円"), QStringLiteral("金額の範囲指定が間違っています。"),
                  parent)
{
    setWindowTitle(QStringLiteral(" 金額入力"));
}
