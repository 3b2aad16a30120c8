#include "filtereditor/frmYesNo.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>

frmYesNo::frmYesNo(QWidget *parent) : ConditionDialog("frmYesNo", 370, parent)
{
    auto *group = new QButtonGroup(this);
    auto *row = new QHBoxLayout;
    for (int i = 0; i < 2; ++i) {
        optSwitch[i] = new QRadioButton(this);
        optSwitch[i]->setObjectName(QStringLiteral("optSwitch%1").arg(i));
        group->addButton(optSwitch[i], i);
        row->addWidget(optSwitch[i]);
        setTargets(optSwitch[i], cmdOK, nullptr, nullptr, nullptr, nullptr);
    }
    row->addStretch();
    addRow(row);
    setTargets(cmdOK, nullptr, nullptr, nullptr, cmdCancel, nullptr);
    setTargets(cmdCancel, nullptr, nullptr, nullptr, nullptr, cmdOK);
}

void frmYesNo::loadValue()
{
    optSwitch[0]->setText(TrueItemName);
    optSwitch[1]->setText(FalseItemName);
    optSwitch[ValueString == QLatin1String("N") ? 1 : 0]->setChecked(true);
}

bool frmYesNo::storeResult()
{
    m_result = optSwitch[0]->isChecked() ? QStringLiteral("Y") : QStringLiteral("N");
    return true;
}

QWidget *frmYesNo::firstField() const
{
    return optSwitch[0];
}

QList<QWidget *> frmYesNo::tabFields() const
{
    // Tab visits the chosen option of the group.
    return {optSwitch[0], optSwitch[1]};
}

QWidget *frmYesNo::initialFocus() const
{
    return optSwitch[1]->isChecked() ? optSwitch[1] : optSwitch[0];
}
