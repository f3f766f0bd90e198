#pragma once

#include <QKeySequence>
#include <QString>
#include <QStringList>

#include "controls/string_grid.h"

namespace controlstests {

/// Records the grid's events in the order they come, each with Row and TopRow as they were at that moment.
struct GridRecorder
{
    QStringList events;

    void attach(controls::StringGrid& grid)
    {
        QObject::connect(&grid, &controls::StringGrid::clicked, [this, &grid] {
            events << QStringLiteral("click r%1 t%2").arg(grid.row()).arg(grid.topRow());
        });
        QObject::connect(&grid, &controls::StringGrid::topLeftChanged, [this, &grid] {
            events << QStringLiteral("topleft r%1 t%2").arg(grid.row()).arg(grid.topRow());
        });
        QObject::connect(&grid, &controls::StringGrid::keyPressed, [this, &grid](int key) {
            events << QStringLiteral("key(%1) r%2 t%3")
                          .arg(QKeySequence(key).toString())
                          .arg(grid.row())
                          .arg(grid.topRow());
        });
    }
};

} // namespace controlstests
