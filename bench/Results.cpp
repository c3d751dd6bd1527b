#include "Results.h"

#include "ActionNames.h"

#include <QJsonArray>
#include <QTextStream>

#include <algorithm>

namespace {

constexpr int SmallN = 1000;
constexpr int LargeN = 100000;
constexpr double FrameMs = 16.0;
constexpr double WindowMs = 200.0;
constexpr double ReportMs = 1000.0;
constexpr double GrowthLimit = 2.0;
constexpr double MemoryLimitMb = 30.0;
constexpr double PrintGapMs = 100.0;
constexpr double CopyGapMs = 50.0;

QString number(double value)
{
    return QString::number(value, 'f', value < 100 ? 2 : 0);
}

QString padded(const QString& text, int width)
{
    return width < 0 ? text.leftJustified(-width) : text.rightJustified(width);
}

} // namespace

QJsonObject Results::toJson() const
{
    QJsonArray actionArray;
    for (const ActionFigure& figure : actions) {
        QJsonObject object{{"n", figure.n},
                           {"action", figure.action},
                           {"p50_ms", figure.p50Ms},
                           {"p95_ms", figure.p95Ms}};
        if (figure.syncs)
            object.insert("syncs", *figure.syncs);
        if (figure.rows > 0)
            object.insert("rows", figure.rows);
        actionArray.append(object);
    }
    QJsonArray memoryArray;
    for (const MemoryFigure& figure : memory)
        memoryArray.append(QJsonObject{{"n", figure.n}, {"peak_rss_mb", figure.peakRssMb}});
    return {{"actions", actionArray},
            {"memory", memoryArray},
            {"slow_sync_ms", slowSyncMs},
            {"copy", QJsonObject{{"bytes", copyBytes},
                                 {"blocks_mb_s", blocksMbPerS},
                                 {"plain_mb_s", plainMbPerS},
                                 {"bar_mb_s", barMbPerS},
                                 {"synced_mb_s", syncedMbPerS}}}};
}

Results Results::fromJson(const QJsonObject& json)
{
    Results results;
    for (const QJsonValue& value : json.value("actions").toArray()) {
        const QJsonObject figure = value.toObject();
        ActionFigure action{figure.value("n").toInt(),
                            figure.value("action").toString(),
                            figure.value("p50_ms").toDouble(),
                            figure.value("p95_ms").toDouble(),
                            std::nullopt,
                            figure.value("rows").toInt()};
        if (figure.contains("syncs"))
            action.syncs = figure.value("syncs").toDouble();
        results.actions.append(action);
    }
    for (const QJsonValue& value : json.value("memory").toArray()) {
        const QJsonObject figure = value.toObject();
        results.memory.append({figure.value("n").toInt(), figure.value("peak_rss_mb").toDouble()});
    }
    results.slowSyncMs = json.value("slow_sync_ms").toInt();
    const QJsonObject copy = json.value("copy").toObject();
    results.copyBytes = copy.value("bytes").toInteger();
    results.blocksMbPerS = copy.value("blocks_mb_s").toDouble();
    results.plainMbPerS = copy.value("plain_mb_s").toDouble();
    results.barMbPerS = copy.value("bar_mb_s").toDouble();
    results.syncedMbPerS = copy.value("synced_mb_s").toDouble();
    return results;
}

void Results::merge(const Results& other)
{
    actions += other.actions;
    memory += other.memory;
    slowSyncMs = qMax(slowSyncMs, other.slowSyncMs);
    if (other.copyBytes > copyBytes) {
        copyBytes = other.copyBytes;
        blocksMbPerS = other.blocksMbPerS;
        plainMbPerS = other.plainMbPerS;
        barMbPerS = other.barMbPerS;
        syncedMbPerS = other.syncedMbPerS;
    }
}

QList<int> Results::sizes() const
{
    QList<int> all;
    for (const MemoryFigure& figure : memory)
        all << figure.n;
    for (const ActionFigure& figure : actions)
        all << figure.n;
    std::sort(all.begin(), all.end());
    all.erase(std::unique(all.begin(), all.end()), all.end());
    return all;
}

QStringList Results::actionNames() const
{
    QStringList names;
    for (const ActionFigure& figure : actions) {
        if (!names.contains(figure.action))
            names << figure.action;
    }
    return names;
}

const ActionFigure* Results::find(int n, const QString& action) const
{
    for (const ActionFigure& figure : actions) {
        if (figure.n == n && figure.action == action)
            return &figure;
    }
    return nullptr;
}

void Results::print(QTextStream& out) const
{
    const QList<int> ns = sizes();
    const int nameWidth = 38;
    out << padded(QStringLiteral("action (ms)"), -nameWidth);
    for (int n : ns)
        out << padded(QStringLiteral("n=%1 p50").arg(n), 16) << padded(QStringLiteral("p95"), 9);
    out << padded(QStringLiteral("growth"), 9) << "\n";
    for (const QString& name : actionNames()) {
        out << padded(name, -nameWidth);
        for (int n : ns) {
            const ActionFigure* figure = find(n, name);
            out << padded(figure ? number(figure->p50Ms) : QStringLiteral("-"), 16)
                << padded(figure ? number(figure->p95Ms) : QStringLiteral("-"), 9);
        }
        const ActionFigure* small = find(SmallN, name);
        const ActionFigure* large = find(LargeN, name);
        out << padded(small && large && small->p50Ms > 0
                          ? QStringLiteral("%1x").arg(large->p50Ms / small->p50Ms, 0, 'f', 2)
                          : QStringLiteral("-"),
                      9)
            << "\n";
    }
    out << "\n";
    if (slowSyncMs > 0)
        out << QStringLiteral("every SQLite sync slept %1 ms first (a slow disk)\n")
                   .arg(slowSyncMs);
    for (const ActionFigure& figure : actions) {
        if (figure.syncs)
            out << QStringLiteral("syncs per action at n=%1: %2 %3\n")
                       .arg(figure.n)
                       .arg(*figure.syncs, 0, 'f', 2)
                       .arg(figure.action);
    }
    for (const ActionFigure& figure : actions) {
        if (figure.rows > 0 && figure.p50Ms > 0)
            out << QStringLiteral("%1 at n=%2: %3 rows, %4 rows/s (median)\n")
                       .arg(figure.action)
                       .arg(figure.n)
                       .arg(figure.rows)
                       .arg(qRound(figure.rows / (figure.p50Ms / 1000.0)));
    }
    for (const MemoryFigure& figure : memory)
        out << QStringLiteral("peak resident memory at n=%1: %2 MB\n")
                   .arg(figure.n)
                   .arg(number(figure.peakRssMb));
    if (copyBytes > 0)
        out << QStringLiteral("copy of DB2.mdb (%1 bytes): CopyFileInBlocks %2 MB/s, with a "
                              "progress bar %3 MB/s, plain copy %4 MB/s, synced plain copy "
                              "%5 MB/s\n")
                   .arg(copyBytes)
                   .arg(number(blocksMbPerS), number(barMbPerS), number(plainMbPerS),
                        number(syncedMbPerS));
    out << "\ngoals:\n";
    for (const Verdict& verdict : verdicts())
        out << QStringLiteral("  [%1] %2: %3\n")
                   .arg(!verdict.met   ? QStringLiteral("n/a")
                        : *verdict.met ? QStringLiteral("met")
                                       : QStringLiteral("MISSED"),
                        verdict.goal, verdict.figure);
    out.flush();
}

QList<Results::Verdict> Results::verdicts() const
{
    QList<Verdict> list;
    const auto missing = [&list](const QString& goal) {
        list.append({goal, std::nullopt, QStringLiteral("not measured")});
    };
    for (const QString& name : ActionName::interactive) {
        const QString goal =
            QStringLiteral("%1: p95 within one frame at n=%2").arg(name).arg(LargeN);
        const ActionFigure* figure = find(LargeN, name);
        if (!figure) {
            missing(goal);
            continue;
        }
        list.append({goal, figure->p95Ms <= FrameMs, number(figure->p95Ms) + " ms"});
    }
    for (const QString& name : actionNames()) {
        if (ActionName::outsideGrowthGoal.contains(name))
            continue;
        const ActionFigure* small = find(SmallN, name);
        const ActionFigure* large = find(LargeN, name);
        if (!small || !large)
            continue;
        const double ratio = small->p50Ms > 0 ? large->p50Ms / small->p50Ms : 0.0;
        list.append({QStringLiteral("%1: median at n=%2 at most %3x n=%4")
                         .arg(name)
                         .arg(LargeN)
                         .arg(GrowthLimit)
                         .arg(SmallN),
                     ratio <= GrowthLimit, QStringLiteral("%1x").arg(ratio, 0, 'f', 2)});
    }
    for (const QString& name : {ActionName::FirstWindow, ActionName::Window}) {
        const QString goal = QStringLiteral("%1 within 200 ms at n=%2 (p95)").arg(name).arg(LargeN);
        if (const ActionFigure* figure = find(LargeN, name))
            list.append({goal, figure->p95Ms <= WindowMs, number(figure->p95Ms) + " ms"});
        else
            missing(goal);
    }
    const QString reportGoal = QStringLiteral("group report of 1000 rows within 1 s (p95)");
    bool reported = false;
    for (const ActionFigure& figure : actions) {
        if (figure.action != ActionName::Report)
            continue;
        reported = true;
        list.append({reportGoal + QStringLiteral(" at n=%1").arg(figure.n),
                     figure.p95Ms <= ReportMs, number(figure.p95Ms) + " ms"});
    }
    if (!reported)
        missing(reportGoal);
    for (const ActionFigure& figure : actions) {
        if (figure.syncs)
            list.append({QStringLiteral("%1: at most one sync per action at n=%2")
                             .arg(figure.action)
                             .arg(figure.n),
                         *figure.syncs <= 1.0, QString::number(*figure.syncs, 'f', 2)});
        if (figure.action == ActionName::PrintGap)
            list.append({QStringLiteral("the window repainted within 100 ms during the group "
                                        "Print at n=%1 (longest gap, p95 of the Prints)")
                             .arg(figure.n),
                         figure.p95Ms <= PrintGapMs, number(figure.p95Ms) + " ms"});
    }
    const QString copyGoal = QStringLiteral(
        "backup copy with its progress bar at least half the plain copy's throughput");
    const QString syncedGoal = QStringLiteral(
        "backup copy with its progress bar at least 0.9 of the synced plain copy's throughput");
    if (copyBytes > 0 && plainMbPerS > 0 && syncedMbPerS > 0) {
        list.append({copyGoal, barMbPerS >= plainMbPerS / 2,
                     QStringLiteral("%1 of plain").arg(barMbPerS / plainMbPerS, 0, 'f', 2)});
        list.append({syncedGoal, barMbPerS >= 0.9 * syncedMbPerS,
                     QStringLiteral("%1 of synced").arg(barMbPerS / syncedMbPerS, 0, 'f', 2)});
    } else {
        missing(copyGoal);
        missing(syncedGoal);
    }
    for (const ActionFigure& figure : actions) {
        if (figure.action == ActionName::CopyGap)
            list.append({QStringLiteral("the window repainted within 50 ms during the copy at "
                                        "n=%1 (longest gap, p95 of the copies)")
                             .arg(figure.n),
                         figure.p95Ms <= CopyGapMs, number(figure.p95Ms) + " ms"});
    }
    double small = -1;
    double large = -1;
    for (const MemoryFigure& figure : memory) {
        if (figure.n == SmallN)
            small = figure.peakRssMb;
        if (figure.n == LargeN)
            large = figure.peakRssMb;
    }
    const QString memoryGoal =
        QStringLiteral("peak memory at n=%1 at most 30 MB above n=%2").arg(LargeN).arg(SmallN);
    if (small >= 0 && large >= 0)
        list.append({memoryGoal, large - small <= MemoryLimitMb,
                     QStringLiteral("+%1 MB").arg(number(large - small))});
    else
        missing(memoryGoal);
    return list;
}
