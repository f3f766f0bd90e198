#include "measure.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

namespace bench {

double now()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

namespace {

// Children are started with posix_spawn, never fork: a fork marks every page of this process copy-on-write, and
// the next write to each one faults again, so a picture buffer kept for reuse would be measured as fresh memory.
pid_t spawn(const QStringList& argv, int outputFd)
{
    std::vector<QByteArray> storage;
    for (const QString& arg : argv)
        storage.push_back(arg.toLocal8Bit());
    std::vector<char*> args;
    for (QByteArray& arg : storage)
        args.push_back(arg.data());
    args.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (outputFd >= 0)
        posix_spawn_file_actions_adddup2(&actions, outputFd, 1);
    else
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    const int failed = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return failed ? -1 : pid;
}

bool waitSucceeded(pid_t pid)
{
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace

double runProcess(const QStringList& argv)
{
    const double start = now();
    const pid_t pid = spawn(argv, -1);
    if (pid < 0)
        return -1;
    const bool ok = waitSucceeded(pid);
    const double elapsed = now() - start;
    return ok ? elapsed : -1;
}

QString runProcessOutput(const QStringList& argv)
{
    int fds[2];
    if (pipe(fds) != 0)
        return {};
    const pid_t pid = spawn(argv, fds[1]);
    close(fds[1]);
    QByteArray output;
    char buffer[4096];
    for (ssize_t n; (n = read(fds[0], buffer, sizeof buffer)) > 0;)
        output.append(buffer, n);
    close(fds[0]);
    if (pid >= 0)
        waitSucceeded(pid);
    return QString::fromLocal8Bit(output);
}

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double worst(const std::vector<double>& values)
{
    return values.empty() ? 0 : *std::max_element(values.begin(), values.end());
}

bool anyFailed(std::initializer_list<const std::vector<double>*> series, const QString& what)
{
    for (const std::vector<double>* times : series) {
        if (std::any_of(times->begin(), times->end(), [](double v) { return v <= 0; })) {
            std::fprintf(stderr, "%s failed\n", qPrintable(what));
            return true;
        }
    }
    return false;
}

void emitFigure(const QString& name, double value, const QString& unit, int decimals)
{
    std::printf("%s %.*f %s\n", qPrintable(name), decimals, value, qPrintable(unit));
    std::fflush(stdout);
}

} // namespace bench
