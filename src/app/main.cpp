#include "app/ProgramFolder.h"
#include "app/StartUp.h"
#include "data/Database.h"

#include <QApplication>
#include <QMessageBox>

static int refuse(const QString& message)
{
    QMessageBox box(QMessageBox::Critical, QStringLiteral("خطا"), message, QMessageBox::Ok);
    box.exec();
    return 1;
}

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (const QString problem = ProgramFolder::prepare(ProgramFolder::locate()); !problem.isEmpty())
        return refuse(problem);
    if (const QString problem = Database::verify(); !problem.isEmpty())
        return refuse(problem);
    if (!StartUp::openMainWindow())
        return 0;
    return QApplication::exec();
}
