#pragma once

#include <QJsonObject>
#include <QList>
#include <QString>

#include <optional>

class QTextStream;

// The figures of a benchmark run, kept in the shape of bench/results.json:
// {"actions": [{"n", "action", "p50_ms", "p95_ms", "syncs"?, "rows"?}],
//  "memory": [{"n", "peak_rss_mb"}],
//  "copy": {"bytes", "blocks_mb_s", "plain_mb_s", "bar_mb_s", "synced_mb_s"},
//  "slow_sync_ms"}.
// "syncs" (mean sync calls per action) is given for the actions that write, "rows" for the
// reports.
struct ActionFigure
{
    int n = 0;
    QString action;
    double p50Ms = 0.0;
    double p95Ms = 0.0;
    std::optional<double> syncs;
    int rows = 0;
};

struct MemoryFigure
{
    int n = 0;
    double peakRssMb = 0.0;
};

struct Results
{
    QList<ActionFigure> actions;
    QList<MemoryFigure> memory;
    int slowSyncMs = 0; // the sleep added to every SQLite sync (a slow disk), 0 for none
    qint64 copyBytes = 0;
    double blocksMbPerS = 0.0;
    double plainMbPerS = 0.0;
    double barMbPerS = 0.0;
    double syncedMbPerS = 0.0;

    QJsonObject toJson() const;
    static Results fromJson(const QJsonObject& json);
    // Adds another run's figures; its copy figures replace these when they are of a larger file.
    void merge(const Results& other);

    // One table of every action at every size, then memory, the copy and the goals.
    void print(QTextStream& out) const;

  private:
    QList<int> sizes() const;
    QStringList actionNames() const;
    const ActionFigure* find(int n, const QString& action) const;
    struct Verdict
    {
        QString goal;
        std::optional<bool> met; // none: not measured
        QString figure;
    };
    QList<Verdict> verdicts() const;
};
