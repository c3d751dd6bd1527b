#include "scoring/FrmkLID.h"

FrmkLID::FrmkLID(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("FrmkLID"));
}
