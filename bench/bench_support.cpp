#include "bench_support.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace benchsupport {
namespace {

// Seconds per iteration of each repetition, by benchmark name.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    RatioReporter(std::vector<Pair> pairs, OutputOptions options)
        : ConsoleReporter(options), m_pairs(std::move(pairs))
    {
    }

    void ReportRuns(const std::vector<Run> &reports) override
    {
        ConsoleReporter::ReportRuns(reports);
        for (const Run &r : reports) {
            if (r.run_type != Run::RT_Iteration || r.error_occurred || r.iterations == 0)
                continue;
            // A case with arguments is named with them: "BM_Case/1000".
            const std::string name = r.run_name.args.empty() ? r.run_name.function_name
                                                             : r.run_name.function_name + "/" + r.run_name.args;
            m_times[name].push_back(r.real_accumulated_time / double(r.iterations));
        }
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        std::ostream &out = GetOutputStream();
        for (const Pair &p : m_pairs) {
            const auto ours = m_times.find(p.ours);
            const auto raw = m_times.find(p.raw);
            if (ours == m_times.end() || raw == m_times.end())
                continue;
            const double mid = median(ours->second) / median(raw->second);
            // The n-th repetitions of both ran close together in time.
            double low = 1e300, high = 0;
            const size_t n = std::min(ours->second.size(), raw->second.size());
            for (size_t i = 0; i < n; ++i) {
                const double r = ours->second[i] / raw->second[i];
                low = std::min(low, r);
                high = std::max(high, r);
            }
            char line[512];
            std::snprintf(line, sizeof line, "ratio %s / %s: %.2f (median of %zu and %zu runs; per repetition %.2f-%.2f)\n",
                          p.ours, p.raw, mid, ours->second.size(), raw->second.size(), low, high);
            out << line;
        }
        out.flush();
    }

private:
    static double median(std::vector<double> v)
    {
        std::sort(v.begin(), v.end());
        const size_t n = v.size();
        return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
    }

    std::vector<Pair> m_pairs;
    std::map<std::string, std::vector<double>> m_times;
};

bool given(int argc, char **argv, const char *flag)
{
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], flag, std::strlen(flag)) == 0)
            return true;
    return false;
}

} // namespace

int run(int argc, char **argv, const std::vector<Pair> &pairs)
{
    std::vector<char *> args(argv, argv + argc);
    static char interleave[] = "--benchmark_enable_random_interleaving=true";
    static char repetitions[] = "--benchmark_repetitions=5";
    if (!given(argc, argv, "--benchmark_enable_random_interleaving"))
        args.insert(args.begin() + 1, interleave);
    if (!given(argc, argv, "--benchmark_repetitions"))
        args.insert(args.begin() + 1, repetitions);
    int count = int(args.size());
    args.push_back(nullptr);
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data()))
        return 1;
    // Colours only on a terminal, and never when asked not to.
    const bool colour = isatty(STDOUT_FILENO) && !given(argc, argv, "--benchmark_color=false");
    RatioReporter reporter(pairs, colour ? benchmark::ConsoleReporter::OO_ColorTabular
                                         : benchmark::ConsoleReporter::OO_Tabular);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}

QString scratchCopy(const QString &path)
{
    static QTemporaryDir dir;
    const QString copy = dir.filePath(QFileInfo(path).fileName());
    if (!QFileInfo::exists(copy) && !QFile::copy(path, copy))
        throw std::runtime_error("cannot copy the benchmark database");
    return copy;
}

qint64 statusBytes(const char *key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(qsizetype(std::strlen(key))).trimmed().split(' ').value(0).toLongLong() * 1024;
    }
    return 0;
}

qint64 peakResidentBytes()
{
    return statusBytes("VmHWM:");
}

int spawnChild(const QStringList &command, const QStringList &extraEnvironment, const QString &folder, int *output)
{
    int out[2];
    if (pipe(out) != 0)
        return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    const QByteArray folderName = QFile::encodeName(folder);
    if (!folder.isEmpty())
        posix_spawn_file_actions_addchdir_np(&actions, folderName.constData());
    std::vector<QByteArray> storage;
    for (const QString &a : command)
        storage.push_back(a.toLocal8Bit());
    std::vector<char *> argv;
    for (QByteArray &a : storage)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    // A variable given replaces the inherited one of its name: with both in
    // the block the child would read the first, the inherited one.
    std::vector<QByteArray> envStorage;
    for (char **e = environ; *e; ++e) {
        const QByteArray entry(*e);
        const QByteArray name = entry.left(entry.indexOf('=') + 1);
        const bool replaced = std::any_of(extraEnvironment.begin(), extraEnvironment.end(),
                                          [&](const QString &x) { return x.toLocal8Bit().startsWith(name); });
        if (!replaced)
            envStorage.push_back(entry);
    }
    for (const QString &e : extraEnvironment)
        envStorage.push_back(e.toLocal8Bit());
    std::vector<char *> envp;
    for (QByteArray &e : envStorage)
        envp.push_back(e.data());
    envp.push_back(nullptr);

    pid_t pid = 0;
    const int rc = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (rc != 0) {
        close(out[0]);
        return -1;
    }
    *output = out[0];
    return pid;
}

QByteArray runChild(const QStringList &command)
{
    int out = -1;
    const pid_t pid = spawnChild(command, {}, QString(), &out);
    if (pid < 0)
        return {};
    QByteArray seen;
    char buffer[4096];
    ssize_t n;
    while ((n = read(out, buffer, sizeof buffer)) > 0)
        seen.append(buffer, n);
    int status = 0;
    waitpid(pid, &status, 0);
    close(out);
    return seen;
}

} // namespace benchsupport
