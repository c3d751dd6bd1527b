#pragma once

#include "export/ExportCommand.h"

#include <QString>
#include <QStringList>

// The program's command line. It is read before any window exists, so that --help, --version
// and --export work without a display.
namespace CommandLine {

enum class Action
{
    Run,         // start the application
    ShowHelp,    // print the options and stop
    ShowVersion, // print the version and stop
    Refuse,      // an option or argument that is not ours: say so and stop
    Export,      // write the export file with no display and stop
};

struct Request
{
    Action action = Action::Run;
    QString text; // what to print for every action but Run and Export
    ExportCommand::Options exportOptions = {};
    // A refusal that names one of Qt's own options (-platform, -style, …): only the
    // application object, which takes those out, can tell whether the rest is ours.
    bool mayBeQt = false;
};

// arguments: the program name first, as QCoreApplication::arguments() gives them.
Request read(const QStringList& arguments, const QString& version);

// Prints the request's text (help and version on standard output, a refusal on standard
// error) and returns the exit status.
int answer(const Request& request);

} // namespace CommandLine
