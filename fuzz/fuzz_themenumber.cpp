// Any stored theme text: a theme file is chosen exactly when the text's leading numeral is one
// of the whole numbers 1 to 11, and the backup table differs only for 7.
#include "appearance/ApplyTheme.h"
#include "text/NumericText.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const double value = numericValue(text);
    bool whole = false;
    for (int n = 1; n <= 11; ++n)
        whole = whole || value == n;
    const QString standard = ThemeFileFor(text, ThemeTable::Standard);
    const QString backup = ThemeFileFor(text, ThemeTable::Backup);
    if (standard.isEmpty() != !whole)
        __builtin_trap();
    if ((standard != backup) != (value == 7))
        __builtin_trap();
    return 0;
}
