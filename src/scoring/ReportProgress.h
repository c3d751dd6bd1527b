#pragma once

#include <QElapsedTimer>
#include <QPointer>

class QProgressDialog;
class QWidget;

// Keeps a long report responsive: a Persian progress dialog over the owner that tells how many
// of the rows are drawn and offers to stop; the event loop turns every few milliseconds so that
// every window keeps painting. Short reports (RowsWithoutDialog rows or fewer) show nothing and
// cannot be stopped: they are done before a dialog could be read.
class ReportProgress
{
  public:
    static constexpr int RowsWithoutDialog = 100;

    ReportProgress(QWidget* owner, int rows);
    ~ReportProgress();
    ReportProgress(const ReportProgress&) = delete;
    ReportProgress& operator=(const ReportProgress&) = delete;

    // Called after each drawn row; false once the operator stopped the report or the
    // application is ending.
    bool advance(int drawn);
    // A last look before the report is put in place: a stop clicked meanwhile still counts.
    bool finish();

    bool stopped() const { return stopped_; }

  private:
    bool turnEventLoop(int drawn);

    int rows_;
    QPointer<QProgressDialog> dialog_;
    QElapsedTimer sinceTurn_;
    bool stopped_ = false;
};
