#include "about/About.h"

#include "about/AboutArt.h"
#include "ui/Twips.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QRandomGenerator>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <cmath>

namespace {

constexpr int twipsPerPixel = 15;
constexpr int labelWidth = 1005; // twips, as designed; a longer line widens to the left
constexpr int labelHeight = 360;
constexpr int jumpAtTop = 1000;
constexpr int jumpAboveFoot = 1500;
constexpr int risePerTick = 15;
constexpr int linesInCycle = 9; // seven lines and two empty ones

// Label1's place in the palette: it carries over from one opening to the next within a run.
int colourCounter = 0;

// The classic sixteen-colour palette.
QColor paletteColour(int entry)
{
    static const std::array<QColor, 16> colours{
        QColor(0, 0, 0),       QColor(0, 0, 128),   QColor(0, 128, 0),   QColor(0, 128, 128),
        QColor(128, 0, 0),     QColor(128, 0, 128), QColor(128, 128, 0), QColor(192, 192, 192),
        QColor(128, 128, 128), QColor(0, 0, 255),   QColor(0, 255, 0),   QColor(0, 255, 255),
        QColor(255, 0, 0),     QColor(255, 0, 255), QColor(255, 255, 0), QColor(255, 255, 255)};
    return colours.at(static_cast<std::size_t>(entry));
}

// A random channel value 0 to 255, rounded to the nearest whole number, halves to even.
int randomChannel()
{
    return static_cast<int>(std::nearbyint(QRandomGenerator::global()->generateDouble() * 255));
}

void setTextColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

// Spreads a sentence out for the credit line: before every letter and every word's end a
// run of 1 to 22 blanks, and a full stop where each word ends.
QString spreadOut(const QString& sentence)
{
    QString spread;
    int run = 0;
    const auto addBlanks = [&] { spread += QString(1 + (run++ * 9) % 22, u' '); };
    for (const QString& word : sentence.split(u' ', Qt::SkipEmptyParts)) {
        for (const QChar letter : word) {
            addBlanks();
            spread += letter;
        }
        addBlanks();
        spread += u'.';
    }
    return spread;
}

} // namespace

About::About(QWidget* parent) : QWidget(parent, Qt::Window), scene_(AboutArt::spaceScene())
{
    setObjectName(QStringLiteral("About"));
    setWindowTitle(QStringLiteral("about"));
    setFixedSize(twips(8430), twips(7200));
    QPalette background = palette();
    background.setColor(QPalette::Window, QColor(16, 38, 110));
    setPalette(background);
    setAutoFillBackground(true);
    createLabels();
    createCreditLine();
    createExitButton();
    timer1_ = createTimer(QStringLiteral("Timer1"), 700, &About::Timer1_Timer);
    timer10_ = createTimer(QStringLiteral("Timer10"), 55, &About::Timer10_Timer);
    timer3_ = createTimer(QStringLiteral("Timer3"), 1, &About::Timer3_Timer);
    timer2_ = createTimer(QStringLiteral("Timer2"), 55, &About::Timer2_Timer);
    timer1_->start();
    timer10_->start();
    timer2_->start();
    Form_Load();
}

void About::createLabels()
{
    QFont font;
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("Noto Sans Arabic"), QStringLiteral("DejaVu Sans")});
    font.setPointSizeF(15.75);
    font.setBold(true);
    const QColor designed = palette().color(QPalette::HighlightedText);
    const std::array<int, labelCount> lefts{6600, 6630, 6645, 6630};
    const std::array<int, labelCount> tops{1920, 2640, 3240, 3840};
    for (std::size_t i = 0; i < labels_.size(); ++i) {
        auto* label = new QLabel(this);
        label->setObjectName(QStringLiteral("Label%1").arg(i + 1));
        label->setFont(font);
        label->setAlignment(Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter);
        setTextColour(label, QPalette::WindowText, designed);
        labels_[i] = label;
        labelLeft_[i] = lefts[i];
        labelTop_[i] = tops[i];
    }
}

void About::createCreditLine()
{
    text1_ = new QLineEdit(this);
    text1_->setObjectName(QStringLiteral("Text1"));
    text1_->setGeometry(twipsRect(2040, 6600, 4095, 285));
    text1_->setAlignment(Qt::AlignCenter);
    text1_->setReadOnly(true);
    text1_->setFocusPolicy(Qt::NoFocus);
    QPalette colours = text1_->palette();
    colours.setColor(QPalette::Text, QColor(0, 0, 192));
    colours.setColor(QPalette::Base, palette().color(QPalette::Button)); // scroll-bar grey
    text1_->setPalette(colours);
}

void About::createExitButton()
{
    command1_ = new QToolButton(this);
    command1_->setObjectName(QStringLiteral("Command1"));
    command1_->setText(QStringLiteral("خروج"));
    command1_->setIcon(AboutArt::exitPicture());
    command1_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    command1_->setGeometry(twipsRect(6720, 6360, 915, 675));
    QPalette colours = command1_->palette();
    colours.setColor(QPalette::Button, QColor(255, 128, 128));
    command1_->setPalette(colours);
    connect(command1_, &QToolButton::clicked, this, &About::Command1_Click);
}

QTimer* About::createTimer(const QString& name, int intervalMs, void (About::*handler)())
{
    auto* timer = new QTimer(this);
    timer->setObjectName(name);
    timer->setInterval(intervalMs);
    timer->setTimerType(Qt::PreciseTimer);
    connect(timer, &QTimer::timeout, this, handler);
    return timer;
}

void About::Form_Load()
{
    timer3_->start();
    text1_->setText(storedCreditText());
    separator_ = QStringLiteral(" ");
    replacement_ = QString();
    move(twipsPoint(1100, 1200));
    fillLineTable();
    for (std::size_t i = 0; i < labels_.size(); ++i) {
        labels_[i]->setText(lineTable_[i]);
        placeLabel(static_cast<int>(i));
    }
    lineIndex_ = 4;
}

void About::fillLineTable()
{
    const QString blank = QStringLiteral(" ");
    lineTable_[0] = QStringLiteral("نام نرم افزار:");
    lineTable_[1] = QStringLiteral("Senvora");
    lineTable_[2] = QStringLiteral("برنامه نويس:") + blank + QStringLiteral("تیم سنوورا");
    lineTable_[3] = QStringLiteral("تلفن :"); // no telephone line of ours
    lineTable_[4] =
        QStringLiteral(" ايميل :") + blank + QStringLiteral("info@senvora.ir") + blank + blank;
    lineTable_[5] = QStringLiteral(" وب سايت :") + blank + QStringLiteral("www.senvora.ir");
    lineTable_[6] = QStringLiteral("فروشگاه :"); // no shop of ours
}

QString About::line(int slot) const
{
    return slot >= 0 && slot < slotCount ? lineTable_[static_cast<std::size_t>(slot)] : QString();
}

QString About::storedCreditText()
{
    static const QString stored = spreadOut(QStringLiteral("ساخته شده توسط تیم سنوورا"));
    return stored;
}

void About::setCreditText(const QString& spreadOut)
{
    text1_->setText(spreadOut);
    separator_ = QStringLiteral(" ");
    replacement_ = QString();
    timer3_->start();
}

// Keeps the label's top exactly in twips; a line longer than the designed width grows to
// the left, so the right edge stays where it was designed and the whole line can be read.
void About::placeLabel(int index)
{
    const auto i = static_cast<std::size_t>(index);
    QLabel* label = labels_[i];
    const QSize hint = label->sizeHint();
    const int width = std::max(twips(labelWidth), hint.width());
    const int height = std::max(twips(labelHeight), hint.height());
    const int right = twips(labelLeft_[i] + labelWidth);
    label->setGeometry(right - width, twips(labelTop_[i]), width, height);
}

int About::outerHeightTwips() const
{
    return frameGeometry().height() * twipsPerPixel;
}

void About::Command1_Click()
{
    close();
}

void About::Timer1_Timer()
{
    if (colourCounter > 15)
        colourCounter = 0;
    setTextColour(labels_[0], QPalette::WindowText, paletteColour(colourCounter));
    colourCounter += 2;
    const int red = randomChannel();
    const int green = randomChannel();
    const int blue = randomChannel();
    setTextColour(labels_[2], QPalette::WindowText, QColor(red, green, blue));
}

void About::Timer10_Timer()
{
    const auto jumping =
        std::find_if(labelTop_.begin(), labelTop_.end(), [](int top) { return top <= jumpAtTop; });
    if (jumping != labelTop_.end()) {
        *jumping = outerHeightTwips() - jumpAboveFoot;
        ++lineIndex_;
        const auto i = static_cast<std::size_t>(jumping - labelTop_.begin());
        labels_[i]->setText(lineTable_[static_cast<std::size_t>(lineIndex_ - 1)]);
    }
    if (lineIndex_ == linesInCycle)
        lineIndex_ = 0;
    for (std::size_t i = 0; i < labels_.size(); ++i) {
        labelTop_[i] -= risePerTick;
        placeLabel(static_cast<int>(i));
    }
}

void About::Timer3_Timer()
{
    QString credit = text1_->text();
    const qsizetype at = credit.indexOf(separator_);
    if (at >= 0) {
        credit.replace(at, separator_.size(), replacement_);
        text1_->setText(credit);
    } else if (separator_ == QStringLiteral(".")) {
        timer3_->stop(); // the line is settled; nothing would change until the screen closes
    } else {
        separator_ = QStringLiteral(".");
        replacement_ = QStringLiteral(" ");
    }
}

// The title gives up its first character while it does not fit; a title of exactly six
// characters that fits is pushed along by leading blanks. "about" fits and stays still.
void About::Timer2_Timer()
{
    const QString title = windowTitle();
    const int room = width() * twipsPerPixel - 1700;
    if (fontMetrics().horizontalAdvance(title) * twipsPerPixel > room)
        titleMode_ = QStringLiteral("B");
    else if (title.size() == 6)
        titleMode_ = QStringLiteral("T");
    if (titleMode_ == QStringLiteral("B"))
        setWindowTitle(title.mid(1));
    else if (titleMode_ == QStringLiteral("T"))
        setWindowTitle(QStringLiteral(" ") + title);
}

void About::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
    QPainter painter(this);
    painter.drawPixmap(0, 0, scene_);
}

void About::closeEvent(QCloseEvent* event)
{
    for (QTimer* timer : {timer1_, timer10_, timer3_, timer2_})
        timer->stop();
    event->accept();
}
