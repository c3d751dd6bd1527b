// Any day count and layout: the date text is well formed, and consecutive days follow each
// other in the calendar (day + 1, or the first of the next month or year).
#include "FuzzSupport.h"
#include "calendar/SolarHijriDate.h"

#include <QRegularExpression>

#include <cstdint>
#include <cstring>

namespace {

const QDate epoch(1953, 3, 21);

SolarHijriDay parse(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char('.'));
    check(parts.size() == 3);
    return {parts[0].toInt(), parts[1].toInt(), parts[2].toInt()};
}

int monthLength(int year, int month)
{
    if (month <= 6)
        return 31;
    if (month <= 11)
        return 30;
    return IsSolarHijriLeap(year) ? 30 : 29;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 5)
        return 0;
    std::uint32_t raw = 0;
    std::memcpy(&raw, data, sizeof raw);
    const int layout = static_cast<std::int8_t>(data[4]);
    const qint64 days = static_cast<qint64>(raw % 80000u) - 1000; // some before the epoch
    const QDateTime moment(epoch.addDays(days), QTime(23, 59));
    const QString text = SolarHijriDate(moment, layout);
    if (days < 0 || layout < 0 || layout > 4) {
        check(text.isEmpty());
        return 0;
    }
    static const QRegularExpression layout0(
        QStringLiteral("^1[3-9]\\d\\d/(0[1-9]|1[0-2])/(0[1-9]|[12]\\d|3[01])$"));
    if (layout == 0)
        check(layout0.match(text).hasMatch());
    const SolarHijriDay today = parse(SolarHijriDate(moment, 4));
    const SolarHijriDay next = parse(SolarHijriDate(moment.addDays(1), 4));
    check(today.day >= 1 && today.day <= monthLength(today.year, today.month));
    if (today.day < monthLength(today.year, today.month))
        check(next.year == today.year && next.month == today.month && next.day == today.day + 1);
    else if (today.month < 12)
        check(next.year == today.year && next.month == today.month + 1 && next.day == 1);
    else
        check(next.year == today.year + 1 && next.month == 1 && next.day == 1);
    return 0;
}
