#include "platform/text/TypedText.h"

#include "platform/text/Cp932.h"

namespace text {

bool isEnterable(QChar c)
{
    return c.category() != QChar::Other_Control && !c.isNonCharacter();
}

QString enterableText(const QString &typed, qsizetype room, const std::function<QChar(QChar)> &accept)
{
    const auto judged = [&accept](QChar c) { return accept ? accept(c) : (isEnterable(c) ? c : QChar()); };
    const auto fits = [room](qsizetype size) { return room < 0 || size <= room; };
    QString kept;
    for (qsizetype i = 0; i < typed.size(); ++i) {
        if (!fits(kept.size() + 1))
            break;
        const QChar c = typed.at(i);
        if (c.isHighSurrogate() && i + 1 < typed.size() && typed.at(i + 1).isLowSurrogate()) {
            const char32_t code = QChar::surrogateToUcs4(c, typed.at(i + 1));
            if (!judged(c).isNull() && !QChar::isNonCharacter(code) && fits(kept.size() + 2))
                kept += typed.mid(i, 2);
            ++i;
            continue;
        }
        // Half a pair is no character. The rest is kept as a CP932 file
        // would give it back, so that the database, the files and searches
        // all hold the same character.
        if (c.isNull() || c.isSurrogate())
            continue;
        const QChar f = judged(toCp932Form(c));
        if (!f.isNull())
            kept += f;
    }
    return kept;
}

} // namespace text
