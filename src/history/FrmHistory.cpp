#include "history/FrmHistory.h"

#include "calendar/SolarHijriDate.h"
#include "data/AuditTrail.h"
#include "data/Columns.h"
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
#include <QPainter>
#include <QPushButton>
#include <QSqlQuery>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

const Questionnaire& scale()
{
    return Questionnaires::geriatricDepression();
}

QTableWidget* readOnlyTable(const QString& name, const QStringList& headers, QWidget* parent)
{
    auto* table = new QTableWidget(0, static_cast<int>(headers.size()), parent);
    table->setObjectName(name);
    table->setHorizontalHeaderLabels(headers);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    return table;
}

void setRow(QTableWidget* table, int row, const QStringList& cells)
{
    for (int column = 0; column < cells.size(); ++column)
        table->setItem(row, column, new QTableWidgetItem(cells[column]));
}

int answeredCount(const QStringList& answers)
{
    return static_cast<int>(std::count_if(answers.begin(), answers.end(),
                                          [](const QString& a) { return !a.isEmpty(); }));
}

QString answerText(const QString& answer)
{
    if (answer == Questionnaire::Yes)
        return QStringLiteral("بله");
    if (answer == Questionnaire::No)
        return QStringLiteral("خیر");
    return answer.isEmpty() ? QStringLiteral("-") : answer;
}

QString dateOf(const QString& moment)
{
    const QDateTime local = SubjectHistory::momentOf(moment);
    return local.isValid() ? SolarHijriDate(local, 0) + QLatin1Char(' ') +
                                 local.time().toString(QStringLiteral("HH:mm"))
                           : moment;
}

QString subjectName(const QString& code)
{
    const SubjectHistory::SubjectDetails details = SubjectHistory::subjectDetails(code);
    return QStringList{details.value(1), details.value(2)}.join(QLatin1Char(' ')).trimmed();
}

} // namespace

FrmHistory::FrmHistory(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("FrmHistory"));
    setWindowTitle(QStringLiteral("سابقه آزمودنی"));
    setAccessibleName(
        QStringLiteral("سابقه آزمون‌ها و تغییرات آزمودنی"));
    resize(980, 640);
    auto* layout = new QVBoxLayout(this);
    subject_ = new QLabel(this);
    subject_->setObjectName(QStringLiteral("HistorySubject"));
    subject_->setTextFormat(Qt::PlainText);
    layout->addWidget(subject_);
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("HistoryTabs"));
    Accessible::describe(tabs_, QStringLiteral("برگه‌های سابقه"),
                         QStringLiteral("برگه اجراهای آزمون و برگه ردپای تغییرات آزمودنی"));
    layout->addWidget(tabs_, 1);
    buildAdministrationTab();
    buildTrailTab();
    auto* buttons = new QHBoxLayout;
    auto* printButton = new QPushButton(QStringLiteral("چاپ"), this);
    printButton->setObjectName(QStringLiteral("HistoryPrint"));
    Accessible::describe(
        printButton, QStringLiteral("چاپ سابقه آزمودنی"),
        QStringLiteral(
            "جدول اجراها و نمودار نمره را روی یک صفحه چاپ می‌کند"));
    auto* closeButton = new QPushButton(QStringLiteral("بستن"), this);
    closeButton->setObjectName(QStringLiteral("HistoryClose"));
    Accessible::describe(closeButton, QStringLiteral("بستن سابقه آزمودنی"),
                         QStringLiteral("این پنجره را می‌بندد"));
    buttons->addWidget(printButton);
    buttons->addStretch();
    buttons->addWidget(closeButton);
    layout->addLayout(buttons);
    connect(printButton, &QPushButton::clicked, this, &FrmHistory::print);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
}

void FrmHistory::buildAdministrationTab()
{
    auto* page = new QWidget(tabs_);
    auto* layout = new QVBoxLayout(page);
    QStringList headers{QStringLiteral("اجرا"), QStringLiteral("تاریخ")};
    for (int item = 1; item <= scale().itemCount(); ++item)
        headers << QString::number(item);
    headers << QStringLiteral("پاسخ‌داده") << QStringLiteral("نمره")
            << QStringLiteral("نتیجه");
    administrationTable_ = readOnlyTable(QStringLiteral("AdministrationTable"), headers, page);
    Accessible::describe(
        administrationTable_, QStringLiteral("جدول اجراهای آزمون"),
        QStringLiteral(
            "هر ردیف یک اجرای آزمون است با تاریخ، پاسخ‌ها، نمره و نتیجه"));
    chartView_ = new QChartView(page);
    chartView_->setObjectName(QStringLiteral("ScoreChart"));
    Accessible::describe(chartView_, QStringLiteral("نمودار نمره در گذر زمان"),
                         QStringLiteral("نمره آزمودنی در هر اجرا به ترتیب تاریخ"));
    chartView_->setRenderHint(QPainter::Antialiasing);
    chartView_->setMinimumHeight(260);
    layout->addWidget(administrationTable_, 1);
    layout->addWidget(chartView_, 2);
    tabs_->addTab(page, QStringLiteral("اجراها"));
}

void FrmHistory::buildTrailTab()
{
    trailTable_ =
        readOnlyTable(QStringLiteral("AuditTable"),
                      {QStringLiteral("زمان"), QStringLiteral("کاربر"), QStringLiteral("رایانه"),
                       QStringLiteral("کار"), QStringLiteral("ستون"), QStringLiteral("مقدار پیشین"),
                       QStringLiteral("مقدار تازه")},
                      tabs_);
    Accessible::describe(
        trailTable_, QStringLiteral("ردپای تغییرات آزمودنی"),
        QStringLiteral("هر ردیف یک تغییر است با زمان، کاربر، ستون و مقدار پیشین و تازه"));
    tabs_->addTab(trailTable_, QStringLiteral("ردپای تغییرات"));
}

bool FrmHistory::showSubject(const QString& code)
{
    QString error;
    code_ = code;
    administrations_ = SubjectHistory::administrations(code, &error);
    const QList<AuditTrail::Entry> trail =
        error.isEmpty() ? AuditTrail::entries(code, &error) : QList<AuditTrail::Entry>();
    if (!error.isEmpty()) {
        Notice::warn(this, QStringLiteral("سابقه آزمودنی خوانده نشد.\n%1").arg(error));
        return false;
    }
    name_ = subjectName(code);
    subject_->setText(QStringLiteral("کد آزمودنی: %1    نام: %2").arg(code, name_));
    fillAdministrations();
    trailTable_->setRowCount(static_cast<int>(trail.size()));
    for (int row = 0; row < trail.size(); ++row) {
        const AuditTrail::Entry& entry = trail[row];
        setRow(trailTable_, row,
               {dateOf(entry.at), entry.user, entry.host, entry.action, entry.change.field,
                entry.change.oldValue, entry.change.newValue});
    }
    return true;
}

void FrmHistory::fillAdministrations()
{
    administrationTable_->setRowCount(static_cast<int>(administrations_.size()));
    for (int row = 0; row < administrations_.size(); ++row) {
        const SubjectHistory::Administration& one = administrations_[row];
        QStringList cells{QString::number(one.number), dateOf(one.administeredAt)};
        for (const QString& answer : one.answers)
            cells << answerText(answer);
        const int score = scale().score(one.answers);
        cells << QString::number(answeredCount(one.answers)) << QString::number(score)
              << scale().bandText(score);
        setRow(administrationTable_, row, cells);
    }
    QChart* previous = chartView_->chart();
    chartView_->setChart(HistoryCharts::scoreOverTime(administrations_));
    delete previous;
}

QImage FrmHistory::chartImage(const QSize& size) const
{
    return HistoryCharts::image(HistoryCharts::scoreOverTime(administrations_), size);
}

QString FrmHistory::reportHeading() const
{
    return QStringLiteral("سابقه آزمون‌های آزمودنی");
}

QStringList FrmHistory::reportLines() const
{
    QStringList lines;
    for (const SubjectHistory::Administration& one : administrations_) {
        const int score = scale().score(one.answers);
        QStringList answers;
        for (const QString& answer : one.answers)
            answers << (answer.isEmpty() ? QStringLiteral("-") : answer);
        lines
            << QStringLiteral(
                   "اجرای %1   تاریخ %2   پاسخ‌ها %3   پاسخ‌داده %4   نمره %5   %6")
                   .arg(one.number)
                   .arg(dateOf(one.administeredAt), answers.join(QLatin1Char(' ')))
                   .arg(answeredCount(one.answers))
                   .arg(score)
                   .arg(scale().bandText(score));
    }
    return lines;
}

void FrmHistory::print()
{
    PrintTextAndPicture(this, reportHeading(),
                        {{QStringLiteral("کد آزمودنی:"), code_}, {QStringLiteral("نام:"), name_}},
                        reportLines(), chartImage());
}

void ShowSubjectHistory(QWidget* owner, const QString& code)
{
    FrmHistory screen(owner);
    if (screen.showSubject(code))
        runModal(&screen);
}
