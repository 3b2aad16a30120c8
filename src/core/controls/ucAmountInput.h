#pragma once

#include "core/controls/ucTextInput.h"

// A number field shown with thousands separators while it is not being
// edited: entering strips them (and anything that is no number), leaving
// and assigning Text put them back. Typing stops at 9 characters whatever
// MaxLength says. Text reads back what is shown, so callers pass it through
// fnCheckNumberText before turning it into a number.
class ucAmountInput : public ucTextInput {
    Q_OBJECT
public:
    void setText(const QString &value) override;

    // Shows a stored number (plain decimal text, "1234.5678") in full, also
    // one with more decimals than the field takes when typed: entering and
    // leaving the field keep it until something is typed or assigned.
    void showStoredNumber(const QString &plain);

    // True only while the field rewrites its own text on entry.
    bool flgFormatting() const { return m_formatting; }

protected:
    ucAmountInput(const QString &accepted, QWidget *parent);

    int typedLengthLimit() const override { return 9; }
    void enterField() override;
    void leaveField() override;

private:
    bool m_formatting = false;
    QString m_stored;
};
