#pragma once

#include <QWidget>

class FrmCode : public QWidget
{
    Q_OBJECT

  public:
    explicit FrmCode(QWidget* parent = nullptr);
};
