#include "scoring/ReportProgress.h"

#include "ui/ApplicationEnd.h"

#include <QApplication>
#include <QProgressDialog>

namespace {
// Under two frames: the windows never wait longer than that for a repaint.
constexpr qint64 TurnEveryMs = 25;
} // namespace

ReportProgress::ReportProgress(QWidget* owner, int rows) : rows_(rows)
{
    if (rows_ <= RowsWithoutDialog)
        return;
    dialog_ = new QProgressDialog(QStringLiteral("گزارش آماده می‌شود…"),
                                  QStringLiteral("انصراف"), 0, rows_, owner);
    dialog_->setObjectName(QStringLiteral("ReportProgress"));
    dialog_->setWindowTitle(QStringLiteral("چاپ گزارش"));
    dialog_->setWindowModality(Qt::ApplicationModal);
    dialog_->setMinimumDuration(0);
    dialog_->setAutoClose(false);
    dialog_->setAutoReset(false);
    dialog_->setValue(0);
    dialog_->show();
    turnEventLoop(0);
}

ReportProgress::~ReportProgress()
{
    delete dialog_;
}

bool ReportProgress::advance(int drawn)
{
    if (!dialog_ || sinceTurn_.elapsed() < TurnEveryMs)
        return !stopped_;
    return turnEventLoop(drawn);
}

bool ReportProgress::finish()
{
    return dialog_ ? turnEventLoop(rows_) : !stopped_;
}

bool ReportProgress::turnEventLoop(int drawn)
{
    dialog_->setValue(qMin(drawn, rows_)); // the bar only: a new label would lay the dialog out
    QApplication::processEvents();
    sinceTurn_.start();
    if (!dialog_ || dialog_->wasCanceled() || ApplicationEnd::isEnding())
        stopped_ = true;
    return !stopped_;
}
