#include "platform/report/PreviewWidget.h"

#include <QLabel>
#include <QToolButton>
#include <QtTest>

using namespace report;

namespace {

Page numberedPage(int number)
{
    Page p;
    p.width = 11906;
    p.height = 16838;
    PageItem t;
    t.type = PageItem::Type::Text;
    t.box = QRect(1000, 1000, 3000, 400);
    t.text = QString::number(number);
    t.font = {QStringLiteral("ＭＳ 明朝"), 12, false, false, false};
    t.flags = Qt::AlignLeft;
    p.items.append(t);
    return p;
}

// A report of `total` pages that hands over one more page a step, as a
// running report does once a page is finished.
struct Feed {
    int total = 0;
    int steps = 0;

    PageFeed feed()
    {
        return [this](QVector<Page> &pages, QDeadlineTimer) {
            ++steps;
            if (pages.size() < total)
                pages.append(numberedPage(int(pages.size()) + 1));
            return pages.size() == total;
        };
    }
};

QToolButton *button(const QWidget &w, const QString &tip)
{
    for (auto *b : w.findChildren<QToolButton *>())
        if (b->toolTip() == tip)
            return b;
    return nullptr;
}

QStringList texts(const QVector<Page> &pages)
{
    QStringList t;
    for (const Page &p : pages)
        t << p.texts();
    return t;
}

QStringList numbersTo(int n)
{
    QStringList t;
    for (int i = 1; i <= n; ++i)
        t << QString::number(i);
    return t;
}

} // namespace

class tst_PreviewFeed : public QObject {
    Q_OBJECT

private slots:
    // The window shows the first page at once; the rest come while it is
    // idle, and the count and buttons follow.
    void restArriveWhileShown()
    {
        Feed f{5};
        PreviewWidget w;
        w.setPages({numberedPage(1)}, f.feed());
        QCOMPARE(w.shownPageCount(), 1);
        QVERIFY(!w.allPagesShown());
        QCOMPARE(w.currentPage(), 0);
        QToolButton *next = button(w, QStringLiteral("次のページ"));
        QVERIFY(next);
        QVERIFY(next->isEnabled()); // more is coming
        QTRY_VERIFY(w.allPagesShown());
        QCOMPARE(w.shownPageCount(), 5);
        QCOMPARE(w.currentPage(), 0);
        QCOMPARE(texts(w.pages()), numbersTo(5));
        const QStringList labels = [&] {
            QStringList l;
            for (auto *label : w.findChildren<QLabel *>())
                l << label->text();
            return l;
        }();
        QVERIFY(labels.contains(QStringLiteral("/ 5")));
    }

    // What needs a page not yet there renders up to it, and no further.
    void askingForAPageRendersUpToIt_data()
    {
        QTest::addColumn<QString>("ask");
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("shown");
        QTest::newRow("page 4") << "go 4" << 3 << 4;
        QTest::newRow("beyond the last") << "go 99" << 9 << 10;
        QTest::newRow("last page") << "last" << 9 << 10;
        QTest::newRow("ctrl+end") << "ctrl+end" << 9 << 10;
        QTest::newRow("page down") << "pagedown" << 1 << 2;
        QTest::newRow("every page") << "pages" << 0 << 10;
        QTest::newRow("page count") << "count" << 0 << 10;
    }
    void askingForAPageRendersUpToIt()
    {
        QFETCH(QString, ask);
        QFETCH(int, current);
        QFETCH(int, shown);
        Feed f{10};
        PreviewWidget w;
        w.setPages({numberedPage(1)}, f.feed());
        if (ask.startsWith(QLatin1String("go ")))
            w.setCurrentPage(ask.mid(3).toInt() - 1);
        else if (ask == QLatin1String("last"))
            button(w, QStringLiteral("最後のページ"))->click();
        else if (ask == QLatin1String("ctrl+end"))
            QTest::keyClick(&w, Qt::Key_End, Qt::ControlModifier);
        else if (ask == QLatin1String("pagedown"))
            QTest::keyClick(&w, Qt::Key_PageDown);
        else if (ask == QLatin1String("pages"))
            QCOMPARE(w.pages().size(), 10);
        else
            QCOMPARE(w.pageCount(), 10);
        QCOMPARE(w.currentPage(), current);
        QCOMPARE(w.shownPageCount(), shown);
        QCOMPARE(w.allPagesShown(), shown == 10);
        QCOMPARE(f.steps, shown - 1);
    }

    // A report whose first page comes only from the feed, and one that ends
    // without a page.
    void feedFromNothing_data()
    {
        QTest::addColumn<int>("total");
        QTest::newRow("pages later") << 3;
        QTest::newRow("no page at all") << 0;
    }
    void feedFromNothing()
    {
        QFETCH(int, total);
        Feed f{total};
        PreviewWidget w;
        w.setPages({}, f.feed());
        QCOMPARE(w.currentPage(), -1);
        QTRY_VERIFY(w.allPagesShown());
        QCOMPARE(w.currentPage(), total ? 0 : -1);
        QCOMPARE(texts(w.pages()), numbersTo(total));
    }

    // Pages arriving while one is drawn move the page list in memory; the
    // page shown is drawn from where it is now.
    void shownPageSurvivesArrivals()
    {
        Feed f{300};
        PreviewWidget w;
        w.resize(400, 500);
        w.setPages({numberedPage(1)}, f.feed());
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.setCurrentPage(1);
        for (int i = 0; i < 20 && !w.allPagesShown(); ++i) {
            QTest::qWait(1);
            QVERIFY(!w.grab().isNull());
        }
        QTRY_VERIFY(w.allPagesShown());
        const QImage shot = w.grab().toImage();
        QVERIFY(!shot.isNull());
        QCOMPARE(w.currentPage(), 1);
    }

    // Pages set without a feed are all there is.
    void pagesWithoutFeed()
    {
        PreviewWidget w;
        w.setPages({numberedPage(1), numberedPage(2)});
        QVERIFY(w.allPagesShown());
        QCOMPARE(w.pageCount(), 2);
        w.setCurrentPage(5);
        QCOMPARE(w.currentPage(), 1);
    }
};

QTEST_MAIN(tst_PreviewFeed)
#include "tst_previewfeed.moc"
