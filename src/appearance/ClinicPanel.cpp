#include "appearance/ClinicPanel.h"

#include "app/Frm1.h"

#include <QLineEdit>

ClinicPanel::ClinicPanel(Frm1* mainWindow)
    : QFrame(mainWindow), mainWindow_(mainWindow), text2_(new QLineEdit(this)),
      text14_(new QLineEdit(this))
{
    setObjectName(QStringLiteral("Frame9"));
    text2_->setObjectName(QStringLiteral("Text2"));
    text14_->setObjectName(QStringLiteral("Text14"));
    hide();
}

void ClinicPanel::open()
{
    show();
}
