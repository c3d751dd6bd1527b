#pragma once

#include <QAbstractButton>
#include <QPixmap>

// A button drawn as one picture, with a pointing-hand pointer. It tells when the pointer
// moves over it and keeps those moves from reaching the window behind it.
class ImageButton : public QAbstractButton
{
    Q_OBJECT

  public:
    ImageButton(const QPixmap& picture, QWidget* parent);

    QSize sizeHint() const override { return picture_.deviceIndependentSize().toSize(); }

  signals:
    void pointerMoved();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    QPixmap picture_;
};
