#pragma once

#include <QString>

// The numeric value of a text as the screens read numbers held in text boxes: the numeral at
// the start (leading blanks skipped, an optional sign, digits, an optional fraction), anything
// after it ignored; 0 when the text does not begin with a numeral.
double numericValue(const QString& text);

// Whether text is exactly a whole number in decimal digits (no sign, blanks or other signs),
// and its value in *value.
bool isPlainWholeNumber(const QString& text, int* value = nullptr);
