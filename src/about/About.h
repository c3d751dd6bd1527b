#pragma once

#include <QWidget>

class About : public QWidget
{
    Q_OBJECT

  public:
    explicit About(QWidget* parent = nullptr);
};
