#include "app/CommandLine.h"
#include "app/Frm1.h"
#include "app/ProgramFolder.h"
#include "app/StartUp.h"
#include "data/Database.h"

#include <QApplication>
#include <QCoreApplication>
#include <QMessageBox>
#include <QTimer>

#include <cstdio>

static int refuse(const QString& message)
{
    QMessageBox box(QMessageBox::Critical, QStringLiteral("خطا"), message, QMessageBox::Ok);
    box.exec();
    return 1;
}

// With SENVORA_FIRST_FRAME_EXIT set (by the benchmark), the process writes "first frame" to
// standard output once the main window's first frame is painted, and ends.
class FirstFrameExit : public QObject
{
  protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && qobject_cast<Frm1*>(watched)) {
            qApp->removeEventFilter(this);
            // Posted: it runs once the whole frame, children included, is painted.
            QTimer::singleShot(0, qApp, [] {
                std::fputs("first frame\n", stdout);
                std::fflush(stdout);
                QCoreApplication::exit(0);
            });
        }
        return false;
    }
};

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
    FirstFrameExit firstFrameExit;
    if (qEnvironmentVariableIsSet("SENVORA_FIRST_FRAME_EXIT"))
        app.installEventFilter(&firstFrameExit);
    if (!StartUp::openMainWindow())
        return 0;
    return QApplication::exec();
}
