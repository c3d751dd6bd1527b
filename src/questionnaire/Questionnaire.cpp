#include "questionnaire/Questionnaire.h"

#include "text/NumericText.h"

QString Questionnaire::itemText(int number) const
{
    return isItem(number) ? items.at(number - 1).text : QString();
}

QString Questionnaire::keyedAnswer(int number) const
{
    return isItem(number) ? items.at(number - 1).keyed : QString();
}

QStringList Questionnaire::answerColumns() const
{
    QStringList columns;
    for (int item = 1; item <= itemCount(); ++item)
        columns << answerColumn(item);
    return columns;
}

int Questionnaire::score(const QStringList& answers) const
{
    int total = 0;
    for (int item = 1; item <= itemCount() && item <= answers.size(); ++item) {
        const QString& answer = answers.at(item - 1);
        if (!answer.isEmpty() && numericValue(answer) == numericValue(keyedAnswer(item)))
            ++total;
    }
    return total;
}

QString Questionnaire::bandText(double value) const
{
    for (const QuestionnaireBand& band : bands) {
        if (value >= band.lowest && value <= band.highest)
            return band.text;
    }
    return {};
}

QString Questionnaire::bandTextForStored(const QString& scoreText) const
{
    int value = -1;
    if (bands.isEmpty() || !isPlainWholeNumber(scoreText, &value) || value > bands.last().highest)
        return {};
    return bandText(value);
}
