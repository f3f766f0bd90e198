#pragma once

#include <QString>

class QAccessibleEvent;

#include "window_layout/control_row.h"

class QWidget;

namespace controls {

/// Gives a control built from its table row the role and name a screen reader meets: page tabs, buttons, links and
/// pictures get an accessible interface of their own, artwork that does no job none in the tree, value labels their
/// caption's text before their own. caption and pressTarget may be null (the row names none). Installs the
/// accessible factory on first use.
void makeAccessible(QWidget* control, window_layout::Role role, const QString& name, QWidget* caption,
                    QWidget* pressTarget);

/// Completes the control's accessible name ("Качество: %1 из 5") with what it shows now; a changed name is
/// announced.
void setAccessibleShown(QWidget* control, const QString& shown);

/// The selected state of a page tab; a change is announced.
void setAccessibleSelected(QWidget* control, bool selected);

/// Hands a change to the screen readers. Qt drops it while none listens (and always on the offscreen platform); the
/// observer, where one is set, sees every change all the same.
void announce(QAccessibleEvent& event);
using AnnouncementObserver = void (*)(QAccessibleEvent* event);
void setAnnouncementObserver(AnnouncementObserver observer);

/// A zoomed picture's zoom in percent of its natural size, as a screen reader reads it (0 without a picture).
int zoomPercent(const QWidget* picture);

} // namespace controls
