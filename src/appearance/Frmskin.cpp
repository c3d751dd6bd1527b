#include "appearance/Frmskin.h"

#include "app/Frm1.h"
#include "app/ImageButton.h"
#include "app/Twips.h"
#include "appearance/ApplyTheme.h"
#include "appearance/FrmskinArt.h"
#include "data/RecordSet.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>

Frmskin::Frmskin(QWidget* parent)
    : QWidget(parent, Qt::Window),
      adodc1_(new RecordSet(Database::File::Settings, QStringLiteral("Theme"), this)),
      text1_(new QLineEdit(this)),
      k1_(confirmButton(QStringLiteral("k1"), twipsRect(1620, 2280, 1440, 525), false)),
      k2_(confirmButton(QStringLiteral("k2"), twipsRect(1560, 2280, 1440, 525), true))
{
    setObjectName(QStringLiteral("Frmskin"));
    setWindowTitle(QStringLiteral("Form1"));
    setFixedSize(twips(4710), twips(3000));
    setMouseTracking(true);
    background_ = FrmskinArt::background(size());
    adodc1_->setObjectName(QStringLiteral("Adodc1"));
    text1_->setObjectName(QStringLiteral("Text1"));
    text1_->hide();
    adodc1_->bind(text1_, QStringLiteral("TH"));
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
    Frm1::openNew();
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
