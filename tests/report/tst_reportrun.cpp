#include "platform/report/Report.h"

#include <QtTest>

using namespace report;

namespace {

// Prints `records` records, each showing its number in the control "No".
class CountingReport : public Report {
public:
    int records = 0;
    int fetched = 0;
    int initialized = 0;
    int pageStarts = 0;

protected:
    void dataInitialize() override { ++initialized; }
    void pageStart() override { ++pageStarts; }
    void fetchData(bool &eof) override
    {
        if (fetched == records) {
            eof = true;
            return;
        }
        ++fetched;
        layout().section(QStringLiteral("Detail"))->control(QStringLiteral("No"))->text = QString::number(fetched);
    }
};

Layout layoutWith(int newPage, int detailHeight, bool headerFooter)
{
    Layout l;
    l.pageSetup = PageSetup{11906, 16838, false, 1000, 1000, 1000, 1000};
    Control no;
    no.name = QStringLiteral("No");
    no.width = 1000;
    no.height = 300;
    Section detail{QStringLiteral("Detail"), newPage, detailHeight, {no}};
    if (headerFooter) {
        Control h;
        h.kind = ControlKind::Label;
        h.text = QStringLiteral("見出し");
        Section header{QStringLiteral("PageHeader"), 0, 500, {h}};
        h.text = QStringLiteral("脚注");
        Section footer{QStringLiteral("PageFooter"), 0, 500, {h}};
        l.sections = {header, detail, footer};
    } else {
        l.sections = {detail};
    }
    return l;
}

} // namespace

class tst_ReportRun : public QObject {
    Q_OBJECT

private slots:
    void paging_data()
    {
        QTest::addColumn<int>("newPage");
        QTest::addColumn<int>("height");
        QTest::addColumn<bool>("headerFooter");
        QTest::addColumn<int>("records");
        QTest::addColumn<int>("pages");
        QTest::newRow("new page before each record") << int(NewPageBefore) << 1000 << false << 3 << 3;
        QTest::newRow("no record no page") << int(NewPageBefore) << 1000 << false << 0 << 0;
        // 14838 twips of body hold 14 records of 1000.
        QTest::newRow("stacked until full") << int(NewPageNone) << 1000 << false << 15 << 2;
        QTest::newRow("header and footer take room") << int(NewPageNone) << 1000 << true << 14 << 2;
        QTest::newRow("new page after") << int(NewPageAfter) << 1000 << false << 2 << 2;
        QTest::newRow("taller than the page") << int(NewPageNone) << 20000 << false << 2 << 2;
    }

    void paging()
    {
        QFETCH(int, newPage);
        QFETCH(int, height);
        QFETCH(bool, headerFooter);
        QFETCH(int, records);
        QFETCH(int, pages);
        CountingReport r;
        r.setLayout(layoutWith(newPage, height, headerFooter));
        r.records = records;
        r.run();
        QCOMPARE(r.initialized, 1);
        QCOMPARE(r.pages().size(), pages);
        QCOMPARE(r.pageStarts, pages);
        QStringList numbers;
        for (const Page &p : r.pages())
            for (const QString &t : p.texts())
                if (t != QStringLiteral("見出し") && t != QStringLiteral("脚注"))
                    numbers << t;
        QCOMPARE(numbers.size(), records);
        if (headerFooter && pages > 0) {
            QCOMPARE(r.pages().last().texts().first(), QStringLiteral("見出し"));
            QCOMPARE(r.pages().last().texts().last(), QStringLiteral("脚注"));
        }

        // The same run in steps: every step finishes at least one page, a
        // finished page never changes, and the end is the same report.
        CountingReport stepped;
        stepped.setLayout(layoutWith(newPage, height, headerFooter));
        stepped.records = records;
        stepped.start();
        QVector<Page> finished;
        for (bool done = false; !done;) {
            const int before = stepped.finishedPageCount();
            done = stepped.runFor(QDeadlineTimer(0));
            QVERIFY(done || stepped.finishedPageCount() > before);
            QCOMPARE(stepped.pages().mid(0, finished.size()), finished);
            finished = stepped.pages().mid(0, stepped.finishedPageCount());
        }
        QVERIFY(stepped.finished());
        QCOMPARE(stepped.finishedPageCount(), pages);
        QCOMPARE(stepped.pages(), r.pages());
        QCOMPARE(stepped.initialized, 1);
        QCOMPARE(stepped.pageStarts, pages);
    }

    // A new layout ends a run in steps: it no longer renders into the old
    // layout's sections.
    void newLayoutEndsARun()
    {
        CountingReport r;
        r.setLayout(layoutWith(NewPageBefore, 1000, true));
        r.records = 5;
        r.start();
        QVERIFY(!r.runFor(QDeadlineTimer(0)));
        r.setLayout(layoutWith(NewPageNone, 1000, false));
        QVERIFY(r.finished());
        QVERIFY(r.runFor(QDeadlineTimer(0)));
        QCOMPARE(r.fetched, 2);
    }

    void controlsLandAtTheirPlaceOnThePage()
    {
        CountingReport r;
        r.setLayout(layoutWith(NewPageNone, 1000, true));
        r.records = 2;
        r.run();
        const Page &p = r.pages().first();
        QCOMPARE(p.items[1].text, QStringLiteral("1"));
        QCOMPARE(p.items[1].box, QRect(1000, 1500, 1000, 300));
        QCOMPARE(p.items[2].box, QRect(1000, 2500, 1000, 300));
        QCOMPARE(p.items[3].box.top(), 16838 - 1000 - 500); // the footer
    }
};

QTEST_GUILESS_MAIN(tst_ReportRun)
#include "tst_reportrun.moc"
