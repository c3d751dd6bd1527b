#include "backup/exitpro.h"

#include "backup/ExitArtwork.h"
#include "backup/Frmbackup.h"
#include "ui/ApplicationEnd.h"
#include "ui/Fonts.h"
#include "ui/ImageButton.h"
#include "ui/Twips.h"
#include "ui/WindowPlacement.h"
#include "ui/WindowRequests.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QPainter>
#include <QTimer>

exitpro::exitpro(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("exitpro"));
    setWindowTitle(QStringLiteral("تهيه نسخه پشتيبان"));
    setFixedSize(twips(4740), twips(3030));
    setMouseTracking(true);
    setAccessibleName(ExitArtwork::titleText());
    setAccessibleDescription(ExitArtwork::questionText());

    check1_ = new QCheckBox(QStringLiteral("تهيه نسخه پشتيبان"), this);
    check1_->setObjectName(QStringLiteral("Check1"));
    check1_->setGeometry(twipsRect(1080, 1800, 2475, 375));
    check1_->setFont(Fonts::nazanin(12, true));
    QPalette colours = check1_->palette();
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText})
        colours.setColor(role, QColor(128, 64, 64));
    for (QPalette::ColorRole role : {QPalette::Window, QPalette::Button})
        colours.setColor(role, QColor(192, 255, 255));
    check1_->setPalette(colours);
    check1_->setAutoFillBackground(true);
    check1_->setAttribute(Qt::WA_NoMousePropagation);

    buildButtons();
    buildTimers();
    Form_Load();
}

QString exitpro::blinkTextA()
{
    return QStringLiteral(" تهيه نسخه پشتيبان");
}

QString exitpro::blinkTextB()
{
    return QStringLiteral("پشتيبان گيري");
}

void exitpro::buildButtons()
{
    using ExitArtwork::Button;
    const auto make = [this](const char* name, Button kind, bool highlighted, int left) {
        auto* button = new ImageButton(ExitArtwork::button(kind, highlighted), this);
        button->setObjectName(QString::fromLatin1(name));
        button->setAccessibleName(ExitArtwork::caption(kind));
        button->setGeometry(twipsRect(left, 2340, 1440, 525));
        return button;
    };
    k1_ = make("k1", Button::Confirm, false, 2460);
    k2_ = make("k2", Button::Confirm, true, 2460);
    c1_ = make("c1", Button::Cancel, false, 360);
    c2_ = make("c2", Button::Cancel, true, 360);
    connect(k1_, &ImageButton::pointerMoved, this, &exitpro::k1_MouseMove);
    connect(c1_, &ImageButton::pointerMoved, this, &exitpro::c1_MouseMove);
    connect(k2_, &QAbstractButton::clicked, this, &exitpro::k2_Click);
    connect(c2_, &QAbstractButton::clicked, this, &exitpro::c2_Click);
}

QTimer* exitpro::blinkTimer(const char* name, void (exitpro::*handler)())
{
    auto* timer = new QTimer(this);
    timer->setObjectName(QString::fromLatin1(name));
    timer->setInterval(500);
    connect(timer, &QTimer::timeout, this, handler);
    timer->start();
    return timer;
}

void exitpro::buildTimers()
{
    timer2_ = blinkTimer("Timer2", &exitpro::Timer2_Timer);
    timer3_ = blinkTimer("Timer3", &exitpro::Timer3_Timer);
    tmCaptionAnimate_ = blinkTimer("tmCaptionAnimate", &exitpro::tmCaptionAnimate_Timer);
}

void exitpro::Form_Load()
{
    c1_->show();
    c2_->hide();
    k1_->show();
    k2_->hide();
}

void exitpro::Form_MouseMove()
{
    Form_Load();
}

void exitpro::k1_MouseMove()
{
    k1_->hide();
    k2_->show();
}

void exitpro::c1_MouseMove()
{
    c1_->hide();
    c2_->show();
}

void exitpro::k2_Click()
{
    if (check1_->isChecked()) {
        auto* screen = new Frmbackup;
        screen->setAttribute(Qt::WA_DeleteOnClose);
        WindowPlacement::centre(screen, nullptr);
        screen->show();
        hide();
        return;
    }
    ApplicationEnd::endNow();
}

void exitpro::c2_Click()
{
    emit WindowRequests::instance().mainWindowWanted();
    cancelled_ = true;
    close();
}

void exitpro::Timer2_Timer()
{
    setWindowTitle(blinkTextA());
    timer3_->start();
    timer2_->stop();
}

void exitpro::Timer3_Timer()
{
    setWindowTitle(blinkTextB());
    timer2_->start();
    timer3_->stop();
}

void exitpro::tmCaptionAnimate_Timer()
{
    check1_->setText(windowTitle());
}

void exitpro::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    ExitArtwork::paintBackground(painter, rect());
}

void exitpro::mouseMoveEvent(QMouseEvent* event)
{
    Form_MouseMove();
    QWidget::mouseMoveEvent(event);
}

// Closed by its own close control, the prompt has run neither Confirm nor Cancel, and no
// main window exists to come back to: the application ends.
void exitpro::closeEvent(QCloseEvent* event)
{
    if (!cancelled_ && !ApplicationEnd::isEnding())
        ApplicationEnd::endNow();
    event->accept();
}
