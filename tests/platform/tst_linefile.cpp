#include "platform/text/Cp932.h"
#include "platform/text/FileFailure.h"
#include "platform/text/LineFile.h"

#include "FullFileSystem.h"

#include <QFile>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

void touch(const QString &path)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("left");
}

// Runs `save` in a child process that is killed (ends at once) before the
// writer's step `step`; true when it was. Without `locks` the child's
// file system has none.
bool killedBefore(text::FileStep step, const std::function<void()> &save, bool locks = true)
{
    const pid_t child = ::fork();
    if (child == 0) {
        text::setFaultHook([step, locks](text::FileStep now, const QString &) {
            if (now == step)
                ::_exit(9);
            return now == text::FileStep::Lock && !locks ? ENOLCK : 0;
        });
        try {
            save();
        } catch (...) {
        }
        ::_exit(0);
    }
    int status = 0;
    return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 9;
}

// The hidden names in the folder: the temporary files the writer left.
QStringList hidden(const QString &folder)
{
    return QDir(folder).entryList(QStringList{QStringLiteral(".*")},
                                  QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

void makeOld(const QString &path, int days)
{
    const timeval old{::time(nullptr) - days * 24 * 60 * 60, 0};
    const timeval times[2] = {old, old};
    QCOMPARE(::utimes(QFile::encodeName(path).constData(), times), 0);
}

// Makes the writer's locks fail as on a file system that has none.
void withoutLocks()
{
    text::setFaultHook([](text::FileStep step, const QString &) { return step == text::FileStep::Lock ? ENOLCK : 0; });
}

} // namespace

class tst_LineFile : public QObject {
    Q_OBJECT

private slots:
    void roundTripsJapaneseWithCrLf()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("a.txt"));
        const QStringList lines{QStringLiteral("WINDOW POSITIONS,FRMMAINFORM,顧客～①"), QStringLiteral("")};
        text::writeLines(path, lines);
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray raw = f.readAll();
        QVERIFY(raw.endsWith("\r\n\r\n"));
        QVERIFY(raw.contains("\x8c\xda\x8b\x71")); // 顧客 in CP932
        QCOMPARE(*text::readLines(path), lines);
    }

    void readsMissingLastLineEnd()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("b.txt"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("A,B,C\r\nD,E,F");
        f.close();
        QCOMPARE(*text::readLines(path), (QStringList{QStringLiteral("A,B,C"), QStringLiteral("D,E,F")}));
        QVERIFY(!text::readLines(dir.filePath(QStringLiteral("none.txt"))));
    }

    // Only a plain file is read: a folder or a pipe in a file's place reads
    // as no file, at once (a pipe without a writer must not hang the reader).
    void onlyPlainFilesAreRead()
    {
        QTemporaryDir dir;
        QVERIFY(!text::readBytes(dir.path()));
        const QString pipe = dir.filePath(QStringLiteral("pipe.txt"));
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0644), 0);
        const pid_t child = ::fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            ::alarm(5);
            ::_exit(text::readBytes(pipe) || text::readLines(pipe) ? 1 : 0);
        }
        int status = 0;
        QCOMPARE(::waitpid(child, &status, 0), child);
        QVERIFY2(WIFEXITED(status), "the reader waited for a writer");
        QCOMPARE(WEXITSTATUS(status), 0);
    }

    void refusesUnconvertibleAndKeepsOldFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("c.txt"));
        text::writeLines(path, {QStringLiteral("old")});
        QVERIFY(!text::fitsCp932(QStringLiteral("😀")));
        QVERIFY_THROWS_EXCEPTION(text::TextFileError,
                                 text::writeLines(path, {QStringLiteral("new 😀")}));
        QCOMPARE(*text::readLines(path), QStringList{QStringLiteral("old")});
    }

    // A NUL is in no text the program writes: a file holding one is not
    // taken, and no line holding one is written.
    void nulIsRefusedInFiles()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("d.txt"));
        text::writeLines(path, {QStringLiteral("old")});
        QVERIFY_THROWS_EXCEPTION(text::TextFileError,
                                 text::writeLines(path, {QStringLiteral("a") + QChar(0) + QStringLiteral("b")}));
        QCOMPARE(*text::readLines(path), QStringList{QStringLiteral("old")});

        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray("\"P1\"\r\n\"P\0x\"\r\n", 13));
        f.close();
        QVERIFY(!text::readLines(path));
        QVERIFY(!text::readText(path));
    }

    // On a full disk every write fails and says so, whatever its size (a
    // small one used to sit in a buffer until a commit that renamed an
    // empty file over the old one), and the old file stays whole.
    void fullDiskKeepsOldFileAndReports_data()
    {
        QTest::addColumn<int>("size");
        QTest::newRow("small") << 910;
        QTest::newRow("one buffer") << 16384;
        QTest::newRow("large") << 200000;
    }
    void fullDiskKeepsOldFileAndReports()
    {
        QFETCH(int, size);
        testsupport::FullFileSystem fs;
        QVX_NEED_FULL_FS(fs);
        const QString path = fs.filePath(QStringLiteral("QUORVEX5SIZE.txt"));
        const QByteArray old = QByteArray("WINDOW POSITIONS,FRMMAINFORM,120\r\n").repeated(30);
        text::writeBytes(path, old);
        QVERIFY(fs.fill());
        QVERIFY_THROWS_EXCEPTION(text::TextFileError, text::writeBytes(path, QByteArray(size, 'x')));
        QCOMPARE(fs.contents(path), old);
        QCOMPARE(fs.entries(), QStringList{QStringLiteral("QUORVEX5SIZE.txt")});

        fs.release();
        text::writeBytes(path, QByteArray(size, 'y'));
        QCOMPARE(fs.contents(path), QByteArray(size, 'y'));
        QCOMPARE(fs.entries(), QStringList{QStringLiteral("QUORVEX5SIZE.txt")});
    }

    // A file made piece by piece replaces the old one only once whole: a
    // producer that fails part-way, or a disk that fills part-way, leaves
    // the old file and no temporary file, and the producer's own failure
    // reaches the caller as it was.
    void streamedFileReplacesOnlyWhenWhole_data()
    {
        QTest::addColumn<bool>("producerFails");
        QTest::addColumn<bool>("diskFull");
        QTest::newRow("written whole") << false << false;
        QTest::newRow("producer fails part-way") << true << false;
        QTest::newRow("disk full part-way") << false << true;
    }
    void streamedFileReplacesOnlyWhenWhole()
    {
        QFETCH(bool, producerFails);
        QFETCH(bool, diskFull);
        testsupport::FullFileSystem fs;
        QVX_NEED_FULL_FS(fs);
        const QString path = fs.filePath(QStringLiteral("list.csv"));
        const QByteArray old("old\r\n");
        text::writeBytes(path, old);
        if (diskFull)
            QVERIFY(fs.fill(64 * 1024));
        struct ReadFailed {};
        const QByteArray piece(48 * 1024, 'x');
        int written = 0;
        const auto produce = [&](const text::PieceWriter &write) {
            for (int i = 0; i < 4; ++i) {
                if (producerFails && i == 2)
                    throw ReadFailed();
                write(piece + QByteArray::number(i));
                ++written;
            }
        };
        if (producerFails) {
            QVERIFY_THROWS_EXCEPTION(ReadFailed, text::writeStreamed(path, produce));
        } else if (diskFull) {
            QVERIFY_THROWS_EXCEPTION(text::TextFileError, text::writeStreamed(path, produce));
            QVERIFY(written > 0);
        } else {
            text::writeStreamed(path, produce);
            QCOMPARE(fs.contents(path), piece + "0" + piece + "1" + piece + "2" + piece + "3");
            QCOMPARE(fs.entries(), QStringList{QStringLiteral("list.csv")});
            return;
        }
        QCOMPARE(fs.contents(path), old);
        QCOMPARE(fs.entries(), QStringList{QStringLiteral("list.csv")});
    }

    // The new file takes the old one's permissions; a new file gets the
    // usual ones, not those of a private temporary file.
    void replacementKeepsPermissions()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("p.txt"));
        text::writeBytes(path, "a");
        QVERIFY(QFileInfo(path).permissions().testFlag(QFileDevice::ReadOther));
        const auto mode = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup;
        QVERIFY(QFile::setPermissions(path, mode));
        text::writeBytes(path, "b");
        const auto ownerGroupOther = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup
                                     | QFileDevice::WriteGroup | QFileDevice::ReadOther | QFileDevice::WriteOther;
        QCOMPARE(QFileInfo(path).permissions() & ownerGroupOther, mode);
    }

    void missingFolderOrFolderInTheWayIsReported()
    {
        QTemporaryDir dir;
        QVERIFY_THROWS_EXCEPTION(text::TextFileError,
                                 text::writeBytes(dir.filePath(QStringLiteral("none/a.txt")), "a"));
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("d")));
        QVERIFY_THROWS_EXCEPTION(text::TextFileError, text::writeBytes(dir.filePath(QStringLiteral("d")), "a"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{QStringLiteral("d")});
    }

    // A failed write says why in Japanese, whatever the C library's locale,
    // from the real failing call where one can be made here.
    void failureSaysWhy_data()
    {
        QTest::addColumn<QString>("cause");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing folder") << "missing folder" << "保存先のフォルダーがありません。";
        QTest::newRow("file in the folder's place") << "file as folder" << "保存先のフォルダーがありません。";
        QTest::newRow("no permission") << "no permission" << "保存先に書き込む権限がありません。";
        QTest::newRow("read-only") << "read-only" << "保存先は読み取り専用です。";
        QTest::newRow("disk full") << "disk full" << "ディスクの空き容量が足りません。";
        QTest::newRow("I/O error") << "I/O error" << "ディスクの読み書きでエラーが発生しました。";
        QTest::newRow("anything else") << "too many files" << "ファイルシステムでエラーが発生しました(エラー番号 24)。";
    }
    void failureSaysWhy()
    {
        QFETCH(QString, cause);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        testsupport::FullFileSystem fs;
        QString path = dir.filePath(QStringLiteral("a.txt"));
        const auto message = [&] {
            try {
                text::writeBytes(path, "new");
            } catch (const text::TextFileError &e) {
                return e.message();
            }
            return QString();
        };
        if (cause == QLatin1String("missing folder")) {
            path = dir.filePath(QStringLiteral("none/a.txt"));
        } else if (cause == QLatin1String("file as folder")) {
            touch(dir.filePath(QStringLiteral("f")));
            path = dir.filePath(QStringLiteral("f/a.txt"));
        } else if (cause == QLatin1String("no permission")) {
            QVERIFY(QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
            if (::geteuid() == 0) {
                // Root writes anywhere; the write is tried as nobody.
                const pid_t child = ::fork();
                if (child == 0)
                    ::_exit(::setuid(65534) == 0 && message().endsWith(reason) ? 0 : 1);
                int status = 0;
                QVERIFY(child > 0 && ::waitpid(child, &status, 0) == child);
                QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
                return;
            }
        } else if (cause == QLatin1String("read-only") || cause == QLatin1String("disk full")) {
            QVX_NEED_FULL_FS(fs);
            path = fs.filePath(QStringLiteral("a.txt"));
            if (cause == QLatin1String("disk full"))
                QVERIFY(fs.fill());
            else
                QCOMPARE(::mount(nullptr, QFile::encodeName(fs.path()).constData(), nullptr, MS_REMOUNT | MS_RDONLY,
                                 nullptr),
                         0);
        } else {
            const int error = cause == QLatin1String("I/O error") ? EIO : EMFILE;
            text::setFaultHook([error](text::FileStep step, const QString &) {
                return step == text::FileStep::SyncFile ? error : 0;
            });
        }
        const QString shown = message();
        text::setFaultHook({});
        QCOMPARE(shown, QStringLiteral("ファイル(%1)に書き込めません。").arg(path) + reason);
    }

    // A rename never replaces what holds the new name, and a refused one
    // leaves both names as they were.
    void moveWithoutReplacing_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<int>("result");
        QTest::addColumn<QStringList>("after");
        using text::MoveResult;
        QTest::newRow("file") << "a.txt" << "n.txt" << int(MoveResult::Moved)
                              << QStringList{"b.txt", "d", "n.txt"};
        QTest::newRow("folder") << "d" << "e" << int(MoveResult::Moved) << QStringList{"a.txt", "b.txt", "e"};
        QTest::newRow("file onto file") << "a.txt" << "b.txt" << int(MoveResult::Exists)
                                        << QStringList{"a.txt", "b.txt", "d"};
        QTest::newRow("folder onto file") << "d" << "b.txt" << int(MoveResult::Exists)
                                          << QStringList{"a.txt", "b.txt", "d"};
        QTest::newRow("missing source") << "x.txt" << "n.txt" << int(MoveResult::Failed)
                                        << QStringList{"a.txt", "b.txt", "d"};
    }
    void moveWithoutReplacing()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(int, result);
        QFETCH(QStringList, after);
        QTemporaryDir dir;
        text::writeBytes(dir.filePath(QStringLiteral("a.txt")), "a");
        text::writeBytes(dir.filePath(QStringLiteral("b.txt")), "b");
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("d")));
        QCOMPARE(int(text::moveWithoutReplacing(dir.filePath(from), dir.filePath(to))), result);
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name),
                 after);
        QCOMPARE(text::readBytes(dir.filePath(QStringLiteral("b.txt"))).value_or("gone"), QByteArray("b"));
    }
    // A failed folder sync after the rename is reported like any other
    // failed step; only a file system that cannot sync a folder at all is
    // no failure. The new file is in place either way.
    void folderSyncFailureIsReported_data()
    {
        QTest::addColumn<int>("error");
        QTest::addColumn<bool>("reported");
        QTest::newRow("I/O error") << EIO << true;
        QTest::newRow("no space") << ENOSPC << true;
        QTest::newRow("quota") << EDQUOT << true;
        QTest::newRow("cannot sync folders") << EINVAL << false;
        QTest::newRow("cannot sync, read-only") << EROFS << false;
        QTest::newRow("not supported") << ENOTSUP << false;
    }
    void folderSyncFailureIsReported()
    {
        QFETCH(int, error);
        QFETCH(bool, reported);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("a.txt"));
        text::writeBytes(path, "old");
        text::setFaultHook([error](text::FileStep step, const QString &) {
            return step == text::FileStep::SyncFolder ? error : 0;
        });
        bool threw = false;
        try {
            text::writeBytes(path, "new");
        } catch (const text::TextFileError &e) {
            threw = true;
            QVERIFY(e.message().endsWith(text::failureReason(error)));
        }
        QCOMPARE(threw, reported);
        QCOMPARE(*text::readBytes(path), QByteArray("new"));

        threw = false;
        try {
            text::syncFolder(dir.path());
        } catch (const text::TextFileError &) {
            threw = true;
        }
        QCOMPARE(threw, reported);

        const auto moved = text::moveWithoutReplacing(path, dir.filePath(QStringLiteral("b.txt")));
        text::setFaultHook({});
        QCOMPARE(int(moved), int(reported ? text::MoveResult::Failed : text::MoveResult::Moved));
        QCOMPARE(entries(dir.path()), QStringList{QStringLiteral("b.txt")});
    }

    // A save killed before its rename leaves its hidden temporary file; the
    // next save of the same file removes it, and no file that the program
    // did not make or that a writer holds.
    void killedSaveLeavesNothingForGood()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("export.csv"));
        text::writeBytes(path, "old");
        QVERIFY(killedBefore(text::FileStep::Rename, [&] { text::writeBytes(path, "killed"); }));
        QCOMPARE(entries(dir.path()).size(), 2);
        QVERIFY(killedBefore(text::FileStep::SyncFile, [&] { text::writeBytes(path, "killed"); }));
        QCOMPARE(entries(dir.path()).size(), 2);
        QCOMPARE(*text::readBytes(path), QByteArray("old"));

        const QStringList others{QStringLiteral(".export.csv.K3.tmp"), QStringLiteral(".export.csv.12345678.tmp"),
                                 QStringLiteral(".export.csv.k3.tmp.x"), QStringLiteral("export.csv.k3.tmp"),
                                 QStringLiteral(".export.csv..tmp"), QStringLiteral(".other.csv.k3.tmp"),
                                 QStringLiteral(".x.export.csv.k3.tmp")};
        for (const QString &name : others)
            touch(dir.filePath(name));
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral(".export.csv.d1r.tmp")));
        // One as another writer holds it while writing.
        const QString held = dir.filePath(QStringLiteral(".export.csv.5ab.tmp"));
        touch(held);
        const int fd = ::open(QFile::encodeName(held).constData(), O_RDONLY | O_CLOEXEC);
        QVERIFY(fd >= 0);
        QCOMPARE(::flock(fd, LOCK_EX), 0);

        text::writeBytes(path, "new");
        ::close(fd);
        QStringList expected = others;
        expected << QStringLiteral(".export.csv.d1r.tmp") << QStringLiteral(".export.csv.5ab.tmp")
                 << QStringLiteral("export.csv");
        expected.sort();
        QCOMPARE(entries(dir.path()), expected);
        QCOMPARE(*text::readBytes(path), QByteArray("new"));
    }

    // Every save of an export suggests a new name, so the temporary file of
    // a killed save must go when anything is next saved in that folder, not
    // only when the same file is. Where there are no locks, the writer
    // cannot tell a killed save from a running one and waits a day.
    void killedSavesOfOtherFilesGoWithTheNextSaveThere_data()
    {
        QTest::addColumn<bool>("locks");
        QTest::newRow("locks") << true;
        QTest::newRow("no locks") << false;
    }
    void killedSavesOfOtherFilesGoWithTheNextSaveThere()
    {
        QFETCH(bool, locks);
        QTemporaryDir dir;
        if (!locks)
            withoutLocks();
        QVERIFY(killedBefore(text::FileStep::Rename,
                             [&] { text::writeBytes(dir.filePath(QStringLiteral("kill.csv")), QByteArray(100000, 'x')); },
                             locks));
        QCOMPARE(hidden(dir.path()).size(), 1);
        QVERIFY(killedBefore(text::FileStep::SyncFile, [&] {
            text::writeStreamed(dir.filePath(QStringLiteral("kill2.csv")), [](const text::PieceWriter &write) {
                write("a,b\r\n");
            });
        }, locks));
        QCOMPARE(hidden(dir.path()).size(), locks ? 1 : 2);

        text::writeBytes(dir.filePath(QStringLiteral("next.csv")), "next");
        if (!locks) {
            QCOMPARE(hidden(dir.path()).size(), 2);
            // Not a day old yet: kept.
            for (const QString &name : hidden(dir.path()))
                makeOld(dir.filePath(name), 2);
            text::writeBytes(dir.filePath(QStringLiteral("next.csv")), "again");
        }
        text::setFaultHook({});
        QCOMPARE(entries(dir.path()), QStringList{QStringLiteral("next.csv")});
    }

    // A file whose name takes all the bytes a name may have is written all
    // the same, and its killed save leaves nothing for good either.
    void longestNameIsWritten()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QString(85, QChar(0x9867))); // 255 bytes in UTF-8
        QCOMPARE(QFile::encodeName(QFileInfo(path).fileName()).size(), 255);
        QVERIFY(killedBefore(text::FileStep::Rename, [&] { text::writeBytes(path, "killed"); }));
        QCOMPARE(hidden(dir.path()).size(), 1);
        text::writeBytes(path, "saved");
        QCOMPARE(*text::readBytes(path), QByteArray("saved"));
        QCOMPARE(entries(dir.path()), QStringList{QFileInfo(path).fileName()});
    }

    // Files the program did not make stay, whatever their names and age:
    // names like a temporary file's, held by another program with fcntl or
    // OFD locks or held by nobody.
    void foreignFilesStay()
    {
        QTemporaryDir dir;
        const QStringList names{QStringLiteral(".export.csv.abc.tmp"), QStringLiteral(".export.csv.5ab.tmp"),
                                QStringLiteral(".export.csv.k3.tmp"), QStringLiteral(".settings.ini.1234567.tmp"),
                                QStringLiteral(".x.quorvex5-tmp"), QStringLiteral(".x.ab.quorvex5-tmp"),
                                QStringLiteral(".x.A-b.quorvex5-tmp"), QStringLiteral("x.1-2.quorvex5-tmp.bak")};
        for (const QString &name : names) {
            touch(dir.filePath(name));
            makeOld(dir.filePath(name), 365);
        }
        const int posix = ::open(QFile::encodeName(dir.filePath(names[1])).constData(), O_RDWR | O_CLOEXEC);
        const int ofd = ::open(QFile::encodeName(dir.filePath(names[2])).constData(), O_RDWR | O_CLOEXEC);
        struct flock lock {};
        lock.l_type = F_WRLCK;
        lock.l_whence = SEEK_SET;
        QCOMPARE(::fcntl(posix, F_SETLK, &lock), 0);
        QCOMPARE(::fcntl(ofd, F_OFD_SETLK, &lock), 0);

        text::writeBytes(dir.filePath(QStringLiteral("export.csv")), "new");
        text::writeBytes(dir.filePath(QStringLiteral("settings.ini")), "new");
        ::close(posix);
        ::close(ofd);
        QStringList expected = names;
        expected << QStringLiteral("export.csv") << QStringLiteral("settings.ini");
        expected.sort();
        QCOMPARE(entries(dir.path()), expected);
    }

    // A save in another copy of the program, under way while this one
    // saves into the same folder, keeps its temporary file and ends whole.
    void saveOfAnotherProgramIsLeftAlone()
    {
        QTemporaryDir dir;
        const QString theirs = dir.filePath(QStringLiteral("theirs.csv"));
        int ready[2], go[2];
        QCOMPARE(::pipe(ready), 0);
        QCOMPARE(::pipe(go), 0);
        const pid_t child = ::fork();
        if (child == 0) {
            text::setFaultHook([&](text::FileStep step, const QString &) {
                char c = 1;
                if (step == text::FileStep::SyncFile && (::write(ready[1], &c, 1) != 1 || ::read(go[0], &c, 1) != 1))
                    ::_exit(1);
                return 0;
            });
            try {
                text::writeBytes(theirs, "theirs");
            } catch (...) {
                ::_exit(2);
            }
            ::_exit(0);
        }
        char c = 0;
        QCOMPARE(::read(ready[0], &c, 1), ssize_t(1));
        QCOMPARE(hidden(dir.path()).size(), 1);
        text::writeBytes(dir.filePath(QStringLiteral("ours.csv")), "ours");
        QCOMPARE(hidden(dir.path()).size(), 1);
        QCOMPARE(::write(go[1], &c, 1), ssize_t(1));
        int status = 0;
        QCOMPARE(::waitpid(child, &status, 0), child);
        for (const int fd : {ready[0], ready[1], go[0], go[1]})
            ::close(fd);
        QVERIFY(WIFEXITED(status));
        QCOMPARE(WEXITSTATUS(status), 0);
        QCOMPARE(*text::readBytes(theirs), QByteArray("theirs"));
        QCOMPARE(entries(dir.path()), (QStringList{QStringLiteral("ours.csv"), QStringLiteral("theirs.csv")}));
    }

    // A reader takes no more than its caller allows: a file longer than
    // that (a damaged one, a huge sparse one) reads as unreadable at once.
    void longFilesAreNotRead_data()
    {
        QTest::addColumn<qint64>("size");
        QTest::addColumn<qint64>("limit");
        QTest::addColumn<bool>("read");
        QTest::newRow("empty") << qint64(0) << qint64(0) << true;
        QTest::newRow("at the limit") << qint64(1000) << qint64(1000) << true;
        QTest::newRow("one byte over") << qint64(1001) << qint64(1000) << false;
        QTest::newRow("100 GB, sparse") << (qint64(100) << 30) << (qint64(1) << 20) << false;
    }
    void longFilesAreNotRead()
    {
        QFETCH(qint64, size);
        QFETCH(qint64, limit);
        QFETCH(bool, read);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("QUORVEX5SIZE.txt"));
        touch(path);
        QCOMPARE(::truncate(QFile::encodeName(path).constData(), off_t(size)), 0);
        errno = 0;
        const auto bytes = text::readBytes(path, limit);
        QCOMPARE(bool(bytes), read);
        if (read)
            QCOMPARE(bytes->size(), size);
        else
            QCOMPARE(errno, EFBIG);
        QCOMPARE(bool(text::readLines(path, limit)), read && size == 0);
        QCOMPARE(bool(text::readText(path, limit)), read && size == 0);
    }

    // A save of a file that starts while another save of the same file is
    // writing does not take the other's temporary file for a leftover.
    void saveDuringASaveOfTheSameFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("settings.ini"));
        bool inner = false;
        text::setFaultHook([&](text::FileStep step, const QString &) {
            if (step == text::FileStep::SyncFile && !inner) {
                inner = true;
                text::writeBytes(path, "inner");
            }
            return 0;
        });
        text::writeBytes(path, "outer");
        text::setFaultHook({});
        QVERIFY(inner);
        QCOMPARE(*text::readBytes(path), QByteArray("outer"));
        QCOMPARE(entries(dir.path()), QStringList{QStringLiteral("settings.ini")});
    }
};

QTEST_GUILESS_MAIN(tst_LineFile)
#include "tst_linefile.moc"
