#include "measure.h"

#include <QProcess>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace bench {

double now()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

double runProcess(const QStringList& argv)
{
    std::vector<QByteArray> storage;
    for (const QString& arg : argv)
        storage.push_back(arg.toLocal8Bit());
    std::vector<char*> args;
    for (QByteArray& arg : storage)
        args.push_back(arg.data());
    args.push_back(nullptr);
    const double start = now();
    const pid_t pid = fork();
    if (pid == 0) {
        const int devNull = open("/dev/null", O_WRONLY);
        dup2(devNull, 1);
        execvp(args[0], args.data());
        _exit(127);
    }
    if (pid < 0)
        return -1;
    int status = 0;
    waitpid(pid, &status, 0);
    const double elapsed = now() - start;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? elapsed : -1;
}

QString runProcessOutput(const QStringList& argv)
{
    QProcess process;
    process.start(argv.front(), argv.mid(1));
    process.waitForFinished(-1);
    return QString::fromLocal8Bit(process.readAllStandardOutput());
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

void emitFigure(const QString& name, double value, const QString& unit, int decimals)
{
    std::printf("%s %.*f %s\n", qPrintable(name), decimals, value, qPrintable(unit));
    std::fflush(stdout);
}

} // namespace bench
