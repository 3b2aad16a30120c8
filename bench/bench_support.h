#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEvent>
#include <QObject>
#include <QString>
#include <QStringList>
#include <vector>

namespace benchsupport {

// A benchmark of our code and its raw baseline doing the same work, by
// name, with its arguments when it has any ("BM_Case/1000").
struct Pair {
    const char *ours;
    const char *raw;
};

// Runs the registered benchmarks as Google Benchmark does, by default with
// random interleaving and five repetitions (the command line may say
// otherwise), and ends with one line per pair: the our/raw ratio of the
// median times, and the range of the ratios of each repetition's pair.
int run(int argc, char **argv, const std::vector<Pair> &pairs);

// A copy of the file in a temporary folder that lives as long as the
// program: benchmarks that write never touch the shared database.
QString scratchCopy(const QString &path);

// The peak resident memory of this process so far, in bytes (VmHWM).
qint64 peakResidentBytes();
// A memory figure of this process from /proc/self/status ("VmRSS:",
// "VmHWM:", ...), in bytes; 0 when it cannot be read.
qint64 statusBytes(const char *key);

// Starts the command (the program's path first) with its standard output on
// a pipe, in `folder` when given, with `extraEnvironment` ("NAME=value")
// replacing the inherited variables of those names. Gives the child's pid and
// sets *output to the pipe's reading end; -1 when it could not start.
int spawnChild(const QStringList &command, const QStringList &extraEnvironment, const QString &folder, int *output);

// Runs the command (the program's path first) to its end and gives what it
// wrote to its standard output.
QByteArray runChild(const QStringList &command);

// Counts the paints a widget receives: a benchmark that waits for what the
// user sees installs it on the widget and waits for a paint.
class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
    // Runs events until a paint has come or five seconds have passed.
    void waitForPaint()
    {
        QDeadlineTimer deadline(5000);
        while (paints == 0 && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
};

} // namespace benchsupport
