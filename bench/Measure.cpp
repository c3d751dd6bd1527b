#include "Measure.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDeadlineTimer>
#include <QEvent>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTextStream>
#include <QTimer>
#include <QWindow>

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

double Series::syncsPerAction() const
{
    return ms.isEmpty() ? 0.0 : static_cast<double>(syncs) / static_cast<double>(ms.size());
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

bool PaintProbe::isTargetWindow(QObject* watched) const
{
    if (isTarget_(watched))
        return true;
    if (!watched->isWindowType())
        return false;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->windowHandle() == watched)
            return isTarget_(widget);
    }
    return false;
}

bool PaintProbe::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Paint && isTarget_(watched))
        painting_ = true;
    const bool paintsFrame =
        event->type() == QEvent::Expose || event->type() == QEvent::UpdateRequest;
    if (!paintsFrame || shownMs_ >= 0 || !clock_.isValid() || !isTargetWindow(watched))
        return false;
    // The window and all its children are painted while this event is handled: handle it here
    // and note the time once it is done.
    const bool before = painting_;
    watched->event(event);
    if (!before && painting_)
        shownMs_ = elapsedMs(clock_);
    return true;
}

double PaintProbe::waitShownMs()
{
    QDeadlineTimer deadline(10000);
    while (shownMs_ < 0 && !deadline.hasExpired())
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    return shownMs_;
}

EventLoopGap::EventLoopGap()
{
    auto* timer = new QTimer(this);
    timer->setTimerType(Qt::PreciseTimer);
    connect(timer, &QTimer::timeout, this, &EventLoopGap::turned);
    timer->start(0);
    sinceTurn_.start();
}

void EventLoopGap::turned()
{
    longestMs_ = std::max(longestMs_, elapsedMs(sinceTurn_));
    sinceTurn_.start();
}

namespace {
constexpr int StrayAfterMs = 3000; // longer than any timed notice
}

StrayBoxGuard::StrayBoxGuard()
{
    auto* timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, &StrayBoxGuard::check);
    timer->start(250);
}

void StrayBoxGuard::check()
{
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || !box->isVisible()) {
        seen_ = nullptr;
        return;
    }
    if (box != seen_) {
        seen_ = box;
        seenFor_.start();
        return;
    }
    if (seenFor_.elapsed() < StrayAfterMs)
        return;
    ++strays_;
    QTextStream(stderr) << "  unexpected box \"" << box->windowTitle() << "\": " << box->text()
                        << Qt::endl;
    QAbstractButton* button = box->defaultButton();
    if (!button)
        button = box->buttons().value(0);
    if (button)
        button->click();
}
