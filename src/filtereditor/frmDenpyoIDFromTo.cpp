#include "filtereditor/frmDenpyoIDFromTo.h"

#include "core/WindowMemory.h"
#include "core/controls/ucDenpyoID.h"

frmDenpyoIDFromTo::frmDenpyoIDFromTo(QWidget *parent)
    : RangeDialog("frmDenpyoIDFromTo", "txtDenpyoIDFrom", "txtDenpyoIDTo", new ucDenpyoID, new ucDenpyoID,
                  QStringLiteral("～"), QString(), QStringLiteral("伝票№の範囲指定が間違っています。"), parent)
{
}

void frmDenpyoIDFromTo::done(int result)
{
    SaveWindowPosition(this);
    RangeDialog::done(result);
}
