#include "appearance/SettingsCommit.h"

#include "data/Database.h"
#include "data/RecordSet.h"

SettingsCommit::SettingsCommit(RecordSet& settings) : settings_(settings) {}

bool SettingsCommit::commit(const QString& headline)
{
    // With no settings row there is nothing to write into: that is a failure, not a save.
    const bool stored = !settings_.bof() && settings_.commitRow() && !failures_.failed();
    if (!stored)
        DataFailure::show(headline + QLatin1Char('\n') + failureReason());
    return stored;
}

QString SettingsCommit::failureReason() const
{
    if (failures_.failed())
        return failures_.message();
    return QStringLiteral("ردیف تنظیمات در «%1» پیدا نشد.")
        .arg(Database::relativePath(Database::File::Settings));
}
