#pragma once

#include <QList>
#include <QString>

// A detail of the subject as the test and scoring screens show it: its caption and its column.
struct SubjectField
{
    QString caption;
    QString column;
};

// The subject panel's details, in order.
const QList<SubjectField>& subjectFields();
