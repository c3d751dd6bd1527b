#include "appearance/Frmskin.h"

#include "appearance/ApplyTheme.h"
#include "appearance/FrmskinArt.h"
#include "appearance/ThemeBox.h"
#include "data/Columns.h"
#include "data/RecordSet.h"
#include "ui/ImageButton.h"
#include "ui/Twips.h"
#include "ui/WindowRequests.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>

Frmskin::Frmskin(QWidget* parent)
    : QWidget(parent, Qt::Window),
      adodc1_(new RecordSet(Database::File::Settings, TableName::Settings, this)),
      text1_(themeBox(this, *adodc1_, QStringLiteral("Text1"))),
      k1_(confirmButton(QStringLiteral("k1"), twipsRect(1620, 2280, 1440, 525), false)),
      k2_(confirmButton(QStringLiteral("k2"), twipsRect(1560, 2280, 1440, 525), true))
{
    setObjectName(QStringLiteral("Frmskin"));
    setWindowTitle(QStringLiteral("Form1"));
    setFixedSize(twips(4710), twips(3000));
    setMouseTracking(true);
    background_ = FrmskinArt::background(size());
    adodc1_->setObjectName(QStringLiteral("Adodc1"));
    adodc1_->refresh();
    connect(k1_, &ImageButton::pointerMoved, this, &Frmskin::k1_MouseMove);
    connect(k2_, &QAbstractButton::clicked, this, &Frmskin::k2_Click);
    Form_Load();
}

ImageButton* Frmskin::confirmButton(const QString& name, const QRect& place, bool highlighted)
{
    auto* button = new ImageButton(FrmskinArt::confirmButton(place.size(), highlighted), this);
    button->setObjectName(name);
    button->setGeometry(place);
    return button;
}

void Frmskin::Form_Load()
{
    ApplyTheme(this, text1_->text());
    k1_->show();
    k2_->hide();
}

void Frmskin::Form_MouseMove()
{
    k1_->show();
    k2_->hide();
}

void Frmskin::k1_MouseMove()
{
    k1_->hide();
    k2_->show();
}

void Frmskin::k2_Click()
{
    emit WindowRequests::instance().mainWindowWanted();
    close();
}

void Frmskin::paintEvent(QPaintEvent*)
{
    // The theme has drawn the window's ground already; the artwork lies over it.
    QPainter painter(this);
    painter.drawPixmap(0, 0, background_);
}

void Frmskin::mouseMoveEvent(QMouseEvent* event)
{
    Form_MouseMove();
    QWidget::mouseMoveEvent(event);
}
