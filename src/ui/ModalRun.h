#pragma once

class QWidget;

// Shows a screen modally over the application and returns when it has been closed or
// destroyed.
void runModal(QWidget* screen);
