#pragma once

#include <QHash>
#include <QImage>
#include <QString>
#include <functional>

#include "window_layout/control_row.h"

class QWidget;

namespace controls {

/// Builds a window's controls from its control table, in the table's order, and finds them again by name. Pictures,
/// labels and panels are built here; a window makes the controls of its own kinds in makeOwn, which returns null
/// for the rows it leaves to the builder. Every control gets its row's place, visibility and cursor and carries its
/// name as object name.
class ControlBuilder
{
public:
    using Maker = std::function<QWidget*(const window_layout::ControlRow& row, QWidget* parent)>;

    /// artworkFolder: the resource folder of the window's pictures, e.g. ":/artwork/catalogue".
    ControlBuilder(QWidget* window, QString artworkFolder);

    void build(const std::vector<window_layout::ControlRow>& table, const Maker& makeOwn = {});

    /// Children whose row names parent are created in container (a scrolling view's content) instead.
    void placeChildrenIn(const QString& parent, QWidget* container);

    /// The control of the given name, as the type the window declares it with; a missing control or one of another
    /// type is a fault of the program and ends it.
    template <typename T> T* get(const QString& name) const
    {
        T* control = qobject_cast<T*>(m_controls.value(name));
        if (!control)
            missing(name);
        return control;
    }

private:
    [[noreturn]] static void missing(const QString& name);

    QWidget* m_window;
    QString m_artworkFolder;
    QHash<QString, QWidget*> m_controls;
    QHash<QString, QWidget*> m_containers;
};

/// A window's picture from the resources; a plain picture of the given size and colour stands in when it is missing
/// and standIn is valid, a null picture otherwise.
QImage artwork(const QString& folder, const QString& name, QSize size, QColor standIn);

} // namespace controls
