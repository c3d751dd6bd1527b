#pragma once

class QLabel;
class QRect;
class QString;
class QWidget;

// The caption of the box to its left. Captions are written to be drawn left to right
// (" :نام"): so drawn and set against the box's side of their place, their colon meets the
// box and each reads as that box's caption.
QLabel* boxCaption(const QString& text, QWidget* parent, const QRect& place);
