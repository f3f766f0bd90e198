#pragma once

// Records what the program announces to screen readers, and finds controls in the accessible tree as they read it.
// Qt hands no announcement to an update handler while no screen reader listens, as on the offscreen platform, so the
// spy observes the program's own announcements.
#include <QAccessible>
#include <QPointer>
#include <QWidget>
#include <vector>

#include "controls/accessible_control.h"

namespace testsupport {

struct Announcement
{
    QPointer<QObject> object;
    QAccessible::Event type;
    QVariant value; // a value change's new value
};

class AccessibilitySpy
{
public:
    AccessibilitySpy() { controls::setAnnouncementObserver(&record); }
    ~AccessibilitySpy()
    {
        controls::setAnnouncementObserver(nullptr);
        seen().clear();
    }

    /// Whether object announced an event of type since the spy was made (with this value, when one is given).
    static bool heard(const QObject* object, QAccessible::Event type, const QVariant& value = {})
    {
        for (const Announcement& a : seen()) {
            if (a.object == object && a.type == type && (!value.isValid() || a.value == value))
                return true;
        }
        return false;
    }
    static void clear() { seen().clear(); }

    /// Whether the tree read from root reaches control.
    static bool reaches(QAccessibleInterface* root, const QObject* control)
    {
        if (!root)
            return false;
        if (root->object() == control)
            return true;
        for (int i = 0; i < root->childCount(); ++i) {
            if (reaches(root->child(i), control))
                return true;
        }
        return false;
    }

private:
    static std::vector<Announcement>& seen()
    {
        static std::vector<Announcement> events;
        return events;
    }
    static void record(QAccessibleEvent* event)
    {
        QVariant value;
        if (event->type() == QAccessible::ValueChanged)
            value = static_cast<QAccessibleValueChangeEvent*>(event)->value();
        seen().push_back({event->object(), event->type(), value});
    }
};

} // namespace testsupport
