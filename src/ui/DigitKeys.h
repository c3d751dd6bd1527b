#pragma once

class QKeyEvent;
class QString;

// The rule of the boxes that take only digits (age, item number): a key passes when it types
// no character into the box (arrows, Tab, Backspace, Enter, other control keys, shortcuts
// with Ctrl) or types digits 0 to 9 only; any other key is refused.
bool passesDigitsOnly(const QKeyEvent& key);

// Whether text holds the digits 0 to 9 only (the empty text does).
bool isAllDigits(const QString& text);
