#pragma once

#include "platform/report/Page.h"

#include <QFont>

#include <memory>

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

// The glyphs of the characters drawn so far, font by font, for drawing many
// pages onto one painter: a long list draws the same few hundred characters
// over and over, and laying each text out again costs more than drawing it.
// Keep one for the pages of one painter.
class GlyphCache {
public:
    GlyphCache();
    ~GlyphCache();
    GlyphCache(const GlyphCache &) = delete;
    GlyphCache &operator=(const GlyphCache &) = delete;

private:
    struct Private;
    friend void paintPage(QPainter &painter, const Page &page, GlyphCache &cache);
    std::unique_ptr<Private> d;
};

// The same drawing as paintPage(painter, page). On a painter that draws in
// its device's units, a one-line text whose characters all have glyphs in
// its font is drawn as the run of those glyphs, placed, split into runs and
// clipped as QPainter::drawText would; other texts (wrapped, underlined,
// with line breaks, tabs or right-to-left characters, or characters its
// font has no glyph for) and other painters take drawText itself.
void paintPage(QPainter &painter, const Page &page, GlyphCache &cache);

} // namespace report
