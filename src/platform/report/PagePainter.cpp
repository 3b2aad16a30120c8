#include "platform/report/PagePainter.h"

#include <QFontDatabase>
#include <QGlyphRun>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QRawFont>

#include <cmath>
#include <vector>

namespace report {

namespace {

const QString kSerif = QStringLiteral("Noto Serif CJK JP");
const QString kSans = QStringLiteral("Noto Sans CJK JP");

bool looksJapanese(const QString &family)
{
    for (const QChar c : family)
        if (c.unicode() >= 0x3000)
            return true;
    return false;
}

} // namespace

QString resolveFamily(const QString &family)
{
    static QHash<QString, QString> cache;
    const auto hit = cache.constFind(family);
    if (hit != cache.constEnd())
        return *hit;
    QString resolved;
    const QString lower = family.toLower();
    if (family.contains(QStringLiteral("明朝")) || lower.contains(QLatin1String("mincho"))
        || lower.contains(QLatin1String("serif")))
        resolved = kSerif;
    else if (family.isEmpty() || looksJapanese(family) || lower.contains(QLatin1String("gothic")))
        resolved = kSans;
    else if (QFontDatabase::hasFamily(family))
        resolved = family;
    else
        resolved = kSans;
    cache.insert(family, resolved);
    return resolved;
}

QFont resolveFont(const FontSpec &spec)
{
    QFont font(resolveFamily(spec.family));
    font.setPixelSize(qMax(1, qRound(spec.size * 20.0)));
    font.setBold(spec.bold);
    font.setItalic(spec.italic);
    font.setUnderline(spec.underline);
    font.setHintingPreference(QFont::PreferNoHinting);
    // Without shaping, Latin runs keep the glyphs the font maps characters to;
    // shaped digits in Latin runs lose their text in PDF files.
    font.setStyleStrategy(QFont::StyleStrategy(QFont::PreferOutline | QFont::PreferNoShaping));
    return font;
}

QString displayText(const QString &text)
{
    QString out = text;
    out.replace(QChar(0x5C), QChar(0xA5));
    return out;
}

namespace {

void drawPlainText(QPainter &painter, const PageItem &item)
{
    painter.setFont(resolveFont(item.font));
    painter.setPen(item.color);
    // drawText clips to the box by itself when the text overflows.
    painter.drawText(item.box, item.flags, displayText(item.text));
}

template<typename DrawText>
void paintItems(QPainter &painter, const Page &page, DrawText drawText)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    for (const PageItem &item : page.items) {
        switch (item.type) {
        case PageItem::Type::Text: {
            if (!item.text.isEmpty())
                drawText(item);
            break;
        }
        case PageItem::Type::Line:
            painter.setPen(QPen(item.color, qMax(1, item.penWidth)));
            painter.drawLine(item.box.left(), item.box.top(), item.box.left() + item.box.width(),
                             item.box.top() + item.box.height());
            break;
        case PageItem::Type::Shape:
            painter.setPen(item.penWidth > 0 ? QPen(item.color, item.penWidth) : QPen(Qt::NoPen));
            painter.setBrush(item.fill.alpha() > 0 ? QBrush(item.fill) : QBrush(Qt::NoBrush));
            if (item.shape == ShapeStyle::Ellipse)
                painter.drawEllipse(item.box);
            else if (item.shape == ShapeStyle::RoundRect)
                painter.drawRoundedRect(item.box, 15, 15, Qt::RelativeSize);
            else
                painter.drawRect(item.box);
            break;
        case PageItem::Type::Image: {
            QImage image;
            if (!image.loadFromData(item.image))
                break;
            QRectF target = item.box;
            QRectF source = image.rect();
            if (item.sizing == PictureSizing::Zoom) {
                QSizeF s = image.size();
                s.scale(target.size(), Qt::KeepAspectRatio);
                target = QRectF(target.center() - QPointF(s.width() / 2, s.height() / 2), s);
            } else if (item.sizing == PictureSizing::Clip) {
                // Clip keeps the image at 96 dots per inch (15 twips a dot).
                const QSizeF natural(image.width() * 15.0, image.height() * 15.0);
                target.setSize(natural.boundedTo(target.size()));
                source.setSize(QSizeF(target.width() / 15.0, target.height() / 15.0));
            }
            painter.drawImage(target, image, source);
            break;
        }
        }
    }
    painter.restore();
}

// The flags a text may have to be placed from its glyphs' advances: one
// line (no wrapping), aligned left, right or centred and top, bottom or
// centred.
constexpr int kPlacingFlags = Qt::AlignLeft | Qt::AlignRight | Qt::AlignHCenter | Qt::AlignTop | Qt::AlignBottom
                              | Qt::AlignVCenter;

// Characters that lay out as one glyph after the other, each by its own
// advance, left to right: not line breaks, tabs, marks that combine,
// invisible formatting, surrogate halves or characters the bidirectional
// layout moves.
bool standsAlone(QChar c)
{
    if (c.unicode() < 0x20 || c.unicode() == 0x9C || c.isSurrogate())
        return false;
    const QChar::Direction direction = c.direction();
    if (direction == QChar::DirR || direction == QChar::DirAL || direction == QChar::DirAN)
        return false;
    switch (c.category()) {
    case QChar::Mark_NonSpacing:
    case QChar::Mark_SpacingCombining:
    case QChar::Mark_Enclosing:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Other_Surrogate:
    case QChar::Other_PrivateUse:
    case QChar::Other_NotAssigned:
        return false;
    default:
        return true;
    }
}

struct Glyph {
    quint32 index = 0;
    qreal advance = -1; // not looked up yet
};

// One font as the painter resolves it, and the glyphs of the characters
// drawn with it so far.
struct FontGlyphs {
    QRawFont raw;
    qreal ascent = 0;
    qreal descent = 0;
    std::vector<Glyph> glyphs = std::vector<Glyph>(0x10000);

    // False when the font's own face has no glyph for the character (drawText
    // then takes one from another face).
    bool glyphFor(QChar c, Glyph &glyph)
    {
        Glyph &known = glyphs[c.unicode()];
        if (known.advance < 0) {
            quint32 index = 0;
            int count = 1;
            QPointF advance;
            if (raw.glyphIndexesForChars(&c, 1, &index, &count) && count == 1 && index != 0
                && raw.advancesForGlyphIndexes(&index, &advance, 1))
                known = Glyph{index, advance.x()};
            else
                known = Glyph{0, 0};
        }
        glyph = known;
        return glyph.index != 0;
    }
};

} // namespace

// Found by argument lookup in this namespace; file-local.
static size_t qHash(const FontSpec &font, size_t seed = 0)
{
    return qHashMulti(seed, font.family, font.size, font.bold, font.italic, font.underline);
}

struct GlyphCache::Private {
    QHash<FontSpec, FontGlyphs> fonts;
    QList<quint32> indexes;  // of the text being drawn
    QList<QPointF> positions;
    QList<qsizetype> runEnds; // where each script's run ends
};

GlyphCache::GlyphCache() : d(std::make_unique<Private>()) {}
GlyphCache::~GlyphCache() = default;

void paintPage(QPainter &painter, const Page &page)
{
    paintItems(painter, page, [&painter](const PageItem &item) { drawPlainText(painter, item); });
}

void paintPage(QPainter &painter, const Page &page, GlyphCache &cache)
{
    GlyphCache::Private &d = *cache.d;
    // Placing glyphs needs the alignment arithmetic of drawText without a
    // scale, and left-to-right lines.
    const Qt::LayoutDirection direction = painter.layoutDirection();
    const bool placeable = painter.combinedTransform().type() == QTransform::TxNone
                           && (direction == Qt::LeftToRight || direction == Qt::LayoutDirectionAuto);
    const auto placeGlyphs = [&](const PageItem &item) {
        if (!placeable || (item.flags & ~kPlacingFlags) != 0 || item.font.underline)
            return false;
        const QString text = displayText(item.text);
        auto font = d.fonts.find(item.font);
        if (font == d.fonts.end()) {
            painter.setFont(resolveFont(item.font));
            FontGlyphs glyphs;
            glyphs.raw = QRawFont::fromFont(painter.font());
            glyphs.ascent = glyphs.raw.ascent();
            glyphs.descent = glyphs.raw.descent();
            font = d.fonts.insert(item.font, std::move(glyphs));
        }
        if (!font->raw.isValid())
            return false;
        d.indexes.resize(text.size());
        d.positions.resize(text.size());
        d.runEnds.clear();
        qreal width = 0;
        QChar::Script script = QChar::Script_Common;
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QChar c = text.at(i);
            Glyph glyph;
            if (!standsAlone(c) || !font->glyphFor(c, glyph))
                return false;
            d.indexes[i] = glyph.index;
            d.positions[i] = QPointF(width, font->ascent);
            width += glyph.advance;
            // The layout draws each script's run apart; common characters
            // (digits, spaces, punctuation) join the run they are in, or
            // the first one when they lead.
            const QChar::Script own = c.script();
            if (own <= QChar::Script_Common || own == script)
                continue;
            if (script > QChar::Script_Common)
                d.runEnds << i;
            script = own;
        }
        d.runEnds << text.size();
        // As drawText places and clips one line.
        const QRectF r(item.box);
        const qreal height = font->ascent + font->descent;
        qreal xoff = 0;
        qreal yoff = 0;
        if (item.flags & Qt::AlignBottom)
            yoff = r.height() - height;
        else if (item.flags & Qt::AlignVCenter)
            yoff = (r.height() - height) / 2;
        if (item.flags & Qt::AlignRight)
            xoff = r.width() - width;
        else if (item.flags & Qt::AlignHCenter)
            xoff = (r.width() - width) / 2;
        const bool clip = !r.contains(QRectF(r.x() + xoff, r.y() + yoff, width, height));
        painter.setPen(item.color);
        if (clip) {
            painter.save();
            painter.setClipRect(r, Qt::IntersectClip);
        }
        // The layout starts the line at a whole 64th of a unit, cut toward
        // zero, and adds the glyphs' advances to that.
        const auto inSixtyFourths = [](qreal v) { return std::trunc(v * 64) / 64; };
        const QPointF at(inSixtyFourths(r.x() + xoff), inSixtyFourths(r.y() + yoff));
        QGlyphRun run;
        run.setRawFont(font->raw);
        qsizetype begin = 0;
        for (const qsizetype end : std::as_const(d.runEnds)) {
            run.setRawData(d.indexes.constData() + begin, d.positions.constData() + begin, int(end - begin));
            painter.drawGlyphRun(at, run);
            begin = end;
        }
        if (clip)
            painter.restore();
        return true;
    };
    paintItems(painter, page, [&](const PageItem &item) {
        if (!placeGlyphs(item))
            drawPlainText(painter, item);
    });
}

} // namespace report
