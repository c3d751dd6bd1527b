#pragma once

// Looks a window over as a reader would: every shown text fits its box, shown siblings do not
// overlap, and every shown child lies inside its parent. Each fault is one line naming the
// widget (by its path of object names from the window) and what is wrong.

#include <QStringList>

class QWidget;

namespace LayoutSweep {

// Faults of widgets whose path begins with one of exempt are left out.
QStringList faults(QWidget* window, const QStringList& exempt = {});

} // namespace LayoutSweep
