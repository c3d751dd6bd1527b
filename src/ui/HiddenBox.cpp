#include "ui/HiddenBox.h"

#include <QLineEdit>

QLineEdit* hiddenBox(QWidget* parent, const QString& name)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->hide();
    return box;
}
