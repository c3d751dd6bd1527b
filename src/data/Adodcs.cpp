#include "data/Adodcs.h"

#include "data/RecordSet.h"

QList<RecordSet*> makeAdodcs(QObject* owner, const QList<RecordSource>& sources)
{
    QList<RecordSet*> recordSets;
    for (const RecordSource& source : sources) {
        auto* records = new RecordSet(source.file, source.table, owner);
        records->setObjectName(QStringLiteral("Adodc%1").arg(recordSets.size() + 1));
        recordSets << records;
    }
    return recordSets;
}
