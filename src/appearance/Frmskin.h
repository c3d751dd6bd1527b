#pragma once

#include <QWidget>

class ImageButton;
class QLineEdit;
class RecordSet;

// The theme-applied screen: stands alone between a theme change and the next main window,
// wearing the new theme, and opens that main window from its confirm button.
class Frmskin : public QWidget
{
    Q_OBJECT

  public:
    explicit Frmskin(QWidget* parent = nullptr);

    ImageButton* normalButton() const { return k1_; }
    ImageButton* highlightedButton() const { return k2_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    ImageButton* confirmButton(const QString& name, const QRect& place, bool highlighted);
    void Form_Load();
    void Form_MouseMove();
    void k1_MouseMove();
    void k2_Click();

    RecordSet* adodc1_;
    QLineEdit* text1_;
    ImageButton* k1_;
    ImageButton* k2_;
    QPixmap background_;
};
