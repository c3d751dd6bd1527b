#pragma once

#include <QFrame>
#include <QList>

class QComboBox;
class QKeyEvent;
class QLineEdit;
class QPushButton;
class RecordSet;

namespace DataFailure {
class Collector;
}

// The main window's record sets that the enrolment panel works on.
struct EnrolmentRecords
{
    RecordSet& subjects;    // IDE: the new subject's row, bound to the panel's boxes
    RecordSet& answers;     // Answer: the new subject's answer row
    RecordSet& answerCodes; // Answer: its code shown in the hidden Text10
    RecordSet& enrolled;    // IDE: the check that a code is free
    RecordSet& results;     // Print1: the new subject's result row
};

// The subject enrolment panel Frame10 of the main window: a new IDE row bound to the panel's
// boxes; Save checks the entries and the code, then writes the subject's Answer, Print1 and
// IDE rows together. Its notices are shown over the main window; when it is done it asks for
// the main window's panels to be hidden.
class EnrolmentPanel : public QFrame
{
    Q_OBJECT

  public:
    EnrolmentPanel(const EnrolmentRecords& records, QWidget* mainWindow);

    // Shows the panel at its place with a new subject row, today's date and the time.
    void open();

  signals:
    void panelsHideRequested();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct EntryCheck
    {
        QLineEdit* entry;
        QString message;
        QWidget* focus;
    };

    void buildControls();
    void buildLayout();
    void bindColumns();
    void setTabOrder();
    QLineEdit* textBox(const QString& name, Qt::Alignment alignment);
    QLineEdit* hiddenBox(const QString& name);
    QComboBox* dropDown(const QString& name, const QStringList& items);

    void Command8_Click();
    void Command10_Click();
    void Combo1_Change();
    void Combo2_Change();
    void Combo3_Change();
    bool Text5_KeyPress(const QKeyEvent& key);

    bool entriesComplete();
    bool codeIsFree();
    bool saveSubject();
    void tellCodeTaken();
    bool writeSubject();
    void reportFailure(const QString& headline, const DataFailure::Collector& collector);
    QList<QLineEdit*> subjectBoxes() const;

    EnrolmentRecords records_;
    QWidget* mainWindow_;
    QLineEdit* text11_ = nullptr;
    QLineEdit* text6_ = nullptr;
    QLineEdit* text4_ = nullptr;
    QLineEdit* text5_ = nullptr;
    QLineEdit* text8_ = nullptr;
    QLineEdit* text9_ = nullptr;
    QLineEdit* text7_ = nullptr;
    QLineEdit* text15_ = nullptr;
    QLineEdit* text16_ = nullptr;
    QLineEdit* text17_ = nullptr;
    QLineEdit* text13_ = nullptr;
    QLineEdit* text12_ = nullptr;
    QLineEdit* text10_ = nullptr;
    QComboBox* combo1_ = nullptr;
    QComboBox* combo2_ = nullptr;
    QComboBox* combo3_ = nullptr;
    QPushButton* command8_ = nullptr;
    QPushButton* command10_ = nullptr;
    QList<EntryCheck> checks_;
};
