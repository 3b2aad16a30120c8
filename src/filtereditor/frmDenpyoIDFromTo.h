#pragma once

#include "filtereditor/RangeDialog.h"

// A range of slip numbers. Remembers its window position when it closes.
class frmDenpyoIDFromTo : public RangeDialog {
    Q_OBJECT
public:
    explicit frmDenpyoIDFromTo(QWidget *parent = nullptr);

    // Lower and upper bound, nine digits each.
    QString ResultDenpyoID() const { return m_result; }

    void done(int result) override;
};
