#pragma once

#include "data/Database.h"

#include <QList>
#include <QString>

class QObject;
class RecordSet;

struct RecordSource
{
    Database::File file;
    QString table;
};

// A screen's record sets, named Adodc1, Adodc2, … in the order of their sources and owned by
// the screen.
QList<RecordSet*> makeAdodcs(QObject* owner, const QList<RecordSource>& sources);
