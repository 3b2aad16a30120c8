#include "filtereditor/TextConditionDialog.h"

#include "core/Routines.h"
#include "core/controls/ucTextInput.h"
#include "masters/frmCustomerList.h"
#include "masters/frmShohinList.h"
#include "platform/text/Cp932.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using ui::NavKey;

namespace {
const QString kCustomer = QStringLiteral("Customer");
const QString kShohin = QStringLiteral("Shohin");
} // namespace

TextConditionDialog::TextConditionDialog(const char *name, ucTextInput *box, QWidget *parent)
    : ConditionDialog(name, 470, parent), txtString(box), cmdSearch(new QPushButton(this))
{
    txtString->setParent(this);
    txtString->setObjectName(QStringLiteral("txtString"));
    cmdSearch->setObjectName(QStringLiteral("cmdSearch"));
    cmdSearch->setAutoDefault(false);
    auto *row = new QHBoxLayout;
    row->addWidget(txtString, 1);
    row->addWidget(cmdSearch);
    addRow(row);

    connect(cmdSearch, &QPushButton::clicked, this, &TextConditionDialog::ListSearch);
    setTargets(txtString, cmdOK, nullptr, cmdOK, nullptr, nullptr);
    setTargets(cmdOK, nullptr, txtString, nullptr, cmdCancel, nullptr);
    setTargets(cmdCancel, nullptr, txtString, nullptr, nullptr, cmdOK);
    keys->watch(cmdSearch);
    keys->setAction(nullptr, NavKey::F11, [this] { ListSearch(); });
}

void TextConditionDialog::loadValue()
{
    txtString->setText(ValueString);
    if (SearchOptionObject == kCustomer)
        cmdSearch->setText(QStringLiteral("顧客検索(F11)"));
    else if (SearchOptionObject == kShohin)
        cmdSearch->setText(QStringLiteral("商品検索(F11)"));
    cmdSearch->setVisible(SearchOptionObject == kCustomer || SearchOptionObject == kShohin);
}

bool TextConditionDialog::storeResult()
{
    const QString cleaned = fnRemoveCrLf(txtString->TextBox()->text());
    if (showsCleanedText())
        txtString->setText(cleaned);
    // The filter file holds CP932 only; a condition it cannot hold would
    // not read back as it was entered.
    if (!text::fitsCp932(cleaned)) {
        refuse(QStringLiteral("検索フィルターに保存できない文字が含まれています。"), txtString);
        return false;
    }
    m_result = cleaned;
    return true;
}

QWidget *TextConditionDialog::firstField() const
{
    return txtString;
}

QList<QWidget *> TextConditionDialog::tabFields() const
{
    return {txtString, cmdSearch};
}

void TextConditionDialog::ListSearch()
{
    bool picked = false;
    const QString value = pickedValue(&picked);
    if (picked)
        txtString->setText(value);
}

QString TextConditionDialog::pickedValue(bool *picked)
{
    *picked = false;
    if (SearchOptionObject == kCustomer) {
        RetainedPicker<frmCustomerList> picker(this);
        picker->exec();
        if (!picker->OK())
            return QString();
        const QHash<QString, QString> values{{QStringLiteral("CustomerID"), picker->ResultCustomerID()},
                                             {QStringLiteral("NameKnj"), picker->ResultNameKnj()},
                                             {QStringLiteral("NameKana"), picker->ResultNameKana()},
                                             {QStringLiteral("Bumon"), picker->ResultBumon()}};
        *picked = values.contains(SearchOptionItemName);
        return values.value(SearchOptionItemName);
    }
    if (SearchOptionObject == kShohin) {
        RetainedPicker<frmShohinList> picker(this);
        picker->exec();
        if (!picker->OK())
            return QString();
        const QHash<QString, QString> values{{QStringLiteral("ShohinID"), picker->ResultShohinID()},
                                             {QStringLiteral("Number"), picker->ResultNumber()},
                                             {QStringLiteral("Name"), picker->ResultName()},
                                             {QStringLiteral("Maker"), picker->ResultMaker()}};
        *picked = values.contains(SearchOptionItemName);
        return values.value(SearchOptionItemName);
    }
    return QString();
}
