#pragma once

#include "filtereditor/TextConditionDialog.h"

class ucIDInput;

// A customer or product key; a trailing "*" makes it a prefix.
class frmIDInput : public TextConditionDialog {
    Q_OBJECT
public:
    explicit frmIDInput(QWidget *parent = nullptr);

protected:
    bool showsCleanedText() const override { return true; }
};
