#pragma once

#include "platform/report/Layout.h"
#include "platform/report/Page.h"

#include <QDeadlineTimer>
#include <QString>
#include <QVector>

namespace report {

// A report run without a data source of its own: a subclass fills the
// controls' texts in its events and the report renders the sections.
//
// run(): dataInitialize() once, then fetchData() until it reports the end;
// every fetched record prints the "Detail" section (or, when there is none,
// the first section) below the last one, starting a new page when the
// section asks for it (NewPage) or when it no longer fits. Sections named
// "PageHeader" and "PageFooter" print at the top and bottom of every page.
class Report {
public:
    virtual ~Report();

    void loadLayout(const QString &path); // throws LayoutError
    // The file the layout came from; "" for a layout set in code.
    const QString &layoutPath() const { return m_layoutPath; }
    void setLayout(const Layout &layout);
    Layout &layout() { return m_layout; }
    const Layout &layout() const { return m_layout; }

    void run();
    void start();
    // Renders until at least one more page is finished and the deadline has
    // passed, or until the end; true once the run has ended.
    bool runFor(QDeadlineTimer deadline);
    bool finished() const { return m_finished; }
    // The pages that will not change any more: all of them once finished.
    int finishedPageCount() const;

    const QVector<Page> &pages() const { return m_pages; }
    QVector<Page> takePages();

    // The page a section prints onto, from its current control texts.
    static void renderSection(Page &page, const Section &section, int left, int top);

protected:
    virtual void dataInitialize() {}
    virtual void pageStart() {}
    // Sets eof to true when there is no further record.
    virtual void fetchData(bool &eof) = 0;

private:
    void endRun();
    void startPage();
    void finishPage();

    Layout m_layout;
    QString m_layoutPath;
    QVector<Page> m_pages;

    // The state of the run between steps.
    const Section *m_header = nullptr;
    const Section *m_footer = nullptr;
    Section *m_detail = nullptr;
    int m_bodyTop = 0;
    int m_bodyBottom = 0;
    int m_y = 0;
    bool m_pageHasDetail = false;
    bool m_breakPending = false;
    bool m_finished = true;
};

} // namespace report
