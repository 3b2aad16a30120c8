#pragma once

#include <QByteArray>
#include <QColor>
#include <QString>
#include <QVector>

// The layout of a report: page setup, sections and their controls. Every
// position and size is in twips (1440 per inch) from the section's top left.
namespace report {

// What a page can hold, far beyond any paper: every position, size and
// margin a layout may give, in twips (200 inches). Sums of a few of them,
// as rendering makes, stay far inside int.
constexpr int kMaxTwips = 1440 * 200;
// The largest font, in points: as tall as the largest page.
constexpr double kMaxFontPoints = kMaxTwips / 20.0;

enum class ControlKind { Label, TextBox, Line, Shape, Picture };
enum class HAlign { Left, Center, Right };
enum class VAlign { Top, Middle, Bottom };
enum class ShapeStyle { Rectangle, RoundRect, Ellipse };
enum class PictureSizing { Clip, Stretch, Zoom };

struct FontSpec {
    QString family = QStringLiteral("ＭＳ 明朝");
    double size = 10.0; // points
    bool bold = false;
    bool italic = false;
    bool underline = false;

    bool operator==(const FontSpec &) const = default;
};

struct Control {
    ControlKind kind = ControlKind::TextBox;
    QString name;
    // A line runs from (left, top) to (left + width, top + height); width
    // and height may then be zero or negative.
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    QString text;
    QString tag;
    QString dataField;
    QString outputFormat;
    FontSpec font;
    HAlign align = HAlign::Left;
    VAlign valign = VAlign::Top;
    bool wordWrap = false;
    bool border = false;
    int lineWidth = 15; // pen width of borders, lines and shapes, in twips
    QColor foreColor = Qt::black;
    QColor backColor = Qt::transparent;
    QColor lineColor = Qt::black;
    ShapeStyle shape = ShapeStyle::Rectangle;
    PictureSizing sizing = PictureSizing::Zoom;
    QByteArray picture; // an encoded image (PNG, JPEG, ...) as the file held it

    bool operator==(const Control &) const = default;
};

// NewPage: 0 none, 1 before the section, 2 after it, 3 before and after.
enum NewPage { NewPageNone = 0, NewPageBefore = 1, NewPageAfter = 2, NewPageBeforeAfter = 3 };

struct Section {
    QString name;
    int newPage = NewPageNone;
    int height = 0;
    QVector<Control> controls;

    bool operator==(const Section &) const = default;
    Control *control(const QString &controlName);
};

struct PageSetup {
    int paperWidth = 11906; // A4
    int paperHeight = 16838;
    bool landscape = false;
    int leftMargin = 1440;
    int topMargin = 1440;
    int rightMargin = 1440;
    int bottomMargin = 1440;

    bool operator==(const PageSetup &) const = default;
    // The paper as it lies for printing (landscape swaps the sides).
    int pageWidth() const { return landscape ? paperHeight : paperWidth; }
    int pageHeight() const { return landscape ? paperWidth : paperHeight; }
};

struct Layout {
    QString userData;
    PageSetup pageSetup;
    QVector<Section> sections;

    bool operator==(const Layout &) const = default;
    Section *section(const QString &sectionName);
    const Section *section(const QString &sectionName) const;
};

} // namespace report
