#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>

// The timings of one action: every repetition in milliseconds, summarised by percentiles, and
// the sync calls SQLite made in all of them.
struct Series
{
    QString action;
    QList<double> ms;
    qint64 syncs = 0;

    double percentile(double p) const;
    double syncsPerAction() const;
};

// Times one run of fn in milliseconds, wall clock.
double timeMs(const std::function<void()>& fn);

// Milliseconds since start, with sub-millisecond resolution.
double elapsedMs(const QElapsedTimer& start);

// Peak resident memory of this process so far (VmHWM), in megabytes.
double peakResidentMb();

// Times how long a window takes to be shown: from start() to the moment the event loop is
// back after the window's first frame was painted, wherever the window is created.
class PaintProbe : public QObject
{
  public:
    explicit PaintProbe(std::function<bool(QObject*)> isTarget);
    ~PaintProbe() override;

    void start();
    // Runs the event loop until the target's first frame is done (at most a few seconds) and
    // returns the milliseconds from start() to then; a negative value when it never painted.
    double waitShownMs();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool isTargetWindow(QObject* watched) const;

    std::function<bool(QObject*)> isTarget_;
    QElapsedTimer clock_;
    bool painting_ = false;
    double shownMs_ = -1.0;
};

// The longest time the event loop went without a turn while this object lived (a timer that
// fires on every turn): how long a window could have waited for a repaint.
class EventLoopGap : public QObject
{
  public:
    EventLoopGap();
    double longestMs() const { return longestMs_; }

  private:
    void turned();

    QElapsedTimer sinceTurn_;
    double longestMs_ = 0.0;
};

// Closes a message box that nothing answers (a failure the benchmark did not expect) after a
// few seconds, and says what it read, so that a run never hangs.
class StrayBoxGuard : public QObject
{
  public:
    StrayBoxGuard();
    int strays() const { return strays_; }

  private:
    void check();

    QPointer<QWidget> seen_;
    QElapsedTimer seenFor_;
    int strays_ = 0;
};
