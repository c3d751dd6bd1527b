#pragma once

#include <QAbstractButton>
#include <QPixmap>

// A button drawn as one picture, with nothing of the style around it.
class PictureButton : public QAbstractButton
{
    Q_OBJECT

  public:
    PictureButton(const QPixmap& picture, QWidget* parent);

    QSize sizeHint() const override { return picture_.deviceIndependentSize().toSize(); }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QPixmap picture_;
};
