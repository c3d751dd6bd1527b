#pragma once

#include <QPixmap>
#include <QString>
#include <QWidget>

#include <array>

class QLabel;
class QLineEdit;
class QTimer;
class QToolButton;

// The About screen: four lines rise through the window cycling through the product's
// details, Label1 and Label3 change colour, and the credit line at the foot closes up from
// letters spread far apart. Only Label1's colour counter outlives the screen.
class About : public QWidget
{
    Q_OBJECT

  public:
    explicit About(QWidget* parent = nullptr);

    // A slot of the line table (0 to 10); slots 7 to 10 are the empty lines.
    QString line(int slot) const;
    // The credit line as stored: our credit sentence with its letters spread apart.
    static QString storedCreditText();
    // Puts a spread-out text in the credit line and starts its assembly over.
    void setCreditText(const QString& spreadOut);

  public slots:
    void Command1_Click();
    void Timer1_Timer();  // colours
    void Timer10_Timer(); // scrolling
    void Timer3_Timer();  // credit line assembly
    void Timer2_Timer();  // title

  protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    static constexpr int labelCount = 4;
    static constexpr int slotCount = 11;

    void createLabels();
    void createCreditLine();
    void createExitButton();
    QTimer* createTimer(const QString& name, int intervalMs, void (About::*handler)());
    void Form_Load();
    void fillLineTable();
    void placeLabel(int index);
    int outerHeightTwips() const;

    QPixmap scene_;
    std::array<QLabel*, labelCount> labels_{};
    std::array<int, labelCount> labelLeft_{}; // twips
    std::array<int, labelCount> labelTop_{};  // twips
    std::array<QString, slotCount> lineTable_;
    int lineIndex_ = 0;
    QString separator_;
    QString replacement_;
    QString titleMode_;
    QLineEdit* text1_ = nullptr;
    QToolButton* command1_ = nullptr;
    QTimer* timer1_ = nullptr;
    QTimer* timer10_ = nullptr;
    QTimer* timer3_ = nullptr;
    QTimer* timer2_ = nullptr;
};
