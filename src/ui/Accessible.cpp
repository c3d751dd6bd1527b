#include "ui/Accessible.h"

#include <QString>
#include <QWidget>

namespace Accessible {

void describe(QWidget* control, const QString& name, const QString& description)
{
    control->setAccessibleName(name);
    control->setAccessibleDescription(description);
}

} // namespace Accessible
