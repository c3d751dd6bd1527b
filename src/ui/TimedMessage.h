#pragma once

#include <QString>

class QWidget;

// Timer of the timed notice on its owner screen; a later notice re-arms the same timer.
inline constexpr int MessageTimerId = 20480;

// A modal box titled "پيام" with an OK button and no icon that closes itself after
// intervalMs as if OK were pressed; returns when the box has closed.
void TimedMessage(QWidget* owner, const QString& text, int intervalMs = 1000);
