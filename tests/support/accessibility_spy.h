#pragma once

// Records what the program announces to screen readers (Qt hands no update handler anything while no reader listens,
// as on the offscreen platform, so the spy observes the program's own announcements), and checks a window's tree.
#include <QAccessible>
#include <QPointer>
#include <QWidget>
#include <gtest/gtest.h>
#include <span>
#include <vector>

#include "controls/accessible_control.h"

namespace testsupport {

/// A control as a screen reader reads it: its role (NoRole: not in the tree) and the start of its name.
struct Reading
{
    const char* control;
    QAccessible::Role role;
    const char* name;
};

class AccessibilitySpy
{
public:
    AccessibilitySpy() { controls::setAnnouncementObserver(&record); }
    ~AccessibilitySpy() { controls::setAnnouncementObserver(nullptr), seen().clear(); }
    static void clear() { seen().clear(); }
    /// Whether object announced an event of type (with this value, or for this child item, when one is given) since
    /// the last clear.
    static bool heard(const QObject* object, QAccessible::Event type, const QVariant& value = {})
    {
        for (const auto& [o, t, v] : seen()) {
            if (o == object && t == type && (!value.isValid() || v == value))
                return true;
        }
        return false;
    }

private:
    static std::vector<std::tuple<QPointer<QObject>, QAccessible::Event, QVariant>>& seen()
    {
        static std::vector<std::tuple<QPointer<QObject>, QAccessible::Event, QVariant>> events;
        return events;
    }
    static void record(QAccessibleEvent* e)
    {
        QVariant value;
        if (e->type() == QAccessible::ValueChanged)
            value = static_cast<QAccessibleValueChangeEvent*>(e)->value();
        else if (e->child() >= 0)
            value = e->child();
        seen().emplace_back(e->object(), e->type(), value);
    }
};

inline bool reaches(QAccessibleInterface* root, const QObject* control)
{
    bool found = root && root->object() == control;
    for (int i = 0; root && !found && i < root->childCount(); ++i)
        found = reaches(root->child(i), control);
    return found;
}

/// Checks every reading of the table in window's accessible tree.
inline void expectTree(QWidget& window, std::span<const Reading> table)
{
    QAccessibleInterface* tree = QAccessible::queryAccessibleInterface(&window);
    EXPECT_EQ(tree->role(), QAccessible::Window);
    for (const Reading& r : table) {
        SCOPED_TRACE(r.control);
        QWidget* control = window.findChild<QWidget*>(QString::fromUtf8(r.control));
        ASSERT_TRUE(control);
        EXPECT_EQ(reaches(tree, control), r.role != QAccessible::NoRole);
        QAccessibleInterface* read = QAccessible::queryAccessibleInterface(control);
        EXPECT_TRUE(r.role == QAccessible::NoRole || read->role() == r.role) << read->role();
        const QString name = read->text(QAccessible::Name);
        EXPECT_TRUE(name.startsWith(QString::fromUtf8(r.name)) || !*r.name) << name.toStdString();
    }
}

} // namespace testsupport
