#include "text/NumericText.h"

double numericValue(const QString& text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text[i].isSpace())
        ++i;
    const qsizetype start = i;
    if (i < n && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+')))
        ++i;
    const auto isAsciiDigit = [&](qsizetype at) {
        return at < n && text[at] >= QLatin1Char('0') && text[at] <= QLatin1Char('9');
    };
    qsizetype digits = 0;
    while (isAsciiDigit(i)) {
        ++i;
        ++digits;
    }
    if (i < n && text[i] == QLatin1Char('.')) {
        ++i;
        while (isAsciiDigit(i)) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return 0.0;
    bool ok = false;
    const double value = text.mid(start, i - start).toDouble(&ok);
    return ok ? value : 0.0;
}

bool isPlainWholeNumber(const QString& text, int* value)
{
    if (text.isEmpty() || text.size() > 9)
        return false;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    if (value)
        *value = text.toInt();
    return true;
}
