#pragma once

#include "filtereditor/ConditionDialog.h"

class QButtonGroup;
class QComboBox;
class QDateEdit;
class QRadioButton;

// A period: one of the period keywords (preset mode) or a from and a to
// date (range mode).
class frmDateFromTo : public ConditionDialog {
    Q_OBJECT
public:
    explicit frmDateFromTo(QWidget *parent = nullptr);
    ~frmDateFromTo() override;

    // A keyword filled up with blanks to 16 characters, or the two dates
    // "yy/mm/dd" one after the other.
    QString ResultDate() const { return m_result; }

    // 0: preset mode, 1: range mode.
    void DateModeSet(int mode);
    int dateMode() const { return m_mode; }

    QRadioButton *optSwitch[2];
    QComboBox *cmbSelect;
    QDateEdit *dtpDateFrom;
    QDateEdit *dtpDateTo;

protected:
    void loadValue() override;
    bool storeResult() override;
    QWidget *firstField() const override;
    QList<QWidget *> tabFields() const override;

private:
    QButtonGroup *group;
    QString m_result;
    int m_mode = 0;
};
