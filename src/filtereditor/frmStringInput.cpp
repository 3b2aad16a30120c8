#include "filtereditor/frmStringInput.h"

#include "core/controls/ucJaInput.h"

frmStringInput::frmStringInput(QWidget *parent) : TextConditionDialog("frmStringInput", new ucJaInput, parent) {}
