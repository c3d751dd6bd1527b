#include "lookup/FrmCode.h"

FrmCode::FrmCode(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("FrmCode"));
}
