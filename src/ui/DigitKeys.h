#pragma once

class QKeyEvent;
class QString;

// The rule of the boxes that take only digits (age, item number): Backspace, Enter and the
// digits 0 to 9 pass, and so do keys that type no character into the box (arrows, Shift,
// function keys, Tab, shortcuts with Ctrl). Any other key that types a character is refused,
// control characters such as Escape included.
bool passesDigitsOnly(const QKeyEvent& key);

// Whether text holds the digits 0 to 9 only (the empty text does).
bool isAllDigits(const QString& text);
