#pragma once

#include <QWidget>

class exitpro : public QWidget
{
    Q_OBJECT

  public:
    explicit exitpro(QWidget* parent = nullptr);
};
