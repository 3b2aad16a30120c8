#include "core/Globals.h"
#include "platform/report/PageFile.h"
#include "platform/text/LineFile.h"
#include "printing/SeikyushoArchive.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <functional>
#include <utility>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const QString kID = QStringLiteral("A01");
const QDate kDate(2024, 3, 20);

report::Page pageSaying(const QString &text)
{
    report::Page page;
    page.width = 11906;
    page.height = 16838;
    report::PageItem item;
    item.type = report::PageItem::Type::Text;
    item.box = QRect(100, 100, 3000, 400);
    item.text = text;
    page.items = {item};
    return page;
}

QVector<report::Page> invoicePages(const QString &which, int count)
{
    QVector<report::Page> pages;
    for (int i = 0; i < count; ++i)
        pages << pageSaying(which + QString::number(i));
    return pages;
}

const QVector<report::Page> kOld = invoicePages(QStringLiteral("old "), 2);
const QVector<report::Page> kNew = invoicePages(QStringLiteral("new "), 3);

// "old", "new", "none" (not listed) or what is wrong with the pages found.
QString archivedInvoice()
{
    if (!seikyusho::invoiceDates(kID).contains(kDate))
        return QStringLiteral("none");
    QStringList texts;
    for (const report::Page &page : report::loadPages(seikyusho::pagePaths(kID, kDate)))
        texts << page.items.value(0).text;
    for (const auto &[which, pages] : {std::pair{"old", &kOld}, std::pair{"new", &kNew}}) {
        QStringList expected;
        for (const report::Page &page : *pages)
            expected << page.items.value(0).text;
        if (texts == expected)
            return QString::fromLatin1(which);
    }
    return QStringLiteral("mixed: ") + texts.join(QLatin1Char(','));
}

QStringList hiddenEntries()
{
    return QDir(seikyusho::customerFolder(kID))
        .entryList(QStringList{QStringLiteral(".*")}, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

// Makes every lock fail as on a file system that has none.
void withoutLocks()
{
    text::setFaultHook([](text::FileStep step, const QString &) { return step == text::FileStep::Lock ? ENOLCK : 0; });
}

// A registration's part in the archive, as the invoice window runs it:
// stage, write the pages, swap, and on a refused swap discard the staging.
void registerInvoice(const QVector<report::Page> &pages = kNew)
{
    seikyusho::prepareStaging(kID, kDate);
    report::writePageFiles(seikyusho::stagingBasePath(kID, kDate), pages);
    try {
        seikyusho::commitStaging(kID, kDate);
    } catch (const seikyusho::ArchiveError &) {
        seikyusho::discardStaging(kID, kDate);
    }
}

QStringList textsOf(const QVector<report::Page> &pages)
{
    QStringList texts;
    for (const report::Page &page : pages)
        texts << page.items.value(0).text;
    return texts;
}

// A second copy of the program: runs `work` in a child process, over and
// over until the write end of the pipe `stop` is closed (or `runs` times
// when given), and exits with 0 when every run returned true.
pid_t another(const std::function<bool()> &work, const int stop[2], int runs = -1)
{
    const pid_t child = ::fork();
    if (child != 0)
        return child;
    ::close(stop[1]);
    bool good = true;
    for (int run = 0; runs < 0 || run < runs; ++run) {
        pollfd stopped{stop[0], POLLIN, 0};
        if (runs < 0 && ::poll(&stopped, 1, 0) != 0)
            break;
        try {
            good = work() && good;
        } catch (...) {
            good = false;
        }
    }
    ::_exit(good ? 0 : 1);
}

bool endedWell(pid_t child)
{
    int status = 0;
    return ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace

class tst_SeikyushoArchive : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        QVERIFY(m_root.isValid());
        gstrTsukiSeikyushoFolder = m_root.path() + QLatin1Char('/');
        QVERIFY(QDir(seikyusho::customerFolder(kID)).removeRecursively());
        text::setFaultHook({});
    }
    void cleanup() { text::setFaultHook({}); }

    // A registration killed before any of the steps that change the disk
    // (the program killed, the power lost): once the archive is read
    // again, the invoice has all its old pages or all its new ones, and
    // nothing of the run stays hidden in the customer's folder.
    void killedRegistrationKeepsOldOrNewPages_data()
    {
        QTest::addColumn<bool>("hadOld");
        QTest::newRow("first registration") << false;
        QTest::newRow("registered again") << true;
    }
    void killedRegistrationKeepsOldOrNewPages()
    {
        QFETCH(bool, hadOld);
        bool completed = false;
        QStringList outcomes;
        int withoutInvoiceFolder = 0;
        for (int killAt = 1; !completed && killAt < 200; ++killAt) {
            QVERIFY(QDir(seikyusho::customerFolder(kID)).removeRecursively());
            if (hadOld) {
                QVERIFY(QDir().mkpath(seikyusho::invoiceFolder(kID, kDate)));
                report::writePageFiles(seikyusho::pageBasePath(kID, kDate), kOld);
            }
            const pid_t child = ::fork();
            if (child == 0) {
                int steps = 0;
                text::setFaultHook([&steps, killAt](text::FileStep, const QString &) {
                    if (++steps == killAt)
                        ::_exit(9);
                    return 0;
                });
                try {
                    registerInvoice();
                } catch (...) {
                    ::_exit(1);
                }
                ::_exit(0);
            }
            int status = 0;
            QCOMPARE(::waitpid(child, &status, 0), child);
            QVERIFY(WIFEXITED(status));
            QVERIFY(WEXITSTATUS(status) == 0 || WEXITSTATUS(status) == 9);
            completed = WEXITSTATUS(status) == 0;
            if (!QFileInfo::exists(seikyusho::invoiceFolder(kID, kDate)))
                ++withoutInvoiceFolder;

            const QString found = archivedInvoice();
            const QString context = QStringLiteral("killed before step %1: ").arg(killAt);
            if (completed)
                QCOMPARE(found, QStringLiteral("new"));
            else if (hadOld)
                QVERIFY2(found == QLatin1String("old") || found == QLatin1String("new"), qPrintable(context + found));
            else
                QVERIFY2(found == QLatin1String("none") || found == QLatin1String("new"), qPrintable(context + found));
            QVERIFY2(hiddenEntries().isEmpty(), qPrintable(context + hiddenEntries().join(QLatin1Char(','))));
            outcomes << found;
        }
        QVERIFY(completed);
        // The kills fell on both sides of the swap, and in the moment the
        // invoice folder had moved aside.
        QVERIFY(outcomes.contains(hadOld ? QStringLiteral("old") : QStringLiteral("none")));
        QVERIFY(outcomes.count(QStringLiteral("new")) >= 2);
        if (hadOld)
            QVERIFY(withoutInvoiceFolder > 0);
    }

    // A rename or folder sync of the swap that fails (an I/O error) is
    // reported and leaves the invoice whole: while the disk keeps failing
    // the archive still lists the date with whole pages, and once it works
    // again the next read puts them back in place.
    void failingSwapKeepsOldOrNewPages_data()
    {
        QTest::addColumn<int>("step");
        QTest::addColumn<QString>("path"); // "old", "invoice" or "customer" folder
        QTest::addColumn<int>("failures"); // how many of those steps fail
        QTest::addColumn<QString>("expected");
        using text::FileStep;
        QTest::newRow("moving the old invoice aside")
            << int(FileStep::Rename) << "old" << 1000 << "old";
        QTest::newRow("moving the new one in, once")
            << int(FileStep::Rename) << "invoice" << 1 << "old";
        QTest::newRow("every move into the invoice's place")
            << int(FileStep::Rename) << "invoice" << 1000 << "new";
        QTest::newRow("folder sync after the old one moved aside")
            << int(FileStep::SyncFolder) << "customer" << 1 << "new";
        QTest::newRow("every folder sync of the customer")
            << int(FileStep::SyncFolder) << "customer" << 1000 << "new";
    }
    void failingSwapKeepsOldOrNewPages()
    {
        QFETCH(int, step);
        QFETCH(QString, path);
        QFETCH(int, failures);
        QFETCH(QString, expected);
        QVERIFY(QDir().mkpath(seikyusho::invoiceFolder(kID, kDate)));
        report::writePageFiles(seikyusho::pageBasePath(kID, kDate), kOld);
        const QString customer = QDir::cleanPath(seikyusho::customerFolder(kID));
        const QString failing = path == QLatin1String("customer") ? customer
                                : path == QLatin1String("old")
                                    ? customer + QStringLiteral("/.") + seikyusho::invoiceName(kID, kDate)
                                          + QStringLiteral(".old")
                                    : QDir::cleanPath(seikyusho::invoiceFolder(kID, kDate));
        int left = failures;
        text::setFaultHook([&](text::FileStep now, const QString &changed) {
            if (int(now) != step || QDir::cleanPath(changed) != failing || left == 0)
                return 0;
            --left;
            return EIO;
        });
        bool refused = false;
        seikyusho::prepareStaging(kID, kDate);
        report::writePageFiles(seikyusho::stagingBasePath(kID, kDate), kNew);
        try {
            seikyusho::commitStaging(kID, kDate);
        } catch (const seikyusho::ArchiveError &) {
            refused = true;
            seikyusho::discardStaging(kID, kDate);
        }
        QVERIFY(refused);
        QCOMPARE(archivedInvoice(), expected);

        text::setFaultHook({});
        QCOMPARE(archivedInvoice(), expected);
        QCOMPARE(hiddenEntries(), QStringList());
        QCOMPARE(QDir(seikyusho::customerFolder(kID)).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList{seikyusho::invoiceName(kID, kDate)});
    }

    // An invoice deleted while a failing disk keeps its swap unfinished is
    // gone for good: no leftover brings it back once the disk works.
    void deletedDuringAFailingSwapStaysDeleted()
    {
        QVERIFY(QDir().mkpath(seikyusho::invoiceFolder(kID, kDate)));
        report::writePageFiles(seikyusho::pageBasePath(kID, kDate), kOld);
        const QString invoice = QDir::cleanPath(seikyusho::invoiceFolder(kID, kDate));
        text::setFaultHook([&](text::FileStep step, const QString &path) {
            return step == text::FileStep::Rename && QDir::cleanPath(path) == invoice ? EIO : 0;
        });
        registerInvoice();
        QCOMPARE(archivedInvoice(), QStringLiteral("new"));
        QVERIFY(seikyusho::deleteInvoice(kID, kDate));
        QCOMPARE(archivedInvoice(), QStringLiteral("none"));
        text::setFaultHook({});
        QCOMPARE(archivedInvoice(), QStringLiteral("none"));
        QCOMPARE(hiddenEntries(), QStringList());
    }

    // What an interrupted replacement left, as found on the disk (also from
    // earlier versions of the program): the next read settles it.
    void leftoversAreSettledWhenRead_data()
    {
        QTest::addColumn<QString>("invoice"); // the pages each folder holds, "" when absent
        QTest::addColumn<QString>("old");
        QTest::addColumn<QString>("staging");
        QTest::addColumn<QString>("expected");
        // Where the file system has no locks, what is on the disk decides
        // the same; only a staging folder alone, which might be another
        // program's registration under way, stays until the next
        // registration of the date takes its place.
        QTest::addColumn<bool>("locks");
        for (const bool locks : {true, false}) {
            const auto row = [locks](const char *name) -> QTestData & {
                return QTest::addRow("%s%s", name, locks ? "" : ", no locks");
            };
            row("old moved aside, new discarded") << "" << "old" << "" << "old" << locks;
            row("old moved aside, new complete") << "" << "old" << "new" << "new" << locks;
            row("new in place, old not yet removed") << "new" << "old" << "" << "new" << locks;
            row("unfinished staging beside the invoice") << "old" << "" << "new" << "old" << locks;
            row("unfinished staging alone") << "" << "" << "new" << "none" << locks;
            row("deletion killed") << "" << "" << "" << "none" << locks;
        }
    }
    void leftoversAreSettledWhenRead()
    {
        QFETCH(QString, invoice);
        QFETCH(QString, old);
        QFETCH(QString, staging);
        QFETCH(QString, expected);
        QFETCH(bool, locks);
        if (!locks)
            withoutLocks();
        const QString customer = seikyusho::customerFolder(kID);
        const QString name = seikyusho::invoiceName(kID, kDate);
        const auto place = [&](const QString &folder, const QString &which) {
            if (which.isEmpty())
                return;
            QVERIFY(QDir().mkpath(customer + folder));
            report::writePageFiles(customer + folder + QLatin1Char('/') + name + QStringLiteral(".cnv"),
                                   which == QLatin1String("old") ? kOld : kNew);
        };
        place(name, invoice);
        place(QLatin1Char('.') + name + QStringLiteral(".old"), old);
        place(QLatin1Char('.') + name + QStringLiteral(".new"), staging);
        if (QByteArray(QTest::currentDataTag()).startsWith("deletion killed"))
            place(QLatin1Char('.') + name + QStringLiteral(".del"), QStringLiteral("old"));
        QCOMPARE(archivedInvoice(), expected);
        const bool stagingStays = !locks && old.isEmpty() && !staging.isEmpty();
        QCOMPARE(hiddenEntries(), stagingStays ? QStringList{QLatin1Char('.') + name + QStringLiteral(".new")}
                                               : QStringList());

        // A registration of that date now finds nothing in its way.
        registerInvoice();
        QCOMPARE(archivedInvoice(), QStringLiteral("new"));
        QCOMPARE(QDir(customer).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{name});
    }

    // The staging folder of a registration under way is no leftover: a
    // read meanwhile (the main window's list) leaves it alone.
    void stagingBeingWrittenIsKept()
    {
        const QDate other(2024, 2, 20);
        QVERIFY(QDir().mkpath(seikyusho::stagingFolder(kID, other)));
        seikyusho::prepareStaging(kID, kDate);
        QCOMPARE(seikyusho::invoiceDates(kID), QVector<QDate>());
        QVERIFY(!QFileInfo::exists(seikyusho::stagingFolder(kID, other)));
        QVERIFY(QFileInfo::exists(seikyusho::stagingFolder(kID, kDate)));
        QVERIFY(!seikyusho::invoiceExists(kID, kDate));
        report::writePageFiles(seikyusho::stagingBasePath(kID, kDate), kNew);
        seikyusho::commitStaging(kID, kDate);
        QCOMPARE(archivedInvoice(), QStringLiteral("new"));

        seikyusho::prepareStaging(kID, kDate);
        QCOMPARE(seikyusho::invoiceDates(kID), QVector<QDate>{kDate});
        seikyusho::discardStaging(kID, kDate);
        QCOMPARE(hiddenEntries(), QStringList());
        QCOMPARE(archivedInvoice(), QStringLiteral("new"));
    }

    // The same for a registration in another copy of the program: its
    // staging stays while that program runs and goes once it was killed.
    void stagingOfAnotherProgramIsKeptWhileItRuns()
    {
        int ready[2], finish[2];
        QCOMPARE(::pipe(ready), 0);
        QCOMPARE(::pipe(finish), 0);
        const pid_t child = ::fork();
        if (child == 0) {
            char c = 0;
            try {
                seikyusho::prepareStaging(kID, kDate);
                c = 1;
            } catch (...) {
            }
            if (::write(ready[1], &c, 1) != 1 || ::read(finish[0], &c, 1) < 0)
                ::_exit(1);
            ::_exit(9);
        }
        char c = 0;
        QCOMPARE(::read(ready[0], &c, 1), ssize_t(1));
        QCOMPARE(c, char(1));
        QCOMPARE(seikyusho::invoiceDates(kID), QVector<QDate>());
        QVERIFY(!seikyusho::invoiceExists(kID, kDate));
        QVERIFY(QFileInfo::exists(seikyusho::stagingFolder(kID, kDate)));
        QVERIFY_THROWS_EXCEPTION(seikyusho::ArchiveError, seikyusho::prepareStaging(kID, kDate));
        QCOMPARE(::write(finish[1], &c, 1), ssize_t(1));
        int status = 0;
        QCOMPARE(::waitpid(child, &status, 0), child);
        for (const int fd : {ready[0], ready[1], finish[0], finish[1]})
            ::close(fd);
        QCOMPARE(seikyusho::invoiceDates(kID), QVector<QDate>());
        QCOMPARE(hiddenEntries(), QStringList());
    }

    // The staging folder carries its name only once it is held: a second
    // copy of the program listing the archive meanwhile never takes a new
    // one for a leftover and removes it under the registration.
    void stagingIsHeldFromItsCreation()
    {
        int stop[2];
        QCOMPARE(::pipe(stop), 0);
        const auto list = [] {
            seikyusho::invoiceDates(kID);
            seikyusho::invoiceExists(kID, kDate);
            return true;
        };
        const pid_t readers[2] = {another(list, stop), another(list, stop)};
        QStringList refusals;
        for (int run = 0; run < 150; ++run) {
            try {
                registerInvoice();
            } catch (const seikyusho::ArchiveError &error) {
                refusals << error.message();
            }
        }
        ::close(stop[1]);
        for (const pid_t reader : readers)
            QVERIFY(endedWell(reader));
        ::close(stop[0]);
        QCOMPARE(refusals, QStringList());
        QCOMPARE(archivedInvoice(), QStringLiteral("new"));
        QCOMPARE(hiddenEntries(), QStringList());
    }

    // A second copy of the program showing an invoice while this one
    // registers it again and again shows all the pages of one registration
    // every time, or says that it is being written; without locks too,
    // where a reader may finish a swap itself.
    void readersSeeWholeInvoicesWhileItIsReplaced_data()
    {
        QTest::addColumn<bool>("locks");
        QTest::newRow("locks") << true;
        QTest::newRow("no locks") << false;
    }
    void readersSeeWholeInvoicesWhileItIsReplaced()
    {
        QFETCH(bool, locks);
        if (!locks)
            withoutLocks();
        const QVector<report::Page> sets[2] = {invoicePages(QStringLiteral("A "), 6),
                                                invoicePages(QStringLiteral("B "), 6)};
        registerInvoice(sets[0]);
        int stop[2];
        QCOMPARE(::pipe(stop), 0);
        int run = 0;
        const pid_t writer = another(
            [&] {
                registerInvoice(sets[++run % 2]);
                return true;
            },
            stop, 60);
        int reads = 0, busy = 0;
        QStringList partial;
        int status = 0;
        while (::waitpid(writer, &status, WNOHANG) == 0) {
            ++reads;
            try {
                const QStringList texts = textsOf(seikyusho::loadPages(kID, kDate));
                if (texts != textsOf(sets[0]) && texts != textsOf(sets[1]))
                    partial << texts.join(QLatin1Char(','));
            } catch (const seikyusho::ArchiveError &) {
                ++busy;
            } catch (const report::PageFileError &error) {
                partial << error.message();
            }
        }
        for (const int fd : stop)
            ::close(fd);
        QVERIFY2(partial.isEmpty(), qPrintable(QStringLiteral("%1 of %2 reads: ").arg(partial.size()).arg(reads)
                                               + partial.mid(0, 3).join(QStringLiteral(" | "))));
        QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        QVERIFY(busy < reads / 2);
        QVERIFY(reads > 100);
    }

private:
    QTemporaryDir m_root;
};

QTEST_GUILESS_MAIN(tst_SeikyushoArchive)
#include "tst_seikyushoarchive.moc"
