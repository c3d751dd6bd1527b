#include "Measure.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QEvent>
#include <QFile>

#include <algorithm>
#include <cmath>

double Series::percentile(double p) const
{
    if (ms.isEmpty())
        return 0.0;
    QList<double> sorted = ms;
    std::sort(sorted.begin(), sorted.end());
    // Linear interpolation between the closest ranks.
    const double rank = p / 100.0 * static_cast<double>(sorted.size() - 1);
    const auto low = static_cast<qsizetype>(std::floor(rank));
    const auto high = std::min(low + 1, sorted.size() - 1);
    return sorted[low] + (sorted[high] - sorted[low]) * (rank - static_cast<double>(low));
}

double elapsedMs(const QElapsedTimer& start)
{
    return static_cast<double>(start.nsecsElapsed()) / 1e6;
}

double timeMs(const std::function<void()>& fn)
{
    QElapsedTimer clock;
    clock.start();
    fn();
    return elapsedMs(clock);
}

double peakResidentMb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly | QIODevice::Text))
        return 0.0;
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine()) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    }
    return 0.0;
}

PaintProbe::PaintProbe(std::function<bool(QObject*)> isTarget) : isTarget_(std::move(isTarget))
{
    qApp->installEventFilter(this);
}

PaintProbe::~PaintProbe()
{
    qApp->removeEventFilter(this);
}

void PaintProbe::start()
{
    painting_ = false;
    shownMs_ = -1.0;
    clock_.start();
}

bool PaintProbe::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Paint && !painting_ && clock_.isValid() && isTarget_(watched)) {
        // The window paints first, then its children, all before the event loop runs again:
        // the frame is done when this queued call runs.
        painting_ = true;
        QMetaObject::invokeMethod(
            this, [this] { shownMs_ = elapsedMs(clock_); }, Qt::QueuedConnection);
    }
    return false;
}

double PaintProbe::waitShownMs()
{
    QDeadlineTimer deadline(10000);
    while (shownMs_ < 0 && !deadline.hasExpired())
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    return shownMs_;
}
