#pragma once

class QString;
class QWidget;

namespace Accessible {

// What a screen reader says for the control: its name and what it does.
void describe(QWidget* control, const QString& name, const QString& description);

} // namespace Accessible
