#include "calendar/SolarHijriDate.h"

#include <QRegularExpression>

#include <array>

namespace {

const QDate epoch(1953, 3, 21);
constexpr int baseYear = 1332;
constexpr int leapOrigin = 1309;
constexpr int leapCycle = 32;
constexpr int leapStep = 4;
constexpr int firstHalfDays = 186;

const std::array<QString, 12>& monthNames()
{
    static const std::array<QString, 12> names{
        QStringLiteral("فروردين"), QStringLiteral("ارديبهشت"), QStringLiteral("خرداد"),
        QStringLiteral("تير"),     QStringLiteral("مرداد"),    QStringLiteral("شهريور"),
        QStringLiteral("مهر"),     QStringLiteral("آبان"),     QStringLiteral("آذر"),
        QStringLiteral("دي"),      QStringLiteral("بهمن"),     QStringLiteral("اسفند")};
    return names;
}

// Index 0 is Sunday.
const std::array<QString, 7>& weekdayNames()
{
    static const std::array<QString, 7> names{QStringLiteral("يکشنبه"),  QStringLiteral("دوشنبه"),
                                              QStringLiteral("سه شنبه"), QStringLiteral("چهارشنبه"),
                                              QStringLiteral("پنجشنبه"), QStringLiteral("جمعه"),
                                              QStringLiteral("شنبه")};
    return names;
}

QString twoDigits(int value)
{
    return value < 10 ? QStringLiteral("0") + QString::number(value) : QString::number(value);
}

} // namespace

bool IsSolarHijriLeap(int year)
{
    const int v = year - leapOrigin;
    const int a = v % leapCycle;
    const int b = v / leapCycle;
    return (a - b) % leapStep == 0;
}

SolarHijriDay DaysToSolarHijri(qint64 dayCount)
{
    int k = 0;
    qint64 rest = dayCount;
    for (;;) {
        const int length = IsSolarHijriLeap(baseYear + k) ? 366 : 365;
        if (rest - length < 0)
            break;
        ++k;
        rest -= length;
    }
    const int dayOfYear = static_cast<int>(rest);
    if (dayOfYear < firstHalfDays)
        return {baseYear + k, dayOfYear / 31 + 1, dayOfYear % 31 + 1};
    const int r = dayOfYear - firstHalfDays;
    return {baseYear + k, r / 30 + 7, r % 30 + 1};
}

QString SolarHijriDate(const QDateTime& moment, int layout)
{
    const QDate date = moment.date();
    const qint64 dayCount = epoch.daysTo(date);
    if (layout < 0 || layout > 4 || !date.isValid() || dayCount < 0)
        return {};
    const SolarHijriDay d = DaysToSolarHijri(dayCount);
    const QString y = QString::number(d.year);
    const QString m = QString::number(d.month);
    const QString day = QString::number(d.day);
    const QString& monthName = monthNames()[static_cast<std::size_t>(d.month - 1)];
    const QString& weekday = weekdayNames()[static_cast<std::size_t>(date.dayOfWeek() % 7)];
    const QString blank = QStringLiteral(" ");
    switch (layout) {
    case 0:
        return y + QLatin1Char('/') + twoDigits(d.month) + QLatin1Char('/') + twoDigits(d.day);
    case 1:
        return day + blank + monthName + blank + y;
    case 2:
        return weekday + blank + y + QLatin1Char('/') + m + QLatin1Char('/') + day;
    case 3:
        return weekday + blank + day + blank + monthName + blank + y;
    default:
        return y + QLatin1Char('.') + m + QLatin1Char('.') + day;
    }
}

QDate SolarHijriToDate(int year, int month, int day)
{
    if (year < baseYear || month < 1 || month > 12 || day < 1)
        return {};
    const int monthLength =
        month <= 6 ? 31 : (month < 12 ? 30 : (IsSolarHijriLeap(year) ? 30 : 29));
    if (day > monthLength)
        return {};
    qint64 dayCount = 0;
    for (int y = baseYear; y < year; ++y)
        dayCount += IsSolarHijriLeap(y) ? 366 : 365;
    dayCount += month <= 7 ? (month - 1) * 31 : firstHalfDays + (month - 7) * 30;
    return epoch.addDays(dayCount + day - 1);
}

QDate ParseSolarHijriDate(const QString& text)
{
    QString plain;
    for (const QChar c : text)
        plain += c.isDigit() ? QChar(u'0' + c.digitValue()) : c;
    static const QRegularExpression layout(
        QStringLiteral("^\\s*(\\d{4})/(\\d{1,2})/(\\d{1,2})\\s*$"));
    const QRegularExpressionMatch match = layout.match(plain);
    if (!match.hasMatch())
        return {};
    return SolarHijriToDate(match.captured(1).toInt(), match.captured(2).toInt(),
                            match.captured(3).toInt());
}
