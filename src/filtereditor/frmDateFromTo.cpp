#include "filtereditor/frmDateFromTo.h"

#include "core/DateValue.h"
#include "core/controls/DateBox.h"
#include "filters/ConditionValue.h"
#include "filters/PeriodKeywords.h"
#include "filters/SearchConditionKey.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace {
const int kResultWidth = 16;

DateBox *datePicker(const char *name, QWidget *parent)
{
    auto *picker = new DateBox(parent);
    picker->setObjectName(QLatin1String(name));
    // A stored date keeps two digits of its year, read back as 20yy.
    picker->setDateRange(QDate(2000, 1, 1), QDate(2099, 12, 31));
    return picker;
}
} // namespace

frmDateFromTo::frmDateFromTo(QWidget *parent)
    : ConditionDialog("frmDateFromTo", 370, parent), cmbSelect(new QComboBox(this)),
      dtpDateFrom(datePicker("dtpDateFrom", this)), dtpDateTo(datePicker("dtpDateTo", this))
{
    setWindowTitle(QStringLiteral(" 日付入力"));
    cmbSelect->setObjectName(QStringLiteral("cmbSelect"));
    cmbSelect->setEditable(false);
    group = new QButtonGroup(this);
    for (int i = 0; i < 2; ++i) {
        optSwitch[i] = new QRadioButton(this);
        optSwitch[i]->setObjectName(QStringLiteral("optSwitch%1").arg(i));
        group->addButton(optSwitch[i], i);
    }
    connect(group, &QButtonGroup::idClicked, this, &frmDateFromTo::DateModeSet);
    // Arrow keys move the choice within the group; the mode follows it.
    connect(group, &QButtonGroup::idToggled, this, [this](int id, bool on) {
        if (on && id != m_mode)
            DateModeSet(id);
    });

    auto *rows = new QGridLayout;
    rows->addWidget(optSwitch[0], 0, 0);
    rows->addWidget(cmbSelect, 0, 1, 1, 3);
    rows->addWidget(optSwitch[1], 1, 0);
    rows->addWidget(dtpDateFrom, 1, 1);
    rows->addWidget(new QLabel(QStringLiteral("～"), this), 1, 2);
    rows->addWidget(dtpDateTo, 1, 3);
    rows->setColumnStretch(1, 1);
    rows->setColumnStretch(3, 1);
    auto *holder = new QHBoxLayout;
    holder->addLayout(rows);
    addRow(holder);

    setTargets(cmbSelect, cmdOK, nullptr, nullptr, nullptr, nullptr);
    setTargets(dtpDateFrom, dtpDateTo, nullptr, nullptr, nullptr, nullptr);
    setTargets(dtpDateTo, cmdOK, nullptr, nullptr, nullptr, nullptr);
    setTargets(cmdOK, nullptr, dtpDateFrom, nullptr, cmdCancel, nullptr);
    setTargets(cmdCancel, nullptr, dtpDateTo, nullptr, nullptr, cmdOK);
    keys->watch({optSwitch[0], optSwitch[1]});
}

frmDateFromTo::~frmDateFromTo()
{
    // The buttons may report a change while QWidget's destructor removes them.
    group->disconnect(this);
}

void frmDateFromTo::DateModeSet(int mode)
{
    m_mode = mode == 1 ? 1 : 0;
    optSwitch[m_mode]->setChecked(true);
    cmbSelect->setEnabled(m_mode == 0);
    dtpDateFrom->setEnabled(m_mode == 1);
    dtpDateTo->setEnabled(m_mode == 1);
}

void frmDateFromTo::loadValue()
{
    setTabOrder(cmdCancel, optSwitch[0]);
    setTabOrder(optSwitch[0], optSwitch[1]);

    dtpDateFrom->setDate(today());
    dtpDateTo->setDate(today());
    cmbSelect->clear();
    cmbSelect->addItems(PeriodKeywords::labels());
    cmbSelect->setCurrentIndex(cmbSelect->findText(QStringLiteral("今日")));
    DateModeSet(0);
    if (ValueString.isEmpty())
        return;
    if (SearchConditionKey::isPeriodLabel(ValueString)) {
        const int index = cmbSelect->findText(ValueString);
        if (index >= 0)
            cmbSelect->setCurrentIndex(index);
        return;
    }
    DateModeSet(1);
    // A pair that does not read as dates (edited by hand) leaves today.
    if (const auto range = conditionvalue::parseDateRange(ValueString)) {
        dtpDateFrom->setDate(range->first);
        dtpDateTo->setDate(range->second);
    }
}

bool frmDateFromTo::storeResult()
{
    if (m_mode == 0) {
        m_result = conditionvalue::padded(cmbSelect->currentText(), kResultWidth);
        return true;
    }
    if (dtpDateTo->date() < dtpDateFrom->date()) {
        refuse(QStringLiteral("日付の範囲指定が間違っています。"), dtpDateFrom);
        return false;
    }
    m_result = conditionvalue::dateRange(dtpDateFrom->date(), dtpDateTo->date());
    return true;
}

QWidget *frmDateFromTo::firstField() const
{
    return dtpDateFrom;
}

QList<QWidget *> frmDateFromTo::tabFields() const
{
    return {cmbSelect, dtpDateFrom, dtpDateTo};
}
