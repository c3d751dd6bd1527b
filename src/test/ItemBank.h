#pragma once

#include <QString>

// The fifteen items of the scale, in order, with the answer that earns each one point.
// Answers are coded "1" (yes), "0" (no) and the empty text (not answered).
namespace ItemBank {

inline constexpr int ItemCount = 15;
inline const QString Yes = QStringLiteral("1");
inline const QString No = QStringLiteral("0");

// Whether number names an item (1 to 15).
bool isItem(int number);
// The item's text exactly as shown, blanks included; empty for a number that names no item.
QString text(int number);

} // namespace ItemBank

// The answer that scores one point for item number ("1" or "0"); empty for no item.
QString KeyedAnswer(int number);
