#pragma once

#include <QWidget>

class ImageButton;
class QCheckBox;
class QTimer;

// The exit prompt: asks whether to leave, offers a backup first, and blinks its title and
// check box between two texts. Confirm ends the application (or opens the backup screen when
// the box is ticked); Cancel brings back a new main window. Closing the prompt any other way
// ends the application.
class exitpro : public QWidget
{
    Q_OBJECT

  public:
    explicit exitpro(QWidget* parent = nullptr);

    // The two texts the title and the check box alternate between.
    static QString blinkTextA();
    static QString blinkTextB();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildButtons();
    void buildTimers();
    void Form_Load();
    void Form_MouseMove();
    void k1_MouseMove();
    void c1_MouseMove();
    void k2_Click();
    void c2_Click();
    void Timer2_Timer();
    void Timer3_Timer();
    void tmCaptionAnimate_Timer();
    QTimer* blinkTimer(const char* name, void (exitpro::*handler)());

    QCheckBox* check1_ = nullptr;
    ImageButton* k1_ = nullptr;
    ImageButton* k2_ = nullptr;
    ImageButton* c1_ = nullptr;
    ImageButton* c2_ = nullptr;
    QTimer* timer2_ = nullptr;
    QTimer* timer3_ = nullptr;
    QTimer* tmCaptionAnimate_ = nullptr;
    bool cancelled_ = false;
};
