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
    Layout layout = report::loadKeptLayout(path);
    endRun();
    m_layout = std::move(layout);
    m_layoutPath = path;
}

void Report::setLayout(const Layout &layout)
{
    endRun();
    m_layout = layout;
    m_layoutPath.clear();
}

void Report::endRun()
{
    // A run in steps holds places in the layout.
    m_finished = true;
    m_header = m_footer = nullptr;
    m_detail = nullptr;
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
    start();
    while (!runFor(QDeadlineTimer(QDeadlineTimer::Forever))) {
    }
}

void Report::start()
{
    m_pages.clear();
    const PageSetup &setup = m_layout.pageSetup;
    m_header = m_layout.section(QStringLiteral("PageHeader"));
    m_footer = m_layout.section(QStringLiteral("PageFooter"));
    m_detail = m_layout.section(QStringLiteral("Detail"));
    if (!m_detail) {
        for (Section &s : m_layout.sections)
            if (&s != m_header && &s != m_footer) {
                m_detail = &s;
                break;
            }
    }
    m_bodyTop = setup.topMargin + (m_header ? m_header->height : 0);
    m_bodyBottom = setup.pageHeight() - setup.bottomMargin - (m_footer ? m_footer->height : 0);
    m_y = m_bodyTop;
    m_pageHasDetail = false;
    m_breakPending = false;
    m_finished = false;
    dataInitialize();
}

int Report::finishedPageCount() const
{
    const int count = int(m_pages.size());
    return m_finished ? count : qMax(0, count - 1);
}

void Report::finishPage()
{
    if (!m_pages.isEmpty() && m_footer)
        renderSection(m_pages.last(), *m_footer, m_layout.pageSetup.leftMargin, m_bodyBottom);
}

void Report::startPage()
{
    finishPage();
    pageStart();
    const PageSetup &setup = m_layout.pageSetup;
    Page page;
    page.width = setup.pageWidth();
    page.height = setup.pageHeight();
    if (m_header)
        renderSection(page, *m_header, setup.leftMargin, setup.topMargin);
    m_pages.append(std::move(page));
    m_y = m_bodyTop;
    m_pageHasDetail = false;
    m_breakPending = false;
}

bool Report::runFor(QDeadlineTimer deadline)
{
    const int before = finishedPageCount();
    while (!m_finished) {
        if (finishedPageCount() > before && deadline.hasExpired())
            return false;
        bool eof = false;
        fetchData(eof);
        if (eof) {
            finishPage();
            m_finished = true;
            break;
        }
        if (!m_detail)
            continue;
        const bool newPageBefore = m_detail->newPage & NewPageBefore;
        if (m_pages.isEmpty() || m_breakPending || (newPageBefore && m_pageHasDetail)
            || (m_pageHasDetail && m_y + m_detail->height > m_bodyBottom))
            startPage();
        renderSection(m_pages.last(), *m_detail, m_layout.pageSetup.leftMargin, m_y);
        m_y += m_detail->height;
        m_pageHasDetail = true;
        if (m_detail->newPage & NewPageAfter)
            m_breakPending = true;
    }
    return true;
}

} // namespace report
