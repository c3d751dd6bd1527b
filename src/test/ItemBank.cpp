#include "test/ItemBank.h"

#include <array>

namespace {

struct Item
{
    QString text;
    QString keyed;
};

const std::array<Item, ItemBank::ItemCount>& items()
{
    static const std::array<Item, ItemBank::ItemCount> table{{
        {QStringLiteral(" آيا بطور کلي از زندگيتان راضي هستيد؟"), QStringLiteral("0")},
        {QStringLiteral(" آيا از بسياري از فعاليتها  و علائقتان صرفنظر کرده ايد ؟ "),
         QStringLiteral("1")},
        {QStringLiteral(" آيا احساس مي کنيد که زندگيتان پوچ است ؟"), QStringLiteral("1")},
        {QStringLiteral(" آيا اغلب اوقات کسل مي شويد ؟ "), QStringLiteral("1")},
        {QStringLiteral(" آيا اکثر اوقات روحيه خوبي داريد ؟ "), QStringLiteral("0")},
        {QStringLiteral(" آيا مي ترسيد که اتفاق بدي برايتان بيفتد ؟ "), QStringLiteral("1")},
        {QStringLiteral(" آيا اکثر اوقات شاد هستيد ؟ "), QStringLiteral("0")},
        {QStringLiteral(" آيا اغلب اوقات احساس درماندگي مي کنيد ؟ "), QStringLiteral("1")},
        {QStringLiteral(
             "آيا بيشتر ترجيح مي دهيد در خانه بمانيد تا اين که بيرون برويد و کارهاي تازه اي انجام دهيد ؟ "),
         QStringLiteral("1")},
        {QStringLiteral(" آيا احساس مي کنيد که مشکل حافظه شما از اکثر مردم بيشتر است ؟ "),
         QStringLiteral("1")},
        {QStringLiteral(" آيا از اين که زنده هستيد احساس خيلي خوبي داريد ؟  "),
         QStringLiteral("0")},
        {QStringLiteral(" آيا فکر مي کنيد اينطور که هستيد، هيچ ارزشي نداريد ؟ "),
         QStringLiteral("1")},
        {QStringLiteral(" آيا احساس مي کنيد که سرشار از انرژي هستيد ؟ "), QStringLiteral("0")},
        {QStringLiteral(" آيا احساس مي کنيد که موقعيت  شما مأيوس کننده است؟ "),
         QStringLiteral("1")},
        {QStringLiteral("آيا فکر مي کنيد که حال و روز اکثر مردم از شما بهتر است ؟ "),
         QStringLiteral("1")},
    }};
    return table;
}

} // namespace

namespace ItemBank {

bool isItem(int number)
{
    return number >= 1 && number <= ItemCount;
}

QString text(int number)
{
    return isItem(number) ? items()[static_cast<std::size_t>(number - 1)].text : QString();
}

} // namespace ItemBank

QString KeyedAnswer(int number)
{
    return ItemBank::isItem(number) ? items()[static_cast<std::size_t>(number - 1)].keyed
                                    : QString();
}
