#include "app/CommandLine.h"
#include "app/ProgramFolder.h"
#include "app/StartUp.h"
#include "data/Database.h"

#include <QApplication>
#include <QCoreApplication>
#include <QMessageBox>

static int refuse(const QString& message)
{
    QMessageBox box(QMessageBox::Critical, QStringLiteral("خطا"), message, QMessageBox::Ok);
    box.exec();
    return 1;
}

static QStringList argumentsOf(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

int main(int argc, char* argv[])
{
    const QString version = QStringLiteral(SENVORA_VERSION);
    // --help, --version, --export and options that are nobody's are answered before a display
    // is needed.
    const auto request = CommandLine::read(argumentsOf(argc, argv), version);
    if (request.action == CommandLine::Action::ShowHelp ||
        request.action == CommandLine::Action::ShowVersion ||
        (request.action == CommandLine::Action::Refuse && !request.mayBeQt))
        return CommandLine::answer(request);
    if (request.action == CommandLine::Action::Export) {
        // The export runs on a core application in the program folder.
        QCoreApplication core(argc, argv);
        if (const QString problem = ProgramFolder::prepare(ProgramFolder::locate());
            !problem.isEmpty())
            return CommandLine::answer(
                {CommandLine::Action::Refuse,
                 problem + QStringLiteral(" — the program folder cannot be prepared")});
        return CommandLine::answer(request);
    }
    QApplication app(argc, argv);
    // Qt has now taken its own options (-platform, -style, …) out; the rest must be ours.
    if (const auto remaining = CommandLine::read(QCoreApplication::arguments(), version);
        remaining.action != CommandLine::Action::Run)
        return CommandLine::answer(remaining);
    if (const QString problem = ProgramFolder::prepare(ProgramFolder::locate()); !problem.isEmpty())
        return refuse(problem);
    if (const QString problem = Database::verify(); !problem.isEmpty())
        return refuse(problem);
    if (!StartUp::openMainWindow())
        return 0;
    return QApplication::exec();
}
