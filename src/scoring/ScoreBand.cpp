#include "scoring/ScoreBand.h"

#include "data/NumericText.h"

namespace ScoreBand {

QString textFor(double value)
{
    if (value >= 0 && value <= 4)
        return QStringLiteral(" بدون افسردگي ");
    if (value >= 5 && value <= 9)
        return QStringLiteral(" احتمال افسردگي وجود دارد ، ولي اين احتمال کم است ");
    if (value >= 10 && value <= 15)
        return QStringLiteral("احتمال افسردگي وجود دارد و اين احتمال زياد است ");
    return {};
}

QString textForStored(const QString& scoreText)
{
    int value = -1;
    if (!isPlainWholeNumber(scoreText, &value) || value > Highest)
        return {};
    return textFor(value);
}

} // namespace ScoreBand
