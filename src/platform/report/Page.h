#pragma once

#include "platform/report/Layout.h"

#include <QByteArray>
#include <QColor>
#include <QRect>
#include <QString>
#include <QVector>

// One rendered page: what was drawn on it, in twips from the paper's top
// left. Pages are kept, printed, saved as page files and read back, so they
// hold everything needed to draw them again and nothing of the layout or
// the data they came from.
namespace report {

// The farthest a rendered item reaches from the paper's corner, in twips:
// a margin, a section's place and a control's place and size of a layout
// add up to far less.
constexpr int kMaxItemTwips = 8 * kMaxTwips;

struct PageItem {
    enum class Type { Text, Line, Shape, Image };
    Type type = Type::Text;
    QRect box;            // text and image box, shape bounds; a line runs
                          // from box.topLeft() to (left + width, top + height)
    QString text;
    FontSpec font;
    int flags = 0;        // Qt::AlignmentFlag | Qt::TextWordWrap
    QColor color = Qt::black;      // text colour, or pen colour of lines and shapes
    QColor fill = Qt::transparent; // background of texts and shapes
    int penWidth = 0;     // twips; 0: no outline
    ShapeStyle shape = ShapeStyle::Rectangle;
    PictureSizing sizing = PictureSizing::Zoom;
    QByteArray image;     // encoded image bytes

    bool operator==(const PageItem &) const = default;
};

} // namespace report

// Moved as bytes when a page's list of items grows: a long report renders
// hundreds of thousands.
Q_DECLARE_TYPEINFO(report::PageItem, Q_RELOCATABLE_TYPE);

namespace report {

struct Page {
    int width = 11906;  // twips
    int height = 16838;
    QVector<PageItem> items;

    bool operator==(const Page &) const = default;
    // Every text on the page in drawing order, for checks and searches.
    QStringList texts() const;
};

} // namespace report
