#include "ui/SubjectFields.h"

#include "data/Columns.h"

const QList<SubjectField>& subjectFields()
{
    using namespace SubjectColumn;
    static const QList<SubjectField> fields{
        {QStringLiteral(" :کد"), Code},
        {QStringLiteral(" :نام"), FirstName},
        {QStringLiteral(" :نام خانوادگي"), LastName},
        {QStringLiteral(" :جنس"), Sex},
        {QStringLiteral(" :سن"), Age},
        {QStringLiteral(" :وضعيت تاهل"), Marital},
        {QStringLiteral(" :ميزان تحصيلات"), Education},
        {QStringLiteral(" :تاريخ"), Date},
        {QStringLiteral(" :ساعت"), Time},
    };
    return fields;
}
