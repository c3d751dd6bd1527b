#include "about/About.h"

About::About(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("About"));
}
