#pragma once

#include "data/SubjectHistory.h"

#include <QImage>
#include <QWidget>

class QChartView;
class QLabel;
class QTableWidget;
class QTabWidget;

// One subject over time: a tab with the administrations (number, Solar Hijri date, the
// fifteen answers, how many were answered, score and band) and the chart of the score over
// time, and a tab with the subject's audit trail. Prints both as one page.
class FrmHistory : public QWidget
{
    Q_OBJECT

  public:
    explicit FrmHistory(QWidget* parent = nullptr);

    // Reads the subject's history; false (with a Persian notice) when it cannot be read.
    bool showSubject(const QString& code);

    // The chart as drawn on screen (and on the printed page).
    QImage chartImage(const QSize& size = QSize(900, 450)) const;
    // The lines the printed page carries under its heading.
    QStringList reportLines() const;
    QString reportHeading() const;

  private:
    void buildAdministrationTab();
    void buildTrailTab();
    void fillAdministrations();
    void print();

    QString code_;
    QString name_;
    QList<SubjectHistory::Administration> administrations_;
    QLabel* subject_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    QTableWidget* administrationTable_ = nullptr;
    QTableWidget* trailTable_ = nullptr;
    QChartView* chartView_ = nullptr;
};

// Opens the history of the subject modally over owner; returns when it is closed.
void ShowSubjectHistory(QWidget* owner, const QString& code);
