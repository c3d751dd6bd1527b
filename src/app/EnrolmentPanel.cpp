#include "app/EnrolmentPanel.h"

#include "app/Frm1.h"
#include "app/Twips.h"

EnrolmentPanel::EnrolmentPanel(Frm1* mainWindow) : QFrame(mainWindow), mainWindow_(mainWindow)
{
    setObjectName(QStringLiteral("Frame10"));
    hide();
}

void EnrolmentPanel::open()
{
    setGeometry(twipsRect(1500, 780, 6675, 2895));
    show();
}
