#pragma once

#include "filtereditor/TextConditionDialog.h"

// A piece of text that the searched column must contain.
class frmStringInput : public TextConditionDialog {
    Q_OBJECT
public:
    explicit frmStringInput(QWidget *parent = nullptr);
};
