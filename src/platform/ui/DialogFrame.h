#pragma once

class QDialog;

namespace ui {

// How a dialog's window frame behaves. Every dialog of the program picks one,
// so the rule for title-bar buttons lives here and nowhere else.
enum class DialogFrame {
    // Small fixed dialogs: close box only, no minimise or maximise button,
    // and the size follows the dialog's layout (no grip, no dragging).
    Fixed,
    // Dialogs that lay themselves out on every resize and remember their
    // size and state: they may be minimised and maximised.
    Sizable,
};

// Call once from the dialog's constructor, after its layout is set.
void setDialogFrame(QDialog *dialog, DialogFrame frame);

} // namespace ui
