#pragma once

#include "export/ExportTable.h"
#include "export/ExportWriter.h"

#include <memory>
#include <optional>

class ExportSource;

// One export from the subject file into a file the user named, row by row so that a caller
// can show progress between slices. The rows go into a new owner-only file beside the target;
// only a complete file is put in place under the target's name (DurableFile::replace), so a
// failure or a cancel leaves no file under that name and an earlier file there untouched.
class ExportJob
{
  public:
    // A failure, told in Persian for the screen and in English after it on the command line.
    struct Problem
    {
        QString persian;
        QString english;
    };

    ExportJob();
    ~ExportJob(); // abandons an unfinished export
    ExportJob(const ExportJob&) = delete;
    ExportJob& operator=(const ExportJob&) = delete;

    // Reads the filter's rows from the subject file at databasePath and starts the file at
    // target, in the format its extension names. False with problem() set on any failure.
    bool start(const QString& databasePath, const QString& target,
               const ExportTable::Filter& filter);
    // Writes up to count more rows; false with problem() set on a failure.
    bool writeSome(int count);
    bool atEnd() const { return atEnd_; }
    // Completes the file and puts it in place; false with problem() set on a failure.
    bool finish();
    // Drops the unfinished file.
    void abandon();

    int rowCount() const;
    int rowsWritten() const { return written_; }
    const Problem& problem() const { return problem_; }

    // The problem of a target whose extension names no format, if it has one.
    static std::optional<Problem> extensionProblem(const QString& target);

    // Runs the whole export at once.
    bool run(const QString& databasePath, const QString& target, const ExportTable::Filter& filter);

  private:
    bool failWriting(const QString& reason);
    bool createPartial();

    QString target_;
    QString partial_;
    std::unique_ptr<ExportSource> source_;
    std::unique_ptr<ExportWriter> writer_;
    ExportTable::Row row_;
    int written_ = 0;
    bool atEnd_ = false;
    Problem problem_;
};
