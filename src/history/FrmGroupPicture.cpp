#include "history/FrmGroupPicture.h"

#include "history/HistoryCharts.h"
#include "questionnaire/Questionnaires.h"
#include "scoring/PrintResultReport.h"
#include "ui/Accessible.h"
#include "ui/ModalRun.h"
#include "ui/Notice.h"

#include <QChart>
#include <QChartView>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

const Questionnaire& scale()
{
    return Questionnaires::geriatricDepression();
}

} // namespace

FrmGroupPicture::FrmGroupPicture(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("FrmGroupPicture"));
    setWindowTitle(QStringLiteral("تصویر گروه"));
    setAccessibleName(QStringLiteral("تصویر نمره‌های گروه"));
    resize(820, 600);
    auto* layout = new QVBoxLayout(this);
    summary_ = new QLabel(this);
    summary_->setObjectName(QStringLiteral("GroupSummary"));
    summary_->setTextFormat(Qt::PlainText);
    layout->addWidget(summary_);
    bandTable_ = new QTableWidget(static_cast<int>(scale().bands.size()), 2, this);
    bandTable_->setObjectName(QStringLiteral("BandTable"));
    Accessible::describe(
        bandTable_, QStringLiteral("شمار آزمودنی‌ها در هر نتیجه"),
        QStringLiteral(
            "جدولی که برای هر نتیجه آزمون شمار آزمودنی‌ها را نشان می‌دهد"));
    bandTable_->setHorizontalHeaderLabels({QStringLiteral("نتیجه"), QStringLiteral("شمار")});
    bandTable_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    bandTable_->verticalHeader()->hide();
    bandTable_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    bandTable_->setMaximumHeight(130);
    layout->addWidget(bandTable_);
    chartView_ = new QChartView(this);
    chartView_->setObjectName(QStringLiteral("ScoreHistogram"));
    Accessible::describe(
        chartView_,
        QStringLiteral("نمودار شمار آزمودنی‌ها در هر نمره"),
        QStringLiteral(
            "ستون‌هایی که شمار آزمودنی‌های گروه را در هر نمره نشان می‌دهند"));
    layout->addWidget(chartView_, 1);
    auto* buttons = new QHBoxLayout;
    auto* printButton = new QPushButton(QStringLiteral("چاپ"), this);
    printButton->setObjectName(QStringLiteral("GroupPrint"));
    Accessible::describe(
        printButton, QStringLiteral("چاپ تصویر گروه"),
        QStringLiteral(
            "جدول و نمودار گروه را روی یک صفحه چاپ می‌کند"));
    auto* closeButton = new QPushButton(QStringLiteral("بستن"), this);
    closeButton->setObjectName(QStringLiteral("GroupClose"));
    Accessible::describe(closeButton, QStringLiteral("بستن تصویر گروه"),
                         QStringLiteral("این پنجره را می‌بندد"));
    buttons->addWidget(printButton);
    buttons->addStretch();
    buttons->addWidget(closeButton);
    layout->addLayout(buttons);
    connect(printButton, &QPushButton::clicked, this, &FrmGroupPicture::print);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
}

bool FrmGroupPicture::showGroup(const QString& group)
{
    QString error;
    if (!GroupStatistics::of(group, &statistics_, &error)) {
        Notice::warn(this, QStringLiteral("تصویر گروه خوانده نشد.\n%1").arg(error));
        return false;
    }
    group_ = group;
    const QStringList lines = reportLines();
    summary_->setText(reportHeading() + QLatin1Char('\n') + lines.first());
    for (int band = 0; band < scale().bands.size(); ++band) {
        bandTable_->setItem(band, 0, new QTableWidgetItem(scale().bands[band].text));
        bandTable_->setItem(band, 1,
                            new QTableWidgetItem(QString::number(statistics_.perBand[band])));
    }
    QChart* previous = chartView_->chart();
    chartView_->setChart(HistoryCharts::scoreHistogram(statistics_.perScore));
    delete previous;
    return true;
}

QString FrmGroupPicture::reportHeading() const
{
    return group_.isEmpty() ? QStringLiteral("تصویر همه آزمودنی‌ها")
                            : QStringLiteral("تصویر گروه %1").arg(group_);
}

QStringList FrmGroupPicture::reportLines() const
{
    QStringList lines{
        QStringLiteral(
            "شمار آزمودنی‌ها: %1   میانگین نمره: %2   انحراف معیار: %3")
            .arg(statistics_.count)
            .arg(statistics_.mean, 0, 'f', 2)
            .arg(statistics_.standardDeviation, 0, 'f', 2)};
    for (int band = 0; band < scale().bands.size(); ++band)
        lines << QStringLiteral("%1: %2")
                     .arg(scale().bands[band].text)
                     .arg(statistics_.perBand[band]);
    return lines;
}

QImage FrmGroupPicture::chartImage(const QSize& size) const
{
    return HistoryCharts::image(HistoryCharts::scoreHistogram(statistics_.perScore), size);
}

void FrmGroupPicture::print()
{
    PrintTextAndPicture(this, reportHeading(), {}, reportLines(), chartImage());
}

void ShowGroupPicture(QWidget* owner, const QString& group)
{
    FrmGroupPicture screen(owner);
    if (screen.showGroup(group))
        runModal(&screen);
}
