#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// A yes/no scale described as data: its title, its items in order with the answer that earns
// each one point, the bands of the total score with their texts, and the columns its answers
// are stored in. Answers are coded "1" (yes), "0" (no) and the empty text (not answered).
struct QuestionnaireItem
{
    QString text; // exactly as shown, blanks included
    QString keyed;
};

struct QuestionnaireBand
{
    int lowest;
    int highest;
    QString text; // exactly as shown and stored
};

struct Questionnaire
{
    static inline const QString Yes = QStringLiteral("1");
    static inline const QString No = QStringLiteral("0");

    QString shortName;   // the report's document name and the prefix of its file names
    QString title;       // shown above the items on the test screen
    QString reportTitle; // the heading of the result report
    QList<QuestionnaireItem> items;
    QList<QuestionnaireBand> bands; // ascending, without overlap

    int itemCount() const { return static_cast<int>(items.size()); }
    // Whether number names an item (1 to itemCount()).
    bool isItem(int number) const { return number >= 1 && number <= itemCount(); }
    // The item's text; empty for a number that names no item.
    QString itemText(int number) const;
    // The answer that scores one point for item number; empty for no item.
    QString keyedAnswer(int number) const;

    // The stored answer columns: item n is the column named by its number.
    static QString answerColumn(int number) { return QString::number(number); }
    QStringList answerColumns() const;

    // The number of answers that match their item's key; answers[n - 1] is item n's answer,
    // read as a number the way the screens read boxes. An unanswered item never matches.
    int score(const QStringList& answers) const;

    // The text of the band that value lies in; the null text when it lies in none (below the
    // first, above the last, or between two bands, such as 4.5).
    QString bandText(double value) const;
    // The band text of a score as it is stored: only the decimal text of a whole number within
    // the bands has one; any other text gives the null text.
    QString bandTextForStored(const QString& scoreText) const;
};
