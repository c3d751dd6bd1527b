#include "history/HistoryCharts.h"

#include "calendar/SolarHijriDate.h"
#include "questionnaire/Questionnaires.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QCoreApplication>
#include <QLineSeries>
#include <QPen>
#include <QValueAxis>

namespace HistoryCharts {

namespace {

const Questionnaire& scale()
{
    return Questionnaires::geriatricDepression();
}

QValueAxis* scoreAxis(const QString& title)
{
    auto* axis = new QValueAxis;
    axis->setRange(0, scale().itemCount());
    axis->setTickCount(scale().itemCount() / 3 + 1);
    axis->setLabelFormat(QStringLiteral("%.0f"));
    axis->setTitleText(title);
    return axis;
}

QChart* newChart(const QString& title)
{
    auto* chart = new QChart;
    chart->setTitle(title);
    chart->setLocalizeNumbers(true);
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->legend()->setAlignment(Qt::AlignBottom);
    return chart;
}

} // namespace

QChart* scoreOverTime(const QList<SubjectHistory::Administration>& administrations)
{
    QChart* chart = newChart(QStringLiteral("نمره در گذر زمان"));
    auto* scores = new QLineSeries;
    scores->setName(QStringLiteral("نمره"));
    scores->setPointsVisible(true);
    auto* time = new QCategoryAxis;
    time->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    time->setTitleText(QStringLiteral("تاریخ"));
    qreal first = 0;
    qreal last = 0;
    for (const SubjectHistory::Administration& one : administrations) {
        const QDateTime moment = SubjectHistory::momentOf(one.administeredAt);
        const qreal x = static_cast<qreal>(moment.toMSecsSinceEpoch());
        if (scores->count() == 0)
            first = x;
        last = x;
        scores->append(x, scale().score(one.answers));
        // A category label must be unique: the administration's number tells two days apart.
        time->append(QStringLiteral("%1 (%2)").arg(SolarHijriDate(moment, 0)).arg(one.number), x);
    }
    constexpr qreal day = 24.0 * 3600 * 1000;
    const qreal from = first - day;
    const qreal to = qMax(last, first) + day;
    time->setRange(from, to);
    time->setStartValue(from);
    chart->addSeries(scores);
    chart->addAxis(time, Qt::AlignBottom);
    QValueAxis* axis = scoreAxis(QStringLiteral("نمره"));
    chart->addAxis(axis, Qt::AlignLeft);
    scores->attachAxis(time);
    scores->attachAxis(axis);
    for (qsizetype i = 1; i < scale().bands.size(); ++i) {
        const qreal boundary = scale().bands[i].lowest - 0.5;
        auto* line = new QLineSeries;
        line->setName(QStringLiteral("آغاز «%1»").arg(scale().bands[i].text));
        line->append(from, boundary);
        line->append(to, boundary);
        QPen pen(Qt::gray);
        pen.setStyle(Qt::DashLine);
        line->setPen(pen);
        chart->addSeries(line);
        line->attachAxis(time);
        line->attachAxis(axis);
    }
    return chart;
}

QChart* scoreHistogram(const QList<int>& counts)
{
    QChart* chart = newChart(QStringLiteral("شمار آزمودنی‌ها در هر نمره"));
    auto* set = new QBarSet(QStringLiteral("آزمودنی‌ها"));
    QStringList labels;
    int highest = 0;
    for (qsizetype score = 0; score < counts.size(); ++score) {
        *set << counts[score];
        labels << QString::number(score);
        highest = qMax(highest, counts[score]);
    }
    auto* bars = new QBarSeries;
    bars->append(set);
    chart->addSeries(bars);
    auto* scores = new QBarCategoryAxis;
    scores->append(labels);
    scores->setTitleText(QStringLiteral("نمره"));
    auto* number = new QValueAxis;
    number->setRange(0, qMax(1, highest));
    number->setLabelFormat(QStringLiteral("%.0f"));
    number->setTitleText(QStringLiteral("شمار"));
    chart->addAxis(scores, Qt::AlignBottom);
    chart->addAxis(number, Qt::AlignLeft);
    bars->attachAxis(scores);
    bars->attachAxis(number);
    return chart;
}

QImage image(QChart* chart, const QSize& size)
{
    QChartView view(chart);
    view.setRenderHint(QPainter::Antialiasing);
    view.setLayoutDirection(Qt::RightToLeft);
    view.resize(size);
    QCoreApplication::sendPostedEvents();
    return view.grab().toImage();
}

} // namespace HistoryCharts
