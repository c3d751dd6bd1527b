#include "data/GroupStatistics.h"

#include "data/Columns.h"
#include "data/Database.h"
#include "data/Schema.h"
#include "questionnaire/Questionnaires.h"

#include <QSqlError>
#include <QSqlQuery>

#include <cmath>

bool GroupStatistics::of(const QString& group, GroupStatistics* statistics, QString* error)
{
    const Questionnaire& scale = Questionnaires::geriatricDepression();
    QSqlDatabase db = Database::connection(Database::File::Subjects);
    if (!db.isOpen()) {
        *error = Database::lastError(Database::File::Subjects);
        return false;
    }
    QStringList columns;
    for (const QString& column : scale.answerColumns())
        columns << QStringLiteral("a.") + Schema::quoted(column);
    QSqlQuery query(db);
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT %1 FROM \"%2\" AS a%3")
                      .arg(columns.join(QStringLiteral(", ")), TableName::Answers,
                           group.isEmpty()
                               ? QString()
                               : QStringLiteral(" WHERE a.\"Code\" IN (SELECT \"Code\" FROM \"%1\" "
                                                "WHERE \"Group\" = ?)")
                                     .arg(TableName::Subjects)));
    if (!group.isEmpty())
        query.addBindValue(group);
    if (!query.exec()) {
        *error = query.lastError().text();
        return false;
    }
    GroupStatistics result;
    result.perScore = QList<int>(scale.itemCount() + 1, 0);
    result.perBand = QList<int>(scale.bands.size(), 0);
    double sum = 0;
    double squares = 0;
    QStringList answers(scale.itemCount());
    while (query.next()) {
        for (int i = 0; i < scale.itemCount(); ++i)
            answers[i] = query.value(i).toString();
        const int score = scale.score(answers);
        ++result.count;
        ++result.perScore[score];
        sum += score;
        squares += double(score) * score;
    }
    for (qsizetype band = 0; band < scale.bands.size(); ++band) {
        for (int score = scale.bands[band].lowest;
             score <= scale.bands[band].highest && score < result.perScore.size(); ++score)
            result.perBand[band] += result.perScore[score];
    }
    if (result.count > 0)
        result.mean = sum / result.count;
    if (result.count > 1)
        result.standardDeviation =
            std::sqrt(qMax(0.0, (squares - sum * sum / result.count) / (result.count - 1)));
    *statistics = result;
    return true;
}
