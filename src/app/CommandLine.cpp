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
    const bool understood = parser.parse(arguments) && parser.positionalArguments().isEmpty();
    if (parser.isSet(help)) {
        // Qt names the program in the usage line only when an application object exists.
        const QString usage = QStringLiteral("Usage: senvora [options]\n");
        return {Action::ShowHelp, usage + parser.helpText().section(QLatin1Char('\n'), 1)};
    }
    if (parser.isSet(showVersion))
        return {Action::ShowVersion, QStringLiteral("Senvora ") + version};
    if (!understood)
        return {Action::Refuse, refusalOf(parser)};
    return {};
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
    case Action::Run:
        break;
    }
    return 0;
}

} // namespace CommandLine
