#include "ui/DigitKeys.h"

#include <QKeyEvent>

#include <algorithm>

bool passesDigitsOnly(const QKeyEvent& key)
{
    const QString text = key.text();
    if (text.isEmpty() || (key.modifiers() & Qt::ControlModifier) != 0)
        return true;
    const char16_t first = text.at(0).unicode();
    if (first < 0x20 || first == 0x7f)
        return true;
    return isAllDigits(text);
}

bool isAllDigits(const QString& text)
{
    return std::all_of(text.cbegin(), text.cend(),
                       [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); });
}
