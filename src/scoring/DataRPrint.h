#pragma once

#include "scoring/ReportCellText.h"

#include <QFont>
#include <QString>

#include <functional>
#include <vector>

class QPagedPaintDevice;
class QPainter;
class QRectF;
class QSqlQuery;

// The result report: a report header with the clinic's name and the title, the column
// headings at the top of every page, one numbered line per result row and a report footer
// with the clinic's address. Places are in twips from the left edge of the report, which is
// 9512 twips wide; its columns run from right to left.
class DataRPrint
{
  public:
    DataRPrint();

    void setClinic(const QString& name, const QString& address);

    // Draws the whole report, all pages, with a painter begun on the device. The rows carry
    // the columns Code, FName, LName, Group, Score and Comment, in that order. Lines are
    // numbered from 1. After each detail line keepGoing (when given) is told how many lines are
    // drawn; when it answers false the report stops there. Returns false when the device refused
    // a new page or the report was stopped.
    bool print(QPainter& painter, QPagedPaintDevice& device, QSqlQuery& rows,
               const std::function<bool(int drawn)>& keepGoing = {});

    // The number shown on the last detail line printed.
    int rowCounter() const { return rowCounter_; }

  private:
    struct Cell
    {
        int left;
        int width;
    };

    void placeOnPage(QPainter& painter, const QPagedPaintDevice& device);
    bool ensureRoom(QPainter& painter, QPagedPaintDevice& device, int height);
    void drawReportHeader(QPainter& painter);
    void drawPageHeader(QPainter& painter);
    void drawDetail(QPainter& painter, const QSqlQuery& row);
    void drawReportFooter(QPainter& painter);
    void drawRules(QPainter& painter, int top, int height, bool withTop);
    void drawText(QPainter& painter, Cell cell, int top, int height, const QString& text,
                  const QFont& font, Qt::Alignment alignment, Qt::LayoutDirection direction);
    QString myf_Format();

    QString clinicName_;
    QString clinicAddress_;
    int rowCounter_ = 0;
    int pageHeight_ = 0;
    int y_ = 0;
    QFont headingFont_;
    QFont detailFont_;
    QFont titleFont_;
    QFont clinicFont_;
    std::vector<CellTextCache> detailCells_; // one per column, for one report
};
