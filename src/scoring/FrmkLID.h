#pragma once

#include <QWidget>

class FrmkLID : public QWidget
{
    Q_OBJECT

  public:
    explicit FrmkLID(QWidget* parent = nullptr);
};
