#pragma once

#include <QString>
#include <QStringList>
#include <initializer_list>
#include <vector>

namespace bench {

/// Seconds on a monotonic clock.
double now();
/// Runs a program with its output thrown away and returns the wall time from start to exit; negative on failure.
double runProcess(const QStringList& argv);
/// Runs a program and returns its standard output.
QString runProcessOutput(const QStringList& argv);
double median(std::vector<double> values);
double worst(const std::vector<double>& values);
/// True, with a message naming what failed, when a time of any series is at most zero (a run that failed).
bool anyFailed(std::initializer_list<const std::vector<double>*> series, const QString& what);
/// Prints one figure as "NAME VALUE UNIT".
void emitFigure(const QString& name, double value, const QString& unit, int decimals = 3);

} // namespace bench
