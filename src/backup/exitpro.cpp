#include "backup/exitpro.h"

exitpro::exitpro(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("exitpro"));
}
