#include "platform/report/PagePainter.h"

#include <QFontDatabase>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QPen>

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

void paintPage(QPainter &painter, const Page &page)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    for (const PageItem &item : page.items) {
        switch (item.type) {
        case PageItem::Type::Text: {
            if (!item.text.isEmpty()) {
                painter.setFont(resolveFont(item.font));
                painter.setPen(item.color);
                // drawText clips to the box by itself when the text overflows.
                painter.drawText(item.box, item.flags, displayText(item.text));
            }
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

} // namespace report
