#include "filtereditor/RangeDialog.h"

#include "core/controls/ucTextInput.h"
#include "filters/ConditionValue.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

RangeDialog::RangeDialog(const char *name, const char *fromName, const char *toName, ucTextInput *from,
                         ucTextInput *to, const QString &between, const QString &after, const QString &refusal,
                         QWidget *parent)
    : ConditionDialog(name, 470, parent), m_from(from), m_to(to), m_refusal(refusal)
{
    m_from->setParent(this);
    m_to->setParent(this);
    m_from->setObjectName(QLatin1String(fromName));
    m_to->setObjectName(QLatin1String(toName));
    auto *row = new QHBoxLayout;
    row->addWidget(m_from, 1);
    row->addWidget(new QLabel(between, this));
    row->addWidget(m_to, 1);
    if (!after.isEmpty())
        row->addWidget(new QLabel(after, this));
    addRow(row);

    setTargets(m_from, m_to, nullptr, cmdOK, m_to, nullptr);
    setTargets(m_to, cmdOK, nullptr, cmdCancel, nullptr, m_from);
    setTargets(cmdOK, nullptr, m_from, nullptr, cmdCancel, nullptr);
    setTargets(cmdCancel, nullptr, m_to, nullptr, nullptr, cmdOK);
}

void RangeDialog::loadValue()
{
    if (ValueString.isEmpty())
        return;
    const auto [from, to] = conditionvalue::rangeBounds(ValueString);
    m_from->setText(from);
    m_to->setText(to);
}

bool RangeDialog::storeResult()
{
    const auto range = conditionvalue::checkRange(m_from->Text(), m_to->Text());
    m_from->setText(range.from);
    m_to->setText(range.to);
    if (range.check != conditionvalue::Range::Check::Ok) {
        refuse(m_refusal, m_from);
        return false;
    }
    m_result = range.value;
    return true;
}

QWidget *RangeDialog::firstField() const
{
    return m_from;
}

QList<QWidget *> RangeDialog::tabFields() const
{
    return {m_from, m_to};
}
