#pragma once

#include "slips/ProgressDialog.h"

#include <QStringList>

class QPlainTextEdit;

// The progress stages of several slips at once. A stage box is ticked when
// every slip has the stage on the same date, cleared when none has it, and
// grey when they differ. Only the stages the user changed (marked) are
// written; each slip keeps its other stages.
class frmDenpyoGroupProcess : public ProgressDialog {
    Q_OBJECT
public:
    explicit frmDenpyoGroupProcess(QWidget *parent = nullptr);

    // The slips, as the rows of the main list give them (nine digits),
    // in list order. Set before the dialog is shown.
    QStringList SelectedDenpyoIDs;

    void DenpyoGroupProcessSave();
    bool marked(int stage) const { return m_marked[stage]; }

    QPlainTextEdit *lblMessage = nullptr;

protected:
    void load() override;
    void save() override { DenpyoGroupProcessSave(); }
    void stageClicked(int stage) override { mark(stage); }
    void dateChanged(int stage) override { mark(stage); }

private:
    void mark(int stage);

    bool m_marked[denpyostages::kCount] = {};
};
