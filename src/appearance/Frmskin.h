#pragma once

#include <QWidget>

class PictureButton;
class QLineEdit;
class RecordSet;

// The theme-applied screen: stands alone between a theme change and the next main window,
// wearing the new theme, and opens that main window from its confirm button.
class Frmskin : public QWidget
{
    Q_OBJECT

  public:
    explicit Frmskin(QWidget* parent = nullptr);

    PictureButton* normalButton() const { return k1_; }
    PictureButton* highlightedButton() const { return k2_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    PictureButton* confirmButton(const QString& name, const QRect& place, bool highlighted);
    void Form_Load();
    void Form_MouseMove();
    void k1_MouseMove();
    void k2_Click();

    RecordSet* adodc1_;
    QLineEdit* text1_;
    PictureButton* k1_;
    PictureButton* k2_;
    QPixmap background_;
};
