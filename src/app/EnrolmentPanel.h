#pragma once

#include <QFrame>
#include <QList>

class Frm1;
class QComboBox;
class QKeyEvent;
class QLineEdit;
class QPushButton;
class RecordSet;

namespace DataFailure {
class Collector;
}

// The subject enrolment panel Frame10 of the main window: a new IDE row in the main window's
// Adodc2, bound to the panel's boxes; Save checks the entries and the code, then writes the
// subject's Answer, Print1 and IDE rows together.
class EnrolmentPanel : public QFrame
{
    Q_OBJECT

  public:
    explicit EnrolmentPanel(Frm1* mainWindow);

    // Shows the panel at its place with a new subject row, today's date and the time.
    void open();

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
    bool writeSubject();
    void reportFailure(const QString& headline, const DataFailure::Collector& collector);
    QList<QLineEdit*> subjectBoxes() const;
    RecordSet& records(int number) const;

    Frm1* mainWindow_;
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
