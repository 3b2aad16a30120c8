#pragma once

#include "filtereditor/RangeDialog.h"

// A range of amounts of money.
class frmKingakuFromTo : public RangeDialog {
    Q_OBJECT
public:
    explicit frmKingakuFromTo(QWidget *parent = nullptr);

    // Lower and upper bound, nine digits each.
    QString ResultKingaku() const { return m_result; }
};
