#pragma once

#include <QFile>
#include <QtGlobal>
#ifdef Q_OS_WIN
#include <windows.h>

#include <psapi.h>
#endif

namespace testsupport {

/// The bytes of the process's memory that are present (resident; on Windows, its working set).
inline qint64 residentBytes()
{
#ifdef Q_OS_WIN
    PROCESS_MEMORY_COUNTERS counters{};
    return GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters) ? qint64(counters.WorkingSetSize) : 0;
#else
    QFile statm(QStringLiteral("/proc/self/statm"));
    return statm.open(QIODevice::ReadOnly) ? statm.readAll().split(' ').value(1).toLongLong() * 4096 : 0;
#endif
}

} // namespace testsupport
