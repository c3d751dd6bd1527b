#pragma once

#include <QFrame>

class Frm1;
class QLineEdit;

// Panel Frame9 of the main window: the clinic's name (Text2) and address (Text14), bound by
// the main window to its settings record set.
class ClinicPanel : public QFrame
{
    Q_OBJECT

  public:
    explicit ClinicPanel(Frm1* mainWindow);

    QLineEdit* nameBox() const { return text2_; }
    QLineEdit* addressBox() const { return text14_; }
    void open();

  private:
    Frm1* mainWindow_;
    QLineEdit* text2_;
    QLineEdit* text14_;
};
