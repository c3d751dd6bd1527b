#pragma once

#include <QWidget>

class QAbstractButton;
class QGroupBox;
class QLabel;
class QLineEdit;
class RecordSet;
namespace DataFailure {
class Collector;
}

// The scoring screen: finds a subject by code, shows the subject's details and fifteen
// answers, warns about unanswered items, counts the keyed answers into a score with its band
// text, stores both in the subject's result row and prints the result report.
class FrmkLID : public QWidget
{
    Q_OBJECT

  public:
    explicit FrmkLID(QWidget* parent = nullptr);

    // The record sets Adodc1 (Theme), Adodc2 (Answer), Adodc3 (IDE) and Adodc4 (Print1).
    RecordSet& settings() const { return *adodc_.at(0); }
    RecordSet& answers() const { return *adodc_.at(1); }
    RecordSet& subjects() const { return *adodc_.at(2); }
    RecordSet& results() const { return *adodc_.at(3); }
    // The search marker: the code of the subject found by the last search, empty before a
    // search and after a print.
    QLineEdit* searchMarker() const { return text5_; }

  private:
    void buildRecordSets();
    void buildSubjectPanel();
    void buildAnswerBoxes();
    void buildScoreArea();
    void buildButtons();
    void Form_Load();
    void Command1_Click();
    void Command6_Click();
    void Command4_Click();
    void SearchSubject();
    void warnAboutUnansweredItems();
    void scoreAnswers();
    bool storeScore(const DataFailure::Collector& failure);
    void setScore(int score);
    void Txt6_Change();
    void showStoredBand();
    void showBand(const QString& bandText);

    QList<RecordSet*> adodc_;
    QLineEdit* text1_ = nullptr;
    QLineEdit* text5_ = nullptr;
    QLineEdit* text13_ = nullptr;
    QLineEdit* text16_ = nullptr;
    QList<QLineEdit*> txt3_;
    QLineEdit* txt6_ = nullptr;
    QLabel* bandLabel_ = nullptr; // SkinLabel1(2)
    QLabel* label1_ = nullptr;
    QGroupBox* frame5_ = nullptr;
};
