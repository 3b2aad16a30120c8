#pragma once

#include "platform/report/Page.h"

#include <QFont>

class QPainter;

namespace report {

// The font a layout's font stands for on this system: Japanese Mincho
// faces draw with Noto Serif CJK JP, the other Japanese faces (Gothic and
// the rest) with Noto Sans CJK JP; other families are kept when installed.
// The size is set in twips as pixels, for painters that work in twips.
QFont resolveFont(const FontSpec &spec);
QString resolveFamily(const QString &family);

// The text as the layout's Japanese fonts show it: they draw the backslash
// as the yen sign.
QString displayText(const QString &text);

// Draws a page onto a painter whose coordinates are twips (scale the
// painter before calling).
void paintPage(QPainter &painter, const Page &page);

} // namespace report
