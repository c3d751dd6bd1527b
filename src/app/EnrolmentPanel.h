#pragma once

#include <QFrame>

class Frm1;

// The subject enrolment panel Frame10 of the main window.
class EnrolmentPanel : public QFrame
{
    Q_OBJECT

  public:
    explicit EnrolmentPanel(Frm1* mainWindow);

    // Shows the panel at its place with a new subject row.
    void open();

  private:
    Frm1* mainWindow_;
};
