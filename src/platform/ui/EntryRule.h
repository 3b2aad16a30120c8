#pragma once

#include <QValidator>

namespace ui {

// The entry rule of every text field (text::enterableText) on a line edit:
// what is typed, pasted, dropped or committed by the input method is put in
// the form the field keeps as it comes in, so the box never shows what it
// would not store, and a length limit counts only what is kept. The caret
// stays after the inserted text. Text set by the program is not judged.
class EntryRule : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString &input, int &pos) const override;
};

} // namespace ui
