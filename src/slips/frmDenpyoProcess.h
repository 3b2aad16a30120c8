#pragma once

#include "slips/ProgressDialog.h"

// The progress stages of one slip. The caller sets strDenpyoID, shows the
// dialog modally and reads ResultModified. Saving loads the slip again and
// writes it whole, so only the stages change.
class frmDenpyoProcess : public ProgressDialog {
    Q_OBJECT
public:
    explicit frmDenpyoProcess(QWidget *parent = nullptr);

    QString strDenpyoID;

    void DenpyoProcessSave();

    QLabel *lblName = nullptr;

protected:
    void load() override;
    void save() override { DenpyoProcessSave(); }
};
