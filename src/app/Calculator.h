#pragma once

class QWidget;

// Starts the desktop's calculator, or tells the user that none is installed.
namespace Calculator {
void start(QWidget* owner);
}
