#pragma once

#include <QString>

// The three interpretation bands of the score (0 to 4, 5 to 9, 10 to 15) and their texts,
// exactly as they are shown and stored.
namespace ScoreBand {

inline constexpr int Lowest = 0;
inline constexpr int Highest = 15;

// The text of the band that value lies in; the null text when it lies in none (below 0, above
// 15, or between two bands, such as 4.5).
QString textFor(double value);

// The band text of a score as it is stored: only the decimal text of a whole number 0 to 15
// has one; any other text gives the null text.
QString textForStored(const QString& scoreText);

} // namespace ScoreBand
