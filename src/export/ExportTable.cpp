#include "export/ExportTable.h"

#include "data/Columns.h"
#include "questionnaire/Questionnaires.h"

namespace ExportTable {

namespace {

// Any other stored text.
const QString Other = QStringLiteral("سایر");

QList<Column> buildColumns()
{
    using namespace SubjectColumn;
    const QList<ValueLabel> answers{{1, QStringLiteral("بلی")}, {0, QStringLiteral("خیر")}};
    QList<Column> list{
        {Code, Kind::Text, QStringLiteral("کد آزمودنی"), {}},
        {FirstName, Kind::Text, QStringLiteral("نام"), {}},
        {LastName, Kind::Text, QStringLiteral("نام خانوادگی"), {}},
        {Age, Kind::Number, QStringLiteral("سن"), {}},
        {Sex,
         Kind::Coded,
         QStringLiteral("جنس"),
         {{1, SubjectChoice::Male}, {2, SubjectChoice::Female}, {0, Other}}},
        {Marital,
         Kind::Coded,
         QStringLiteral("وضعیت تأهل"),
         {{1, SubjectChoice::Single}, {2, SubjectChoice::Married}, {0, Other}}},
        {Education, Kind::Text, QStringLiteral("تحصیلات"), {}},
        {Date, Kind::Text, QStringLiteral("تاریخ ثبت‌نام"), {}},
        {Time, Kind::Text, QStringLiteral("ساعت ثبت‌نام"), {}},
        {Group, Kind::Text, QStringLiteral("گروه"), {}},
        {QStringLiteral("Administration"),
         Kind::Number,
         QStringLiteral("شماره‌ی اجرا"),
         {}},
        {QStringLiteral("AdministeredAt"), Kind::Text, QStringLiteral("زمان اجرا"), {}},
        {QStringLiteral("AdministeredDate"), Kind::Text, QStringLiteral("تاریخ اجرا"), {}},
    };
    const int items = Questionnaires::geriatricDepression().itemCount();
    for (int item = 1; item <= items; ++item)
        list.append({QStringLiteral("q") + QString::number(item), Kind::Answer,
                     QStringLiteral("پرسش ") + QString::number(item), answers});
    list.append({QStringLiteral("Answered"),
                 Kind::Number,
                 QStringLiteral("تعداد پاسخ‌ها"),
                 {}});
    list.append({QStringLiteral("Score"), Kind::Number, QStringLiteral("نمره"), {}});
    list.append({QStringLiteral("Band"), Kind::Text, QStringLiteral("تفسیر نمره"), {}});
    return list;
}

} // namespace

const QList<Column>& columns()
{
    static const QList<Column> list = buildColumns();
    return list;
}

QStringList columnNames()
{
    QStringList names;
    for (const Column& column : columns())
        names << column.name;
    return names;
}

int codeOf(const Column& column, const QString& text)
{
    if (text.isEmpty())
        return -1;
    for (const ValueLabel& value : column.values) {
        if (value.text == text)
            return static_cast<int>(value.value);
    }
    return 0; // the label of every other text
}

} // namespace ExportTable
