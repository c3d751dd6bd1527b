#pragma once

#include "data/GroupStatistics.h"

#include <QWidget>

class QChartView;
class QLabel;
class QTableWidget;

// The picture of a group (or of all subjects) at their latest administrations: number of
// subjects, mean and standard deviation of the scores, subjects per band and a histogram of
// the scores; printable.
class FrmGroupPicture : public QWidget
{
    Q_OBJECT

  public:
    explicit FrmGroupPicture(QWidget* parent = nullptr);

    // Reads the group (empty: all subjects); false (with a Persian notice) when it cannot.
    bool showGroup(const QString& group);

    QString reportHeading() const;
    QStringList reportLines() const;
    QImage chartImage(const QSize& size = QSize(900, 450)) const;

  private:
    void print();

    QString group_;
    GroupStatistics statistics_;
    QLabel* summary_ = nullptr;
    QTableWidget* bandTable_ = nullptr;
    QChartView* chartView_ = nullptr;
};

// Opens the picture of the group modally over owner; returns when it is closed.
void ShowGroupPicture(QWidget* owner, const QString& group);
