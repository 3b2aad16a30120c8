#pragma once

#include "filtereditor/ConditionDialog.h"

class ucTextInput;

// A lower and an upper bound of nine digits each (slip numbers, amounts).
class RangeDialog : public ConditionDialog {
    Q_OBJECT
protected:
    // The dialog owns both boxes; `after` is the label right of the upper box.
    RangeDialog(const char *name, const char *fromName, const char *toName, ucTextInput *from, ucTextInput *to,
                const QString &between, const QString &after, const QString &refusal, QWidget *parent);

    void loadValue() override;
    bool storeResult() override;
    QWidget *firstField() const override;
    QList<QWidget *> tabFields() const override;

    // The 18 characters of the last value that passed.
    QString m_result;

private:
    ucTextInput *m_from;
    ucTextInput *m_to;
    QString m_refusal;
};
