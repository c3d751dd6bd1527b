#pragma once

#include <QWidget>

class RecordSet;

// The test screen: puts the fifteen items to one subject and stores the answers.
class FrmTest : public QWidget
{
    Q_OBJECT

  public:
    explicit FrmTest(QWidget* parent = nullptr);

    // The subject's Answer row (Adodc2) and IDE row (Adodc3); the main window refreshes and
    // filters both to the subject before it shows the screen.
    RecordSet& answerRecords() { return *adodc2_; }
    RecordSet& subjectRecords() { return *adodc3_; }

    // The start state the main window puts a freshly loaded screen in after a run.
    void resetToStart();

  private:
    RecordSet* adodc2_;
    RecordSet* adodc3_;
};
