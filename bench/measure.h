#pragma once

#include <QString>
#include <QStringList>
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
/// Prints one figure as "NAME VALUE UNIT".
void emitFigure(const QString& name, double value, const QString& unit, int decimals = 3);

} // namespace bench
