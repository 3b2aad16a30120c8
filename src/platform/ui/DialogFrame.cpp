#include "platform/ui/DialogFrame.h"

#include <QDialog>
#include <QLayout>

namespace ui {

void setDialogFrame(QDialog *dialog, DialogFrame frame)
{
    Qt::WindowFlags flags = dialog->windowFlags();
    flags |= Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (frame == DialogFrame::Sizable) {
        dialog->setWindowFlags(flags | Qt::WindowMinMaxButtonsHint);
        return;
    }
    dialog->setWindowFlags(flags & ~Qt::WindowMinMaxButtonsHint);
    dialog->setSizeGripEnabled(false);
    // Equal minimum and maximum sizes also tell window managers that ignore
    // the button hints that there is nothing to maximise.
    if (QLayout *layout = dialog->layout())
        layout->setSizeConstraint(QLayout::SetFixedSize);
    else
        dialog->setFixedSize(dialog->size());
}

} // namespace ui
