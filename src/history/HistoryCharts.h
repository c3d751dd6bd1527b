#pragma once

#include "data/SubjectHistory.h"

#include <QImage>
#include <QList>

class QChart;

// The charts of the history screens, drawn right to left with Persian labels.
namespace HistoryCharts {

// The scores of the administrations over time: one point per administration, Solar Hijri
// dates on the time axis, and a dashed line at each boundary between two bands of the scale.
QChart* scoreOverTime(const QList<SubjectHistory::Administration>& administrations);

// How many subjects have each score from 0 to the scale's highest (counts[score]).
QChart* scoreHistogram(const QList<int>& counts);

// The chart drawn on a white image of the given size (for the printed page); takes the chart.
QImage image(QChart* chart, const QSize& size);

} // namespace HistoryCharts
