#pragma once

#include <QList>
#include <QString>

// The picture of a group at its latest administrations (the rows of Answer): how many
// subjects, the mean and standard deviation of their scores, and how many have each score
// and each band, scored by the scale's one rule.
struct GroupStatistics
{
    int count = 0;
    double mean = 0;
    double standardDeviation = 0; // of the sample (n - 1); 0 for fewer than two subjects
    QList<int> perScore;          // perScore[s]: subjects with score s, 0 to the highest
    QList<int> perBand;           // in the order of the scale's bands

    // The subjects of the group (their group in IDE), or of all when group is empty. False
    // with the reason when the file cannot be read.
    static bool of(const QString& group, GroupStatistics* statistics, QString* error);
};
