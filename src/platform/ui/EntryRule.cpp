#include "platform/ui/EntryRule.h"

#include "platform/text/TypedText.h"

namespace ui {

QValidator::State EntryRule::validate(QString &input, int &pos) const
{
    const QString kept = text::enterableText(input);
    if (kept != input) {
        pos = int(text::enterableText(input.left(pos)).size());
        input = kept;
    }
    return Acceptable;
}

} // namespace ui
