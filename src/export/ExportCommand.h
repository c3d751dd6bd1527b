#pragma once

#include <QString>

// `senvora --export FILE [--group G] [--from YYYY/MM/DD] [--to YYYY/MM/DD]`: the export with no
// display, on the subject file of the working folder (the program folder).
namespace ExportCommand {

struct Options
{
    QString file;
    QString group; // null: every group
    QString from;  // Solar Hijri dates as typed; null when not given
    QString to;
};

// Checks the options, writes the file and returns the exit status: 0 on success (a line on
// standard output says how many rows went where), otherwise non-zero with one line on standard
// error, Persian and then English.
int run(const Options& options);

} // namespace ExportCommand
