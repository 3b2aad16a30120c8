#pragma once

#include "filtereditor/ConditionDialog.h"

class QRadioButton;

// One of two states of a flag ("済み" / "未済み", "する" / "しない").
class frmYesNo : public ConditionDialog {
    Q_OBJECT
public:
    explicit frmYesNo(QWidget *parent = nullptr);

    QString TrueItemName;
    QString FalseItemName;

    // "Y" for the first option, "N" for the second.
    QString ResultValue() const { return m_result; }

    QRadioButton *optSwitch[2];

protected:
    void loadValue() override;
    bool storeResult() override;
    QWidget *firstField() const override;
    QList<QWidget *> tabFields() const override;
    QWidget *initialFocus() const override;

private:
    QString m_result;
};
