#include "app/CommandLine.h"

#include <QCommandLineParser>

#include <cstdio>

namespace CommandLine {

namespace {

QString refusalOf(const QCommandLineParser& parser)
{
    const QString hint = QStringLiteral("\nفهرست گزینه‌ها: senvora --help");
    if (const QStringList unknown = parser.unknownOptionNames(); !unknown.isEmpty())
        return QStringLiteral("گزینه‌ی «%1» شناخته نیست.")
                   .arg(unknown.constFirst()) +
               hint;
    if (const QStringList extra = parser.positionalArguments(); !extra.isEmpty())
        return QStringLiteral("ورودی «%1» شناخته نیست.").arg(extra.constFirst()) + hint;
    return parser.errorText() + hint;
}

bool namesQtOption(const QStringList& arguments)
{
    static const QStringList qt{QStringLiteral("platform"),
                                QStringLiteral("platformpluginpath"),
                                QStringLiteral("platformtheme"),
                                QStringLiteral("plugin"),
                                QStringLiteral("qwindowgeometry"),
                                QStringLiteral("qwindowicon"),
                                QStringLiteral("qwindowtitle"),
                                QStringLiteral("reverse"),
                                QStringLiteral("session"),
                                QStringLiteral("display"),
                                QStringLiteral("geometry"),
                                QStringLiteral("style"),
                                QStringLiteral("stylesheet"),
                                QStringLiteral("widgetcount"),
                                QStringLiteral("qmljsdebugger"),
                                QStringLiteral("nograb"),
                                QStringLiteral("dograb"),
                                QStringLiteral("title"),
                                QStringLiteral("name"),
                                QStringLiteral("visual"),
                                QStringLiteral("ncols"),
                                QStringLiteral("cmap"),
                                QStringLiteral("qdevicepixelratio")};
    return std::any_of(arguments.cbegin(), arguments.cend(), [](const QString& argument) {
        QString name = argument;
        while (name.startsWith(QLatin1Char('-')))
            name.remove(0, 1);
        return argument.startsWith(QLatin1Char('-')) &&
               qt.contains(name.section(QLatin1Char('='), 0, 0));
    });
}

struct ExportOptions
{
    QCommandLineOption file{QStringLiteral("export"),
                            QStringLiteral("Writes every administration to FILE (.csv, .xlsx or "
                                           ".sav, by its extension) with no display, and stops."),
                            QStringLiteral("FILE")};
    QCommandLineOption group{QStringLiteral("group"),
                             QStringLiteral("With --export: only the subjects of group G."),
                             QStringLiteral("G")};
    QCommandLineOption from{QStringLiteral("from"),
                            QStringLiteral("With --export: administrations on or after this "
                                           "Solar Hijri date."),
                            QStringLiteral("YYYY/MM/DD")};
    QCommandLineOption to{QStringLiteral("to"),
                          QStringLiteral("With --export: administrations on or before this Solar "
                                         "Hijri date."),
                          QStringLiteral("YYYY/MM/DD")};
};

ExportOptions addExportOptions(QCommandLineParser& parser)
{
    ExportOptions options;
    parser.addOptions({options.file, options.group, options.from, options.to});
    return options;
}

// --export with its filters; a filter alone is refused.
Request exportRequest(const QCommandLineParser& parser, const ExportOptions& options)
{
    if (!parser.isSet(options.file)) {
        for (const QCommandLineOption* filter : {&options.group, &options.from, &options.to}) {
            if (parser.isSet(*filter))
                return {
                    Action::Refuse,
                    QStringLiteral(
                        "گزینه‌ی «--%1» تنها همراه --export به کار می‌رود. — "
                        "--%1 needs --export")
                        .arg(filter->names().constFirst())};
        }
        return {};
    }
    const auto valueOf = [&parser](const QCommandLineOption& option) {
        return parser.isSet(option) ? parser.value(option) : QString();
    };
    Request request{Action::Export, {}};
    request.exportOptions = {parser.value(options.file), valueOf(options.group),
                             valueOf(options.from), valueOf(options.to)};
    return request;
}

void print(std::FILE* stream, const QString& text)
{
    const QByteArray bytes =
        (text.endsWith(QLatin1Char('\n')) ? text : text + QLatin1Char('\n')).toLocal8Bit();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
    std::fflush(stream);
}

} // namespace

Request read(const QStringList& arguments, const QString& version)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Senvora: geriatric depression screening (GDS-15) for psychology "
                       "clinics.\nWith no options, starts the application on the user's "
                       "program folder (SENVORA_HOME, or ~/.local/share/Senvora).\nQt's own "
                       "options (-platform, -style, ...) are accepted too."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Shows these options."));
    const QCommandLineOption showVersion({QStringLiteral("v"), QStringLiteral("version")},
                                         QStringLiteral("Shows the version."));
    parser.addOption(help);
    parser.addOption(showVersion);
    const ExportOptions exporting = addExportOptions(parser);
    const bool understood = parser.parse(arguments) && parser.positionalArguments().isEmpty();
    if (parser.isSet(help)) {
        // Qt names the program in the usage line only when an application object exists.
        const QString usage = QStringLiteral("Usage: senvora [options]\n");
        return {Action::ShowHelp, usage + parser.helpText().section(QLatin1Char('\n'), 1)};
    }
    if (parser.isSet(showVersion))
        return {Action::ShowVersion, QStringLiteral("Senvora ") + version};
    if (!understood) {
        Request refusal{Action::Refuse, refusalOf(parser)};
        refusal.mayBeQt = namesQtOption(arguments.mid(1));
        return refusal;
    }
    return exportRequest(parser, exporting);
}

int answer(const Request& request)
{
    switch (request.action) {
    case Action::ShowHelp:
    case Action::ShowVersion:
        print(stdout, request.text);
        return 0;
    case Action::Refuse:
        print(stderr, request.text);
        return 2;
    case Action::Export:
        return ExportCommand::run(request.exportOptions);
    case Action::Run:
        break;
    }
    return 0;
}

} // namespace CommandLine
