#pragma once

#include <QWidget>

class QAbstractButton;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class RecordSet;

// The test screen: puts the fifteen items to one subject, one at a time, and stores each yes/no
// answer in the subject's Answer row. The item number box Text6 drives what is shown; the
// hidden answer buffer Text12 is bound at run time to the answer column of the shown item.
class FrmTest : public QWidget
{
    Q_OBJECT

  public:
    explicit FrmTest(QWidget* parent = nullptr);

    // The subject's Answer row (Adodc2) and IDE row (Adodc3); the main window refreshes and
    // filters both to the subject before it shows the screen.
    RecordSet& answerRecords() { return *adodc2_; }
    RecordSet& subjectRecords() { return *adodc3_; }

    // The start state the main window puts a freshly loaded screen in after a run: the later
    // introduction (instruction, Start, subject panel, blank question; item number "0").
    void resetToStart();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildRecordSets();
    void buildIntroduction();
    void buildSubjectPanel();
    void buildAnswerPanel();
    void buildNavigation();
    QAbstractButton* button(const QString& name, const QString& caption, const QRect& place);

    void Form_Load();
    void Command1_Click();
    void Option1_Click();
    void Option2_Click();
    void CmdNext_Click();
    void CmdBack_Click();
    void Text6_Change();
    void ShowStoredAnswer();
    void Command5_Click();

    void stepItem(int step);
    double itemValue() const;
    bool itemTextIsSound();
    void bindAnswerBuffer();
    void clearAnswerButtons();
    void rejectKey();
    QString saveSubject();
    void CmdRetest_Click();
    void showRetestWhenComplete();
    bool currentAdministrationComplete() const;
    bool confirmCloseWithoutSaving(const QString& failure);

    RecordSet* adodc1_;
    RecordSet* adodc2_;
    RecordSet* adodc3_;
    RecordSet* adodc4_;
    RecordSet* adodc5_;

    QLabel* skinLabel3_ = nullptr;
    QLabel* skinLabel4_ = nullptr;
    QLabel* skinLbl5_ = nullptr;
    QAbstractButton* command1_ = nullptr;
    QAbstractButton* command5_ = nullptr;
    QAbstractButton* cmdBack_ = nullptr;
    QAbstractButton* cmdNext_ = nullptr;
    QAbstractButton* cmdRetest_ = nullptr;
    QLineEdit* text6_ = nullptr;
    QGroupBox* frame2_ = nullptr;
    QRadioButton* option1_ = nullptr;
    QRadioButton* option2_ = nullptr;
    QLineEdit* text12_ = nullptr;
    QFrame* frame1_ = nullptr;
    QLineEdit* text1_ = nullptr;
    QLineEdit* text5_ = nullptr;
    QLineEdit* text2_ = nullptr;
    QLineEdit* text15_ = nullptr;
    QLineEdit* text13_ = nullptr;

    // The item whose question is on screen (it stays there through the quiet zero).
    int shownItem_ = 1;
    // Set by Save and exit: the close that follows needs no save of its own.
    bool unloading_ = false;
    // Set by the retest button: the answers on screen are a new administration, kept in the
    // answer buffer until Save and exit stores them with the rest.
    bool retesting_ = false;
};
