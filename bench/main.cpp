// The benchmark: for each registry size, fills a fresh program folder with synthetic subjects,
// then drives the real screens offscreen in a child process of its own (so that the peak
// memory is that size's alone), and prints one table and writes it as JSON.
//
//   senvora_bench [--out FILE] [--sizes 1000,100000] [--million] [--slow-sync-ms MS]
//                 [--generate-only DIR]

#include "ActionNames.h"
#include "AutoBackupBench.h"
#include "CopyBench.h"
#include "ExportBench.h"
#include "Results.h"
#include "ScreenBench.h"
#include "SubjectGenerator.h"
#include "SyncCounter.h"
#include "data/Database.h"
#include "ui/ApplicationEnd.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QProcess>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

constexpr int ChildTimeoutMs = 30 * 60 * 1000;
constexpr int StartReps = 10;
constexpr int StartTimeoutMs = 10000;

QTextStream& err()
{
    static QTextStream stream(stderr);
    return stream;
}

bool writeJson(const QString& path, const QJsonObject& json)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(QJsonDocument(json).toJson(QJsonDocument::Indented));
    return file.commit();
}

Results readJson(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return Results::fromJson(QJsonDocument::fromJson(file.readAll()).object());
}

// The offscreen platform warns at what it cannot do (sizes, raising, grabbing); nothing else
// is dropped.
QtMessageHandler standardMessages = nullptr;

void quietMessages(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (!message.startsWith(QLatin1String("This plugin does not support")))
        standardMessages(type, context, message);
}

// The child: the screens over the program folder home, figures into resultPath. Every sync
// SQLite makes is counted, and delayed by slowSyncMs to stand for a slow disk.
int measure(int subjects, const QString& home, const QString& resultPath, int slowSyncMs)
{
    if (!SyncCounter::install(slowSyncMs)) {
        err() << "the sync-counting file layer could not be installed" << Qt::endl;
        return 1;
    }
    QDir::setCurrent(home);
    ApplicationEnd::setQuitsEventLoop(false);
    QList<Series> series;
    StrayBoxGuard guard;
    int groupRows = 0;
    {
        ScreenBench bench(subjects);
        series = bench.run();
        groupRows = bench.groupPrintRows();
    }
    const CopyFigures copy = measureCopies(series);
    measureDiskFlush(series);
    measureAutoBackup(series);
    measureExports(series);
    if (guard.strays() > 0)
        err() << "n=" << subjects << ": " << guard.strays()
              << " unexpected boxes: the figures of this run are not to be trusted" << Qt::endl;
    Results results;
    for (const Series& one : series) {
        if (one.ms.isEmpty())
            continue;
        ActionFigure figure{subjects,           one.action,   one.percentile(50),
                            one.percentile(95), std::nullopt, 0};
        if (ActionName::writes.contains(one.action))
            figure.syncs = one.syncsPerAction();
        if (one.action == ActionName::GroupPrint)
            figure.rows = groupRows;
        results.actions.append(figure);
    }
    results.memory.append({subjects, peakResidentMb()});
    results.slowSyncMs = slowSyncMs;
    results.copyBytes = copy.bytes;
    results.blocksMbPerS = copy.blocksMbPerS;
    results.plainMbPerS = copy.plainMbPerS;
    results.barMbPerS = copy.barMbPerS;
    results.syncedMbPerS = copy.syncedMbPerS;
    return writeJson(resultPath, results.toJson()) ? 0 : 1;
}

bool generate(int subjects, const QString& home)
{
    const QString previous = QDir::currentPath();
    QDir::setCurrent(home);
    QElapsedTimer clock;
    clock.start();
    const QString problem = SubjectGenerator::fill(subjects);
    Database::closeAll();
    QDir::setCurrent(previous);
    if (!problem.isEmpty()) {
        err() << "generating " << subjects << " subjects failed: " << problem << Qt::endl;
        return false;
    }
    err() << "n=" << subjects << ": " << subjects << " subjects generated in " << clock.elapsed()
          << " ms" << Qt::endl;
    return true;
}

QProcessEnvironment offscreenEnvironment()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("SENVORA_NO_PRINTER"), QStringLiteral("1"));
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    return environment;
}

// The real executable on the program folder home, from the start of its process until it
// says its main window's first frame is painted; negative when it never did.
double processStartMs(const QString& home)
{
    QProcess program;
    QProcessEnvironment environment = offscreenEnvironment();
    environment.insert(QStringLiteral("SENVORA_HOME"), home);
    environment.insert(QStringLiteral("SENVORA_FIRST_FRAME_EXIT"), QStringLiteral("1"));
    program.setProcessEnvironment(environment);
    program.setProcessChannelMode(QProcess::SeparateChannels);
    QElapsedTimer clock;
    clock.start();
    program.start(QStringLiteral(SENVORA_EXECUTABLE), {});
    double ms = -1.0;
    while (ms < 0 && program.waitForReadyRead(StartTimeoutMs)) {
        if (program.readAllStandardOutput().contains("first frame"))
            ms = elapsedMs(clock);
    }
    if (!program.waitForFinished(StartTimeoutMs))
        program.kill();
    return ms;
}

ActionFigure measureProcessStart(int subjects, const QString& home)
{
    Series start{ActionName::ProcessStart, {}};
    for (int rep = 0; rep <= StartReps; ++rep) {
        const double ms = processStartMs(home);
        if (ms < 0) {
            err() << "n=" << subjects << ": the program never painted its window" << Qt::endl;
            return {};
        }
        if (rep > 0) // the first start brings the program and its libraries into memory
            start.ms << ms;
    }
    return {subjects, start.action, start.percentile(50), start.percentile(95), std::nullopt, 0};
}

bool runChild(int subjects, const QString& home, const QString& resultPath, int slowSyncMs)
{
    QProcess child;
    child.setProcessEnvironment(offscreenEnvironment());
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--child"), QString::number(subjects), QStringLiteral("--home"),
                 home, QStringLiteral("--result"), resultPath, QStringLiteral("--slow-sync-ms"),
                 QString::number(slowSyncMs)});
    if (!child.waitForFinished(ChildTimeoutMs)) {
        child.kill();
        child.waitForFinished();
        err() << "n=" << subjects << ": the measuring process did not finish" << Qt::endl;
        return false;
    }
    return child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0;
}

int orchestrate(const QList<int>& sizes, const QString& out, int slowSyncMs)
{
    Results all;
    for (int subjects : sizes) {
        QTemporaryDir home(QCoreApplication::applicationDirPath() + QStringLiteral("/home-XXXXXX"));
        const QString resultPath = home.filePath(QStringLiteral("result.json"));
        if (!home.isValid() || !generate(subjects, home.path()))
            return 1;
        err() << "n=" << subjects << ": measuring" << Qt::endl;
        if (!runChild(subjects, home.path(), resultPath, slowSyncMs)) {
            err() << "n=" << subjects << ": the measuring process failed" << Qt::endl;
            return 1;
        }
        all.merge(readJson(resultPath));
        if (const ActionFigure start = measureProcessStart(subjects, home.path()); start.n > 0)
            all.actions.append(start);
    }
    QTextStream stdOut(stdout);
    all.print(stdOut);
    if (!out.isEmpty() && !writeJson(out, all.toJson())) {
        err() << "cannot write " << out << Qt::endl;
        return 1;
    }
    return 0;
}

QList<int> parseSizes(const QString& text)
{
    QList<int> sizes;
    for (const QString& part : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        bool ok = false;
        const int n = part.trimmed().toInt(&ok);
        if (ok && n > 0)
            sizes << n;
    }
    return sizes;
}

} // namespace

int main(int argc, char* argv[])
{
    const bool isChild = argc > 1 && QByteArray(argv[1]) == "--child";
    if (isChild) {
        standardMessages = qInstallMessageHandler(quietMessages);
        QApplication app(argc, argv);
        const QStringList args = QCoreApplication::arguments();
        return measure(args.value(2).toInt(), args.value(4), args.value(6), args.value(8).toInt());
    }
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Times the screens at registry scale."));
    parser.addHelpOption();
    const QCommandLineOption out(QStringLiteral("out"), QStringLiteral("Write JSON to <file>."),
                                 QStringLiteral("file"));
    const QCommandLineOption sizes(QStringLiteral("sizes"),
                                   QStringLiteral("Comma-separated subject counts."),
                                   QStringLiteral("list"), QStringLiteral("1000,100000"));
    const QCommandLineOption million(QStringLiteral("million"),
                                     QStringLiteral("Also run at 1,000,000 subjects."));
    const QCommandLineOption generateOnly(
        QStringLiteral("generate-only"),
        QStringLiteral("Only fill the program folder <dir> with the first size's subjects (for "
                       "profiling)."),
        QStringLiteral("dir"));
    const QCommandLineOption slowSync(
        QStringLiteral("slow-sync-ms"),
        QStringLiteral("Make every SQLite sync sleep <ms> first (a slow disk)."),
        QStringLiteral("ms"), QStringLiteral("0"));
    parser.addOptions({out, sizes, million, generateOnly, slowSync});
    parser.process(app);
    QList<int> ns = parseSizes(parser.value(sizes));
    if (parser.isSet(million))
        ns << 1000000;
    if (ns.isEmpty()) {
        err() << "no sizes to run" << Qt::endl;
        return 2;
    }
    if (parser.isSet(generateOnly)) {
        const QString home = parser.value(generateOnly);
        return QDir().mkpath(home) && generate(ns.first(), home) ? 0 : 1;
    }
    const int slowSyncMs = parser.value(slowSync).toInt();
    if (slowSyncMs > 0)
        err() << "every SQLite sync sleeps " << slowSyncMs << " ms first (a slow disk)" << Qt::endl;
    return orchestrate(ns, parser.value(out), slowSyncMs);
}
