#include "ui/DigitKeys.h"

#include <QKeyEvent>

#include <algorithm>

namespace {

// A key that types no character into the box: arrows, Shift, function keys, moving the focus,
// and shortcuts such as copy and paste.
bool typesNoCharacter(const QKeyEvent& key)
{
    return key.text().isEmpty() || key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab ||
           (key.modifiers() & Qt::ControlModifier) != 0;
}

bool isDigitKey(const QKeyEvent& key)
{
    const QString text = key.text();
    return text.size() == 1 && isAllDigits(text);
}

} // namespace

bool passesDigitsOnly(const QKeyEvent& key)
{
    switch (key.key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return true;
    default:
        return typesNoCharacter(key) || isDigitKey(key);
    }
}

bool isAllDigits(const QString& text)
{
    return std::all_of(text.cbegin(), text.cend(),
                       [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); });
}
