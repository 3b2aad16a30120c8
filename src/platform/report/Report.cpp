#include "platform/report/Report.h"

#include "platform/report/LayoutFile.h"

#include <algorithm>
#include <utility>

namespace report {

namespace {

// Layout files may hold any whole number; what lies beyond any paper stays
// beyond it without overflowing.
int onPaper(qint64 twips)
{
    const qint64 far = 1 << 24;
    return int(std::clamp(twips, -far, far));
}

// The background and border of a text or picture box.
void appendFrame(Page &page, const Control &c, const QRect &box)
{
    if (c.backColor.alpha() == 0 && !c.border)
        return;
    PageItem frame;
    frame.type = PageItem::Type::Shape;
    frame.box = box;
    frame.color = c.lineColor;
    frame.fill = c.backColor;
    frame.penWidth = c.border ? qMax(1, c.lineWidth) : 0;
    page.items.append(std::move(frame));
}

} // namespace

Report::~Report() = default;

void Report::loadLayout(const QString &path)
{
    m_layout = report::loadLayout(path);
    m_layoutPath = path;
}

void Report::setLayout(const Layout &layout)
{
    m_layout = layout;
    m_layoutPath.clear();
}

QVector<Page> Report::takePages()
{
    return std::exchange(m_pages, {});
}

void Report::renderSection(Page &page, const Section &section, int left, int top)
{
    for (const Control &c : section.controls) {
        const QRect box(onPaper(qint64(left) + c.left), onPaper(qint64(top) + c.top), onPaper(c.width),
                        onPaper(c.height));
        switch (c.kind) {
        case ControlKind::Label:
        case ControlKind::TextBox: {
            appendFrame(page, c, box);
            if (c.text.isEmpty())
                break;
            PageItem item;
            item.type = PageItem::Type::Text;
            item.box = box;
            item.text = c.text;
            item.font = c.font;
            item.color = c.foreColor;
            int flags = c.align == HAlign::Center ? Qt::AlignHCenter
                      : c.align == HAlign::Right  ? Qt::AlignRight
                                                  : Qt::AlignLeft;
            flags |= c.valign == VAlign::Middle ? Qt::AlignVCenter
                   : c.valign == VAlign::Bottom ? Qt::AlignBottom
                                                : Qt::AlignTop;
            if (c.wordWrap)
                flags |= Qt::TextWordWrap;
            item.flags = flags;
            page.items.append(std::move(item));
            break;
        }
        case ControlKind::Line: {
            PageItem item;
            item.type = PageItem::Type::Line;
            item.box = box;
            item.color = c.lineColor;
            item.penWidth = qMax(1, c.lineWidth);
            page.items.append(std::move(item));
            break;
        }
        case ControlKind::Shape: {
            PageItem item;
            item.type = PageItem::Type::Shape;
            item.box = box;
            item.color = c.lineColor;
            item.fill = c.backColor;
            item.penWidth = c.lineWidth;
            item.shape = c.shape;
            page.items.append(std::move(item));
            break;
        }
        case ControlKind::Picture: {
            appendFrame(page, c, box);
            if (c.picture.isEmpty())
                break;
            PageItem item;
            item.type = PageItem::Type::Image;
            item.box = box;
            item.image = c.picture;
            item.sizing = c.sizing;
            page.items.append(std::move(item));
            break;
        }
        }
    }
}

void Report::run()
{
    m_pages.clear();
    const PageSetup &setup = m_layout.pageSetup;
    const Section *header = m_layout.section(QStringLiteral("PageHeader"));
    const Section *footer = m_layout.section(QStringLiteral("PageFooter"));
    Section *detail = m_layout.section(QStringLiteral("Detail"));
    if (!detail) {
        for (Section &s : m_layout.sections)
            if (&s != header && &s != footer) {
                detail = &s;
                break;
            }
    }

    const int left = setup.leftMargin;
    const int bodyTop = setup.topMargin + (header ? header->height : 0);
    const int bodyBottom = setup.pageHeight() - setup.bottomMargin - (footer ? footer->height : 0);
    int y = bodyTop;
    bool pageHasDetail = false;
    bool breakPending = false;

    auto startPage = [&] {
        if (!m_pages.isEmpty() && footer)
            renderSection(m_pages.last(), *footer, left, bodyBottom);
        pageStart();
        Page page;
        page.width = setup.pageWidth();
        page.height = setup.pageHeight();
        if (header)
            renderSection(page, *header, left, setup.topMargin);
        m_pages.append(std::move(page));
        y = bodyTop;
        pageHasDetail = false;
        breakPending = false;
    };

    dataInitialize();
    for (;;) {
        bool eof = false;
        fetchData(eof);
        if (eof)
            break;
        if (!detail)
            continue;
        const bool before = detail->newPage & NewPageBefore;
        if (m_pages.isEmpty() || breakPending || (before && pageHasDetail)
            || (pageHasDetail && y + detail->height > bodyBottom))
            startPage();
        renderSection(m_pages.last(), *detail, left, y);
        y += detail->height;
        pageHasDetail = true;
        if (detail->newPage & NewPageAfter)
            breakPending = true;
    }
    if (!m_pages.isEmpty() && footer)
        renderSection(m_pages.last(), *footer, left, bodyBottom);
}

} // namespace report
