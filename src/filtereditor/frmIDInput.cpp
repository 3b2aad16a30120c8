#include "filtereditor/frmIDInput.h"

#include "core/controls/ucIDInput.h"

#include <QLabel>
#include <QHBoxLayout>

namespace {
ucIDInput *searchBox()
{
    auto *box = new ucIDInput;
    box->setForSearch(true);
    return box;
}
} // namespace

frmIDInput::frmIDInput(QWidget *parent) : TextConditionDialog("frmIDInput", searchBox(), parent)
{
    lblHint = new QLabel(QStringLiteral("（接頭指定は～*）"), this);
    lblHint->setObjectName(QStringLiteral("lblHint"));
    auto *row = new QHBoxLayout;
    row->addWidget(lblHint);
    row->addStretch();
    addRow(row);
}
