#include "questionnaire/Questionnaires.h"

namespace Questionnaires {

// The fifteen-item geriatric depression scale.
const Questionnaire& geriatricDepression()
{
    static const Questionnaire scale{
        QStringLiteral("GDS"),
        QStringLiteral("مقياس افسردگي سالمندان"),
        QStringLiteral("( GDS )گزارش نتيجه تست  مقياس افسردگي سالمندان "),
        {
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
        },
        {
            {0, 4, QStringLiteral(" بدون افسردگي ")},
            {5, 9, QStringLiteral(" احتمال افسردگي وجود دارد ، ولي اين احتمال کم است ")},
            {10, 15, QStringLiteral("احتمال افسردگي وجود دارد و اين احتمال زياد است ")},
        },
    };
    return scale;
}

} // namespace Questionnaires
