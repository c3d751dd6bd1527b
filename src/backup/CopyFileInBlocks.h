#pragma once

#include "ui/Notice.h"

#include <QString>
#include <QtGlobal>

#include <functional>

// Told after each block: bytes copied so far and the source's size.
using CopyProgress = std::function<void(qint64 copied, qint64 total)>;

// Copies the whole source file to destination in blocks of 4048 bytes, letting the event loop
// run between blocks. The copy is written to a temporary file beside the destination and
// put in its place durably at the end, owner-only, so the destination is either the complete copy
// or left as it was. Returns 1 on success; on failure tells the operator (stop icon) and returns 0.
// When the application ends during the copy, the copy is dropped silently and 0 returned.
int CopyFileInBlocks(const QString& source, const QString& destination);
int CopyFileInBlocks(const QString& source, const QString& destination,
                     const CopyProgress& progress);

// The same copy without telling the operator: false with the Persian reason in problem (empty
// when the application ended meanwhile).
bool copyInBlocks(const QString& source, const QString& destination, const CopyProgress& progress,
                  QString* problem);

// The stop box that tells the operator why the copy to destination failed; empty when problem
// is (nothing to tell).
Notice::Message copyFailure(const QString& problem, const QString& destination);
