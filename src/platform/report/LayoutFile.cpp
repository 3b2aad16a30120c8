#include "platform/report/LayoutFile.h"

#include "platform/text/FileFailure.h"
#include "platform/text/LineFile.h"

#include <QFile>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <cerrno>
#include <limits>
#include <mutex>

namespace report {

namespace {

const int kFormatVersion = 1;

const std::initializer_list<const char *> kKinds = {"Label", "TextBox", "Line", "Shape", "Picture"};
const std::initializer_list<const char *> kHAligns = {"Left", "Center", "Right"};
const std::initializer_list<const char *> kVAligns = {"Top", "Middle", "Bottom"};
const std::initializer_list<const char *> kShapes = {"Rectangle", "RoundRect", "Ellipse"};
const std::initializer_list<const char *> kSizings = {"Clip", "Stretch", "Zoom"};

template <typename E>
QString enumName(E value, std::initializer_list<const char *> names)
{
    return QString::fromLatin1(*(names.begin() + static_cast<int>(value)));
}

QString colorText(const QColor &c)
{
    return c.alpha() == 255 ? c.name(QColor::HexRgb) : c.name(QColor::HexArgb);
}

QString boolText(bool b)
{
    return b ? QStringLiteral("1") : QStringLiteral("0");
}

// Reads the attributes of one element and turns bad values into errors that
// name the element's place in the file.
class Attributes {
public:
    Attributes(const QXmlStreamReader &reader)
        : m_attrs(reader.attributes()), m_line(reader.lineNumber()), m_element(reader.name().toString())
    {
    }

    bool has(const char *name) const { return m_attrs.hasAttribute(QLatin1String(name)); }

    QString text(const char *name, const QString &fallback = QString()) const
    {
        return has(name) ? m_attrs.value(QLatin1String(name)).toString() : fallback;
    }

    // A whole number from lowest to highest; anything else is a broken
    // file, so that no later sum of positions and sizes can overflow.
    int integer(const char *name, int fallback, int lowest = std::numeric_limits<int>::min(),
                int highest = std::numeric_limits<int>::max()) const
    {
        if (!has(name))
            return fallback;
        bool ok = false;
        const int v = text(name).trimmed().toInt(&ok);
        if (!ok || v < lowest || v > highest)
            fail(name);
        return v;
    }

    int position(const char *name, int fallback) const { return integer(name, fallback, -kMaxTwips, kMaxTwips); }
    int extent(const char *name, int fallback) const { return integer(name, fallback, 0, kMaxTwips); }

    // A finite number from lowest to highest (NaN and infinities fail).
    double number(const char *name, double fallback, double lowest, double highest) const
    {
        if (!has(name))
            return fallback;
        bool ok = false;
        const double v = text(name).trimmed().toDouble(&ok);
        if (!ok || !(v >= lowest && v <= highest))
            fail(name);
        return v;
    }

    bool flag(const char *name, bool fallback) const
    {
        if (!has(name))
            return fallback;
        const QString v = text(name).trimmed();
        if (v == QLatin1String("1") || v == QLatin1String("true"))
            return true;
        if (v == QLatin1String("0") || v == QLatin1String("false"))
            return false;
        fail(name);
        return false;
    }

    QColor color(const char *name, const QColor &fallback) const
    {
        if (!has(name))
            return fallback;
        const QColor c = QColor::fromString(text(name).trimmed());
        if (!c.isValid())
            fail(name);
        return c;
    }

    template <typename E>
    E choice(const char *name, E fallback, std::initializer_list<const char *> names) const
    {
        if (!has(name))
            return fallback;
        const QString v = text(name);
        int i = 0;
        for (const char *n : names) {
            if (v == QLatin1String(n))
                return static_cast<E>(i);
            ++i;
        }
        fail(name);
        return fallback;
    }

    [[noreturn]] void fail(const char *name) const
    {
        throw LayoutError(QStringLiteral("%1 行目: %2 の %3 の値が正しくありません。")
                              .arg(m_line)
                              .arg(m_element, QLatin1String(name)));
    }

private:
    QXmlStreamAttributes m_attrs;
    qint64 m_line;
    QString m_element;
};

Control readControl(QXmlStreamReader &xml)
{
    const Attributes a(xml);
    Control c;
    c.kind = a.choice("Kind", ControlKind::TextBox, kKinds);
    c.name = a.text("Name");
    c.left = a.position("Left", 0);
    c.top = a.position("Top", 0);
    c.width = a.position("Width", 0);
    c.height = a.position("Height", 0);
    c.text = a.text("Text");
    c.tag = a.text("Tag");
    c.dataField = a.text("DataField");
    c.outputFormat = a.text("OutputFormat");
    c.font.family = a.text("FontName", c.font.family);
    c.font.size = a.number("FontSize", c.font.size, 0.0, kMaxFontPoints);
    c.font.bold = a.flag("Bold", false);
    c.font.italic = a.flag("Italic", false);
    c.font.underline = a.flag("Underline", false);
    c.align = a.choice("Align", HAlign::Left, kHAligns);
    c.valign = a.choice("VAlign", VAlign::Top, kVAligns);
    c.wordWrap = a.flag("WordWrap", false);
    c.border = a.flag("Border", false);
    c.lineWidth = a.position("LineWidth", c.lineWidth);
    c.foreColor = a.color("ForeColor", c.foreColor);
    c.backColor = a.color("BackColor", c.backColor);
    c.lineColor = a.color("LineColor", c.lineColor);
    c.shape = a.choice("Shape", ShapeStyle::Rectangle, kShapes);
    c.sizing = a.choice("Sizing", PictureSizing::Zoom, kSizings);
    const QString picture = xml.readElementText(QXmlStreamReader::ErrorOnUnexpectedElement);
    if (!picture.trimmed().isEmpty())
        c.picture = QByteArray::fromBase64(picture.trimmed().toLatin1());
    return c;
}

Section readSection(QXmlStreamReader &xml)
{
    const Attributes a(xml);
    Section s;
    s.name = a.text("Name");
    s.newPage = a.integer("NewPage", NewPageNone);
    s.height = a.extent("Height", 0);
    while (xml.readNextStartElement()) {
        if (xml.name() == QLatin1String("Control"))
            s.controls.append(readControl(xml));
        else
            xml.raiseError(QStringLiteral("予期しない要素 %1").arg(xml.name()));
    }
    return s;
}

PageSetup readPageSetup(QXmlStreamReader &xml)
{
    const Attributes a(xml);
    PageSetup p;
    p.paperWidth = a.integer("PaperWidth", p.paperWidth, 1, kMaxTwips);
    p.paperHeight = a.integer("PaperHeight", p.paperHeight, 1, kMaxTwips);
    p.landscape = a.text("Orientation", QStringLiteral("Portrait")) == QLatin1String("Landscape");
    p.leftMargin = a.position("LeftMargin", p.leftMargin);
    p.topMargin = a.position("TopMargin", p.topMargin);
    p.rightMargin = a.position("RightMargin", p.rightMargin);
    p.bottomMargin = a.position("BottomMargin", p.bottomMargin);
    xml.skipCurrentElement();
    return p;
}

// Why the text is no layout. The reader's own texts are English where
// Qt's translation is not installed, and where it is they still speak of
// XML names and declarations; the program's own (raised with raiseError)
// are Japanese already.
QString xmlProblem(const QXmlStreamReader &xml)
{
    QString problem;
    switch (xml.error()) {
    case QXmlStreamReader::CustomError:
        problem = xml.errorString();
        break;
    case QXmlStreamReader::PrematureEndOfDocumentError:
        problem = QStringLiteral("ファイルが途中で終わっています。");
        break;
    default:
        problem = QStringLiteral("ファイルの書式が正しくありません。");
        break;
    }
    return QStringLiteral("%1 行目: %2").arg(xml.lineNumber()).arg(problem);
}

} // namespace

Layout parseLayout(const QByteArray &bytes)
{
    QXmlStreamReader xml(bytes);
    Layout layout;
    if (!xml.readNextStartElement() || xml.name() != QLatin1String("Report")) {
        throw LayoutError(xml.hasError() ? xmlProblem(xml) : QStringLiteral("レイアウトファイルではありません。"));
    }
    {
        const Attributes a(xml);
        if (a.integer("Version", kFormatVersion) > kFormatVersion)
            throw LayoutError(QStringLiteral("新しい形式のレイアウトファイルは読み込めません。"));
        layout.userData = a.text("UserData");
    }
    while (xml.readNextStartElement()) {
        if (xml.name() == QLatin1String("PageSetup"))
            layout.pageSetup = readPageSetup(xml);
        else if (xml.name() == QLatin1String("Section"))
            layout.sections.append(readSection(xml));
        else
            xml.raiseError(QStringLiteral("予期しない要素 %1").arg(xml.name()));
    }
    if (!xml.hasError()) {
        // Nothing but white space and comments may follow the root element.
        while (!xml.atEnd() && xml.readNext() != QXmlStreamReader::Invalid) {
            if (xml.isStartElement() || (xml.isCharacters() && !xml.isWhitespace()))
                xml.raiseError(QStringLiteral("ルート要素の後に余分なデータがあります。"));
        }
    }
    if (xml.hasError())
        throw LayoutError(xmlProblem(xml));
    return layout;
}

namespace {

QByteArray readLayoutFile(const QString &path)
{
    const auto bytes = text::readBytes(path);
    if (!bytes)
        throw LayoutError(QStringLiteral("ファイルを開けません: %1\r\n").arg(path) + text::readFailureReason(errno));
    return std::move(*bytes);
}

Layout parseLayoutFile(const QString &path, const QByteArray &xml)
{
    try {
        return parseLayout(xml);
    } catch (const LayoutError &e) {
        throw LayoutError(path + QStringLiteral("\r\n") + e.message());
    }
}

// The forms parsed last, the latest first: a handful, as a user prints
// with a few forms and each keeps its bytes besides its layout.
struct KeptLayout {
    QString path;
    QByteArray xml;
    Layout layout;
};
constexpr qsizetype kKeptLayouts = 4;
std::mutex gKeptMutex;
QList<KeptLayout> gKept;

} // namespace

Layout loadLayout(const QString &path)
{
    return parseLayoutFile(path, readLayoutFile(path));
}

Layout loadKeptLayout(const QString &path)
{
    const QByteArray xml = readLayoutFile(path);
    {
        const std::lock_guard lock(gKeptMutex);
        for (qsizetype i = 0; i < gKept.size(); ++i) {
            if (gKept[i].path == path && gKept[i].xml == xml) {
                gKept.move(i, 0);
                return gKept.first().layout;
            }
        }
    }
    Layout layout = parseLayoutFile(path, xml);
    const std::lock_guard lock(gKeptMutex);
    gKept.prepend({path, xml, layout});
    if (gKept.size() > kKeptLayouts)
        gKept.resize(kKeptLayouts);
    return layout;
}

QByteArray serializeLayout(const Layout &layout)
{
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(1);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("Report"));
    // Must stay the first attribute: see the header.
    xml.writeAttribute(QStringLiteral("UserData"), layout.userData);
    xml.writeAttribute(QStringLiteral("Version"), QString::number(kFormatVersion));

    const PageSetup &p = layout.pageSetup;
    xml.writeStartElement(QStringLiteral("PageSetup"));
    xml.writeAttribute(QStringLiteral("PaperWidth"), QString::number(p.paperWidth));
    xml.writeAttribute(QStringLiteral("PaperHeight"), QString::number(p.paperHeight));
    xml.writeAttribute(QStringLiteral("Orientation"),
                       p.landscape ? QStringLiteral("Landscape") : QStringLiteral("Portrait"));
    xml.writeAttribute(QStringLiteral("LeftMargin"), QString::number(p.leftMargin));
    xml.writeAttribute(QStringLiteral("TopMargin"), QString::number(p.topMargin));
    xml.writeAttribute(QStringLiteral("RightMargin"), QString::number(p.rightMargin));
    xml.writeAttribute(QStringLiteral("BottomMargin"), QString::number(p.bottomMargin));
    xml.writeEndElement();

    for (const Section &s : layout.sections) {
        xml.writeStartElement(QStringLiteral("Section"));
        xml.writeAttribute(QStringLiteral("Name"), s.name);
        xml.writeAttribute(QStringLiteral("NewPage"), QString::number(s.newPage));
        xml.writeAttribute(QStringLiteral("Height"), QString::number(s.height));
        for (const Control &c : s.controls) {
            xml.writeStartElement(QStringLiteral("Control"));
            xml.writeAttribute(QStringLiteral("Kind"), enumName(c.kind, kKinds));
            xml.writeAttribute(QStringLiteral("Name"), c.name);
            xml.writeAttribute(QStringLiteral("Left"), QString::number(c.left));
            xml.writeAttribute(QStringLiteral("Top"), QString::number(c.top));
            xml.writeAttribute(QStringLiteral("Width"), QString::number(c.width));
            xml.writeAttribute(QStringLiteral("Height"), QString::number(c.height));
            xml.writeAttribute(QStringLiteral("Text"), c.text);
            xml.writeAttribute(QStringLiteral("Tag"), c.tag);
            xml.writeAttribute(QStringLiteral("DataField"), c.dataField);
            xml.writeAttribute(QStringLiteral("OutputFormat"), c.outputFormat);
            xml.writeAttribute(QStringLiteral("FontName"), c.font.family);
            xml.writeAttribute(QStringLiteral("FontSize"), QString::number(c.font.size, 'g', 6));
            xml.writeAttribute(QStringLiteral("Bold"), boolText(c.font.bold));
            xml.writeAttribute(QStringLiteral("Italic"), boolText(c.font.italic));
            xml.writeAttribute(QStringLiteral("Underline"), boolText(c.font.underline));
            xml.writeAttribute(QStringLiteral("Align"), enumName(c.align, kHAligns));
            xml.writeAttribute(QStringLiteral("VAlign"), enumName(c.valign, kVAligns));
            xml.writeAttribute(QStringLiteral("WordWrap"), boolText(c.wordWrap));
            xml.writeAttribute(QStringLiteral("Border"), boolText(c.border));
            xml.writeAttribute(QStringLiteral("LineWidth"), QString::number(c.lineWidth));
            xml.writeAttribute(QStringLiteral("ForeColor"), colorText(c.foreColor));
            xml.writeAttribute(QStringLiteral("BackColor"), colorText(c.backColor));
            xml.writeAttribute(QStringLiteral("LineColor"), colorText(c.lineColor));
            xml.writeAttribute(QStringLiteral("Shape"), enumName(c.shape, kShapes));
            xml.writeAttribute(QStringLiteral("Sizing"), enumName(c.sizing, kSizings));
            if (!c.picture.isEmpty())
                xml.writeCharacters(QString::fromLatin1(c.picture.toBase64()));
            xml.writeEndElement();
        }
        xml.writeEndElement();
    }
    xml.writeEndElement();
    xml.writeEndDocument();
    return bytes;
}

void saveLayout(const QString &path, const Layout &layout)
{
    text::writeBytes(path, serializeLayout(layout));
}

} // namespace report
